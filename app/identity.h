#pragma once

namespace app {

// Names the program to the desktop once the application object exists: the name and class that
// the window manager sees, the version, and the desktop-file id by which a Wayland compositor and
// the desktop find its entry and icon. Each window's title stays exactly its caption.
void identifyApplication();

} // namespace app
