// Pending results looked up by a path written out whole and by device and inode, without a call to the system.
#include "batchrun/PendingResults.h"

#include <QDir>

namespace quillora {

PendingResults::PendingResults()
    : base_(QDir::currentPath())
{ }

QString PendingResults::key(const QString& path) const
{
    const QString plain = QDir::fromNativeSeparators(path);
    return QDir::cleanPath(QDir::isAbsolutePath(plain) ? plain : base_ + u'/' + plain);
}

void PendingResults::add(const QString& target, const FileIdentity& replaced)
{
    paths_.insert(key(target));
    if (replaced != FileIdentity())
        files_.insert({replaced.device, replaced.inode});
}

bool PendingResults::holdsPath(const QString& path) const
{
    return paths_.contains(key(path));
}

bool PendingResults::holdsFile(const FileIdentity& file) const
{
    return file != FileIdentity() && files_.contains({file.device, file.inode});
}

void PendingResults::clear()
{
    paths_.clear();
    files_.clear();
}

} // namespace quillora
