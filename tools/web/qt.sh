#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes sure a static, single-threaded Qt 6.8.2 for WebAssembly is there and
# prints its install prefix; everything else goes to stderr. Debian 13 only:
# older emscripten cannot build this Qt (tools/web/build.sh takes care of that).
# It installs Debian's emscripten and Qt's host tools, then takes the prebuilt
# Qt from ../shared/web/ beside this repository when it is there (unpacked once
# into build-web-qt/), else builds it from Debian's own qtbase source, which
# takes about 50 minutes on 2 cores and needs deb-src lines (added if missing).
# Qt asks $EMSDK for its compiler: build-web-qt/emsdk is a stand-in that points
# at Debian's emscripten; programs are configured with EMSDK set to it.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$top/build-web-qt
prefix=$out/qt6.8.2-wasm
emsdk=$out/emsdk
shared=$top/../shared/web
tarball=$shared/qt6.8.2-wasm-static.tar.xz
tarball_sha256=ae262793896dd5827e13b3d59f74b34ca5408de639ace375f77f7ee376a9db00

"$top/tools/deps.sh" emscripten cmake ninja-build qt6-base-dev qt6-base-dev-tools xz-utils python3 >&2
# The host tools (moc, uic, rcc) must be of the same version as the Qt they serve.
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
case $host_version in
  6.8.2+*) ;;
  *) echo "tools/web/qt.sh: needs Debian 13's Qt 6.8.2 host tools, found $host_version" >&2; exit 1 ;;
esac
mkdir -p "$out"

mkdir -p "$emsdk/upstream"
ln -sfn /usr/share/emscripten "$emsdk/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"

# The stamp names what the prefix was made from; a different source makes it anew.
from_shared() {
  local stamp="shared $tarball_sha256"
  if [ "$(cat "$out/stamp" 2>/dev/null)" != "$stamp" ] || [ ! -d "$prefix" ]; then
    echo "$tarball_sha256  $tarball" | sha256sum --check --quiet >&2
    rm -rf "$prefix" "$out/stamp"
    tar -C "$out" -xJf "$tarball"
    echo "$stamp" >"$out/stamp"
  fi
}

ensure_deb_src() {
  apt-get source --print-uris qt6-base >/dev/null 2>&1 && return
  # A Debian 13 install lists its sources in deb822 form, a root made by
  # debootstrap in the one-line form.
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/wuselwort-src.sources
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/wuselwort-src.list
  fi
  apt-get -o DPkg::Lock::Timeout=900 update -qq
}

# Debian's qtbase with Debian's patches, the version of the host tools,
# compiled with Debian's emscripten: Core, Gui, Widgets, OpenGL (WebGL) and
# Test, the wasm platform plugin, the GIF, ICO and JPEG readers; bundled zlib,
# libpng, FreeType, HarfBuzz and PCRE2; nothing the game does not need.
from_source() {
  local version stamp work=$out/work
  version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
  stamp="source $version"
  [ "$(cat "$out/stamp" 2>/dev/null)" = "$stamp" ] && [ -d "$prefix" ] && return
  "$top/tools/deps.sh" dpkg-dev perl >&2
  ensure_deb_src >&2
  rm -rf "$work" "$prefix" "$out/stamp" && mkdir -p "$work"
  (cd "$work" && apt-get source --download-only "qt6-base=$version" >&2 &&
    dpkg-source --no-check -x qt6-base_*.dsc qtbase >&2)
  # The wasm theme uses QPalette without including it; only a build with
  # precompiled headers gets it by chance.
  grep -q 'qpalette.h' "$work/qtbase/src/plugins/platforms/wasm/qwasmtheme.cpp" ||
    sed -i 's|#include <QtCore/qvariant.h>|#include <QtCore/qvariant.h>\n#include <QtGui/qpalette.h>|' \
      "$work/qtbase/src/plugins/platforms/wasm/qwasmtheme.cpp"
  mkdir -p "$work/build"
  (cd "$work/build" && EMSDK=$emsdk ../qtbase/configure -platform wasm-emscripten -qt-host-path /usr \
    -prefix "$prefix" -release -static -optimize-size -no-pch -nomake examples -nomake tests \
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-dbus \
    -no-feature-concurrent -no-feature-printsupport \
    -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DFEATURE_warnings_are_errors=OFF >&2)
  EMSDK=$emsdk cmake --build "$work/build" --parallel "$(nproc)" >&2
  cmake --install "$work/build" >&2
  # Debian's source makes Qt skip its plugins unless asked; a static Qt must
  # link its platform plugin into every program, so this one includes them.
  grep -rlZ 'set(QT_SKIP_AUTO_PLUGIN_INCLUSION ON)' "$prefix/lib/cmake" |
    xargs -0 -r sed -i 's/set(QT_SKIP_AUTO_PLUGIN_INCLUSION ON)/set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)/' || true
  rm -rf "$prefix/sbom" "$work"
  echo "$stamp" >"$out/stamp"
}

if [ -f "$tarball" ]; then
  from_shared
else
  from_source
fi
echo "$prefix"
