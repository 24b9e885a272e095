// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_timer.h"
#include "platform/random.h"
#include "platform/system_clock.h"
#include "window/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The game takes no arguments: Qt sees only the program's name.
    argc = 1;
    QApplication application(argc, argv);
    // Wayland compositors match the window to its menu entry and icon by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.wuselwort.Wuselwort"));

    SystemRandom randomSource;
    SystemClock systemClock;
    QtTimer timer;
    MainWindow window(randomSource, systemClock, timer);
    window.show();
    return QApplication::exec();
}
