// Decoders for the UTF-16 and UTF-32 byte orders; ill-formed units become U+FFFD.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace quillora {

QString decodeUtf16(QByteArrayView bytes, bool bigEndian);
QString decodeUtf32(QByteArrayView bytes, bool bigEndian);
// True when bytes are a whole number of UTF-32 code units, each a Unicode scalar value.
bool isWellFormedUtf32(QByteArrayView bytes, bool bigEndian);
// UTF-8 decoding with U+FFFD for every ill-formed sequence.
QString decodeUtf8(QByteArrayView bytes);

} // namespace quillora
