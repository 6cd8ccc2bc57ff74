// Byte-order aware UTF-16 and UTF-32 decoding that never passes an unpaired surrogate or a stray byte through.
#include "engine/UnicodeDecoding.h"

#include <QStringDecoder>
#include <cstring>

namespace quillora {

namespace {
constexpr char16_t replacement = 0xFFFD;

quint32 unitAt(const unsigned char* at, int size, bool bigEndian)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint32(at[bigEndian ? i : size - 1 - i]) << (8 * (size - 1 - i));
    return value;
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
} // namespace

QString decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    const qsizetype units = bytes.size() / 2;
    const bool oddByte = bytes.size() % 2 != 0;
    QString text(units + (oddByte ? 1 : 0), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    if (!bigEndian && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        std::memcpy(out, in, size_t(units) * 2);
    } else {
        for (qsizetype i = 0; i < units; ++i)
            out[i] = char16_t(unitAt(in + 2 * i, 2, bigEndian));
    }
    for (qsizetype i = 0; i < units; ++i) {
        if (isHighSurrogate(out[i])) {
            if (i + 1 < units && isLowSurrogate(out[i + 1]))
                ++i;
            else
                out[i] = replacement;
        } else if (isLowSurrogate(out[i])) {
            out[i] = replacement;
        }
    }
    if (oddByte)
        out[units] = replacement;
    return text;
}

bool isWellFormedUtf32(QByteArrayView bytes, bool bigEndian)
{
    if (bytes.size() % 4 != 0)
        return false;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        const quint32 code = unitAt(in + i, 4, bigEndian);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}

QString decodeUtf32(QByteArrayView bytes, bool bigEndian)
{
    QString text;
    text.reserve(bytes.size() / 4 + 1);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype whole = bytes.size() - bytes.size() % 4;
    for (qsizetype i = 0; i < whole; i += 4) {
        const quint32 code = unitAt(in + i, 4, bigEndian);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            text.append(QChar(replacement));
        } else if (code >= 0x10000) {
            text.append(QChar(QChar::highSurrogate(code)));
            text.append(QChar(QChar::lowSurrogate(code)));
        } else {
            text.append(QChar(char16_t(code)));
        }
    }
    if (whole != bytes.size())
        text.append(QChar(replacement));
    return text;
}

QString decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace quillora
