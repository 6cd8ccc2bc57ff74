// The text file readers: FileHasBOM picks the reader by the file's byte-order mark.
#pragma once

#include "engine/FileText.h"
#include "platform/MessageBoxes.h"

#include <QString>
#include <optional>

namespace quillora {

// Set by FileHasBOM: True when the mark it found is the UTF-8 one.
inline bool BOMIsUTF8 = false;

// True when the file starts with a UTF-32, UTF-8 or UTF-16 byte-order mark. Throws Failure when the file
// cannot be read.
bool FileHasBOM(const QString& path);

// How a reader hands over a file's text: whole, or, where the text stays as the file's bytes, left in the file to
// be read again piece by piece as it is converted (for files of any size).
enum class ReadingMode
{
    Whole,
    InFile
};

// A file with the UTF-8 mark, decoded without it. Reports its own failures; nothing when the file could not be read.
std::optional<FileText> ReadFileToStringUTF(const QString& path, MessageBoxes& boxes,
                                            ReadingMode mode = ReadingMode::Whole);

// A file with a UTF-16 or UTF-32 mark, decoded in the byte order and width its mark names. Reports its own
// failures; nothing when the file could not be read.
std::optional<FileText> ReadFileToStringUnicode(const QString& path, MessageBoxes& boxes);

// A file without a mark: UTF-8 when its bytes are valid UTF-8, else the ANSI code page. A missing file and a
// zero-length file read as the empty text. Throws Failure when the file cannot be read.
FileText ReadFileToString(const QString& path, ReadingMode mode = ReadingMode::Whole);

} // namespace quillora
