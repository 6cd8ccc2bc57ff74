// The focus frame is drawn over what Fusion draws, so the controls keep their look apart from it.
#include "ui/FocusFrameStyle.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace quillora {

namespace {

constexpr qreal frameWidth = 2;

// Relative luminance of an sRGB colour, as the Web Content Accessibility Guidelines define it.
qreal luminance(const QColor& colour)
{
    const auto linear
        = [](qreal channel) { return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

qreal contrast(const QColor& a, const QColor& b)
{
    const qreal first = luminance(a);
    const qreal second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Black or white, whichever stands out more: a palette colour such as the highlight may reach 3:1 against the face
// and still not against the control's darker outline, which the frame covers too.
QColor frameColour(const QColor& face)
{
    return contrast(Qt::black, face) >= contrast(Qt::white, face) ? QColor(Qt::black) : QColor(Qt::white);
}

void drawFrame(QPainter* painter, const QRectF& outer, const QColor& colour)
{
    const QRectF inner = outer.adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(QRectF(outer.left(), outer.top(), outer.width(), frameWidth), colour);
    painter->fillRect(QRectF(outer.left(), inner.bottom(), outer.width(), frameWidth), colour);
    painter->fillRect(QRectF(outer.left(), inner.top(), frameWidth, inner.height()), colour);
    painter->fillRect(QRectF(inner.right(), inner.top(), frameWidth, inner.height()), colour);
    painter->restore();
}

bool focused(const QStyleOption* option)
{
    return (option->state & QStyle::State_HasFocus) && (option->state & QStyle::State_Enabled);
}

// The frame on the control's edge, against the colour that fills the control there.
void drawFocusFrame(QPainter* painter, const QStyleOption* option, QPalette::ColorRole face, qreal inset = 0)
{
    const QPalette& palette = option->palette;
    drawFrame(painter, QRectF(option->rect).adjusted(inset, inset, -inset, -inset), frameColour(palette.color(face)));
}

} // namespace

FocusFrameStyle::FocusFrameStyle(QStyle* base)
    : QProxyStyle(base ? base : QStyleFactory::create(QStringLiteral("Fusion")))
{ }

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!focused(option))
        return;
    switch (element) {
    case CE_PushButton:
        // Inside the button's outline, on its face.
        drawFocusFrame(painter, option, QPalette::Button, frameWidth);
        break;
    case CE_RadioButton:
        drawFocusFrame(painter, option, QPalette::Window);
        break;
    case CE_ShapedFrame:
        if (qobject_cast<const QAbstractScrollArea*>(widget))
            drawFocusFrame(painter, option, QPalette::Base);
        break;
    default:
        break;
    }
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit && focused(option))
        drawFocusFrame(painter, option, QPalette::Base);
}

int FocusFrameStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    // A list or text box shows its frame only around its contents: the frame must be wide enough for the focus.
    if (metric == PM_DefaultFrameWidth && qobject_cast<const QAbstractScrollArea*>(widget))
        return std::max(value, int(frameWidth));
    return value;
}

} // namespace quillora
