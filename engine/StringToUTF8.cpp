// Encodes UTF-16 text as UTF-8.
#include "engine/StringToUTF8.h"

#include <QStringEncoder>

namespace quillora {

QByteArray StringToUTF8(QStringView text)
{
    if (text.isEmpty())
        return QByteArray();
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    return encoder.encode(text);
}

} // namespace quillora
