// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

namespace numbers {

// The number at the start of a text: leading blanks are skipped, then the
// longest decimal number (optional sign, digits, optional fraction) is read.
// A text without one reads as 0: " 5" is 5, "-1" is -1, "Punkte" is 0. A
// number beyond the range of a double reads as the largest one of its sign,
// one too close to 0 to tell apart as 0.
double valueOf(const Text &text);

// Signed form: one blank before a value of zero or more, "-" before a
// negative one (5 gives " 5", 0 gives " 0", -1 gives "-1"). Whole numbers have
// no fraction; other values show the shortest digits that read back exactly,
// never with an exponent.
Text signedText(double value);

// Plain form without a leading blank: 3 gives "3".
Text plainText(long value);

} // namespace numbers
