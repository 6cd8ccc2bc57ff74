// The platform's folder separator: "\" on Windows, "/" elsewhere.
#pragma once

#include <QChar>

namespace quillora {

constexpr QChar nativeSeparator()
{
#ifdef Q_OS_WIN
    return QChar(u'\\');
#else
    return QChar(u'/');
#endif
}

} // namespace quillora
