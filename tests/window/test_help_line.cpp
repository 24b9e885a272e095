// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Mouse moves go through the window system, so that the window finds the
// control under the pointer as it does for a real mouse.
#define QTEST_QPA_MOUSE_HANDLING
#include "window_fixture.h"

namespace {

const QString untouched = QStringLiteral("(unverändert)");
// Pointed at with no offset, a control is met in its middle.
constexpr QPoint middle(-1, -1);

} // namespace

class HelpLineTest : public QObject {
    Q_OBJECT

private slots:
    void sentenceUnderThePointer_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QString>("sentence");
        // What a screen reader says the control is for; not checked where empty.
        QTest::addColumn<QString>("description");

        const auto explains = [](const char *control, const char *sentence) {
            const QString text = QString::fromUtf8(sentence);
            QTest::newRow(control) << QString::fromLatin1(control) << middle << text << text;
        };
        const auto at = [](const char *row, const char *control, QPoint offset, const QString &sentence) {
            QTest::newRow(row) << QString::fromLatin1(control) << offset << sentence << QString();
        };
        explains("Command2", "Zufallstier");
        explains("Command1", "Lösung zeigen");
        explains("cmdEnde", "Programm beenden");
        explains("cmdMischen", "Bei angehaltenem Mischer einmal neu mischen");
        explains("Command4", "Mischer anhalten");
        explains("Command3", "Mischer weiterlaufen lassen");
        explains("cmdSortieren",
                 "Das Lösungsfeld kann per Hand beschrieben werden, der Eintrag sortiert werden");
        for (const char *hint : {"cmdErster", "cmdZweiter", "cmdLetzter", "Label2"})
            explains(hint, "Kleine Hilfen");
        explains("chkGrossbuchstaben",
                 "Anfangsbuchstaben automatisch vorne in Großschrift zeigen, nur der Rest wird sortiert");
        explains("chkLetzter",
                 "Der letzte Buchstabe wird automatisch korrekt angezeigt, nur der Rest wird sortiert");
        explains("chkMax", "Nur Tiere mit maximal 10 Buchstaben wählen");
        explains("chkStop", "Häkchen: Uhr hält an, Häkchen entfernen: Uhr läuft weiter");
        explains("Label1", "Ablaufgeschwindigkeit der Bedenkzeit von 1(kurz) bis 5 (lang) einstellen");
        explains("Text1", "Bedenkzeit 1 (kurz) bis 5 (lang)");
        explains("txtAusgabe", "Die Buchstaben werden durcheinandergewürfelt");
        explains("txtSortiert", "Die Buchstaben des Tiernamens in sortierter Reihenfolge");
        explains("txtPunkte", "Punktzahl, falls jetzt das Tier erkannt wird");
        explains("imgSchlange", "Wenn die Schlange verschwindet, ist die Bedenkzeit vorbei");

        at("free part of Picture1", "Picture1", {5, 5}, QString());
        at("frame of Picture1", "Picture1", {1, 1}, QString());
        at("inside Shape1", "Shape1", {3, 3}, QString());
        at("outline of Shape1", "Shape1", {0, 20}, QString());
        at("rooster on Image1", "Image1", {96, 252}, QStringLiteral("Hahn"));
        at("top strip of Image1, under Picture1", "Image1", {400, 12}, QString());
        at("bottom strip of Image1, under txtHilfe", "Image1", {400, 462}, untouched);
        at("free part of picSchlange", "picSchlange", {4, 300}, untouched);
        for (const char *silent : {"txtHilfe", "Line1"})
            at(silent, silent, middle, untouched);
        // Silent, but described by a neighbour's sentence.
        const auto describedBy = [](const char *control, const char *description) {
            QTest::newRow(control) << QString::fromLatin1(control) << middle << untouched
                                   << QString::fromUtf8(description);
        };
        describedBy("HScroll1", "Ablaufgeschwindigkeit der Bedenkzeit von 1(kurz) bis 5 (lang) einstellen");
        describedBy("txtSuchwort",
                    "Das Lösungsfeld kann per Hand beschrieben werden, der Eintrag sortiert werden");
        at("window background", "", middle, untouched);
    }

    void sentenceUnderThePointer()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, offset);
        QFETCH(QString, sentence);
        QFETCH(QString, description);
        WindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        for (Shown hidden : {Shown::cmdZweiter, Shown::cmdSortieren, Shown::txtSuchwort})
            f.window.setVisible(hidden, true);
        // The window's own background shows at its bottom corners.
        QWidget *target = control.isEmpty() ? &f.window : f.control(control);
        const QPoint point =
            control.isEmpty() ? f.window.rect().bottomLeft()
                              : target->mapTo(&f.window, offset == middle ? target->rect().center() : offset);

        QTest::mouseMove(&f.window, f.window.rect().bottomRight());
        f.control<QLineEdit>("txtHilfe")->setText(untouched);
        QTest::mouseMove(&f.window, point);
        QCOMPARE(f.textOf("txtHilfe"), sentence);
        if (!description.isEmpty())
            QCOMPARE(target->accessibleDescription(), description);
    }
};

QTEST_MAIN(HelpLineTest)
#include "test_help_line.moc"
