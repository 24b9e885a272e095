// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakes.h"
#include "game/game.h"
#include "game/letters.h"

#include <QByteArray>

inline constexpr long startPositions = 6149;

// The draw that lands on the line feed in front of a name of the built-in list.
inline float drawOf(const Text &name)
{
    const std::size_t at = builtInAnimalList().find("\n" + name + "\r\n");
    return drawFor(static_cast<long>(at) + 1, startPositions);
}

struct GameFixture {
    FakeControls controls;
    ScriptedRandom random;
    FakeTime time;
    Game game{controls, random, time, time};

    // Starts a puzzle on a given name under the given options.
    void puzzle(const Text &name, int grossbuchstaben, int letzter)
    {
        controls.values[Box::chkGrossbuchstaben] = grossbuchstaben;
        controls.values[Box::chkLetzter] = letzter;
        random.script = {drawOf(name)};
        game.Command2_Click();
    }
    QByteArray field(Field f) const { return QByteArray::fromStdString(controls.texts.at(f)); }
    QByteArray visibleHints() const
    {
        QByteArray result;
        result += controls.visible.at(Shown::cmdErster) ? '1' : '-';
        result += controls.visible.at(Shown::cmdZweiter) ? '2' : '-';
        result += controls.visible.at(Shown::cmdLetzter) ? 'L' : '-';
        return result;
    }
    void press(char hint)
    {
        if (hint == '1')
            game.cmdErster_Click();
        else if (hint == '2')
            game.cmdZweiter_Click();
        else
            game.cmdLetzter_Click();
    }
};
