// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

// Just beyond one second: the clock steps once the second has passed.
constexpr auto oneStep = 1001ms;

QString sortedLetters(QString text)
{
    std::sort(text.begin(), text.end());
    return text;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void startsWithTheSortedInitialText()
    {
        WindowFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Wuselwort"));
        QCOMPARE(f.window.size(), QSize(1005, 679));
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("~~~~~ESZaacdeeeefhiilnnnnorsssssstun"));
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral("Punkte"));
        QCOMPARE(f.textOf("Text1"), QStringLiteral("5"));
        QCOMPARE(f.window.speed(), 5);
        for (const char *hidden : {"txtSuchwort", "cmdSortieren", "cmdZweiter", "txtTiere"})
            QVERIFY2(!f.shown(hidden), hidden);
        QCOMPARE(f.window.value(Box::chkGrossbuchstaben) + f.window.value(Box::chkLetzter), 2);
        QCOMPARE(f.window.value(Box::chkMax) + f.window.value(Box::chkStop), 0);
        QVERIFY(f.window.text(Field::txtTiere) == builtInAnimalList());
        const qreal sharpness = f.window.devicePixelRatio() > 1.0 ? 2.0 : 1.0;
        for (const auto &[name, size] :
             {std::pair{"imgSchlange", QSize(65, 590)}, std::pair{"Image1", QSize(809, 467)}}) {
            const QPixmap pixmap = f.control<QLabel>(name)->pixmap();
            QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(size));
            QCOMPARE(pixmap.devicePixelRatio(), sharpness);
        }
        QCOMPARE(f.control("imgSchlange")->y(), 40);
    }

    void tabGoesThroughTheControlsInOrder()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        const QStringList order = {"txtHilfe",   "Command1",  "Command2",   "txtSortiert",
                                   "Command3",   "cmdEnde",   "Command4",   "cmdMischen",
                                   "txtAusgabe", "chkMax",    "chkLetzter", "chkGrossbuchstaben",
                                   "HScroll1",   "Text1",     "cmdErster",  "cmdLetzter",
                                   "chkStop",    "txtPunkte", "txtHilfe"};
        QCOMPARE(QApplication::focusWidget()->objectName(), order.first());
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), order.at(i));
        }
    }

    // Controls hidden at start take their place in the tab order once shown.
    void revealedControlsJoinTheTabOrder_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QString>("after");
        QTest::newRow("Sortieren") << "chkGrossbuchstaben" << Shown::cmdSortieren << "HScroll1";
        QTest::newRow("2. Buchstabe") << "chkStop" << Shown::cmdZweiter << "txtPunkte";
    }

    void revealedControlsJoinTheTabOrder()
    {
        QFETCH(QString, before);
        QFETCH(Shown, shown);
        QFETCH(QString, after);
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.window.setVisible(shown, true);
        f.control(before.toLatin1())->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *revealed = QApplication::focusWidget();
        QVERIFY(revealed->isVisible());
        QVERIFY(revealed != f.control(after.toLatin1()));
        QTest::keyClick(revealed, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), after);
    }

    void spaceStartsAPuzzle()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.nextAnimal(QStringLiteral("Elefant"));
        f.control("Command2")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(f.time.armed);
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("Eaeflnt"));
    }

    void arrowKeysSetTheThinkingTime()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.control("HScroll1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(f.window.speed(), 3);
        QCOMPARE(f.textOf("Text1"), QStringLiteral("3"));
    }

    void playsAWholePuzzle()
    {
        WindowFixture f;
        f.puzzleWithoutOptions(QStringLiteral("Elefant"));
        QCOMPARE(f.textOf("txtSuchwort"), QStringLiteral("Elefant"));
        QVERIFY(!f.shown("txtSuchwort"));
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral("5"));
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("aeeflnt"));
        QVERIFY(f.shown("cmdErster") && !f.shown("cmdZweiter") && !f.shown("cmdLetzter"));

        f.time.advance(0ms);
        QCOMPARE(sortedLetters(f.textOf("txtAusgabe")), QStringLiteral("aeeflnt"));
        QCOMPARE(f.window.snakeTop(), 11.0f);

        f.click("cmdErster");
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("aeeflnt     E"));
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral(" 4"));
        QVERIFY(!f.shown("cmdErster") && f.shown("cmdZweiter"));

        f.time.advance(oneStep);
        QCOMPARE(f.window.snakeTop(), 12.0f);
        f.click("cmdZweiter");
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("aeeflnt     El"));
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral(" 3"));
        QVERIFY(f.shown("cmdLetzter"));
        f.click("cmdLetzter");
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("aeeflnt     El. . . . t"));
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral(" 2"));
        QVERIFY(!f.shown("cmdErster") && !f.shown("cmdZweiter") && !f.shown("cmdLetzter"));

        f.click("Command1");
        QVERIFY(f.shown("txtSuchwort") && f.shown("cmdSortieren"));
        QCOMPARE(f.window.snakeTop(), 10.0f);
        QCOMPARE(f.control("txtPunkte")->y(), 0);
        f.time.advance(oneStep);
        QVERIFY(!f.time.armed);
        QCOMPARE(f.window.snakeTop(), 10.0f);
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral(" 2"));

        auto *solution = f.control<QLineEdit>("txtSuchwort");
        solution->selectAll();
        QTest::keyClicks(solution, QStringLiteral("Eisb"));
        QTest::sendKeyEvent(QTest::Click, solution, Qt::Key_Adiaeresis, QStringLiteral("ä"), Qt::NoModifier);
        QTest::keyClick(solution, Qt::Key_R);
        f.click("cmdSortieren");
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("beirsä"));
        f.click("chkLetzter");
        f.click("cmdSortieren");
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("beisär"));
    }

    // Characters that the game's text cannot hold reach it as "?", one each.
    void foreignCharactersInEveryTypedField()
    {
        WindowFixture f;
        f.puzzleWithoutOptions(QStringLiteral("Elefant"));
        f.click("Command1");
        const QString foreign = QStringLiteral("Жук\U0001F98A");
        for (const char *field : {"txtSuchwort", "txtSortiert", "txtPunkte", "txtAusgabe"})
            f.control<QLineEdit>(field)->setText(foreign);
        for (const char *button : {"cmdErster", "cmdZweiter", "cmdLetzter", "cmdMischen"})
            f.click(button);
        QCOMPARE(f.textOf("txtSuchwort"), foreign);
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("????     ??. ?"));
        QCOMPARE(f.textOf("txtAusgabe"), QStringLiteral("????"));
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral("-3"));
        f.click("cmdSortieren");
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("????"));
    }

    void clockRunsInVirtualTime_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("deductionStep");
        QTest::addColumn<int>("lastStep");
        QTest::newRow("1 (short)") << 1 << 5 << 10;
        QTest::newRow("5 (long)") << 5 << 41 << 90;
    }

    void clockRunsInVirtualTime()
    {
        QFETCH(int, speed);
        QFETCH(int, deductionStep);
        QFETCH(int, lastStep);
        WindowFixture f;
        auto *bar = f.control<QScrollBar>("HScroll1");
        for (int i = bar->value(); i > speed; --i)
            QTest::keyClick(bar, Qt::Key_Left);
        QCOMPARE(f.textOf("Text1"), QString::number(speed));

        f.nextAnimal(QStringLiteral("Elefant"));
        f.click("Command2");
        const int frame = f.control("picSchlangeSurface")->height();
        for (int step = 1; step < lastStep; ++step) {
            f.time.advance(step == 1 ? 0ms : oneStep);
            const float top = 10.0f + static_cast<float>(step * (11 - 2 * speed));
            QCOMPARE(f.window.snakeTop(), top);
            QCOMPARE(f.control("imgSchlange")->y(), qRound(top * static_cast<float>(frame) / 100.0f));
            QCOMPARE(f.control("txtPunkte")->y(), qRound((top - 10.0f) * static_cast<float>(frame) / 100.0f));
            QCOMPARE(f.textOf("txtPunkte"),
                     step < deductionStep ? QStringLiteral("5") : QStringLiteral(" 3"));
        }
        QVERIFY(!f.shown("txtSuchwort"));
        f.time.advance(oneStep);
        QCOMPARE(f.textOf("txtPunkte"), QStringLiteral("0"));
        QCOMPARE(f.window.snakeTop(), 10.0f);
        QCOMPARE(f.control("txtPunkte")->y(), 0);
        QVERIFY(f.shown("txtSuchwort") && f.shown("cmdSortieren"));
        QVERIFY(!f.time.armed);
    }

    void resizingMovesNothing()
    {
        WindowFixture f;
        const QList<QWidget *> controls = f.window.findChildren<QWidget *>();
        QList<QRect> before;
        for (const QWidget *control : controls)
            before.append(control->geometry());
        f.window.resize(1400, 900);
        f.window.resize(600, 400);
        for (qsizetype i = 0; i < controls.size(); ++i)
            QCOMPARE(controls.at(i)->geometry(), before.at(i));
    }

    void endingDuringARunStopsEverything_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Ende") << true;
        QTest::newRow("window frame") << false;
    }

    void endingDuringARunStopsEverything()
    {
        QFETCH(bool, byButton);
        WindowFixture f;
        f.nextAnimal(QStringLiteral("Dinosaurier"));
        f.click("Command2");
        f.time.advance(0ms);
        f.time.advance(oneStep);
        f.click("Command2");
        f.click("Command3");
        QVERIFY(f.time.armed);
        if (byButton)
            f.click("cmdEnde");
        else
            f.window.close();
        QVERIFY(!f.window.isVisible());
        QVERIFY(!f.time.armed);
        const float top = f.window.snakeTop();
        const QString letters = f.textOf("txtAusgabe");
        f.time.advance(10s);
        QCOMPARE(f.window.snakeTop(), top);
        QCOMPARE(f.textOf("txtAusgabe"), letters);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
