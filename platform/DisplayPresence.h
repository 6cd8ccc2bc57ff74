// Whether the windows have a display to open on, asked before Qt tries and aborts.
#pragma once

namespace quillora {

// False only where a desktop is known to be missing: on Linux and the BSDs with neither DISPLAY nor WAYLAND_DISPLAY
// set. A platform named by QT_QPA_PLATFORM or by Qt's -platform option (platformNamed) is left to Qt.
bool displayPresent(bool platformNamed);

} // namespace quillora
