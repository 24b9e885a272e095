// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/score.h"

#include "game/controls.h"
#include "platform/numbers.h"

namespace score {

void deduct(Controls &controls, double points)
{
    const double shown = numbers::valueOf(controls.text(Field::txtPunkte));
    controls.setText(Field::txtPunkte, numbers::signedText(shown - points));
}

} // namespace score
