// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sorted line: at most maxWord letters, the same letters as the word's
// first maxWord up to lowering and the blank shown as "~", in code order when
// capitals are kept, and the word's last letter at the end when asked and
// present.
#include "game/letters.h"
#include "support.h"

#include <algorithm>

namespace {

constexpr char blank = ' ';
constexpr char tilde = '~';

Text asShown(Text letters, bool lower)
{
    for (char &c : letters) {
        if (c == blank)
            c = tilde;
        else if (lower)
            c = static_cast<char>(text::lowered(static_cast<unsigned char>(c)));
    }
    return letters;
}

Text sorted(Text letters)
{
    std::sort(letters.begin(), letters.end(),
              [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    return letters;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool keepCapitals = input.ConsumeBool();
    const bool lastLetterAtEnd = input.ConsumeBool();
    const Text word = input.ConsumeRemainingBytesAsString();
    const Text line = sortedLetters(word, keepCapitals, lastLetterAtEnd);

    const Text head = word.substr(0, static_cast<std::size_t>(maxWord));
    check(line.size() == head.size(), "one letter for every letter of the head");
    check(sorted(asShown(line, true)) == sorted(asShown(head, true)),
          "the same letters up to case and blank");
    if (keepCapitals)
        check(sorted(line) == sorted(asShown(head, false)), "capitals kept: the same letters");
    if (keepCapitals && !lastLetterAtEnd)
        check(line == asShown(sorted(head), false), "capitals kept: code order");
    if (lastLetterAtEnd && !head.empty() && line.find(head.back()) != Text::npos)
        check(line.back() == head.back(), "the last letter at the end");
    return 0;
}
