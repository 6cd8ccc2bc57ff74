// What the user is told when writing a result file, or putting it in place, fails.
#pragma once

#include "platform/Failure.h"
#include "platform/ReplacingFile.h"

#include <QString>

namespace quillora {

// What the user is told of a failed step of a result file in folder.
Failure resultFailure(FileError error, const QString& folder);

} // namespace quillora
