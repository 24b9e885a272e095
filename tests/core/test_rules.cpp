// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "game/animal_draw.h"
#include "game/hints.h"
#include "game/letters.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/qt_timer.h"
#include "platform/system_clock.h"

#include <QCryptographicHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <cfloat>
#include <set>

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void sortedLine_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("keepCapitals");
        QTest::addColumn<bool>("lastLetter");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char *name, const char *word, bool keep, bool last, const char *expected) {
            QTest::newRow(name) << QByteArray(word) << keep << last << QByteArray(expected);
        };
        row("capital in front", "Elefant", true, false, "Eaeflnt");
        row("umlaut behind z", "Eisb\xE4r", false, false, "beirs\xE4");
        row("last letter moved", "Eisb\xE4r", false, true, "beis\xE4r");
        row("both options", "Eisb\xE4r", true, true, "Ebis\xE4r");
        row("sharp s with capital", "Strau\xDF", true, false, "Sartu\xDF");
        row("first of two equal letters moved", "Orang-Utan", false, true, "-aagnortun");
        row("blank as tilde", "Tasmanischer Teufel", false, false, "~aaceeefhilmnrssttu");
        row("capital last letter not found", "Floh", false, true, "floh");
        row("start text", "Er stand auf seines Schlosses Zinnen", false, false,
            "~~~~~aacdeeeeefhiilnnnnnorssssssstuz");
        row("capital lowered after the exchange", "aB", false, false, "ba");
        row("one capital umlaut stays", "\xDC", false, false, "\xDC");
        row("capitals lowered at the outer pass's index only", "ZBA", false, false, "Azb");
        row("empty with last letter", "", true, true, "");
        row("blank of the word is not its tilde", "b a ", true, true, "~~ab");
    }
    void sortedLine()
    {
        QFETCH(QByteArray, word);
        QFETCH(bool, keepCapitals);
        QFETCH(bool, lastLetter);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(sortedLetters(word.toStdString(), keepCapitals, lastLetter)),
                 expected);
    }

    // Positions are drawn from 1 to the length; a taken one is drawn again.
    void shuffle_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("keepCapitals");
        QTest::addColumn<QByteArray>("positions");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char *name, const char *word, bool keep, const char *positions,
                            const char *expected) {
            QTest::newRow(name) << QByteArray(word) << keep << QByteArray(positions) << QByteArray(expected);
        };
        row("capital kept", "Elefant", true, "7654321", "tnafelE");
        row("taken position drawn again", "abc", false, "3312", "cab");
        row("capital umlauts lowered, not sharp s", "\xC4\xD6\xDC\xDF", false, "1234", "\xE4\xF6\xFC\xDF");
        row("only A to Z lowered, not their neighbours", "@AZ[", false, "1234", "@az[");
    }
    void shuffle()
    {
        QFETCH(QByteArray, word);
        QFETCH(bool, keepCapitals);
        QFETCH(QByteArray, positions);
        QFETCH(QByteArray, expected);
        ScriptedRandom random;
        for (const char position : positions)
            random.script.push_back(drawFor(position - '0', word.size()));
        FakeTime time;
        FreshDraw draw(random, time);
        QCOMPARE(QByteArray::fromStdString(shuffledLetters(word.toStdString(), keepCapitals, draw)),
                 expected);
        QCOMPARE(random.reseeds, positions.size());
    }

    void reseedingWithAFrozenClockStillGivesFreshDraws()
    {
        SystemRandom random(7);
        FakeTime time;
        FreshDraw draw(random, time);
        std::set<long> seen;
        for (int i = 0; i < 1000; ++i)
            seen.insert(draw.oneTo(1000000));
        QVERIFY(seen.size() > 990);
        QVERIFY(*seen.begin() >= 1 && *seen.rbegin() <= 1000000);
    }

    // The thinking-time clock counts on one shot per start, and the closing
    // window on none after its stop.
    void timerFiresOncePerStartAndNotAfterAStop()
    {
        QtTimer timer;
        int shots = 0;
        timer.setCallback([&] { ++shots; });
        timer.start(std::chrono::milliseconds(1));
        QTRY_COMPARE(shots, 1);
        QTest::qWait(30);
        QCOMPARE(shots, 1);
        timer.start(std::chrono::milliseconds(1));
        timer.stop();
        QTest::qWait(30);
        QCOMPARE(shots, 1);
    }

    // The snake's seconds are measured with this clock: it tells far finer
    // than whole seconds.
    void systemClockTellsFractionsOfASecond()
    {
        SystemClock clock;
        const auto start = clock.now();
        auto later = start;
        while (later == start)
            later = clock.now();
        QVERIFY(later - start < std::chrono::milliseconds(100));
    }

    void scoreText_data()
    {
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("signed form") << QByteArray(" 5") << 5.0 << QByteArray(" 5");
        QTest::newRow("negative") << QByteArray("-1") << -1.0 << QByteArray("-1");
        QTest::newRow("plus sign") << QByteArray("+5") << 5.0 << QByteArray(" 5");
        QTest::newRow("word reads 0") << QByteArray("Punkte") << 0.0 << QByteArray(" 0");
        QTest::newRow("fraction without whole part") << QByteArray(".5") << 0.5 << QByteArray(" 0.5");
        QTest::newRow("24 digits, no exponent")
            << QByteArray("838383838383838383838383") << 838383838383838383838383.0
            << QByteArray(" 838383838383838406377472");
        QTest::newRow("beyond a double") << "-" + QByteArray(400, '9') << -DBL_MAX << QByteArray();
        QTest::newRow("too small to tell from 0")
            << " -0." + QByteArray(400, '0') + "1" << 0.0 << QByteArray(" 0");
        QTest::newRow("an exponent is text") << QByteArray("1e300") << 1.0 << QByteArray(" 1");
    }
    void scoreText()
    {
        QFETCH(QByteArray, shown);
        QFETCH(double, value);
        QFETCH(QByteArray, written);
        QCOMPARE(numbers::valueOf(shown.toStdString()), value);
        const Text out = numbers::signedText(value);
        if (!written.isEmpty())
            QCOMPARE(QByteArray::fromStdString(out), written);
        QCOMPARE(numbers::valueOf(out), value);
    }

    // Every code and every UTF-16 unit against the system's own code page
    // tables; a character that has no code becomes "?".
    void windows1252AtTheWindowBoundary()
    {
        if (!QStringDecoder("windows-1252").isValid())
            QSKIP("This Qt has no code page tables to compare with (it was built without ICU).");
        for (int code = 0; code < 256; ++code) {
            const QByteArray byte(1, char(code));
            QCOMPARE(fromCp1252(byte.toStdString()), QStringDecoder("windows-1252").decode(byte));
        }
        for (int unit = 0; unit < 0x10000; ++unit) {
            const QString shown{QChar(char16_t(unit))};
            QStringEncoder encoder("windows-1252");
            const QByteArray encoded = encoder.encode(shown);
            const bool hasCode = encoded.size() == 1 && !encoder.hasError();
            QCOMPARE(QByteArray::fromStdString(toCp1252(shown)), hasCode ? encoded : QByteArray("?"));
        }
        QCOMPARE(toCp1252(QStringLiteral("a\U0001F98Ab")), Text("a?b"));
    }

    void animalListIsExactlyTheBuiltInOne()
    {
        const QByteArray list = QByteArray::fromStdString(builtInAnimalList());
        QCOMPARE(list.size(), 6159);
        QCOMPARE(QCryptographicHash::hash(list, QCryptographicHash::Sha256).toHex(),
                 QByteArray("289265e0f8a5f7c3811e50d00be7217e99957831b94514cef0e543261ad36c31"));
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
