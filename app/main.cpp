#include "app/display.h"
#include "app/identity.h"
#include "app/windowset.h"
#include "runtime/style.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

// The two questions a desktop program answers without opening a window. Any other argument is
// left to the toolkit and otherwise ignored.
enum class Request { Run, Version, Help };

Request requestOf(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0)
            return Request::Version;
        if (std::strcmp(argv[i], "--help") == 0)
            return Request::Help;
    }
    return Request::Run;
}

const char usage[] = "Usage: helmira-geometric-calculator [--help | --version]\n"
                     "Calculates the areas, surface areas and volumes of geometric shapes.\n"
                     "Choose a shape in the main window, type its measurements as whole\n"
                     "numbers and press Calculate.\n"
                     "\n"
                     "  --help     show this help and exit\n"
                     "  --version  show the version and exit\n";

} // namespace

int main(int argc, char *argv[]) {
    switch (requestOf(argc, argv)) {
    case Request::Version:
        std::fputs("Helmira Geometric Calculator " HELMIRA_DISPLAY_VERSION "\n", stdout);
        return 0;
    case Request::Help:
        std::fputs(usage, stdout);
        return 0;
    case Request::Run:
        break;
    }
    app::DisplayChoice display;
    if (!display.problem().empty()) {
        std::fprintf(stderr, "%s\n", display.problem().c_str());
        return 2;
    }
    runtime::FontConfigurationPreload fonts;
    std::optional<app::StartFailureGuard> guard(std::in_place);
    QApplication application(argc, argv);
    guard.reset();
    display.release();
    app::identifyApplication();
    // The windows come and go through hiding; only End stops the program.
    QApplication::setQuitOnLastWindowClosed(false);

    fonts.wait();
    app::WindowSet windows;
    windows.start();
    return QApplication::exec();
}
