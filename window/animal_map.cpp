// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/animal_map.h"

#include <array>
#include <initializer_list>
#include <limits>

namespace {

struct Row {
    float top;
    float bottom;
    const char16_t *name;
};

// A point on a bound belongs to neither side of it, except in the left-most
// strip: there each row begins where the one above ends, and the first
// reaches up to the top.
struct Strip {
    float left;
    float right;
    bool stacked;
    std::initializer_list<Row> rows;
};

constexpr float fromTheTop = -std::numeric_limits<float>::infinity();

constexpr std::initializer_list<Row> chickens = {
    {3000, 4000, u"Hahn"},
    {5000, 6000, u"Schmetterling"},
};

const std::array<Strip, 12> strips{{
    {0,
     800,
     true,
     {{fromTheTop, 1800, u"Gottesanbeterin"},
      {1800, 3000, u"Maus"},
      {3000, 4000, u"Henne"},
      {4000, 7000, u"Erdmännchen"}}},
    {1000, 2000, false, chickens},
    {2000, 2500, false, chickens},
    {2500,
     4000,
     false,
     {{400, 1300, u"Ente"}, {2000, 3000, u"Eule"}, {4000, 5500, u"Kaninchen"}, {6000, 7000, u"Leguan"}}},
    {4000, 4500, false, {{800, 2000, u"Löwe"}, {2700, 4400, u"Tukan"}, {6000, 7000, u"Leguan"}}},
    {5000, 6000, false, {{1500, 3500, u"Flamingo"}, {4000, 7000, u"Strauß"}}},
    {6000,
     7000,
     false,
     {{400, 1300, u"Fuchs"},
      {2000, 3000, u"Fisch"},
      {3500, 5500, u"Warzenschwein"},
      {5500, 7000, u"Elefant"}}},
    {7000, 8000, false, {{3500, 4500, u"Warzenschwein"}, {4500, 7000, u"Waschbär"}}},
    {8000,
     9000,
     false,
     {{400, 1300, u"Schwertfisch"},
      {2000, 3000, u"Stinktier"},
      {3500, 4500, u"Warzenschwein"},
      {4500, 7000, u"Waschbär"}}},
    {9000, 9500, false, {{3500, 4500, u"Nashorn"}, {4500, 7000, u"Krebs"}}},
    {9500, 11000, false, {{400, 3000, u"Giraffe"}, {3500, 4500, u"Nashorn"}, {4500, 7000, u"Krebs"}}},
    {11000,
     12000,
     false,
     {{400, 2000, u"Schlange"}, {2000, 4000, u"Qualle"}, {4500, 5500, u"Skalar"}, {5500, 7000, u"Spinne"}}},
}};

bool inside(const Row &row, bool stacked, float y)
{
    return stacked ? y >= row.top && y < row.bottom : y > row.top && y < row.bottom;
}

} // namespace

QString animalAt(float x, float y)
{
    for (const Strip &strip : strips) {
        if (!(x > strip.left && x < strip.right))
            continue;
        for (const Row &row : strip.rows)
            if (inside(row, strip.stacked, y))
                return QString::fromUtf16(row.name);
        break;
    }
    return everyAnimal;
}
