#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the game through the AT-SPI accessibility tree, on a virtual screen
# with its own session bus, as a screen reader would see it.
# Usage: tools/a11y-check.sh [PROGRAM]   (default build-a11y/window/wuselwort)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build-a11y/window/wuselwort}")
[ -x "$program" ] || { echo "$program is missing: build the game first" >&2; exit 1; }
tools/deps.sh xvfb dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0

workdir=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$workdir"
}
trap cleanup EXIT

. tools/virtual-screen.sh
start_virtual_screen "$workdir"
export XDG_RUNTIME_DIR="$workdir"
# The caller may have chosen a platform without accessibility for its own tests.
export QT_QPA_PLATFORM=xcb

# The session bus starts the AT-SPI bus and its registry on first use and
# ends them with the session; the check bounds its own waits, timeout the rest.
timeout --kill-after=5 90 dbus-run-session -- /usr/bin/python3 -u tests/a11y/check_tree.py "$program"
