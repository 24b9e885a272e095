#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the built game on a virtual X11 or Wayland screen and writes a PNG of
# that screen.
# Usage: tools/linux/screenshot.sh [x11|wayland] [output.png]   (default x11 and
# build/screenshot.png)
# It builds nothing: run tools/play.sh or a cmake build first.
set -euo pipefail
cd "$(dirname "$0")/../.."
kind=x11
case ${1:-} in x11 | wayland) kind=$1 && shift ;; esac
binary=build/wuselwort
output=$(realpath "${1:-build/screenshot.png}")
[ -x "$binary" ] || { echo "$binary is missing: build the game first" >&2; exit 1; }
tools/deps.sh xvfb weston imagemagick xdotool

. tools/virtual-screen.sh
trap stop_virtual_screen EXIT
if [ "$kind" = x11 ]; then
  start_virtual_screen x11
  "$binary" &
  game=$!
  xdotool search --sync --onlyvisible --name '^Wuselwort$' >/dev/null
  # Give the first frame time to be painted.
  sleep 1
  import -window root "$output"
else
  # weston lets weston-screenshooter read the screen only in debug mode.
  start_virtual_screen wayland --debug
  shoot() {
    rm -f "$screen_dir"/wayland-screenshot-*.png
    (cd "$screen_dir" && weston-screenshooter)
    mv "$screen_dir"/wayland-screenshot-*.png "$1"
  }
  # The screen before the game, to see when its window has been drawn.
  shoot "$screen_dir/empty.png"
  "$binary" &
  game=$!
  for _ in $(seq 50); do
    sleep 0.2
    shoot "$output"
    [ "$(compare -metric AE "$screen_dir/empty.png" "$output" null: 2>&1)" != 0 ] && break
  done
  sleep 1
  shoot "$output"
fi
kill "$game"
wait "$game" 2>/dev/null || true
echo "$output"
