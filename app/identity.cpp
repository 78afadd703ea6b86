#include "app/identity.h"

#include <QApplication>

namespace app {

void identifyApplication() {
    // The X window class (WM_CLASS) takes this name.
    QApplication::setApplicationName(QStringLiteral("helmira-geometric-calculator"));
    QApplication::setApplicationVersion(QStringLiteral(HELMIRA_DISPLAY_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Helmira Solutions"));
    // The Wayland app id, and the desktop entry that names the program in docks and task lists.
    QApplication::setDesktopFileName(QStringLiteral("io.github.helmira.GeometricCalculator"));
    // No application display name: the X11 and Wayland platforms would append it to every
    // window's title, and a title must read as the window's caption alone.
}

} // namespace app
