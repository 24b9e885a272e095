// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Checks the generated pictures in data/: the window shows them unscaled and
// lays the animal name map over the collage, so their formats, sizes and the
// places of the drawings are part of the game, not just decoration.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <vector>

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(WUSELWORT_DATA_DIR "/") + QLatin1String(name);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 u16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

qint32 i32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

bool isWhite(QRgb pixel)
{
    return (pixel & 0xffffff) == 0xffffff;
}

struct Drawing {
    const char *name;
    QRect rect;
};

QRect cols(int x0, int x1, int y0, int y1)
{
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

// Pixel columns and rows (inclusive) of each drawing; the help line's name
// map depends on them.
const std::vector<Drawing> &drawings()
{
    static const std::vector<Drawing> table = {
        {"praying mantis", cols(8, 112, 25, 90)},
        {"duck, left", cols(120, 155, 29, 72)},
        {"duck, right", cols(166, 198, 23, 71)},
        {"lion", cols(226, 326, 48, 140)},
        {"fox", cols(415, 497, 40, 132)},
        {"swordfish", cols(520, 631, 23, 84)},
        {"giraffe", cols(620, 717, 55, 224)},
        {"coiled snake", cols(738, 808, 40, 146)},
        {"mouse", cols(6, 77, 131, 196)},
        {"owl", cols(120, 193, 119, 198)},
        {"flamingo", cols(338, 413, 94, 239)},
        {"toucan", cols(234, 324, 179, 287)},
        {"striped fish", cols(427, 476, 186, 212)},
        {"skunk", cols(526, 609, 118, 209)},
        {"jellyfish", cols(713, 781, 162, 271)},
        {"hen", cols(8, 46, 233, 276)},
        {"chick", cols(56, 67, 264, 275)},
        {"rooster", cols(73, 119, 227, 277)},
        {"rabbit", cols(181, 234, 273, 378)},
        {"ostrich", cols(315, 393, 262, 423)},
        {"warthog", cols(427, 564, 228, 321)},
        {"rhinoceros", cols(574, 714, 253, 329)},
        {"angelfish", cols(723, 790, 298, 363)},
        {"meerkat", cols(3, 64, 321, 449)},
        {"butterfly", cols(85, 149, 334, 406)},
        {"lizard", cols(163, 312, 390, 437)},
        {"elephant", cols(400, 481, 362, 441)},
        {"raccoon", cols(505, 614, 346, 426)},
        {"crab", cols(625, 694, 379, 440)},
        {"spider", cols(713, 807, 384, 457)},
    };
    return table;
}

// The first and last non-white column of a row, or {-1, -1}.
std::pair<int, int> inkSpan(const QImage &image, int row)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (!isWhite(image.pixel(x, row))) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return {first, last};
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void bitmapHeader_data();
    void bitmapHeader();
    void iconFile();
    void iconImages_data();
    void iconImages();
    void collageBackgroundIsWhite();
    void collageIsGrey();
    void drawingFillsItsRectangle_data();
    void drawingFillsItsRectangle();
    void snakeHead();
    void snakeBody();
};

void TestArtwork::bitmapHeader_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("snake") << dataFile("schlange.bmp") << 65 << 590;
    QTest::newRow("collage") << dataFile("tiere.bmp") << 809 << 467;
}

void TestArtwork::bitmapHeader()
{
    QFETCH(QString, file);
    QFETCH(int, width);
    QFETCH(int, height);
    const QByteArray bytes = readAll(file);
    QVERIFY2(bytes.size() >= 54, qPrintable(file));
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(u32(bytes, 2), quint32(bytes.size()));
    QCOMPARE(u32(bytes, 10), 54u); // pixels right after the headers, no palette
    QCOMPARE(u32(bytes, 14), 40u); // BITMAPINFOHEADER
    QCOMPARE(i32(bytes, 18), width);
    QCOMPARE(i32(bytes, 22), height); // positive: bottom-up rows
    QCOMPARE(u16(bytes, 26), 1);
    QCOMPARE(u16(bytes, 28), 24);
    QCOMPARE(u32(bytes, 30), 0u); // BI_RGB, uncompressed
    const int stride = (width * 3 + 3) / 4 * 4;
    QCOMPARE(bytes.size(), 54 + stride * height);

    const QImage image(file);
    QCOMPARE(image.size(), QSize(width, height));
}

void TestArtwork::iconFile()
{
    const QByteArray bytes = readAll(dataFile("smiley.ico"));
    QVERIFY(bytes.size() >= 6 + 2 * 16);
    QCOMPARE(u16(bytes, 0), 0);
    QCOMPARE(u16(bytes, 2), 1); // icon, not cursor
    QCOMPARE(u16(bytes, 4), 2);
    const int sizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        const int entry = 6 + 16 * i;
        QCOMPARE(int(quint8(bytes[entry])), sizes[i]);
        QCOMPARE(int(quint8(bytes[entry + 1])), sizes[i]);
        QCOMPARE(int(quint8(bytes[entry + 2])), 16); // colours
        QCOMPARE(u16(bytes, entry + 6), 4);          // bits per pixel
        const quint32 length = u32(bytes, entry + 8);
        const quint32 offset = u32(bytes, entry + 12);
        QVERIFY(offset + length <= quint32(bytes.size()));
        // The image itself: a BITMAPINFOHEADER with the colour image and the
        // transparency mask stacked, hence twice the height.
        QCOMPARE(u32(bytes, offset), 40u);
        QCOMPARE(i32(bytes, offset + 4), sizes[i]);
        QCOMPARE(i32(bytes, offset + 8), 2 * sizes[i]);
        QCOMPARE(u16(bytes, offset + 14), 4);
        QCOMPARE(u32(bytes, offset + 16), 0u);
    }
}

void TestArtwork::iconImages_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::newRow("32") << 0 << 32;
    QTest::newRow("16") << 1 << 16;
}

void TestArtwork::iconImages()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QImageReader reader(dataFile("smiley.ico"));
    QCOMPARE(reader.imageCount(), 2);
    QVERIFY(reader.jumpToImage(index));
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(size, size));

    const double centre = size / 2.0;
    int yellow = 0;
    int black = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
            const QRgb pixel = image.pixel(x, y);
            if (r > centre + 0.5)
                QVERIFY2(qAlpha(pixel) == 0, qPrintable(QStringLiteral("opaque outside at %1,%2").arg(x).arg(y)));
            else if (r < centre - 1.5)
                QVERIFY2(qAlpha(pixel) == 255, qPrintable(QStringLiteral("hole inside at %1,%2").arg(x).arg(y)));
            if (qAlpha(pixel) == 255 && (pixel & 0xffffff) == 0xffff00)
                ++yellow;
            if (qAlpha(pixel) == 255 && (pixel & 0xffffff) == 0)
                ++black;
        }
    }
    // The face is mostly yellow, with an outline, eyes and mouth in black.
    QVERIFY(yellow > size * size / 3);
    QVERIFY(black > size * 2);
    // Black outline at the edge of the circle, yellow between the eyes.
    QCOMPARE(image.pixel(size / 2, 0) & 0xffffff, 0u);
    QCOMPARE(image.pixel(size / 2, size / 3) & 0xffffff, 0xffff00u);
}

void TestArtwork::collageBackgroundIsWhite()
{
    const QImage image(dataFile("tiere.bmp"));
    QCOMPARE(image.size(), QSize(809, 467));
    int stray = 0;
    QPoint first;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            bool covered = false;
            for (const Drawing &d : drawings())
                covered = covered || d.rect.contains(x, y);
            if (!covered && !isWhite(image.pixel(x, y))) {
                if (stray++ == 0)
                    first = QPoint(x, y);
            }
        }
    }
    QVERIFY2(stray == 0, qPrintable(QStringLiteral("%1 non-white pixels outside the drawings, first at %2,%3")
                                        .arg(stray).arg(first.x()).arg(first.y())));
}

void TestArtwork::collageIsGrey()
{
    const QImage image(dataFile("tiere.bmp"));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                QFAIL(qPrintable(QStringLiteral("coloured pixel at %1,%2").arg(x).arg(y)));
        }
    }
}

void TestArtwork::drawingFillsItsRectangle_data()
{
    QTest::addColumn<QRect>("rect");
    for (const Drawing &d : drawings())
        QTest::newRow(d.name) << d.rect;
}

void TestArtwork::drawingFillsItsRectangle()
{
    QFETCH(QRect, rect);
    const QImage image(dataFile("tiere.bmp"));
    // Smallest rectangle holding the ink inside the drawing's rectangle; a
    // neighbour that overlaps the rectangle may add to it, but never beyond.
    int left = rect.right() + 1, right = -1, top = rect.bottom() + 1, bottom = -1;
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (isWhite(image.pixel(x, y)))
                continue;
            ++ink;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    // A drawing, not a few stray pixels.
    QVERIFY(ink > rect.width() * rect.height() / 10);
    const int slack = 4;
    QVERIFY2(left - rect.left() <= slack, qPrintable(QString::number(left)));
    QVERIFY2(rect.right() - right <= slack, qPrintable(QString::number(right)));
    QVERIFY2(top - rect.top() <= slack, qPrintable(QString::number(top)));
    QVERIFY2(rect.bottom() - bottom <= slack, qPrintable(QString::number(bottom)));
}

void TestArtwork::snakeHead()
{
    const QImage image(dataFile("schlange.bmp"));
    QCOMPARE(image.size(), QSize(65, 590));
    QCOMPARE(inkSpan(image, 0), std::make_pair(-1, -1));
    QCOMPARE(inkSpan(image, 1), std::make_pair(-1, -1));
    QVERIFY(inkSpan(image, 2).first >= 0);

    // The head is nearly as wide as the picture.
    const auto [left, right] = inkSpan(image, 36);
    QVERIFY(left <= 4);
    QVERIFY(right >= 60);

    // Yellow-green skin, white eyes with black pupils, and a pink tongue to
    // the right below the head.
    const QRgb skin = image.pixel(32, 10);
    QVERIFY(qGreen(skin) > qRed(skin) && qRed(skin) > qBlue(skin));
    int white = 0, black = 0, pink = 0;
    for (int y = 15; y < 45; ++y) {
        for (int x = 5; x < 60; ++x) {
            const QRgb p = image.pixel(x, y);
            white += qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240;
            black += qRed(p) < 30 && qGreen(p) < 30 && qBlue(p) < 30;
        }
    }
    for (int y = 60; y < 110; ++y) {
        for (int x = 40; x < 65; ++x) {
            const QRgb p = image.pixel(x, y);
            pink += qRed(p) > 200 && qBlue(p) > qGreen(p) + 20;
        }
    }
    QVERIFY(white > 200);
    QVERIFY(black > 60);
    QVERIFY(pink > 40);
}

void TestArtwork::snakeBody()
{
    const QImage image(dataFile("schlange.bmp"));
    QCOMPARE(inkSpan(image, 589), std::make_pair(46, 59));
    int previousCentre = 0;
    for (int row = 150; row < 590; row += 40) {
        const auto [left, right] = inkSpan(image, row);
        const int width = right - left + 1;
        QVERIFY2(width >= 11 && width <= 16, qPrintable(QStringLiteral("row %1: %2 wide").arg(row).arg(width)));
        const int centre = (left + right) / 2;
        QVERIFY2(centre >= previousCentre, qPrintable(QStringLiteral("row %1 drifts left").arg(row)));
        previousCentre = centre;
    }
}

QTEST_GUILESS_MAIN(TestArtwork)
#include "test_artwork.moc"
