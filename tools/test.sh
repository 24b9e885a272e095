#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with warnings as errors and runs every test
# without a display: once as built for players, then the desktop checks on an
# installed copy, the Debian package in a fresh root, every fuzz target for
# FUZZ_SECONDS (30) each, the tests again with AddressSanitizer (leaks
# included) and UndefinedBehaviorSanitizer, and the formatting of every
# tracked C++ file. On Debian 13 the web build follows, played in a headless
# browser. Then the other platforms and the other release: the Windows build
# with its tests under Wine, a puzzle and random play there and what a Windows
# screen reader gets through UI Automation (the build needs Debian 12, UI
# Automation Debian 13's Wine: each part runs in a root of the release it
# needs where the machine is the other), and the whole command once more in a
# fresh root of the other release, which starts at once in the background so
# that its downloads overlap the work here (log in build/fresh-root.log).
# Inside that root (WUSELWORT_IN_FRESH_ROOT) the Windows part and the other
# release are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/roots.sh
tools/deps.sh $(cat tools/build-deps.txt tools/test-deps.txt)

release=$(release_of_machine)
other=bookworm
[ "$release" != bookworm ] || other=trixie
others=yes
[ -z "${WUSELWORT_IN_FRESH_ROOT:-}" ] || others=
if [ -n "$others" ]; then
  mkdir -p build
  tools/fresh-root.sh "$other" >build/fresh-root.log 2>&1 &
  fresh_root=$!
  trap 'kill "$fresh_root" 2>/dev/null || true' EXIT
fi

export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
tools/linux/desktop-checks.sh build
tools/linux/package-check.sh
tools/fuzz.sh "${FUZZ_SECONDS:-30}"

# Unoptimised, which halves the time the sanitizers take to compile.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DWUSELWORT_SANITIZE=ON \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
unset QT_QPA_PLATFORM

# Emscripten new enough for Qt comes with Debian 13: on Debian 12 the fresh
# Debian 13 root plays the web build.
if [ "$release" = bookworm ]; then
  echo "Web: left to Debian 13"
elif [ ! -d ../shared/web ] && [ ! -f build-web-qt/stamp ]; then
  echo "Web: skipped; no Qt for WebAssembly here (tools/web/qt.sh builds one, in about an hour)"
else
  tools/web/test.sh
fi

[ -n "$others" ] || exit 0
if [ ! -d ../shared/windows ] && [ ! -f build-windows-qt/stamp ]; then
  echo "Windows: skipped; no Qt for Windows here (tools/windows/qt.sh builds one, in about an hour)"
else
  tools/windows/test.sh
  tools/windows/wine-checks.sh build-windows-tests/wuselwort.exe
  tools/windows/random-play.sh build-windows-tests/wuselwort.exe "${RANDOM_PLAY_SECONDS:-60}"
  tools/windows/uia-check.sh build-windows-tests/wuselwort.exe build-windows-tests/uia_check.exe
fi

echo "Debian $other in a fresh root: waiting for it (build/fresh-root.log)"
status=0
wait "$fresh_root" || status=$?
trap - EXIT
tail -n 25 build/fresh-root.log
[ "$status" -eq 0 ] || { echo "Debian $other in a fresh root failed: build/fresh-root.log" >&2; exit "$status"; }
