// Letting pending window events through in the middle of a long command.
#pragma once

namespace quillora {

class EventPump
{
public:
    virtual ~EventPump() = default;
    virtual void letEventsThrough() = 0;
};

} // namespace quillora
