// A text read from a file: kept as the file's bytes when they are UTF-8 or Windows-1252, else as UTF-16.
#pragma once

#include "engine/WordsToLines.h"

#include <QByteArray>
#include <QString>

namespace quillora {

class FileText
{
public:
    enum class Form
    {
        Utf16,
        Utf8,
        Windows1252
    };

    FileText() = default;
    static FileText fromString(QString text);
    // bytes must be valid UTF-8.
    static FileText fromValidUtf8(QByteArray bytes);
    static FileText fromWindows1252(QByteArray bytes);

    QString toString() const;
    bool isEmpty() const { return form_ == Form::Utf16 ? text_.isEmpty() : bytes_.isEmpty(); }
    Form form() const { return form_; }
    // True when the text holds the character U+0000.
    bool containsNul() const;

    // True when the text holds no character but spaces, so that it converts to the empty text.
    bool convertsToEmpty() const;
    // The UTF-8 bytes of WordsToLines of the text, handed to sink piece by piece without decoding the text first.
    void wordsToLinesUtf8(const Utf8Sink& sink) const;
    QByteArray wordsToLinesUtf8() const;

private:
    QString text_;
    QByteArray bytes_;
    Form form_ = Form::Utf16;
};

} // namespace quillora
