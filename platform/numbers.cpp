// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>

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
    bool anyDigit = i > digitsFrom;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionFrom = ++i;
        while (isDigit(i))
            ++i;
        anyDigit = anyDigit || i > fractionFrom;
    }
    if (!anyDigit)
        return 0.0;
    // from_chars does not take a leading "+"; it adds nothing to the value.
    const char *first = text.data() + start + (text[start] == '+' ? 1 : 0);
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, text.data() + i, value);
    if (error == std::errc::result_out_of_range)
        return text[start] == '-' ? -HUGE_VAL : HUGE_VAL;
    return value;
}

Text signedText(double value)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    Text digits(buffer, error == std::errc{} ? end : buffer);
    return value >= 0 || std::isnan(value) ? " " + digits : digits;
}

Text plainText(long value)
{
    return std::to_string(value);
}

} // namespace numbers
