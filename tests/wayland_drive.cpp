// The program's windows driven through one short session on whatever platform it was started
// with; tests/wayland.sh runs it on a headless Wayland compositor. It chooses a shape in the
// volume selector, calculates, goes Back, opens another shape and ends through its Close button.
// Exits 0 when Close ended the program after every step went as expected; otherwise it names
// the step that failed on standard error and exits 1.

#include "gui.h"

#include "app/identity.h"
#include "runtime/widgets.h"

#include <QLineEdit>

#include <cstdio>

using forms::WindowId;
using testing::control;

namespace {

// Fails the run with `why` unless `ok`; returns `ok`.
bool expect(bool ok, const char *why) {
    if (!ok) {
        std::fprintf(stderr, "wayland_drive: %s\n", why);
        QCoreApplication::exit(1);
    }
    return ok;
}

bool shows(WindowId id) {
    const QString name = QString::fromUtf8(forms::layoutOf(id).name.data(),
                                           static_cast<qsizetype>(forms::layoutOf(id).name.size()));
    return QTest::qWaitFor([&] { return testing::visibleWindows() == QStringList{name}; });
}

void drive(app::WindowSet &windows) {
    runtime::Form &main = windows.slot(WindowId::frmMain);
    if (!expect(QGuiApplication::platformName() == QLatin1String("wayland"),
                "not running on the wayland platform") ||
        !expect(QTest::qWaitForWindowExposed(main.window()), "the main window was not exposed"))
        return;

    // Down in the closed volume selector chooses its first shape, as a click in its list does.
    auto *volumes = control<QComboBox>(main, "cboVolume");
    volumes->setFocus();
    QTest::keyClick(volumes, Qt::Key_Down);
    if (!expect(shows(WindowId::frmSphereVol), "Sphere did not open its window"))
        return;
    runtime::Form &sphere = windows.slot(WindowId::frmSphereVol);
    QTest::keyClicks(control<QLineEdit>(sphere, "txtVolSphereRadius"), QStringLiteral("3"));
    QTest::mouseClick(control<QPushButton>(sphere, "cmdVolSphere"), Qt::LeftButton);
    if (!expect(control<runtime::OutputBox>(sphere, "picVol")->shownLine() ==
                    QLatin1String("113.14285714285712"),
                "Calculate did not print the sphere's volume"))
        return;

    QTest::mouseClick(control<QPushButton>(sphere, "cmdBack"), Qt::LeftButton);
    if (!expect(shows(WindowId::frmMain), "Back did not show the main window"))
        return;

    QTest::keyClick(volumes, Qt::Key_Down);
    if (!expect(shows(WindowId::frmPyramidVol), "Pyramid did not open its window"))
        return;
    QTest::mouseClick(control<QPushButton>(windows.slot(WindowId::frmPyramidVol), "cmdExit"),
                      Qt::LeftButton);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    app::identifyApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    app::WindowSet windows;
    windows.start();
    QTimer::singleShot(20000, [] { expect(false, "nothing ended the program"); });
    QTimer::singleShot(0, [&] { drive(windows); });
    return QApplication::exec();
}
