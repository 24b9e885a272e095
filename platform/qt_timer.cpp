// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_timer.h"

QtTimer::QtTimer()
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (callback_)
            callback_();
    });
}

void QtTimer::setCallback(std::function<void()> callback)
{
    callback_ = std::move(callback);
}

void QtTimer::start(std::chrono::nanoseconds delay)
{
    // Round up: firing a little early would only cost another shot.
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(delay);
    timer_.start(std::max(milliseconds, std::chrono::milliseconds::zero()));
}

void QtTimer::stop()
{
    timer_.stop();
}
