// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_timer.h"
#include "platform/random.h"
#include "platform/system_clock.h"
#include "window/main_window.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    // The game takes no arguments: Qt sees only the program's name.
    argc = 1;
    QApplication application(argc, argv);
    // Fusion draws push buttons in their palette colour on every platform.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Metric-compatible faces where the window's own fonts are not installed.
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Arial Unicode MS"), QStringLiteral("Liberation Sans"));

    SystemRandom randomSource;
    SystemClock systemClock;
    QtTimer timer;
    MainWindow window(randomSource, systemClock, timer);
    window.show();
    return QApplication::exec();
}
