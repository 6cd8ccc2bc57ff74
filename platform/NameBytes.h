// File names as the file system holds them: bytes that are UTF-8 almost always, but need not be.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace quillora {

// The text of a name. Where the bytes are not valid UTF-8, each byte that is not part of a valid sequence stands
// as the lone surrogate U+DC00 + the byte (U+DC80 to U+DCFF), which no decoded text holds, so two different names
// never give the same text and such a name is never taken for a decodable one.
QString nameFromBytes(QByteArrayView bytes);
// True when name came from bytes that are not valid UTF-8: it cannot be opened by this text.
bool isUndecodableName(const QString& name);
// The byte that the character at index of name stands for, or -1 when it is an ordinary character.
int rawNameByte(const QString& name, qsizetype index);

} // namespace quillora
