# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that show the game on a screen of their own.
#
# start_virtual_screen x11|wayland
#   x11: Xvfb on a free display number; exports DISPLAY.
#   wayland: weston with its headless backend, drawing with pixman so that
#   screenshots show the windows, on a socket of its own; exports
#   WAYLAND_DISPLAY and hides any DISPLAY, so nothing falls back to X11.
#   Both export XDG_RUNTIME_DIR (a new private directory) and QT_QPA_PLATFORM,
#   and put the server's process id into screen_server. Extra arguments go
#   to the server.
# stop_virtual_screen
#   Ends the server and removes its directory; for the callers' EXIT trap.

screen_server=
screen_dir=

start_virtual_screen() {
  local kind=$1
  shift
  # mktemp makes it readable by its owner only, as Wayland wants.
  screen_dir=$(mktemp -d)
  export XDG_RUNTIME_DIR=$screen_dir
  case $kind in
    x11)
      Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp "$@" \
        3>"$screen_dir/display" 2>"$screen_dir/server.log" &
      screen_server=$!
      wait_for_screen -s "$screen_dir/display" Xvfb
      export DISPLAY=":$(cat "$screen_dir/display")" QT_QPA_PLATFORM=xcb
      ;;
    wayland)
      local socket=wuselwort-$$
      unset DISPLAY
      weston --backend=headless-backend.so --use-pixman --width=1280 --height=800 \
        --socket="$socket" --idle-time=0 --no-config --log="$screen_dir/server.log" "$@" \
        2>>"$screen_dir/server.log" &
      screen_server=$!
      wait_for_screen -S "$screen_dir/$socket" weston
      export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
      ;;
    *)
      echo "start_virtual_screen: x11 or wayland, not '$kind'" >&2
      return 2
      ;;
  esac
}

# wait_for_screen -s|-S FILE NAME: waits up to 10 s for the server's display
# file or socket.
wait_for_screen() {
  for _ in $(seq 100); do
    test "$1" "$2" && return 0
    kill -0 "$screen_server" 2>/dev/null || break
    sleep 0.1
  done
  echo "$3 did not start:" >&2
  cat "$screen_dir/server.log" >&2
  return 1
}

stop_virtual_screen() {
  if [ -n "$screen_server" ]; then
    kill "$screen_server" 2>/dev/null || true
    wait "$screen_server" 2>/dev/null || true
    screen_server=
  fi
  if [ -n "$screen_dir" ]; then
    rm -rf "$screen_dir"
    screen_dir=
  fi
}
