// A text read from a file: kept as UTF-8 bytes when the file already was valid UTF-8, else as UTF-16.
#pragma once

#include <QByteArray>
#include <QString>

namespace quillora {

class FileText
{
public:
    FileText() = default;
    static FileText fromString(QString text);
    // bytes must be valid UTF-8.
    static FileText fromValidUtf8(QByteArray bytes);

    QString toString() const;
    bool isEmpty() const { return utf8_ ? bytes_.isEmpty() : text_.isEmpty(); }
    bool isUtf8() const { return utf8_; }

    // The UTF-8 bytes of WordsToLines of the text.
    QByteArray wordsToLinesUtf8() const;

private:
    QString text_;
    QByteArray bytes_;
    bool utf8_ = false;
};

} // namespace quillora
