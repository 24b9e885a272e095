// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/animal_map.h"

#include <QTest>

class TestAnimalMap : public QObject {
    Q_OBJECT

private slots:
    void namesTheAnimalUnderThePointer_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<QString>("name");
        const QString none = QStringLiteral("Diese und weitere Tiere kommen vor!");
        const auto row = [](QPointF point, const QString &name) {
            QTest::addRow("%g, %g", point.x(), point.y()) << float(point.x()) << float(point.y()) << name;
        };
        // Every animal in the middle of its ranges, and next to the bounds that a
        // range includes: the lower bounds of the first column's cascade.
        const std::pair<QPointF, const char *> animals[] = {
            {{400, 900}, "Gottesanbeterin"}, {{400, 1800}, "Maus"},           {{400, 3000}, "Henne"},
            {{400, 5500}, "Erdmännchen"},    {{1500, 3500}, "Hahn"},          {{2100, 3500}, "Hahn"},
            {{1500, 5500}, "Schmetterling"}, {{3200, 850}, "Ente"},           {{3200, 2500}, "Eule"},
            {{3200, 4750}, "Kaninchen"},     {{3200, 6500}, "Leguan"},        {{4100, 6500}, "Leguan"},
            {{4250, 1400}, "Löwe"},          {{4250, 3550}, "Tukan"},         {{5500, 2500}, "Flamingo"},
            {{5500, 5500}, "Strauß"},        {{6500, 850}, "Fuchs"},          {{6500, 2500}, "Fisch"},
            {{6500, 4500}, "Warzenschwein"}, {{7500, 3600}, "Warzenschwein"}, {{8100, 4400}, "Warzenschwein"},
            {{6500, 6250}, "Elefant"},       {{7500, 5750}, "Waschbär"},      {{8900, 4600}, "Waschbär"},
            {{8500, 850}, "Schwertfisch"},   {{8500, 2500}, "Stinktier"},     {{9250, 4000}, "Nashorn"},
            {{9600, 4000}, "Nashorn"},       {{9250, 5750}, "Krebs"},         {{9600, 6900}, "Krebs"},
            {{10250, 1700}, "Giraffe"},      {{11500, 1200}, "Schlange"},     {{11500, 3000}, "Qualle"},
            {{11500, 5000}, "Skalar"},       {{11500, 6250}, "Spinne"},
        };
        for (const auto &[point, name] : animals)
            row(point, QString::fromUtf8(name));
        // Every other bound excludes its own value, with animals on both sides,
        // and the gaps between ranges belong to no animal.
        for (const QPointF &point :
             {QPointF(0, 900), QPointF(4500, 6500), QPointF(6000, 5000), QPointF(9000, 4000),
              QPointF(12000, 3800), QPointF(7500, 4500), QPointF(11500, 4500), QPointF(6500, 3000),
              QPointF(9250, 4500), QPointF(1500, 3000), QPointF(2100, 3000), QPointF(8500, 4500),
              QPointF(3200, 3000), QPointF(8500, 3000), QPointF(10250, 3000), QPointF(10250, 4500),
              QPointF(1500, 6000), QPointF(3200, 6000), QPointF(4250, 2700), QPointF(5500, 1500),
              // Met only between whole pixels, as at the browser's fractional scales.
              QPointF(4250, 2000), QPointF(11500, 2000)})
            row(point, none);
    }

    void namesTheAnimalUnderThePointer()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(QString, name);
        QCOMPARE(animalAt(x, y), name);
    }
};

QTEST_GUILESS_MAIN(TestAnimalMap)
#include "test_animal_map.moc"
