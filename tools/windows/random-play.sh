#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the Windows game at random under Wine on a virtual X11 screen for
# SECONDS (60): clicks, double and right clicks anywhere in the window but on
# "Ende", keys (Tab, Space, Return, arrows, editing keys and shortcuts), typed
# words, drags and hovers across the controls, and resizes by the frame's
# corner. The game must not crash: should it end, its status must be 0 (Space
# on "Ende" when Tab has brought the focus there), and it starts anew. After
# the play it must still answer ("Tier" hides "Sortieren", "Zeigen" shows it
# again), and "Ende" must end it with status 0, leaving no process behind.
# Usage: tools/windows/random-play.sh GAME.exe [SECONDS [SEED]]
# It prints the seed; the same seed replays the same input (the game's own
# draws differ). Each action goes to build-windows-tests/random-play.log, and
# the screen as the play left it to random-play.png there.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 GAME.exe [SECONDS [SEED]]" >&2; exit 2; }
game=$(realpath "$1")
seconds=${2:-60}
seed=${3:-$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')}
cd "$(dirname "$0")/../.."
top=$PWD
tools/deps.sh wine wine64 xvfb xdotool imagemagick python3
out=$top/build-windows-tests
mkdir -p "$out"
log=$out/random-play.log
echo "Random play for $seconds s, seed $seed (replay: $0 $1 $seconds $seed)"

read -r ende_x ende_y ende_w ende_h < <(python3 tests/a11y/form.py rect Ende)
read -r tier_x tier_y tier_w tier_h < <(python3 tests/a11y/form.py rect Tier)
read -r show_x show_y show_w show_h < <(python3 tests/a11y/form.py rect Zeigen)
read -r sort_x sort_y _ _ < <(python3 tests/a11y/form.py rect Sortieren)

. tools/virtual-screen.sh
. tools/windows/wine-prefix.sh
game_pid=
trap 'stop_wine; stop_virtual_screen' EXIT
start_virtual_screen x11
# A prefix of its own, so that the other Windows checks may run meanwhile,
# and one per Wine version: a newer Wine changes the prefix for good.
start_wine "$out/wine-play-$(wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\).*/\1/p')" 96
unset QT_QPA_PLATFORM

window=
border=0
caption=0
# Starts the game and finds its window, its frame and the height of its
# caption, which Wine draws within the X window.
start_game() {
  tools/windows/wine-run.sh "$game" >>"$log" 2>&1 &
  game_pid=$!
  window=
  for _ in $(seq 300); do
    window=$(xdotool search --name '^Wuselwort$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "FAIL: the game showed no window within 30 s" >&2; exit 1; }
  local WIDTH HEIGHT X Y SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  border=$(((WIDTH - 1005) / 2))
  caption=$((HEIGHT - 679 - border))
}

# Ends the run unless the game is still running; a game that ended with
# status 0 was ended by "Ende" and starts anew.
check_running() {
  kill -0 "$game_pid" 2>/dev/null && return 0
  local status=0
  wait "$game_pid" || status=$?
  game_pid=
  if [ $status -ne 0 ]; then
    echo "FAIL: the game ended with status $status during random play, seed $seed; its output and the actions are in $log" >&2
    exit 1
  fi
  echo "  the game ended (\"Ende\" pressed by keyboard) and starts anew" >>"$log"
  restarts=$((restarts + 1))
  start_game
}

# A random point of the window's inside into x and y, but not on "Ende" or
# near it; the window may have been made smaller than the form. (In this
# shell, not a subshell, which would draw from a random source of its own.)
point() {
  while :; do
    x=$((RANDOM % 1005)) y=$((RANDOM % 679))
    if [ $x -lt $((ende_x - 4)) ] || [ $x -gt $((ende_x + ende_w + 4)) ] ||
      [ $y -lt $((ende_y - 4)) ] || [ $y -gt $((ende_y + ende_h + 4)) ]; then
      x=$((border + x)) y=$((caption + y))
      return
    fi
  done
}

# An action on a window that has just closed fails, and lets go of a button
# it held; the next check_running tells why the window closed.
act() {
  xdotool "$@" 2>>"$log" || xdotool mouseup 1 2>/dev/null || true
}

keys=(Tab shift+Tab space Return Escape Left Right Up Down Home End Prior Next BackSpace Delete
  ctrl+a ctrl+c ctrl+v ctrl+x ctrl+z shift+Left shift+End F1)
words=(Fuchs Elefant Äffchen Schnee-Eule "Er stand" ß 12345 "     " xyz)
declare -A count=()
restarts=0
: >"$log"
start_game
RANDOM=$seed
end=$(($(date +%s) + seconds))
while [ "$(date +%s)" -lt $end ]; do
  check_running
  roll=$((RANDOM % 100))
  if [ $roll -lt 30 ]; then
    point
    action="click $x $y"
    act mousemove --window "$window" $x $y click 1
  elif [ $roll -lt 35 ]; then
    point
    action="double-click $x $y"
    act mousemove --window "$window" $x $y click --repeat 2 1
  elif [ $roll -lt 40 ]; then
    point
    action="right-click $x $y"
    act mousemove --window "$window" $x $y click 3
  elif [ $roll -lt 65 ]; then
    action="key ${keys[RANDOM % ${#keys[@]}]}"
    act key "${action#key }"
  elif [ $roll -lt 75 ]; then
    action="type ${words[RANDOM % ${#words[@]}]}"
    act type --delay 20 "${action#type }"
  elif [ $roll -lt 85 ]; then
    point
    x2=$x y2=$y
    point
    action="drag $x2 $y2 $x $y"
    act mousemove --window "$window" $x2 $y2 mousedown 1 mousemove --window "$window" $x $y mouseup 1
  elif [ $roll -lt 90 ]; then
    # By the frame's corner to a size from a quarter of the screen to all of
    # it: "Tier", "Zeigen" and "Sortieren" stay in sight.
    geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null) || continue
    eval "$geometry"
    width=$((300 + RANDOM % 980)) height=$((250 + RANDOM % 550))
    action="resize ${width}x$height"
    act mousemove --window "$window" $((WIDTH - 2)) $((HEIGHT - 2)) mousedown 1 \
      mousemove --window "$window" $((width - 2)) $((height - 2)) mouseup 1
  else
    point
    action="hover $x $y"
    act mousemove --window "$window" $x $y
  fi
  echo "$action" >>"$log"
  count[${action%% *}]=$((${count[${action%% *}]:-0} + 1))
done
check_running
import -window root "$out/random-play.png"

# The pixel of "Sortieren" just inside its frame: its face, or the panel
# when it is hidden.
sortieren_shown() {
  local pixel
  pixel=$(import -window "$window" -crop "1x1+$((border + sort_x + 4))+$((caption + sort_y + 4))" \
    -depth 8 txt:- 2>/dev/null | sed -n 's/.*srgb(\([0-9,]*\)).*/\1/p')
  [ "$pixel" = 192,192,255 ]
}
# wait_until shown|hidden: waits for the effect, at most 30 s.
wait_until() {
  for _ in $(seq 150); do
    if sortieren_shown; then [ "$1" = shown ] && return 0; else [ "$1" = hidden ] && return 0; fi
    sleep 0.2
  done
  echo "FAIL: the game did not answer after random play: \"Sortieren\" not $1 within 30 s, seed $seed" >&2
  exit 1
}
# A menu left open takes the next click.
xdotool key Escape Escape
xdotool mousemove --window "$window" $((border + tier_x + tier_w / 2)) $((caption + tier_y + tier_h / 2)) click 1
wait_until hidden
xdotool mousemove --window "$window" $((border + show_x + show_w / 2)) $((caption + show_y + show_h / 2)) click 1
wait_until shown
xdotool mousemove --window "$window" $((border + ende_x + ende_w / 2)) $((caption + ende_y + ende_h / 2)) click 1
for _ in $(seq 300); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "FAIL: \"Ende\" did not end the game within 30 s after random play, seed $seed" >&2
  exit 1
fi
status=0
wait "$game_pid" || status=$?
game_pid=
[ $status -eq 0 ] || { echo "FAIL: \"Ende\" ended the game with status $status, seed $seed" >&2; exit 1; }
# Nothing of the game may stay in the prefix.
for process in /proc/[0-9]*; do
  if grep -qz "^WINEPREFIX=$WINEPREFIX\$" "$process/environ" 2>/dev/null &&
    grep -q "$(basename "$game")" "$process/cmdline" 2>/dev/null; then
    echo "FAIL: a process of the game outlived it: $(tr '\0' ' ' <"$process/cmdline")" >&2
    exit 1
  fi
done
summary=
for action in "${!count[@]}"; do summary+=" ${count[$action]} $action,"; done
echo "Played:${summary%,}."
[ $restarts -eq 0 ] || echo "Space on \"Ende\" ended the game on the way ($restarts), and it started anew."
echo "Afterwards the game answered, and \"Ende\" ended it cleanly."
