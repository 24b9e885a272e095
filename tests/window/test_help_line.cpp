// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Mouse moves go through the window system, so that the window finds the
// control under the pointer as it does for a real mouse.
#define QTEST_QPA_MOUSE_HANDLING
#include "window/help_line.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>

namespace {

const QString untouched = QStringLiteral("(unverändert)");
const QString kleineHilfen = QStringLiteral("Kleine Hilfen");
constexpr QPoint background(2, 400);

QString accessibleText(QWidget *control, QAccessible::Text text)
{
    return QAccessible::queryAccessibleInterface(control)->text(text);
}

} // namespace

class HelpLineTest : public QObject {
    Q_OBJECT

private slots:
    void sentenceUnderThePointer_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("sentence");

        // With no point the pointer goes to the middle of the control.
        const auto over = [](const char *control, const QString &sentence) {
            QTest::newRow(control) << QString::fromLatin1(control) << QPoint() << sentence;
        };
        const auto at = [](const char *row, QPoint point, const QString &sentence) {
            QTest::newRow(row) << QString() << point << sentence;
        };
        for (const HelpSentence &row : helpSentences)
            over(row.control, QString::fromUtf8(row.sentence));
        over("Image1", QStringLiteral("Diese und weitere Tiere kommen vor!"));
        over("HScroll1", untouched);
        over("txtSuchwort", untouched);
        over("txtHilfe", untouched);
        at("free part of Picture1", {60, 150}, QString());
        at("frame of Picture1", {9, 100}, QString());
        at("inside Shape1", {455, 150}, QString());
        at("outline of Shape1", {450, 120}, QString());
        at("rooster on Image1", {168 + 96, 184 + 252}, QStringLiteral("Hahn"));
        at("chick on Image1", {168 + 61, 184 + 270}, QStringLiteral("Diese und weitere Tiere kommen vor!"));
        at("top strip of Image1, under Picture1", {572, 195}, QString());
        at("bottom strip of Image1, under txtHilfe", {572, 645}, untouched);
        at("free part of picSchlange", {12, 400}, untouched);
        at("Line1", {992, 400}, untouched);
        at("window background", background, untouched);
    }

    void sentenceUnderThePointer()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, point);
        QFETCH(QString, sentence);
        WindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        for (Shown hidden : {Shown::cmdZweiter, Shown::cmdSortieren, Shown::txtSuchwort})
            f.window.setVisible(hidden, true);
        if (!control.isEmpty()) {
            QWidget *target = f.control(control.toLatin1());
            point = target->mapTo(&f.window, target->rect().center());
        }

        QTest::mouseMove(&f.window, background);
        f.control<QLineEdit>("txtHilfe")->setText(untouched);
        QTest::mouseMove(&f.window, point);
        QCOMPARE(f.textOf("txtHilfe"), sentence);
    }

    void tickingChkLetzterWithTheKeyboardExplainsIt()
    {
        WindowFixture f;
        auto *box = f.control<QCheckBox>("chkLetzter");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(!box->isChecked());
        QCOMPARE(f.textOf("txtHilfe"), QStringLiteral("Der letzte Buchstabe wird automatisch korrekt "
                                                      "angezeigt, nur der Rest wird sortiert"));
    }

    void everyReachableControlIsNamedForScreenReaders()
    {
        WindowFixture f;
        for (QWidget *control : f.window.findChildren<QWidget *>()) {
            if (control->focusPolicy() == Qt::NoFocus)
                continue;
            QVERIFY2(!accessibleText(control, QAccessible::Name).isEmpty(),
                     qPrintable(control->objectName()));
            QVERIFY2(!accessibleText(control, QAccessible::Description).isEmpty() ||
                         control->objectName() == QLatin1String("txtHilfe") ||
                         control->objectName() == QLatin1String("txtTiere"),
                     qPrintable(control->objectName()));
        }
        QCOMPARE(accessibleText(f.control("txtPunkte"), QAccessible::Name), QStringLiteral("Punkte"));
        QCOMPARE(accessibleText(f.control("Command1"), QAccessible::Description),
                 QStringLiteral("Lösung zeigen"));
    }
};

QTEST_MAIN(HelpLineTest)
#include "test_help_line.moc"
