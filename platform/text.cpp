// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text.h"

namespace text {

Text mid(const Text &text, long start, long length)
{
    const long size = static_cast<long>(text.size());
    if (start < 1 || start > size || length <= 0)
        return {};
    // substr cuts a length that reaches beyond the end at the end.
    return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}

int codeAt(const Text &text, long position)
{
    if (position < 1 || position > static_cast<long>(text.size()))
        return 0;
    return static_cast<unsigned char>(text[static_cast<std::size_t>(position - 1)]);
}

} // namespace text
