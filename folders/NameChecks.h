// Which folder and file names the folder services accept.
#pragma once

#include "platform/FileFacts.h"

#include <QString>

namespace quillora {

// True at the first character whose code is below 32, from 127 to 159, or "?" (63). Names are Unicode, so a
// character beyond any 8-bit code page (Cyrillic, Greek, CJK) is a good character. An empty name is not bad.
bool HasBadCharacters(const QString& name);
// True only when the attributes of the path cannot be read.
bool IsBadFileName(const QString& path, FileFacts& facts);

} // namespace quillora
