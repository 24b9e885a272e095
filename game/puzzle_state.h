// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

#include <cstdint>

// What the game keeps from one event to the next. The scratch values of the
// shuffle, the sort and the draw live in those procedures.
struct PuzzleState {
    // The word last handed to the shuffle or the sort.
    Text Wort;
    // 1 makes the running thinking-time clock end at its next check.
    int Abbruch = 0;
    // 1 once the current puzzle has paid its half-time deduction.
    int Halbzeit = 0;
    // Hint mode 1 to 4 of the current puzzle; 0 before the first one.
    std::int32_t Hilfemodus = 0;
};
