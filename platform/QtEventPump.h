// Lets pending Qt events through.
#pragma once

#include "platform/EventPump.h"

namespace quillora {

class QtEventPump : public EventPump
{
public:
    void letEventsThrough() override;
};

} // namespace quillora
