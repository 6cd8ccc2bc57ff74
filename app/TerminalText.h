// Text made safe to print on a terminal: names may hold control characters and bytes that are not UTF-8.
#pragma once

#include <QString>

namespace quillora {

// text with every control character (C0, DEL and C1) written as a C escape (\e, \a, \t, ..., else \xNN for each of
// its UTF-8 bytes) and every byte of a name that is not UTF-8 as \xNN. A backslash is doubled where it would
// otherwise read as the start of an escape, so two different texts never print the same.
QString terminalSafe(const QString& text);

} // namespace quillora
