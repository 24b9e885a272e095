// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include "data/animal_list.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "ui_main_window.h"
#include "window/animal_map.h"
#include "window/announcer.h"
#include "window/form.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>

#include <utility>

#ifdef Q_OS_WASM
#include <QTimer>
#include <emscripten.h>
#endif

namespace {

constexpr float twipsPerPixel = 15.0f;
// What the help line says while the pointer moves over a control; controls
// without it leave the line alone.
constexpr char helpProperty[] = "hilfe";

} // namespace

MainWindow::MainWindow(Random &random, Clock &clock, Timer &timer, QWidget *parent)
    : QWidget(parent), ui_(std::make_unique<Ui::MainWindow>()), timer_(timer),
      game_(*this, random, clock, timer)
{
    buildForm(*ui_, *this);
    densePictures_ = wantsDensePictures(*this);
    snakeTop_ = static_cast<float>(ui_->imgSchlange->y()) * snakeFrameScale /
                static_cast<float>(ui_->picSchlangeSurface->height());

    connectHandlers();
    installHelpLine();
    game_.Form_Load();
    announcer_ = new Announcer(*this, {ui_->txtSortiert, ui_->txtPunkte, ui_->txtSuchwort});
}

MainWindow::~MainWindow() = default;

bool MainWindow::event(QEvent *event)
{
    // Each Qt tells a window of a new density in its own way: 6.4 by a change
    // of screen, later ones by an event of their own that follows it. Whatever
    // came, the pictures follow the density the window has now.
    if (densePictures_.has_value() && wantsDensePictures(*this) != *densePictures_) {
        densePictures_ = !*densePictures_;
        showPictures(*ui_, *densePictures_);
    }
    if (event->type() == QEvent::ApplicationPaletteChange)
        followDesktop(*ui_);
    return QWidget::event(event);
}

void MainWindow::connectHandlers()
{
    const std::pair<QPushButton *, void (Game::*)()> clicks[] = {
        {ui_->Command2, &Game::Command2_Click},         {ui_->cmdMischen, &Game::cmdMischen_Click},
        {ui_->cmdSortieren, &Game::cmdSortieren_Click}, {ui_->cmdErster, &Game::cmdErster_Click},
        {ui_->cmdZweiter, &Game::cmdZweiter_Click},     {ui_->cmdLetzter, &Game::cmdLetzter_Click},
        {ui_->Command1, &Game::Command1_Click},         {ui_->Command3, &Game::Command3_Click},
        {ui_->Command4, &Game::Command4_Click},         {ui_->cmdEnde, &Game::cmdEnde_Click},
    };
    for (const auto &[button, handler] : clicks)
        connect(button, &QPushButton::clicked, this, [this, method = handler] { (game_.*method)(); });
    connect(ui_->HScroll1, &QScrollBar::valueChanged, this, [this] { game_.HScroll1_Change(); });
    connect(ui_->chkLetzter, &QCheckBox::toggled, this, [this] { chkLetzter_Click(); });
}

void MainWindow::installHelpLine()
{
    for (QWidget *control : findChildren<QWidget *>()) {
        if (!control->property(helpProperty).isValid())
            continue;
        control->setAccessibleDescription(control->property(helpProperty).toString());
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }
    ui_->Image1->setMouseTracking(true);
    ui_->Image1->installEventFilter(this);
    // The rectangle is drawn on the panel: a move over it is one over the panel.
    ui_->Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The scroll bar and the solution field have no sentence of their own, but
    // a screen reader should still say what they are for.
    ui_->HScroll1->setAccessibleDescription(ui_->Label1->accessibleDescription());
    ui_->txtSuchwort->setAccessibleDescription(ui_->cmdSortieren->accessibleDescription());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A tap on a touch screen can come as a press without a move before it:
    // it points at the control as much as a move there does.
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress) {
        auto *control = static_cast<QWidget *>(watched);
        const QPointF position = static_cast<QMouseEvent *>(event)->position();
        // A move that a child did not take reaches its container as well, but
        // it happened over the child.
        if (control->childAt(position.toPoint()) == nullptr) {
            if (control == ui_->Image1)
                Image1_MouseMove(static_cast<float>(position.x()) * twipsPerPixel,
                                 static_cast<float>(position.y()) * twipsPerPixel);
            else
                ui_->txtHilfe->setText(control->property(helpProperty).toString());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::chkLetzter_Click()
{
    ui_->txtHilfe->setText(ui_->chkLetzter->property(helpProperty).toString());
}

void MainWindow::Image1_MouseMove(float x, float y)
{
    ui_->txtHilfe->setText(animalAt(x, y));
}

void MainWindow::showEvent(QShowEvent *event)
{
    // Centred as a whole, title bar and borders included: only a window about
    // to be shown knows the frame its platform puts round it.
    if (!event->spontaneous()) {
        move(pos() + screen()->availableGeometry().center() - frameGeometry().center());
        // The focus starts in the help line. Where a platform activates the
        // window before its controls are shown (the browser), Qt has passed
        // the focus on to the first control shown by then.
        ui_->txtHilfe->setFocus();
    }
    QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Nothing of a running clock may outlive the window.
    timer_.stop();
    event->accept();
#ifdef Q_OS_WASM
    // In the browser, Qt's event loop never returns, so the program ends here
    // once the window has gone, and the page learns of it from Qt's loader.
    // From a timer, because emscripten ends a program by throwing, which only
    // its own callbacks catch.
    QTimer::singleShot(0, [] { emscripten_force_exit(0); });
#endif
}

void MainWindow::endProgram()
{
    close();
}

QLineEdit *MainWindow::lineEdit(Field field) const
{
    switch (field) {
    case Field::txtSuchwort: return ui_->txtSuchwort;
    case Field::txtSortiert: return ui_->txtSortiert;
    case Field::txtAusgabe: return ui_->txtAusgabe;
    case Field::txtPunkte: return ui_->txtPunkte;
    case Field::Text1: return ui_->Text1;
    }
    return nullptr;
}

Text MainWindow::text(Field field) const
{
    return toCp1252(lineEdit(field)->text());
}

// The list comes from the built-in resource, not from the hidden field
// txtTiere, which turns CR LF into paragraphs. That field is left empty: it
// is never shown and nothing reads it, and filling it would cost the start
// about 6 million instructions, 4 per cent of it.
Text MainWindow::animalList() const
{
    return builtInAnimalList();
}

void MainWindow::setText(Field field, const Text &text)
{
    lineEdit(field)->setText(fromCp1252(text));
    if (announcer_ != nullptr)
        announcer_->changed(lineEdit(field));
}

QWidget *MainWindow::widget(Shown control) const
{
    switch (control) {
    case Shown::cmdErster: return ui_->cmdErster;
    case Shown::cmdZweiter: return ui_->cmdZweiter;
    case Shown::cmdLetzter: return ui_->cmdLetzter;
    case Shown::cmdSortieren: return ui_->cmdSortieren;
    case Shown::txtSuchwort: return ui_->txtSuchwort;
    }
    return nullptr;
}

void MainWindow::setVisible(Shown control, bool visible)
{
    widget(control)->setVisible(visible);
    // The solution field is news when it comes into view.
    if (announcer_ != nullptr)
        announcer_->changed(widget(control));
}

QCheckBox *MainWindow::checkBox(Box box) const
{
    switch (box) {
    case Box::chkGrossbuchstaben: return ui_->chkGrossbuchstaben;
    case Box::chkLetzter: return ui_->chkLetzter;
    case Box::chkMax: return ui_->chkMax;
    case Box::chkStop: return ui_->chkStop;
    }
    return nullptr;
}

int MainWindow::value(Box box) const
{
    return checkBox(box)->isChecked() ? 1 : 0;
}

int MainWindow::speed() const
{
    return ui_->HScroll1->value();
}

int MainWindow::snakeFramePixels(float top) const
{
    return qRound(top * static_cast<float>(ui_->picSchlangeSurface->height()) / snakeFrameScale);
}

float MainWindow::snakeTop() const
{
    return snakeTop_;
}

void MainWindow::setSnakeTop(float top)
{
    snakeTop_ = top;
    ui_->imgSchlange->move(ui_->imgSchlange->x(), snakeFramePixels(top));
}

void MainWindow::setScoreTop(float top)
{
    ui_->txtPunkte->move(ui_->txtPunkte->x(), snakeFramePixels(top));
}
