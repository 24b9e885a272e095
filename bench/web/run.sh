#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game in the browser against the bare window (bench/bare) built
# for the browser with the same Qt for WebAssembly and the same flags, in
# headless Chromium (bench/web/bench.mjs): the download, raw and gzipped; the
# time to the first full frame over fresh loads; the CPU over 10 s of the
# clock, from the browser's own figures. Prints a table with ratios.
# The game comes from tools/web/build.sh (build-web/), the bare window is
# built in build-web-bench/. Debian 13 only: on Debian 12 it runs in a Debian
# 13 root (tools/roots.sh). BENCH_WEB_LOADS (9) and BENCH_WEB_RUNS (5) set the
# number of loads and of clock runs of each program.
set -euo pipefail
cd "$(dirname "$0")/../.."
. tools/roots.sh
export ROOTS_ENV="${ROOTS_ENV:-} BENCH_WEB_LOADS BENCH_WEB_RUNS"
needs_release trixie bench/web/run.sh "$@"

tools/web/build.sh >/dev/null
qt=$(tools/web/qt.sh)
export EMSDK=$PWD/build-web-qt/emsdk
build=build-web-bench
# As tools/web/build.sh configures the game.
cmake -G Ninja -S . -B $build \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DWUSELWORT_BENCH=ON >&2
cmake --build $build -j"$(nproc)" --target bare >&2

tools/deps.sh chromium nodejs npm ca-certificates
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
# One folder for the server: the game's, the bare window and the page that
# starts either.
site=$build/site
rm -rf "$site" && mkdir -p "$site"
cp -r build-web/. "$site/"
cp $build/bench/bare.js $build/bench/bare.wasm bench/web/page.html "$site/"
exec node bench/web/bench.mjs "$site"
