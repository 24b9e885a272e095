// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text to number: any text reads as a finite number, the same one the C
// library finds in its leading decimal number, and the signed form of that
// number reads back as it.
#include "platform/numbers.h"
#include "support.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The leading decimal number as the C library reads it, which also knows
// exponents, hexadecimal and "inf": hence only the plain number goes in.
double libraryValue(const Text &text)
{
    std::size_t i = text.find_first_not_of(' ');
    if (i == Text::npos)
        return 0.0;
    const std::size_t start = i;
    if (text[i] == '-' || text[i] == '+')
        ++i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i < text.size() && text[i] == '.')
        ++i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const Text number = text.substr(start, i - start);
    if (number.find_first_of("0123456789") == Text::npos)
        return 0.0;
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Text text(reinterpret_cast<const char *>(data), size);
    const double value = numbers::valueOf(text);
    check(std::isfinite(value), "every text reads as a finite number");
    check(value == libraryValue(text), "the leading decimal number is read");
    const Text shown = numbers::signedText(value);
    check(shown[0] == (value < 0 ? '-' : ' ') && shown.find_first_not_of("0123456789.", 1) == Text::npos,
          "signed form: blank or minus, then decimal digits");
    check(numbers::valueOf(shown) == value, "the signed form reads back");
    return 0;
}
