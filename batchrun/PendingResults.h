// The results handed on to be put in place later, by their paths and by the files they replace, so that an entry
// that reads or writes one of them can have them put in place first.
#pragma once

#include "platform/ReplacingFile.h"

#include <QSet>
#include <QString>
#include <utility>

namespace quillora {

class PendingResults
{
public:
    // Relative paths are taken from the folder the process is in now.
    PendingResults();

    // A result for target, replacing the file replaced (an empty identity when there is none).
    void add(const QString& target, const FileIdentity& replaced);
    // Whether path is the path of a pending result, or file the file one replaces.
    bool holdsPath(const QString& path) const;
    bool holdsFile(const FileIdentity& file) const;
    bool isEmpty() const { return paths_.isEmpty(); }
    void clear();

private:
    QString key(const QString& path) const;

    QString base_;
    QSet<QString> paths_;
    QSet<std::pair<quint64, quint64>> files_;
};

} // namespace quillora
