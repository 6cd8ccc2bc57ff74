// One writer thread per large text, fed one piece at a time.
#include "engine/WriteBehind.h"

namespace quillora {

WriteBehind::WriteBehind(const Utf8Sink& sink, qint64 size)
    : sink_(sink)
{
    // Below a few pieces the thread costs more than the overlap gives.
    constexpr qint64 smallest = qint64(4) << 20;
    if (size < smallest)
        return;
    // No thread to be had: the text is written as it is converted.
    if (!writer_.start())
        return;
    behind_ = [this](QByteArrayView bytes) { writer_.hand([this, bytes] { sink_(bytes); }); };
}

} // namespace quillora
