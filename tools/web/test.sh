#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game for the browser (tools/web/build.sh) and plays it in
# Debian's Chromium, headless, driven by playwright-core from npm with that
# browser (tests/web, pinned by its lock file; no browser is downloaded):
# puzzles by mouse, keyboard and touch, pictures at device pixel ratios 1 and
# 2 and at tablet width, the accessibility tree, random play, and a browser
# without WebAssembly or WebGL, failed and broken downloads, resized and
# turned windows, a page in the background for minutes, input while loading.
# Any error or warning in the browser's console fails it. Pictures and the
# random play's log go to build-web-tests/.
# Debian 13 only (its emscripten builds the game): on Debian 12 it runs in a
# Debian 13 root (tools/roots.sh).
# RANDOM_PLAY_SECONDS (60) and RANDOM_PLAY_SEED set the random play,
# BACKGROUND_MINUTES (5) the time in the background; arguments go to node's
# test runner (e.g. --test-name-pattern=Tier).
set -euo pipefail
cd "$(dirname "$0")/../.."
. tools/roots.sh
export ROOTS_ENV="${ROOTS_ENV:-} RANDOM_PLAY_SECONDS RANDOM_PLAY_SEED BACKGROUND_MINUTES"
needs_release trixie tools/web/test.sh "$@"

tools/web/build.sh >/dev/null
tools/deps.sh chromium nodejs npm ca-certificates
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
mkdir -p build-web-tests
echo "Web: $(chromium --version 2>/dev/null | head -n 1), node $(node --version)"
# One file at a time: the browser's work is timed by the game's own clock.
cd tests/web
exec node --test --test-concurrency=1 "$@" ./*.test.mjs
