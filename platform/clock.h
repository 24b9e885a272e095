// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

// Time as the game needs it: a wall reading to seed the random source, and a
// monotonic one for the waits of the thinking-time clock, which must end one
// second after they began even across midnight.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with a fraction; back to 0 at midnight.
    virtual float secondsSinceMidnight() const = 0;
    // Monotonic time since an arbitrary fixed point.
    virtual std::chrono::nanoseconds now() const = 0;
};

// A single-shot timer that calls back on the window's thread.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setCallback(std::function<void()> callback) = 0;
    // Fires once after the delay; starting again replaces a pending shot.
    virtual void start(std::chrono::nanoseconds delay) = 0;
    virtual void stop() = 0;
};
