// Reads the file of one stored value: only a regular file, and never waiting on a pipe or device in its place.
#pragma once

#include "platform/SettingsStore.h"

namespace quillora {

// Missing when nothing is at path; Unreadable, with the reason, when a folder, pipe, device or a file that cannot
// be opened or read is there.
StoredValue readSettingsValueFile(const QString& path);

} // namespace quillora
