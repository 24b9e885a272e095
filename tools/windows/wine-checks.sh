#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the Windows game under Wine on a virtual X11 screen at 96 and at 144
# dots per inch (Windows' display scaling 100 % and 150 %) and plays a short
# puzzle with the mouse: "Tier", the second letter, the pointer over the
# picture (a picture of it then, build-windows-tests/wine-DPI.png), "Zeigen"
# (wine-DPI-shown.png) and "Ende", which must end the game.
# tools/windows/wine-checks.sh [GAME.exe]; without one it builds tools/windows/build.sh's.
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
if [ $# -gt 0 ]; then
  game=$(realpath "$1")
else
  tools/windows/build.sh >/dev/null
  game=$top/build-windows/wuselwort.exe
fi
tools/deps.sh wine wine64 xvfb xdotool imagemagick python3 bc
out=$top/build-windows-tests
mkdir -p "$out"

. tools/virtual-screen.sh
. tools/windows/wine-prefix.sh
trap 'stop_wine; stop_virtual_screen' EXIT
start_virtual_screen x11 -screen 0 2560x1600x24
unset QT_QPA_PLATFORM

for dpi in 96 144; do
  start_wine "$out/wine" $dpi
  tools/windows/wine-run.sh "$game" &
  running=$!
  window=
  for _ in $(seq 300); do
    window=$(xdotool search --name '^Wuselwort$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window at $dpi dpi" >&2; exit 1; }
  sleep 1
  # The window's inside is the form's size times the scale; Wine draws the
  # frame and caption around it within the same X window.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  scale=$(echo "scale=4; $dpi / 96" | bc)
  border=$(echo "($WIDTH - 1005 * $scale) / 2" | bc)
  caption=$(echo "$HEIGHT - 679 * $scale - $border" | bc)
  # point_at CONTROL [X Y]: the pointer to that point of the control, or to
  # its middle.
  point_at() {
    local x y width height
    read -r x y width height < <(python3 tests/a11y/form.py rect "$1")
    xdotool mousemove --window "$window" "$(echo "$border + ($x + ${2:-$width / 2}) * $scale" | bc)" \
      "$(echo "$caption + ($y + ${3:-$height / 2}) * $scale" | bc)"
    sleep 0.3
  }
  click() {
    point_at "$1"
    xdotool click 1
    sleep 0.5
  }
  click Tier
  # The one hint the options at start offer.
  click "2. Buchstabe"
  # The rooster, whose name the help line then shows.
  point_at Image1 96 252
  import -window "$window" "$out/wine-$dpi.png"
  click Zeigen
  import -window "$window" "$out/wine-$dpi-shown.png"
  click Ende
  for _ in $(seq 100); do
    kill -0 $running 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 $running 2>/dev/null; then
    echo "\"Ende\" did not end the game at $dpi dpi" >&2
    exit 1
  fi
  wait $running || { echo "the game ended with status $? at $dpi dpi" >&2; exit 1; }
  echo "$dpi dpi: played; pictures in $out/wine-$dpi.png and $out/wine-$dpi-shown.png"
  stop_wine
done
