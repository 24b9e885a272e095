#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game for the browser into build-web/, a folder of static files
# that any web server can serve: the page (index.html, its script and style
# sheet, the icons), the program (wuselwort.js, wuselwort.wasm) with Qt's
# loader (qtloader.js), the licences and the source. Packs the folder as
# build-web/wuselwort-VERSION-web.zip and prints the zip's path.
# With --serve it then serves the folder on localhost (tools/web/serve.py)
# and prints the address; Ctrl-C ends it.
# The program is compiled with Debian 13's emscripten against a static Qt for
# WebAssembly (tools/web/qt.sh), in build-web-cmake/. On an older Debian the
# build runs in a Debian 13 root.
# Usage: tools/web/build.sh [--serve]
set -euo pipefail
cd "$(dirname "$0")/../.."

serve=
case "${1:-}" in
  --serve) serve=yes ;;
  "") ;;
  *) echo "usage: tools/web/build.sh [--serve]" >&2; exit 2 ;;
esac

# >>> Other releases build in a Debian 13 root (tools/roots.sh): Debian 12's
# emscripten is too old for Qt 6.8, and the host tools must be Debian 13's Qt
# 6.8.2. Serving needs nothing of Debian 13.
. tools/roots.sh
if [ "$(release_of_machine)" != trixie ]; then
  run_in_release trixie tools/web/build.sh
  if [ -n "$serve" ]; then
    tools/deps.sh python3 >&2
    exec python3 tools/web/serve.py build-web
  fi
  exit 0
fi
# <<<

qt=$(tools/web/qt.sh)
export EMSDK=$PWD/build-web-qt/emsdk
tools/deps.sh fonts-liberation python3-fonttools zip gzip git >&2
cmake=build-web-cmake
cmake -G Ninja -S . -B $cmake \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >&2
cmake --build $cmake -j"$(nproc)" --target wuselwort >&2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $cmake/CMakeCache.txt)

out=build-web
name=wuselwort-$version
rm -rf "$out" && mkdir -p "$out"
cp $cmake/wuselwort.js $cmake/wuselwort.wasm $cmake/qtloader.js "$out/"
wasm_bytes=$(stat -c %s "$out/wuselwort.wasm")
# A new build gets new addresses, so that no browser pairs an old script with
# a new program from its cache.
stamp=$(cat "$out/wuselwort.js" "$out/wuselwort.wasm" packaging/web/* | sha256sum | cut -c1-12)
for page in index.html start.js wuselwort.css; do
  sed -e "s/@VERSION@/$version/g" -e "s/@STAMP@/$stamp/g" -e "s/@WASM_BYTES@/$wasm_bytes/g" \
    "packaging/web/$page" >"$out/$page"
done
cp data/smiley.ico "$out/favicon.ico"
cp data/icons/hicolor/256x256/apps/de.wuselwort.Wuselwort.png "$out/wuselwort.png"
cp LICENSE "$out/LICENSE.txt"
cp data/CREDITS "$out/CREDITS.txt"
cp packaging/web/LIZENZEN.txt "$out/LIZENZEN.txt"
cp /usr/share/doc/fonts-liberation/copyright "$out/OFL.txt"

# The source of what was built, as the GPL asks: the tracked files as they
# stand in the work tree (Qt's source is Debian's, as the page says).
git() { command git -c safe.directory="$PWD" "$@"; }
epoch=$(git log -1 --format=%ct 2>/dev/null || date +%s)
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z | while IFS= read -r -d '' file; do [ ! -f "$file" ] || printf '%s\0' "$file"; done
else
  find . \( -path './build*' -o -path ./.git -o -name node_modules \) -prune -o -type f -printf '%P\0'
fi | tar --null -T - --transform "s|^|$name/|" --sort=name --mtime="@$epoch" \
  --owner=0 --group=0 --numeric-owner -cf - | gzip -9 -n >"$out/$name-quelltext.tar.gz"

# The archive unpacks into a folder of its own.
zip=$out/$name-web.zip
stage=$(mktemp -d)
ln -s "$PWD/$out" "$stage/$name-web"
(cd "$stage" && zip -q -X -9 -r "$name-web.zip" "$name-web")
mv "$stage/$name-web.zip" "$zip"
rm -rf "$stage"
echo "wuselwort.wasm: $wasm_bytes bytes, $(gzip -9c "$out/wuselwort.wasm" | wc -c) gzipped;" \
  "wuselwort.js: $(stat -c %s "$out/wuselwort.js") bytes, $(gzip -9c "$out/wuselwort.js" | wc -c) gzipped" >&2
echo "$zip"
if [ -n "$serve" ]; then
  exec python3 tools/web/serve.py "$out"
fi
