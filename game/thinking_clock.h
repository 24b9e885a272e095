// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"

#include <chrono>
#include <functional>

class Controls;
struct PuzzleState;

// The thinking-time clock: the snake sinks one step a second, the letters are
// reshuffled at every step, half time costs 2 points and the bottom ends the
// puzzle. A run is a small state machine driven by a timer, so the window's
// own event loop keeps every control working and the process sleeps between
// steps.
//
// A run that starts while another runs (a new puzzle or "weiter") takes over;
// the interrupted run is kept as data, not as a nested call. An interrupted
// run that was waiting out a second ends without another step once the runs
// above it have ended, so it leaves nothing behind but the end of its wait.
// One that was interrupted before its first step still owes a reshuffle, one
// step and one wait: such runs are counted. The call stack and the memory thus
// stay the same however often a player starts runs.
class ThinkingClock {
public:
    struct Actions {
        std::function<void()> reshuffle; // cmdMischen_Click
        std::function<void()> reveal;    // Command1_Click
    };

    ThinkingClock(Controls &controls, PuzzleState &state, Clock &clock, Timer &timer, Actions actions);

    // One clock run (UhrLaufen). It returns at once; the run goes on in timer
    // callbacks until Abbruch is found at 1 after a wait, or the snake reaches
    // the bottom.
    void startRun();

    bool running() const { return phase_ != Phase::Idle; }
    // Interrupted runs that still owe a step.
    long long owedSteps() const { return owedSteps_; }

private:
    enum class Phase {
        Idle,
        Starting, // letting the window process events before the first step
        Waiting,  // waiting out the second after a step
        Resuming, // an interrupted run will take its owed step at resumeAt_
    };

    void onTimer();
    void step();
    void endRun();
    void waitUntil(std::chrono::nanoseconds time);

    Controls &controls_;
    PuzzleState &state_;
    Clock &clock_;
    Timer &timer_;
    Actions actions_;

    Phase phase_ = Phase::Idle;
    std::chrono::nanoseconds deadline_{};
    long long owedSteps_ = 0;
    // An interrupted run may not take its owed step before the waits that were
    // interrupted above it have run out.
    std::chrono::nanoseconds resumeAt_{};
};
