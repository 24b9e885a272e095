#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Listens to the game with the screen reader Orca on a virtual X11 screen
# under openbox: tabs once round the window and plays a short puzzle by
# keyboard, then checks what Orca said (tests/a11y/orca_check.py).
# Usage: tools/linux/orca-check.sh [PROGRAM] [LOG]   (default build/wuselwort and
# build/orca.log, where Orca's debug log is kept)
set -euo pipefail
cd "$(dirname "$0")/../.."
program=$(realpath "${1:-build/wuselwort}")
log=$(realpath -m "${2:-build/orca.log}")
[ -x "$program" ] || { echo "$program is missing: build the game first" >&2; exit 1; }
tools/deps.sh $(cat tools/build-deps.txt tools/test-deps.txt)
mkdir -p "$(dirname "$log")"

. tools/virtual-screen.sh
home=$(mktemp -d)
trap 'stop_virtual_screen; rm -rf "$home"' EXIT
start_virtual_screen x11
# Orca, openbox and the toolkits keep their settings here, so that a
# developer's own settings cannot change what Orca says.
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache

timeout --kill-after=5 300 dbus-run-session -- /usr/bin/python3 -B -u tests/a11y/orca_check.py "$program" "$log" ||
  { echo "Orca's log: $log" >&2; exit 1; }
