// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window boundary: every byte string survives the trip to the window and
// back, and any window text gives one byte per character.
#include "platform/cp1252.h"
#include "support.h"

#include <QString>

#include <bitset>

namespace {

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void bytesSurviveTheWindow(const Text &bytes)
{
    const QString shown = fromCp1252(bytes);
    check(shown.size() == static_cast<qsizetype>(bytes.size()), "one window character per byte");
    check(toCp1252(shown) == bytes, "bytes survive the window");
}

// Which UTF-16 units are one of the 256 characters that have a code.
bool hasCode(char16_t unit)
{
    static const std::bitset<0x10000> coded = [] {
        Text codes;
        for (int code = 0; code < 256; ++code)
            codes += static_cast<char>(code);
        std::bitset<0x10000> units;
        for (const QChar character : fromCp1252(codes))
            units.set(character.unicode());
        return units;
    }();
    return coded.test(unit);
}

void windowTextGivesOneBytePerCharacter(const QString &shown)
{
    const Text bytes = toCp1252(shown);
    std::size_t character = 0;
    for (qsizetype i = 0; i < shown.size(); ++i, ++character) {
        const char16_t unit = shown[i].unicode();
        const bool pair =
            isHighSurrogate(unit) && i + 1 < shown.size() && isLowSurrogate(shown[i + 1].unicode());
        check(character < bytes.size(), "a byte for every character");
        if (pair) {
            ++i;
            check(bytes[character] == '?', "a character beyond 16 bits has no code");
        } else if (hasCode(unit)) {
            check(fromCp1252(Text(1, bytes[character]))[0].unicode() == unit,
                  "a coded character keeps its code");
        } else {
            check(bytes[character] == '?', "a character without a code becomes \"?\"");
        }
    }
    check(character == bytes.size(), "no byte beyond the characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    bytesSurviveTheWindow(Text(reinterpret_cast<const char *>(data), size));

    QString shown(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        shown[static_cast<qsizetype>(i / 2)] = QChar(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    windowTextGivesOneBytePerCharacter(shown);
    return 0;
}
