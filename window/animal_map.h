// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The sentence the help line shows over the animal picture.
inline const QString everyAnimal = QStringLiteral("Diese und weitere Tiere kommen vor!");

// The name of the animal drawn at a point of the picture, given in twips
// from its top-left corner (15 per pixel); everyAnimal where none is.
QString animalAt(float x, float y);
