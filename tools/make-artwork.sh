#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds data/smiley.ico, data/schlange.bmp and data/tiere.bmp, their
# double-resolution versions data/schlange@2x.png and data/tiere@2x.png and
# the desktop icons in data/icons/hicolor from the drawings in
# tools/artwork/own, the openclipart collection and two icons of an npm icon
# set. The results are committed, so only whoever changes the
# artwork needs to run this. Running it again gives the same bytes.
#
# Usage: tools/make-artwork.sh [PREVIEW_DIR]
#   PREVIEW_DIR  also write enlarged PNG previews there
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
fluent_package=@iconify-json/fluent-emoji-high-contrast@1.2.6

# Installs the Debian packages the generator needs (root or sudo only when
# something is missing).
"$root/tools/deps.sh" openclipart-svg librsvg2-bin python3 python3-numpy python3-pil
command -v npm >/dev/null || "$root/tools/deps.sh" npm

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# npm checks the tarball against the registry's recorded integrity hash.
(cd "$work" && npm pack --silent "$fluent_package" >/dev/null && tar -xzf ./*.tgz)

# Debian's interpreter, where numpy and Pillow were installed.
/usr/bin/python3 "$root/tools/artwork/make_artwork.py" "$root/data" \
  "$work/package/icons.json" "${1:-}"
