// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakes.h"
#include "game/game.h"

#include <QByteArray>

// The game on the fake window, with scripted draws and virtual time.
struct GameFixture {
    FakeControls controls;
    ScriptedRandom random;
    FakeTime time;
    Game game{controls, random, time, time};

    // "Tier" on a given name of the built-in list under the given options.
    void puzzle(const Text &name, int grossbuchstaben = 1, int letzter = 1)
    {
        controls.values[Box::chkGrossbuchstaben] = grossbuchstaben;
        controls.values[Box::chkLetzter] = letzter;
        random.script = {drawOf(name)};
        game.Command2_Click();
    }
    QByteArray field(Field f) const { return QByteArray::fromStdString(controls.texts.at(f)); }
    // "1. Buchstabe", "2. Buchstabe" and "letzter B." as 1, 2 and L where shown.
    QByteArray shownHints() const
    {
        return QByteArray(controls.visible.at(Shown::cmdErster) ? "1" : "-") +
               (controls.visible.at(Shown::cmdZweiter) ? "2" : "-") +
               (controls.visible.at(Shown::cmdLetzter) ? "L" : "-");
    }
};
