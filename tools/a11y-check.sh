#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the game through the AT-SPI accessibility tree, on a virtual X11 or
# Wayland screen with its own session bus, as a screen reader would see it:
# what tools/orca-check.sh cannot hear, on Wayland and for the controls
# hidden at start.
# Usage: tools/a11y-check.sh [x11|wayland] [PROGRAM]   (default x11 and
# build/wuselwort)
set -euo pipefail
cd "$(dirname "$0")/.."
kind=x11
case ${1:-} in x11 | wayland) kind=$1 && shift ;; esac
program=$(realpath "${1:-build/wuselwort}")
[ -x "$program" ] || { echo "$program is missing: build the game first" >&2; exit 1; }
tools/deps.sh $(cat tools/build-deps.txt tools/test-deps.txt)

. tools/virtual-screen.sh
trap stop_virtual_screen EXIT
start_virtual_screen "$kind"

# The session bus starts the AT-SPI bus and its registry on first use and
# ends them with the session; the check bounds its own waits, timeout the rest.
echo "accessibility on $kind:"
timeout --kill-after=5 90 dbus-run-session -- /usr/bin/python3 -B -u tests/a11y/check_tree.py "$program"
