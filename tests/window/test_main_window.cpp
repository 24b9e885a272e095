// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

// The first row of the control at or below fromRow in which a pixel differs
// from the one at the row's left edge; -1 if there is none.
int firstMarkedRow(QWidget *control, int fromRow)
{
    const QImage image = control->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    for (int y = qRound(fromRow * ratio); y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, y))
                return int(y / ratio);
    return -1;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheSortedInitialText()
    {
        WindowFixture f;
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("~~~~~ESZaacdeeeefhiilnnnnorsssssstun"));
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral("Punkte"));
        QCOMPARE(f.textOf("txtHilfe"), QStringLiteral("Hilfe"));
        QCOMPARE(f.textOf("Text1"), QStringLiteral("5"));
        QCOMPARE(f.window.speed(), 5);
        for (const char *hidden : {"txtSuchwort", "cmdSortieren", "cmdZweiter", "txtTiere"})
            QVERIFY2(!f.shown(hidden), hidden);
        QCOMPARE(f.window.value(Box::chkGrossbuchstaben) + f.window.value(Box::chkLetzter), 2);
        QCOMPARE(f.window.value(Box::chkMax) + f.window.value(Box::chkStop), 0);
        QCOMPARE(f.window.focusWidget(), f.control("txtHilfe"));
        // Centred, but for the few pixels of the frame around it.
        QVERIFY((f.window.frameGeometry().center() - f.window.screen()->availableGeometry().center())
                    .manhattanLength() <= 4);
        QVERIFY(!f.window.windowIcon().isNull());
    }

    void eachControlRunsItsHandler_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("probe");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *caption, const char *control, int seconds, const char *probe,
                            const char *expected) {
            QTest::newRow(caption) << control << seconds << probe << QString::fromUtf8(expected);
        };
        // A puzzle on "Elefant" without options, its clock one step in, "Ssss" in
        // the solution field; the next "Tier" draws "Hund".
        row("Tier", "Command2", 0, "txtSortiert", "dhnu");
        row(" mischen", "cmdMischen", 0, "txtAusgabe", "ssss");
        row("Sortieren", "cmdSortieren", 0, "txtSortiert", "ssss");
        row("1. Buchstabe", "cmdErster", 0, "txtSortiert", "aeeflnt     S");
        row("2. Buchstabe", "cmdZweiter", 0, "txtSortiert", "aeeflnts");
        row("letzter B.", "cmdLetzter", 0, "txtSortiert", "aeeflnt. s");
        row("Zeigen", "Command1", 0, "snake", "10");
        row("weiter", "Command3", 0, "snake", "12");
        row("stop", "Command4", 1, "snake", "11");
        row("Letzter Buchstabe", "chkLetzter", 0, "txtHilfe",
            "Der letzte Buchstabe wird automatisch korrekt angezeigt, nur der Rest wird sortiert");
    }

    void eachControlRunsItsHandler()
    {
        QFETCH(QString, control);
        QFETCH(int, seconds);
        QFETCH(QString, probe);
        QFETCH(QString, expected);
        WindowFixture f;
        f.click("chkGrossbuchstaben");
        f.click("chkLetzter");
        f.nextAnimal(QStringLiteral("Elefant"));
        f.click("Command2");
        f.time.advance(0ms);
        f.window.setText(Field::txtSuchwort, "Ssss");
        for (Shown hidden : {Shown::cmdZweiter, Shown::cmdLetzter, Shown::cmdSortieren})
            f.window.setVisible(hidden, true);
        f.nextAnimal(QStringLiteral("Hund"));

        QTest::mouseClick(f.control(control), Qt::LeftButton);
        f.time.advance(0ms);
        for (int second = 0; second < seconds; ++second)
            f.time.nextStep();
        QCOMPARE(probe == QLatin1String("snake") ? QString::number(f.window.snakeTop()) : f.textOf(probe),
                 expected);
    }

    // "weiter" before the first puzzle sinks the snake by one step from its
    // place at start. At Top 10 its head, two rows below the top of its picture,
    // shows a tenth of the frame's inner height down; at 100 it is out of sight.
    void snakeSinksInItsFrame()
    {
        WindowFixture f;
        QWidget *frame = f.control("picSchlangeSurface");
        const int start = f.control("imgSchlange")->y();
        f.click("Command3");
        f.time.advance(0ms);
        QCOMPARE(f.control("imgSchlange")->y(), qRound(start + frame->height() / 100.0));
        const int belowScore = f.control("txtPunkte")->geometry().bottom() + 1;
        f.window.setSnakeTop(10);
        QCOMPARE(firstMarkedRow(frame, belowScore), qRound(frame->height() / 10.0) + 2);
        f.window.setSnakeTop(100);
        QCOMPARE(firstMarkedRow(frame, belowScore), -1);

        // A step at the shortest thinking time is 9 units, and the score
        // rides ten units above the snake.
        f.window.setSnakeTop(10);
        f.control<QScrollBar>("HScroll1")->setValue(1);
        f.click("Command3");
        f.time.advance(0ms);
        const int snake = f.control("imgSchlange")->y();
        QCOMPARE(snake, qRound(frame->height() * 19 / 100.0));
        QVERIFY(qAbs(snake - f.control("txtPunkte")->y() - frame->height() / 10.0) <= 1);
    }

    // At 96 dots per inch 9.75 pt are 13 pixels, 11.25 pt 15, 12 pt 16, 14.25 pt
    // 19, 15.75 pt 21 and 18 pt 24: one control of every font in the form.
    void controlsShowTheirFonts()
    {
        WindowFixture f;
        const QStringList times{"Times New Roman", "Liberation Serif"};
        const QStringList arial{"Arial Unicode MS", "Liberation Sans"};
        const QStringList courier{"Courier New", "Liberation Mono"};
        for (const auto &[control, faces, pixels] : {std::tuple{"Command4", times, 13},
                                                     {"chkMax", times, 15},
                                                     {"Label1", times, 16},
                                                     {"txtHilfe", times, 19},
                                                     {"Command2", times, 21},
                                                     {"txtAusgabe", arial, 21},
                                                     {"txtSuchwort", courier, 24}}) {
            // The face drawn: the named one, or its twin where it is missing.
            const QFont font = f.control(control)->font();
            QVERIFY2(faces.contains(QFontInfo(font).family()), control);
            QCOMPARE(QFontInfo(font).pixelSize(), pixels);
            QCOMPARE(font.bold(), control == QLatin1String("txtSuchwort"));
        }
    }

    void buttonsShowTheirFaceColour_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QColor>("face");
        const auto faces = [](const QColor &face, std::initializer_list<const char *> controls) {
            for (const char *control : controls)
                QTest::newRow(control) << QString::fromLatin1(control) << face;
        };
        faces(QColor(255, 255, 0), {"Command2", "Command1", "cmdErster", "cmdZweiter", "cmdLetzter"});
        faces(QColor(255, 128, 0), {"cmdEnde", "Command4"});
        faces(QColor(255, 255, 255), {"cmdMischen"});
        faces(QColor(192, 192, 255), {"cmdSortieren"});
    }

    // Sampled just inside the frame at the four corners, away from the caption.
    void buttonsShowTheirFaceColour()
    {
        QFETCH(QString, control);
        QFETCH(QColor, face);
        WindowFixture f;
        f.window.setVisible(Shown::cmdZweiter, true);
        f.window.setVisible(Shown::cmdSortieren, true);
        QWidget *button = f.control(control);
        const QImage image = button->grab().toImage();
        const QRect inside = button->rect().adjusted(3, 3, -4, -4);
        const auto at = [&](const QImage &grabbed, QPoint point) {
            return grabbed.pixelColor((QPointF(point) * grabbed.devicePixelRatio()).toPoint());
        };
        for (const QPoint corner :
             {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()})
            QCOMPARE(at(image, corner).name(), face.name());
        // The style still draws its frame, darker than the panel, and its own
        // look while the button is held down.
        const QWidget *panel = button->parentWidget();
        QVERIFY(qGray(at(image, QPoint(0, button->height() / 2)).rgb()) <
                qGray(panel->palette().color(panel->backgroundRole()).rgb()));
        qobject_cast<QAbstractButton *>(button)->setDown(true);
        QVERIFY(at(button->grab().toImage(), inside.topLeft()) != face);
    }

    // Moved from screen to screen, and back, the window shows its pictures at
    // the density of the screen it is on.
    void picturesFollowTheScreensDensity()
    {
        WindowFixture f;
        QList<QScreen *> screens = QGuiApplication::screens();
        screens.append(f.window.screen());
        for (QScreen *screen : screens) {
            f.window.move(screen->geometry().topLeft());
            QTRY_COMPARE(f.window.screen(), screen);
            for (const auto &[name, size] :
                 {std::pair{"imgSchlange", QSize(65, 590)}, std::pair{"Image1", QSize(809, 467)}}) {
                const QPixmap pixmap = f.control<QLabel>(name)->pixmap();
                QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(size));
                QCOMPARE(pixmap.devicePixelRatio(), screen->devicePixelRatio() > 1.0 ? 2.0 : 1.0);
            }
        }
    }

    // The speed bar covers 1 to 5 by ones, by arrow and by page (the bar is
    // too narrow for a track to click); the speed field shows the speed and
    // takes no typing.
    void speedControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Home") << "HScroll1" << QList<int>{Qt::Key_Home} << "1";
        QTest::newRow("End") << "HScroll1" << QList<int>{Qt::Key_Home, Qt::Key_End} << "5";
        QTest::newRow("arrow") << "HScroll1" << QList<int>{Qt::Key_Left} << "4";
        QTest::newRow("page") << "HScroll1" << QList<int>{Qt::Key_PageDown} << "4";
        QTest::newRow("typing") << "Text1" << QList<int>{Qt::Key_1} << "5";
    }
    void speedControls()
    {
        QFETCH(QString, control);
        QFETCH(QList<int>, keys);
        WindowFixture f;
        for (const int key : keys)
            QTest::keyClick(f.control(control), Qt::Key(key));
        QTEST(f.textOf("Text1"), "shown");
    }

    // "Ende" and closing the window end the program, also during a run: its
    // event loop returns, and nothing of the window or its clock stays.
    void endingDuringARunEndsTheProgram()
    {
        for (const bool byButton : {true, false}) {
            QPointer<QStyle> style;
            {
                WindowFixture f;
                style = f.control("Command2")->style();
                f.click("Command2");
                f.time.advance(0ms);
                QTimer::singleShot(0, &f.window,
                                   [&] { byButton ? f.click("cmdEnde") : (void)f.window.close(); });
                QTimer::singleShot(5000, &f.window, [] { QCoreApplication::exit(1); });
                QCOMPARE(QApplication::exec(), 0);
                QVERIFY(!f.time.armed);
            }
            QVERIFY(style.isNull());
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
