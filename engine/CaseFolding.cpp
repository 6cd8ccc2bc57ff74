// Placeholder folding.
#include "engine/CaseFolding.h"

#include <QString>

namespace quillora {

void caseFoldUtf8(QByteArrayView utf8, QByteArray& folded)
{
    folded = QString::fromUtf8(utf8).toCaseFolded().toUtf8();
}

} // namespace quillora
