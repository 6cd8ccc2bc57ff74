// What a file's text answers, for each way it may be held.
#include "engine/FileText.h"

#include "engine/AnsiDecoder.h"
#include "engine/AnsiWordsToLines.h"
#include "engine/FileBytes.h"
#include "engine/FileTextConversions.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Utf8ThenCodePage.h"
#include "engine/Windows1252.h"

#include <algorithm>
#include <cstring>

namespace quillora {

namespace {
QString decoded(QByteArrayView bytes, ByteEncoding encoding)
{
    if (encoding.isUtf8())
        return QString::fromUtf8(bytes);
    if (*encoding.page == AnsiCodePage::Western)
        return decodeWindows1252(bytes);
    return decodeAnsi(bytes, *encoding.page);
}

bool onlySpaces(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

// A text in an open file whose encoding is settled on the way, read whole.
FileText wholeText(const SettledInOpenFile& held)
{
    return FileText(Utf8ThenCodePage::readWhole(held));
}

QString textOf(const Utf16InMemory& held)
{
    return held.text;
}
QString textOf(const BytesInMemory& held)
{
    return decoded(held.bytes, held.encoding);
}
QString textOf(const BytesInFile& held)
{
    return decoded(readFileBytes(held.path, held.offset), held.encoding);
}
QString textOf(const SettledInOpenFile& held)
{
    return wholeText(held).toString();
}
QString textOf(const Utf16InOpenFile& held)
{
    return decodeUtf16(readStretch(held.stretch), held.bigEndian);
}

bool isEmptyText(const Utf16InMemory& held)
{
    return held.text.isEmpty();
}
bool isEmptyText(const BytesInMemory& held)
{
    return held.bytes.isEmpty();
}
bool isEmptyText(const BytesInFile& held)
{
    return held.scan.size == 0;
}
bool isEmptyText(const SettledInOpenFile& held)
{
    return held.stretch.size == 0;
}
bool isEmptyText(const Utf16InOpenFile& held)
{
    return held.stretch.size == 0;
}

bool findsNul(const Utf16InMemory& held)
{
    return held.text.contains(QChar(u'\0'));
}
// No code page of ours has a second byte below 0x40, so a byte 00 or 20 is always that character.
bool findsNul(const BytesInMemory& held)
{
    return held.bytes.contains('\0');
}
bool findsNul(const BytesInFile& held)
{
    return held.scan.hasNul;
}
bool findsNul(const SettledInOpenFile& held)
{
    bool found = false;
    forEachFilePiece(*held.stretch.file, held.stretch.offset, [&found](QByteArrayView bytes) {
        found = std::memchr(bytes.data(), 0, size_t(bytes.size())) != nullptr;
        return !found;
    });
    return found;
}
bool findsNul(const Utf16InOpenFile& held)
{
    return textOf(held).contains(QChar(u'\0'));
}

bool findsOnlySpaces(const Utf16InMemory& held)
{
    return onlySpaces(held.text);
}
bool findsOnlySpaces(const BytesInMemory& held)
{
    return std::all_of(held.bytes.cbegin(), held.bytes.cend(), [](char c) { return c == ' '; });
}
bool findsOnlySpaces(const BytesInFile& held)
{
    return !held.scan.hasNonSpace;
}
bool findsOnlySpaces(const SettledInOpenFile& held)
{
    return wholeText(held).readFindsOnlySpaces();
}
bool findsOnlySpaces(const Utf16InOpenFile& held)
{
    return onlySpaces(textOf(held));
}

void convert(const Utf16InMemory& held, const Utf8Sink& sink, LineBreak lineBreak)
{
    WordsToLinesUtf8(QStringView(held.text), sink, lineBreak);
}
void convert(const BytesInMemory& held, const Utf8Sink& sink, LineBreak lineBreak)
{
    if (held.encoding.isUtf8())
        WordsToLinesUtf8(QByteArrayView(held.bytes), sink, lineBreak);
    else if (*held.encoding.page == AnsiCodePage::Western)
        WordsToLinesUtf8FromWindows1252(held.bytes, sink, lineBreak);
    else
        WordsToLinesUtf8FromAnsi(held.bytes, *held.encoding.page, sink, lineBreak);
}
void convert(const BytesInFile& held, const Utf8Sink& sink, LineBreak lineBreak)
{
    convertBytesInFile(held, sink, lineBreak);
}
void convert(const SettledInOpenFile& held, const Utf8Sink& sink, LineBreak lineBreak)
{
    wholeText(held).wordsToLinesUtf8(sink, lineBreak);
}
void convert(const Utf16InOpenFile& held, const Utf8Sink& sink, LineBreak lineBreak)
{
    convertUtf16InOpenFile(held, sink, lineBreak);
}
} // namespace

FileText FileText::fromString(QString text)
{
    return FileText(Utf16InMemory{std::move(text)});
}

FileText FileText::fromValidUtf8(QByteArray bytes)
{
    return FileText(BytesInMemory{std::move(bytes), ByteEncoding::utf8()});
}

FileText FileText::fromAnsi(QByteArray bytes, AnsiCodePage page)
{
    return FileText(BytesInMemory{std::move(bytes), ByteEncoding::ansi(page)});
}

FileText FileText::inFile(QString path, qint64 offset, const FileScan& scan, AnsiCodePage page)
{
    const ByteEncoding encoding = scan.validUtf8 ? ByteEncoding::utf8() : ByteEncoding::ansi(page);
    return FileText(BytesInFile{std::move(path), offset, scan, encoding});
}

bool FileText::isEmpty() const
{
    return std::visit([](const auto& held) { return isEmptyText(held); }, held_);
}

QString FileText::toString() const
{
    return std::visit([](const auto& held) { return textOf(held); }, held_);
}

bool FileText::readFindsNul() const
{
    return std::visit([](const auto& held) { return findsNul(held); }, held_);
}

bool FileText::readFindsOnlySpaces() const
{
    return std::visit([](const auto& held) { return findsOnlySpaces(held); }, held_);
}

void FileText::wordsToLinesUtf8(const Utf8Sink& sink, LineBreak lineBreak) const
{
    std::visit([&sink, lineBreak](const auto& held) { convert(held, sink, lineBreak); }, held_);
}

QByteArray FileText::wordsToLinesUtf8() const
{
    QByteArray result;
    wordsToLinesUtf8([&result](QByteArrayView bytes) { result.append(bytes); });
    return result;
}

FileText::Outcome FileText::wordsToLinesUtf8UnlessNotText(const Utf8Sink& sink, const std::function<void()>& restart,
                                                          LineBreak lineBreak) const
{
    if (const auto* settled = std::get_if<SettledInOpenFile>(&held_))
        return Utf8ThenCodePage(*settled, lineBreak).convert(sink, restart);
    wordsToLinesUtf8(sink, lineBreak);
    return Outcome::Converted;
}

} // namespace quillora
