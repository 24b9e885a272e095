// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form_style.h"

#include <QPainter>
#include <QStyleOption>

namespace {

// Pixels between a check box and its caption.
constexpr int checkBoxCaptionGap = 4;

} // namespace

void FormStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const bool pressed = (option->state & (State_Sunken | State_On)) != 0;
    if (element != PE_PanelButtonCommand || pressed ||
        !option->palette.isBrushSet(option->palette.currentColorGroup(), QPalette::Button))
        return;
    const int frame = pixelMetric(PM_DefaultFrameWidth, option, widget);
    painter->fillRect(option->rect.adjusted(frame, frame, -frame, -frame), option->palette.button());
}

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_CheckBoxLabelSpacing)
        return checkBoxCaptionGap;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
