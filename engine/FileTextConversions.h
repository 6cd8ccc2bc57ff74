// Converting a text held in a file a piece at a time as its bytes are read.
#pragma once

#include "engine/HeldText.h"
#include "engine/WordsToLines.h"

namespace quillora {

// Throws Failure when the file cannot be read again, or has changed since it was read: bytes that were UTF-8 then
// must still be, and their count the same.
void convertBytesInFile(const BytesInFile& text, const Utf8Sink& sink, LineBreak lineBreak);
// Throws Failure when the file cannot be read or its size changes while it is read.
void convertUtf16InOpenFile(const Utf16InOpenFile& text, const Utf8Sink& sink, LineBreak lineBreak);

} // namespace quillora
