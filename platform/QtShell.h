// Opens folders and web addresses with the desktop's default programs.
#pragma once

#include "platform/Shell.h"

namespace quillora {

class QtShell : public Shell
{
public:
    void open(const QString& target) override;
};

} // namespace quillora
