#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game, the floor, the bare window and the probe in Release, then
# measures the game, the floor, the busy-polling floor and the bare window side
# by side on a private X11 screen (tools/virtual-screen.sh), alternating, and
# prints a table of medians, ranges and ratios. Where Wine and the MinGW-w64
# cross build are at hand, the game's Windows build runs under Wine as well.
# BENCH_RUNS sets the number of clock runs of each program (default 5),
# BENCH_STARTS the number of further starts alone (default 20), since start-up
# is the noisiest figure and a start takes well under a second.
# BENCH_BASELINE names an earlier git revision whose game is measured as well,
# so that a change is judged before and after by ratios from the same run.
# BENCH_WINE=0 leaves the Windows build out.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-5}
starts=${BENCH_STARTS:-20}
baseline=${BENCH_BASELINE:-}
wine=${BENCH_WINE:-1}
build="build-bench"

mapfile -t packages <tools/build-deps.txt
tools/deps.sh "${packages[@]}" xvfb pkg-config libx11-dev libxdamage-dev libxtst-dev
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DWUSELWORT_BENCH=ON -DBUILD_TESTING=OFF >&2
cmake --build "$build" -j"$(nproc)" --target wuselwort floor bare probe >&2

# Builds the game of revision $1 in Release from an export of it, which leaves
# the checkout and its git state alone. One directory per commit, so that a
# second run against the same baseline builds nothing.
build_baseline() {
  local commit dir
  commit=$(git rev-parse --verify --quiet "$1^{commit}") || {
    echo "BENCH_BASELINE: '$1' names no commit" >&2
    exit 2
  }
  dir="build-bench-baseline/${commit:0:12}"
  if [ ! -d "$dir/source" ]; then
    # Exported aside first, so that an interrupted export is not taken for a
    # whole one next time.
    rm -rf "$dir/source.part"
    mkdir -p "$dir/source.part"
    git archive "$commit" | tar -x -C "$dir/source.part"
    mv "$dir/source.part" "$dir/source"
  fi
  cmake -S "$dir/source" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
  cmake --build "$dir/build" -j"$(nproc)" --target wuselwort >&2
  baseline_commit=$commit
  baseline_program="$dir/build/wuselwort"
}

# Cross-builds the game for Windows into $build/win as tools/windows/build.sh builds
# it (Release, static Qt, symbols stripped) and makes a Wine prefix of its own
# in $build/wine; says why and fails where something is missing.
build_windows() {
  if [ ! -x tools/windows/qt.sh ]; then
    echo "no tools/windows/qt.sh" >&2
    return 1
  fi
  tools/deps.sh wine wine64 >&2 || return 1
  local qt
  qt=$(tools/windows/qt.sh) || return 1
  cmake -G Ninja -S . -B "$build/win" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_EXE_LINKER_FLAGS="-static -s" >&2 || return 1
  cmake --build "$build/win" -j"$(nproc)" --target wuselwort >&2 || return 1
  exe=$build/win/wuselwort.exe
}

programs=(game floor busy bare)
if [ -n "$baseline" ]; then
  build_baseline "$baseline"
  programs=(game baseline floor busy bare)
fi
exe=
if [ "$wine" != 0 ]; then
  if build_windows; then
    programs+=(wine)
  else
    echo "Windows build or Wine not at hand: the game under Wine is left out" >&2
    exe=
  fi
fi

. tools/virtual-screen.sh
trap stop_virtual_screen EXIT
start_virtual_screen x11

declare -A command=(
  [game]="$build/wuselwort"
  [floor]="$build/bench/floor"
  [busy]="$build/bench/floor --busy"
  [bare]="$build/bench/bare"
)
if [ -n "$baseline" ]; then
  command[baseline]=$baseline_program
fi
# A Wine prefix of its own, made or updated before anything is measured, and
# a wineserver kept running for all starts alike; without .NET and HTML
# engines, whose installers would ask on a dialog.
start_wine() {
  export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >&2 && wineserver -w && wineserver -p || return 1
  trap 'wineserver -k 2>/dev/null || true; stop_virtual_screen' EXIT
}
if [ -n "$exe" ]; then
  if start_wine; then
    # The launcher script execs Wine's loader: the probe watches the
    # program's own process.
    command[wine]="wine $exe"
  else
    echo "Wine did not start: the game under Wine is left out" >&2
    unset 'programs[-1]'
    exe=
  fi
fi
# Pixels relative to the window: the centre of "Tier", which the floor has
# too, and the upper part of the snake frame, clear of the help line below it.
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
for name in "${programs[@]}"; do
  read -r -a program <<<"${command[$name]}"
  "$build/bench/probe" -- "${program[@]}" >/dev/null 2>>"$screen_dir/probe.log" || {
    cat "$screen_dir/probe.log" >&2
    exit 1
  }
done
order=("${programs[@]}")
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

# The ratios of the table, each a program's median over another's.
ratios=(game/floor busy/floor game/bare)
if [ -n "$baseline" ]; then
  ratios+=(game/baseline)
fi
if [ -n "$exe" ]; then
  ratios+=(wine/game)
fi

# One line of the table, a cell for each program in the order of the header;
# with a limit, the game/floor ratio is judged by it.
row() {
  local label=$1 key=$2 scale=$3 limit=$4 name figure pair verdict=""
  local -A median
  printf '%-36s' "$label"
  for name in "${programs[@]}"; do
    read -r -a figure <<<"$(summary "$name" "$key" "$scale")"
    median[$name]=${figure[0]}
    cell "${figure[@]}"
  done
  if [ -n "$limit" ]; then
    verdict=$(awk -v a="${median[game]}" -v b="${median[floor]}" -v limit="$limit" \
      'BEGIN { if (a == "-" || b == "-") print "-"; else print (a / b <= limit ? "met" : "MISSED") " (<= " limit "x)" }')
  fi
  for pair in "${ratios[@]}"; do
    printf '%-15s' "$(ratio "${median[${pair%/*}]}" "${median[${pair#*/}]}")"
  done
  printf '%s\n' "$verdict"
}

# The table's header, in the columns of row().
header() {
  local -A title=([game]=game [baseline]=baseline [floor]=floor [busy]="busy floor" [bare]="bare window"
    [wine]="game under Wine")
  local name pair
  printf '%-36s' "median (min..max)"
  for name in "${programs[@]}"; do
    printf '%-22s' "${title[$name]}"
  done
  for pair in "${ratios[@]}"; do
    printf '%-15s' "$pair"
  done
  printf '%s\n' target
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

# The median lateness alone, or a dash without data.
lateness_median() {
  lateness "$1" "" | cut -d' ' -f1
}

# Mean lateness per run: median (min..max) over the runs.
mean_drift() {
  summary "$1" drift_ms | awk '{ printf "%.3g (%.3g..%.3g)\n", $1, $2, $3 }'
}

echo
echo "Wuselwort benchmarks: $starts starts and $runs clock runs of each program, alternating"
echo "Machine: $(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); load average $load_before before, $load_after after"
if [ -n "$baseline" ]; then
  echo "Baseline: $baseline ($baseline_commit)"
fi
echo
header
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
if [ -n "$baseline" ]; then
  echo "  baseline: $(lateness baseline "")"
fi
echo "  floor: $(lateness floor "")"
echo "  bare window: $(lateness bare "")"
if [ -n "$exe" ]; then
  echo "  game under Wine: $(lateness wine "")"
fi
echo "  mean per run, game: $(mean_drift game)"
if [ -n "$baseline" ]; then
  echo "  mean per run, baseline: $(mean_drift baseline)"
fi
if [ -n "$exe" ]; then
  echo "  mean per run, game under Wine: $(mean_drift wine)"
  echo "  wine/game: median $(ratio "$(lateness_median wine)" "$(lateness_median game)"), mean per run $(ratio "$(summary wine drift_ms | cut -d' ' -f1)" "$(summary game drift_ms | cut -d' ' -f1)")"
  echo
  echo "Windows build: $exe, $(stat -c %s "$exe" | awk '{ printf "%.2f MB (%d bytes)", $1 / 1048576, $1 }')"
else
  echo
  echo "Windows build: not measured (no Wine or no cross build; BENCH_WINE=$wine)"
fi
