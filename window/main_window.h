// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/controls.h"
#include "game/game.h"

#include <QWidget>

#include <memory>
#include <optional>

class Announcer;
class QCheckBox;
class QLineEdit;
namespace Ui {
class MainWindow;
}

// The game's one window: the controls of main_window.ui, the routing of their
// events to the game and the help line.
class MainWindow final : public QWidget, public Controls {
    Q_OBJECT

public:
    MainWindow(Random &random, Clock &clock, Timer &timer, QWidget *parent = nullptr);
    ~MainWindow() override;

    using QWidget::setVisible;

    Text text(Field field) const override;
    Text animalList() const override;
    void setText(Field field, const Text &text) override;
    void setVisible(Shown control, bool visible) override;
    int value(Box box) const override;
    int speed() const override;
    float snakeTop() const override;
    void setSnakeTop(float top) override;
    void setScoreTop(float top) override;
    void endProgram() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectHandlers();
    void installHelpLine();
    void chkLetzter_Click();
    // x and y in twips of the animal picture.
    void Image1_MouseMove(float x, float y);

    QLineEdit *lineEdit(Field field) const;
    QWidget *widget(Shown control) const;
    QCheckBox *checkBox(Box box) const;
    int snakeFramePixels(float top) const;

    std::unique_ptr<Ui::MainWindow> ui_;
    Timer &timer_;
    // Whether the pictures shown are the double-resolution ones; unknown
    // while the form is being built.
    std::optional<bool> densePictures_;
    float snakeTop_ = 0.0f;
    Game game_;
    // Made after start-up: what start-up writes is the form's own, not news.
    Announcer *announcer_ = nullptr;
};
