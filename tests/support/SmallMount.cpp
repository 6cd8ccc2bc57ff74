// Mounts with mount(8), so that the tests need no privileges of their own to build.
#include "support/SmallMount.h"

#include <QProcess>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace quillora::testing {

SmallMount::SmallMount(const QString& folder, const QString& options)
    : folder_(folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(options);
    why_ = QStringLiteral("no tmpfs on this system");
#else
    QProcess mount;
    mount.setProcessChannelMode(QProcess::MergedChannels);
    mount.start(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options, QStringLiteral("tmpfs"),
                 folder_});
    mounted_ = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
    why_ = mount.error() == QProcess::FailedToStart ? QStringLiteral("no mount command")
                                                    : QString::fromLocal8Bit(mount.readAll()).trimmed();
#endif
}

SmallMount::~SmallMount()
{
    if (mounted_)
        QProcess::execute(QStringLiteral("umount"), {folder_});
}

bool SmallMount::mustMount()
{
#ifdef Q_OS_WIN
    return false;
#else
    return ::geteuid() == 0 && qEnvironmentVariable("CI") == QStringLiteral("true");
#endif
}

} // namespace quillora::testing
