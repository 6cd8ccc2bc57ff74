// Holds the application title for the whole program.
#include "platform/ApplicationTitle.h"

namespace quillora {

namespace {
QString& title()
{
    static QString value = QStringLiteral("Quillora");
    return value;
}
} // namespace

QString applicationTitle()
{
    return title();
}

void setApplicationTitle(const QString& newTitle)
{
    title() = newTitle;
}

} // namespace quillora
