// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"

#include <QTimer>

// The production timer: a precise single-shot QTimer, so that steps are late
// by milliseconds at most instead of the few per cent a coarse timer allows.
class QtTimer final : public Timer {
public:
    QtTimer();
    void setCallback(std::function<void()> callback) override;
    void start(std::chrono::nanoseconds delay) override;
    void stop() override;

private:
    QTimer timer_;
    std::function<void()> callback_;
};
