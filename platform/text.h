// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Text as the game sees it: Windows-1252 bytes, one byte per character,
// positions counted from 1. Conversion to the window's own text happens only
// at the window boundary (cp1252.h).
using Text = std::string;

namespace text {

// Characters "start" to "start + length - 1". A start beyond the end, or one
// below 1, gives the empty text; a length that reaches beyond the end is cut
// there, and a negative length counts as 0.
Text mid(const Text &text, long start, long length);

// The single character at a position, or the empty text where there is none.
inline Text charAt(const Text &text, long position)
{
    return mid(text, position, 1);
}

inline long length(const Text &text)
{
    return static_cast<long>(text.size());
}

// Code of the character at a position (0 to 255); 0 where there is none.
int codeAt(const Text &text, long position);

inline Text fromCode(int code)
{
    return Text(1, static_cast<char>(static_cast<unsigned char>(code)));
}

// Lowering a capital: "A" to "Z" and the capital umlauts gain 32; every other
// code, "ß" among them, stays as it is.
constexpr int lowered(int code)
{
    const bool capital = (code > 64 && code < 91) || code == 196 || code == 214 || code == 220;
    return capital ? code + 32 : code;
}

} // namespace text
