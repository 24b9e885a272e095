// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <algorithm>

using namespace std::chrono_literals;

namespace {

// Every control that takes the focus from the keyboard, by its tab index.
// The solution field, whose index falls between "Sortieren" and the speed
// bar, takes it only from the mouse.
const QStringList tabIndexOrder{
    "txtHilfe",   "Command1",   "Command2",   "txtSortiert", "Command3",           "cmdEnde",      "Command4",
    "cmdMischen", "txtAusgabe", "chkMax",     "chkLetzter",  "chkGrossbuchstaben", "cmdSortieren", "HScroll1",
    "Text1",      "cmdErster",  "cmdLetzter", "chkStop",     "cmdZweiter",         "txtPunkte",
};

QStringList withoutHidden(const QStringList &hidden)
{
    QStringList stops = tabIndexOrder;
    for (const QString &control : hidden)
        stops.removeOne(control);
    return stops;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // From the help line once round with Tab, and once back with Shift+Tab,
    // as the game shows and hides buttons: "Tier" offers the hint its options
    // choose, a hint the next one, and "Zeigen" brings "Sortieren" and the
    // solution field.
    void tabVisitsTheShownControlsInOrderRoundAndBack_data()
    {
        QTest::addColumn<QStringList>("unticked");
        QTest::addColumn<QStringList>("pressed");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("at start") << QStringList{} << QStringList{}
                                  << withoutHidden({"cmdSortieren", "cmdZweiter"});
        QTest::newRow("after Tier") << QStringList{} << QStringList{"Command2"}
                                    << withoutHidden({"cmdSortieren", "cmdErster", "cmdLetzter"});
        QTest::newRow("after Tier without options")
            << QStringList{"chkGrossbuchstaben", "chkLetzter"} << QStringList{"Command2"}
            << withoutHidden({"cmdSortieren", "cmdZweiter", "cmdLetzter"});
        QTest::newRow("after Tier and 1. Buchstabe without options")
            << QStringList{"chkGrossbuchstaben", "chkLetzter"} << QStringList{"Command2", "cmdErster"}
            << withoutHidden({"cmdSortieren", "cmdErster", "cmdLetzter"});
        QTest::newRow("after Tier and 2. Buchstabe without the last letter")
            << QStringList{"chkLetzter"} << QStringList{"Command2", "cmdZweiter"}
            << withoutHidden({"cmdSortieren", "cmdErster", "cmdZweiter"});
        QTest::newRow("after every hint")
            << QStringList{} << QStringList{"Command2", "cmdZweiter"}
            << withoutHidden({"cmdSortieren", "cmdErster", "cmdZweiter", "cmdLetzter"});
        QTest::newRow("after Zeigen")
            << QStringList{} << QStringList{"Command1"} << withoutHidden({"cmdZweiter"});
        QTest::newRow("after Tier and Zeigen") << QStringList{} << QStringList{"Command2", "Command1"}
                                               << withoutHidden({"cmdErster", "cmdLetzter"});
    }
    void tabVisitsTheShownControlsInOrderRoundAndBack()
    {
        QFETCH(QStringList, unticked);
        QFETCH(QStringList, pressed);
        QFETCH(QStringList, stops);
        WindowFixture f;
        for (const QString &box : unticked)
            f.click(box);
        for (const QString &button : pressed) {
            f.click(button);
            f.time.advance(0ms);
        }
        f.control("txtHilfe")->setFocus();

        const auto round = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QStringList visited;
            for (qsizetype stop = 0; stop < stops.size(); ++stop) {
                QTest::keyClick(f.window.focusWidget(), key, modifiers);
                visited << f.window.focusWidget()->objectName();
            }
            return visited;
        };
        QCOMPARE(round(Qt::Key_Tab, Qt::NoModifier), stops.mid(1) + stops.first(1));
        QStringList backwards = stops.first(stops.size() - 1);
        std::reverse(backwards.begin(), backwards.end());
        QCOMPARE(round(Qt::Key_Backtab, Qt::ShiftModifier), QStringList{stops.last()} + backwards);
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
