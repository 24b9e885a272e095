#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the built game on a virtual screen and writes a PNG of that screen.
# Usage: tools/screenshot.sh [output.png]   (default build/screenshot.png)
# It builds nothing: run tools/play.sh or a cmake build first.
set -euo pipefail
cd "$(dirname "$0")/.."
binary=build/window/wuselwort
output=${1:-build/screenshot.png}
[ -x "$binary" ] || { echo "$binary is missing: build the game first" >&2; exit 1; }
tools/deps.sh xvfb imagemagick xdotool

workdir=$(mktemp -d)
game=
server=
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$workdir"
}
trap cleanup EXIT

. tools/virtual-screen.sh
start_virtual_screen "$workdir"

"$binary" &
game=$!
xdotool search --sync --onlyvisible --name '^Wuselwort$' >/dev/null
# Give the first frame time to be painted.
sleep 1
import -window root "$output"
echo "$output"
