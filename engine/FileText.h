// A text read from a file: kept as the file's bytes when they are UTF-8 or in an ANSI code page, else as UTF-16; a
// large file's bytes may stay in the file and be read again as they are converted.
#pragma once

#include "engine/AnsiCodePage.h"
#include "engine/WordsToLines.h"

#include <QByteArray>
#include <QString>

namespace quillora {

// What one pass over a file's bytes found.
struct FileScan
{
    qint64 size = 0;
    bool validUtf8 = true;
    bool hasNul = false;
    bool hasNonSpace = false;
};

class FileText
{
public:
    enum class Form
    {
        Utf16,
        Utf8,
        Windows1252,
        Utf8InFile,
        Windows1252InFile,
        // Bytes in an ANSI code page other than Windows-1252.
        Ansi,
        AnsiInFile
    };

    FileText() = default;
    static FileText fromString(QString text);
    // bytes must be valid UTF-8.
    static FileText fromValidUtf8(QByteArray bytes);
    static FileText fromWindows1252(QByteArray bytes);
    static FileText fromAnsi(QByteArray bytes, AnsiCodePage page);
    // The bytes of path from offset on, as scan found them, read as UTF-8 when they are valid UTF-8 and else in
    // page; they are read again when converted.
    static FileText inFile(QString path, qint64 offset, const FileScan& scan,
                           AnsiCodePage page = AnsiCodePage::Western);

    // Throws Failure when a text kept in its file can no longer be read.
    QString toString() const;
    bool isEmpty() const;
    Form form() const { return form_; }
    // True when the text holds the character U+0000.
    bool containsNul() const;
    // True when the text holds no character but spaces, so that it converts to the empty text.
    bool convertsToEmpty() const;
    // The UTF-8 bytes of WordsToLines of the text, handed to sink piece by piece without decoding the text first.
    // Throws Failure when a text kept in its file cannot be read again, or has changed since it was read.
    void wordsToLinesUtf8(const Utf8Sink& sink) const;
    QByteArray wordsToLinesUtf8() const;

private:
    void convertFromFile(const Utf8Sink& sink) const;

    QString text_;
    QByteArray bytes_;
    Form form_ = Form::Utf16;
    QString path_;
    qint64 offset_ = 0;
    FileScan scan_;
    AnsiCodePage page_ = AnsiCodePage::Western;
};

} // namespace quillora
