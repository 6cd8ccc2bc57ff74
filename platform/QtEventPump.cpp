// Processes the events that are waiting, so windows repaint and take clicks; calls that follow within a
// millisecond of the last pass go straight on, since nothing a person does needs a faster answer.
#include "platform/QtEventPump.h"

#include <QCoreApplication>

namespace quillora {

void QtEventPump::letEventsThrough()
{
    if (sinceLast_.isValid() && sinceLast_.nsecsElapsed() < 1'000'000)
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sinceLast_.start();
}

} // namespace quillora
