// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form_style.h"

#include <QApplication>
#include <QFocusFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace {

// Pixels between a check box and its caption.
constexpr int checkBoxCaptionGap = 4;
// Width of each band of the focus ring.
constexpr int ringBand = 2;
// What the ring needs against what it meets.
constexpr double ringContrast = 3.0;

double luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor &one, const QColor &other)
{
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Black or white, whichever stands out more from the colour.
QColor standingOutFrom(const QColor &colour)
{
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(black, colour) >= contrast(white, colour) ? black : white;
}

// The colour a control stands on: its container's, which a container that
// paints no ground of its own takes over from the one around it.
QColor groundOf(const QWidget &control)
{
    const QWidget &container = *control.parentWidget();
    return container.palette().color(container.backgroundRole());
}

QColor faceOf(const QWidget &control)
{
    if (qobject_cast<const QPushButton *>(&control))
        return control.palette().color(QPalette::Button);
    if (qobject_cast<const QLineEdit *>(&control))
        return control.palette().color(QPalette::Base);
    return groundOf(control);
}

void fillBand(QPainter &painter, const QRect &outer, const QRect &inner, const QColor &colour)
{
    painter.setClipRegion(QRegion(outer).subtracted(QRegion(inner)));
    painter.fillRect(outer, colour);
}

template <typename Option>
bool drawnWithoutFocus(const FormStyle &style, QStyle::PrimitiveElement element, const QStyleOption *option,
                       QPainter *painter, const QWidget *widget)
{
    const auto *typed = qstyleoption_cast<const Option *>(option);
    if (typed == nullptr)
        return false;
    Option unfocused = *typed;
    unfocused.state &= ~QStyle::State_HasFocus;
    style.drawPrimitive(element, &unfocused, painter, widget);
    return true;
}

} // namespace

void FormStyle::ringFocus(QWidget &window)
{
    auto *ring = new QFocusFrame(&window);
    ring->setStyle(this);
    connect(qApp, &QApplication::focusChanged, ring, [ring, &window](QWidget *, QWidget *focused) {
        ring->setWidget(focused != nullptr && focused->window() == &window ? focused : nullptr);
    });
}

void FormStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    // The ring shows the keyboard focus; the base style's own marks would
    // only stand between it and the face.
    if (element == PE_FrameFocusRect)
        return;
    if ((option->state & State_HasFocus) != 0 &&
        (drawnWithoutFocus<QStyleOptionButton>(*this, element, option, painter, widget) ||
         drawnWithoutFocus<QStyleOptionFrame>(*this, element, option, painter, widget)))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const bool pressed = (option->state & (State_Sunken | State_On)) != 0;
    if (element != PE_PanelButtonCommand || pressed ||
        !option->palette.isBrushSet(option->palette.currentColorGroup(), QPalette::Button))
        return;
    const int frame = pixelMetric(PM_DefaultFrameWidth, option, widget);
    painter->fillRect(option->rect.adjusted(frame, frame, -frame, -frame), option->palette.button());
}

void FormStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                            const QWidget *widget) const
{
    const auto *ring = qobject_cast<const QFocusFrame *>(widget);
    if (element != CE_FocusFrame || ring == nullptr || ring->widget() == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QWidget &control = *ring->widget();
    const QColor outside = standingOutFrom(groundOf(control));
    const QRect around = option->rect;
    const QRect edge = around.adjusted(ringBand, ringBand, -ringBand, -ringBand);
    const QRect inside = edge.adjusted(ringBand, ringBand, -ringBand, -ringBand);
    fillBand(*painter, around, edge, outside);
    const QColor face = faceOf(control);
    if (contrast(outside, face) < ringContrast)
        fillBand(*painter, edge, inside, standingOutFrom(face));
}

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_CheckBoxLabelSpacing: return checkBoxCaptionGap;
    case PM_FocusFrameHMargin:
    case PM_FocusFrameVMargin: return ringBand;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int FormStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_FocusFrame_AboveWidget: return 1;
    case SH_FocusFrame_Mask: return 0;
    default: return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

#include "moc_form_style.cpp"
