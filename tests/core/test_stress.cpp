// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/letters.h"
#include "game_fixture.h"
#include "platform/numbers.h"

#include <QTest>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

using namespace std::chrono_literals;

namespace {

constexpr auto oneStep = 1001ms;
constexpr long megabyte = 1 << 20;
const QByteArray gap = "     ";
const QByteArray allDots = QByteArray(". ").repeated(27);

QByteArray sortedBytes(QByteArray word)
{
    std::sort(word.begin(), word.end(),
              [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    return word;
}

QByteArray loweredBytes(QByteArray word)
{
    for (char &c : word)
        c = static_cast<char>(text::lowered(static_cast<unsigned char>(c)));
    return word;
}

// Every code, spread so that the first 200 characters hold capitals, blanks
// and umlauts.
QByteArray megabyteOfEveryCode()
{
    QByteArray text(megabyte, Qt::Uninitialized);
    for (long i = 0; i < megabyte; ++i)
        text[static_cast<qsizetype>(i)] = static_cast<char>((i * 7 + 65) % 256);
    return text;
}

// Presses whichever hint button shows, first to last, until none does.
int pressEveryHint(GameFixture &t)
{
    int presses = 0;
    for (;;) {
        const QByteArray shown = t.visibleHints().replace("-", "");
        if (shown.isEmpty())
            return presses;
        t.press(shown[0]);
        ++presses;
    }
}

// The signed form: a blank or a minus, then decimal digits with at most one
// point, no exponent.
bool isSignedForm(const QByteArray &shown)
{
    if (shown.size() < 2 || (shown[0] != ' ' && shown[0] != '-'))
        return false;
    return shown.mid(1).count('.') <= 1 && std::all_of(shown.begin() + 1, shown.end(), [](char c) {
               return c == '.' || (c >= '0' && c <= '9');
           });
}

// The wall clock as a player near midnight sees it, following the virtual
// monotonic time: it falls back to 0 at the given monotonic reading.
struct MidnightClock final : Clock {
    const FakeTime &time;
    std::chrono::nanoseconds midnight;

    MidnightClock(const FakeTime &t, std::chrono::nanoseconds at) : time(t), midnight(at) {}
    float secondsSinceMidnight() const override
    {
        const double sinceMidnight = std::chrono::duration<double>(time.now() - midnight).count();
        return static_cast<float>(sinceMidnight < 0 ? 86400.0 + sinceMidnight : sinceMidnight);
    }
    std::chrono::nanoseconds now() const override { return time.now(); }
};

enum class Phase { idle, beforeFirstStep, waiting, held, ending, owedStep };

} // namespace

Q_DECLARE_METATYPE(Phase)

class TestStress : public QObject {
    Q_OBJECT

private slots:
    void megabytePastedAsTheSolution_data()
    {
        QTest::addColumn<int>("grossbuchstaben");
        QTest::addColumn<int>("letzter");
        QTest::addColumn<int>("presses");
        QTest::newRow("mode 1") << 1 << 1 << 1;
        QTest::newRow("mode 2") << 1 << 0 << 2;
        QTest::newRow("mode 3") << 0 << 1 << 2;
        QTest::newRow("mode 4") << 0 << 0 << 3;
    }
    void megabytePastedAsTheSolution()
    {
        QFETCH(int, grossbuchstaben);
        QFETCH(int, letzter);
        QFETCH(int, presses);
        GameFixture t;
        t.puzzle("Elefant", grossbuchstaben, letzter);
        t.game.Command1_Click();
        t.time.advance(oneStep);
        const QByteArray pasted = megabyteOfEveryCode();
        const QByteArray head = pasted.left(maxWord);
        t.controls.texts[Field::txtSuchwort] = pasted.toStdString();

        t.game.cmdSortieren_Click();
        const QByteArray sorted = t.field(Field::txtSortiert);
        QCOMPARE(sorted, QByteArray::fromStdString(
                             sortedLetters(head.toStdString(), grossbuchstaben == 1, letzter == 1)));
        if (grossbuchstaben == 1 && letzter == 0)
            QCOMPARE(sorted, sortedBytes(head).replace(' ', '~'));

        const QByteArray letters = sortedBytes(grossbuchstaben ? head : loweredBytes(head));
        t.game.cmdMischen_Click();
        QCOMPARE(sortedBytes(t.field(Field::txtAusgabe)), letters);

        t.controls.texts[Field::txtPunkte] = "7";
        QCOMPARE(pressEveryHint(t), presses);
        QCOMPARE(t.field(Field::txtSortiert), sorted + gap + pasted.left(2) + allDots + pasted.right(1));
        QCOMPARE(t.field(Field::txtPunkte), QByteArray::number(7 - presses).prepend(' '));
        QCOMPARE(t.field(Field::txtSuchwort), pasted);

        t.game.Command3_Click();
        for (int step = 0; step < 3; ++step) {
            t.controls.texts[Field::txtAusgabe] = "";
            t.time.advance(step == 0 ? 0ns : oneStep);
            QCOMPARE(sortedBytes(t.field(Field::txtAusgabe)), letters);
        }
    }

    void scoresBeyondEveryRangeStayNumbers_data()
    {
        QTest::addColumn<QByteArray>("score");
        QTest::addColumn<double>("value");
        QTest::newRow("too large") << QByteArray(400, '9') << DBL_MAX;
        QTest::newRow("too large, negative") << "-" + QByteArray(400, '9') << -DBL_MAX;
        QTest::newRow("too small") << "0." + QByteArray(400, '0') + "1" << 0.0;
        QTest::newRow("larger than the shortest digits")
            << QByteArray("838383838383838383838383") << 838383838383838383838383.0;
        QTest::newRow("a tiny fraction") << "0." + QByteArray(40, '0') + "1" << 1e-41;
        QTest::newRow("an exponent is text") << QByteArray("1e300") << 1.0;
    }
    // The hints and the half-time deduction read the score and write it back:
    // each writes a plain signed number that reads as the value less the cost.
    void scoresBeyondEveryRangeStayNumbers()
    {
        QFETCH(QByteArray, score);
        QFETCH(double, value);
        GameFixture t;
        t.controls.speedValue = 1;
        t.puzzle("Elefant", 0, 0);
        t.controls.texts[Field::txtPunkte] = score.toStdString();
        double expected = value;
        for (const char hint : QByteArray("12L")) {
            t.press(hint);
            expected -= 1;
            QVERIFY2(isSignedForm(t.field(Field::txtPunkte)), t.field(Field::txtPunkte).constData());
            QCOMPARE(numbers::valueOf(t.controls.texts[Field::txtPunkte]), expected);
        }
        while (t.game.state().Halbzeit == 0)
            t.time.advance(oneStep);
        QVERIFY(isSignedForm(t.field(Field::txtPunkte)));
        QCOMPARE(numbers::valueOf(t.controls.texts[Field::txtPunkte]), expected - 2);
    }

    void speedBarMovedInEveryPhase_data()
    {
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<int>("speed");
        QTest::addColumn<float>("move");
        const std::pair<Phase, const char *> phases[] = {
            {Phase::idle, "idle"},       {Phase::beforeFirstStep, "before the first step"},
            {Phase::waiting, "waiting"}, {Phase::held, "held"},
            {Phase::ending, "ending"},   {Phase::owedStep, "before an owed step"}};
        // Beyond the bar's range the move wraps to 16 bits.
        const std::pair<int, float> speeds[] = {{1, 9},          {2, 7},         {3, 5},      {4, 3},
                                                {5, 1},          {0, 11},        {6, -1},     {-1, 13},
                                                {16000, -31989}, {17000, 31547}, {32767, 13}, {-32768, 11},
                                                {INT_MAX, 13},   {INT_MIN, 11}};
        for (const auto &[phase, name] : phases)
            for (const auto &[speed, move] : speeds)
                QTest::addRow("%s, speed %d", name, speed) << phase << speed << move;
    }
    // The speed counts from the next step the snake takes, whatever the run is
    // doing when the bar moves; a step that reaches the bottom ends the puzzle.
    void speedBarMovedInEveryPhase()
    {
        QFETCH(Phase, phase);
        QFETCH(int, speed);
        QFETCH(float, move);
        GameFixture t;
        t.controls.speedValue = 1;
        t.puzzle("Elefant", 1, 1);
        if (phase == Phase::owedStep)
            t.puzzle("Kuh", 1, 1);
        if (phase != Phase::beforeFirstStep)
            t.time.advance(0ns);
        if (phase == Phase::idle || phase == Phase::ending || phase == Phase::owedStep)
            t.game.Command4_Click();
        if (phase == Phase::idle)
            t.time.advance(oneStep);
        if (phase == Phase::held)
            t.controls.values[Box::chkStop] = 1;
        const float before = t.controls.snake;

        t.controls.speedValue = speed;
        t.game.HScroll1_Change();
        QCOMPARE(t.field(Field::Text1), QByteArray::number(speed));

        if (phase == Phase::held) {
            t.time.advance(oneStep);
            QCOMPARE(t.controls.snake, before);
            t.controls.values[Box::chkStop] = 0;
        }
        if (phase == Phase::ending) {
            t.time.advance(oneStep);
            QVERIFY(!t.game.clock().running());
            QCOMPARE(t.controls.snake, before);
        }
        if (phase == Phase::idle || phase == Phase::ending)
            t.game.Command3_Click();
        t.time.advance(phase == Phase::waiting || phase == Phase::held || phase == Phase::owedStep ? oneStep
                                                                                                   : 0ns);

        if (before + move >= 100) {
            QCOMPARE(t.controls.snake, 10.0f);
            QCOMPARE(t.field(Field::txtPunkte), QByteArray("0"));
        } else {
            QCOMPARE(t.controls.snake, before + move);
        }
        t.game.Command4_Click();
        t.time.advance(2 * oneStep);
        QVERIFY(!t.game.clock().running());
    }

    // Waits go by the monotonic clock; the wall clock falling back to 0 at
    // midnight neither stretches nor cuts short the second in which it does.
    void clockAcrossMidnight()
    {
        FakeControls controls;
        ScriptedRandom random;
        FakeTime time;
        MidnightClock clock(time, time.now() + 4500ms);
        Game game(controls, random, clock, time);
        controls.speedValue = 5;
        QVERIFY(clock.secondsSinceMidnight() > 86395.0f);
        random.script = {drawOf("Elefant")};
        game.Command2_Click();
        time.advance(500ms);
        for (int second = 0; second < 10; ++second) {
            QCOMPARE(controls.snake, 11.0f + static_cast<float>(second));
            time.advance(1s);
        }
        QVERIFY(clock.secondsSinceMidnight() < 10.0f);

        random.script = {drawOf("Kuh")};
        game.Command2_Click();
        time.advance(0ns);
        QCOMPARE(controls.texts[Field::txtSuchwort], Text("Kuh"));
        QCOMPARE(controls.snake, 11.0f);
    }
};

QTEST_GUILESS_MAIN(TestStress)
#include "test_stress.moc"
