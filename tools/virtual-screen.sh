# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that show the game on a virtual screen.
# start_virtual_screen DIR starts Xvfb on a free display, puts its process id
# into the variable server and exports DISPLAY.
start_virtual_screen() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$1/display" 2>/dev/null &
  server=$!
  for _ in $(seq 50); do
    [ -s "$1/display" ] && break
    sleep 0.1
  done
  [ -s "$1/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(cat "$1/display")"
}
