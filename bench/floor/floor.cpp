// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor: the game's form, built as the game builds it, with nothing of the
// game behind it but a one-second step that repaints what the game's clock
// step repaints. With --busy the step waits by polling the clock and
// processing events instead of using a timer.

#include "ui_main_window.h"
#include "window/form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool busy = app.arguments().contains(QStringLiteral("--busy"));

    QWidget window;
    Ui::MainWindow ui;
    buildForm(ui, window);
    // As the game shows the form at its start.
    ui.cmdSortieren->hide();
    ui.txtSuchwort->hide();
    ui.txtHilfe->setFocus();
    window.move(window.screen()->availableGeometry().center() - window.rect().center());

    QLabel &snake = *ui.imgSchlange;
    const int top = snake.y();
    int steps = 0;
    const auto step = [&] {
        ++steps;
        // At the speed the probe leaves the game at, its snake sinks a
        // hundredth of the frame a second, for 90 steps.
        snake.move(snake.x(), top + steps % 90 * ui.picSchlangeSurface->height() / 100);
        ui.txtAusgabe->setText(QString::number(steps));
    };

    QTimer timer;
    timer.setInterval(1000);
    // Precise like the game's clock, so that the two keep the same cadence.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, step);
    QObject::connect(ui.Command2, &QPushButton::clicked, [&] {
        steps = 0;
        snake.move(snake.x(), top);
        if (!busy)
            timer.start();
    });

    window.show();
    if (busy) {
        QTimer::singleShot(0, [&] {
            QElapsedTimer clock;
            clock.start();
            while (window.isVisible()) {
                step();
                const qint64 start = clock.elapsed();
                while (clock.elapsed() <= start + 1000 && window.isVisible())
                    QCoreApplication::processEvents();
            }
        });
    } else {
        timer.start();
    }
    return app.exec();
}
