// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"

#include <QTest>

#include <cfloat>
#include <set>

class TestText : public QObject {
    Q_OBJECT

private slots:
    void scoreTextReadsAndWritesBack_data()
    {
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("signed form") << QByteArray(" 5") << 5.0 << QByteArray(" 5");
        QTest::newRow("negative") << QByteArray("-1") << -1.0 << QByteArray("-1");
        QTest::newRow("empty reads 0") << QByteArray() << 0.0 << QByteArray(" 0");
        QTest::newRow("word reads 0") << QByteArray("Punkte") << 0.0 << QByteArray(" 0");
        QTest::newRow("trailing text") << QByteArray("  12abc") << 12.0 << QByteArray(" 12");
        QTest::newRow("fraction") << QByteArray("2.5") << 2.5 << QByteArray(" 2.5");
        QTest::newRow("lone sign") << QByteArray("-") << 0.0 << QByteArray(" 0");
        QTest::newRow("24 digits, no exponent")
            << QByteArray("838383838383838383838383") << 838383838383838383838383.0
            << QByteArray(" 838383838383838406377472");
        QTest::newRow("beyond a double") << "-" + QByteArray(400, '9') << -DBL_MAX << QByteArray();
        QTest::newRow("too small to tell from 0")
            << "0." + QByteArray(400, '0') + "1" << 0.0 << QByteArray(" 0");
        QTest::newRow("an exponent is text") << QByteArray("1e300") << 1.0 << QByteArray(" 1");
    }
    void scoreTextReadsAndWritesBack()
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

    void everyCodeSurvivesTheWindowBoundary()
    {
        Text all;
        for (int code = 0; code < 256; ++code)
            all += text::fromCode(code);
        const QString shown = fromCp1252(all);
        QCOMPARE(std::set<QChar>(shown.begin(), shown.end()).size(), std::size_t{256});
        QCOMPARE(toCp1252(shown), all);
    }

    void charactersWithoutACodeBecomeOneQuestionMark_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("umlauts and euro") << QStringLiteral("Äöüß€") << QByteArray("\xC4\xF6\xFC\xDF\x80");
        QTest::newRow("cyrillic") << QStringLiteral("Жук") << QByteArray("???");
        QTest::newRow("emoji") << QStringLiteral("a\U0001F98Ab") << QByteArray("a?b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    }
    void charactersWithoutACodeBecomeOneQuestionMark()
    {
        QFETCH(QString, shown);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(toCp1252(shown)), expected);
    }

    void reseedingWithAFrozenClockStillGivesFreshDraws()
    {
        SystemRandom random;
        FakeTime time;
        FreshDraw draw(random, time);
        std::set<long> seen;
        for (int i = 0; i < 1000; ++i)
            seen.insert(draw.oneTo(1000000));
        QVERIFY(seen.size() > 990);
        QVERIFY(*seen.begin() >= 1 && *seen.rbegin() <= 1000000);
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
