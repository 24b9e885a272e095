// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/animal_list.h"
#include "game/animal_draw.h"

#include <QCryptographicHash>
#include <QTest>

#include <algorithm>
#include <map>
#include <vector>

namespace {

const Text &list() { return builtInAnimalList(); }

// The list split at its line ends: an empty first piece, the names, an empty last piece.
std::vector<Text> pieces()
{
    std::vector<Text> result;
    std::size_t from = 0;
    for (std::size_t at; (at = list().find("\r\n", from)) != Text::npos; from = at + 2)
        result.push_back(list().substr(from, at - from));
    result.push_back(list().substr(from));
    return result;
}

std::vector<Text> names()
{
    std::vector<Text> all = pieces();
    return {all.begin() + 1, all.end() - 1};
}

constexpr long highestStart = 6149;

} // namespace

class TestAnimalList : public QObject {
    Q_OBJECT

private slots:
    void textIsExactlyTheBuiltInOne()
    {
        QCOMPARE(list().size(), std::size_t{6159});
        const QByteArray bytes = QByteArray::fromStdString(list());
        QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(),
                 QByteArray("289265e0f8a5f7c3811e50d00be7217e99957831b94514cef0e543261ad36c31"));
        QVERIFY(bytes.startsWith("\r\nAal\r\n"));
        QVERIFY(bytes.endsWith("Zwergmaus\r\nFloh\r\n"));
        QCOMPARE(bytes.count('\n'), 586);
        QCOMPARE(bytes.count('\r'), 586);
    }

    void splitsIntoNamesBetweenEmptyPieces()
    {
        const std::vector<Text> all = pieces();
        QCOMPARE(all.size(), std::size_t{587});
        QVERIFY(all.front().empty());
        QVERIFY(all.back().empty());
        const std::vector<Text> n = names();
        QVERIFY(std::none_of(n.begin(), n.end(), [](const Text &name) { return name.empty(); }));
        QCOMPARE(std::count(n.begin(), n.end(), Text("Floh")), 4);
        QCOMPARE(n[140], Text("Floh"));
        QCOMPARE(n[584], Text("Floh"));
        QVERIFY(std::find(n.begin(), n.end(), Text("Strau\xDF")) != n.end());
        QVERIFY(std::find(n.begin(), n.end(), Text("Tasmanischer Teufel")) != n.end());
        QVERIFY(std::find(n.begin(), n.end(), Text("Orang-Utan")) != n.end());
    }

    void nameLengthsFollowTheTable()
    {
        std::map<std::size_t, int> byLength;
        for (const Text &name : names())
            ++byLength[name.size()];
        const std::map<std::size_t, int> expected{{3, 10}, {4, 34},  {5, 72},  {6, 69},  {7, 54}, {8, 61},
                                                  {9, 65}, {10, 64}, {11, 60}, {12, 36}, {13, 25}, {14, 11},
                                                  {15, 9}, {16, 9},  {17, 4},  {19, 2}};
        QCOMPARE(byLength, expected);
    }

    void drawReachesTheNameAfterTheNextLineFeed_data()
    {
        QTest::addColumn<long>("start");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("first character") << 1L << QByteArray("Aal");
        QTest::newRow("first line feed") << 2L << QByteArray("Aal");
        QTest::newRow("inside Aal") << 3L << QByteArray("Adler");
        QTest::newRow("highest start") << highestStart << QByteArray("Floh");
        QTest::newRow("first of Zwergmaus") << highestStart - 6 << QByteArray("Floh");
        QTest::newRow("line feed before Zwergmaus") << highestStart - 7 << QByteArray("Zwergmaus");
    }
    void drawReachesTheNameAfterTheNextLineFeed()
    {
        QFETCH(long, start);
        QFETCH(QByteArray, name);
        const DrawnName drawn = nameAt(list(), start);
        QCOMPARE(QByteArray::fromStdString(nameText(list(), drawn)), name);
        QCOMPARE(drawn.zaehler, name.size() + 1);
    }

    // Every start position, and from them the chance of each line: the length
    // of the line before it plus its carriage return and line feed.
    void everyNameIsReachedFromTheLineBeforeIt()
    {
        std::vector<long> hits(586, 0);
        long line = 0;
        long lastPosition = 0;
        for (long start = 1; start <= highestStart; ++start) {
            const DrawnName drawn = nameAt(list(), start);
            QVERIFY(drawn.position >= lastPosition);
            if (drawn.position != lastPosition) {
                ++line;
                lastPosition = drawn.position;
            }
            ++hits[static_cast<std::size_t>(line)];
        }
        QCOMPARE(line, 585L);
        const std::vector<Text> all = pieces();
        for (std::size_t k = 1; k < 585; ++k)
            QCOMPARE(hits[k], static_cast<long>(all[k - 1].size()) + 2);
        QCOMPARE(hits[585], 7L);
    }

    void malformedListsStayInsideTheText_data()
    {
        QTest::addColumn<QByteArray>("listText");
        QTest::addColumn<long>("start");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("no line feed") << QByteArray("abc") << 1L << QByteArray();
        QTest::newRow("last character taken for the line end") << QByteArray("\nKuh") << 1L << QByteArray("Ku");
        QTest::newRow("empty") << QByteArray() << 1L << QByteArray();
    }
    void malformedListsStayInsideTheText()
    {
        QFETCH(QByteArray, listText);
        QFETCH(long, start);
        QFETCH(QByteArray, name);
        const Text source = listText.toStdString();
        QCOMPARE(QByteArray::fromStdString(nameText(source, nameAt(source, start))), name);
    }
};

QTEST_GUILESS_MAIN(TestAnimalList)
#include "test_animal_list.moc"
