// Strict UTF-8 validation: overlong forms, encoded surrogates and code points past U+10FFFF are ill-formed.
#pragma once

#include <QByteArrayView>

namespace quillora {

struct Utf8Check
{
    bool valid = true;
    bool hasMultibyte = false;
};

Utf8Check checkUtf8(QByteArrayView bytes);

// Checks bytes as the next part of a longer text: returns how many were checked, stopping early at an ill-formed
// sequence (result.valid turns false) or before a sequence that the end of bytes cuts short.
qsizetype checkUtf8Prefix(QByteArrayView bytes, Utf8Check& result);

} // namespace quillora
