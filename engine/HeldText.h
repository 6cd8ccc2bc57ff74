// The ways a text read from a file is held: in memory as UTF-16 or as bytes in their encoding, in its file to be
// read again when converted, or in an open file read once as it is converted.
#pragma once

#include "engine/AnsiCodePage.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <variant>

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

// How bytes encode their text: as UTF-8, or in an ANSI code page.
struct ByteEncoding
{
    static ByteEncoding utf8() { return {}; }
    static ByteEncoding ansi(AnsiCodePage page) { return {page}; }
    bool isUtf8() const { return !page.has_value(); }

    std::optional<AnsiCodePage> page;
};

struct Utf16InMemory
{
    QString text;
};

// UTF-8 bytes held here are valid UTF-8.
struct BytesInMemory
{
    QByteArray bytes;
    ByteEncoding encoding;
};

// The bytes of path from offset on, as scan found them when the file was read.
struct BytesInFile
{
    QString path;
    qint64 offset = 0;
    FileScan scan;
    ByteEncoding encoding;
};

// The bytes of an open file from offset on, size bytes when it was opened.
struct OpenFileStretch
{
    std::shared_ptr<QFile> file;
    qint64 offset = 0;
    qint64 size = 0;
};

// Bytes whose encoding is settled as they are converted: UTF-8 when they are valid UTF-8; else, after a UTF-8
// mark, UTF-8 decoded with replacement characters, and without a mark the code page page.
struct SettledInOpenFile
{
    OpenFileStretch stretch;
    bool afterUtf8Mark = false;
    AnsiCodePage page = AnsiCodePage::Western;
};

// UTF-16 bytes in the byte order bigEndian names.
struct Utf16InOpenFile
{
    OpenFileStretch stretch;
    bool bigEndian = false;
};

using HeldText = std::variant<Utf16InMemory, BytesInMemory, BytesInFile, SettledInOpenFile, Utf16InOpenFile>;

// How a conversion that settles the encoding on the way ended.
enum class ConversionOutcome
{
    Converted,
    // A text without a mark held a NUL byte: it is not text, and what the sink got is to be thrown away.
    NotText
};

} // namespace quillora
