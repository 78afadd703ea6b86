#include "app/windowset.h"
#include "runtime/style.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Returns whether a display the toolkit could use is configured.
bool haveDisplay() {
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[]) {
    if (!haveDisplay()) {
        std::fputs("helmira-geometric-calculator: no display found; start it in a desktop "
                   "session (DISPLAY or WAYLAND_DISPLAY unset)\n",
                   stderr);
        return 2;
    }
    runtime::FontConfigurationPreload fonts;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("helmira-geometric-calculator"));
    QApplication::setApplicationDisplayName(QStringLiteral("Helmira Geometric Calculator"));
    QApplication::setApplicationVersion(QStringLiteral(HELMIRA_DISPLAY_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Helmira Solutions"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.helmira.GeometricCalculator"));
    // The windows come and go through hiding; only End stops the program.
    QApplication::setQuitOnLastWindowClosed(false);

    fonts.wait();
    app::WindowSet windows;
    windows.start();
    return QApplication::exec();
}
