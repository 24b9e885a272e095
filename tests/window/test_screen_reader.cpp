// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/announcer.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QScrollBar>

using namespace std::chrono_literals;

class ScreenReaderTest : public QObject {
    Q_OBJECT

private slots:
    // Screen readers speak a focused control only within an active window,
    // which a frame of controls must not pose as; and they join a field's
    // attribute runs, so one run must hold the whole text.
    void controlsAreFoundInTheirWindowWithTheirWholeText()
    {
        WindowFixture f;
        const auto role = [](QObject *object) {
            return QAccessible::queryAccessibleInterface(object)->role();
        };
        QCOMPARE(role(&f.window), QAccessible::Window);
        QCOMPARE(role(f.control("Picture1")), QAccessible::Pane);
        QCOMPARE(role(f.control("picSchlange")), QAccessible::Pane);
        QAccessibleTextInterface *score =
            QAccessible::queryAccessibleInterface(f.control("txtPunkte"))->textInterface();
        for (int offset : {0, 5}) {
            int start = -1;
            int end = -1;
            score->attributes(offset, &start, &end);
            QCOMPARE(std::pair(start, end), std::pair(0, 6));
        }
    }

    // What the notification says after each action, where it changed: not
    // start-up, but a new puzzle, a hint, half time and the end; the hidden
    // solution only once it is shown. (Qt sends the notification's events
    // only to a real screen reader, which the desktop checks run.)
    void puzzleIsToldWhereverTheFocusIs()
    {
        WindowFixture f;
        QAccessibleInterface *notice =
            QAccessible::queryAccessibleInterface(f.window.findChild<Announcer *>());
        QStringList heard;
        const auto listen = [&] {
            QCoreApplication::processEvents();
            const QString said = notice->text(QAccessible::Name);
            if (!said.isEmpty() && (heard.isEmpty() || heard.back() != said))
                heard << said;
        };
        listen();
        f.control<QScrollBar>("HScroll1")->setValue(1);
        f.nextAnimal(QStringLiteral("Elefant"));
        f.click("Command2");
        f.time.advance(0ms);
        listen();
        f.click("cmdZweiter");
        for (int step = 0; step < 10; ++step) {
            listen();
            f.time.nextStep();
        }
        listen();
        QCOMPARE(notice->role(), QAccessible::Notification);
        QCOMPARE(heard, QStringList({
                            QStringLiteral("Sortierte Buchstaben: Eaeflnt, Punkte: 5"),
                            QStringLiteral("Sortierte Buchstaben: Eaeflnt     El. . . . t, Punkte: 4"),
                            QStringLiteral("Punkte: 2"),
                            QStringLiteral("Punkte: 0, Lösungswort: Elefant"),
                        }));
    }
};

QTEST_MAIN(ScreenReaderTest)
#include "test_screen_reader.moc"
