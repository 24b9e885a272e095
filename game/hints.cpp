// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/hints.h"

namespace hints {

Text dotsFor(const Text &word)
{
    static const Text dotRow = ". . . . . . . . . . . . . . . . . . . . . . . . . . . ";
    return text::mid(dotRow, 1, 2 * text::length(word) - 6);
}

} // namespace hints
