// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/animal_draw.h"

namespace {

constexpr int lineFeed = 10;

} // namespace

DrawnName nameAt(const Text &list, long startPosition)
{
    const long size = text::length(list);
    long position = startPosition;
    // Skip to the character after the next line feed.
    while (position <= size && text::codeAt(list, position) != lineFeed)
        ++position;
    ++position;
    // The name's first character is not tested, so an empty line before a
    // name is measured as one character long, as the draw has always done.
    long zaehler = 1;
    while (position + zaehler <= size && text::codeAt(list, position + zaehler) != lineFeed)
        ++zaehler;
    return {position, zaehler};
}

Text nameText(const Text &list, const DrawnName &drawn)
{
    return text::mid(list, drawn.position, drawn.zaehler - 1);
}
