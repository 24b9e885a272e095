// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/random.h"

#include "platform/clock.h"

#include <bit>
#include <chrono>
#include <cmath>

namespace {

std::uint64_t splitmix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

SystemRandom::SystemRandom()
    : state_(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

void SystemRandom::reseed(float secondsSinceMidnight)
{
    state_ ^= std::bit_cast<std::uint32_t>(secondsSinceMidnight);
}

float SystemRandom::draw()
{
    // 24 random bits fill a float's mantissa exactly, so the result stays below 1.
    return static_cast<float>(splitmix(state_) >> 40) * 0x1.0p-24f;
}

long FreshDraw::oneTo(long n)
{
    random_.reseed(clock_.secondsSinceMidnight());
    const float r = random_.draw();
    return static_cast<long>(std::floor(static_cast<double>(n) * static_cast<double>(r))) + 1;
}
