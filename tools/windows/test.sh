#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the tests for 64-bit Windows into build-windows-tests/ and runs
# them under Wine: the window tests on the Windows platform of a virtual X11
# screen, large enough for the window at twice the size. It also builds the
# UI Automation client uia_check.exe there, which tools/windows/uia-check.sh
# runs under Wine 10.
set -euo pipefail
cd "$(dirname "$0")/../.."
# The Qt for Windows is 6.4, whose host tools only Debian 12 has.
. tools/roots.sh
needs_release bookworm "tools/windows/test.sh" "$@"
top=$PWD
qt=$(tools/windows/qt.sh)
tools/deps.sh wine wine64 xvfb
build=build-windows-tests

cmake -G Ninja -S . -B $build \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXE_LINKER_FLAGS=-static -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$top/tools/windows/wine-run.sh"
cmake --build $build -j"$(nproc)"

. tools/virtual-screen.sh
. tools/windows/wine-prefix.sh
trap 'stop_wine; stop_virtual_screen' EXIT
start_virtual_screen x11 -screen 0 2560x1600x24
start_wine "$top/$build/wine" 96
# Each test names its platform; none takes the X11 one.
unset QT_QPA_PLATFORM
ctest --test-dir $build --output-on-failure -j"$(nproc)" --timeout 300
