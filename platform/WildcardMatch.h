// Matches a file name against a wildcard pattern ("*" and "?") the way the platform's file search does.
#pragma once

#include <QStringView>

namespace quillora {

// Case-insensitive; "*.*" matches every name, names without a dot included.
bool wildcardMatches(QStringView pattern, QStringView name);

} // namespace quillora
