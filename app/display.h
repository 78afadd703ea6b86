#pragma once

#include <string>

namespace app {

// Picks the windowing platform before the toolkit starts, so that the program opens its windows
// where the session is, and reports a display that cannot be opened instead of letting the
// toolkit abort.
//
// An explicit QT_QPA_PLATFORM is kept. Otherwise, in a Wayland session (WAYLAND_DISPLAY set or
// XDG_SESSION_TYPE=wayland) the candidates are Wayland, then X11; elsewhere X11 alone. Each
// Wayland or X11 candidate is tried with a connection to its display, and QT_QPA_PLATFORM is set
// to those that answer, in order, so that the toolkit still falls back to X11 when its Wayland
// platform is not installed. Other platforms (offscreen, minimal, ...) are not tried.
//
// Returns an empty string when the toolkit can start, or else one line saying which displays
// could not be opened.
std::string chooseDisplay();

// While it lives, turns a failure of the toolkit to start its platform, which would abort the
// program, into one line on standard error and exit status 2; the toolkit's own warnings before
// it still go out as usual.
class StartFailureGuard {
public:
    StartFailureGuard();
    ~StartFailureGuard();
    StartFailureGuard(const StartFailureGuard &) = delete;
    StartFailureGuard &operator=(const StartFailureGuard &) = delete;
};

} // namespace app
