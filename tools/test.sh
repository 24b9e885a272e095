#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with warnings as errors and runs every test
# without a display: once as built for players, then the desktop checks on an
# installed copy, every fuzz target for FUZZ_SECONDS (30) each, the tests again
# with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, and
# the formatting of every tracked C++ file. Then the other platforms players
# use: the Windows build, its tests under Wine and a puzzle played there (on
# Debian 12, whose Qt tools match the Qt for Windows), and the whole command
# once more in a fresh Debian 13 root, which starts at once in the background
# so that its downloads overlap the work here (log in build/fresh-root.log).
# Inside that root (WUSELWORT_IN_FRESH_ROOT) only the first part runs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh $(cat tools/build-deps.txt tools/test-deps.txt)

others=yes
[ -z "${WUSELWORT_IN_FRESH_ROOT:-}" ] || others=
if [ -n "$others" ]; then
  mkdir -p build
  tools/fresh-root.sh trixie >build/fresh-root.log 2>&1 &
  fresh_root=$!
  trap 'kill "$fresh_root" 2>/dev/null || true' EXIT
fi

export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
tools/linux/desktop-checks.sh build
tools/fuzz.sh "${FUZZ_SECONDS:-30}"

# Unoptimised, which halves the time the sanitizers take to compile.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DWUSELWORT_SANITIZE=ON \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

[ -n "$others" ] || exit 0
unset QT_QPA_PLATFORM
if [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" != bookworm ]; then
  echo "Windows: skipped; the Qt for Windows is 6.4, whose host tools only Debian 12 has"
elif [ ! -d ../shared/windows ] && [ ! -f build-windows-qt/stamp ]; then
  echo "Windows: skipped; no Qt for Windows here (tools/windows/qt.sh builds one, in about an hour)"
else
  tools/windows/test.sh
  tools/windows/wine-checks.sh build-windows-tests/wuselwort.exe
fi

echo "Debian 13 in a fresh root: waiting for it (build/fresh-root.log)"
status=0
wait "$fresh_root" || status=$?
trap - EXIT
tail -n 25 build/fresh-root.log
[ "$status" -eq 0 ] || { echo "Debian 13 in a fresh root failed: build/fresh-root.log" >&2; exit "$status"; }
