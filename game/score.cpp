// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/score.h"

#include "game/controls.h"
#include "platform/numbers.h"

namespace score {

namespace {

constexpr long shortName = 10;

} // namespace

Text forName(const Text &name)
{
    return text::length(name) > shortName ? "7" : "5";
}

void deduct(Controls &controls, double points)
{
    const double shown = numbers::valueOf(controls.text(Field::txtPunkte));
    controls.setText(Field::txtPunkte, numbers::signedText(shown - points));
}

} // namespace score
