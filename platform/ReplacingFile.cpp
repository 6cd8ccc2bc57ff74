// What the replacing file does alike on every platform: it is moved whole, and dropped unless put in place.
#include "platform/ReplacingFile.h"

namespace quillora {

ReplacingFile::ReplacingFile() = default;

ReplacingFile::ReplacingFile(ReplacingFile&& other) noexcept
    : state_(std::move(other.state_))
    , folder_(std::move(other.folder_))
    , backupSuffix_(std::move(other.backupSuffix_))
{ }

ReplacingFile& ReplacingFile::operator=(ReplacingFile&& other) noexcept
{
    if (this != &other) {
        discard();
        state_ = std::move(other.state_);
        folder_ = std::move(other.folder_);
        backupSuffix_ = std::move(other.backupSuffix_);
    }
    return *this;
}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::isOpen() const
{
    return state_ != nullptr;
}

bool isTemporaryResultName(QStringView name)
{
    const qsizetype dash = temporaryResultMark.size() + temporaryResultLetters;
    return name.size() > dash && name.startsWith(temporaryResultMark) && name.at(dash) == u'-';
}

QString ReplacingFile::folder() const
{
    return state_ ? folder_ : QString();
}

} // namespace quillora
