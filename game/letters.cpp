// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/letters.h"

#include "platform/random.h"

#include <algorithm>
#include <array>

namespace {

constexpr int blank = 32;
constexpr int tilde = 126;

// The letter table of both procedures; index 0 stays unused.
using Feld = std::array<int, maxWord + 1>;

} // namespace

Text shuffledLetters(const Text &word, bool keepCapitals, FreshDraw &draw)
{
    const long laenge = std::min(text::length(word), maxWord);
    Feld taken{};
    Text ergebnis;
    ergebnis.reserve(static_cast<std::size_t>(laenge));
    for (long zaehler = 0; zaehler < laenge;) {
        const long position = draw.oneTo(laenge);
        if (taken[static_cast<std::size_t>(position)] != 0)
            continue;
        const int zeichencode = text::codeAt(word, position);
        ergebnis += text::fromCode(keepCapitals ? zeichencode : text::lowered(zeichencode));
        ++zaehler;
        taken[static_cast<std::size_t>(position)] = 1;
    }
    return ergebnis;
}

Text sortedLetters(const Text &word, bool keepCapitals, bool lastLetterAtEnd)
{
    const long laenge = std::min(text::length(word), maxWord);
    Feld feld{};
    const auto at = [&feld](long index) -> int & { return feld[static_cast<std::size_t>(index)]; };
    for (long position = 1; position <= laenge; ++position)
        at(position) = text::codeAt(word, position);

    // A full bubble sort; the capital at the outer pass's index is lowered
    // after every inner step, not before the sort, and that order shows in
    // what the player sees for mixed-case entries.
    for (long position = 1; position <= laenge - 1; ++position) {
        for (long zaehler = 1; zaehler <= laenge - 1; ++zaehler) {
            if (at(zaehler) > at(zaehler + 1))
                std::swap(at(zaehler), at(zaehler + 1));
            if (!keepCapitals)
                at(position) = text::lowered(at(position));
        }
    }

    Text ergebnis;
    ergebnis.reserve(static_cast<std::size_t>(laenge));
    for (long position = 1; position <= laenge; ++position)
        ergebnis += text::fromCode(at(position) == blank ? tilde : at(position));

    // The word's last character, as it stands in the word, moves from its
    // first place in the line to the end; an empty word has none to move.
    if (lastLetterAtEnd && laenge > 0) {
        const char endbuchstabe = word[static_cast<std::size_t>(laenge - 1)];
        if (ergebnis.back() != endbuchstabe) {
            const std::size_t position = ergebnis.find(endbuchstabe);
            if (position != Text::npos) {
                ergebnis.erase(position, 1);
                ergebnis += endbuchstabe;
            }
        }
    }
    return ergebnis;
}
