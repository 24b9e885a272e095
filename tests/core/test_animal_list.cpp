// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/animal_list.h"
#include "game/animal_draw.h"

#include <QCryptographicHash>
#include <QTest>

class TestAnimalList : public QObject {
    Q_OBJECT

private slots:
    void textIsExactlyTheBuiltInOne()
    {
        const QByteArray list = QByteArray::fromStdString(builtInAnimalList());
        QCOMPARE(list.size(), 6159);
        QVERIFY(list.startsWith("\r\nAal\r\n") && list.endsWith("\r\nZwergmaus\r\nFloh\r\n"));
        QCOMPARE(list.count('\n'), 586);
        QCOMPARE(list.count("\r\n"), 586);
        QCOMPARE(QCryptographicHash::hash(list, QCryptographicHash::Sha256).toHex(),
                 QByteArray("289265e0f8a5f7c3811e50d00be7217e99957831b94514cef0e543261ad36c31"));
    }

    // From every start position, and so the chance of each name: the length
    // of the line before it plus its line end; the last name only from the
    // first 7 characters of "Zwergmaus".
    void everyNameIsReachedFromTheLineBeforeIt()
    {
        const Text &list = builtInAnimalList();
        long previousLine = 1;
        long name = 0;
        long hits = 0;
        for (long start = 1; start <= 6149 + 1; ++start) {
            const DrawnName drawn = start <= 6149 ? nameAt(list, start) : DrawnName{};
            if (drawn.position == name)
                ++hits;
            else {
                if (name != 0) {
                    QCOMPARE(hits, name == 6154 ? 7 : name - previousLine);
                    previousLine = name;
                }
                name = drawn.position;
                hits = 1;
                QVERIFY(name == 0 || list[static_cast<std::size_t>(name - 2)] == '\n');
            }
        }
        QCOMPARE(QByteArray::fromStdString(nameText(list, nameAt(list, 1))), QByteArray("Aal"));
        QCOMPARE(QByteArray::fromStdString(nameText(list, nameAt(list, 6149))), QByteArray("Floh"));
    }

    void listsOfAnotherLayoutStayInsideTheText_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("no line feed") << QByteArray("abc") << QByteArray();
        QTest::newRow("last character taken for the line end") << QByteArray("\nKuh") << QByteArray("Ku");
    }
    void listsOfAnotherLayoutStayInsideTheText()
    {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, name);
        const Text text = list.toStdString();
        QCOMPARE(QByteArray::fromStdString(nameText(text, nameAt(text, 1))), name);
    }
};

QTEST_GUILESS_MAIN(TestAnimalList)
#include "test_animal_list.moc"
