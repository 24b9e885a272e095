// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/hints.h"

#include <algorithm>

namespace hints {

Text dotsFor(const Text &word)
{
    static const Text dotRow = ". . . . . . . . . . . . . . . . . . . . . . . . . . . ";
    return text::mid(dotRow, 1, 2 * text::length(word) - 6);
}

const Mode *modeOf(std::int32_t hilfemodus)
{
    const auto found = std::find_if(modes.begin(), modes.end(),
                                    [=](const Mode &mode) { return mode.hilfemodus == hilfemodus; });
    return found == modes.end() ? nullptr : &*found;
}

} // namespace hints
