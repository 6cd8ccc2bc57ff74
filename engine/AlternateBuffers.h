// Two output buffers used in turn.
#pragma once

#include <QtGlobal>
#include <memory>

namespace quillora {

// Two output buffers used in turn, so the bytes handed out from one stay as they are while the other is filled.
class AlternateBuffers
{
public:
    // The buffer after the last one returned, at least size bytes long.
    char* next(qsizetype size);

private:
    std::unique_ptr<char[]> buffers_[2];
    qsizetype capacities_[2] = {0, 0};
    int current_ = 1;
};

} // namespace quillora
