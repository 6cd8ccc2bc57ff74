// Names the stop signals; their numbers differ between systems.
#include "platform/SignalName.h"

#include <csignal>

namespace quillora {

QString signalName(int number)
{
    switch (number) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    default:
        return QStringLiteral("signal %1").arg(number);
    }
}

} // namespace quillora
