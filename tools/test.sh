#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with warnings as errors and runs every test
# without a display: once as built for players, then the desktop checks on an
# installed copy, every fuzz target for FUZZ_SECONDS (30) each, the tests again
# with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, and
# last the formatting of every tracked C++ file.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh $(cat tools/build-deps.txt tools/test-deps.txt)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
tools/desktop-checks.sh build
tools/fuzz.sh "${FUZZ_SECONDS:-30}"

# Unoptimised, which halves the time the sanitizers take to compile.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DWUSELWORT_SANITIZE=ON \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
