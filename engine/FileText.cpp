// Converts a file's text straight from the bytes it was read as, or from the file itself piece by piece.
#include "engine/FileText.h"

#include "engine/AnsiWordsToLines.h"
#include "engine/FileBytes.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Utf8Check.h"
#include "engine/Windows1252.h"
#include "engine/WriteBehind.h"
#include "platform/Failure.h"

#include <QFile>
#include <algorithm>
#include <cstring>

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

FileText FileText::inOpenFile(Form form, std::shared_ptr<QFile> file, qint64 offset, qint64 size)
{
    FileText result;
    result.form_ = form;
    result.file_ = std::move(file);
    result.offset_ = offset;
    result.scan_.size = size;
    return result;
}

FileText FileText::settledWhileConverted(std::shared_ptr<QFile> file, qint64 offset, qint64 size, bool afterUtf8Mark,
                                         AnsiCodePage page)
{
    FileText result = inOpenFile(Form::SettledWhileConverted, std::move(file), offset, size);
    result.afterUtf8Mark_ = afterUtf8Mark;
    result.page_ = page;
    return result;
}

FileText FileText::utf16WhileConverted(std::shared_ptr<QFile> file, qint64 offset, qint64 size, bool bigEndian)
{
    FileText result = inOpenFile(Form::Utf16WhileConverted, std::move(file), offset, size);
    result.bigEndian_ = bigEndian;
    return result;
}

QByteArray FileText::openFileBytes() const
{
    QByteArray bytes;
    forEachFilePiece(*file_, offset_, [&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    if (bytes.size() != scan_.size)
        throw Failure::deviceIo();
    return bytes;
}

FileText FileText::settledWhole() const
{
    QByteArray bytes = openFileBytes();
    if (checkUtf8(bytes).valid)
        return fromValidUtf8(std::move(bytes));
    if (afterUtf8Mark_)
        return fromString(decodeUtf8(bytes));
    return fromAnsi(std::move(bytes), page_);
}

bool FileText::isEmpty() const
{
    switch (form_) {
    case Form::SettledWhileConverted:
    case Form::Utf16WhileConverted:
        return scan_.size == 0;
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
    case Form::SettledWhileConverted:
        return settledWhole().toString();
    case Form::Utf16WhileConverted:
        return decodeUtf16(openFileBytes(), bigEndian_);
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
    case Form::SettledWhileConverted: {
        bool found = false;
        forEachFilePiece(*file_, offset_, [&found](QByteArrayView bytes) {
            found = std::memchr(bytes.data(), 0, size_t(bytes.size())) != nullptr;
            return !found;
        });
        return found;
    }
    case Form::Utf16WhileConverted:
        return toString().contains(QChar(u'\0'));
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
    case Form::SettledWhileConverted:
        return settledWhole().convertsToEmpty();
    case Form::Utf16WhileConverted:
        return fromString(toString()).convertsToEmpty();
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

void FileText::wordsToLinesUtf8(const Utf8Sink& sink, LineBreak lineBreak) const
{
    switch (form_) {
    case Form::SettledWhileConverted:
        settledWhole().wordsToLinesUtf8(sink, lineBreak);
        return;
    case Form::Utf16WhileConverted:
        convertUtf16FromFile(sink, lineBreak);
        return;
    case Form::Utf8:
        WordsToLinesUtf8(QByteArrayView(bytes_), sink, lineBreak);
        return;
    case Form::Windows1252:
        WordsToLinesUtf8FromWindows1252(bytes_, sink, lineBreak);
        return;
    case Form::Ansi:
        WordsToLinesUtf8FromAnsi(bytes_, page_, sink, lineBreak);
        return;
    case Form::Utf16:
        WordsToLinesUtf8(QStringView(text_), sink, lineBreak);
        return;
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
    case Form::AnsiInFile:
        convertFromFile(sink, lineBreak);
        return;
    }
}

void FileText::convertFromFile(const Utf8Sink& sink, LineBreak lineBreak) const
{
    const bool utf8 = form_ == Form::Utf8InFile;
    WordsToLinesStream utf8Lines(false, lineBreak);
    AnsiWordsToLinesStream ansiLines(page_, lineBreak);
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

void FileText::convertUtf16FromFile(const Utf8Sink& sink, LineBreak lineBreak) const
{
    Utf16WordsToLinesStream lines(bigEndian_, lineBreak);
    WriteBehind behind(sink, scan_.size);
    qint64 total = 0;
    forEachFilePiece(*file_, offset_, [&](QByteArrayView bytes) {
        total += bytes.size();
        lines.feed(bytes, behind.sink());
        return true;
    });
    lines.finish(behind.sink());
    behind.finish();
    if (total != scan_.size)
        throw Failure::deviceIo();
}

FileText::Settled FileText::wordsToLinesUtf8Settling(const Utf8Sink& sink, const std::function<void()>& restart,
                                                     LineBreak lineBreak) const
{
    if (form_ != Form::SettledWhileConverted) {
        wordsToLinesUtf8(sink, lineBreak);
        return Settled::Converted;
    }
    bool notText = false;
    if (convertsAsUtf8(sink, lineBreak, notText))
        return Settled::Converted;
    if (notText)
        return Settled::NotText;
    // Every piece of the first reading has been written before the sink is told to throw them away.
    restart();
    return convertAfterUtf8Failed(sink, lineBreak);
}

// Converts the bytes as UTF-8 while checking them, stopping at the first ill-formed piece or, without a mark, at a
// piece with a NUL byte; true when the whole file was converted.
bool FileText::convertsAsUtf8(const Utf8Sink& sink, LineBreak lineBreak, bool& notText) const
{
    WordsToLinesStream lines(false, lineBreak);
    WriteBehind behind(sink, scan_.size);
    Utf8Validator validator;
    qint64 total = 0;
    forEachFilePiece(*file_, offset_, [&](QByteArrayView bytes) {
        total += bytes.size();
        if (!afterUtf8Mark_ && std::memchr(bytes.data(), 0, size_t(bytes.size()))) {
            notText = true;
            return false;
        }
        validator.feed(bytes);
        if (!validator.validSoFar())
            return false;
        lines.feed(bytes, behind.sink());
        return true;
    });
    behind.finish();
    if (notText || !validator.validSoFar() || !validator.finish().valid)
        return false;
    if (total != scan_.size)
        throw Failure::deviceIo();
    return true;
}

// The second reading, of a file that is not UTF-8: decoded whole after a UTF-8 mark, else in the code page.
FileText::Settled FileText::convertAfterUtf8Failed(const Utf8Sink& sink, LineBreak lineBreak) const
{
    if (afterUtf8Mark_) {
        settledWhole().wordsToLinesUtf8(sink, lineBreak);
        return Settled::Converted;
    }
    AnsiWordsToLinesStream lines(page_, lineBreak);
    WriteBehind behind(sink, scan_.size);
    qint64 total = 0;
    bool notText = false;
    forEachFilePiece(*file_, offset_, [&](QByteArrayView bytes) {
        total += bytes.size();
        notText = std::memchr(bytes.data(), 0, size_t(bytes.size())) != nullptr;
        if (!notText)
            lines.feed(bytes, behind.sink());
        return !notText;
    });
    if (!notText)
        lines.finish(behind.sink());
    behind.finish();
    if (notText)
        return Settled::NotText;
    if (total != scan_.size)
        throw Failure::deviceIo();
    return Settled::Converted;
}

QByteArray FileText::wordsToLinesUtf8() const
{
    QByteArray result;
    wordsToLinesUtf8([&result](QByteArrayView bytes) { result.append(bytes); });
    return result;
}

} // namespace quillora
