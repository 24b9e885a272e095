// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The bare window: the controls of the game's Designer form as Qt builds them
// from the form alone, in Qt's default style, fonts and colours, without
// anything the window's code adds (no style of its own, fonts, desktop colours,
// icon, pictures, screen-reader support or focus ring). It shows what a plain
// Qt Widgets program with the same controls costs, so that the game's start is
// measured against Qt itself and not against code it shares with the floor.
// Its one-second step writes into the line of scrambled letters and moves the
// snake's label, as the floor's does, so that it can be given the same clock
// run.

#include "ui_main_window.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    // As the game shows the form at its start.
    ui.cmdSortieren->hide();
    ui.txtSuchwort->hide();
    ui.txtHilfe->setFocus();
    window.move(window.screen()->availableGeometry().center() - window.rect().center());

    QLabel &snake = *ui.imgSchlange;
    const int top = snake.y();
    int steps = 0;
    QTimer timer;
    timer.setInterval(1000);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++steps;
        snake.move(snake.x(), top + steps % 90 * ui.picSchlangeSurface->height() / 100);
        ui.txtAusgabe->setText(QString::number(steps));
    });
    QObject::connect(ui.Command2, &QPushButton::clicked, [&] {
        steps = 0;
        snake.move(snake.x(), top);
        timer.start();
    });

    window.show();
    timer.start();
    return app.exec();
}
