#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that a Windows build of the game is what players can double-click: a
# 64-bit window program (no console) that needs no DLL beyond Windows' own, with
# its icon, version information and manifest; prints its size and imports.
# Usage: tools/windows/exe-check.sh GAME.exe VERSION
set -euo pipefail
exe=$1 version=$2

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

# Explorer's icon, the file's properties and the manifest.
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
for expected in '^1 14 /\* RT_GROUP_ICON \*/' "VALUE \"ProductVersion\", \"$version\"" '^1 24 /\* RT_MANIFEST \*/'; do
  grep -q "$expected" <<<"$resources" || { echo "$exe lacks the resource $expected" >&2; exit 1; }
done
