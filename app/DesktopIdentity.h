// The names the desktop knows the program's windows by, so docks group them under the menu entry.
#pragma once

namespace quillora {

// Names the application "quillora", which Qt gives every window as its class (WM_CLASS on X11) and which the menu
// entry's StartupWMClass repeats, and the menu entry itself, which Wayland takes as the windows' application id.
// Whatever name the executable was started under.
void setDesktopIdentity();

} // namespace quillora
