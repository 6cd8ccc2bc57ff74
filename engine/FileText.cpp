// Converts a file's text straight from the bytes it was read as, or from the file itself piece by piece.
#include "engine/FileText.h"

#include "engine/AnsiWordsToLines.h"
#include "engine/FileBytes.h"
#include "engine/Utf8Check.h"
#include "engine/Windows1252.h"
#include "platform/Failure.h"

#include <QFile>
#include <algorithm>

namespace quillora {

FileText FileText::fromString(QString text)
{
    FileText result;
    result.text_ = std::move(text);
    return result;
}

FileText FileText::fromValidUtf8(QByteArray bytes)
{
    FileText result;
    result.bytes_ = std::move(bytes);
    result.form_ = Form::Utf8;
    return result;
}

FileText FileText::fromWindows1252(QByteArray bytes)
{
    FileText result;
    result.bytes_ = std::move(bytes);
    result.form_ = Form::Windows1252;
    return result;
}

FileText FileText::fromAnsi(QByteArray bytes, AnsiCodePage page)
{
    if (page == AnsiCodePage::Western)
        return fromWindows1252(std::move(bytes));
    FileText result;
    result.bytes_ = std::move(bytes);
    result.form_ = Form::Ansi;
    result.page_ = page;
    return result;
}

FileText FileText::inFile(QString path, qint64 offset, const FileScan& scan, AnsiCodePage page)
{
    FileText result;
    if (scan.validUtf8)
        result.form_ = Form::Utf8InFile;
    else
        result.form_ = page == AnsiCodePage::Western ? Form::Windows1252InFile : Form::AnsiInFile;
    result.page_ = page;
    result.path_ = std::move(path);
    result.offset_ = offset;
    result.scan_ = scan;
    return result;
}

bool FileText::isEmpty() const
{
    switch (form_) {
    case Form::Utf16:
        return text_.isEmpty();
    case Form::Utf8:
    case Form::Windows1252:
    case Form::Ansi:
        return bytes_.isEmpty();
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
    case Form::AnsiInFile:
        break;
    }
    return scan_.size == 0;
}

QString FileText::toString() const
{
    switch (form_) {
    case Form::Utf8:
        return QString::fromUtf8(bytes_);
    case Form::Windows1252:
        return decodeWindows1252(bytes_);
    case Form::Utf8InFile:
        return QString::fromUtf8(readFileBytes(path_, offset_));
    case Form::Windows1252InFile:
        return decodeWindows1252(readFileBytes(path_, offset_));
    case Form::Ansi:
        return decodeAnsi(bytes_, page_);
    case Form::AnsiInFile:
        return decodeAnsi(readFileBytes(path_, offset_), page_);
    case Form::Utf16:
        break;
    }
    return text_;
}

bool FileText::containsNul() const
{
    switch (form_) {
    case Form::Utf16:
        return text_.contains(QChar(u'\0'));
    case Form::Utf8:
    case Form::Windows1252:
    // No code page of ours has a second byte below 0x40, so a byte 00 or 20 is always that character.
    case Form::Ansi:
        return bytes_.contains('\0');
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
    case Form::AnsiInFile:
        break;
    }
    return scan_.hasNul;
}

bool FileText::convertsToEmpty() const
{
    switch (form_) {
    case Form::Utf16:
        return std::all_of(text_.cbegin(), text_.cend(), [](QChar c) { return c == u' '; });
    case Form::Utf8:
    case Form::Windows1252:
    case Form::Ansi:
        return std::all_of(bytes_.cbegin(), bytes_.cend(), [](char c) { return c == ' '; });
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
    case Form::AnsiInFile:
        break;
    }
    return !scan_.hasNonSpace;
}

void FileText::wordsToLinesUtf8(const Utf8Sink& sink) const
{
    switch (form_) {
    case Form::Utf8:
        WordsToLinesUtf8(QByteArrayView(bytes_), sink);
        return;
    case Form::Windows1252:
        WordsToLinesUtf8FromWindows1252(bytes_, sink);
        return;
    case Form::Ansi:
        WordsToLinesUtf8FromAnsi(bytes_, page_, sink);
        return;
    case Form::Utf16:
        WordsToLinesUtf8(QStringView(text_), sink);
        return;
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
    case Form::AnsiInFile:
        convertFromFile(sink);
        return;
    }
}

void FileText::convertFromFile(const Utf8Sink& sink) const
{
    const bool utf8 = form_ == Form::Utf8InFile;
    WordsToLinesStream utf8Lines(false);
    AnsiWordsToLinesStream ansiLines(page_);
    Utf8Validator validator;
    qint64 total = 0;
    forEachFilePiece(path_, offset_, [&](QByteArrayView bytes) {
        total += bytes.size();
        // Bytes that were UTF-8 when the file was read must still be: a file changed meanwhile is not converted.
        if (utf8) {
            validator.feed(bytes);
            if (!validator.validSoFar())
                throw Failure::deviceIo();
        }
        if (utf8)
            utf8Lines.feed(bytes, sink);
        else
            ansiLines.feed(bytes, sink);
        return true;
    });
    if (!utf8)
        ansiLines.finish(sink);
    if (total != scan_.size || (utf8 && !validator.finish().valid))
        throw Failure::deviceIo();
}

QByteArray FileText::wordsToLinesUtf8() const
{
    QByteArray result;
    wordsToLinesUtf8([&result](QByteArrayView bytes) { result.append(bytes); });
    return result;
}

} // namespace quillora
