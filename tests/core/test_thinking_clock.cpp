// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_fixture.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// Just past the one-second wait that follows every step.
constexpr auto oneStep = 1001ms;

struct ClockFixture : GameFixture {
    explicit ClockFixture(int speed)
    {
        controls.speedValue = speed;
        puzzle("Elefant", 1, 1);
        time.advance(0ns);
    }
    bool running() const { return game.clock().running(); }
};

} // namespace

class TestThinkingClock : public QObject {
    Q_OBJECT

private slots:
    void speedSetsDeductionAndEndStep_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("deductionStep");
        QTest::addColumn<int>("endStep");
        QTest::newRow("1") << 1 << 5 << 10;
        QTest::newRow("2") << 2 << 6 << 13;
        QTest::newRow("3, 50 is not past half time") << 3 << 9 << 18;
        QTest::newRow("4") << 4 << 14 << 30;
        QTest::newRow("5") << 5 << 41 << 90;
    }
    void speedSetsDeductionAndEndStep()
    {
        QFETCH(int, speed);
        QFETCH(int, deductionStep);
        QFETCH(int, endStep);
        ClockFixture t(speed);
        for (int step = 2; step <= endStep; ++step) {
            QCOMPARE(t.field(Field::txtPunkte), QByteArray(step <= deductionStep ? "5" : " 3"));
            QCOMPARE(t.controls.score, t.controls.snake - 10);
            QVERIFY(t.running());
            t.time.advance(oneStep);
        }
        QVERIFY(!t.running());
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("0"));
        QCOMPARE(t.controls.snake, 10.0f);
        QCOMPARE(t.controls.score, 0.0f);
        QVERIFY(t.controls.visible[Shown::txtSuchwort] && t.controls.visible[Shown::cmdSortieren]);
    }

    void halfTimeDeductsTwoPoints_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("7") << QByteArray("7") << QByteArray(" 5");
        QTest::newRow("signed 5") << QByteArray(" 5") << QByteArray(" 3");
        QTest::newRow("1") << QByteArray("1") << QByteArray("-1");
        QTest::newRow("0") << QByteArray("0") << QByteArray("-2");
    }
    void halfTimeDeductsTwoPoints()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        ClockFixture t(1);
        t.controls.texts[Field::txtPunkte] = before.toStdString();
        for (int step = 2; step <= 6; ++step)
            t.time.advance(oneStep);
        QCOMPARE(t.field(Field::txtPunkte), after);
    }

    // Scripts of what the player does, one character each, and the snake's
    // place after every moment the clock may act: T "Tier", W "weiter",
    // S "stop", Z "Zeigen", H and h tick and untick "Stop", 1 to 5 the speed,
    // ! the snake placed just above the bottom; n lets the clock act at
    // once, + waits one step, - waits 300 ms.
    void playerAndClock_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("snake");
        QTest::addColumn<bool>("running");
        QTest::newRow("one step a second") << QByteArray("1Tn-+") << QByteArray("19 19 28") << true;
        QTest::newRow("speed counts from the next step")
            << QByteArray("1Tn5+") << QByteArray("19 20") << true;
        QTest::newRow("held snake stays") << QByteArray("1TnH++h+") << QByteArray("19 19 19 28") << true;
        QTest::newRow("stop ends after the wait, weiter goes on")
            << QByteArray("1Tn-S++Wn+") << QByteArray("19 19 19 19 28 37") << true;
        QTest::newRow("Zeigen ends without another step")
            << QByteArray("1Tn+-Z+") << QByteArray("19 28 28 10") << false;
        QTest::newRow("weiter during a run steps at once")
            << QByteArray("1Tn-Wn+S+") << QByteArray("19 19 28 37 37") << false;
        QTest::newRow("Tier during a run starts over")
            << QByteArray("1Tn++Tn") << QByteArray("19 28 37 19") << true;
        QTest::newRow("run interrupted before its first step owes one")
            << QByteArray("1TTnS++") << QByteArray("19 28 28") << false;
        QTest::newRow("owed step waits for the interrupted second")
            << QByteArray("1TTn-!Wn--+") << QByteArray("19 19 10 10 10 19") << true;
    }
    void playerAndClock()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, snake);
        QFETCH(bool, running);
        GameFixture t;
        QByteArrayList trace;
        for (const char action : script) {
            switch (action) {
            case 'T': t.puzzle("Elefant", 1, 1); break;
            case 'W': t.game.Command3_Click(); break;
            case 'S': t.game.Command4_Click(); break;
            case 'Z': t.game.Command1_Click(); break;
            case 'H': t.controls.values[Box::chkStop] = 1; break;
            case 'h': t.controls.values[Box::chkStop] = 0; break;
            case '!': t.controls.snake = 99; break;
            case 'n': t.time.advance(0ns); break;
            case '+': t.time.advance(oneStep); break;
            case '-': t.time.advance(300ms); break;
            default: t.controls.speedValue = action - '0'; break;
            }
            if (action == 'n' || action == '+' || action == '-')
                trace << QByteArray::number(t.controls.snake);
        }
        QCOMPARE(trace.join(' '), snake);
        QCOMPARE(t.game.clock().running(), running);
    }

    void weiterBeforeTheFirstPuzzleRunsOnTheStartUpWindow()
    {
        GameFixture t;
        t.controls.speedValue = 1;
        t.game.Form_Load();
        t.game.Command3_Click();
        for (int step = 1; step <= 5; ++step)
            t.time.advance(step == 1 ? 0ns : oneStep);
        QCOMPARE(t.controls.snake, 51.0f);
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("-2"));
    }

    void manyStartsDuringOneRunKeepNoStack_data()
    {
        QTest::addColumn<bool>("beforeFirstStep");
        QTest::newRow("each during a wait") << false;
        QTest::newRow("each before the first step") << true;
    }
    void manyStartsDuringOneRunKeepNoStack()
    {
        QFETCH(bool, beforeFirstStep);
        constexpr int starts = 100000;
        ClockFixture t(5);
        for (int i = 0; i < starts; ++i) {
            t.game.Command2_Click();
            if (!beforeFirstStep)
                t.time.advance(0ns);
        }
        t.puzzle("Kuh", 1, 1);
        t.time.advance(0ns);
        QCOMPARE(t.game.clock().owedSteps(), beforeFirstStep ? starts : 0LL);
        t.game.Command4_Click();
        for (int second = 0; t.running() && second <= starts + 2; ++second)
            t.time.advance(oneStep);
        QVERIFY(!t.running());
        QCOMPARE(t.field(Field::txtSuchwort), QByteArray("Kuh"));
    }
};

QTEST_GUILESS_MAIN(TestThinkingClock)
#include "test_thinking_clock.moc"
