// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window shows the pictures unscaled and lays the animal name map over
// the collage, so their formats, sizes and the places of the drawings are part
// of the game.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(WUSELWORT_DATA_DIR "/") + QLatin1String(name);
}

QByteArray bytesOf(const char *name)
{
    QFile file(dataFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 le(const QByteArray &bytes, int at, int size)
{
    return size == 2 ? qFromLittleEndian<quint16>(bytes.constData() + at)
                     : qFromLittleEndian<quint32>(bytes.constData() + at);
}

bool isWhite(QRgb pixel)
{
    return (pixel & 0xffffff) == 0xffffff;
}

// Each drawing's smallest enclosing rectangle, in pixel columns and rows, both ends included.
const QList<QRect> drawings = {
    QRect(QPoint(8, 25), QPoint(112, 90)),     QRect(QPoint(120, 29), QPoint(155, 72)),
    QRect(QPoint(166, 23), QPoint(198, 71)),   QRect(QPoint(226, 48), QPoint(326, 140)),
    QRect(QPoint(415, 40), QPoint(497, 132)),  QRect(QPoint(520, 23), QPoint(631, 84)),
    QRect(QPoint(620, 55), QPoint(717, 224)),  QRect(QPoint(738, 40), QPoint(808, 146)),
    QRect(QPoint(6, 131), QPoint(77, 196)),    QRect(QPoint(120, 119), QPoint(193, 198)),
    QRect(QPoint(338, 94), QPoint(413, 239)),  QRect(QPoint(234, 179), QPoint(324, 287)),
    QRect(QPoint(427, 186), QPoint(476, 212)), QRect(QPoint(526, 118), QPoint(609, 209)),
    QRect(QPoint(713, 162), QPoint(781, 271)), QRect(QPoint(8, 233), QPoint(46, 276)),
    QRect(QPoint(56, 264), QPoint(67, 275)),   QRect(QPoint(73, 227), QPoint(119, 277)),
    QRect(QPoint(181, 273), QPoint(234, 378)), QRect(QPoint(315, 262), QPoint(393, 423)),
    QRect(QPoint(427, 228), QPoint(564, 321)), QRect(QPoint(574, 253), QPoint(714, 329)),
    QRect(QPoint(723, 298), QPoint(790, 363)), QRect(QPoint(3, 321), QPoint(64, 449)),
    QRect(QPoint(85, 334), QPoint(149, 406)),  QRect(QPoint(163, 390), QPoint(312, 437)),
    QRect(QPoint(400, 362), QPoint(481, 441)), QRect(QPoint(505, 346), QPoint(614, 426)),
    QRect(QPoint(625, 379), QPoint(694, 440)), QRect(QPoint(713, 384), QPoint(807, 457)),
};

// First and last non-white column of a row, or -1 and -1.
std::pair<int, int> inkSpan(const QImage &image, int row)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (!isWhite(image.pixel(x, row)))
            last = x, first = first < 0 ? x : first;
    return {first, last};
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void bitmapsAreUncompressed24Bit_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("snake") << QByteArray("schlange.bmp") << QSize(65, 590);
        QTest::newRow("collage") << QByteArray("tiere.bmp") << QSize(809, 467);
    }
    void bitmapsAreUncompressed24Bit()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        const QByteArray bytes = bytesOf(file.constData());
        QVERIFY(bytes.startsWith("BM") && bytes.size() > 54);
        QCOMPARE(le(bytes, 28, 2), 24u);
        QCOMPARE(le(bytes, 30, 4), 0u);
        QCOMPARE(bytes.size(), 54 + (size.width() * 3 + 3) / 4 * 4 * size.height());
        QCOMPARE(QImage(dataFile(file.constData())).size(), size);
    }

    void iconHoldsTwo16ColourSmileys()
    {
        const QByteArray bytes = bytesOf("smiley.ico");
        QImageReader reader(dataFile("smiley.ico"));
        QCOMPARE(reader.imageCount(), 2);
        for (const int size : {32, 16}) {
            const int entry = 6 + (size == 32 ? 0 : 16);
            QCOMPARE(int(uchar(bytes[entry])), size);
            QCOMPARE(int(uchar(bytes[entry + 2])), 16);
            QVERIFY(reader.jumpToImage(size == 32 ? 0 : 1));
            const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(image.pixel(size / 2, 0), qRgb(0, 0, 0));
            QCOMPARE(image.pixel(size / 2, size / 3), qRgb(255, 255, 0));
        }
    }

    void collageIsGreyOnWhiteInsideTheRectangles()
    {
        const QImage image(dataFile("tiere.bmp"));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
                const auto holds = [x, y](const QRect &r) { return r.contains(x, y); };
                if (!isWhite(p) && std::none_of(drawings.begin(), drawings.end(), holds))
                    QFAIL(qPrintable(QStringLiteral("stray ink at %1,%2").arg(x).arg(y)));
            }
    }

    void everyDrawingFillsItsRectangle()
    {
        const QImage image(dataFile("tiere.bmp"));
        constexpr int slack = 4;
        for (const QRect &r : drawings) {
            QRect ink;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (!isWhite(image.pixel(x, y)))
                        ink |= QRect(x, y, 1, 1);
            QVERIFY2(ink.adjusted(-slack, -slack, slack, slack).contains(r), qPrintable(QDebug::toString(r)));
        }
    }

    void snakeHeadsTheTopAndEndsAtTheBottomRight()
    {
        const QImage image(dataFile("schlange.bmp"));
        QCOMPARE(inkSpan(image, 1), std::make_pair(-1, -1));
        QVERIFY(inkSpan(image, 2).first >= 0);
        const auto [left, right] = inkSpan(image, 36);
        QVERIFY(left <= 4 && right >= 60);
        QCOMPARE(inkSpan(image, 589), std::make_pair(46, 59));
        const QRgb skin = image.pixel(32, 10);
        QVERIFY(qGreen(skin) > qRed(skin) && qRed(skin) > qBlue(skin));
    }
};

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
