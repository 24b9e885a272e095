// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_clock.h"

#include <QTime>

float SystemClock::secondsSinceMidnight() const
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

std::chrono::nanoseconds SystemClock::now() const
{
    return std::chrono::steady_clock::now().time_since_epoch();
}
