#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the game into a temporary prefix, validates its desktop entry and
# AppStream metainfo there, takes a picture of the installed program under a
# dark desktop theme (BUILD_DIR/screenshot-dark.png) and listens to it with the
# screen reader Orca under X11 (tools/linux/orca-check.sh, Orca's log in
# BUILD_DIR/orca.log).
# Usage: tools/linux/desktop-checks.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
tools/deps.sh $(cat tools/build-deps.txt tools/test-deps.txt)

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target wuselwort compressed_docs
cmake --install "$build" --prefix "$prefix" >/dev/null

id=de.wuselwort.Wuselwort
desktop-file-validate "$prefix/share/applications/$id.desktop"
# AppStream 1.0 warns of the missing homepage, which the game does not have;
# older versions know no such warning and refuse to override it.
validate=(--no-net)
appstreamcli --version | grep -q 'version: 0\.' || validate+=(--override=url-homepage-missing=info)
appstreamcli validate "${validate[@]}" "$prefix/share/metainfo/$id.metainfo.xml"
# The tree check also finds the icon and the desktop entry the metainfo names.
appstreamcli validate-tree "${validate[@]}" "$prefix"
for size in 16x16 32x32 48x48 256x256; do
  [ -s "$prefix/share/icons/hicolor/$size/apps/$id.png" ] || { echo "icon $size missing" >&2; exit 1; }
done

# Desktops match the window to its menu entry and icon: Wayland ones by its
# app id, X11 ones by its window class.
wmclass=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/$id.desktop")
(
  . tools/virtual-screen.sh
  trap stop_virtual_screen EXIT
  start_virtual_screen wayland
  WAYLAND_DEBUG=client timeout 5 "$prefix/bin/wuselwort" 2>"$prefix/protocol.log" || true
  grep -q "set_app_id(\"$id\")" "$prefix/protocol.log" ||
    { echo "the window's app id is not $id" >&2; exit 1; }
  stop_virtual_screen

  start_virtual_screen x11
  QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark "$prefix/bin/wuselwort" &
  game=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Wuselwort$' | head -1)
  class=$(xprop -id "$window" WM_CLASS)
  # Give the first frame time to be painted.
  sleep 1
  import -window "$window" "$build/screenshot-dark.png"
  kill "$game"
  [[ $class == *"\"$wmclass\""* ]] ||
    { echo "the window's $class does not name $wmclass" >&2; exit 1; }
  echo "the game under a dark desktop theme: $(realpath "$build/screenshot-dark.png")"
)

tools/linux/orca-check.sh "$prefix/bin/wuselwort" "$build/orca.log"
