// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <QApplication>
#include <QBackingStore>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOption>

#include <cmath>
#include <map>

namespace {

// Contrast as the web's accessibility guidelines measure it.
double contrast(const QColor &one, const QColor &other)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double a = luminance(one) + 0.05;
    const double b = luminance(other) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

// Where a wrong formula for contrast would pick the ring that does not stand out.
const QColor deepBlue(0, 11, 222);

// A desktop palette with light text on dark grounds, as dark themes give.
QPalette darkDesktop(const QColor &ground = QColor(53, 53, 53))
{
    QPalette dark(ground);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, QColor(238, 238, 236));
    dark.setColor(QPalette::Base, QColor(45, 45, 45));
    return dark;
}

// Where a control draws its text, in its own coordinates.
QRect textArea(QWidget *control)
{
    QStyleOptionButton option;
    option.initFrom(control);
    if (qobject_cast<QCheckBox *>(control))
        return control->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, control);
    if (qobject_cast<QPushButton *>(control))
        return control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control);
    return control->contentsRect().adjusted(3, 3, -3, -3);
}

// The text's contrast on the window's pixels, with whatever shows through the
// control: the commonest colour is the ground, the colour that stands out
// most from it is the text's.
double textContrast(QWidget &window, QWidget *control)
{
    const QRect area = textArea(control);
    const QImage image = window.grab(QRect(control->mapTo(&window, area.topLeft()), area.size())).toImage();
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const QColor ground = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                              return a.second < b.second;
                          })->first;
    double best = 1.0;
    for (const auto &[pixel, count] : counts)
        best = std::max(best, contrast(ground, QColor(pixel)));
    return best;
}

QColor at(const QImage &image, QPoint point)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(int((point.x() + 0.5) * ratio), int((point.y() + 0.5) * ratio));
}

// A desktop's new colours reach the window through its event loop.
void switchDesktop(const QPalette &desktop)
{
    QApplication::setPalette(desktop);
    QCoreApplication::processEvents();
}

// The desktop the game starts under, and the one it has when it is looked
// at: the same, or switched while the window is up. Deep blue only where the
// desktop's own colours are not judged: its light text on a deep blue button
// stands out by 3:1 only.
void desktops(bool deepBlueToo)
{
    QTest::addColumn<QPalette>("atStart");
    QTest::addColumn<QPalette>("desktop");
    const QPalette light = QApplication::palette();
    QTest::newRow("light") << light << light;
    QTest::newRow("dark") << darkDesktop() << darkDesktop();
    QTest::newRow("light, then dark") << light << darkDesktop();
    QTest::newRow("dark, then light") << darkDesktop() << light;
    if (!deepBlueToo)
        return;
    QTest::newRow("deep blue") << darkDesktop(deepBlue) << darkDesktop(deepBlue);
    QTest::newRow("dark, then deep blue") << darkDesktop() << darkDesktop(deepBlue);
}

} // namespace

class ColoursTest : public QObject {
    Q_OBJECT

private slots:
    void init() { desktop_ = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(desktop_); }

    // Texts on the form's own colours and texts on the desktop's stay
    // readable, and the snake's white ground takes the frame's colour.
    void textIsReadableOnEveryDesktop_data() { desktops(false); }
    void textIsReadableOnEveryDesktop()
    {
        QFETCH(QPalette, atStart);
        QFETCH(QPalette, desktop);
        QApplication::setPalette(atStart);
        WindowFixture f;
        f.nextAnimal(QStringLiteral("Elefant"));
        f.click("Command2");
        f.time.advance(std::chrono::milliseconds(0));
        switchDesktop(desktop);
        for (Shown hidden : {Shown::cmdZweiter, Shown::cmdSortieren, Shown::txtSuchwort})
            f.window.setVisible(hidden, true);
        for (QWidget *control : f.window.findChildren<QWidget *>()) {
            const auto *label = qobject_cast<QLabel *>(control);
            const bool showsText = qobject_cast<QAbstractButton *>(control) ||
                                   qobject_cast<QLineEdit *>(control) || (label && !label->text().isEmpty());
            if (!showsText || !control->isVisibleTo(&f.window))
                continue;
            // Bold 18 points count as large text.
            const double needed = control->objectName() == QLatin1String("txtSuchwort") ? 3.0 : 4.5;
            const double measured = textContrast(f.window, control);
            QVERIFY2(measured >= needed,
                     qPrintable(control->objectName() + QStringLiteral(": %1").arg(measured)));
        }
        // The ground beside the snake's body clears, leaving no light fringe
        // along its edge; nothing near white shows but the whites of its eyes.
        QWidget *frame = f.control("picSchlange");
        const QImage snake = frame->grab().toImage();
        const QWidget *label = f.control("imgSchlange");
        const auto picture = [&](int x, int y) { return at(snake, label->mapTo(frame, QPoint(x, y))); };
        QCOMPARE(picture(2, 200), desktop.color(QPalette::Base));
        QCOMPARE(picture(14, 23), QColor(Qt::white));
        const int lightest =
            std::max(QColor(184, 214, 64).lightness(), desktop.color(QPalette::Base).lightness());
        for (int x = 0; x < label->width(); ++x)
            QVERIFY2(picture(x, 200).lightness() <= lightest, qPrintable(QString::number(x)));
        const bool whiteFrame = desktop.color(QPalette::Base) == Qt::white;
        const QRect eyes(10, 17, 44, 24);
        for (int y = 0; y < label->parentWidget()->height() - label->y(); ++y)
            for (int x = 0; x < label->width(); ++x)
                QVERIFY2(whiteFrame || eyes.contains(x, y) || picture(x, y).lightness() <= 250,
                         qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        // On a white frame it looks just as drawn, its blended edge included.
        if (!whiteFrame)
            return;
        // As far as the snake shows in its frame.
        const QRect place =
            QRect(label->mapTo(frame, QPoint(0, 0)), label->size()) & label->parentWidget()->geometry();
        const QImage shown = frame->grab(place).toImage();
        const QImage drawn(shown.devicePixelRatio() > 1 ? ":/data/schlange@2x.png" : ":/data/schlange.bmp");
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y);
                const QRgb b = drawn.pixel(x, y);
                const int off = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                                std::abs(qBlue(a) - qBlue(b));
                QVERIFY2(off <= 3, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            }
    }

    // At the middle of a side that faces bare ground, the ring changes at
    // least two pixels in a row, and stands out by 3:1 from what it meets on
    // either side: the ground outside, the control's face or edge inside.
    void keyboardFocusShowsAsARing_data() { desktops(true); }
    void keyboardFocusShowsAsARing()
    {
        QFETCH(QPalette, atStart);
        QFETCH(QPalette, desktop);
        QApplication::setPalette(atStart);
        WindowFixture f;
        switchDesktop(desktop);
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        for (Shown hidden : {Shown::cmdZweiter, Shown::cmdSortieren})
            f.window.setVisible(hidden, true);
        for (QWidget *control : f.window.findChildren<QWidget *>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(&f.window))
                continue;
            f.control(control == f.control("Command2") ? "Command1" : "Command2")->setFocus();
            const QImage before = f.window.grab().toImage();
            control->setFocus();
            const QImage after = f.window.grab().toImage();
            int sides = 0;
            const QRect edge(control->mapTo(&f.window, QPoint(0, 0)), control->size());
            for (const auto &[middle, out] :
                 {std::pair{QPoint(edge.left(), edge.center().y()), QPoint(-1, 0)},
                  std::pair{QPoint(edge.right(), edge.center().y()), QPoint(1, 0)}}) {
                const QWidget *beside = f.window.childAt(middle + 3 * out);
                if (beside != nullptr && !beside->isAncestorOf(control))
                    continue;
                ++sides;
                std::vector<int> ring;
                for (int k = -2; k <= 2; ++k)
                    if (at(before, middle + k * out) != at(after, middle + k * out))
                        ring.push_back(k);
                const QString where = control->objectName() + QStringLiteral(" side %1").arg(out.x());
                QVERIFY2(ring.size() >= 2 && ring.back() - ring.front() == int(ring.size()) - 1,
                         qPrintable(where));
                const QColor face = at(before, middle + (ring.front() - 1) * out);
                const QColor ground = at(before, middle + (ring.back() + 1) * out);
                QVERIFY2(contrast(at(after, middle + ring.back() * out), ground) >= 3.0, qPrintable(where));
                QVERIFY2(contrast(at(after, middle + ring.front() * out), face) >= 3.0, qPrintable(where));
            }
            QVERIFY2(sides > 0, qPrintable(control->objectName()));
        }
    }

    // A desktop switched in the middle of a puzzle leaves every pixel of the
    // window as a game started under the new desktop draws it: the panel, the
    // labels, the check boxes, the fields, the buttons, the snake's frame and
    // the focus ring. The fakes draw the same letters in both.
    void switchedDesktopLooksLikeAFreshStart_data() { desktops(true); }
    void switchedDesktopLooksLikeAFreshStart()
    {
        QFETCH(QPalette, atStart);
        QFETCH(QPalette, desktop);
        QApplication::setPalette(atStart);
        QImage switched;
        {
            WindowFixture f;
            playAWhile(f);
            switchDesktop(desktop);
            switched = look(f);
        }
        WindowFixture fresh;
        playAWhile(fresh);
        const QImage expected = look(fresh);
        QVERIFY(!switched.isNull() && !expected.isNull());
        QCOMPARE(switched.size(), expected.size());
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) {
                if (switched.pixel(x, y) == expected.pixel(x, y))
                    continue;
                const QPoint point = QPoint(x, y) / expected.devicePixelRatio();
                const QWidget *control = fresh.window.childAt(point);
                QFAIL(qPrintable(
                    QStringLiteral("%1, %2 (%3): %4 instead of %5")
                        .arg(point.x())
                        .arg(point.y())
                        .arg(control != nullptr ? control->objectName() : QStringLiteral("window"))
                        .arg(QColor(switched.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name())));
            }
    }

    // What the screen shows, after play and with the focus ring going round,
    // is what a fresh paint of the window draws. Run also at a scale whose
    // pixels fall between the device's (a form fitted to a tablet), where a
    // repaint of only what changed leaves stale marks.
    void screenShowsWhatAFreshPaintDraws()
    {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("Only the offscreen platform's backing store is an image to read back.");
        WindowFixture f;
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        playAWhile(f);
        f.control("txtHilfe")->setFocus();
        // The window's raster backing store, whose pixels the screen gets, is
        // an image while it is open for painting (here: for painting nothing).
        const auto shownImage = [&f] {
            QBackingStore *store = f.window.backingStore();
            store->beginPaint(QRegion());
            QPaintDevice *device = store->paintDevice();
            QImage image;
            if (device->devType() == QInternal::Image)
                image = static_cast<QImage *>(device)->convertToFormat(QImage::Format_RGB32);
            store->endPaint();
            return image;
        };
        for (int stop = 0; stop < 24; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            f.time.nextStep();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            const QImage shown = shownImage();
            const QImage fresh = f.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.size(), fresh.size());
            for (int y = 0; y < fresh.height(); ++y)
                for (int x = 0; x < fresh.width(); ++x)
                    if (shown.pixel(x, y) != fresh.pixel(x, y))
                        QFAIL(qPrintable(
                            QStringLiteral("focus on %1: %2, %3 shows %4 instead of %5")
                                .arg(QApplication::focusWidget()->objectName())
                                .arg(x)
                                .arg(y)
                                .arg(QColor(shown.pixel(x, y)).name(), QColor(fresh.pixel(x, y)).name())));
        }
    }

private:
    // A puzzle on "Elefant" with every control shown, two seconds in.
    static void playAWhile(WindowFixture &f)
    {
        f.nextAnimal(QStringLiteral("Elefant"));
        f.click("Command2");
        f.time.advance(std::chrono::milliseconds(0));
        f.time.nextStep();
        f.time.nextStep();
        for (Shown hidden : {Shown::cmdZweiter, Shown::cmdSortieren, Shown::txtSuchwort})
            f.window.setVisible(hidden, true);
    }

    // The window as it shows while active, the keyboard focus on "Tier".
    static QImage look(WindowFixture &f)
    {
        f.window.activateWindow();
        if (!QTest::qWaitForWindowActive(&f.window))
            return {};
        f.control("Command2")->setFocus();
        return f.window.grab().toImage();
    }

    QPalette desktop_;
};

QTEST_MAIN(ColoursTest)
#include "test_colours.moc"
