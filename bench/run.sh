#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game, the floor and the probe in Release, then measures the game,
# the floor and the busy-polling floor side by side on a private X11 screen
# (tools/virtual-screen.sh), alternating, and prints a table of medians, ranges
# and ratios.
# BENCH_RUNS sets the number of clock runs of each program (default 5),
# BENCH_STARTS the number of further starts alone (default 20), since start-up
# is the noisiest figure and a start takes well under a second.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-5}
starts=${BENCH_STARTS:-20}
build="build-bench"

mapfile -t packages <tools/build-deps.txt
tools/deps.sh "${packages[@]}" xvfb pkg-config libx11-dev libxdamage-dev libxtst-dev
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DWUSELWORT_BENCH=ON -DBUILD_TESTING=OFF >&2
cmake --build "$build" -j"$(nproc)" --target wuselwort floor probe >&2

. tools/virtual-screen.sh
trap stop_virtual_screen EXIT
start_virtual_screen x11

declare -A command=(
  [game]="$build/wuselwort"
  [floor]="$build/bench/floor"
  [busy]="$build/bench/floor --busy"
)
# Pixels relative to the window: the centre of "Tier" (and of the floor's
# restart button in the same place) and the upper part of the snake frame,
# clear of the help line below it.
clock_run=(--click "60,32" --click-at 3 --cpu-for 10 --server "$screen_server")
steps=(--memory-at 25 --steps 30 --region "8,200,105,430")
results="$screen_dir/results"
: >"$results"

measure() {
  local name=$1 program line pair key value
  shift
  read -r -a program <<<"${command[$name]}"
  if ! line=$("$build/bench/probe" "$@" -- "${program[@]}" 2>>"$screen_dir/probe.log"); then
    echo "  $name: run failed:" >&2
    tail -n 3 "$screen_dir/probe.log" >&2
    return
  fi
  for pair in $line; do
    key=${pair%%=*}
    value=${pair#*=}
    if [ "$key" = intervals_ms ]; then
      tr ',' '\n' <<<"$value" | sed "s/^/$name interval_ms /" >>"$results"
      awk -v name="$name" -F, '{ for (i = 1; i <= NF; ++i) sum += $i; printf "%s drift_ms %.3f\n", name, (sum - NF * 1000) / NF }' <<<"$value" >>"$results"
    else
      echo "$name $key $value" >>"$results"
    fi
  done
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# One start of each first, not counted, so that every measured start finds its
# files in the page cache.
for name in game floor busy; do
  read -r -a program <<<"${command[$name]}"
  "$build/bench/probe" -- "${program[@]}" >/dev/null 2>>"$screen_dir/probe.log" || {
    cat "$screen_dir/probe.log" >&2
    exit 1
  }
done
order=(game floor busy)
for _ in $(seq "$starts"); do
  for name in "${order[@]}"; do
    measure "$name"
  done
  order=("${order[@]:1}" "${order[0]}")
done
echo "$starts starts of each done" >&2
for run in $(seq "$runs"); do
  echo "run $run of $runs: ${order[*]}" >&2
  for name in "${order[@]}"; do
    case $name in
      busy) measure busy "${clock_run[@]}" ;;
      *) measure "$name" "${clock_run[@]}" "${steps[@]}" ;;
    esac
  done
  order=("${order[@]:1}" "${order[0]}")
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# Prints the median, minimum and maximum of one figure, or dashes without data.
summary() {
  grep "^$1 $2 " "$results" | cut -d' ' -f3 | sort -g | awk -v scale="${3:-1}" '
    { v[NR] = $1 / scale }
    END {
      if (NR == 0) { print "- - -"; exit }
      m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%.4g %.4g %.4g\n", m, v[1], v[NR]
    }'
}

cell() {
  if [ "$1" = - ]; then
    printf '%-22s' -
  else
    printf '%-22s' "$(printf '%.4g (%.4g..%.4g)' "$1" "$2" "$3")"
  fi
}

ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == "-" || b == 0) print "-"; else printf "%.3gx\n", a / b }'
}

# One line of the table; with a limit, the game/floor ratio is judged by it.
row() {
  local label=$1 key=$2 scale=$3 limit=$4 game floor busy verdict=""
  read -r -a game <<<"$(summary game "$key" "$scale")"
  read -r -a floor <<<"$(summary floor "$key" "$scale")"
  read -r -a busy <<<"$(summary busy "$key" "$scale")"
  if [ -n "$limit" ]; then
    verdict=$(awk -v a="${game[0]}" -v b="${floor[0]}" -v limit="$limit" \
      'BEGIN { if (a == "-" || b == "-") print "-"; else print (a / b <= limit ? "met" : "MISSED") " (<= " limit "x)" }')
  fi
  printf '%-36s' "$label"
  cell "${game[@]}"
  cell "${floor[@]}"
  cell "${busy[@]}"
  printf '%-12s%-12s%s\n' "$(ratio "${game[0]}" "${floor[0]}")" "$(ratio "${busy[0]}" "${floor[0]}")" "$verdict"
}

# Lateness of every step: its interval after the previous step minus 1000 ms.
lateness() {
  grep "^$1 interval_ms " "$results" | cut -d' ' -f3 | awk '{ print $1 - 1000 }' | sort -g | awk -v judge="$2" '
    { v[NR] = $1 }
    $1 <= 0 { ++early }
    END {
      if (NR == 0) { print "-"; exit }
      m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%.3g (%.3g..%.3g); %d of %d intervals at most 1000 ms", m, v[1], v[NR], early, NR
      if (judge) printf "; median %s (<= 20 ms)", m <= 20 ? "met" : "MISSED"
      printf "\n"
    }'
}

echo
echo "Wuselwort benchmarks: $starts starts and $runs clock runs of each program, alternating"
echo "Machine: $(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); load average $load_before before, $load_after after"
echo
printf '%-36s%-22s%-22s%-22s%-12s%-12s%s\n' "median (min..max)" game floor "busy floor" game/floor busy/floor target
row "Start-up to first full frame (ms)" startup_ms 1 1.05
row "CPU until first full frame (ms)" startup_cpu_ms 1 ""
row "Queued until first full frame (ms)" startup_queued_ms 1 ""
row "Peak resident at 25 s (MB)" peak_kb 1024 1.02
row "CPU in 10 s of clock (ms)" cpu_ms 1 1.3
row "Context switches (/s)" switches_per_s 1 ""
row "X server CPU in 10 s (ms)" server_cpu_ms 1 ""
echo
echo "Step lateness in ms, median (min..max) over the first 30 steps of every run"
echo "  game:  $(lateness game judge)"
echo "  floor: $(lateness floor "")"
echo "  mean per run, game: $(summary game drift_ms | awk '{ printf "%.3g (%.3g..%.3g)\n", $1, $2, $3 }')"
