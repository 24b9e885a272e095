#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles the game for 64-bit Windows into build-windows/wuselwort.exe,
# checks that it is a window program that needs no DLL beyond Windows' own,
# and packs build-windows/wuselwort-VERSION-windows-x64.zip with the exe, a
# German read-me and the licences; prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/../.."
# The Qt for Windows is 6.4, whose host tools only Debian 12 has.
. tools/roots.sh
needs_release bookworm "tools/windows/build.sh" "$@"
qt=$(tools/windows/qt.sh)
tools/deps.sh zip >&2
build=build-windows
# Qt's archives have one section per object file, so garbage-collecting
# sections gains nothing; stripping the symbols halves the exe.
cmake -G Ninja -S . -B $build \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_EXE_LINKER_FLAGS=-s >&2
cmake --build $build -j"$(nproc)" --target wuselwort >&2
exe=$build/wuselwort.exe

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $build/CMakeCache.txt)
tools/windows/exe-check.sh "$exe" "$version"
zip=$build/wuselwort-$version-windows-x64.zip
stage=$build/zip
rm -rf "$stage" "$zip" && mkdir -p "$stage"
cp "$exe" packaging/windows/LIESMICH.txt "$stage/"
# Notepad before Windows 10 shows LF-only text as one line.
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed 's/$/\r/' data/CREDITS >"$stage/CREDITS.txt"
(cd "$stage" && zip -q -X -9 "../$(basename "$zip")" wuselwort.exe LIESMICH.txt LICENSE.txt CREDITS.txt)
rm -rf "$stage"
echo "$zip"
