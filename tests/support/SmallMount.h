// A small file system mounted over a folder while it lives, so that writes into it run out of room.
#pragma once

#include <QString>

namespace quillora::testing {

class SmallMount
{
public:
    // Mounts a tmpfs with the given options (its size, its number of files) over folder; needs root or mount
    // rights.
    SmallMount(const QString& folder, const QString& options);
    ~SmallMount();
    SmallMount(const SmallMount&) = delete;
    SmallMount& operator=(const SmallMount&) = delete;

    bool mounted() const { return mounted_; }

private:
    QString folder_;
    bool mounted_ = false;
};

} // namespace quillora::testing
