// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form.h"

#include "ui_main_window.h"
#include "window/accessible_form.h"
#include "window/form_style.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QScreen>
#include <QStyleFactory>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

// A read-only field takes no text from an input method either. QLineEdit
// inserts whatever one commits; most input methods ask first whether the
// field takes text, but not all (the browser's sends what the page's hidden
// field was typed into when the field refused the key).
class ReadOnlyGuard final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *field = qobject_cast<const QLineEdit *>(watched);
        return event->type() == QEvent::InputMethod && field != nullptr && field->isReadOnly();
    }
};

// At a fractional pixel ratio (a form scaled to fit, a screen at 150 %) Qt
// rounds a changed area to device pixels otherwise than it paints it: at its
// edges pixels are cleared that nothing paints, or painted but not shown, and
// what moved, such as the focus ring, leaves marks. There every change
// repaints the whole window, which costs a small form little.
class WholeRepaint final : public QObject {
public:
    explicit WholeRepaint(QWidget &window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::UpdateRequest || repainting_ || !fractional())
            return false;
        repaintWhole();
        return true;
    }

private:
    // Painted at once, and with it what the request was for. Qt repaints of a
    // window the parts that its opaque controls do not cover, and those of
    // the controls that have changed: they are all marked.
    void repaintWhole()
    {
        repainting_ = true;
        for (QWidget *control : window_.findChildren<QWidget *>())
            if (control->autoFillBackground() || control->testAttribute(Qt::WA_OpaquePaintEvent))
                control->update();
        // Marking may have asked for a later repaint, which this one does.
        QCoreApplication::removePostedEvents(&window_, QEvent::UpdateRequest);
        window_.repaint();
        repainting_ = false;
    }

    bool fractional() const
    {
        const qreal ratio = window_.devicePixelRatio();
        return ratio != std::floor(ratio);
    }

    QWidget &window_;
    bool repainting_ = false;
};

// The named face, or its metric-compatible free twin where it is missing.
QFont typeface(const QString &family, const QString &twin, qreal points, bool bold = false)
{
    QFont font(QStringList{family, twin});
    font.setPointSizeF(points);
    font.setBold(bold);
    // Hinted across as well, as Windows does by default, each letter grows to
    // whole pixels and a caption runs past its control; hinted only
    // vertically, the text keeps the face's own widths on every platform.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

// Faces the program carries itself, where the platform has none (the web
// build's, named in data/CMakeLists.txt): each stands in for the family its
// resource is named after. Elsewhere the folder is missing.
void addOwnFonts()
{
    static const bool added = [] {
        const QDir folder(QStringLiteral(":/data/fonts"));
        for (const QFileInfo &file : folder.entryInfoList(QDir::Files)) {
            const int id = QFontDatabase::addApplicationFont(file.filePath());
            for (const QString &family : QFontDatabase::applicationFontFamilies(id))
                QFont::insertSubstitution(file.fileName(), family);
        }
        return true;
    }();
    Q_UNUSED(added);
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

// A built-in picture, at double resolution or not.
QImage picture(bool dense, const QString &name)
{
    // Qt reads the pixel ratio of 2 from the "@2x" in the name.
    if (dense)
        return QImage(QStringLiteral(":/data/%1@2x.png").arg(name));
    return QImage(QStringLiteral(":/data/%1.bmp").arg(name));
}

// The snake is drawn on white, but its frame shows the desktop's colour: the
// white that reaches the picture's edge is ground and becomes clear, while
// the whites of the eyes, enclosed by their outline, stay. The edge pixels of
// the drawing, blended with that white, keep their colour without the white.
QImage withClearGround(const QImage &drawing)
{
    QImage image = drawing.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    // Straight at the pixels, each cleared as soon as it is reached so that it
    // is listed once: with a call per pixel, or a list of every neighbour,
    // this was a noticeable part of the window's start.
    QRgb *const pixels = reinterpret_cast<QRgb *>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    const QRgb white = qRgb(255, 255, 255);
    std::vector<QPoint> ground;
    std::vector<QRgb *> edge;
    const auto reach = [&](int x, int y) {
        QRgb &pixel = pixels[y * stride + x];
        if (pixel == white) {
            pixel = qRgba(0, 0, 0, 0);
            ground.emplace_back(x, y);
        } else if (qAlpha(pixel) != 0) {
            edge.push_back(&pixel);
        }
    };
    for (int x = 0; x < width; ++x) {
        reach(x, 0);
        reach(x, height - 1);
    }
    for (int y = 0; y < height; ++y) {
        reach(0, y);
        reach(width - 1, y);
    }
    while (!ground.empty()) {
        const QPoint point = ground.back();
        ground.pop_back();
        if (point.x() > 0)
            reach(point.x() - 1, point.y());
        if (point.x() < width - 1)
            reach(point.x() + 1, point.y());
        if (point.y() > 0)
            reach(point.x(), point.y() - 1);
        if (point.y() < height - 1)
            reach(point.x(), point.y() + 1);
    }
    // A pixel reached from two sides is listed twice; unblending it again
    // changes nothing, as its lowest channel is already 0.
    for (QRgb *pixel : edge) {
        const int alpha = 255 - std::min({qRed(*pixel), qGreen(*pixel), qBlue(*pixel)});
        if (alpha == 0 || alpha == 255)
            continue;
        const auto unblended = [alpha](int channel) { return 255 - (255 - channel) * 255 / alpha; };
        *pixel = qRgba(unblended(qRed(*pixel)), unblended(qGreen(*pixel)), unblended(qBlue(*pixel)), alpha);
    }
    return image;
}

} // namespace

void followDesktop(Ui::MainWindow &ui)
{
    const QPalette desktop = QGuiApplication::palette();
    QPalette palette = ui.Picture1->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setBrush(group, QPalette::Window, desktop.brush(group, QPalette::Button));
        palette.setBrush(group, QPalette::WindowText, desktop.brush(group, QPalette::ButtonText));
    }
    ui.Picture1->setPalette(palette);
}

void buildForm(Ui::MainWindow &ui, QWidget &window)
{
    installAccessibleForm();
    ui.setupUi(&window);
    addOwnFonts();
    setFonts(ui);
    // Fusion takes a button's face from its palette on every platform, and a
    // widget's style does not pass to its children: each control gets it.
    auto *style = new FormStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    style->setParent(&window);
    for (QWidget *control : window.findChildren<QWidget *>())
        control->setStyle(style);
    style->ringFocus(window);
    auto *guard = new ReadOnlyGuard(&window);
    for (QLineEdit *field : window.findChildren<QLineEdit *>())
        field->installEventFilter(guard);
    new WholeRepaint(window);
    followDesktop(ui);
    ui.picSchlange->setBackgroundRole(QPalette::Base);
    window.setWindowIcon(QIcon(QStringLiteral(":/data/smiley.ico")));
    showPictures(ui, wantsDensePictures(window));
}

bool wantsDensePictures(const QWidget &window)
{
    // Some platforms give a window no ratio of its own (Qt's offscreen one
    // from 6.6 on): there, its screen's tells.
    const QScreen *screen = window.screen();
    const qreal ratio =
        std::max(window.devicePixelRatioF(), screen != nullptr ? screen->devicePixelRatio() : 1.0);
    return ratio > 1.0;
}

void showPictures(Ui::MainWindow &ui, bool dense)
{
    ui.imgSchlange->setPixmap(
        QPixmap::fromImage(withClearGround(picture(dense, QStringLiteral("schlange")))));
    ui.Image1->setPixmap(QPixmap::fromImage(picture(dense, QStringLiteral("tiere"))));
}
