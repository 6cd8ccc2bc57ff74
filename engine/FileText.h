// A text read from a file: kept as the file's bytes when they are UTF-8 or in an ANSI code page, else as UTF-16; a
// large file's bytes may stay in the file and be read again as they are converted.
#pragma once

#include "engine/AnsiCodePage.h"
#include "engine/LineBreak.h"
#include "engine/WordsToLines.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QFile;

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
        AnsiInFile,
        // Bytes of an open file whose reading is settled while they are converted.
        SettledWhileConverted,
        // UTF-16 bytes of an open file, read as they are converted.
        Utf16WhileConverted
    };

    // How the conversion of a text settled while converted ended.
    enum class Settled
    {
        Converted,
        // A text without a mark held a NUL byte: it is not text, and what the sink got is to be thrown away.
        NotText
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

    // The bytes of file from offset on, size bytes when read, read in one pass as they are converted: as UTF-8 when
    // they are valid UTF-8; else, after a UTF-8 mark, decoded as UTF-8 with replacement characters, and without a
    // mark in page.
    static FileText settledWhileConverted(std::shared_ptr<QFile> file, qint64 offset, qint64 size, bool afterUtf8Mark,
                                          AnsiCodePage page = AnsiCodePage::Western);

    // The UTF-16 bytes of file from offset on, size bytes when read, in the byte order bigEndian names, read as they
    // are converted.
    static FileText utf16WhileConverted(std::shared_ptr<QFile> file, qint64 offset, qint64 size, bool bigEndian);

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
    void wordsToLinesUtf8(const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf) const;
    QByteArray wordsToLinesUtf8() const;
    // The same, for a text of any form, ending early for a text settled while converted that turns out not to be
    // text. restart is called before sink gets the result of a second reading, which replaces all it got before.
    // Throws Failure when the file cannot be read or its size changes while it is read.
    Settled wordsToLinesUtf8Settling(const Utf8Sink& sink, const std::function<void()>& restart,
                                     LineBreak lineBreak = LineBreak::CrLf) const;

private:
    static FileText inOpenFile(Form form, std::shared_ptr<QFile> file, qint64 offset, qint64 size);
    void convertFromFile(const Utf8Sink& sink, LineBreak lineBreak) const;
    // The bytes of an open file from offset on, read whole; throws Failure when their size has changed.
    QByteArray openFileBytes() const;
    // The text of a text settled while converted, read whole.
    FileText settledWhole() const;
    void convertUtf16FromFile(const Utf8Sink& sink, LineBreak lineBreak) const;
    bool convertsAsUtf8(const Utf8Sink& sink, LineBreak lineBreak, bool& notText) const;
    Settled convertAfterUtf8Failed(const Utf8Sink& sink, LineBreak lineBreak) const;

    QString text_;
    QByteArray bytes_;
    Form form_ = Form::Utf16;
    QString path_;
    qint64 offset_ = 0;
    FileScan scan_;
    AnsiCodePage page_ = AnsiCodePage::Western;
    std::shared_ptr<QFile> file_;
    bool afterUtf8Mark_ = false;
    bool bigEndian_ = false;
};

} // namespace quillora
