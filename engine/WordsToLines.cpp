// Splits at spaces with a fast search for the next space and appends each non-empty piece.
#include "engine/WordsToLines.h"

#include <cstring>

namespace quillora {

namespace {
// Calls add(piece) for every non-empty piece between spaces, in order.
template <typename Add> void forEachPiece(QStringView text, Add&& add)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype space = text.indexOf(u' ', start);
        if (space < 0)
            space = size;
        if (space > start)
            add(text.sliced(start, space - start));
        start = space + 1;
    }
}

// Below this size the converted text is made in one piece; above, in chunks cut at spaces.
constexpr qsizetype chunkSize = qsizetype(1) << 20;
} // namespace

QString WordsToLines(QStringView text)
{
    QString result;
    if (text.isEmpty())
        return result;
    result.reserve(text.size() + text.size() / 4 + 2);
    forEachPiece(text, [&](QStringView piece) {
        if (!result.isEmpty())
            result.append(u"\r\n");
        result.append(piece);
    });
    return result;
}

QByteArray WordsToLinesUtf8(QStringView text)
{
    QByteArray result;
    result.reserve(text.size() + text.size() / 4 + 16);
    qsizetype start = 0;
    while (start < text.size()) {
        // Cut each chunk just after a space, so no piece and no surrogate pair is split.
        qsizetype end = qMin(start + chunkSize, text.size());
        if (end < text.size()) {
            const qsizetype space = text.lastIndexOf(u' ', end - 1);
            end = space >= start ? space + 1 : text.indexOf(u' ', end);
            if (end < 0)
                end = text.size();
        }
        const QString converted = WordsToLines(text.sliced(start, end - start));
        if (!converted.isEmpty()) {
            if (!result.isEmpty())
                result.append("\r\n", 2);
            result.append(converted.toUtf8());
        }
        start = end;
    }
    return result;
}

QByteArray WordsToLinesUtf8(QByteArrayView validUtf8)
{
    QByteArray result;
    if (validUtf8.isEmpty())
        return result;
    // n bytes give at most 1.5 n + 2 bytes: every space becomes at most CR LF, every piece holds a byte.
    result.resize(validUtf8.size() + validUtf8.size() / 2 + 2);
    char* const outStart = result.data();
    char* out = outStart;
    const char* at = validUtf8.data();
    const char* const end = at + validUtf8.size();
    while (at < end) {
        const void* found = std::memchr(at, ' ', size_t(end - at));
        const char* space = found ? static_cast<const char*>(found) : end;
        const qsizetype length = space - at;
        if (length > 0) {
            if (out != outStart) {
                *out++ = '\r';
                *out++ = '\n';
            }
            std::memcpy(out, at, size_t(length));
            out += length;
        }
        at = space + 1;
    }
    result.resize(out - outStart);
    return result;
}

} // namespace quillora
