// Makes the folders a result path needs.
#pragma once

#include <QString>

namespace quillora {

// Makes folder and the folders above it that are missing, with the permissions the umask leaves; throws Failure,
// naming the folder and the system's reason, when it cannot.
void makeFolderPath(const QString& folder);

} // namespace quillora
