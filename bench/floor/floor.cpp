// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor: the lightest program with the game's window size, its number of
// controls, its two large pictures and a one-second step. With --busy the step
// waits by polling the clock and processing events instead of using a timer.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include <array>

namespace {

enum class Kind { Frame, Button, Check, Edit, Label, Scroll, List, Line };

struct Control {
    Kind kind;
    int parent; // index of the containing frame, -1 for the window
    int x, y, width, height;
    const char *text;
    bool shown;
};

constexpr int panel = 0;
constexpr int snakeFrame = 23;
constexpr int snakeIndex = 25;
constexpr int outputIndex = 11;

// The game's controls in pixels, so that the floor repaints the same areas.
constexpr std::array<Control, 29> controls{{
    {Kind::Frame, -1, 8, 8, 985, 193, "", true},
    {Kind::Button, panel, 560, 104, 105, 17, "Button", false},
    {Kind::Check, panel, 896, 120, 57, 17, "Check", true},
    {Kind::Button, panel, 560, 120, 105, 17, "Button", true},
    {Kind::Button, panel, 456, 120, 105, 17, "Button", true},
    {Kind::Edit, panel, 848, 112, 41, 27, "5", true},
    {Kind::Scroll, panel, 800, 112, 33, 25, "", true},
    {Kind::Edit, panel, 112, 152, 873, 29, "Text", false},
    {Kind::Button, panel, 8, 152, 89, 33, "Button", false},
    {Kind::Check, panel, 8, 112, 121, 17, "Check", true},
    {Kind::Check, panel, 136, 112, 137, 17, "Check", true},
    {Kind::Edit, panel, 200, 56, 777, 36, "", true},
    {Kind::Check, panel, 288, 112, 145, 17, "Check", true},
    {Kind::Button, panel, 112, 80, 73, 17, "Button", true},
    {Kind::Button, panel, 112, 48, 73, 17, "Button", true},
    {Kind::Button, panel, 8, 48, 89, 49, "Button", true},
    {Kind::Button, panel, 112, 64, 73, 17, "Button", true},
    {Kind::Edit, panel, 200, 8, 777, 34, "Text", true},
    {Kind::Button, panel, 8, 8, 89, 33, "Restart", true},
    {Kind::Button, panel, 112, 8, 73, 33, "Button", true},
    {Kind::Label, panel, 464, 104, 65, 17, "Label", true},
    {Kind::Frame, panel, 440, 96, 233, 49, "", true},
    {Kind::Label, panel, 720, 112, 81, 25, "Label", true},
    {Kind::Frame, -1, 8, 200, 105, 441, "", true},
    {Kind::Edit, snakeFrame, 16, 0, 73, 27, "Text", true},
    {Kind::Label, snakeFrame, 24, 40, 65, 590, "", true},
    {Kind::Edit, -1, 8, 640, 985, 27, "Text", true},
    {Kind::List, -1, 336, 432, 241, 161, "", false},
    {Kind::Line, -1, 992, 168, 1, 496, "", true},
}};

constexpr int restartIndex = 18;

QWidget *create(const Control &control, QWidget *parent)
{
    QWidget *widget = nullptr;
    switch (control.kind) {
    case Kind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameShape(QFrame::Box);
        widget = frame;
        break;
    }
    case Kind::Button: widget = new QPushButton(control.text, parent); break;
    case Kind::Check: widget = new QCheckBox(control.text, parent); break;
    case Kind::Edit: widget = new QLineEdit(control.text, parent); break;
    case Kind::Label: widget = new QLabel(control.text, parent); break;
    case Kind::Scroll: {
        auto *bar = new QScrollBar(Qt::Horizontal, parent);
        bar->setRange(1, 5);
        widget = bar;
        break;
    }
    case Kind::List: widget = new QPlainTextEdit(control.text, parent); break;
    case Kind::Line: {
        auto *line = new QFrame(parent);
        line->setFrameShape(QFrame::VLine);
        widget = line;
        break;
    }
    }
    widget->setGeometry(control.x, control.y, control.width, control.height);
    widget->setVisible(control.shown);
    return widget;
}

class Floor {
public:
    Floor()
    {
        window_.setFixedSize(1005, 679);
        QPalette white = window_.palette();
        white.setColor(QPalette::Window, Qt::white);
        window_.setPalette(white);
        std::array<QWidget *, controls.size()> made{};
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const Control &control = controls[i];
            made[i] = create(control, control.parent < 0 ? &window_ : made[control.parent]);
        }
        snake_ = static_cast<QLabel *>(made[snakeIndex]);
        snake_->setPixmap(QPixmap(QStringLiteral(":/data/schlange.bmp")));
        output_ = static_cast<QLineEdit *>(made[outputIndex]);
        restart_ = static_cast<QPushButton *>(made[restartIndex]);

        auto *animals = new QLabel(&window_);
        animals->setGeometry(168, 184, 809, 467);
        animals->setPixmap(QPixmap(QStringLiteral(":/data/tiere.bmp")));
        animals->lower();
    }

    QWidget &window() { return window_; }
    QPushButton &restartButton() { return *restart_; }

    void restart()
    {
        steps_ = 0;
        snake_->move(snake_->x(), 40);
    }

    void step()
    {
        ++steps_;
        snake_->move(snake_->x(), 40 + 4 * (steps_ % 100));
        output_->setText(QString::number(steps_));
    }

private:
    QWidget window_;
    QLabel *snake_ = nullptr;
    QLineEdit *output_ = nullptr;
    QPushButton *restart_ = nullptr;
    int steps_ = 0;
};

void pollingRun(Floor &floor)
{
    QElapsedTimer clock;
    clock.start();
    while (floor.window().isVisible()) {
        floor.step();
        const qint64 start = clock.elapsed();
        while (clock.elapsed() <= start + 1000 && floor.window().isVisible())
            QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool polling = app.arguments().contains(QStringLiteral("--busy"));

    Floor floor;
    QTimer timer;
    timer.setInterval(1000);
    // Precise like the game's clock, so that the two keep the same cadence.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&floor] { floor.step(); });
    QObject::connect(&floor.restartButton(), &QPushButton::clicked, [&] {
        floor.restart();
        if (!polling)
            timer.start();
    });

    floor.window().show();
    if (polling)
        QTimer::singleShot(0, [&floor] { pollingRun(floor); });
    else
        timer.start();
    return app.exec();
}
