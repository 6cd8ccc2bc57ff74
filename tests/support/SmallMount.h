// A small file system mounted over a folder while it lives, so that writes into it run out of room.
#pragma once

#include <QString>
#include <gtest/gtest.h>

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
    // What mount said when it failed.
    const QString& why() const { return why_; }
    // CI runs the tests as root, which can mount: there a failed mount is a fault, not a reason to skip.
    static bool mustMount();

private:
    QString folder_;
    bool mounted_ = false;
    QString why_;
};

} // namespace quillora::testing

// Leaves the test when the mount failed: failing in CI, where a silent skip would hide a broken full-disk path,
// skipping elsewhere.
#define QUILLORA_REQUIRE_MOUNTED(mount)                                                                                \
    do {                                                                                                               \
        if (!(mount).mounted()) {                                                                                      \
            if (quillora::testing::SmallMount::mustMount())                                                            \
                FAIL() << "root cannot mount a small tmpfs in CI: " << (mount).why().toStdString();                    \
            GTEST_SKIP() << "a small tmpfs cannot be mounted here (needs root or mount rights); full disk not tried: " \
                         << (mount).why().toStdString();                                                               \
        }                                                                                                              \
    } while (false)
