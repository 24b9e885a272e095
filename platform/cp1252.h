// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

#include <QString>

// The window boundary: the game's Windows-1252 text to and from the window's
// Unicode text. Every one of the 256 codes converts both ways (the five codes
// that Windows-1252 leaves unassigned map to the C1 controls of the same
// number); a character that has no code becomes "?", once per character, also
// for characters outside the Basic Multilingual Plane.
QString fromCp1252(const Text &text);
Text toCp1252(const QString &text);
