// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/thinking_clock.h"

#include "game/controls.h"
#include "game/puzzle_state.h"
#include "game/score.h"

using namespace std::chrono_literals;

namespace {

// The first step below the middle of the frame costs the half-time deduction.
constexpr float halfTime = snakeFrameScale / 2;

// How far the snake sinks in a step: 9 units at the shortest thinking time
// (speed 1), 1 unit at the longest (speed 5).
int snakeStep(int speed)
{
    return 11 - 2 * speed;
}

} // namespace

ThinkingClock::ThinkingClock(Controls &controls, PuzzleState &state, Clock &clock, Timer &timer,
                             Actions actions)
    : controls_(controls), state_(state), clock_(clock), timer_(timer), actions_(std::move(actions))
{
    timer_.setCallback([this] { onTimer(); });
}

void ThinkingClock::startRun()
{
    switch (phase_) {
    case Phase::Idle: break;
    case Phase::Starting:
        // Interrupted before its first step: it owes one, and nothing above it
        // holds it back yet.
        ++owedSteps_;
        resumeAt_ = {};
        break;
    case Phase::Waiting: resumeAt_ = std::max(resumeAt_, deadline_); break;
    case Phase::Resuming:
        // The owed step was about to be taken; it is owed again.
        ++owedSteps_;
        break;
    }
    phase_ = Phase::Starting;
    // Return to the event loop once before the first step, so that clicks
    // that came in meanwhile are handled first.
    timer_.start(0ns);
}

void ThinkingClock::onTimer()
{
    switch (phase_) {
    case Phase::Idle: return;
    case Phase::Resuming: resumeAt_ = {}; [[fallthrough]];
    case Phase::Starting:
        actions_.reshuffle();
        step();
        return;
    case Phase::Waiting:
        if (clock_.now() <= deadline_) {
            waitUntil(deadline_);
            return;
        }
        if (state_.Abbruch == 1)
            endRun();
        else
            step();
        return;
    }
}

void ThinkingClock::step()
{
    if (controls_.value(Box::chkStop) == 0) {
        controls_.setSnakeTop(controls_.snakeTop() + static_cast<float>(snakeStep(controls_.speed())));
    }
    controls_.setScoreTop(controls_.snakeTop() - snakeStartTop);
    if (state_.Halbzeit == 0 && controls_.snakeTop() > halfTime) {
        score::deduct(controls_, score::halfTimeDeduction);
        state_.Halbzeit = 1;
    }
    if (controls_.snakeTop() >= snakeFrameScale) {
        controls_.setSnakeTop(snakeStartTop);
        controls_.setText(Field::txtPunkte, score::timeUp);
        actions_.reveal();
        endRun();
        return;
    }
    actions_.reshuffle();
    deadline_ = clock_.now() + 1s;
    phase_ = Phase::Waiting;
    waitUntil(deadline_);
}

void ThinkingClock::endRun()
{
    if (owedSteps_ > 0) {
        --owedSteps_;
        phase_ = Phase::Resuming;
        waitUntil(resumeAt_);
        return;
    }
    // Only a timer callback ends a run, so the single-shot timer is idle now.
    phase_ = Phase::Idle;
    resumeAt_ = {};
}

void ThinkingClock::waitUntil(std::chrono::nanoseconds time)
{
    // The wait is over only once the clock has passed the deadline, so aim
    // just beyond it.
    const auto remaining = time - clock_.now();
    timer_.start(remaining < 0ns ? 0ns : remaining + 1ns);
}
