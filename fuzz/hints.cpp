// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game driven by any sequence of clicks, typing, ticks, speed changes and
// passing time, with any bytes in the fields the player can type into. The
// hints only append to the sorted line, cost exactly one point and leave the
// solution alone.
#include "fakes.h"
#include "game/letters.h"
#include "platform/numbers.h"
#include "support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <chrono>
#include <cmath>

namespace {

constexpr std::array<Field, 3> typedFields = {Field::txtSuchwort, Field::txtSortiert, Field::txtPunkte};
constexpr std::array<Box, 4> boxes = {Box::chkGrossbuchstaben, Box::chkLetzter, Box::chkMax, Box::chkStop};
// Longest hint tail: gap, two letters, 27 dot pairs, last letter.
constexpr std::size_t longestTail = 5 + 2 + 54 + 1;
// Enough clicks for any state; more only make each input slower.
constexpr int mostActions = 1000;
// F start-up, T "Tier", M " mischen", S "Sortieren", 1 2 L the hints,
// Z "Zeigen", W "weiter", s "stop", V the speed bar, t typing, k a box, w a
// wait, E "Ende".
constexpr std::array<char, 15> actions = {'F', 'T', 'M', 'S', '1', '2', 'L', 'Z',
                                          'W', 's', 'V', 't', 'k', 'w', 'E'};

struct Session : GameFixture {
    bool ownList = false;

    void hint(void (Game::*press)())
    {
        const Text solution = controls.texts[Field::txtSuchwort];
        const Text sorted = controls.texts[Field::txtSortiert];
        const double score = numbers::valueOf(controls.texts[Field::txtPunkte]);
        (game.*press)();
        const Text &after = controls.texts[Field::txtSortiert];
        check(controls.texts[Field::txtSuchwort] == solution, "a hint leaves the solution alone");
        check(after.compare(0, sorted.size(), sorted) == 0, "a hint only appends");
        check(after.size() - sorted.size() <= longestTail, "a hint appends at most the whole tail");
        check(numbers::valueOf(controls.texts[Field::txtPunkte]) == score - 1, "a hint costs one point");
    }

    void act(FuzzedDataProvider &input, char action)
    {
        switch (action) {
        case 'F': return game.Form_Load();
        case 'T': return game.Command2_Click();
        case 'M': return game.cmdMischen_Click();
        case 'S': return game.cmdSortieren_Click();
        case '1': return hint(&Game::cmdErster_Click);
        case '2': return hint(&Game::cmdZweiter_Click);
        case 'L': return hint(&Game::cmdLetzter_Click);
        case 'Z': return game.Command1_Click();
        case 'W': return game.Command3_Click();
        case 's': return game.Command4_Click();
        case 'V': controls.speedValue = input.ConsumeIntegralInRange(1, 5); return game.HScroll1_Change();
        case 't':
            controls.texts[input.PickValueInArray(typedFields)] = input.ConsumeRandomLengthString();
            return;
        case 'k': {
            const Box box = input.PickValueInArray(boxes);
            const int value = input.ConsumeIntegral<int>();
            // The draw repeats while "max 10" rejects the name, which on a
            // list of long names never ends.
            if (!(box == Box::chkMax && ownList && value == 1))
                controls.values[box] = value;
            return;
        }
        case 'w': return time.advance(std::chrono::milliseconds(input.ConsumeIntegralInRange(0, 2500)));
        case 'E': return game.cmdEnde_Click();
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Session session;
    for (int draws = input.ConsumeIntegralInRange(0, 64); draws > 0; --draws)
        session.random.script.push_back(input.ConsumeFloatingPointInRange(0.0f, std::nextafter(1.0f, 0.0f)));
    for (const Field field : typedFields)
        session.controls.texts[field] = input.ConsumeRandomLengthString();
    session.ownList = input.ConsumeBool();
    if (session.ownList)
        session.controls.animals = input.ConsumeRandomLengthString();

    for (int i = 0; i < mostActions && input.remaining_bytes() > 0 && !session.controls.ended; ++i) {
        session.act(input, input.PickValueInArray(actions));
        check(session.controls.texts[Field::txtAusgabe].size() <= static_cast<std::size_t>(maxWord),
              "the shuffle shows at most maxWord letters");
    }
    return 0;
}
