// The command line's words for what happened to a file: the system's own where the windows keep their classic
// descriptions, plain words for the program's own refusals.
#pragma once

#include <QString>
#include <optional>

namespace quillora {

// Why a file holding a NUL byte is left alone.
inline QString notTextReason()
{
    return QStringLiteral("not a text file (it holds a NUL byte)");
}

// The reason to print for a failure the windows describe as description. A path that can no longer be found is
// asked about again, so that the system names the cause ("Not a directory", "Too many levels of symbolic links").
QString terminalReason(const QString& description, const QString& path = QString());

// "quillora: stopped by SIGINT; 12 files not started", without the count when notStarted is not given.
QString stopLine(int signal, std::optional<qsizetype> notStarted);

} // namespace quillora
