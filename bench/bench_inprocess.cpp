// In-process benchmark: the window operations a person waits for, each timed from the call to
// the end of the repaint it causes, over many repetitions.
//
//   helmira_bench_inprocess [--quick] [--strict]
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "app/identity.h"
#include "app/windowset.h"
#include "runtime/widgets.h"
#include "stats.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using forms::WindowId;

namespace {

constexpr double firstSwitchBudget = 25.0; // ms
constexpr double operationBudget = 2.0;    // ms: a later switch, Back, one Calculate

struct Choice {
    const char *selector;
    const char *item;
    WindowId window;
};

// The twelve calculator windows as the main window's selectors offer them.
const Choice choices[] = {
    {"cboArea", "Triangle", WindowId::frmTriangleArea},
    {"cboArea", "Circle", WindowId::frmCircleArea},
    {"cboArea", "Ellipse", WindowId::frmEllipseArea},
    {"cboArea", "Sphere", WindowId::frmSphereArea},
    {"cboArea", "Cylinder", WindowId::frmCylinderArea},
    {"cboArea", "Torus", WindowId::frmTorusArea},
    {"cboVolume", "Sphere", WindowId::frmSphereVol},
    {"cboVolume", "Pyramid", WindowId::frmPyramidVol},
    {"cboVolume", "Ellipsoid", WindowId::frmEllipsoidVol},
    {"cboVolume", "Cylinder", WindowId::frmCylinderVol},
    {"cboVolume", "Cone", WindowId::frmConeVol},
    {"cboVolume", "Torus", WindowId::frmTorusVol},
};

// Counts the paint events the widgets receive, so that every timed operation can be checked to
// have repainted what it changed.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// The offscreen platform cannot raise windows and says so on every Show; nothing else is hidden.
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message == QLatin1String("This plugin does not support raise()"))
        return;
    previousHandler(type, context, message);
}

[[noreturn]] void fail(const std::string &what) {
    std::fprintf(stderr, "helmira_bench_inprocess: %s\n", what.c_str());
    std::exit(2);
}

// Delivers what the operation left queued: expose, layout and paint events.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

double milliseconds(const QElapsedTimer &timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

template <class Widget> Widget *child(runtime::Form &form, const char *name) {
    auto *widget = form.window()->findChild<Widget *>(QString::fromLatin1(name));
    if (!widget)
        fail(std::string("no control ") + name);
    return widget;
}

// Chooses an item from a selector of the main window as a click in its list does.
void choose(app::WindowSet &windows, const Choice &choice) {
    auto *combo = child<QComboBox>(windows.slot(WindowId::frmMain), choice.selector);
    const int index = combo->findText(QString::fromLatin1(choice.item));
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

void expectShown(app::WindowSet &windows, WindowId id) {
    if (!windows.exists(id) || !windows.slot(id).window()->isVisible())
        fail("the window switch did not show " + std::string(windows.slot(id).layout().name));
}

QAbstractButton *calculateButton(runtime::Form &form) {
    for (QPushButton *button : form.window()->findChildren<QPushButton *>()) {
        if (button->text().trimmed() == QLatin1String("Calculate"))
            return button;
    }
    fail("no Calculate button on " + std::string(form.layout().name));
}

// Fills a calculator window's input boxes and, on the cylinder's surface, chooses an option.
void fillInputs(runtime::Form &form) {
    const char *values[] = {"12", "7", "3"};
    int next = 0;
    for (QLineEdit *box : form.window()->findChildren<QLineEdit *>())
        box->setText(QString::fromLatin1(values[next++ % 3]));
    const auto options = form.window()->findChildren<QRadioButton *>();
    if (!options.isEmpty())
        options.at(1)->setChecked(true);
}

QString outputLine(runtime::Form &form) {
    if (auto *box = form.window()->findChild<runtime::OutputBox *>())
        return box->shownLine();
    fail("no output box on " + std::string(form.layout().name));
}

struct Row {
    std::string name;
    bench::Summary summary;
    double budget = 0; // 0: none
};

} // namespace

int main(int argc, char *argv[]) {
    bool quick = false;
    bool strict = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else if (std::strcmp(argv[i], "--strict") == 0)
            strict = true;
        else {
            std::fputs("usage: helmira_bench_inprocess [--quick] [--strict]\n", stderr);
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(quietHandler);
    QApplication application(argc, argv);
    PaintCounter paints;
    application.installEventFilter(&paints);
    app::identifyApplication();
    QApplication::setQuitOnLastWindowClosed(false);

    const int oneTimeRuns = quick ? 5 : 30;
    const int repeatedRuns = quick ? 24 : 600;
    const int calculateRuns = quick ? 10 : 200;
    QElapsedTimer timer;
    std::vector<Row> rows;

    // Start-up: a new window set each time; the first one in the process is the cold start.
    double coldStart = 0;
    std::vector<double> starts;
    for (int i = 0; i <= oneTimeRuns; ++i) {
        timer.start();
        auto windows = std::make_unique<app::WindowSet>();
        windows->start();
        settle();
        const double elapsed = milliseconds(timer);
        expectShown(*windows, WindowId::frmMain);
        if (i == 0)
            coldStart = elapsed;
        else
            starts.push_back(elapsed);
    }
    rows.push_back({"start, first in the process", bench::summarize({coldStart})});
    rows.push_back({"start: build and show frmMain", bench::summarize(starts)});

    // The first switch builds the twelve calculator windows.
    std::vector<double> firstSwitches;
    for (int i = 0; i <= oneTimeRuns; ++i) {
        app::WindowSet windows;
        windows.start();
        settle();
        const Choice &choice = choices[static_cast<std::size_t>(i) % std::size(choices)];
        timer.start();
        choose(windows, choice);
        settle();
        const double elapsed = milliseconds(timer);
        expectShown(windows, choice.window);
        if (i > 0) // the first one also pays for the first calculator icon and fonts
            firstSwitches.push_back(elapsed);
    }
    rows.push_back(
        {"first switch (builds 12 windows)", bench::summarize(firstSwitches), firstSwitchBudget});

    // Later switches and Back, on one window set with every window built.
    app::WindowSet windows;
    windows.start();
    settle();
    choose(windows, choices[0]);
    settle();
    windows.back(choices[0].window);
    settle();
    std::vector<double> switches;
    std::vector<double> backs;
    for (int i = 0; i < repeatedRuns; ++i) {
        const Choice &choice = choices[static_cast<std::size_t>(i) % std::size(choices)];
        const int before = paints.count;
        timer.start();
        choose(windows, choice);
        settle();
        switches.push_back(milliseconds(timer));
        expectShown(windows, choice.window);
        if (paints.count == before)
            fail("the window switch painted nothing");

        auto *back = child<QAbstractButton>(windows.slot(choice.window), "cmdBack");
        timer.start();
        back->click();
        settle();
        backs.push_back(milliseconds(timer));
        expectShown(windows, WindowId::frmMain);
    }
    rows.push_back({"later switch", bench::summarize(switches), operationBudget});
    rows.push_back({"Back", bench::summarize(backs), operationBudget});

    // One Calculate with its print on each calculator window.
    for (const Choice &choice : choices) {
        choose(windows, choice);
        settle();
        runtime::Form &form = windows.slot(choice.window);
        fillInputs(form);
        QAbstractButton *calculate = calculateButton(form);
        std::vector<double> times;
        for (int i = 0; i < calculateRuns; ++i) {
            const int before = paints.count;
            timer.start();
            calculate->click();
            settle();
            times.push_back(milliseconds(timer));
            if (paints.count == before)
                fail("Calculate repainted nothing on " + std::string(form.layout().name));
        }
        if (outputLine(form).isEmpty())
            fail("Calculate printed nothing on " + std::string(form.layout().name));
        rows.push_back({"Calculate + print, " + std::string(form.layout().name),
                        bench::summarize(times), operationBudget});
        windows.back(choice.window);
        settle();
    }

    std::printf("In process (%s platform): QElapsedTimer, each operation up to its repaint\n",
                qPrintable(QApplication::platformName()));
    bench::header();
    bool over = false;
    for (const Row &row : rows) {
        bench::Verdict verdict;
        std::string budget;
        if (row.budget > 0) {
            verdict = {true, row.summary.median <= row.budget};
            char text[32];
            std::snprintf(text, sizeof text, "<= %g ms", row.budget);
            budget = text;
            over = over || !verdict.pass;
        }
        bench::row(row.name, row.summary, "ms", 3, budget, verdict);
    }
    return strict && over ? 1 : 0;
}
