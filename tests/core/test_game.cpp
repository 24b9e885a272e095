// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_fixture.h"

#include <QTest>

namespace {

const QByteArray gap = "     ";

QByteArray dots(int pairs)
{
    return QByteArray(". ").repeated(pairs);
}

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void newPuzzleChoosesTheHintMode_data()
    {
        QTest::addColumn<int>("grossbuchstaben");
        QTest::addColumn<int>("letzter");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("hints");
        QTest::newRow("both ticked") << 1 << 1 << 1 << QByteArray("-2-");
        QTest::newRow("capitals only") << 1 << 0 << 2 << QByteArray("-2-");
        QTest::newRow("last letter only") << 0 << 1 << 3 << QByteArray("1--");
        QTest::newRow("neither") << 0 << 0 << 4 << QByteArray("1--");
        QTest::newRow("odd value keeps the mode") << 2 << 0 << 3 << QByteArray("12L");
    }
    void newPuzzleChoosesTheHintMode()
    {
        QFETCH(int, grossbuchstaben);
        QFETCH(int, letzter);
        QFETCH(int, mode);
        QFETCH(QByteArray, hints);
        GameFixture t;
        t.puzzle("Elefant", 0, 1);
        t.game.cmdErster_Click();
        t.puzzle("Elefant", grossbuchstaben, letzter);
        QCOMPARE(t.game.state().Hilfemodus, mode);
        QCOMPARE(t.visibleHints(), hints);
    }

    void newPuzzleDrawsANameAndSetsTheScore_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("score");
        QTest::newRow("first name") << QByteArray("Aal") << QByteArray("5");
        QTest::newRow("ten letters") << QByteArray("Ameisenb\xE4r") << QByteArray("5");
        QTest::newRow("eleven letters") << QByteArray("Dinosaurier") << QByteArray("7");
        QTest::newRow("hyphen") << QByteArray("Orang-Utan") << QByteArray("5");
        QTest::newRow("blank") << QByteArray("Tasmanischer Teufel") << QByteArray("7");
    }
    void newPuzzleDrawsANameAndSetsTheScore()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, score);
        GameFixture t;
        t.controls.snake = 77;
        t.game.Command1_Click();
        t.puzzle(name.toStdString(), 1, 1);
        QCOMPARE(t.field(Field::txtSuchwort), name);
        QCOMPARE(t.field(Field::txtPunkte), score);
        QCOMPARE(QByteArray::fromStdString(t.controls.texts[Field::txtSortiert]),
                 QByteArray::fromStdString(sortedLetters(name.toStdString(), true, true)));
        QCOMPARE(t.controls.snake, 10.0f);
        QVERIFY(!t.controls.visible[Shown::txtSuchwort] && !t.controls.visible[Shown::cmdSortieren]);
        QCOMPARE(t.game.state().Abbruch, 0);
        QVERIFY(t.game.clock().running());
    }

    void maxTenLettersDrawsAgainUntilANameOfNineFits()
    {
        GameFixture t;
        t.controls.values[Box::chkMax] = 1;
        t.random.script = {drawOf("Ameisenb\xE4r"), drawOf("Schmetterlingsfisch"), drawOf("Eisb\xE4r")};
        t.game.Command2_Click();
        QCOMPARE(t.field(Field::txtSuchwort), QByteArray("Eisb\xE4r"));
        QCOMPARE(t.random.reseeds, 3);
        for (int i = 0; i < 300; ++i) {
            t.game.Command2_Click();
            QVERIFY(t.field(Field::txtSuchwort).size() <= 9);
            QCOMPARE(t.field(Field::txtPunkte), QByteArray("5"));
        }
    }

    void hintsAppendTheirTailAndCostAPointEach_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("scoreBefore");
        QTest::addColumn<QByteArray>("presses");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QByteArray>("scoreAfter");
        QTest::addColumn<QByteArray>("hints");
        const auto row = [](const char *label, const char *name, int mode, const char *before,
                            const char *presses, const QByteArray &tail, const char *after,
                            const char *hints) {
            QTest::newRow(label) << QByteArray(name) << mode << QByteArray(before) << QByteArray(presses)
                                 << tail << QByteArray(after) << QByteArray(hints);
        };
        row("mode 1, all at once", "Elefant", 1, "7", "2", gap + "El" + dots(4) + "t", " 6", "---");
        row("mode 2, second", "Elefant", 2, "7", "2", gap + "El", " 6", "--L");
        row("mode 2, all", "Elefant", 2, "7", "2L", gap + "El" + dots(4) + "t", " 5", "---");
        row("mode 3, first", "Elefant", 3, "7", "1", gap + "E", " 6", "-2-");
        row("mode 3, all", "Elefant", 3, "7", "12", gap + "El" + dots(4) + "t", " 5", "---");
        row("mode 4, second", "Elefant", 4, "7", "12", gap + "El", " 5", "--L");
        row("mode 4, all", "Elefant", 4, "7", "12L", gap + "El" + dots(4) + "t", " 4", "---");
        row("three letters, no dots", "Kuh", 4, "5", "12L", gap + "Kuh", " 2", "---");
        row("blank counts", "Tasmanischer Teufel", 1, "7", "2", gap + "Ta" + dots(16) + "l", " 6", "---");
        row("after the end", "Elefant", 4, "0", "12", gap + "El", "-2", "--L");
    }
    void hintsAppendTheirTailAndCostAPointEach()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, mode);
        QFETCH(QByteArray, scoreBefore);
        QFETCH(QByteArray, presses);
        QFETCH(QByteArray, tail);
        QFETCH(QByteArray, scoreAfter);
        QFETCH(QByteArray, hints);
        GameFixture t;
        t.puzzle(name.toStdString(), mode <= 2, mode % 2);
        t.controls.texts[Field::txtPunkte] = scoreBefore.toStdString();
        const QByteArray sorted = t.field(Field::txtSortiert);
        for (const char hint : presses)
            t.press(hint);
        QCOMPARE(t.field(Field::txtSortiert), sorted + tail);
        QCOMPARE(t.field(Field::txtPunkte), scoreAfter);
        QCOMPARE(t.visibleHints(), hints);
    }

    void hintOnATypedSolution_data()
    {
        QTest::addColumn<QByteArray>("solution");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("before the first puzzle appends nothing") << QByteArray() << QByteArray();
        QTest::newRow("empty") << QByteArray() << gap;
        QTest::newRow("one letter is first and last") << QByteArray("x") << gap + "xx";
    }
    void hintOnATypedSolution()
    {
        QFETCH(QByteArray, solution);
        QFETCH(QByteArray, tail);
        GameFixture t;
        if (!tail.isEmpty()) {
            t.puzzle("Elefant", 1, 1);
            t.game.Command1_Click();
        }
        t.controls.texts[Field::txtSuchwort] = solution.toStdString();
        const QByteArray sorted = t.field(Field::txtSortiert);
        t.game.cmdZweiter_Click();
        QCOMPARE(t.field(Field::txtSortiert), sorted + tail);
        QCOMPARE(t.field(Field::txtSuchwort), solution);
    }

    void revealShowsTheSolutionAndKeepsTheScore()
    {
        GameFixture t;
        t.puzzle("Elefant", 1, 1);
        t.game.cmdZweiter_Click();
        t.controls.snake = 42;
        const auto texts = t.controls.texts;
        for (int press = 0; press < 2; ++press) {
            t.game.Command1_Click();
            QCOMPARE(t.controls.snake, 10.0f);
            QCOMPARE(t.controls.score, 0.0f);
            QCOMPARE(t.game.state().Abbruch, 1);
            QVERIFY(t.controls.visible[Shown::txtSuchwort] && t.controls.visible[Shown::cmdSortieren]);
            QVERIFY(t.controls.texts == texts);
        }
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "test_game.moc"
