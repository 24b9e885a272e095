// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

// Where the draw lands in the list text: the name that follows the first line
// feed at or after a start position.
struct DrawnName {
    long position = 0;           // first character of the name, counted from 1
    long distanceToLineFeed = 0; // to the line feed that ends the name: its length + 1
};

// The name reached from a start position (1 to length of the list - 10). A
// list that breaks the built-in list's layout never makes it read outside the
// text: a missing line feed counts as standing just past the end.
DrawnName nameAt(const Text &list, long startPosition);

// The name itself: the distanceToLineFeed - 1 characters from its position.
Text nameText(const Text &list, const DrawnName &drawn);
