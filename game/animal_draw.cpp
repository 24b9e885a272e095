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
    // The name's first character is not tested: on a list of CR LF lines it
    // is always a letter, and the distance counts the name and its carriage
    // return, which is what "max 10 Buchstaben" limits.
    long distance = 1;
    while (position + distance <= size && text::codeAt(list, position + distance) != lineFeed)
        ++distance;
    return {position, distance};
}

Text nameText(const Text &list, const DrawnName &drawn)
{
    return text::mid(list, drawn.position, drawn.distanceToLineFeed - 1);
}
