// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class Clock;

// A source of uniform draws that is reseeded from the clock before every draw.
class Random {
public:
    virtual ~Random() = default;
    // Mixes a clock reading into the source. Reseeding with an unchanged
    // reading never repeats earlier draws.
    virtual void reseed(float secondsSinceMidnight) = 0;
    // Uniform, at least 0 and below 1.
    virtual float draw() = 0;
};

// The production source: a 64-bit mixing generator whose state the reseed
// folds the reading into instead of replacing, so that many draws within one
// tick of the clock still differ. The game seeds it from the time of start;
// a fixed seed gives the same draws on every run.
class SystemRandom final : public Random {
public:
    SystemRandom();
    explicit SystemRandom(std::uint64_t seed) : state_(seed) {}
    void reseed(float secondsSinceMidnight) override;
    float draw() override;

private:
    std::uint64_t state_;
};

// The draw that the game makes everywhere: reseed from the clock, draw r and
// turn it into a whole number from 1 to n (the integer part of n times r, plus 1).
class FreshDraw {
public:
    FreshDraw(Random &random, const Clock &clock) : random_(random), clock_(clock) {}
    long oneTo(long n);

private:
    Random &random_;
    const Clock &clock_;
};
