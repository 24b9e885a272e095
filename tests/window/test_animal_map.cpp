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
        const QString none = everyAnimal;
        QTest::newRow("mantis up to the top") << 400.f << 0.f << QStringLiteral("Gottesanbeterin");
        QTest::newRow("left strip includes its lower bound") << 400.f << 1800.f << QStringLiteral("Maus");
        QTest::newRow("hen") << 400.f << 3000.f << QStringLiteral("Henne");
        QTest::newRow("meerkat from 4000") << 400.f << 4000.f << QStringLiteral("Erdmännchen");
        QTest::newRow("below the meerkat") << 400.f << 7000.f << none;
        QTest::newRow("rooster's centre") << 1440.f << 3780.f << QStringLiteral("Hahn");
        QTest::newRow("rooster right of 2000") << 2200.f << 3500.f << QStringLiteral("Hahn");
        QTest::newRow("butterfly") << 1500.f << 5500.f << QStringLiteral("Schmetterling");
        QTest::newRow("x 2000 belongs to no strip") << 2000.f << 3500.f << none;
        QTest::newRow("duck") << 3000.f << 800.f << QStringLiteral("Ente");
        QTest::newRow("lizard in two strips") << 3000.f << 6500.f << QStringLiteral("Leguan");
        QTest::newRow("lizard, second strip") << 4200.f << 6500.f << QStringLiteral("Leguan");
        QTest::newRow("lion") << 4200.f << 1000.f << QStringLiteral("Löwe");
        QTest::newRow("toucan") << 4200.f << 3000.f << QStringLiteral("Tukan");
        QTest::newRow("ostrich") << 5500.f << 5000.f << QStringLiteral("Strauß");
        QTest::newRow("warthog, tall range") << 6500.f << 3600.f << QStringLiteral("Warzenschwein");
        QTest::newRow("6000-strip y 5500 between rows") << 6500.f << 5500.f << none;
        QTest::newRow("elephant") << 6500.f << 6000.f << QStringLiteral("Elefant");
        QTest::newRow("7000-strip y 4500 between rows") << 7500.f << 4500.f << none;
        QTest::newRow("raccoon") << 8500.f << 5000.f << QStringLiteral("Waschbär");
        QTest::newRow("swordfish") << 8500.f << 800.f << QStringLiteral("Schwertfisch");
        QTest::newRow("skunk") << 8500.f << 2500.f << QStringLiteral("Stinktier");
        QTest::newRow("rhinoceros") << 9200.f << 4000.f << QStringLiteral("Nashorn");
        QTest::newRow("crab") << 10000.f << 5000.f << QStringLiteral("Krebs");
        QTest::newRow("giraffe") << 10000.f << 1000.f << QStringLiteral("Giraffe");
        QTest::newRow("snake") << 11500.f << 1000.f << QStringLiteral("Schlange");
        QTest::newRow("jellyfish") << 11500.f << 3000.f << QStringLiteral("Qualle");
        QTest::newRow("angelfish") << 11500.f << 5000.f << QStringLiteral("Skalar");
        QTest::newRow("spider") << 11500.f << 6000.f << QStringLiteral("Spinne");
        QTest::newRow("flamingo") << 5500.f << 2000.f << QStringLiteral("Flamingo");
        QTest::newRow("fish") << 6500.f << 2500.f << QStringLiteral("Fisch");
        QTest::newRow("fox") << 6500.f << 1000.f << QStringLiteral("Fuchs");
        QTest::newRow("owl") << 3000.f << 2500.f << QStringLiteral("Eule");
        QTest::newRow("rabbit") << 3000.f << 5000.f << QStringLiteral("Kaninchen");
        QTest::newRow("chick between hen and rooster") << 900.f << 3700.f << none;
        for (const float x : {0.f, 800.f, 1000.f, 2500.f, 4000.f, 4500.f, 4700.f, 5000.f, 6000.f, 7000.f,
                              8000.f, 9000.f, 9500.f, 11000.f, 12000.f, 12100.f})
            QTest::addRow("x %g is no animal's", double(x)) << x << 3800.f << none;
        QTest::newRow("open upper bound") << 11500.f << 7000.f << none;
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
