// The ANSI code page of the program outside Windows: Windows-1252, with its five undefined bytes kept as C1 controls.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace quillora {

QString decodeWindows1252(QByteArrayView bytes);
// The code of a character in Windows-1252, or '?' (63) when the code page lacks it.
int windows1252Code(char16_t character);
char16_t windows1252Character(unsigned char code);

} // namespace quillora
