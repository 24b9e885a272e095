// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QInputMethodEvent>
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

    // Every caption within the room its control leaves for text, in the
    // widths the platform's fonts give it: Windows hints letters across to
    // whole pixels unless told otherwise, which cut "Grossbuchstaben" short.
    void captionsFitTheirControls_data()
    {
        QTest::addColumn<QString>("control");
        for (const char *control : {"chkGrossbuchstaben", "chkLetzter", "chkMax", "chkStop", "cmdErster",
                                    "cmdZweiter", "cmdLetzter", "cmdSortieren", "cmdMischen", "cmdEnde",
                                    "Command1", "Command2", "Command3", "Command4", "Label1", "Label2"})
            QTest::newRow(control) << QString::fromLatin1(control);
    }
    void captionsFitTheirControls()
    {
        QFETCH(QString, control);
        WindowFixture f;
        QWidget *widget = f.control(control);
        QRect room = widget->rect();
        QString caption;
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            caption = button->text();
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = caption;
            const bool box = qobject_cast<QCheckBox *>(button) != nullptr;
            room = button->style()->subElementRect(
                box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, button);
        } else {
            caption = qobject_cast<QLabel *>(widget)->text();
        }
        const qreal width = QFontMetricsF(widget->font()).horizontalAdvance(caption);
        QVERIFY2(width <= room.width(),
                 qPrintable(QStringLiteral("%1 of %2 pixels").arg(width).arg(room.width())));
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

    // What a player sees of each control at start, as the form describes it.
    void controlsLookAsTheFormSays_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("expected");
        const auto pin = [](std::initializer_list<const char *> controls, const char *property,
                            const QVariant &expected) {
            for (const char *control : controls)
                QTest::addRow("%s %s", control, property)
                    << QString::fromLatin1(control) << QByteArray(property) << expected;
        };
        const QVariant yes(true);
        const QVariant no(false);
        const auto buttons = {"Command1",   "Command2",     "Command3",  "Command4",   "cmdEnde",
                              "cmdMischen", "cmdSortieren", "cmdErster", "cmdZweiter", "cmdLetzter"};
        const auto boxes = {"chkGrossbuchstaben", "chkLetzter", "chkMax", "chkStop"};

        pin({"MainWindow"}, "windowTitle", QStringLiteral("Wuselwort"));
        pin({"MainWindow"}, "size", QSize(1005, 679));
        pin({"MainWindow", "Picture1", "picSchlange"}, "autoFillBackground", yes);
        pin({"Picture1", "picSchlange"}, "frameShape", int(QFrame::WinPanel));
        pin({"Picture1", "picSchlange"}, "frameShadow", int(QFrame::Sunken));
        pin({"Shape1"}, "frameShape", int(QFrame::Box));
        pin({"Line1"}, "frameShape", int(QFrame::VLine));
        pin({"Shape1", "Line1"}, "frameShadow", int(QFrame::Plain));
        pin({"Shape1", "Line1"}, "lineWidth", 1);

        // Every field takes typing but the speed field; it, the score and the
        // help line are centred; the solution field is drawn flat and is no
        // tab stop.
        pin({"Text1"}, "readOnly", yes);
        pin({"txtSuchwort", "txtAusgabe", "txtSortiert", "txtPunkte", "txtHilfe"}, "readOnly", no);
        pin({"Text1", "txtPunkte", "txtHilfe"}, "alignment", int(Qt::AlignCenter));
        pin({"txtSuchwort", "txtAusgabe", "txtSortiert"}, "alignment", int(Qt::AlignLeft | Qt::AlignVCenter));
        pin({"txtSuchwort"}, "frame", no);
        pin({"Text1", "txtAusgabe", "txtSortiert", "txtPunkte", "txtHilfe"}, "frame", yes);
        pin({"txtSuchwort"}, "focusPolicy", int(Qt::ClickFocus));
        pin({"Text1", "txtAusgabe", "txtSortiert", "txtPunkte", "txtHilfe", "HScroll1"}, "focusPolicy",
            int(Qt::StrongFocus));

        // Raised buttons, none of them a default button.
        pin(buttons, "flat", no);
        pin(buttons, "default", no);
        pin(buttons, "autoDefault", no);
        pin(buttons, "focusPolicy", int(Qt::StrongFocus));
        pin({"chkGrossbuchstaben", "chkLetzter"}, "checked", yes);
        pin({"chkMax", "chkStop"}, "checked", no);
        pin(boxes, "focusPolicy", int(Qt::StrongFocus));

        pin({"HScroll1"}, "minimum", 1);
        pin({"HScroll1"}, "maximum", 5);
        pin({"HScroll1"}, "value", 5);
        pin({"HScroll1"}, "singleStep", 1);
        pin({"HScroll1"}, "orientation", int(Qt::Horizontal));

        // Pictures unstretched from their top left corner, as are the labels'
        // captions.
        pin({"Image1", "imgSchlange"}, "scaledContents", no);
        pin({"Image1", "imgSchlange", "Label1", "Label2"}, "alignment", int(Qt::AlignLeft | Qt::AlignTop));

        pin({"txtTiere"}, "verticalScrollBarPolicy", int(Qt::ScrollBarAlwaysOn));
        pin({"txtTiere"}, "horizontalScrollBarPolicy", int(Qt::ScrollBarAlwaysOn));
    }
    void controlsLookAsTheFormSays()
    {
        QFETCH(QString, control);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, expected);
        WindowFixture f;
        QObject *object = control == QLatin1String("MainWindow") ? &f.window : f.control(control);
        QVERIFY(object != nullptr);
        const QVariant actual = object->property(property.constData());
        QVERIFY(actual.isValid());
        if (expected.typeId() == QMetaType::Int)
            QCOMPARE(actual.toInt(), expected.toInt());
        else
            QCOMPARE(actual, expected);
    }

    // Each control where the form's table puts it, in twips of the inner area
    // of its container, 15 to the pixel; shown or hidden as start-up leaves it.
    void controlsStandWhereTheFormPutsThem_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("shown");
        const auto place = [](const char *control, int left, int top, int width, int height,
                              bool shown = true) {
            QTest::newRow(control) << QString::fromLatin1(control) << QRect(left, top, width, height)
                                   << shown;
        };
        place("Picture1", 120, 120, 14775, 2895);
        place("cmdZweiter", 8400, 1560, 1575, 255, false);
        place("chkStop", 13440, 1800, 855, 255);
        place("cmdLetzter", 8400, 1800, 1575, 255);
        place("cmdErster", 6840, 1800, 1575, 255);
        place("Text1", 12720, 1680, 615, 405);
        place("HScroll1", 12000, 1680, 495, 375);
        place("txtSuchwort", 1680, 2280, 13095, 435, false);
        place("cmdSortieren", 120, 2280, 1335, 495, false);
        place("chkGrossbuchstaben", 120, 1680, 1815, 255);
        place("chkLetzter", 2040, 1680, 2055, 255);
        place("chkMax", 4320, 1680, 2175, 255);
        place("txtAusgabe", 3000, 840, 11655, 540);
        place("cmdMischen", 1680, 1200, 1095, 255);
        place("Command4", 1680, 720, 1095, 255);
        place("cmdEnde", 120, 720, 1335, 735);
        place("Command3", 1680, 960, 1095, 255);
        place("txtSortiert", 3000, 120, 11655, 510);
        place("Command2", 120, 120, 1335, 495);
        place("Command1", 1680, 120, 1095, 495);
        place("Label2", 6960, 1560, 975, 255);
        place("Shape1", 6600, 1440, 3495, 735);
        place("Label1", 10800, 1680, 1215, 375);
        place("picSchlange", 120, 3000, 1575, 6615);
        place("txtPunkte", 240, 0, 1095, 405);
        place("imgSchlange", 360, 600, 975, 8850);
        place("txtHilfe", 120, 9600, 14775, 405);
        place("txtTiere", 5040, 6480, 3615, 2415, false);
        // The line from (14880, 2520) to (14880, 9960), both ends drawn.
        place("Line1", 14880, 2520, 15, 9960 - 2520 + 15);
        place("Image1", 2520, 2760, 12135, 7005);
    }
    void controlsStandWhereTheFormPutsThem()
    {
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        WindowFixture f;
        QWidget *widget = f.control(control);
        const QRect pixels(twips.topLeft() / 15, twips.size() / 15);
        QCOMPARE(widget->geometry(), pixels);
        QTEST(widget->isVisibleTo(&f.window), "shown");
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

    // A right click on the speed bar opens no menu: the bar's own menu, in
    // English, would wait in an event loop of its own, which a browser cannot
    // give it; the game would stop there.
    void speedBarOpensNoMenu()
    {
        WindowFixture f;
        QWidget *bar = f.control("HScroll1");
        bool menu = false;
        QTimer::singleShot(0, &f.window, [&menu] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                menu = true;
                popup->close();
            }
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(bar, &click);
        QCoreApplication::processEvents();
        QVERIFY(!menu);
    }

    // An input method (an on-screen keyboard, the browser's) commits text
    // without keys: the speed field takes none, a field that takes typing
    // takes it.
    void inputMethodTextGoesWhereTypingGoes_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        QTest::newRow("speed field") << "Text1"
                                     << "5";
        QTest::newRow("scrambled letters") << "txtAusgabe"
                                           << "Löwe";
    }
    void inputMethodTextGoesWhereTypingGoes()
    {
        QFETCH(QString, control);
        WindowFixture f;
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("Löwe"));
        QCoreApplication::sendEvent(f.control(control), &commit);
        QTEST(f.textOf(control), "shown");
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
