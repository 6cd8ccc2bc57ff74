// The failure a user is told for each way a result file can fail.
#include "results/ResultFailure.h"

#include <QDir>

namespace quillora {

Failure resultFailure(FileError error, const QString& folder)
{
    switch (error) {
    case FileError::NoRoom:
        return Failure::diskFull();
    case FileError::TooManyFiles:
        return Failure::tooManyFiles();
    case FileError::FolderRefuses:
        return Failure::permissionDeniedInFolder(QDir::toNativeSeparators(folder + u'/'));
    case FileError::DeviceError:
        return Failure::deviceIo();
    case FileError::CrossDevice:
        return Failure::crossDevice();
    case FileError::NotFound:
        return Failure::pathNotFound();
    case FileError::ChangedSinceRead:
        return Failure::changedWhileConverted();
    case FileError::OthersLink:
        return Failure::othersLink();
    case FileError::AttributesNotKept:
        return Failure::attributesNotKept();
    case FileError::BackupNotMade:
        return Failure(QStringLiteral("its backup could not be made, left as it is"));
    case FileError::None:
    case FileError::Refused:
        break;
    }
    return Failure::permissionDenied();
}

} // namespace quillora
