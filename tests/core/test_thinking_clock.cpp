// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"

#include <QTest>

using namespace std::chrono_literals;

class TestThinkingClock : public QObject {
    Q_OBJECT

private slots:
    void speedSetsDeductionAndEndStep_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("deductionStep");
        QTest::addColumn<int>("endStep");
        QTest::newRow("1") << 1 << 5 << 10;
        QTest::newRow("5") << 5 << 41 << 90;
    }
    void speedSetsDeductionAndEndStep()
    {
        QFETCH(int, speed);
        QFETCH(int, deductionStep);
        QFETCH(int, endStep);
        GameFixture t;
        t.controls.speedValue = speed;
        t.puzzle("Elefant");
        t.time.advance(0ns);
        for (int step = 2; step <= endStep; ++step) {
            QCOMPARE(t.field(Field::txtPunkte), QByteArray(step <= deductionStep ? "5" : " 3"));
            QCOMPARE(t.controls.scoreTop, t.controls.snake - 10);
            QVERIFY(t.time.armed);
            t.time.nextStep();
        }
        QVERIFY(!t.time.armed);
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("0"));
        QCOMPARE(t.controls.snake, 10.0f);
        QCOMPARE(t.controls.scoreTop, 0.0f);
        QVERIFY(t.controls.visible[Shown::txtSuchwort] && t.controls.visible[Shown::cmdSortieren]);
    }

    // Scripts of what the player does, one character each, at speed 1 (9 units
    // a step): T "Tier" on "Elefant", W "weiter", S "stop", Z "Zeigen", H ticks
    // "Stop", ! places the snake just above the bottom; n lets the clock act at
    // once, + waits one step, - 300 ms. Traced: the snake after every wait,
    // with the score field ten units above it, whether a run still goes on,
    // the score and how often the letters were shuffled.
    void playerAndClock_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("snake");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QByteArray>("score");
        QTest::addColumn<int>("shuffles");
        const auto row = [](const char *name, const char *script, const char *snake, bool running,
                            const char *score, int shuffles) {
            QTest::newRow(name) << QByteArray(script) << QByteArray(snake) << running << QByteArray(score)
                                << shuffles;
        };
        row("weiter after half time does not pay again", "Tn++++S+Wn++", "19 28 37 46 55 55 64 73 82", true,
            " 3", 10);
        row("Tier with the snake held puts the score back above it", "Tn+HTn+", "19 28 10 10", true, "5", 6);
        row("stop before Tier does not end its run", "STn++", "19 28 37", true, "5", 4);
        row("Zeigen ends without another step", "Tn+-Z+", "19 28 28 10", false, "5", 3);
        row("weiter during a run steps at once", "Tn-Wn+S+", "19 19 28 37 37", false, "5", 5);
        row("Tier during a run starts over", "Tn++Tn", "19 28 37 19", true, "5", 6);
        row("second puzzle pays half time again", "Tn++++Tn++++", "19 28 37 46 55 19 28 37 46 55", true, " 3",
            12);
        row("weiter before the first puzzle", "Wn++++", "18.1533 27.1533 36.1533 45.1533 54.1533", true, "-2",
            6);
        row("run interrupted before its first step owes one", "TTnS++", "19 28 28", false, "5", 4);
        row("owed step of a run started in a wait comes at once", "Tn-TT!n-", "19 19 19 19", true, "0", 5);
        row("run ended at its first step owes nothing", "!WnTnS++", "10 19 19 19", false, "5", 3);
        row("Tier while an owed step waits keeps it owed", "TTn-!WnTnS++", "19 19 10 19 28 28", false, "5",
            7);
    }
    void playerAndClock()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, snake);
        GameFixture t;
        t.controls.speedValue = 1;
        QByteArrayList trace;
        for (const char action : script) {
            switch (action) {
            case 'T': t.puzzle("Elefant"); break;
            case 'W': t.game.Command3_Click(); break;
            case 'S': t.game.Command4_Click(); break;
            case 'Z': t.game.Command1_Click(); break;
            case 'H': t.controls.values[Box::chkStop] = 1; break;
            case '!': t.controls.snake = 99; break;
            case 'n': t.time.advance(0ns); break;
            case '+': t.time.nextStep(); break;
            case '-': t.time.advance(300ms); break;
            }
            if (action == 'n' || action == '+' || action == '-') {
                trace << QByteArray::number(t.controls.snake);
                QCOMPARE(t.controls.scoreTop, t.controls.snake - snakeStartTop);
            }
        }
        QCOMPARE(trace.join(' '), snake);
        QTEST(t.time.armed, "running");
        QTEST(t.field(Field::txtPunkte), "score");
        QTEST(t.controls.writes[Field::txtAusgabe], "shuffles");
    }

    // Waits go by the monotonic clock: midnight neither stretches nor cuts
    // short the second in which it falls.
    void clockAcrossMidnight()
    {
        GameFixture t;
        t.time.time = 120h - 4500ms;
        t.puzzle("Elefant");
        t.time.advance(500ms);
        for (int second = 0; second < 10; ++second) {
            QCOMPARE(t.controls.snake, 11.0f + float(second));
            t.time.advance(1s);
        }
        QVERIFY(t.time.secondsSinceMidnight() < 10.0f);
    }
};

QTEST_GUILESS_MAIN(TestThinkingClock)
#include "test_thinking_clock.moc"
