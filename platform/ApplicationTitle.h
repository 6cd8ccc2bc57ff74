// The application title: the caption of every message box that names none of its own.
#pragma once

#include <QString>

namespace quillora {

QString applicationTitle();
void setApplicationTitle(const QString& title);

} // namespace quillora
