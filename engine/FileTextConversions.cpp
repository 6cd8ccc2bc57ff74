// Feeds a file's pieces to the stream converter for their encoding as they are read.
#include "engine/FileTextConversions.h"

#include "engine/AnsiWordsToLines.h"
#include "engine/FileBytes.h"
#include "engine/Utf8Check.h"
#include "engine/WriteBehind.h"
#include "platform/Failure.h"

namespace quillora {

void convertBytesInFile(const BytesInFile& text, const Utf8Sink& sink, LineBreak lineBreak)
{
    const bool utf8 = text.encoding.isUtf8();
    WordsToLinesStream utf8Lines(false, lineBreak);
    AnsiWordsToLinesStream ansiLines(text.encoding.page.value_or(AnsiCodePage::Western), lineBreak);
    Utf8Validator validator;
    const CountedReading read = forEachCountedPiece(text.path, text.offset, text.scan.size, [&](QByteArrayView bytes) {
        if (utf8) {
            validator.feed(bytes);
            if (!validator.validSoFar())
                throw Failure::deviceIo();
            utf8Lines.feed(bytes, sink);
        } else {
            ansiLines.feed(bytes, sink);
        }
        return true;
    });
    if (!utf8)
        ansiLines.finish(sink);
    if (read != CountedReading::AsExpected || (utf8 && !validator.finish().valid))
        throw Failure::deviceIo();
}

void convertUtf16InOpenFile(const Utf16InOpenFile& text, const Utf8Sink& sink, LineBreak lineBreak)
{
    Utf16WordsToLinesStream lines(text.bigEndian, lineBreak);
    WriteBehind behind(sink, text.stretch.size);
    const CountedReading read
        = forEachCountedPiece(*text.stretch.file, text.stretch.offset, text.stretch.size, [&](QByteArrayView bytes) {
              lines.feed(bytes, behind.sink());
              return true;
          });
    lines.finish(behind.sink());
    behind.finish();
    if (read != CountedReading::AsExpected)
        throw Failure::deviceIo();
}

} // namespace quillora
