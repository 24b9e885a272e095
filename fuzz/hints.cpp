// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game driven by any sequence of clicks, typing, ticks, speed changes and
// passing time, with any bytes in the fields the player can type into. The
// hints only append to the sorted line, cost exactly one point and leave the
// solution alone.
#include "fakes.h"
#include "game/game.h"
#include "game/letters.h"
#include "platform/numbers.h"
#include "support.h"

#include <array>
#include <chrono>

namespace {

enum class Action {
    formLoad,
    tier,
    mischen,
    sortieren,
    erster,
    zweiter,
    letzter,
    zeigen,
    weiter,
    stop,
    speed,
    type,
    tick,
    wait,
    ende,
    kMaxValue = ende
};

constexpr std::array<Field, 3> typedFields = {Field::txtSuchwort, Field::txtSortiert, Field::txtPunkte};
constexpr std::array<Box, 4> boxes = {Box::chkGrossbuchstaben, Box::chkLetzter, Box::chkMax, Box::chkStop};
// Longest hint tail: gap, two letters, 27 dot pairs, last letter.
constexpr std::size_t longestTail = 5 + 2 + 54 + 1;
// Enough clicks for any state; more only make each input slower.
constexpr int mostActions = 1000;

struct Session {
    explicit Session(FuzzedDataProvider &data) : input(data) {}

    FuzzedDataProvider &input;
    FakeControls controls;
    InputRandom random{input};
    FakeTime time;
    Game game{controls, random, time, time};
    bool ownList = false;

    Text field(Field f) const { return controls.texts.at(f); }

    void hint(void (Game::*press)())
    {
        const Text solution = field(Field::txtSuchwort);
        const Text sorted = field(Field::txtSortiert);
        const double score = numbers::valueOf(field(Field::txtPunkte));
        (game.*press)();
        const Text after = field(Field::txtSortiert);
        check(field(Field::txtSuchwort) == solution, "a hint leaves the solution alone");
        check(after.compare(0, sorted.size(), sorted) == 0, "a hint only appends");
        check(after.size() - sorted.size() <= longestTail, "a hint appends at most the whole tail");
        check(numbers::valueOf(field(Field::txtPunkte)) == score - 1, "a hint costs one point");
    }

    void act(Action action)
    {
        switch (action) {
        case Action::formLoad: return game.Form_Load();
        case Action::tier: return game.Command2_Click();
        case Action::mischen: return game.cmdMischen_Click();
        case Action::sortieren: return game.cmdSortieren_Click();
        case Action::erster: return hint(&Game::cmdErster_Click);
        case Action::zweiter: return hint(&Game::cmdZweiter_Click);
        case Action::letzter: return hint(&Game::cmdLetzter_Click);
        case Action::zeigen: return game.Command1_Click();
        case Action::weiter: return game.Command3_Click();
        case Action::stop: return game.Command4_Click();
        case Action::speed:
            controls.speedValue = input.ConsumeIntegral<int>();
            game.HScroll1_Change();
            check(field(Field::Text1) == numbers::plainText(controls.speedValue), "the speed is shown");
            return;
        case Action::type:
            controls.texts[input.PickValueInArray(typedFields)] = input.ConsumeRandomLengthString();
            return;
        case Action::tick: {
            const Box box = input.PickValueInArray(boxes);
            const int value = input.ConsumeIntegral<int>();
            // The draw repeats while "max 10" rejects the name, which on a
            // list of long names never ends.
            if (!(box == Box::chkMax && ownList && value == 1))
                controls.values[box] = value;
            return;
        }
        case Action::wait:
            return time.advance(std::chrono::milliseconds(input.ConsumeIntegralInRange(0, 2500)));
        case Action::ende: return game.cmdEnde_Click();
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Session session(input);
    for (const Field field : typedFields)
        session.controls.texts[field] = input.ConsumeRandomLengthString();
    session.ownList = input.ConsumeBool();
    if (session.ownList)
        session.controls.texts[Field::txtTiere] = input.ConsumeRandomLengthString();

    for (int actions = 0; actions < mostActions && input.remaining_bytes() > 0 && !session.controls.ended;
         ++actions) {
        session.act(input.ConsumeEnum<Action>());
        check(session.field(Field::txtAusgabe).size() <= static_cast<std::size_t>(maxWord),
              "the shuffle shows at most maxWord letters");
    }
    return 0;
}
