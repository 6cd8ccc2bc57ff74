// Mounts with mount(8), so that the tests need no privileges of their own to build.
#include "support/SmallMount.h"

#include <QProcess>

namespace quillora::testing {

SmallMount::SmallMount(const QString& folder, const QString& options)
    : folder_(folder)
{
#ifndef Q_OS_WIN
    QProcess mount;
    mount.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mount.start(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options, QStringLiteral("tmpfs"),
                 folder_});
    mounted_ = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
#endif
}

SmallMount::~SmallMount()
{
    if (mounted_)
        QProcess::execute(QStringLiteral("umount"), {folder_});
}

} // namespace quillora::testing
