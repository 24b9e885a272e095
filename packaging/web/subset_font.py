#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Cuts a font down to the characters of Windows-1252 and names it anew.

The game's text is Windows-1252 throughout, so no field can hold a character
beyond that repertoire. A font cut down is a modified version under the SIL Open
Font License, which may not keep a reserved name such as "Liberation": the
result is named FAMILY instead, and says where it came from.

Usage: subset_font.py SOURCE.ttf FAMILY OUTPUT.ttf
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def main(source, family, output):
    # Every character a code of Windows-1252 stands for; the five unassigned
    # codes stand for control characters, which have no glyph anyway.
    repertoire = bytes(range(0x20, 0x100)).decode("cp1252", errors="ignore")
    options = subset.Options()
    options.notdef_outline = True
    # The copyright and licence stay with the font.
    options.name_IDs = ["*"]
    # FontForge's time stamps, which nothing reads.
    options.drop_tables += ["FFTM"]
    # The same bytes from every build.
    font = TTFont(source, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes={ord(c) for c in repertoire})
    subsetter.subset(font)

    names = font["name"]
    origin = names.getDebugName(4)
    style = names.getDebugName(2)
    for name_id in (16, 17, 18, 21, 22):
        names.removeNames(nameID=name_id)
    postscript = family.replace(" ", "") + "-" + style.replace(" ", "")
    full = family if style == "Regular" else family + " " + style
    for name_id, text in ((1, family), (2, style), (3, postscript + " (Wuselwort)"), (4, full),
                          (6, postscript),
                          (10, origin + ", cut to the characters of Windows-1252 for Wuselwort")):
        names.setName(text, name_id, 3, 1, 0x409)
    font.save(output)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
