// A seeded random walk over the real windows: thousands of choices, typed texts, option clicks
// and button presses, with the program's state checked after every one of them.
//
// HELMIRA_WALK_SEED replays a walk (the seed is printed at the start of every run);
// HELMIRA_WALK_STEPS changes its length.

#include "gui.h"

#include "calc/formulas.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/widgets.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QRadioButton>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

using calc::Integer;
using forms::WindowId;
using runtime::OutputBox;
using runtime::RuntimeError;
using runtime::Variant;

namespace {

using Inputs = std::array<Integer, 3>;
using Formula = std::function<Variant(const Variant &pi, const Inputs &in)>;

// What a calculator window is made of, as a person sees it: which boxes feed which formula.
struct Page {
    WindowId id;
    const char *calculate;
    std::vector<const char *> inputs; // reading order, top to bottom
    Formula formula;                  // the cylinder area's depends on its options
};

const std::vector<Page> &pages() {
    using namespace calc;
    static const std::vector<Page> table{
        {WindowId::frmTriangleArea,
         "cmdTriArea",
         {"txtbAreaTri", "txthAreaTri"},
         [](const Variant &, const Inputs &in) { return Variant(triangleArea(in[0], in[1])); }},
        {WindowId::frmCircleArea,
         "cmdCircleArea",
         {"txtCircleAreaRadius"},
         [](const Variant &pi, const Inputs &in) { return Variant(circleArea(pi, in[0])); }},
        {WindowId::frmEllipseArea,
         "cmdEllipseArea",
         {"txtEllipseAreaROne", "txtEllipseAreaRTwo"},
         [](const Variant &pi, const Inputs &in) {
             return Variant(ellipseArea(pi, in[0], in[1]));
         }},
        {WindowId::frmSphereArea,
         "cmdAreaSphere",
         {"txtAreaSphereRadius"},
         [](const Variant &pi, const Inputs &in) { return Variant(sphereSurface(pi, in[0])); }},
        {WindowId::frmCylinderArea,
         "cmdCylinderArea",
         {"txtCylAreaRadius", "txtCylAreaHeight"},
         nullptr},
        {WindowId::frmTorusArea,
         "cmdAreaTorus",
         {"txtAreaTorusRadius1", "txtAreaTorusRadius2"},
         [](const Variant &pi, const Inputs &in) { return torusSurface(pi, in[0], in[1]); }},
        {WindowId::frmSphereVol,
         "cmdVolSphere",
         {"txtVolSphereRadius"},
         [](const Variant &pi, const Inputs &in) { return Variant(sphereVolume(pi, in[0])); }},
        {WindowId::frmPyramidVol,
         "cmdVolPyramid",
         {"txtVolumePyramidB", "txtVolumePyramidH"},
         [](const Variant &, const Inputs &in) { return Variant(pyramidVolume(in[0], in[1])); }},
        {WindowId::frmEllipsoidVol,
         "cmdVolEllipsoid",
         {"txtVolEllipsoidR1", "txtVolEllipsoidR2", "txtVolEllipsoidR3"},
         [](const Variant &pi, const Inputs &in) {
             return Variant(ellipsoidVolume(pi, in[0], in[1], in[2]));
         }},
        {WindowId::frmCylinderVol,
         "cmdVolCylinder",
         {"txtVolCylinderR", "txtVolCylinderH"},
         [](const Variant &pi, const Inputs &in) {
             return Variant(cylinderVolume(pi, in[0], in[1]));
         }},
        {WindowId::frmConeVol,
         "cmdVolCone",
         {"txtVolConeR", "txtVolConeH"},
         [](const Variant &pi, const Inputs &in) { return Variant(coneVolume(pi, in[0], in[1])); }},
        {WindowId::frmTorusVol,
         "cmdVolTorus",
         {"txtVolTorusR1", "txtVolTorusR2"},
         [](const Variant &pi, const Inputs &in) {
             return Variant(torusVolume(pi, in[0], in[1]));
         }},
    };
    return table;
}

// The cylinder area's three options and the formula each one prints.
const std::array<std::pair<const char *, Formula>, 3> &cylinderOptions() {
    using namespace calc;
    static const std::array<std::pair<const char *, Formula>, 3> options{{
        {"optOpen",
         [](const Variant &pi, const Inputs &in) {
             return Variant(cylinderSidesOpenSurface(pi, in[0], in[1]));
         }},
        {"optOne",
         [](const Variant &pi, const Inputs &in) {
             return Variant(cylinderOneSideOpenSurface(pi, in[0], in[1]));
         }},
        {"optClosed",
         [](const Variant &pi, const Inputs &in) {
             return Variant(cylinderSidesClosedSurface(pi, in[0], in[1]));
         }},
    }};
    return options;
}

QString windowName(WindowId id) {
    return QString::fromUtf8(forms::layoutOf(id).name.data(),
                             static_cast<qsizetype>(forms::layoutOf(id).name.size()));
}

// Returns whether `text` is what the output box may show: the shortest text of a finite double.
bool isNumberText(const QString &text) {
    const std::string bytes = text.toStdString();
    char *end = nullptr;
    const double value = std::strtod(bytes.c_str(), &end);
    return end == bytes.c_str() + bytes.size() && std::isfinite(value) &&
           runtime::numberText(value) == bytes;
}

// Types `text` key by key into `widget`, as a keyboard with every character on it would.
// A character beyond the 16-bit range comes as one key with both halves of its pair.
void type(QWidget *widget, const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
            continue;
        }
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
}

// Answers every message box the moment it is shown, and keeps what it said.
class InstantBoxAnswerer : public QObject {
public:
    struct Box {
        QString objectName;
        QString text;
    };

    InstantBoxAnswerer() { qApp->installEventFilter(this); }
    ~InstantBoxAnswerer() override { qApp->removeEventFilter(this); }

    std::vector<Box> take() { return std::exchange(m_seen, {}); }

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        if (event->type() != QEvent::Show)
            return false;
        auto *box = qobject_cast<QMessageBox *>(object);
        if (!box)
            return false;
        m_seen.push_back({box->objectName(), box->text()});
        // Pressed from the box's own event loop, as a person would once it is up.
        QMetaObject::invokeMethod(
            box,
            [box] {
                if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->reject();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    std::vector<Box> m_seen;
};

// Texts a person might type: numbers near every boundary, in every notation the reader
// accepts or refuses, with blanks, junk, letters and characters from other scripts.
class TextMaker {
public:
    explicit TextMaker(std::mt19937_64 &random)
        : m_random(random) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    QString shortText() {
        QString text;
        const int parts = 1 + below(3);
        for (int i = 0; i < parts; ++i)
            text += chance(65) ? numberLike() : junk();
        // Cut at 40, never between the halves of a pair.
        return text.left(text.size() > 40 && text[39].isHighSurrogate() ? 39 : 40);
    }

    // A text of 100,000 characters, of one of the kinds that reading it must survive.
    QString longText() {
        constexpr int length = 100000;
        switch (below(4)) {
        case 0:
            return QString(length, QLatin1Char('9'));
        case 1:
            return QStringLiteral("0.") + QString(length - 3, QLatin1Char('0')) + QLatin1Char('7');
        case 2:
            return QString(length - 1, QLatin1Char(' ')) + QLatin1Char('5');
        default: {
            QString text;
            text.reserve(length);
            while (text.size() < length)
                text += shortText();
            return text.left(length);
        }
        }
    }

private:
    QString digits(int most) {
        QString text;
        const int count = below(most + 1);
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + below(10));
        return text;
    }

    QString numberLike() {
        static const char *const edges[] = {
            "32767", "32767.5", "32767.49999", "-32768", "-32768.5", "-32768.5000001",
            "32768", "1e400",   "-1e400",      "1e-400", ".5",       "-.5",
            "0.5",   "1.5",     "2.5",         "  +7  ", "1e4",      "3.2767E4",
            "181",   "182",     "128",         "256",    "20000",    "-1",
            "0",     "-0",      "+",           "-",      ".",        "e5",
            "1e",    "1e+",     "0x10",        "1,5",    "1_000",    "٣",
        };
        if (chance(35))
            return QString::fromUtf8(edges[below(std::size(edges))]);
        QString text;
        if (chance(30))
            text += chance(50) ? u'-' : u'+';
        text += digits(chance(10) ? 30 : 5);
        if (chance(30))
            text += u'.' + digits(4);
        if (chance(20)) {
            text += chance(50) ? u'e' : u'E';
            if (chance(50))
                text += chance(50) ? u'-' : u'+';
            text += digits(3);
        }
        if (chance(15))
            text = QStringLiteral("  ") + text + QStringLiteral(" ");
        return text;
    }

    QString junk() {
        static const char16_t *const pieces[] = {
            u" ",    u"  ", u"abc",    u"x", u"E", u"é", u"½", u"３", u"π", u"€",
            u"日本", u"ß",  u"\u0301", u"Ω", u"٣", u"-", u"+", u"..", u"😀", u"𝟙",
        };
        return QString::fromUtf16(pieces[below(std::size(pieces))]);
    }

    std::mt19937_64 &m_random;
};

// The walk: one random user action at a time on whichever window is visible, each followed by
// checks of everything a person could see. Each check failure is returned as a description.
class Walk {
public:
    Walk(app::WindowSet &windows, std::uint64_t seed)
        : m_windows(windows)
        , m_random(seed)
        , m_texts(m_random) {}

    int messageBoxes() const { return m_boxes; }
    int results() const { return m_results; }
    int longTexts() const { return m_longTexts; }
    int realListClicks() const { return m_listClicks; }

    // Performs one action and checks the program afterwards; returns what went wrong, if any.
    QString step() {
        m_expectedBoxes.clear();
        QString failure = act();
        if (failure.isEmpty())
            failure = check();
        return failure;
    }

    QString visible() const {
        const QStringList shown = testing::visibleWindows();
        return shown.size() == 1 ? shown.front() : QString();
    }

    runtime::Form &form(WindowId id) { return m_windows.slot(id); }

private:
    template <class Widget> Widget *widget(WindowId id, const char *name) {
        return testing::control<Widget>(form(id), name);
    }

    QString act() {
        if (m_expectedWindow == QLatin1String("frmMain"))
            return actOnMain();
        return actOnCalculator();
    }

    // --- the main window -------------------------------------------------------------------

    QString actOnMain() {
        const char *name = m_texts.chance(50) ? "cboArea" : "cboVolume";
        QComboBox *combo = widget<QComboBox>(WindowId::frmMain, name);
        const int roll = m_texts.below(100);
        if (roll < 50)
            return choose(combo, m_texts.below(combo->count()));
        if (roll < 85)
            return typeIntoSelector(combo);
        // An arrow key on the closed selector chooses the neighbouring item.
        const bool down = m_texts.chance(50);
        const int target = combo->currentIndex() + (down ? 1 : -1);
        if (combo->currentIndex() < 0 || target < 0 || target >= combo->count())
            return typeIntoSelector(combo);
        QTest::keyClick(combo, down ? Qt::Key_Down : Qt::Key_Up);
        return opened(combo, target);
    }

    QString choose(QComboBox *combo, int row) {
        // Mostly the selector's own Click path; now and then a real click in the open list.
        if (m_texts.chance(10) && row != combo->currentIndex()) {
            ++m_listClicks;
            if (!testing::chooseFromList(combo, combo->itemText(row)))
                return QStringLiteral("could not choose %1 from the list")
                    .arg(combo->itemText(row));
        } else {
            combo->setCurrentIndex(row);
            Q_EMIT combo->activated(row);
        }
        return opened(combo, row);
    }

    QString opened(QComboBox *combo, int row) {
        const QString suffix =
            combo->objectName() == QLatin1String("cboArea") ? QStringLiteral("Area") : "Vol";
        m_expectedWindow = QStringLiteral("frm") + combo->itemText(row) + suffix;
        if (combo->currentText() != combo->itemText(row))
            return QStringLiteral("the selector shows %1 after %2 was chosen")
                .arg(combo->currentText(), combo->itemText(row));
        return {};
    }

    QString typeIntoSelector(QComboBox *combo) {
        QLineEdit *field = combo->lineEdit();
        if (m_texts.chance(50))
            field->clear();
        field->end(false);
        // Now and then the name of an item, whole or begun, in its case or another, since
        // only a choice from the list may open a window.
        QString typed = m_texts.shortText();
        if (m_texts.chance(30)) {
            typed = combo->itemText(m_texts.below(combo->count()));
            if (m_texts.chance(30))
                typed = typed.left(1 + m_texts.below(int(typed.size())));
            if (m_texts.chance(30))
                typed = m_texts.chance(50) ? typed.toLower() : typed.toUpper();
        }
        const QString expected = field->text() + typed;
        // The keys go where the keyboard sends them: to the selector's field, which has the
        // focus whenever the selector has.
        type(field, typed);
        static constexpr Qt::Key confirmations[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab};
        if (m_texts.chance(50))
            QTest::keyClick(field, confirmations[m_texts.below(3)]);
        if (combo->currentText() != expected)
            return QStringLiteral("the selector shows \"%1\" after typing \"%2\"")
                .arg(combo->currentText(), expected);
        if (combo->count() != 6)
            return QStringLiteral("typing changed the selector's list");
        return {};
    }

    // --- a calculator window ---------------------------------------------------------------

    const Page &visiblePage() const {
        for (const Page &page : pages()) {
            if (windowName(page.id) == m_expectedWindow)
                return page;
        }
        std::abort();
    }

    QString actOnCalculator() {
        const Page &page = visiblePage();
        const int roll = m_texts.below(100);
        if (roll < 45)
            return typeIntoBox(
                widget<QLineEdit>(page.id, page.inputs[m_texts.below(int(page.inputs.size()))]));
        if (roll < 55 && page.id == WindowId::frmCylinderArea) {
            auto *option = widget<QRadioButton>(page.id, cylinderOptions()[m_texts.below(3)].first);
            QTest::mouseClick(option, Qt::LeftButton);
            return option->isChecked() ? QString() : QStringLiteral("a clicked option is off");
        }
        if (roll < 85)
            return calculate(page);
        if (roll < 93)
            return clear(page);
        press(widget<QPushButton>(page.id, "cmdBack"));
        m_expectedWindow = QStringLiteral("frmMain");
        return {};
    }

    // Presses a button with the mouse, or with the space bar once it has the focus.
    void press(QPushButton *button) {
        if (m_texts.chance(80)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Space);
        }
    }

    QString typeIntoBox(QLineEdit *box) {
        if (m_texts.chance(1)) {
            // Too long to type key by key; pasted, as a person would bring it.
            ++m_longTexts;
            const QString text = m_texts.longText();
            box->setText(text);
            return box->text() == text
                       ? QString()
                       : QStringLiteral("a pasted long text was cut to %1").arg(box->text().size());
        }
        // Typing into a long text relays out all of it at every key; mostly it is replaced.
        if (m_texts.chance(box->text().size() > 1000 ? 85 : 40))
            box->clear();
        box->end(false);
        const QString typed = m_texts.shortText();
        const QString expected = box->text() + typed;
        type(box, typed);
        if (box->text() != expected)
            return QStringLiteral("%1 shows \"%2\" after typing \"%3\"")
                .arg(box->objectName(), box->text(), expected);
        return {};
    }

    QString clear(const Page &page) {
        press(widget<QPushButton>(page.id, "cmdClear"));
        for (const char *name : page.inputs) {
            if (!widget<QLineEdit>(page.id, name)->text().isEmpty())
                return QStringLiteral("Clear left %1 filled").arg(name);
        }
        if (!output(page)->shownLine().isEmpty())
            return QStringLiteral("Clear left the result shown");
        QLineEdit *first = widget<QLineEdit>(page.id, page.inputs.front());
        if (form(page.id).window()->focusWidget() != first)
            return QStringLiteral("Clear did not put the focus in the first box");
        return {};
    }

    OutputBox *output(const Page &page) { return form(page.id).window()->findChild<OutputBox *>(); }

    // Works out what a Calculate must show from the texts in the boxes, presses it, and checks
    // the result line, the reports and where the focus went.
    QString calculate(const Page &page) {
        QString line;
        QWidget *focus = nullptr;
        Inputs values{};
        bool read = true;
        for (std::size_t i = 0; i < page.inputs.size() && read; ++i) {
            QLineEdit *box = widget<QLineEdit>(page.id, page.inputs[i]);
            try {
                values[i] = calc::integerInput(runtime::TextBox(box));
            } catch (const RuntimeError &error) {
                m_expectedBoxes.push_back({QStringLiteral("errorReport"), error.what()});
                focus = box;
                read = false;
            }
        }
        Formula formula = page.formula;
        if (read && !formula) {
            for (const auto &[name, optionFormula] : cylinderOptions()) {
                if (widget<QRadioButton>(page.id, name)->isChecked())
                    formula = optionFormula;
            }
            if (!formula) {
                m_expectedBoxes.push_back(
                    {QStringLiteral("messageBox"), QStringLiteral("Please select cylinder type.")});
                focus = widget<QRadioButton>(page.id, "optOpen");
            }
        }
        if (read && formula) {
            try {
                line =
                    QString::fromStdString(runtime::numberText(formula(calc::piValue(), values)));
            } catch (const runtime::StepOverflow &error) {
                // Reported with the captions of the two boxes; the focus goes to the first.
                const auto caption = [&](int position) {
                    return widget<QLineEdit>(page.id, page.inputs[std::size_t(position)])
                        ->accessibleName()
                        .toStdString();
                };
                m_expectedBoxes.push_back(
                    {QStringLiteral("errorReport"),
                     QString::fromStdString(runtime::stepOverflowReport(
                         error.step(), caption(error.first()), caption(error.second())))});
                focus = widget<QLineEdit>(page.id, page.inputs[std::size_t(error.first())]);
            } catch (const RuntimeError &error) {
                m_expectedBoxes.push_back({QStringLiteral("errorReport"), error.what()});
            }
        }

        press(widget<QPushButton>(page.id, page.calculate));

        const QString shown = output(page)->shownLine();
        m_results += shown.isEmpty() ? 0 : 1;
        if (shown != line)
            return QStringLiteral("%1 shows \"%2\" where \"%3\" is due")
                .arg(windowName(page.id), shown, line);
        if (focus && form(page.id).window()->focusWidget() != focus)
            return QStringLiteral("the focus is not in %1 after its report")
                .arg(focus->objectName());
        if (auto *box = qobject_cast<QLineEdit *>(focus); box && box->selectedText() != box->text())
            return QStringLiteral("the text of %1 is not selected after its report")
                .arg(box->objectName());
        return {};
    }

    // --- the checks after every action -----------------------------------------------------

    QString check() {
        // The program answers: a zero timer fires and the event loop comes back.
        bool answered = false;
        QTimer::singleShot(0, qApp, [&answered] { answered = true; });
        QElapsedTimer waited;
        waited.start();
        while (!answered && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!answered)
            return QStringLiteral("the program stopped answering");

        if (QApplication::activeModalWidget())
            return QStringLiteral("a modal window is still open");
        const std::vector<InstantBoxAnswerer::Box> seen = m_answerer.take();
        m_boxes += int(seen.size());
        for (const auto &box : seen) {
            if (box.text.isEmpty())
                return QStringLiteral("a message box %1 said nothing").arg(box.objectName);
        }
        if (seen.size() != m_expectedBoxes.size())
            return QStringLiteral("%1 message boxes where %2 were due")
                .arg(seen.size())
                .arg(m_expectedBoxes.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            if (seen[i].objectName != m_expectedBoxes[i].objectName ||
                seen[i].text != m_expectedBoxes[i].text)
                return QStringLiteral("message box %1 \"%2\" where %3 \"%4\" was due")
                    .arg(seen[i].objectName, seen[i].text, m_expectedBoxes[i].objectName,
                         m_expectedBoxes[i].text);
        }

        const QStringList shown = testing::visibleWindows();
        if (shown != QStringList{m_expectedWindow})
            return QStringLiteral("visible: %1 where %2 is due")
                .arg(shown.join(QLatin1Char(' ')), m_expectedWindow);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(top) && top->isVisible())
                return QStringLiteral("a message box is still shown");
        }

        std::set<QString> names;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            const QString name = top->objectName();
            if (name.startsWith(QLatin1String("frm")) && !names.insert(name).second)
                return QStringLiteral("a second instance of %1").arg(name);
        }
        if (names.size() > forms::windowCount)
            return QStringLiteral("%1 program windows").arg(names.size());

        for (const Page &page : pages()) {
            if (!m_windows.exists(page.id) || !form(page.id).window())
                continue;
            const QString line = output(page)->shownLine();
            if (!line.isEmpty() && !isNumberText(line))
                return QStringLiteral("%1 shows \"%2\", which is no number's shortest text")
                    .arg(windowName(page.id), line);
        }
        return {};
    }

    struct ExpectedBox {
        QString objectName;
        QString text;
    };

    app::WindowSet &m_windows;
    std::mt19937_64 m_random;
    TextMaker m_texts;
    InstantBoxAnswerer m_answerer;
    QString m_expectedWindow = QStringLiteral("frmMain");
    std::vector<ExpectedBox> m_expectedBoxes;
    int m_boxes = 0;
    int m_results = 0;
    int m_longTexts = 0;
    int m_listClicks = 0;
};

std::uint64_t walkSeed() {
    bool ok = false;
    const std::uint64_t seed = qEnvironmentVariable("HELMIRA_WALK_SEED").toULongLong(&ok);
    if (ok)
        return seed;
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

int walkSteps(int fallback) {
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("HELMIRA_WALK_STEPS", &ok);
    return ok && steps > 0 ? steps : fallback;
}

// Runs `steps` actions; returns the first failure, naming the step and the seed.
QString runWalk(Walk &walk, int steps, std::uint64_t seed) {
    for (int i = 1; i <= steps; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QString failure = walk.step();
        if (!failure.isEmpty())
            return QStringLiteral("step %1 of seed %2: %3").arg(i).arg(seed).arg(failure);
        if (timer.elapsed() > 10000)
            return QStringLiteral("step %1 of seed %2 took %3 ms")
                .arg(i)
                .arg(seed)
                .arg(timer.elapsed());
    }
    return {};
}

} // namespace

class TestRandomWalk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void walkKeepsEveryWindowHonest() {
        const std::uint64_t seed = walkSeed();
        const int steps = walkSteps(5000);
        qInfo("random walk: seed %llu, %d steps (HELMIRA_WALK_SEED=%llu replays it)",
              static_cast<unsigned long long>(seed), steps, static_cast<unsigned long long>(seed));
        app::WindowSet windows;
        windows.start();
        QVERIFY(QTest::qWaitForWindowExposed(windows.slot(WindowId::frmMain).window()));
        Walk walk(windows, seed);
        QElapsedTimer timer;
        timer.start();
        const QString failure = runWalk(walk, steps, seed);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        qInfo("%d steps in %lld ms: %d results shown, %d message boxes answered, %d long texts, "
              "%d choices clicked in the open list",
              steps, static_cast<long long>(timer.elapsed()), walk.results(), walk.messageBoxes(),
              walk.longTexts(), walk.realListClicks());
        // A walk that never reached a result or a report would prove little.
        if (steps >= 1000) {
            QVERIFY(walk.results() > 0);
            QVERIFY(walk.messageBoxes() > 0);
        }
    }

    void theProgramStillEndsAfterAWalk_data() {
        QTest::addColumn<QString>("ending");
        QTest::newRow("Alt+X on the main window") << "alt-x";
        QTest::newRow("Close on a calculator window") << "close";
        QTest::newRow("title bar of the window shown") << "title";
    }

    void theProgramStillEndsAfterAWalk() {
        QFETCH(QString, ending);
        const std::uint64_t seed = walkSeed();
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--walk-then-end"), ending, QString::number(seed)});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("ended"));
    }
};

namespace {

// The child side of theProgramStillEndsAfterAWalk: a short walk, then one way of ending the
// program from the window it left shown, inside the real event loop.
int runChild(const QString &ending, std::uint64_t seed) {
    app::WindowSet windows;
    windows.start();
    Walk walk(windows, seed);
    const QString failure = runWalk(walk, 300, seed);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 4;
    }
    QTimer::singleShot(10000, [] { QCoreApplication::exit(3); });
    QTimer::singleShot(0, [&] {
        const QString shown = walk.visible();
        const bool onMain = shown == QLatin1String("frmMain");
        WindowId current = WindowId::frmMain;
        for (const WindowId id : forms::windowOrder()) {
            if (windowName(id) == shown)
                current = id;
        }
        if (ending == QLatin1String("alt-x")) {
            if (!onMain)
                QTest::mouseClick(testing::control<QPushButton>(walk.form(current), "cmdBack"),
                                  Qt::LeftButton);
            QWidget *main = walk.form(WindowId::frmMain).window();
            main->activateWindow();
            if (QTest::qWaitForWindowActive(main))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
        } else if (ending == QLatin1String("close")) {
            if (onMain)
                windows.switchTo(current = WindowId::frmTorusVol);
            runtime::Form &form = walk.form(current);
            QPushButton *close = testing::control<QPushButton>(form, "cmdExit");
            if (!close)
                close = testing::control<QPushButton>(form, "cmdClose");
            QTest::mouseClick(close, Qt::LeftButton);
        } else {
            walk.form(current).window()->close();
        }
    });
    return testing::runUntilEnd();
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--walk-then-end"))
        return runChild(arguments[2], arguments[3].toULongLong());
    TestRandomWalk test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_random_walk.moc"
