// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shuffle: whatever the draws, it ends with every letter of the word's
// first maxWord used once, capitals lowered unless kept.
#include "fakes.h"
#include "game/letters.h"
#include "support.h"

#include <algorithm>

namespace {

Text sorted(Text letters)
{
    std::sort(letters.begin(), letters.end());
    return letters;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool keepCapitals = input.ConsumeBool();
    const Text word = input.ConsumeRandomLengthString(size);
    InputRandom random(input);
    FakeTime time;
    FreshDraw draw(random, time);
    const Text line = shuffledLetters(word, keepCapitals, draw);

    Text expected = word.substr(0, static_cast<std::size_t>(maxWord));
    if (!keepCapitals)
        for (char &c : expected)
            c = static_cast<char>(text::lowered(static_cast<unsigned char>(c)));
    check(sorted(line) == sorted(expected), "every letter of the head once");
    return 0;
}
