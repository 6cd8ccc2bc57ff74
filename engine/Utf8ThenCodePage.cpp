// Converts while checking the bytes as UTF-8, and reads the file a second time only when they are not.
#include "engine/Utf8ThenCodePage.h"

#include "engine/AnsiWordsToLines.h"
#include "engine/FileBytes.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Utf8Check.h"
#include "engine/WriteBehind.h"
#include "platform/Failure.h"

#include <cstring>

namespace quillora {

namespace {
bool holdsNul(QByteArrayView bytes)
{
    return std::memchr(bytes.data(), 0, size_t(bytes.size())) != nullptr;
}
} // namespace

HeldText Utf8ThenCodePage::readWhole(const SettledInOpenFile& text)
{
    QByteArray bytes = readStretch(text.stretch);
    if (checkUtf8(bytes).valid)
        return BytesInMemory{std::move(bytes), ByteEncoding::utf8()};
    if (text.afterUtf8Mark)
        return Utf16InMemory{decodeUtf8(bytes)};
    return BytesInMemory{std::move(bytes), ByteEncoding::ansi(text.page)};
}

ConversionOutcome Utf8ThenCodePage::convert(const Utf8Sink& sink, const std::function<void()>& restart) const
{
    switch (convertAsUtf8(sink)) {
    case FirstReading::Converted:
        return ConversionOutcome::Converted;
    case FirstReading::NotText:
        return ConversionOutcome::NotText;
    case FirstReading::NotUtf8:
        break;
    }
    // Every piece of the first reading has been written before the sink is told to throw them away.
    restart();
    return convertAgain(sink);
}

// Stops at the first ill-formed piece or, without a mark, at a piece with a NUL byte.
Utf8ThenCodePage::FirstReading Utf8ThenCodePage::convertAsUtf8(const Utf8Sink& sink) const
{
    WordsToLinesStream lines(false, lineBreak_);
    WriteBehind behind(sink, text_.stretch.size);
    Utf8Validator validator;
    bool notText = false;
    const CountedReading read
        = forEachCountedPiece(*text_.stretch.file, text_.stretch.offset, text_.stretch.size, [&](QByteArrayView bytes) {
              notText = !text_.afterUtf8Mark && holdsNul(bytes);
              if (notText)
                  return false;
              validator.feed(bytes);
              if (!validator.validSoFar())
                  return false;
              lines.feed(bytes, behind.sink());
              return true;
          });
    behind.finish();
    if (notText)
        return FirstReading::NotText;
    if (!validator.validSoFar() || !validator.finish().valid)
        return FirstReading::NotUtf8;
    if (read != CountedReading::AsExpected)
        throw Failure::deviceIo();
    return FirstReading::Converted;
}

// The second reading, of a file that is not UTF-8: decoded whole after a UTF-8 mark, else in the code page.
ConversionOutcome Utf8ThenCodePage::convertAgain(const Utf8Sink& sink) const
{
    if (text_.afterUtf8Mark) {
        const QByteArray bytes = readStretch(text_.stretch);
        if (checkUtf8(bytes).valid)
            WordsToLinesUtf8(QByteArrayView(bytes), sink, lineBreak_);
        else
            WordsToLinesUtf8(QStringView(decodeUtf8(bytes)), sink, lineBreak_);
        return ConversionOutcome::Converted;
    }
    AnsiWordsToLinesStream lines(text_.page, lineBreak_);
    WriteBehind behind(sink, text_.stretch.size);
    const CountedReading read
        = forEachCountedPiece(*text_.stretch.file, text_.stretch.offset, text_.stretch.size, [&](QByteArrayView bytes) {
              if (holdsNul(bytes))
                  return false;
              lines.feed(bytes, behind.sink());
              return true;
          });
    if (read != CountedReading::Stopped)
        lines.finish(behind.sink());
    behind.finish();
    if (read == CountedReading::Stopped)
        return ConversionOutcome::NotText;
    if (read == CountedReading::SizeChanged)
        throw Failure::deviceIo();
    return ConversionOutcome::Converted;
}

} // namespace quillora
