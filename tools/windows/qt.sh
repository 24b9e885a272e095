#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes sure a static Qt 6.4.2 for 64-bit Windows (MinGW-w64) is there and
# prints its install prefix; everything else goes to stderr.
# It installs the cross compiler and Qt's host tools, then takes the prebuilt Qt
# from ../shared/windows/ beside this repository when it is there (unpacked once
# into build-windows-qt/), else builds it from Debian's qtbase source, which
# takes about an hour on 2 cores and needs deb-src lines (added if missing).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$top/build-windows-qt
prefix=$out/qt6-mingw
shared=$top/../shared/windows
tarball=$shared/qt6.4.2-mingw-static.tar.xz
tarball_sha256=06289c16d83ad0eea4dc7953265b48ea913bcc45fa768da95ef81e73313420b5

"$top/tools/deps.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  cmake ninja-build qt6-base-dev qt6-base-dev-tools xz-utils >&2
mkdir -p "$out"

# The stamp names what the prefix was made from; a different source makes it anew.
from_shared() {
  local stamp="shared $tarball_sha256"
  if [ "$(cat "$out/stamp" 2>/dev/null)" != "$stamp" ]; then
    echo "$tarball_sha256  $tarball" | sha256sum --check --quiet >&2
    rm -rf "$prefix" "$out/stamp"
    tar -C "$out" -xJf "$tarball"
    echo "$stamp" >"$out/stamp"
  fi
}

ensure_deb_src() {
  apt-get source --print-uris qt6-base >/dev/null 2>&1 && return
  sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
    >/etc/apt/sources.list.d/wuselwort-src.sources
  apt-get -o DPkg::Lock::Timeout=900 update -qq
}

# Debian's qtbase, the version of the host tools, cross-compiled with four mends:
# - Debian's source leaves out the Wintab tablet headers: the Windows plugin is
#   built without Wintab tablets (a pen still moves and clicks as a mouse does);
# - without OpenGL, the plugin still asks the dynamic OpenGL loader in one place;
# - DirectWrite fonts are built without Direct2D (only its colour-font path needs it).
from_source() {
  local version stamp src work=$out/work
  version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
  stamp="source $version"
  [ "$(cat "$out/stamp" 2>/dev/null)" = "$stamp" ] && return
  "$top/tools/deps.sh" dpkg-dev perl >&2
  ensure_deb_src >&2
  src=$work/qtbase-everywhere-src-${version%%+*}
  rm -rf "$work" "$prefix" "$out/stamp" && mkdir -p "$work"
  (cd "$work" && apt-get source --download-only "qt6-base=$version" >&2 && tar xf qt6-base_*.orig.tar.xz)
  (cd "$src/src/plugins/platforms/windows" &&
    sed -i 's|QT_CONFIG(tabletevent)|0 // built without the Wintab headers|' qwindowscontext.cpp \
      qwindowspointerhandler.cpp qwindowspointerhandler.h &&
    sed -i 's|CONDITION QT_FEATURE_tabletevent$|CONDITION FALSE|' CMakeLists.txt &&
    sed -i 's|^#if QT_CONFIG(dynamicgl)$|#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)|' qwindowswindow.cpp)
  (cd "$src/src/gui" &&
    sed -i 's/^qt_internal_extend_target(Gui CONDITION QT_FEATURE_direct2d AND QT_FEATURE_directwrite AND/qt_internal_extend_target(Gui CONDITION QT_FEATURE_directwrite AND/' CMakeLists.txt &&
    sed -i 's/QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/QT_CONFIG(directwrite)/; s/^#if QT_CONFIG(direct2d)$/#if QT_CONFIG(directwrite)/' \
      text/windows/qwindowsfontdatabasebase.cpp text/windows/qwindowsfontdatabase.cpp)
  cmake -G Ninja -S "$src" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$top/packaging/windows/mingw-toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_openssl=OFF >&2
  cmake --build "$work/build" --parallel "$(nproc)" >&2
  cmake --install "$work/build" >&2
  # Qt's toolchain file loads the MinGW one from where it was at configure time.
  cp "$top/packaging/windows/mingw-toolchain.cmake" "$prefix/lib/cmake/Qt6/"
  sed -i "s|\"$top/packaging/windows/mingw-toolchain.cmake\"|\"\${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake\"|" \
    "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
  rm -rf "$work"
  echo "$stamp" >"$out/stamp"
}

if [ -f "$tarball" ]; then
  from_shared
else
  from_source
fi
echo "$prefix"
