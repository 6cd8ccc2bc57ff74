// Reads the variables through which X11 and Wayland programs find their display server.
#include "platform/DisplayPresence.h"

#include <QtGlobal>

namespace quillora {

bool displayPresent(bool platformNamed)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    if (platformNamed || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(platformNamed);
    return true;
#endif
}

} // namespace quillora
