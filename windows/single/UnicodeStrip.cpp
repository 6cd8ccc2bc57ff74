// Paints only the start of the text that fits the strip, so a text of any length draws as fast as a short one.
#include "windows/single/UnicodeStrip.h"

#include <QFontMetrics>
#include <QPainter>

namespace quillora {

UnicodeStrip::UnicodeStrip(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
}

void UnicodeStrip::drawText(const QString& text)
{
    text_ = text;
    update();
}

QString UnicodeStrip::visiblePart() const
{
    // No glyph is narrower than one pixel, so the width in pixels bounds the characters that can show.
    qsizetype count = qMin<qsizetype>(text_.size(), qMax(width(), 1) + 1);
    if (count < text_.size() && count > 0 && text_.at(count - 1).isHighSurrogate())
        --count;
    QString part = text_.left(count);
    for (QChar& character : part) {
        // The line is drawn as one line: control characters take no line of their own.
        if (character.unicode() < 0x20)
            character = QChar(u' ');
    }
    return part;
}

void UnicodeStrip::paintEvent(QPaintEvent*)
{
    if (text_.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    painter.drawText(QPoint(1, 1 + metrics.ascent()), visiblePart());
}

void DrawUnicodeText(const QString& text, UnicodeStrip& strip)
{
    strip.drawText(text);
}

} // namespace quillora
