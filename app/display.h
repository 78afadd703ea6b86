#pragma once

#include <string>

struct xcb_connection_t;

namespace app {

// Picks the windowing platform before the toolkit starts, so that the program opens its windows
// where the session is, and reports a display that cannot be opened instead of letting the
// toolkit abort.
//
// An explicit QT_QPA_PLATFORM is kept. Otherwise, in a Wayland session (WAYLAND_DISPLAY set or
// XDG_SESSION_TYPE=wayland) the candidates are Wayland, then X11; elsewhere X11 alone. The
// candidates are tried in order with a connection to their display, and QT_QPA_PLATFORM is set
// to the first that answers followed by the rest, so that the toolkit still falls back to X11
// when its Wayland platform is not installed. Other platforms (offscreen, minimal, ...) are not
// tried.
class DisplayChoice {
public:
    DisplayChoice();
    ~DisplayChoice();
    DisplayChoice(const DisplayChoice &) = delete;
    DisplayChoice &operator=(const DisplayChoice &) = delete;

    // Empty when the toolkit can start; otherwise one line saying which displays could not be
    // opened.
    const std::string &problem() const { return m_problem; }

    // Closes the connection that tried the X server. It is kept until the toolkit has its own:
    // an X server whose last client leaves starts afresh, and the toolkit would wait for that.
    void release();

private:
    std::string choose();

    std::string m_problem;
    xcb_connection_t *m_x11 = nullptr;
};

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
