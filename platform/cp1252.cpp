// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cp1252.h"

#include <QList>

#include <array>

namespace {

// Unicode of the codes 128 to 159; the rest coincide with Latin-1.
constexpr auto high = std::to_array<char16_t>(
    {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
     0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
     0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178});
static_assert(high.size() == 0xA0 - 0x80);

char16_t unicodeOf(unsigned char code)
{
    return code >= 0x80 && code < 0xA0 ? high[code - 0x80] : char16_t{code};
}

char codeOf(uint unicode)
{
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF))
        return static_cast<char>(unicode);
    for (std::size_t i = 0; i < high.size(); ++i)
        if (high[i] == unicode)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString fromCp1252(const Text &text)
{
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar *out = result.data();
    for (const char c : text)
        *out++ = QChar(unicodeOf(static_cast<unsigned char>(c)));
    return result;
}

Text toCp1252(const QString &text)
{
    Text result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (const uint unicode : text.toUcs4())
        result += codeOf(unicode);
    return result;
}
