// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

class QWidget;

// A base style with three changes that the form relies on:
// - A push button whose palette sets a Button colour of its own shows its
//   face in exactly that colour, without the shading that styles lay over
//   it; its frame and pressed look stay the base style's.
// - A check box's caption starts closer to the box, so that the captions fit
//   the form's widths.
// - The control with the keyboard focus is ringed, whatever its face and the
//   ground around it: two pixels outside it in black or white, whichever
//   stands out more from the ground, and where that colour does not stand out
//   from the face by 3:1, two pixels inside its edge in the one that stands
//   out from the face.
class FormStyle final : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    // Shows the focus ring on the controls of this window.
    void ringFocus(QWidget &window);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
