// Full Unicode case folding of a UTF-8 word, for comparing words regardless of case.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quillora {

// Replaces folded with the full Unicode case folding of utf8 (valid UTF-8): the default folding of Unicode's
// CaseFolding.txt, statuses C and F (not the Turkic T, not the simple S where an F exists). folded keeps its
// capacity from call to call, so an all-ASCII word costs no allocation once it has grown; utf8 must not view it.
void caseFoldUtf8(QByteArrayView utf8, QByteArray& folded);

} // namespace quillora
