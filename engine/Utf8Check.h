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

} // namespace quillora
