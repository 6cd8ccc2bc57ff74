// A text read from a file, held in one of the ways a reader leaves it, and what can be asked of it whatever the way.
#pragma once

#include "engine/HeldText.h"
#include "engine/WordsToLines.h"

#include <functional>

namespace quillora {

class FileText
{
public:
    using Outcome = ConversionOutcome;

    FileText() = default;
    explicit FileText(HeldText held)
        : held_(std::move(held))
    { }
    static FileText fromString(QString text);
    // bytes must be valid UTF-8.
    static FileText fromValidUtf8(QByteArray bytes);
    static FileText fromAnsi(QByteArray bytes, AnsiCodePage page);
    // The bytes of path from offset on, as scan found them, read as UTF-8 when they are valid UTF-8 and else in
    // page; they are read again when converted.
    static FileText inFile(QString path, qint64 offset, const FileScan& scan,
                           AnsiCodePage page = AnsiCodePage::Western);

    const HeldText& held() const { return held_; }
    bool isEmpty() const;
    // Throws Failure when a text kept in its file can no longer be read.
    QString toString() const;
    // True when the text holds the character U+0000; a text in an open file is read for the answer.
    bool readFindsNul() const;
    // True when the text holds no character but spaces, so that it converts to the empty text; a text in an open
    // file is read for the answer.
    bool readFindsOnlySpaces() const;
    // The UTF-8 bytes of WordsToLines of the text, handed to sink piece by piece without decoding the text first.
    // Throws Failure when a text kept in its file cannot be read again, or has changed since it was read.
    void wordsToLinesUtf8(const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf) const;
    QByteArray wordsToLinesUtf8() const;
    // The same, ending early for a text in an open file whose encoding is settled on the way and that turns out
    // not to be text. restart is called before sink gets the result of a second reading, which replaces all it got
    // before. Throws Failure when the file cannot be read or its size changes while it is read.
    Outcome wordsToLinesUtf8UnlessNotText(const Utf8Sink& sink, const std::function<void()>& restart,
                                          LineBreak lineBreak = LineBreak::CrLf) const;

private:
    HeldText held_;
};

} // namespace quillora
