// Which file stands at a path: enough to tell that it was replaced, rewritten, removed or created since.
#pragma once

#include <QString>
#include <QtGlobal>

namespace quillora {

struct FileIdentity
{
    // False for "no file": every other field is then zero.
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

// The file at path, following symbolic links; "no file" where nothing can be found there.
FileIdentity fileIdentity(const QString& path);

} // namespace quillora
