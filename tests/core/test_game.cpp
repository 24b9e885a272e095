// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_fixture.h"

#include <QTest>

#include <algorithm>

namespace {

const QByteArray gap = "     ";

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void startUpSortsTheStartTextAndHidesTheSolution()
    {
        GameFixture t;
        t.game.Form_Load();
        QCOMPARE(t.field(Field::txtSortiert), QByteArray("~~~~~ESZaacdeeeefhiilnnnnorsssssstun"));
        QVERIFY(!t.controls.visible[Shown::cmdSortieren]);
        QVERIFY(!t.controls.visible[Shown::txtSuchwort]);
    }

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
        QTest::addColumn<QByteArray>("sorted");
        QTest::newRow("first name") << QByteArray("Aal") << QByteArray("5") << QByteArray("Aal");
        QTest::newRow("ten letters") << QByteArray("Ameisenb\xE4r") << QByteArray("5") << QByteArray("Abeeimns\xE4r");
        QTest::newRow("eleven letters") << QByteArray("Dinosaurier") << QByteArray("7") << QByteArray("Daeiinorsur");
        QTest::newRow("hyphen") << QByteArray("Orang-Utan") << QByteArray("5") << QByteArray("-OUaagnrtn");
        QTest::newRow("blank") << QByteArray("Tasmanischer Teufel") << QByteArray("7")
                               << QByteArray("~TTaaceeefhimnrssul");
    }
    void newPuzzleDrawsANameAndSetsTheScore()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, score);
        QFETCH(QByteArray, sorted);
        GameFixture t;
        t.controls.snake = 77;
        t.puzzle(name.toStdString(), 1, 1);
        QCOMPARE(t.field(Field::txtSuchwort), name);
        QCOMPARE(t.field(Field::txtPunkte), score);
        QCOMPARE(t.field(Field::txtSortiert), sorted);
        QCOMPARE(t.controls.snake, 10.0f);
        QVERIFY(!t.controls.visible[Shown::txtSuchwort]);
        QVERIFY(!t.controls.visible[Shown::cmdSortieren]);
        QCOMPARE(t.game.state().Abbruch, 0);
        QCOMPARE(t.game.state().Halbzeit, 0);
        QVERIFY(t.game.clock().running());
    }

    void maxTenLettersDrawsAgainUntilANameOfNineFits()
    {
        GameFixture t;
        t.controls.values[Box::chkMax] = 1;
        t.random.script = {drawOf("Ameisenb\xE4r"), drawOf("Schmetterlingsfisch"), drawOf("Eisb\xE4r")};
        t.game.Command2_Click();
        QCOMPARE(t.field(Field::txtSuchwort), QByteArray("Eisb\xE4r"));
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("5"));
        QCOMPARE(t.random.reseeds, 3);
    }

    void maxTenLettersNeverYieldsMoreThanNine()
    {
        GameFixture t;
        t.controls.values[Box::chkMax] = 1;
        for (int i = 0; i < 300; ++i) {
            t.game.Command2_Click();
            QVERIFY(t.field(Field::txtSuchwort).size() <= 9);
            QCOMPARE(t.field(Field::txtPunkte), QByteArray("5"));
        }
    }

    void hintsAppendTheirTailByMode_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("grossbuchstaben");
        QTest::addColumn<int>("letzter");
        QTest::addColumn<QByteArray>("presses");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QByteArray>("score");
        QTest::addColumn<QByteArray>("hints");
        QTest::newRow("mode 1, all at once") << QByteArray("Elefant") << 1 << 1 << QByteArray("2")
                                             << gap + "El. . . . t" << QByteArray(" 6") << QByteArray("---");
        QTest::newRow("mode 2, second") << QByteArray("Elefant") << 1 << 0 << QByteArray("2") << gap + "El"
                                        << QByteArray(" 6") << QByteArray("--L");
        QTest::newRow("mode 2, all") << QByteArray("Elefant") << 1 << 0 << QByteArray("2L")
                                     << gap + "El. . . . t" << QByteArray(" 5") << QByteArray("---");
        QTest::newRow("mode 3, first") << QByteArray("Elefant") << 0 << 1 << QByteArray("1") << gap + "E"
                                       << QByteArray(" 6") << QByteArray("-2-");
        QTest::newRow("mode 3, all") << QByteArray("Elefant") << 0 << 1 << QByteArray("12")
                                     << gap + "El. . . . t" << QByteArray(" 5") << QByteArray("---");
        QTest::newRow("mode 4, first") << QByteArray("Elefant") << 0 << 0 << QByteArray("1") << gap + "E"
                                       << QByteArray(" 6") << QByteArray("-2-");
        QTest::newRow("mode 4, second") << QByteArray("Elefant") << 0 << 0 << QByteArray("12") << gap + "El"
                                        << QByteArray(" 5") << QByteArray("--L");
        QTest::newRow("mode 4, all") << QByteArray("Elefant") << 0 << 0 << QByteArray("12L")
                                     << gap + "El. . . . t" << QByteArray(" 4") << QByteArray("---");
        QTest::newRow("three letters, no dots") << QByteArray("Kuh") << 0 << 0 << QByteArray("12L") << gap + "Kuh"
                                                << QByteArray(" 4") << QByteArray("---");
        QTest::newRow("blank counts") << QByteArray("Tasmanischer Teufel") << 1 << 1 << QByteArray("2")
                                      << gap + "Ta" + QByteArray(". ").repeated(16) + "l" << QByteArray(" 6")
                                      << QByteArray("---");
    }
    void hintsAppendTheirTailByMode()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, grossbuchstaben);
        QFETCH(int, letzter);
        QFETCH(QByteArray, presses);
        QFETCH(QByteArray, tail);
        QFETCH(QByteArray, score);
        QFETCH(QByteArray, hints);
        GameFixture t;
        t.puzzle(name.toStdString(), grossbuchstaben, letzter);
        t.controls.texts[Field::txtPunkte] = "7";
        const QByteArray sorted = t.field(Field::txtSortiert);
        for (const char hint : presses)
            t.press(hint);
        QCOMPARE(t.field(Field::txtSortiert), sorted + tail);
        QCOMPARE(t.field(Field::txtPunkte), score);
        QCOMPARE(t.visibleHints(), hints);
    }

    void hintsBeforeTheFirstPuzzleOnlyCost()
    {
        GameFixture t;
        t.game.Form_Load();
        const QByteArray sorted = t.field(Field::txtSortiert);
        t.game.cmdErster_Click();
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("-1"));
        QCOMPARE(t.field(Field::txtSortiert), sorted);
        QCOMPARE(t.visibleHints(), QByteArray("-2L"));
    }

    void hintsOnTypedSolutionsStayDefined_data()
    {
        QTest::addColumn<QByteArray>("solution");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("empty") << QByteArray() << gap;
        QTest::newRow("one letter is first and last") << QByteArray("x") << gap + "xx";
        QTest::newRow("long text gets the whole dot row")
            << QByteArray(31, 'y') + "z" << gap + "yy" + QByteArray(". ").repeated(27) + "z";
        QTest::newRow("megabyte") << QByteArray(1 << 20, 'q') << gap + "qq" + QByteArray(". ").repeated(27) + "q";
    }
    void hintsOnTypedSolutionsStayDefined()
    {
        QFETCH(QByteArray, solution);
        QFETCH(QByteArray, tail);
        GameFixture t;
        t.puzzle("Elefant", 1, 1);
        t.game.Command1_Click();
        t.controls.texts[Field::txtSuchwort] = solution.toStdString();
        const QByteArray sorted = t.field(Field::txtSortiert);
        t.game.cmdZweiter_Click();
        QCOMPARE(t.field(Field::txtSortiert), sorted + tail);
        QCOMPARE(t.field(Field::txtSuchwort), solution);
    }

    void scoreGoesNegativeAfterTheEnd()
    {
        GameFixture t;
        t.puzzle("Elefant", 0, 0);
        t.controls.texts[Field::txtPunkte] = "0";
        t.game.cmdErster_Click();
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("-1"));
        t.game.cmdZweiter_Click();
        QCOMPARE(t.field(Field::txtPunkte), QByteArray("-2"));
    }

    void revealShowsTheSolutionAndKeepsTheScore()
    {
        GameFixture t;
        t.puzzle("Elefant", 1, 1);
        t.game.cmdZweiter_Click();
        t.controls.snake = 42;
        const auto before = t.controls.texts;
        for (int press = 0; press < 2; ++press) {
            t.game.Command1_Click();
            QCOMPARE(t.controls.snake, 10.0f);
            QCOMPARE(t.controls.score, 0.0f);
            QCOMPARE(t.game.state().Abbruch, 1);
            QVERIFY(t.controls.visible[Shown::txtSuchwort]);
            QVERIFY(t.controls.visible[Shown::cmdSortieren]);
            QVERIFY(t.controls.texts == before);
        }
    }

    void sortAndShuffleWorkOnAnEditedSolution()
    {
        GameFixture t;
        t.puzzle("Elefant", 0, 0);
        t.game.Command1_Click();
        t.controls.texts[Field::txtSuchwort] = "Zebra";
        t.game.cmdSortieren_Click();
        QCOMPARE(t.field(Field::txtSortiert), QByteArray("aberz"));
        t.game.cmdMischen_Click();
        QByteArray shuffled = t.field(Field::txtAusgabe);
        std::sort(shuffled.begin(), shuffled.end());
        QCOMPARE(shuffled, QByteArray("aberz"));
        t.controls.texts[Field::txtSuchwort] = "";
        t.game.cmdMischen_Click();
        QCOMPARE(t.field(Field::txtAusgabe), QByteArray());
    }

    void speedBarShowsItsValue()
    {
        GameFixture t;
        for (int speed = 1; speed <= 5; ++speed) {
            t.controls.speedValue = speed;
            t.game.HScroll1_Change();
            QCOMPARE(t.field(Field::Text1), QByteArray::number(speed));
        }
    }

    void endEndsTheProgram()
    {
        GameFixture t;
        t.puzzle("Elefant", 1, 1);
        t.game.cmdEnde_Click();
        QVERIFY(t.controls.ended);
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "test_game.moc"
