#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package BUILD_DIR/wuselwort_<version>_<arch>.deb for the
# machine's release (Debian 12 or 13) with Debian's hardening flags, and
# prints its path.
# Usage: tools/linux/package.sh [BUILD_DIR]   (default build-pkg)
# Install it with: apt-get install ./build-pkg/wuselwort_*.deb
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-pkg}
tools/deps.sh $(cat tools/build-deps.txt) dpkg-dev
# dpkg-buildflags gives the compiler and linker flags of Debian's own packages
# (fortified functions, stack protector, read-only relocations, bind now).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
rm -f "$build"/wuselwort_*.deb
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack >/dev/null)
ls "$build"/wuselwort_*.deb
