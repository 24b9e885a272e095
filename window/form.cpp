// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form.h"

#include "ui_main_window.h"
#include "window/form_style.h"

#include <QStyleFactory>

#include <initializer_list>

namespace {

// The named face, or its metric-compatible free twin where it is missing.
QFont typeface(const QString &family, const QString &twin, qreal points, bool bold = false)
{
    QFont font(QStringList{family, twin});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Designer keeps whole point sizes only, and the window's sizes are whole
// pixels at 96 dots per inch (11.25 pt is 15 pixels).
void setFonts(Ui::MainWindow &ui)
{
    const auto times = [](qreal points) {
        return typeface(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), points);
    };
    const auto use = [](const QFont &font, std::initializer_list<QWidget *> controls) {
        for (QWidget *control : controls)
            control->setFont(font);
    };
    use(times(9.75), {ui.Command4, ui.Label2});
    use(times(11.25), {ui.cmdZweiter, ui.chkStop, ui.cmdLetzter, ui.cmdErster, ui.chkGrossbuchstaben,
                       ui.chkLetzter, ui.chkMax, ui.cmdMischen, ui.Command3});
    use(times(12), {ui.Text1, ui.cmdSortieren, ui.cmdEnde, ui.Label1, ui.txtPunkte});
    use(times(14.25), {ui.Command1, ui.txtHilfe});
    use(times(15.75), {ui.Command2});
    use(typeface(QStringLiteral("Arial Unicode MS"), QStringLiteral("Liberation Sans"), 15.75),
        {ui.txtAusgabe, ui.txtSortiert});
    use(typeface(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), 18, true),
        {ui.txtSuchwort});
}

// A built-in picture at the window's size.
QPixmap picture(const QWidget &window, const QString &name)
{
    // Qt reads the pixel ratio of 2 from the "@2x" in the name.
    if (window.devicePixelRatioF() > 1.0)
        return QPixmap(QStringLiteral(":/data/%1@2x.png").arg(name));
    return QPixmap(QStringLiteral(":/data/%1.bmp").arg(name));
}

} // namespace

void buildForm(Ui::MainWindow &ui, QWidget &window)
{
    ui.setupUi(&window);
    setFonts(ui);
    // Fusion takes a button's face from its palette on every platform, and a
    // widget's style does not pass to its children: each control gets it.
    auto *style = new FormStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    style->setParent(&window);
    window.setStyle(style);
    for (QWidget *control : window.findChildren<QWidget *>())
        control->setStyle(style);
    // The window is white, the panel keeps the platform's colours.
    QPalette panel = ui.Picture1->palette();
    panel.setColor(QPalette::Window, window.palette().color(QPalette::Button));
    ui.Picture1->setPalette(panel);
    ui.picSchlange->setBackgroundRole(QPalette::Base);
    window.setWindowIcon(QIcon(QStringLiteral(":/data/smiley.ico")));
    showPictures(ui, window);
}

void showPictures(Ui::MainWindow &ui, const QWidget &window)
{
    ui.imgSchlange->setPixmap(picture(window, QStringLiteral("schlange")));
    ui.Image1->setPixmap(picture(window, QStringLiteral("tiere")));
}
