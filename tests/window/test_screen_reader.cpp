// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/announcer.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QMenu>
#include <QScopeGuard>
#include <QScrollBar>

#include <memory>

using namespace std::chrono_literals;

class ScreenReaderTest : public QObject {
    Q_OBJECT

private slots:
    // Screen readers speak a focused control only within an active window,
    // which a frame of controls must not pose as, nor a field's menu. A field's text, caret,
    // selection and characters are theirs to read, and one attribute run
    // holds the whole text, since they join runs.
    void controlsAreFoundInTheirWindowAndFieldsReadWhole()
    {
        WindowFixture f;
        const auto face = [](QObject *object) { return QAccessible::queryAccessibleInterface(object); };
        QCOMPARE(face(&f.window)->role(), QAccessible::Window);
        for (QWidget *control : f.window.findChildren<QWidget *>())
            QVERIFY2(face(control)->role() != QAccessible::Window, qPrintable(control->objectName()));
        const std::unique_ptr<QMenu> menu(f.control<QLineEdit>("txtSortiert")->createStandardContextMenu());
        QCOMPARE(face(menu.get())->role(), QAccessible::PopupMenu);
        QCOMPARE(face(f.control("Picture1"))->role(), QAccessible::Pane);
        QCOMPARE(face(f.control("picSchlange"))->role(), QAccessible::Pane);
        QVERIFY(face(f.control("Text1"))->state().readOnly &&
                face(f.control("txtSortiert"))->state().editable &&
                face(f.control("txtSortiert"))->state().selectableText);
        f.window.setText(Field::txtSortiert, "aeeflnt");
        QCOMPARE(std::pair(face(f.control("txtSortiert"))->text(QAccessible::Name),
                           face(f.control("txtSortiert"))->text(QAccessible::Value)),
                 std::pair(QStringLiteral("Sortierte Buchstaben"), QStringLiteral("aeeflnt")));
        QAccessibleTextInterface *field = face(f.control("txtSortiert"))->textInterface();
        QCOMPARE(std::pair(field->text(2, 5), field->characterCount()), std::pair(QStringLiteral("efl"), 7));
        int start = -1;
        int end = -1;
        field->attributes(6, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, 7));
        // A field has one selection: asking to change another changes nothing.
        const auto selected = [&] {
            field->selection(0, &start, &end);
            return std::tuple(field->selectionCount(), start, end);
        };
        field->setSelection(0, 1, 3);
        QCOMPARE(selected(), std::tuple(1, 1, 3));
        field->setSelection(1, 4, 6);
        field->removeSelection(1);
        QCOMPARE(selected(), std::tuple(1, 1, 3));
        field->addSelection(2, 5);
        QCOMPARE(selected(), std::tuple(1, 2, 5));
        field->removeSelection(0);
        QCOMPARE(selected(), std::tuple(0, 0, 0));
        field->setCursorPosition(4);
        QCOMPARE(field->cursorPosition(), 4);
    }

    // A screen reader's review and a magnifier outline a character from the
    // gap before it to the gap after it, as high as the line: where the field
    // itself puts its caret at those gaps (centred on the gap), wherever the
    // caret stands now, also on a desktop that reads from right to left (Qt's
    // -reverse). Outside the text there is no character, and a point off the
    // field is at no offset.
    void charactersStandWhereTheFieldDrawsThem_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("left, framed") << "txtSortiert" << QStringLiteral("Eaeflnt     El. . . . t") << false;
        QTest::newRow("left, no frame") << "txtSuchwort" << QStringLiteral("Tasmanischer Teufel") << false;
        QTest::newRow("centred, narrow") << "Text1" << QStringLiteral("5") << false;
        QTest::newRow("centred") << "txtPunkte" << QStringLiteral(" 4") << false;
        QTest::newRow("centred, wide") << "txtHilfe" << QStringLiteral("Lösung zeigen.") << false;
        QTest::newRow("right to left") << "txtPunkte" << QStringLiteral(" 4") << true;
        QTest::newRow("right to left, blanks after") << "txtSortiert" << QStringLiteral("Fchus  ") << true;
    }
    void charactersStandWhereTheFieldDrawsThem()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, rightToLeft);
        // As -reverse does, before the window is made.
        QGuiApplication::setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        const auto leftToRight = qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LeftToRight); });
        WindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        auto *edit = f.control<QLineEdit>(field);
        edit->show();
        edit->setText(text);
        // The field lays its text out on the line as it paints.
        edit->repaint();
        QList<int> gaps;
        QRect line;
        for (int at = 0; at <= text.size(); ++at) {
            edit->setCursorPosition(at);
            line = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            gaps << edit->mapToGlobal(QPoint(line.left() + line.width() / 2, 0)).x();
        }
        line.moveTop(edit->mapToGlobal(line.topLeft()).y());
        QAccessibleTextInterface *reader = QAccessible::queryAccessibleInterface(edit)->textInterface();
        for (int caret : {0, int(text.size()), 1}) {
            edit->setCursorPosition(caret);
            for (int at = 0; at < text.size(); ++at) {
                const QRect box = reader->characterRect(at);
                QCOMPARE(box, QRect(QPoint(std::min(gaps[at], gaps[at + 1]), line.top()),
                                    QPoint(std::max(gaps[at], gaps[at + 1]) - 1, line.bottom())));
                QCOMPARE(reader->offsetAtPoint(box.center()), at);
            }
        }
        QVERIFY(reader->characterRect(-1).isNull() && reader->characterRect(int(text.size())).isNull());
        QCOMPARE(reader->offsetAtPoint(edit->mapToGlobal(QPoint(-1, 0))), -1);
    }

    // Assistive tools and test drivers type through the field's editable
    // text: setting the whole text, inserting, deleting. Offsets beyond the
    // text count as its ends, and the read-only speed field stays as it is.
    void assistiveToolsTypeIntoFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *field, const char *edit, int from, int to,
                            const char *typed, const char *expected) {
            QTest::newRow(name) << QString::fromLatin1(field) << QString::fromLatin1(edit) << from << to
                                << QString::fromUtf8(typed) << QString::fromUtf8(expected);
        };
        // Every field starts as "Elefant", its length 7.
        row("whole text", "txtSuchwort", "replace", 0, 7, "Fuchs", "Fuchs");
        row("insert in front", "txtSortiert", "insert", 0, 0, "Der ", "Der Elefant");
        row("insert inside", "txtAusgabe", "insert", 3, 3, "-", "Ele-fant");
        row("insert past the end", "txtPunkte", "insert", 40, 40, "n", "Elefantn");
        row("insert before the start", "txtSuchwort", "insert", -3, -3, "A", "AElefant");
        row("delete inside", "txtSuchwort", "delete", 1, 3, "", "Efant");
        row("delete beyond both ends", "txtSuchwort", "delete", -5, 99, "", "");
        row("delete backwards", "txtSuchwort", "delete", 5, 2, "", "Elefant");
        row("replace backwards", "txtSuchwort", "replace", 5, 2, "x", "Elefaxnt");
        row("read-only", "Text1", "replace", 0, 7, "1", "Elefant");
        row("read-only insert", "Text1", "insert", 0, 0, "1", "Elefant");
        row("read-only delete", "Text1", "delete", 0, 7, "", "Elefant");
    }
    void assistiveToolsTypeIntoFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, edit);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, typed);
        WindowFixture f;
        f.control<QLineEdit>(field)->setText(QStringLiteral("Elefant"));
        QAccessibleEditableTextInterface *editable =
            QAccessible::queryAccessibleInterface(f.control(field))->editableTextInterface();
        QVERIFY(editable != nullptr);
        if (edit == QLatin1String("insert"))
            editable->insertText(from, typed);
        else if (edit == QLatin1String("delete"))
            editable->deleteText(from, to);
        else
            editable->replaceText(from, to, typed);
        QTEST(f.textOf(field), "expected");
    }

    // What Windows screen readers read through UI Automation's patterns, which
    // Qt answers from these interfaces and Wine passes to no other process:
    // a field's text and whether it takes typing, a box's tick, the speed
    // bar's range; and what they do with a control: set the speed, tick a
    // box, press a button.
    void patternsReadAndWorkTheControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("probe");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *control, const char *read, const QString &action, const char *probe,
                            const char *expected) {
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(read) << action
                                   << QString::fromLatin1(probe) << QString::fromLatin1(expected);
        };
        // After the action "Tier" draws "Anglerfisch", but for one of at most
        // ten letters "Elefant".
        row("Text1", "5 read-only", {}, "", "");
        row("txtPunkte", "Punkte", {}, "", "");
        row("HScroll1", "5 of 1 to 5 by 1", "1", "Text1", "1");
        row("chkGrossbuchstaben", "on", QAccessibleActionInterface::toggleAction(), "txtSortiert",
            "acefgilnrsh");
        row("chkMax", "off", QAccessibleActionInterface::toggleAction(), "txtSortiert", "Eaeflnt");
        row("Command2", "", QAccessibleActionInterface::pressAction(), "txtSortiert", "Acefgilnrsh");
    }
    void patternsReadAndWorkTheControls()
    {
        QFETCH(QString, control);
        QFETCH(QString, action);
        QFETCH(QString, probe);
        QFETCH(QString, expected);
        WindowFixture f;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(f.control(control));
        QString read;
        if (QAccessibleValueInterface *range = face->valueInterface())
            read = QStringLiteral("%1 of %2 to %3 by %4")
                       .arg(range->currentValue().toInt())
                       .arg(range->minimumValue().toInt())
                       .arg(range->maximumValue().toInt())
                       .arg(range->minimumStepSize().toInt());
        else if (face->state().checkable)
            read = QLatin1String(face->state().checked ? "on" : "off");
        else if (face->role() == QAccessible::EditableText)
            read = face->text(QAccessible::Value) + QLatin1String(face->state().readOnly ? " read-only" : "");
        QTEST(read, "read");
        if (action.isEmpty())
            return;

        f.random.script = {drawOf(toCp1252(QStringLiteral("Anglerfisch"))),
                           drawOf(toCp1252(QStringLiteral("Elefant")))};
        if (QAccessibleValueInterface *range = face->valueInterface()) {
            range->setCurrentValue(action.toInt());
        } else {
            QVERIFY(face->actionInterface()->actionNames().contains(action));
            face->actionInterface()->doAction(action);
        }
        // A box counts at the next puzzle; a press is an animated click,
        // which ends a moment later.
        if (face->state().checkable) {
            QTRY_VERIFY(face->state().checked != (read == QLatin1String("on")));
            f.click("Command2");
        }
        QTRY_COMPARE(f.textOf(probe), expected);
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
