// The strip (picture box) that shows a text on one line, and DrawUnicodeText that draws into it.
#pragma once

#include <QString>
#include <QWidget>

namespace quillora {

class UnicodeStrip : public QWidget
{
    Q_OBJECT

public:
    explicit UnicodeStrip(QWidget* parent = nullptr);

    // Clears the strip, then draws text at 1,1 on a single line; line breaks are not laid out.
    void drawText(const QString& text);
    const QString& text() const { return text_; }
    // The part of the text that can be visible at the strip's width.
    QString visiblePart() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

void DrawUnicodeText(const QString& text, UnicodeStrip& strip);

} // namespace quillora
