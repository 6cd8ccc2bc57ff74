// Processes the events that are waiting, so windows repaint and take clicks; calls that follow within 15 ms of the
// last pass go straight on: a screen shows no more than a frame in that time, and a person notices no wait that
// short, while a pass that repaints costs more than converting a small file.
#include "platform/QtEventPump.h"

#include <QCoreApplication>

namespace quillora {

void QtEventPump::letEventsThrough()
{
    if (sinceLast_.isValid() && sinceLast_.nsecsElapsed() < 15'000'000)
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sinceLast_.start();
}

} // namespace quillora
