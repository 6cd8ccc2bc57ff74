// Shared pieces of the fuzz targets: a message box double that remembers failures, and a hard check.
#pragma once

#include "platform/MessageBoxes.h"

#include <cstdio>
#include <cstdlib>

namespace quillora::fuzzing {

class QuietBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const MessageBoxRequest& request) override
    {
        last = request.text;
        ++count;
        return MessageAnswer::Ok;
    }
    QString input(const InputBoxRequest&) override { return QString(); }
    QString last;
    int count = 0;
};

inline void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace quillora::fuzzing
