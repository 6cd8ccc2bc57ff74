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

// Checks a text given piece by piece; a sequence may be cut between two pieces.
class Utf8Validator
{
public:
    void feed(QByteArrayView bytes);
    // The result once every piece has been fed: a sequence left unfinished is ill-formed.
    Utf8Check finish();
    bool validSoFar() const { return check_.valid; }

private:
    Utf8Check check_;
    char pending_[8] = {};
    qsizetype pendingSize_ = 0;
};

} // namespace quillora
