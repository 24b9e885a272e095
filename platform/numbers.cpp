// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numbers.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace numbers {

double valueOf(const Text &text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const auto isDigit = [&](std::size_t at) {
        return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
    };
    const std::size_t digitsFrom = i;
    while (isDigit(i))
        ++i;
    const std::size_t digitsTo = i;
    bool anyDigit = i > digitsFrom;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionFrom = ++i;
        while (isDigit(i))
            ++i;
        anyDigit = anyDigit || i > fractionFrom;
    }
    if (!anyDigit)
        return 0.0;
    // Read in the classic locale, whose decimal point is "." whatever the
    // user's; emscripten's C++ library has no from_chars for a double. The
    // stream does not take a leading "+" either; it adds nothing to the value.
    const std::size_t from = start + (text[start] == '+' ? 1 : 0);
    std::istringstream stream(std::string(text, from, i - from));
    stream.imbue(std::locale::classic());
    double value = 0.0;
    stream >> value;
    if (stream.fail() || std::isinf(value)) {
        // Out of range, which the libraries report each in their own way:
        // beyond the range if a digit before the point is not 0, else too
        // small to tell from 0 (what was read is 0 or close to it then). The
        // largest value keeps the score a number.
        const auto whole = text.begin() + static_cast<std::ptrdiff_t>(digitsFrom);
        const bool tooLarge = std::any_of(whole, text.begin() + static_cast<std::ptrdiff_t>(digitsTo),
                                          [](char c) { return c != '0'; });
        if (!tooLarge)
            return std::isfinite(value) ? value : 0.0;
        return text[start] == '-' ? -DBL_MAX : DBL_MAX;
    }
    return value;
}

Text signedText(double value)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    // Fixed notation, since an exponent would not read back; no double
    // needs more than about 330 characters in it.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    Text digits(buffer, error == std::errc{} ? end : buffer);
    return value >= 0 || std::isnan(value) ? " " + digits : digits;
}

Text plainText(long value)
{
    return std::to_string(value);
}

} // namespace numbers
