// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"

#include <chrono>
#include <functional>

class Controls;
struct PuzzleState;

// The thinking-time clock: the snake sinks one step a second, the letters are
// reshuffled at every step, half time costs points and the bottom ends the
// puzzle. A run is a small state machine driven by a timer, so the window's
// own event loop keeps every control working and the process sleeps between
// steps.
//
// A run started during another run ("Tier" or "weiter") must behave as if it
// ran inside the wait or the first event processing that it interrupted; the
// interrupted runs are kept as data instead of nested calls, so that the call
// stack and the memory stay flat however often a player starts runs. A run
// interrupted in a wait ends without another step once the runs above it have
// ended; one interrupted before its first step still owes one step, and such
// owed steps are counted.
//
//   Idle     --startRun-->                           Starting
//   Starting --timer: reshuffle, step-->             Waiting, or end at the bottom
//   Waiting  --timer past the deadline-->            step (Abbruch 0) or end (Abbruch 1)
//   Resuming --timer at resumeAt_: reshuffle, step--> as from Starting
//   end      -->                                     Resuming if a step is owed, else Idle
// startRun during Starting or Resuming owes one more step; during Waiting it
// keeps that wait's deadline in resumeAt_.
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
    // Interrupted runs that still owe a step.
    long long owedSteps_ = 0;
    // An interrupted run may not take its owed step before the waits that were
    // interrupted above it have run out.
    std::chrono::nanoseconds resumeAt_{};
};
