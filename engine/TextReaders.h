// The text file readers: FileHasBOM tells which byte-order mark a file starts with, which picks its reader.
#pragma once

#include "engine/FileText.h"
#include "platform/Failure.h"
#include "platform/FileFacts.h"

#include <QString>

namespace quillora {

enum class ByteOrderMark
{
    None,
    Utf8,
    // UTF-16 or UTF-32, in either byte order: all read by ReadFileToStringUnicode.
    Unicode
};

// The mark the file starts with. Throws Failure when the file cannot be read.
ByteOrderMark FileHasBOM(const QString& path);

// How a reader hands over a file's text: whole, or, where the text stays as the file's bytes, left in the file to
// be read again piece by piece as it is converted (for files of any size).
enum class ReadingMode
{
    Whole,
    InFile,
    // The file is opened and left open: its bytes are read once, as they are converted, and the form they are
    // read in is settled on the way.
    WhileConverting
};

// The file decoded as UTF-8, without the UTF-8 mark when mark (as FileHasBOM found it) says it has one. A failure
// is one of this reader's own steps, under its label "UTF8.ReadFileToStringUTF".
OrFailure<FileText> ReadFileToStringUTF(const QString& path, ByteOrderMark mark, ReadingMode mode = ReadingMode::Whole);

// A file with a UTF-16 or UTF-32 mark, decoded in the byte order and width its mark names; UTF-16 may be left in
// the open file while it is converted. A failure is one of this reader's own steps, under its label
// "UTF8.ReadFileToStringUnicode".
OrFailure<FileText> ReadFileToStringUnicode(const QString& path, ReadingMode mode = ReadingMode::Whole);

// A file without a mark: UTF-8 when its bytes are valid UTF-8, else the ANSI code page page. A missing file and a
// zero-length file read as the empty text. A failure is the caller's, at the step that called this reader (its line
// is left 0 for the caller to fill in).
OrFailure<FileText> ReadFileToString(const QString& path, ReadingMode mode, AnsiCodePage page, FileFacts& facts);

} // namespace quillora
