// Makes the flushes of file data or of folders fail with a chosen error while it lives.
#pragma once

namespace quillora {

class FailingFlushes
{
public:
    FailingFlushes(bool fileData, bool folders, int error);
    ~FailingFlushes();
    FailingFlushes(const FailingFlushes&) = delete;
    FailingFlushes& operator=(const FailingFlushes&) = delete;
};

} // namespace quillora
