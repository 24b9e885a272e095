#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for the given number of seconds,
# as many at once as there are cores. Inputs grow from the committed corpus
# in fuzz/corpus/<target>; what they add stays in build-fuzz/corpus/<target>.
# A finding is saved in build-fuzz/findings/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
seconds=$1
jobs=${FUZZ_JOBS:-$(nproc)}

tools/deps.sh $(cat tools/build-deps.txt tools/test-deps.txt)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWUSELWORT_SANITIZE=ON -DWUSELWORT_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
targets=()
for source in fuzz/*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
mkdir -p build-fuzz/findings build-fuzz/logs

run() {
  local target=$1 log=build-fuzz/logs/$1.log
  mkdir -p "build-fuzz/corpus/$target"
  if build-fuzz/fuzz/"fuzz_$target" -max_total_time="$seconds" -max_len=100000 -timeout=25 \
    -artifact_prefix="build-fuzz/findings/$target-" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
    >"$log" 2>&1; then
    echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")"
  else
    echo "$target: FINDING, see $log" >&2
    tail -n 30 "$log" >&2
    return 1
  fi
}

running=0
failed=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
