// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

namespace hints {

// The gap between the sorted letters and the hints: five blanks.
inline const Text gap = "     ";

// One dot and blank for every letter between the second and the last, at
// most 27 pairs; none for a word of fewer than four characters.
Text dotsFor(const Text &word);

} // namespace hints
