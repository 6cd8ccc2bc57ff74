// The application name and menu entry the windows carry.
#include "app/DesktopIdentity.h"

#include <QGuiApplication>

namespace quillora {

void setDesktopIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("quillora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvanta.Quillora"));
}

} // namespace quillora
