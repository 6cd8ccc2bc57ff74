// Lets pending Qt events through.
#pragma once

#include "platform/EventPump.h"

#include <QElapsedTimer>

namespace quillora {

class QtEventPump : public EventPump
{
public:
    void letEventsThrough() override;

private:
    QElapsedTimer sinceLast_;
};

} // namespace quillora
