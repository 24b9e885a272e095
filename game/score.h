// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

class Controls;

// The score has no store of its own: it is the text of txtPunkte.
namespace score {

inline constexpr double hintPrice = 1;
inline constexpr double halfTimeDeduction = 2;
// What is left when the thinking time is over.
inline const Text timeUp = "0";

// A new puzzle's score: 7 for a name of more than ten letters, 5 for a
// shorter one, written without the blank of the signed form.
Text forName(const Text &name);

// Reads the number at the start of the score text, takes the points off and
// writes the result back in signed form (" 5", "-1"); there is no lower bound.
void deduct(Controls &controls, double points);

} // namespace score
