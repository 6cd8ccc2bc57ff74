// The encoder of every file the program writes: UTF-8 without a byte-order mark.
#pragma once

#include <QByteArray>
#include <QStringView>

namespace quillora {

// An empty text gives no bytes; an unpaired surrogate becomes U+FFFD.
QByteArray StringToUTF8(QStringView text);

} // namespace quillora
