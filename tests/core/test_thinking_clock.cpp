// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_fixture.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// Just past the one-second wait that follows every step.
constexpr auto oneStep = 1001ms;

struct ClockFixture : GameFixture {
    ClockFixture(int speed = 5)
    {
        controls.speedValue = speed;
        puzzle("Elefant", 1, 1);
        time.advance(0ns);
    }
    bool running() const { return game.clock().running(); }
    int stepsUntilEnd(int limit)
    {
        int steps = 1;
        while (running() && steps < limit) {
            time.advance(oneStep);
            ++steps;
        }
        return steps;
    }
};

} // namespace

class TestThinkingClock : public QObject {
    Q_OBJECT

private slots:
    void speedSetsDeductionAndEndStep_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("deductionStep");
        QTest::addColumn<float>("deductionTop");
        QTest::addColumn<int>("endStep");
        QTest::newRow("1") << 1 << 5 << 55.0f << 10;
        QTest::newRow("2") << 2 << 6 << 52.0f << 13;
        QTest::newRow("3, 50 is not past half time") << 3 << 9 << 55.0f << 18;
        QTest::newRow("4") << 4 << 14 << 52.0f << 30;
        QTest::newRow("5") << 5 << 41 << 51.0f << 90;
    }
    void speedSetsDeductionAndEndStep()
    {
        QFETCH(int, speed);
        QFETCH(int, deductionStep);
        QFETCH(float, deductionTop);
        QFETCH(int, endStep);
        ClockFixture t(speed);
        int step = 1;
        for (; t.game.state().Halbzeit == 0; ++step) {
            QCOMPARE(t.field(Field::txtPunkte), QByteArray("5"));
            t.time.advance(oneStep);
        }
        QCOMPARE(step, deductionStep);
        QCOMPARE(t.controls.snake, deductionTop);
        QCOMPARE(t.controls.score, deductionTop - 10);
        QCOMPARE(t.field(Field::txtPunkte), QByteArray(" 3"));
        while (t.running()) {
            t.time.advance(oneStep);
            ++step;
        }
        QCOMPARE(step, endStep);
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("0"));
        QCOMPARE(t.controls.snake, 10.0f);
        QCOMPARE(t.controls.score, 0.0f);
        QVERIFY(t.controls.visible[Shown::txtSuchwort]);
        QVERIFY(t.controls.visible[Shown::cmdSortieren]);
        QCOMPARE(t.game.state().Abbruch, 1);
    }

    void halfTimeDeductsTwoPoints_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("7") << QByteArray("7") << QByteArray(" 5");
        QTest::newRow(" 5") << QByteArray(" 5") << QByteArray(" 3");
        QTest::newRow("1") << QByteArray("1") << QByteArray("-1");
        QTest::newRow("0") << QByteArray("0") << QByteArray("-2");
        QTest::newRow("no number") << QByteArray("Punkte") << QByteArray("-2");
    }
    void halfTimeDeductsTwoPoints()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        ClockFixture t(1);
        t.controls.texts[Field::txtPunkte] = before.toStdString();
        for (int step = 1; step < 5; ++step)
            t.time.advance(oneStep);
        QCOMPARE(t.field(Field::txtPunkte), after);
        t.time.advance(oneStep);
        QCOMPARE(t.field(Field::txtPunkte), after);
    }

    void stepsComeOnlyAfterAFullSecond()
    {
        ClockFixture t(1);
        QCOMPARE(t.controls.snake, 19.0f);
        t.time.advance(1000ms);
        QCOMPARE(t.controls.snake, 19.0f);
        t.time.advance(1ms);
        QCOMPARE(t.controls.snake, 28.0f);
    }

    void everyStepReshuffles()
    {
        ClockFixture t;
        for (int step = 0; step < 3; ++step) {
            t.controls.texts[Field::txtAusgabe] = "";
            t.time.advance(oneStep);
            QCOMPARE(t.field(Field::txtAusgabe).size(), 7);
        }
    }

    void speedChangeCountsFromTheNextStep()
    {
        ClockFixture t(5);
        QCOMPARE(t.controls.snake, 11.0f);
        t.controls.speedValue = 1;
        t.time.advance(oneStep);
        QCOMPARE(t.controls.snake, 20.0f);
    }

    void heldSnakeStaysWhileLettersGoOn()
    {
        ClockFixture t(1);
        t.controls.values[Box::chkStop] = 1;
        for (int step = 0; step < 50; ++step) {
            t.controls.texts[Field::txtAusgabe] = "";
            t.controls.score = -1;
            t.time.advance(oneStep);
            QCOMPARE(t.controls.snake, 19.0f);
            QCOMPARE(t.controls.score, 9.0f);
            QCOMPARE(t.field(Field::txtAusgabe).size(), 7);
        }
        QCOMPARE(t.game.state().Halbzeit, 0);
        QVERIFY(t.running());
        t.game.Command4_Click();
        t.time.advance(oneStep);
        QVERIFY(!t.running());
    }

    void stopEndsAfterTheWaitAndWeiterGoesOnFromThere()
    {
        ClockFixture t(1);
        for (int step = 2; step <= 5; ++step)
            t.time.advance(oneStep);
        QCOMPARE(t.controls.snake, 55.0f);
        t.time.advance(300ms);
        t.game.Command4_Click();
        t.time.advance(oneStep);
        QVERIFY(!t.running());
        t.time.advance(10s);
        QCOMPARE(t.controls.snake, 55.0f);

        t.game.Command3_Click();
        QCOMPARE(t.game.state().Abbruch, 0);
        t.time.advance(0ns);
        QCOMPARE(t.controls.snake, 64.0f);
        QCOMPARE(t.field(Field::txtPunkte), QByteArray(" 3"));
        t.time.advance(oneStep);
        QCOMPARE(t.controls.snake, 73.0f);
    }

    void stopWhileIdleOnlySetsTheFlag()
    {
        GameFixture t;
        const auto before = t.controls.texts;
        t.game.Command4_Click();
        QCOMPARE(t.game.state().Abbruch, 1);
        QVERIFY(t.controls.texts == before);
        QVERIFY(!t.game.clock().running());
    }

    void zeigenDuringAWaitEndsWithoutAnotherStep()
    {
        ClockFixture t(1);
        t.time.advance(oneStep);
        t.time.advance(400ms);
        t.game.Command1_Click();
        QCOMPARE(t.controls.snake, 10.0f);
        QCOMPARE(t.controls.score, 0.0f);
        t.controls.texts[Field::txtAusgabe] = "";
        t.time.advance(oneStep);
        QVERIFY(!t.running());
        QCOMPARE(t.controls.snake, 10.0f);
        QCOMPARE(t.field(Field::txtAusgabe), QByteArray());
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("5"));
    }

    void weiterDuringARunStepsAtOnceAndTheInterruptedRunEnds()
    {
        ClockFixture t(1);
        t.time.advance(300ms);
        t.game.Command3_Click();
        t.time.advance(0ns);
        QCOMPARE(t.controls.snake, 28.0f);
        t.time.advance(oneStep);
        QCOMPARE(t.controls.snake, 37.0f);
        t.game.Command4_Click();
        t.time.advance(oneStep);
        QVERIFY(!t.running());
        t.time.advance(5s);
        QCOMPARE(t.controls.snake, 37.0f);
    }

    void tierDuringARunStartsTheNewPuzzle()
    {
        ClockFixture t(1);
        for (int step = 2; step <= 5; ++step)
            t.time.advance(oneStep);
        QCOMPARE(t.game.state().Halbzeit, 1);
        t.time.advance(500ms);
        t.puzzle("Kuh", 1, 1);
        QCOMPARE(t.game.state().Halbzeit, 0);
        t.time.advance(0ns);
        QCOMPARE(t.controls.snake, 19.0f);
        QCOMPARE(t.field(Field::txtSuchwort), QByteArray("Kuh"));
        QCOMPARE(t.stepsUntilEnd(100), 10);
    }

    // A run interrupted before its first step owes that step once the run
    // that interrupted it has ended.
    void runInterruptedBeforeItsFirstStepStillStepsOnce()
    {
        GameFixture t;
        t.controls.speedValue = 1;
        t.puzzle("Elefant", 1, 1);
        t.puzzle("Kuh", 1, 1);
        QCOMPARE(t.game.clock().owedSteps(), 1LL);
        t.time.advance(0ns);
        QCOMPARE(t.controls.snake, 19.0f);
        t.game.Command4_Click();
        t.time.advance(oneStep);
        QCOMPARE(t.controls.snake, 28.0f);
        QVERIFY(t.game.clock().running());
        t.time.advance(oneStep);
        QVERIFY(!t.game.clock().running());
        QCOMPARE(t.controls.snake, 28.0f);
    }

    // The owed step waits for the second of the run that was waiting above
    // it, even when the runs started in that second end at once.
    void owedStepWaitsOutTheInterruptedSecond()
    {
        GameFixture t;
        t.controls.speedValue = 1;
        t.puzzle("Elefant", 1, 1);
        t.puzzle("Kuh", 1, 1);
        t.time.advance(0ns);
        t.time.advance(500ms);
        t.controls.snake = 99;
        t.game.Command3_Click();
        t.time.advance(0ns);
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("0"));
        QCOMPARE(t.controls.snake, 10.0f);
        t.time.advance(400ms);
        QCOMPARE(t.controls.snake, 10.0f);
        t.time.advance(200ms);
        QCOMPARE(t.controls.snake, 19.0f);
        t.time.advance(oneStep);
        QVERIFY(!t.game.clock().running());
    }

    void weiterBeforeTheFirstPuzzleRunsOnTheStartUpWindow()
    {
        GameFixture t;
        t.controls.speedValue = 1;
        t.game.Form_Load();
        t.game.Command3_Click();
        t.time.advance(0ns);
        QCOMPARE(t.controls.snake, 15.0f);
        for (int step = 2; step <= 5; ++step)
            t.time.advance(oneStep);
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
        t.controls.values[Box::chkGrossbuchstaben] = 0;
        for (int i = 0; i < starts; ++i) {
            t.game.Command2_Click();
            if (!beforeFirstStep)
                t.time.advance(0ns);
        }
        t.random.script = {drawOf("Kuh")};
        t.game.Command2_Click();
        t.time.advance(0ns);
        QCOMPARE(t.field(Field::txtSuchwort), QByteArray("Kuh"));
        QCOMPARE(t.game.clock().owedSteps(), beforeFirstStep ? starts : 0LL);
        t.game.Command4_Click();
        int seconds = 0;
        while (t.game.clock().running() && seconds <= starts + 2) {
            t.time.advance(oneStep);
            ++seconds;
        }
        QVERIFY(!t.game.clock().running());
        QCOMPARE(t.field(Field::txtSuchwort), QByteArray("Kuh"));
    }
};

QTEST_GUILESS_MAIN(TestThinkingClock)
#include "test_thinking_clock.moc"
