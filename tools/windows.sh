#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles the game for 64-bit Windows into build-windows/wuselwort.exe,
# checks that it is a window program that needs no DLL beyond Windows' own,
# and packs build-windows/wuselwort-VERSION-windows-x64.zip with the exe, a
# German read-me and the licences; prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."
qt=$(tools/windows-qt.sh)
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

# Every Windows 10 and 11 has these.
allowed='advapi32 authz comdlg32 d3d11 d3d9 dwmapi dwrite dxgi gdi32 imm32 kernel32
  msvcrt netapi32 ole32 oleaut32 shcore shell32 shlwapi user32 userenv uxtheme version
  winmm ws2_32 wtsapi32 api-ms-win-core-synch-l1-2-0 api-ms-win-core-winrt-l1-1-0
  api-ms-win-core-winrt-string-l1-1-0'
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q '^Magic[[:space:]]*020b' <<<"$headers" || { echo "$exe is no 64-bit program" >&2; exit 1; }
# Subsystem 2 is a window program; 3 would open a console window.
grep -q '^Subsystem[[:space:]]*00000002' <<<"$headers" || { echo "$exe would open a console" >&2; exit 1; }
imports=$(sed -n 's/^[[:space:]]*DLL Name: \(.*\)\.dll$/\1/Ip' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort -u)
foreign=$(comm -23 <(echo "$imports") <(tr -s ' \n' '\n' <<<"$allowed" | sed '/^$/d' | sort -u))
if [ -n "$foreign" ]; then
  echo "$exe imports DLLs that Windows does not have:" $foreign >&2
  exit 1
fi
echo "$exe: $(stat -c %s "$exe") bytes, imports" $imports >&2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $build/CMakeCache.txt)
# Explorer's icon, the file's properties and the manifest.
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
for expected in '^1 14 /\* RT_GROUP_ICON \*/' "VALUE \"ProductVersion\", \"$version\"" '^1 24 /\* RT_MANIFEST \*/'; do
  grep -q "$expected" <<<"$resources" || { echo "$exe lacks the resource $expected" >&2; exit 1; }
done
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
