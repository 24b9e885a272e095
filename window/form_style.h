// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The platform's style with two changes that the form relies on. A push
// button whose palette sets a Button colour of its own shows its face in
// exactly that colour, without the shading that styles lay over it; its frame,
// focus outline and pressed look stay the base style's. A check box's caption
// starts closer to the box, so that the captions fit the form's widths.
class FormStyle final : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
