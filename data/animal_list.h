// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

// The built-in list of animal names in Windows-1252: an empty first line, then
// one name per line, every line ended by a carriage return and line feed.
const Text &builtInAnimalList();
