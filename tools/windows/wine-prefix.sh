# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run the Windows build under Wine.
#
# start_wine PREFIX DPI
#   Makes PREFIX a 64-bit Wine prefix once (its first boot takes a while and
#   is kept for the next run), sets the screen's dots per inch (96 is 100 %,
#   144 is 150 %) and keeps a Wine server running for the programs to come.
#   Exports WINEPREFIX and what tools/windows/wine-run.sh needs.
# stop_wine
#   Ends the game in $game_pid, if any (also a stopped one), and that server;
#   for the callers' EXIT trap.

start_wine() {
  export WINEPREFIX=$(realpath -m "$1") WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local dpi=$2 settings
  if [ ! -f "$WINEPREFIX/booted" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init 2>"$WINEPREFIX/boot.log"
    wineserver --wait
    touch "$WINEPREFIX/booted"
  fi
  # Windows 10, the oldest this Qt supports. No window manager, for which Wine
  # would wait two seconds at every window that closes. A program that
  # crashes ends with a backtrace instead of waiting on a dialog.
  settings=$(mktemp --suffix=.reg)
  printf '%s\r\n' REGEDIT4 '' \
    '[HKEY_CURRENT_USER\Software\Wine]' '"Version"="win10"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf %08x "$dpi")" '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' \
    >"$settings"
  wine regedit /S "$(winepath -w "$settings")"
  # The server saves the settings when it ends, and reads the screen's
  # density only when it starts.
  wineserver --wait
  rm -f "$settings"
  wineserver --persistent
  # The first program starts Wine's services, which would inherit its output
  # and keep a test's pipe open after the test has ended.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine() {
  if [ -n "${game_pid:-}" ]; then
    kill -CONT "$game_pid" 2>/dev/null || true
    kill "$game_pid" 2>/dev/null || true
  fi
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver --kill 2>/dev/null || true
  fi
}
