// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "game/letters.h"

#include <QTest>

#include <algorithm>

namespace {

QByteArray inCodeOrder(QByteArray word)
{
    std::sort(word.begin(), word.end(), [](char a, char b) { return uchar(a) < uchar(b); });
    return word;
}

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
        const auto row = [](const char *name, const char *word, bool keep, bool last, const char *expected) {
            QTest::newRow(name) << QByteArray(word) << keep << last << QByteArray(expected);
        };
        row("lowered", "Elefant", false, false, "aeeflnt");
        row("capital in front", "Elefant", true, false, "Eaeflnt");
        row("last letter already last", "Elefant", false, true, "aeeflnt");
        row("umlaut behind z", "Eisb\xE4r", false, false, "beirs\xE4");
        row("last letter moved", "Eisb\xE4r", false, true, "beis\xE4r");
        row("both options", "Eisb\xE4r", true, true, "Ebis\xE4r");
        row("sharp s last", "Strau\xDF", false, false, "arstu\xDF");
        row("sharp s with capital", "Strau\xDF", true, false, "Sartu\xDF");
        row("hyphen first", "Orang-Utan", false, false, "-aagnnortu");
        row("two capitals kept", "Orang-Utan", true, false, "-OUaagnnrt");
        row("first of two equal letters moved", "Orang-Utan", false, true, "-aagnortun");
        row("blank as tilde", "Tasmanischer Teufel", false, false, "~aaceeefhilmnrssttu");
        row("blank with capitals", "Tasmanischer Teufel", true, false, "~TTaaceeefhilmnrssu");
        row("capital last letter not found", "Floh", false, true, "floh");
        row("capital kept and last", "Floh", true, true, "Floh");
        row("start text", "Er stand auf seines Schlosses Zinnen", false, false,
            "~~~~~aacdeeeeefhiilnnnnnorssssssstuz");
        row("start text at start-up", "Er stand auf seines Schlosses Zinnen", true, true,
            "~~~~~ESZaacdeeeefhiilnnnnorsssssstun");
        row("capital lowered after the exchange", "aB", false, false, "ba");
        row("one capital stays", "A", false, false, "A");
        row("one capital umlaut stays", "\xDC", false, false, "\xDC");
        row("capital at the outer index only", "ZZa", false, false, "Zaz");
        row("empty", "", false, false, "");
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

    void shuffleKeepsEveryLetter_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("keepCapitals");
        QTest::addColumn<QByteArray>("letters");
        QTest::newRow("lowered") << QByteArray("Elefant") << false << QByteArray("aeeflnt");
        QTest::newRow("capital kept") << QByteArray("Elefant") << true << QByteArray("Eaeflnt");
        QTest::newRow("blank, two capitals")
            << QByteArray("Tasmanischer Teufel") << false << QByteArray(" aaceeefhilmnrssttu");
        QTest::newRow("capital umlauts, not sharp s")
            << QByteArray("\xC4\xD6\xDC\xDF") << false << QByteArray("\xDF\xE4\xF6\xFC");
        QTest::newRow("one letter") << QByteArray("A") << false << QByteArray("a");
        QTest::newRow("empty") << QByteArray() << false << QByteArray();
    }
    void shuffleKeepsEveryLetter()
    {
        QFETCH(QByteArray, word);
        QFETCH(bool, keepCapitals);
        QFETCH(QByteArray, letters);
        ScriptedRandom random;
        FakeTime time;
        FreshDraw draw(random, time);
        QCOMPARE(
            inCodeOrder(QByteArray::fromStdString(shuffledLetters(word.toStdString(), keepCapitals, draw))),
            letters);
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

    void longWordsAreCutToTheirFirst200Characters()
    {
        QByteArray word;
        for (int i = 0; i < 100000; ++i)
            word += char(i % 256);
        const QByteArray first = inCodeOrder(word.left(200));
        QCOMPARE(QByteArray::fromStdString(sortedLetters(word.toStdString(), true, false)),
                 QByteArray(first).replace(' ', '~'));
        ScriptedRandom random;
        FakeTime time;
        FreshDraw draw(random, time);
        QCOMPARE(inCodeOrder(QByteArray::fromStdString(shuffledLetters(word.toStdString(), true, draw))),
                 first);
    }
};

QTEST_GUILESS_MAIN(TestLetters)
#include "test_letters.moc"
