#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh $(cat tools/build-deps.txt)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target wuselwort
exec build/wuselwort
