// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"

class SystemClock final : public Clock {
public:
    float secondsSinceMidnight() const override;
    std::chrono::nanoseconds now() const override;
};
