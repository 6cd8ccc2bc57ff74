// The program's widget style: Fusion, with a keyboard focus frame that is easy to see.
#pragma once

#include <QProxyStyle>

namespace quillora {

// Draws a solid frame two pixels wide on the focused push button, radio button, text box and list, in black or white,
// whichever stands out more against the control's face.
class FocusFrameStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Wraps the given style, or Fusion when none is given; takes ownership of it.
    explicit FocusFrameStyle(QStyle* base = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace quillora
