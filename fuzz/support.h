// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/random.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property is a finding: report it and abort, so that libFuzzer
// keeps the input.
inline void check(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// Draws taken from the fuzz input while it lasts, then from a fixed sequence
// that covers every position, so that a shuffle always ends. The seed is
// fixed so that every input replays the same way.
class InputRandom final : public Random {
public:
    explicit InputRandom(FuzzedDataProvider &input) : input_(input) {}

    void reseed(float) override {}
    float draw() override
    {
        constexpr std::uint32_t below = 1u << 24;
        const std::uint32_t bits = input_.remaining_bytes() > 0
                                       ? input_.ConsumeIntegralInRange<std::uint32_t>(0, below - 1)
                                       : static_cast<std::uint32_t>(next() >> 40);
        return static_cast<float>(bits) / static_cast<float>(below);
    }

private:
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    FuzzedDataProvider &input_;
    std::uint64_t state_ = 0;
};
