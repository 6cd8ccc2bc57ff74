// Decodes names strictly as UTF-8, keeping the bytes of anything else.
#include "platform/NameBytes.h"

namespace quillora {

namespace {
constexpr char16_t rawByteBase = 0xDC00;

// Whether bytes are valid UTF-8. Qt's decoder is strict (no overlong forms, no surrogates, nothing beyond
// U+10FFFF) and puts a replacement character for anything else, so valid bytes are those that come back whole.
bool isValidUtf8(QByteArrayView bytes)
{
    return QByteArrayView(QString::fromUtf8(bytes).toUtf8()) == bytes;
}

// The length of the valid UTF-8 sequence that starts bytes, or 0.
qsizetype validSequenceLength(QByteArrayView bytes)
{
    for (qsizetype length = 1; length <= qMin<qsizetype>(4, bytes.size()); ++length) {
        if (isValidUtf8(bytes.first(length)))
            return length;
    }
    return 0;
}
} // namespace

QString nameFromBytes(QByteArrayView bytes)
{
    QString name = QString::fromUtf8(bytes);
    if (QByteArrayView(name.toUtf8()) == bytes)
        return name;
    name.clear();
    while (!bytes.isEmpty()) {
        const qsizetype length = validSequenceLength(bytes);
        if (length == 0) {
            name.append(QChar(char16_t(rawByteBase + static_cast<unsigned char>(bytes.front()))));
            bytes = bytes.sliced(1);
        } else {
            name.append(QString::fromUtf8(bytes.first(length)));
            bytes = bytes.sliced(length);
        }
    }
    return name;
}

int rawNameByte(const QString& name, qsizetype index)
{
    const char16_t code = name.at(index).unicode();
    // The low half of a pair may take the same values; a stand-in is never preceded by a high half.
    if (code < rawByteBase + 0x80 || code > rawByteBase + 0xFF || (index > 0 && name.at(index - 1).isHighSurrogate()))
        return -1;
    return code - rawByteBase;
}

bool isUndecodableName(const QString& name)
{
    for (qsizetype index = 0; index < name.size(); ++index) {
        if (rawNameByte(name, index) >= 0)
            return true;
    }
    return false;
}

} // namespace quillora
