// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/text.h"

#include <QTest>

#include <set>

class TestText : public QObject {
    Q_OBJECT

private slots:
    void midCutsAtTheEnds_data()
    {
        QTest::addColumn<long>("start");
        QTest::addColumn<long>("length");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("inside") << 2L << 3L << QByteArray("ama");
        QTest::newRow("reaching beyond the end") << 4L << 10L << QByteArray("a");
        QTest::newRow("start beyond the end") << 5L << 1L << QByteArray();
        QTest::newRow("start 0") << 0L << 1L << QByteArray();
        QTest::newRow("negative length") << 1L << -4L << QByteArray();
    }
    void midCutsAtTheEnds()
    {
        QFETCH(long, start);
        QFETCH(long, length);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(text::mid("Lama", start, length)), expected);
    }

    void loweringTouchesOnlyCapitals()
    {
        for (int code = 0; code < 256; ++code) {
            const bool capital = (code >= 'A' && code <= 'Z') || code == 196 || code == 214 || code == 220;
            QCOMPARE(text::lowered(code), capital ? code + 32 : code);
        }
    }

    void valueOfReadsTheLeadingNumber_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<double>("expected");
        QTest::newRow("signed form") << QByteArray(" 5") << 5.0;
        QTest::newRow("negative") << QByteArray("-1") << -1.0;
        QTest::newRow("empty") << QByteArray() << 0.0;
        QTest::newRow("no number") << QByteArray("Punkte") << 0.0;
        QTest::newRow("trailing text") << QByteArray("  12abc") << 12.0;
        QTest::newRow("fraction") << QByteArray("2.5") << 2.5;
        QTest::newRow("plus sign") << QByteArray("+3") << 3.0;
        QTest::newRow("lone sign") << QByteArray("-") << 0.0;
        QTest::newRow("lone dot") << QByteArray(".") << 0.0;
    }
    void valueOfReadsTheLeadingNumber()
    {
        QFETCH(QByteArray, input);
        QFETCH(double, expected);
        QCOMPARE(numbers::valueOf(input.toStdString()), expected);
    }

    void signedTextPutsABlankBeforeNonNegatives_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("positive") << 5.0 << QByteArray(" 5");
        QTest::newRow("zero") << 0.0 << QByteArray(" 0");
        QTest::newRow("negative zero") << -0.0 << QByteArray(" 0");
        QTest::newRow("negative") << -1.0 << QByteArray("-1");
        QTest::newRow("fraction") << 1.5 << QByteArray(" 1.5");
    }
    void signedTextPutsABlankBeforeNonNegatives()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(numbers::signedText(value)), expected);
        QCOMPARE(numbers::valueOf(numbers::signedText(value)), value);
    }

    void plainTextHasNoBlank() { QCOMPARE(numbers::plainText(3), Text("3")); }

    void everyCodeSurvivesTheWindowBoundary()
    {
        Text all;
        for (int code = 0; code < 256; ++code)
            all += text::fromCode(code);
        const QString shown = fromCp1252(all);
        QCOMPARE(shown.size(), 256);
        QCOMPARE(toCp1252(shown), all);
        QCOMPARE(std::set<QChar>(shown.begin(), shown.end()).size(), std::size_t{256});
    }

    void unicodeMapsToItsCode_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("umlauts") << QStringLiteral("Äöüß") << QByteArray("\xC4\xF6\xFC\xDF");
        QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
        QTest::newRow("cyrillic") << QStringLiteral("Жук") << QByteArray("???");
        QTest::newRow("emoji is one character") << QStringLiteral("a\U0001F98Ab") << QByteArray("a?b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    }
    void unicodeMapsToItsCode()
    {
        QFETCH(QString, shown);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(toCp1252(shown)), expected);
    }

    void reseedingWithAFrozenClockStillGivesFreshDraws()
    {
        SystemRandom random;
        std::set<float> seen;
        for (int i = 0; i < 1000; ++i) {
            random.reseed(4711.5f);
            const float r = random.draw();
            QVERIFY(r >= 0.0f && r < 1.0f);
            seen.insert(r);
        }
        QVERIFY(seen.size() > 990);
    }

    void freshDrawCoversOneToN()
    {
        SystemRandom random;
        FakeTime time;
        FreshDraw draw(random, time);
        std::set<long> seen;
        for (int i = 0; i < 2000; ++i)
            seen.insert(draw.oneTo(7));
        QCOMPARE(seen, (std::set<long>{1, 2, 3, 4, 5, 6, 7}));
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
