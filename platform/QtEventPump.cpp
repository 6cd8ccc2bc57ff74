// Processes the events that are waiting, so windows repaint and take clicks.
#include "platform/QtEventPump.h"

#include <QCoreApplication>

namespace quillora {

void QtEventPump::letEventsThrough()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace quillora
