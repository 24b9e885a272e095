// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

class FreshDraw;

// The longest word that the shuffle and the sort take. A longer word (the
// player may type one once the solution is shown) is cut to its first
// maxWord characters, which keeps both procedures inside their letter table
// and the quadratic sort short.
inline constexpr long maxWord = 200;

// The letters of a word in random order; capitals lowered unless kept.
// Positions are drawn until a free one comes up, so every arrangement is
// equally likely.
Text shuffledLetters(const Text &word, bool keepCapitals, FreshDraw &draw);

// The letters in code order, with blanks shown as "~". Capitals are lowered
// inside the bubble passes, at the index of the outer pass, which is why
// "aB" gives "ba" while "A" stays "A". With lastLetterAtEnd the word's last
// character is moved to the end of the line.
Text sortedLetters(const Text &word, bool keepCapitals, bool lastLetterAtEnd);
