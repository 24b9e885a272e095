// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_fixture.h"

#include <QTest>

#include <algorithm>
#include <climits>

using namespace std::chrono_literals;

namespace {

constexpr auto oneStep = 1001ms;

QByteArray inCodeOrder(QByteArray word)
{
    std::sort(word.begin(), word.end(), [](char a, char b) { return uchar(a) < uchar(b); });
    return word;
}

// The wall clock near midnight: it falls back to 0 at the given monotonic reading.
struct MidnightClock final : Clock {
    const FakeTime &time;
    std::chrono::nanoseconds midnight;

    MidnightClock(const FakeTime &t, std::chrono::nanoseconds at) : time(t), midnight(at) {}
    float secondsSinceMidnight() const override
    {
        const double since = std::chrono::duration<double>(time.now() - midnight).count();
        return static_cast<float>(since < 0 ? 86400.0 + since : since);
    }
    std::chrono::nanoseconds now() const override { return time.now(); }
};

} // namespace

class TestStress : public QObject {
    Q_OBJECT

private slots:
    void megabytePastedAsTheSolution_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("presses");
        QTest::newRow("mode 1") << 1 << QByteArray("2");
        QTest::newRow("mode 2") << 2 << QByteArray("2L");
        QTest::newRow("mode 3") << 3 << QByteArray("12");
        QTest::newRow("mode 4") << 4 << QByteArray("12L");
    }
    // Sort and shuffle take the first 200 characters, the hints the whole text.
    void megabytePastedAsTheSolution()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, presses);
        GameFixture t;
        t.puzzle("Elefant", mode <= 2, mode % 2);
        t.game.Command1_Click();
        QByteArray pasted(1 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < pasted.size(); ++i)
            pasted[i] = char((i * 7 + 65) % 256);
        t.controls.texts[Field::txtSuchwort] = pasted.toStdString();
        t.game.cmdSortieren_Click();
        const QByteArray sorted = t.field(Field::txtSortiert);
        QCOMPARE(sorted, QByteArray::fromStdString(
                             sortedLetters(pasted.left(200).toStdString(), mode <= 2, mode % 2)));
        t.game.cmdMischen_Click();
        QCOMPARE(t.field(Field::txtAusgabe).size(), 200);
        for (const char hint : presses)
            t.press(hint);
        QCOMPARE(t.field(Field::txtSortiert),
                 sorted + "     " + pasted.left(2) + QByteArray(". ").repeated(27) + pasted.right(1));
        QCOMPARE(t.field(Field::txtSuchwort), pasted);
    }

    // Far outside the bar's range the move wraps to 16 bits instead of overflowing.
    void speedsBeyondTheBarWrap_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<float>("move");
        QTest::newRow("0") << 0 << 11.f;
        QTest::newRow("16000") << 16000 << -31989.f;
        QTest::newRow("INT_MAX") << INT_MAX << 13.f;
        QTest::newRow("INT_MIN") << INT_MIN << 11.f;
    }
    void speedsBeyondTheBarWrap()
    {
        QFETCH(int, speed);
        QFETCH(float, move);
        GameFixture t;
        t.puzzle("Elefant", 1, 1);
        t.controls.speedValue = speed;
        t.time.advance(0ns);
        QCOMPARE(t.controls.snake, 10 + move);
    }

    // Waits go by the monotonic clock: midnight neither stretches nor cuts
    // short the second in which it falls.
    void clockAcrossMidnight()
    {
        FakeControls controls;
        ScriptedRandom random;
        FakeTime time;
        MidnightClock clock(time, time.now() + 4500ms);
        Game game(controls, random, clock, time);
        random.script = {drawOf("Elefant")};
        game.Command2_Click();
        time.advance(500ms);
        for (int second = 0; second < 10; ++second) {
            QCOMPARE(controls.snake, 11.0f + float(second));
            time.advance(1s);
        }
        QVERIFY(clock.secondsSinceMidnight() < 10.0f);
        QCOMPARE(inCodeOrder(QByteArray::fromStdString(controls.texts[Field::txtAusgabe])),
                 QByteArray("Eaeflnt"));
    }
};

QTEST_GUILESS_MAIN(TestStress)
#include "test_stress.moc"
