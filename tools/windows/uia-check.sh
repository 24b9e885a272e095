#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Listens to the Windows game as a Windows screen reader does: starts GAME.exe
# under Wine on a virtual X11 screen, then the UI Automation client CLIENT.exe
# (tests/windows/uia_check.cpp, built by tools/windows/test.sh) in the same
# Wine prefix, in a process of its own. The client checks the names, control
# types, descriptions and tab order that UI Automation gives of the game,
# presses buttons and ends the game with "Ende", which must end it cleanly.
# Then it gives the client a game that does not answer, stopped once its
# window is there: the client must give up with a clear failure in time.
# Needs Wine 10 or later (Debian 13): Wine 8 has no UI Automation client side.
# On Debian 12 it runs in a Debian 13 root, where the two programs must lie
# in this checkout.
# Usage: tools/windows/uia-check.sh GAME.exe CLIENT.exe
# UIA_SECONDS (30) bounds each wait for an answer or event.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 GAME.exe CLIENT.exe" >&2; exit 2; }
game=$(realpath "$1")
client=$(realpath "$2")
cd "$(dirname "$0")/../.."
top=$PWD
. tools/roots.sh
needs_release trixie tools/windows/uia-check.sh "$game" "$client"
seconds=${UIA_SECONDS:-30}
tools/deps.sh wine wine64 xvfb xdotool
version=$(wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\).*/\1/p')
if [ "${version:-0}" -lt 10 ]; then
  echo "FAIL: UI Automation's client side needs Wine 10 or later, not $(wine --version 2>/dev/null)" >&2
  exit 1
fi

. tools/virtual-screen.sh
. tools/windows/wine-prefix.sh
game_pid=
trap 'stop_wine; stop_virtual_screen' EXIT
start_virtual_screen x11
# A prefix of its own: one that Wine 10 has used is no longer Wine 8's.
start_wine "$top/build-windows-tests/wine-uia" 96
unset QT_QPA_PLATFORM

# client SECONDS: the client's own watchdog ends it when UI Automation does
# not answer within twice its bound; timeout ends whatever still hangs.
client() {
  local status=0 limit=$(($1 * 10))
  timeout --kill-after=10 $limit tools/windows/wine-run.sh "$client" "$1" </dev/null || status=$?
  if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    echo "FAIL: the UI Automation client did not end within $limit s" >&2
  fi
  return $status
}

start=$(date +%s)
tools/windows/wine-run.sh "$game" &
game_pid=$!
client "$seconds" || exit 1
# "Ende", pressed by the client, ends the game.
for _ in $(seq $((seconds * 10))); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "FAIL: \"Ende\" did not end the game within $seconds s" >&2
  exit 1
fi
status=0
wait "$game_pid" || status=$?
game_pid=
if [ $status -ne 0 ]; then
  echo "FAIL: the game ended with status $status" >&2
  exit 1
fi
echo "UI Automation heard the game in $(($(date +%s) - start)) s"

start=$(date +%s)
tools/windows/wine-run.sh "$game" &
game_pid=$!
shown=
for _ in $(seq $((seconds * 10))); do
  xdotool search --name '^Wuselwort$' >/dev/null 2>&1 && shown=yes && break
  sleep 0.1
done
[ -n "$shown" ] || { echo "FAIL: the game showed no window within $seconds s" >&2; exit 1; }
kill -STOP "$game_pid"
status=0
said=$(client 3) || status=$?
if [ $status -ne 2 ] || ! grep -q '^FAIL: no answer from UI Automation within 3 s' <<<"$said"; then
  echo "FAIL: a client that got no answer ended with status $status and said:" >&2
  echo "$said" >&2
  exit 1
fi
echo "A client that got no answer gave up in $(($(date +%s) - start)) s: ${said#FAIL: }"
