// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/controls.h"
#include "game/puzzle_state.h"
#include "game/thinking_clock.h"
#include "platform/random.h"

class Clock;
class Timer;

// The puzzle: one handler per event of the window, named after the control
// and the event, plus the three private procedures of the window. Every
// handler returns at once; the thinking-time clock goes on in timer callbacks.
class Game {
public:
    Game(Controls &controls, Random &random, Clock &clock, Timer &timer);

    // Start-up: sorts the initial solution text and hides the solution.
    void Form_Load();

    void Command2_Click();     // "Tier": a new puzzle
    void cmdMischen_Click();   // " mischen"
    void cmdSortieren_Click(); // "Sortieren"
    void cmdErster_Click();    // "1. Buchstabe"
    void cmdZweiter_Click();   // "2. Buchstabe"
    void cmdLetzter_Click();   // "letzter B."
    void Command1_Click();     // "Zeigen"
    void Command3_Click();     // "weiter"
    void Command4_Click();     // "stop"
    void HScroll1_Change();
    void cmdEnde_Click(); // "Ende"

private:
    void WortMischen(const Text &word);
    void WortSortieren(const Text &word);
    void UhrLaufen();

    void chooseHintMode();
    void drawAnimal();
    void appendToSorted(const Text &tail);

    Controls &controls_;
    FreshDraw draw_;
    PuzzleState state_;
    ThinkingClock thinkingClock_;
};
