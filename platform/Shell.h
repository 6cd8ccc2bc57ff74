// The shell request that opens a folder in the file browser or a web address in the browser.
#pragma once

#include <QString>

namespace quillora {

class Shell
{
public:
    virtual ~Shell() = default;
    // target is a local folder path or a web address; the outcome is not examined.
    virtual void open(const QString& target) = 0;
};

} // namespace quillora
