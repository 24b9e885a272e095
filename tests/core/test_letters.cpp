// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "game/hints.h"
#include "game/letters.h"

#include <QTest>

#include <algorithm>

namespace {

QByteArray sortedBytes(QByteArray word)
{
    std::sort(word.begin(), word.end(), [](char a, char b) {
        return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
    });
    return word;
}

QByteArray loweredBytes(const QByteArray &word)
{
    QByteArray result;
    for (const char c : word)
        result += static_cast<char>(text::lowered(static_cast<unsigned char>(c)));
    return result;
}

const QByteArray startText = "Er stand auf seines Schlosses Zinnen";

} // namespace

class TestLetters : public QObject {
    Q_OBJECT

private slots:
    void sortedLine_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("keepCapitals");
        QTest::addColumn<bool>("lastLetter");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("lowered") << QByteArray("Elefant") << false << false << QByteArray("aeeflnt");
        QTest::newRow("capital in front") << QByteArray("Elefant") << true << false << QByteArray("Eaeflnt");
        QTest::newRow("last letter already last") << QByteArray("Elefant") << false << true << QByteArray("aeeflnt");
        QTest::newRow("umlaut behind z") << QByteArray("Eisb\xE4r") << false << false << QByteArray("beirs\xE4");
        QTest::newRow("last letter moved") << QByteArray("Eisb\xE4r") << false << true << QByteArray("beis\xE4r");
        QTest::newRow("both options") << QByteArray("Eisb\xE4r") << true << true << QByteArray("Ebis\xE4r");
        QTest::newRow("sharp s last") << QByteArray("Strau\xDF") << false << false << QByteArray("arstu\xDF");
        QTest::newRow("sharp s with capital") << QByteArray("Strau\xDF") << true << false << QByteArray("Sartu\xDF");
        QTest::newRow("hyphen first") << QByteArray("Orang-Utan") << false << false << QByteArray("-aagnnortu");
        QTest::newRow("two capitals kept") << QByteArray("Orang-Utan") << true << false << QByteArray("-OUaagnnrt");
        QTest::newRow("first of two equal letters moved") << QByteArray("Orang-Utan") << false << true
                                                          << QByteArray("-aagnortun");
        QTest::newRow("blank as tilde") << QByteArray("Tasmanischer Teufel") << false << false
                                        << QByteArray("~aaceeefhilmnrssttu");
        QTest::newRow("blank with capitals") << QByteArray("Tasmanischer Teufel") << true << false
                                             << QByteArray("~TTaaceeefhilmnrssu");
        QTest::newRow("capital last letter not found") << QByteArray("Floh") << false << true << QByteArray("floh");
        QTest::newRow("capital kept and last") << QByteArray("Floh") << true << true << QByteArray("Floh");
        QTest::newRow("start text") << startText << false << false
                                    << QByteArray("~~~~~aacdeeeeefhiilnnnnnorssssssstuz");
        QTest::newRow("start text at start-up") << startText << true << true
                                                << QByteArray("~~~~~ESZaacdeeeefhiilnnnnorsssssstun");
        QTest::newRow("capital lowered after the exchange") << QByteArray("aB") << false << false << QByteArray("ba");
        QTest::newRow("one capital stays") << QByteArray("A") << false << false << QByteArray("A");
        QTest::newRow("one capital umlaut stays") << QByteArray("\xDC") << false << false << QByteArray("\xDC");
        QTest::newRow("capital at the outer index only") << QByteArray("ZZa") << false << false << QByteArray("Zaz");
        QTest::newRow("empty") << QByteArray() << false << false << QByteArray();
        QTest::newRow("empty with last letter") << QByteArray() << true << true << QByteArray();
        QTest::newRow("blank of the word is not its tilde") << QByteArray("b a ") << true << true
                                                           << QByteArray("~~ab");
    }
    void sortedLine()
    {
        QFETCH(QByteArray, word);
        QFETCH(bool, keepCapitals);
        QFETCH(bool, lastLetter);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(sortedLetters(word.toStdString(), keepCapitals, lastLetter)), expected);
    }

    void longWordsAreCutToTheirFirst200Characters_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("200") << 200;
        QTest::newRow("201") << 201;
        QTest::newRow("100000") << 100000;
    }
    void longWordsAreCutToTheirFirst200Characters()
    {
        QFETCH(int, size);
        QByteArray word;
        for (int i = 0; i < size; ++i)
            word += static_cast<char>(i % 256);
        const QByteArray first = word.left(200);
        QByteArray expectedSorted = sortedBytes(first);
        expectedSorted.replace(' ', '~');
        QCOMPARE(QByteArray::fromStdString(sortedLetters(word.toStdString(), true, false)), expectedSorted);

        ScriptedRandom random;
        FakeTime time;
        FreshDraw draw(random, time);
        const QByteArray shuffled = QByteArray::fromStdString(shuffledLetters(word.toStdString(), true, draw));
        QCOMPARE(sortedBytes(shuffled), sortedBytes(first));
    }

    void shuffleKeepsEveryLetter_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("keepCapitals");
        QTest::newRow("lowered") << QByteArray("Elefant") << false;
        QTest::newRow("capital kept") << QByteArray("Elefant") << true;
        QTest::newRow("blank and two capitals") << QByteArray("Tasmanischer Teufel") << false;
        QTest::newRow("capital umlaut") << QByteArray("\xC4\xD6\xDC\xDF") << false;
        QTest::newRow("one letter") << QByteArray("A") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void shuffleKeepsEveryLetter()
    {
        QFETCH(QByteArray, word);
        QFETCH(bool, keepCapitals);
        ScriptedRandom random;
        FakeTime time;
        FreshDraw draw(random, time);
        const QByteArray shuffled = QByteArray::fromStdString(shuffledLetters(word.toStdString(), keepCapitals, draw));
        QCOMPARE(sortedBytes(shuffled), sortedBytes(keepCapitals ? word : loweredBytes(word)));
    }

    void shuffleDrawsAgainForATakenPosition()
    {
        ScriptedRandom random;
        random.script = {0.9f, 0.9f, 0.1f, 0.5f};
        FakeTime time;
        FreshDraw draw(random, time);
        QCOMPARE(shuffledLetters("abc", false, draw), Text("cab"));
        QCOMPARE(random.reseeds, 4);
    }

    void dotsForAWord_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("pairs");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("two letters") << 2 << 0;
        QTest::newRow("three letters") << 3 << 0;
        QTest::newRow("seven letters") << 7 << 4;
        QTest::newRow("19 letters") << 19 << 16;
        QTest::newRow("30 letters") << 30 << 27;
        QTest::newRow("31 letters") << 31 << 27;
    }
    void dotsForAWord()
    {
        QFETCH(int, length);
        QFETCH(int, pairs);
        Text expected;
        for (int i = 0; i < pairs; ++i)
            expected += ". ";
        QCOMPARE(hints::dotsFor(Text(static_cast<std::size_t>(length), 'x')), expected);
    }
};

QTEST_GUILESS_MAIN(TestLetters)
#include "test_letters.moc"
