// Hands a folder or a web address to the desktop through QDesktopServices.
#include "platform/QtShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillora {

void QtShell::open(const QString& target)
{
    const bool webAddress
        = target.startsWith(QStringLiteral("http://")) || target.startsWith(QStringLiteral("https://"));
    QDesktopServices::openUrl(webAddress ? QUrl(target) : QUrl::fromLocalFile(target));
}

} // namespace quillora
