// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

#include <array>
#include <cstdint>

namespace hints {

// The gap between the sorted letters and the hints: five blanks.
inline const Text gap = "     ";

// One dot and blank for every letter between the second and the last, at
// most 27 pairs; none for a word of fewer than four characters.
Text dotsFor(const Text &word);

// A hint mode (Hilfemodus) and what it offers. With capitals kept, the capital
// initial already stands in front of the sorted letters, so "2. Buchstabe"
// gives the first letter along with the second; with the last letter moved to
// the end of the sorted line, "2. Buchstabe" gives the pattern up to the last
// letter at once. Otherwise each has a button of its own.
struct Mode {
    std::int32_t hilfemodus;
    int grossbuchstaben; // the Values of the two boxes that choose the mode
    int letzter;
    bool firstLetterOwnButton; // "1. Buchstabe"
    bool lastLetterOwnButton;  // "letzter B.", shown after "2. Buchstabe"
};

inline constexpr auto modes = std::to_array<Mode>({
    {1, 1, 1, false, false},
    {2, 1, 0, false, true},
    {3, 0, 1, true, false},
    {4, 0, 0, true, true},
});

// The mode of a Hilfemodus value, or nullptr for 0, before the first puzzle,
// when the hints append nothing.
const Mode *modeOf(std::int32_t hilfemodus);

} // namespace hints
