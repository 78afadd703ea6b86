#include "app/display.h"

#include <QtGlobal>

#include <xcb/xcb.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace app {

namespace {

const char *const programName = "helmira-geometric-calculator";

std::string environment(const char *name) {
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Connects to the X server that DISPLAY names; the connection has an error when the server does
// not answer or does not accept this client.
xcb_connection_t *connectX11() {
    if (environment("DISPLAY").empty())
        return nullptr;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) == 0)
        return connection;
    xcb_disconnect(connection);
    return nullptr;
}

// The Wayland display a client would connect to: WAYLAND_DISPLAY, or "wayland-0" when unset.
std::string waylandName() {
    const std::string name = environment("WAYLAND_DISPLAY");
    return name.empty() ? std::string("wayland-0") : name;
}

// Whether a Wayland compositor listens on the socket that WAYLAND_DISPLAY names, relative to
// XDG_RUNTIME_DIR unless it is an absolute path, as the Wayland client library finds it.
bool waylandAnswers() {
    // A compositor that started the program may hand it an open connection instead.
    if (!environment("WAYLAND_SOCKET").empty())
        return true;
    const std::string name = waylandName();
    std::string path = name;
    if (name.front() != '/') {
        const std::string runtimeDir = environment("XDG_RUNTIME_DIR");
        if (runtimeDir.empty())
            return false;
        path = runtimeDir + '/' + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answers =
        connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    close(fd);
    return answers;
}

std::vector<std::string> split(const std::string &list) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= list.size()) {
        const std::string::size_type end = std::min(list.find(';', start), list.size());
        if (end > start)
            parts.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// The platform's name without its options ("xcb" for "xcb:option=value").
std::string_view kind(const std::string &platform) {
    return std::string_view(platform).substr(0, platform.find(':'));
}

bool waylandKind(std::string_view name) {
    return name.substr(0, 7) == "wayland";
}

std::string quoted(const std::string &text) {
    return '"' + text + '"';
}

QtMessageHandler previousHandler = nullptr;

void reportStartFailure(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: cannot start on this display: no usable windowing platform\n",
                     programName);
        std::_Exit(2);
    }
    if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

DisplayChoice::DisplayChoice() {
    m_problem = choose();
}

DisplayChoice::~DisplayChoice() {
    release();
}

void DisplayChoice::release() {
    if (m_x11)
        xcb_disconnect(m_x11);
    m_x11 = nullptr;
}

std::string DisplayChoice::choose() {
    const std::string chosen = environment("QT_QPA_PLATFORM");
    const bool waylandSession =
        !environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland";
    const std::vector<std::string> candidates = !chosen.empty() ? split(chosen)
                                                : waylandSession
                                                    ? std::vector<std::string>{"wayland", "xcb"}
                                                    : std::vector<std::string>{"xcb"};
    if (candidates.empty())
        return {};

    std::string answering;
    std::string silent;
    for (const std::string &platform : candidates) {
        // Once one answers, the rest are only the toolkit's fall-backs: they are not tried, as a
        // desktop may start its X server on the first connection.
        if (!answering.empty()) {
            answering += ';' + platform;
            continue;
        }
        bool answers = false;
        std::string display;
        if (kind(platform) == "xcb") {
            if (!m_x11)
                m_x11 = connectX11();
            answers = m_x11 != nullptr;
            const std::string name = environment("DISPLAY");
            display = name.empty() ? std::string() : "the X11 display " + quoted(name);
        } else if (waylandKind(kind(platform))) {
            answers = waylandAnswers();
            display = "the Wayland display " + quoted(waylandName());
        } else {
            // A platform that needs no desktop display, or one not tried here: the toolkit's.
            return {};
        }
        if (answers)
            answering = platform;
        else if (!display.empty())
            silent += (silent.empty() ? "" : " or ") + display;
    }
    if (answering.empty()) {
        const std::string what = silent.empty()
                                     ? "no display to open: DISPLAY and WAYLAND_DISPLAY are not set"
                                     : "cannot open " + silent;
        return std::string(programName) + ": " + what + "; start it in a desktop session";
    }
    // Set even when it names the only choice, so that the toolkit's own guess from the session
    // type does not pass it over.
    setenv("QT_QPA_PLATFORM", answering.c_str(), 1);
    return {};
}

StartFailureGuard::StartFailureGuard() {
    previousHandler = qInstallMessageHandler(reportStartFailure);
}

StartFailureGuard::~StartFailureGuard() {
    qInstallMessageHandler(previousHandler);
}

} // namespace app
