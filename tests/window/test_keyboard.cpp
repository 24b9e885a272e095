// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <QApplication>

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Controls hidden at start take their place in the tab order once shown.
    void revealedControlsJoinTheTabOrder_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QString>("after");
        QTest::newRow("Sortieren") << "chkGrossbuchstaben" << Shown::cmdSortieren << "HScroll1";
        QTest::newRow("2. Buchstabe") << "chkStop" << Shown::cmdZweiter << "txtPunkte";
    }

    void revealedControlsJoinTheTabOrder()
    {
        QFETCH(QString, before);
        QFETCH(Shown, shown);
        QFETCH(QString, after);
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.window.setVisible(shown, true);
        f.control(before.toLatin1())->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *revealed = QApplication::focusWidget();
        QVERIFY(revealed->isVisible());
        QVERIFY(revealed != f.control(after.toLatin1()));
        QTest::keyClick(revealed, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), after);
    }

    void spaceStartsAPuzzle()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.nextAnimal(QStringLiteral("Elefant"));
        f.control("Command2")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(f.time.armed);
        QCOMPARE(f.textOf("txtSortiert"), QStringLiteral("Eaeflnt"));
    }

    void arrowKeysSetTheThinkingTime()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.control("HScroll1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(f.window.speed(), 3);
        QCOMPARE(f.textOf("Text1"), QStringLiteral("3"));
    }
};

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
