// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Controls;

// The score has no store of its own: it is the text of txtPunkte.
namespace score {

inline constexpr double hintPrice = 1;
inline constexpr double halfTimeDeduction = 2;

// Reads the number at the start of the score text, takes the points off and
// writes the result back in signed form (" 5", "-1"); there is no lower bound.
void deduct(Controls &controls, double points);

} // namespace score
