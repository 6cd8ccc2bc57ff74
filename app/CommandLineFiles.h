// What the command line's own options change in the files a run takes: the walk's choices, bare --backup and --sort,
// and what a walk that finds nothing says.
#pragma once

#include "batchrun/BatchRunView.h"
#include "folders/TreeFiles.h"

#include <QCommandLineOption>
#include <QList>
#include <QStringList>
#include <utility>

namespace quillora {

// The arguments with each option of bareValues given alone (--backup, --sort) given its value there (for --backup the
// suffix GNU tools use, ~), since a parser option's value cannot be left out. The word after an option of options
// that takes a value is that value, whatever it looks like; "--" ends the options.
QStringList withBareValues(QStringList arguments, const QList<QCommandLineOption>& options,
                           const QList<std::pair<QString, QString>>& bareValues);
// A walk from the command line: names starting with "." only when hidden, and never the destination folder, whose
// results are no sources.
TreeChoices commandLineWalk(bool hidden, const BatchDestination& destination);
// What a walk of path that found no file with the extension says.
QString nothingFoundLine(const QString& path, const QString& extension);

} // namespace quillora
