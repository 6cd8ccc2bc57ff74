// The names a user knows signals by.
#pragma once

#include <QString>

namespace quillora {

// "SIGINT", "SIGTERM", else "signal N".
QString signalName(int number);

} // namespace quillora
