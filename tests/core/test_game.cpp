// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"

#include <QTest>

namespace {

const QByteArray gap = "     ";

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    // boxes: the Values of "Grossbuchstaben" and "Letzter Buchstabe" for each
    // "Tier" on "Eisbär" (none: the start-up window); presses: 1, 2 and L.
    void hintModesAndTheirHints_data()
    {
        QTest::addColumn<QByteArray>("boxes");
        QTest::addColumn<QByteArray>("presses");
        QTest::addColumn<QByteArray>("shownBefore");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("score");
        QTest::addColumn<QByteArray>("shownAfter");
        const auto row = [](const char *name, const char *boxes, const char *presses, const char *before,
                            const QByteArray &line, const char *score, const char *after) {
            QTest::newRow(name) << QByteArray(boxes) << QByteArray(presses) << QByteArray(before) << line
                                << QByteArray(score) << QByteArray(after);
        };
        const QByteArray all = gap + "Ei. . . r";
        row("mode 1: the second gives all", "11", "2", "-2-", "Ebis\xE4r" + all, " 4", "---");
        row("mode 2: the second gives two", "10", "2", "-2-", "Ebirs\xE4" + gap + "Ei", " 4", "--L");
        row("mode 2: then the last", "10", "2L", "-2-", "Ebirs\xE4" + all, " 3", "---");
        row("mode 3: the first alone", "01", "1", "1--", "beis\xE4r" + gap + "E", " 4", "-2-");
        row("mode 3: the second gives the rest", "01", "12", "1--", "beis\xE4r" + all, " 3", "---");
        row("mode 4: all three", "00", "12L", "1--", "beirs\xE4" + all, " 2", "---");
        row("odd value keeps mode 3", "0120", "12", "1-L", "Ebirs\xE4" + all, " 3", "--L");
        row("before the first puzzle: last letter", "", "L", "1-L", "Text1", "-1", "---");
        row("before the first puzzle: first, last", "", "1L", "1-L", "Text1", "-2", "---");
        row("before the first puzzle: first, second", "", "12", "1-L", "Text1", "-2", "--L");
    }
    void hintModesAndTheirHints()
    {
        QFETCH(QByteArray, boxes);
        QFETCH(QByteArray, presses);
        GameFixture t;
        for (qsizetype i = 0; i + 1 < boxes.size(); i += 2)
            t.puzzle("Eisb\xE4r", boxes[i] - '0', boxes[i + 1] - '0');
        QTEST(t.shownHints(), "shownBefore");
        const QByteArray solution = t.field(Field::txtSuchwort);
        for (const char hint : presses)
            hint == '1'   ? t.game.cmdErster_Click()
            : hint == '2' ? t.game.cmdZweiter_Click()
                          : t.game.cmdLetzter_Click();
        QTEST(t.field(Field::txtSortiert), "line");
        QTEST(t.field(Field::txtPunkte), "score");
        QTEST(t.shownHints(), "shownAfter");
        QCOMPARE(t.field(Field::txtSuchwort), solution);
    }

    // start: the start position of the draw, 0 for the line feed before the name.
    void newPuzzleDrawsANameAndSetsTheScore_data()
    {
        QTest::addColumn<long>("start");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("score");
        QTest::newRow("first name") << 0L << QByteArray("Aal") << QByteArray("5");
        QTest::newRow("ten letters") << 0L << QByteArray("Ameisenb\xE4r") << QByteArray("5");
        QTest::newRow("eleven letters") << 0L << QByteArray("Dinosaurier") << QByteArray("7");
        QTest::newRow("first letter of Zwergmaus: the last name")
            << 6143L << QByteArray("Floh") << QByteArray("5");
    }
    void newPuzzleDrawsANameAndSetsTheScore()
    {
        QFETCH(long, start);
        QFETCH(QByteArray, name);
        GameFixture t;
        t.controls.snake = 77;
        t.game.Command1_Click();
        t.random.script = {start == 0 ? drawOf(name.toStdString()) : drawFor(start, 6149)};
        t.game.Command2_Click();
        QTEST(t.field(Field::txtSuchwort), "name");
        QTEST(t.field(Field::txtPunkte), "score");
        QCOMPARE(t.controls.snake, 10.0f);
        QVERIFY(!t.controls.visible[Shown::txtSuchwort] && !t.controls.visible[Shown::cmdSortieren]);
        QVERIFY(t.time.armed);
    }

    void maxTenLettersDrawsAgainUntilANameOfNineFits()
    {
        GameFixture t;
        t.controls.values[Box::chkMax] = 1;
        t.random.script = {drawOf("Ameisenb\xE4r"), drawOf("Schmetterlingsfisch"), drawOf("Alligator")};
        t.game.Command2_Click();
        QCOMPARE(t.field(Field::txtSuchwort), QByteArray("Alligator"));
        QCOMPARE(t.random.reseeds, 3);
    }

    // A typed solution too short for its hints: no dots, and the letters that
    // it lacks are empty.
    void hintsOnAShortTypedSolution_data()
    {
        QTest::addColumn<QByteArray>("solution");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("empty") << QByteArray() << gap;
        QTest::newRow("one letter is first and last") << QByteArray("x") << gap + "xx";
    }
    void hintsOnAShortTypedSolution()
    {
        QFETCH(QByteArray, solution);
        GameFixture t;
        t.puzzle("Elefant", 0, 0);
        t.game.Command1_Click();
        t.controls.texts[Field::txtSuchwort] = solution.toStdString();
        const QByteArray sorted = t.field(Field::txtSortiert);
        t.game.cmdErster_Click();
        t.game.cmdZweiter_Click();
        t.game.cmdLetzter_Click();
        QFETCH(QByteArray, tail);
        QCOMPARE(t.field(Field::txtSortiert), sorted + tail);
    }

    // Sort and shuffle take the first 200 characters, the hints the whole
    // text. With capitals kept and the last letter left alone, the sorted
    // line is those characters in code order, a blank shown as "~".
    void megabytePastedAsTheSolution()
    {
        GameFixture t;
        t.puzzle("Elefant", 1, 0);
        QByteArray pasted(1 << 20, Qt::Uninitialized);
        for (qsizetype i = 0; i < pasted.size(); ++i)
            pasted[i] = char((i * 7 + 65) % 256);
        t.controls.texts[Field::txtSuchwort] = pasted.toStdString();
        QByteArray first = pasted.left(200);
        std::sort(first.begin(), first.end(), [](char a, char b) { return uchar(a) < uchar(b); });
        t.game.cmdSortieren_Click();
        const QByteArray sorted = t.field(Field::txtSortiert);
        QCOMPARE(sorted, QByteArray(first).replace(' ', '~'));
        t.game.cmdMischen_Click();
        QByteArray shuffled = t.field(Field::txtAusgabe);
        std::sort(shuffled.begin(), shuffled.end(), [](char a, char b) { return uchar(a) < uchar(b); });
        QCOMPARE(shuffled, first);
        for (const auto hint : {&Game::cmdErster_Click, &Game::cmdZweiter_Click, &Game::cmdLetzter_Click})
            (t.game.*hint)();
        QCOMPARE(t.field(Field::txtSortiert),
                 sorted + gap + pasted.left(2) + QByteArray(". ").repeated(27) + pasted.right(1));
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "test_game.moc"
