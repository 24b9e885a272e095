#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build-pkg/wuselwort_<version>_<arch>.deb with
# Debian's hardening flags, and prints its path.
# Install it with: apt-get install ./build-pkg/wuselwort_*.deb
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/deps.sh $(cat tools/build-deps.txt) dpkg-dev
# dpkg-buildflags gives the compiler and linker flags of Debian's own packages
# (fortified functions, stack protector, read-only relocations, bind now).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
rm -f build-pkg/wuselwort_*.deb
cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF
cmake --build build-pkg -j"$(nproc)"
(cd build-pkg && cpack >/dev/null)
ls build-pkg/wuselwort_*.deb
