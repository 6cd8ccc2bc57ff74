// Full Unicode case folding of UTF-8 text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quillora {

// Replaces folded with the full case folding of utf8 (valid UTF-8).
void caseFoldUtf8(QByteArrayView utf8, QByteArray& folded);

} // namespace quillora
