// The twelve calculator windows driven as a person uses them: typing into the boxes, clicking
// Calculate, Clear and Back, reading the output box and answering the message boxes.

#include "gui.h"

#include "app/identity.h"
#include "runtime/widgets.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <algorithm>
#include <memory>

using forms::WindowId;
using testing::control;

namespace {

// What a calculator window shows, found the way a person finds it: by the buttons' texts and
// the boxes' places.
struct Page {
    QWidget *window = nullptr;
    QList<QLineEdit *> inputs; // top to bottom, the order they are read in
    QPushButton *calculate = nullptr;
    QPushButton *clear = nullptr;
    QPushButton *back = nullptr;
    QPushButton *close = nullptr;
    runtime::OutputBox *output = nullptr;
};

QPushButton *buttonReading(QWidget *window, const QString &text) {
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (button->text().trimmed() == text)
            return button;
    }
    return nullptr;
}

WindowId windowNamed(const QString &name) {
    for (const WindowId id : forms::windowOrder()) {
        const std::string_view windowName = forms::layoutOf(id).name;
        if (name == QLatin1String(windowName.data(), static_cast<qsizetype>(windowName.size())))
            return id;
    }
    qFatal("no window named %s", qPrintable(name));
}

// Clicks into the box, selects what it holds and types `text` over it.
void type(QLineEdit *box, const QString &text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

QString accessibleText(QWidget *widget, QAccessible::Text kind) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QStringLiteral("<no accessible interface>");
}

// The accessible names announced, in order, while the recorder is installed.
// What assistive technology is told: the event, its object, and the object's name then.
struct Told {
    QAccessible::Event type;
    QObject *object;
    QString name;
    QString inserted; // for a text update
};
QList<Told> told;

void recordTold(QAccessibleEvent *event) {
    QAccessibleInterface *face = event->accessibleInterface();
    Told entry{
        event->type(), event->object(), face ? face->text(QAccessible::Name) : QString(), {}};
    if (event->type() == QAccessible::TextUpdated)
        entry.inserted = static_cast<QAccessibleTextUpdateEvent *>(event)->textInserted();
    told.append(entry);
}

// The objects whose accessible description changed, while the recorder is installed.
QList<QObject *> descriptionChanges;

void recordDescriptionChange(QAccessibleEvent *event) {
    if (event->type() == QAccessible::DescriptionChanged)
        descriptionChanges.append(event->object());
}

const QString range = QStringLiteral(" is outside the range -32768 to 32767.");

QString inputReport(const QString &caption, const QString &number) {
    return QStringLiteral("\"%1\": %2").arg(caption, number) + range;
}

QString stepReport(const QString &step, const QString &first, const QString &second) {
    return QStringLiteral("The %1 of \"%2\" and \"%3\"").arg(step, first, second) + range;
}

const char *const calculatorWindows[] = {"frmTriangleArea", "frmCircleArea",   "frmEllipseArea",
                                         "frmSphereArea",   "frmCylinderArea", "frmTorusArea",
                                         "frmSphereVol",    "frmPyramidVol",   "frmEllipsoidVol",
                                         "frmCylinderVol",  "frmConeVol",      "frmTorusVol"};

} // namespace

class TestPages : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::WindowSet> m_windows;

    // Switches to the window and returns what it shows once it is active.
    Page open(const QString &name) {
        const WindowId id = windowNamed(name);
        m_windows->switchTo(id);
        Page page;
        page.window = m_windows->slot(id).window();
        if (!page.window || !QTest::qWaitForWindowActive(page.window))
            return {};
        page.inputs = page.window->findChildren<QLineEdit *>();
        std::sort(page.inputs.begin(), page.inputs.end(),
                  [](QLineEdit *a, QLineEdit *b) { return a->y() < b->y(); });
        page.calculate = buttonReading(page.window, QStringLiteral("Calculate"));
        page.clear = buttonReading(page.window, QStringLiteral("Clear"));
        page.back = buttonReading(page.window, QStringLiteral("Back"));
        page.close = buttonReading(page.window, QStringLiteral("Close"));
        page.output = page.window->findChild<runtime::OutputBox *>();
        return page;
    }

    static bool complete(const Page &page) {
        return page.window && !page.inputs.isEmpty() && page.calculate && page.clear && page.back &&
               page.close && page.output;
    }

    // Types the values into the boxes, top to bottom; an empty list leaves them as they are.
    static bool fill(const Page &page, const QStringList &values) {
        if (values.isEmpty())
            return true;
        if (values.size() != page.inputs.size())
            return false;
        for (qsizetype i = 0; i < values.size(); ++i) {
            type(page.inputs[i], values[i]);
            if (page.inputs[i]->text() != values[i])
                return false;
        }
        return true;
    }

    static bool chooseOption(const Page &page, const QString &name) {
        auto *option = page.window->findChild<QRadioButton *>(name);
        if (!option)
            return false;
        QTest::mouseClick(option, Qt::LeftButton);
        return option->isChecked();
    }

    static void addPageRows() {
        QTest::addColumn<QString>("window");
        for (const char *window : calculatorWindows)
            QTest::newRow(window) << window;
    }

private Q_SLOTS:
    void init() {
        m_windows = std::make_unique<app::WindowSet>();
        m_windows->start();
        QVERIFY(QTest::qWaitForWindowExposed(m_windows->slot(WindowId::frmMain).window()));
    }

    void cleanup() { m_windows.reset(); }

    void calculateShowsTheResult_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("result");

        const auto row = [](const char *name, const char *window, QStringList inputs,
                            const char *option, const char *result) {
            QTest::newRow(name) << window << inputs << option << result;
        };
        // Worked values.
        row("triangle 3 5", "frmTriangleArea", {"3", "5"}, "", "7.5");
        row("triangle 1 1", "frmTriangleArea", {"1", "1"}, "", "0.5");
        row("triangle 255 257", "frmTriangleArea", {"255", "257"}, "", "32767.5");
        row("triangle 300 300", "frmTriangleArea", {"300", "300"}, "", "45000");
        row("circle 7", "frmCircleArea", {"7"}, "", "154");
        row("circle 10", "frmCircleArea", {"10"}, "", "314.2857142857143");
        row("ellipse 3 4", "frmEllipseArea", {"3", "4"}, "", "37.714285714285715");
        row("sphere surface 7", "frmSphereArea", {"7"}, "", "616");
        row("cylinder sides open", "frmCylinderArea", {"7", "10"}, "optOpen", "440");
        row("cylinder one side open", "frmCylinderArea", {"7", "10"}, "optOne", "594");
        row("cylinder sides closed", "frmCylinderArea", {"7", "10"}, "optClosed", "748");
        row("torus surface 1 3", "frmTorusArea", {"1", "3"}, "", "79.0204081632653");
        row("sphere volume 3", "frmSphereVol", {"3"}, "", "113.14285714285712");
        row("pyramid 10 3", "frmPyramidVol", {"10", "3"}, "", "10");
        row("ellipsoid 2 3 4", "frmEllipsoidVol", {"2", "3", "4"}, "", "100.57142857142856");
        row("cylinder volume 7 10", "frmCylinderVol", {"7", "10"}, "", "1540");
        row("cone 5 12", "frmConeVol", {"5", "12"}, "", "314.2857142857143");
        row("torus volume 5 3", "frmTorusVol", {"5", "3"}, "", "79.0204081632653");

        // What the box holds is read as a number at its start, rounded half to even.
        row("text after the number", "frmCircleArea", {"12abc"}, "", "452.57142857142856");
        row("leading blank, half to even", "frmCircleArea", {" 2.5"}, "", "12.571428571428571");
        row("fraction rounds up", "frmCircleArea", {"7.6"}, "", "201.14285714285714");
        row("-32768.5 reads -32768", "frmCircleArea", {"-32768.5"}, "", "3374617161.142857");

        // Empty boxes read as zero.
        for (const char *window : calculatorWindows) {
            const bool cylinder = QByteArray(window) == "frmCylinderArea";
            QTest::addRow("empty %s", window)
                << window << QStringList{} << (cylinder ? "optClosed" : "") << "0";
        }

        // A zero result is "0", also when the arithmetic gives negative zero.
        row("zero triangle -3 0", "frmTriangleArea", {"-3", "0"}, "", "0");
        row("zero ellipse -3 0", "frmEllipseArea", {"-3", "0"}, "", "0");
        row("zero cylinder surface 0 -5", "frmCylinderArea", {"0", "-5"}, "optOpen", "0");
        row("zero torus surface R1 = R2", "frmTorusArea", {"3", "3"}, "", "0");
        row("zero ellipsoid -1 2 0", "frmEllipsoidVol", {"-1", "2", "0"}, "", "0");
        row("zero cylinder volume 0 -5", "frmCylinderVol", {"0", "-5"}, "", "0");
        row("zero cone 0 -5", "frmConeVol", {"0", "-5"}, "", "0");
        row("zero torus volume -3 -3", "frmTorusVol", {"-3", "-3"}, "", "0");
    }

    void calculateShowsTheResult() {
        QFETCH(QString, window);
        QFETCH(QStringList, inputs);
        QFETCH(QString, option);
        QFETCH(QString, result);
        const Page page = open(window);
        QVERIFY(complete(page));
        QVERIFY(fill(page, inputs));
        if (!option.isEmpty())
            QVERIFY(chooseOption(page, option));

        testing::MessageBoxAnswerer answerer;
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QCOMPARE(answerer.seen().size(), 0);
        QCOMPARE(page.output->shownLine(), result);
        QCOMPARE(accessibleText(page.output, QAccessible::Name), result);
        QCOMPARE(testing::visibleWindows(), QStringList{window});
    }

    void clearEmptiesThePage_data() { addPageRows(); }

    void clearEmptiesThePage() {
        QFETCH(QString, window);
        const Page page = open(window);
        QVERIFY(complete(page));
        QVERIFY(fill(page, QStringList(page.inputs.size(), QStringLiteral("3"))));
        const bool cylinder = window == QLatin1String("frmCylinderArea");
        if (cylinder)
            QVERIFY(chooseOption(page, QStringLiteral("optOne")));
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QVERIFY(!page.output->shownLine().isEmpty());
        // The focus starts away from the first box, in the output box.
        QTest::mouseClick(page.output, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.output));

        QTest::mouseClick(page.clear, Qt::LeftButton);
        for (QLineEdit *box : page.inputs)
            QCOMPARE(box->text(), QString());
        QCOMPARE(page.output->shownLine(), QString());
        QCOMPARE(accessibleText(page.output, QAccessible::Name), QString());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.inputs.first()));
        if (cylinder) {
            // The options are no input boxes: Clear keeps the one chosen.
            const auto checked = [&page](const char *name) {
                return page.window->findChild<QRadioButton *>(QLatin1String(name))->isChecked();
            };
            QVERIFY(!checked("optOpen"));
            QVERIFY(checked("optOne"));
            QVERIFY(!checked("optClosed"));
        }
    }

    void cylinderWithoutAnOptionAsksForOne() {
        const Page page = open(QStringLiteral("frmCylinderArea"));
        QVERIFY(complete(page));
        QVERIFY(fill(page, {"7", "10"}));
        QCOMPARE(page.output->shownLine(), QString());
        {
            testing::MessageBoxAnswerer answerer;
            QTest::mouseClick(page.calculate, Qt::LeftButton);
            QCOMPARE(answerer.seen().size(), 1);
            const testing::SeenMessageBox &box = answerer.seen().first();
            QCOMPARE(box.objectName, QStringLiteral("messageBox"));
            QCOMPARE(box.text, QStringLiteral("Please select cylinder type."));
            QCOMPARE(box.title, QStringLiteral("Cylinder Type Selection"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.buttonCount, 1);
        }
        auto *optOpen = page.window->findChild<QRadioButton *>(QStringLiteral("optOpen"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(optOpen));
        QVERIFY(!optOpen->isChecked());
        QCOMPARE(page.output->shownLine(), QString());

        // An input that does not fit is reported first, and the option is not asked for.
        QVERIFY(fill(page, {"40000", "10"}));
        {
            testing::MessageBoxAnswerer answerer;
            QTest::mouseClick(page.calculate, Qt::LeftButton);
            QCOMPARE(answerer.seen().size(), 1);
            QCOMPARE(answerer.seen().first().objectName, QStringLiteral("errorReport"));
            QCOMPARE(answerer.seen().first().title, QStringLiteral("Helmira Geometric Calculator"));
            QCOMPARE(answerer.seen().first().text,
                     inputReport(QStringLiteral("Enter Radius"), QStringLiteral("40000")));
        }
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.inputs[0]));

        // Each Calculate replaces the line shown before.
        QVERIFY(chooseOption(page, QStringLiteral("optClosed")));
        QVERIFY(fill(page, {"7", "10"}));
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QCOMPARE(page.output->shownLine(), QStringLiteral("748"));
        QVERIFY(fill(page, {"7", "0"}));
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QCOMPARE(page.output->shownLine(), QStringLiteral("308"));
    }

    void backAndReturnKeepsThePage() {
        runtime::Form &main = m_windows->slot(WindowId::frmMain);
        QVERIFY(testing::chooseFromList(control<QComboBox>(main, "cboVolume"), "Cone"));
        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmConeVol")});
        const Page page = open(QStringLiteral("frmConeVol"));
        QVERIFY(complete(page));
        const QImage empty = page.output->grab().toImage();
        QVERIFY(fill(page, {"5", "12"}));
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QCOMPARE(page.output->shownLine(), QStringLiteral("314.2857142857143"));
        const QImage shown = page.output->grab().toImage();
        QVERIFY(shown != empty);

        QTest::mouseClick(page.back, Qt::LeftButton);
        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmMain")});
        QVERIFY(testing::chooseFromList(control<QComboBox>(main, "cboVolume"), "Cone"));
        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmConeVol")});
        QVERIFY(QTest::qWaitForWindowExposed(page.window));

        QCOMPARE(page.inputs[0]->text(), QStringLiteral("5"));
        QCOMPARE(page.inputs[1]->text(), QStringLiteral("12"));
        QCOMPARE(page.output->shownLine(), QStringLiteral("314.2857142857143"));
        QCOMPARE(accessibleText(page.output, QAccessible::Name),
                 QStringLiteral("314.2857142857143"));
        QVERIFY(page.output->isVisible());
        QCOMPARE(page.output->grab().toImage(), shown);
    }

    void anInputErrorIsReportedAndCanBeCorrected_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("valid");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("wrong");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("box"); // the box that takes the focus after the report

        const QString radius = QStringLiteral("Enter Radius");
        QTest::newRow("circle 40000") << "frmCircleArea" << QStringList{"7"} << "154"
                                      << QStringList{"40000"} << inputReport(radius, "40000") << 0;
        QTest::newRow("circle 32767.5 rounds out of range")
            << "frmCircleArea" << QStringList{"7"} << "154" << QStringList{"32767.5"}
            << inputReport(radius, "32767.5") << 0;
        QTest::newRow("cylinder volume, second box")
            << "frmCylinderVol" << QStringList{"7", "10"} << "1540" << QStringList{"7", "40000"}
            << inputReport(QStringLiteral("Enter Height"), "40000") << 1;
        QTest::newRow("ellipse, second box negative, the number as read")
            << "frmEllipseArea" << QStringList{"3", "4"} << "37.714285714285715"
            << QStringList{"3", "-4e4abc"}
            << inputReport(QStringLiteral("Enter Radius II"), "-40000") << 1;
        QTest::newRow("cone, both boxes: the first is reported")
            << "frmConeVol" << QStringList{"5", "12"} << "314.2857142857143"
            << QStringList{"40000", "1e9"} << inputReport(radius, "40000") << 0;
        QTest::newRow("cylinder surface with an option")
            << "frmCylinderArea" << QStringList{"7", "10"} << "748" << QStringList{"40000", "10"}
            << inputReport(radius, "40000") << 0;
        const QString radiusI = QStringLiteral("Enter Radius I");
        const QString radiusII = QStringLiteral("Enter Radius II");
        QTest::newRow("pyramid product 128 x 256")
            << "frmPyramidVol" << QStringList{"10", "3"} << "10" << QStringList{"128", "256"}
            << stepReport("product", "Enter base Area", "Enter Height") << 0;
        QTest::newRow("torus volume sum 20000 + 20000")
            << "frmTorusVol" << QStringList{"5", "3"} << "79.0204081632653"
            << QStringList{"20000", "20000"} << stepReport("sum", radiusI, radiusII) << 0;
        QTest::newRow("torus volume difference 32767 - -1")
            << "frmTorusVol" << QStringList{"5", "3"} << "79.0204081632653"
            << QStringList{"32767", "-1"} << stepReport("difference", radiusI, radiusII) << 0;
    }

    void anInputErrorIsReportedAndCanBeCorrected() {
        QFETCH(QString, window);
        QFETCH(QStringList, valid);
        QFETCH(QString, result);
        QFETCH(QStringList, wrong);
        QFETCH(QString, report);
        QFETCH(int, box);
        const Page page = open(window);
        QVERIFY(complete(page));
        if (window == QLatin1String("frmCylinderArea"))
            QVERIFY(chooseOption(page, QStringLiteral("optClosed")));
        QVERIFY(fill(page, valid));
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QCOMPARE(page.output->shownLine(), result);

        QVERIFY(fill(page, wrong));
        {
            testing::MessageBoxAnswerer answerer;
            QTest::mouseClick(page.calculate, Qt::LeftButton);
            QCOMPARE(answerer.seen().size(), 1);
            QCOMPARE(answerer.seen().first().objectName, QStringLiteral("errorReport"));
            QCOMPARE(answerer.seen().first().text, report);
        }
        // The program goes on; the output was cleared before the boxes were read.
        QCOMPARE(testing::visibleWindows(), QStringList{window});
        QCOMPARE(page.output->shownLine(), QString());
        QCOMPARE(accessibleText(page.output, QAccessible::Name), QString());
        QLineEdit *named = page.inputs[box];
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(named));
        QCOMPARE(named->text(), wrong[box]);
        QCOMPARE(named->selectedText(), named->text());

        QVERIFY(fill(page, valid));
        testing::MessageBoxAnswerer answerer;
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QCOMPARE(answerer.seen().size(), 0);
        QCOMPARE(page.output->shownLine(), result);
    }

    // The output box is read-only static text holding its line; each new line is told to
    // assistive technology as a name change, a text change and a notice that comes up, while
    // the focus stays on Calculate.
    void theOutputBoxAnnouncesAndCopiesItsLine() {
        const Page page = open(QStringLiteral("frmSphereVol"));
        QVERIFY(complete(page));
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(page.output);
        QCOMPARE(face->role(), QAccessible::StaticText);
        QVERIFY(face->state().readOnly);
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Result"));
        QAccessibleTextInterface *text = face->textInterface();
        QVERIFY(text);

        // Events reach the update handler only while an assistive tool is listening.
        QPlatformAccessibility *platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (!platform)
            QSKIP("this platform has no accessibility");
        platform->setActive(true);
        const auto inactive = qScopeGuard([platform] { platform->setActive(false); });
        told.clear();
        const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordTold);
        const auto restore =
            qScopeGuard([previous] { QAccessible::installUpdateHandler(previous); });
        const auto last = [](QAccessible::Event type, QObject *object) {
            for (qsizetype i = told.size() - 1; i >= 0; --i) {
                if (told[i].type == type && told[i].object == object)
                    return told[i];
            }
            return Told{type, object, QStringLiteral("<none>"), QStringLiteral("<none>")};
        };
        // The notice that came up last: a notification inside the output box.
        const auto lastNotice = [&] {
            for (qsizetype i = told.size() - 1; i >= 0; --i) {
                QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(told[i].object);
                if (told[i].type == QAccessible::ObjectShow && shown &&
                    shown->role() == QAccessible::Notification) {
                    if (shown->parent()->object() != page.output)
                        return QStringLiteral("<a notice outside the output box>");
                    return told[i].name;
                }
            }
            return QStringLiteral("<no notice>");
        };

        for (const char *radius : {"3", "7"}) {
            QVERIFY(fill(page, {radius}));
            QTest::mouseClick(page.calculate, Qt::LeftButton);
            const QString line = page.output->shownLine();
            QCOMPARE(line,
                     QLatin1String(radius[0] == '3' ? "113.14285714285712" : "1437.333333333333"));
            QCOMPARE(face->text(QAccessible::Name), line);
            QCOMPARE(text->characterCount(), line.size());
            QCOMPARE(text->text(0, text->characterCount()), line);
            QCOMPARE(last(QAccessible::NameChanged, page.output).name, line);
            QCOMPARE(last(QAccessible::TextUpdated, page.output).inserted, line);
            QCOMPARE(lastNotice(), line);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.calculate));
        }

        // Ctrl+C in the focused box copies the line.
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::mouseClick(page.output, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.output));
        QTest::keyClick(page.output, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1437.333333333333"));

        const qsizetype before = told.size();
        QTest::mouseClick(page.clear, Qt::LeftButton);
        QCOMPARE(last(QAccessible::NameChanged, page.output).name, QString());
        QCOMPARE(last(QAccessible::TextUpdated, page.output).inserted, QString());
        QCOMPARE(text->characterCount(), 0);
        QVERIFY(std::none_of(told.begin() + before, told.end(), [](const Told &entry) {
            return entry.type == QAccessible::ObjectShow;
        }));
    }

    // Return and the keypad's Enter press the focused button, as Space does; no button is a
    // default button, so Return elsewhere presses nothing.
    void returnPressesTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    void returnPressesTheFocusedButton() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const Page page = open(QStringLiteral("frmCircleArea"));
        QVERIFY(complete(page));
        QVERIFY(fill(page, {"7"}));
        const auto press = [&](QWidget *widget) {
            widget->setFocus(Qt::TabFocusReason);
            QTest::keyClick(widget, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        };
        press(page.calculate);
        QTRY_COMPARE(page.output->shownLine(), QStringLiteral("154"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.calculate));
        press(page.clear);
        QTRY_COMPARE(page.output->shownLine(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.inputs[0]));
        for (auto *button : page.window->findChildren<QPushButton *>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        // In an input box Return presses nothing.
        QVERIFY(fill(page, {"7"}));
        QTest::keyClick(page.inputs[0], Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::qWait(200);
        QCOMPARE(page.output->shownLine(), QString());
        press(page.back);
        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmMain")});
    }

    void theOutputBoxFollowsCloseInTabOrder_data() { addPageRows(); }

    void theOutputBoxFollowsCloseInTabOrder() {
        QFETCH(QString, window);
        const Page page = open(window);
        QVERIFY(complete(page));
        page.close->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.close));
        QTest::keyClick(page.close, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(page.output));
    }

    void eachPageTellsItsFormula_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("options"); // chosen in this order before looking
        QTest::addColumn<QString>("sentence");

        const auto row = [](const char *name, const char *window, QStringList options,
                            const char *sentence) {
            QTest::newRow(name) << window << options << QString::fromUtf8(sentence);
        };
        row("triangle", "frmTriangleArea", {}, "A = ½ × b × h");
        row("circle", "frmCircleArea", {}, "A = π × r², with π = 22/7");
        row("ellipse", "frmEllipseArea", {}, "A = π × a × b, with π = 22/7");
        row("sphere surface", "frmSphereArea", {}, "A = 4π × r², with π = 22/7");
        row("cylinder surface, no option: all three", "frmCylinderArea", {},
            "Sides Open: A = 2πrh; One Side Open: A = πr² + 2πrh; "
            "Sides Closed: A = 2πr² + 2πrh, with π = 22/7");
        row("cylinder surface, sides open", "frmCylinderArea", {"optOpen"},
            "A = 2πrh, with π = 22/7");
        row("cylinder surface, one side open", "frmCylinderArea", {"optOne"},
            "A = πr² + 2πrh, with π = 22/7");
        row("cylinder surface, sides closed after another option", "frmCylinderArea",
            {"optOne", "optClosed"}, "A = 2πr² + 2πrh, with π = 22/7");
        row("torus surface", "frmTorusArea", {}, "A = π² × (R2² − R1²), with π = 22/7");
        row("sphere volume", "frmSphereVol", {}, "V = 4/3 × π × r³, with π = 22/7");
        row("pyramid", "frmPyramidVol", {}, "V = 1/3 × B × H");
        row("ellipsoid", "frmEllipsoidVol", {}, "V = 4/3 × π × a × b × c, with π = 22/7");
        row("cylinder volume", "frmCylinderVol", {}, "V = π × r² × h, with π = 22/7");
        row("cone", "frmConeVol", {}, "V = 1/3 × π × r² × h, with π = 22/7");
        row("torus volume", "frmTorusVol", {},
            "V = ¼ × π² × (R1 + R2) × (R1 − R2)², with π = 22/7");
    }

    void eachPageTellsItsFormula() {
        QFETCH(QString, window);
        QFETCH(QStringList, options);
        QFETCH(QString, sentence);
        const Page page = open(window);
        QVERIFY(complete(page));
        for (const QString &option : options)
            QVERIFY(chooseOption(page, option));

        QCOMPARE(page.calculate->toolTip(), sentence);
        QCOMPARE(accessibleText(page.calculate, QAccessible::Description), sentence);
        QCOMPARE(page.output->toolTip(), sentence);
        // The output box keeps saying what it is and what it shows.
        QCOMPARE(accessibleText(page.output, QAccessible::Description), QStringLiteral("Result"));
        if (options.isEmpty() && window == QLatin1String("frmCylinderArea"))
            return; // Calculate would only ask for an option
        QVERIFY(fill(page, QStringList(page.inputs.size(), QStringLiteral("3"))));
        testing::MessageBoxAnswerer answerer;
        QTest::mouseClick(page.calculate, Qt::LeftButton);
        QCOMPARE(answerer.seen().size(), 0);
        QVERIFY(!page.output->shownLine().isEmpty());
        QCOMPARE(accessibleText(page.output, QAccessible::Name), page.output->shownLine());
        QCOMPARE(page.output->toolTip(), sentence);
    }

    void aNumberThatIsNotWholeIsNotedOnItsBox() {
        // Steps on one window, each going on from where the one before left it: the texts typed
        // first (none: left as they are), the button pressed, then each box's note.
        struct Step {
            const char *what;
            QStringList texts;
            const char *press;
            QStringList notes;
        };
        const Step steps[] = {
            {"a half, noted on its own box", {"2.5", "4"}, "Calculate", {"2.5 was read as 2", ""}},
            {"typing keeps the note until Calculate", {"3", "4"}, "", {"2.5 was read as 2", ""}},
            {"a whole number removes it", {}, "Calculate", {"", ""}},
            {"written as numbers are printed",
             {"12abc", "7.60"},
             "Calculate",
             {"", "7.6 was read as 8"}},
            {"Clear removes it", {}, "Clear", {"", ""}},
            {"both boxes",
             {"-0.4", "2.5"},
             "Calculate",
             {"-0.4 was read as 0", "2.5 was read as 2"}},
            {"a box not read after an error keeps no note",
             {"40000", "2.5"},
             "Calculate",
             {"", ""}},
        };
        const Page page = open(QStringLiteral("frmTriangleArea"));
        QVERIFY(complete(page));

        // Description changes reach the update handler only while an assistive tool listens.
        QPlatformAccessibility *platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (platform)
            platform->setActive(true);
        const auto inactive = qScopeGuard([platform] {
            if (platform)
                platform->setActive(false);
        });
        const QAccessible::UpdateHandler previous =
            QAccessible::installUpdateHandler(recordDescriptionChange);
        const auto restore =
            qScopeGuard([previous] { QAccessible::installUpdateHandler(previous); });

        QStringList before(page.inputs.size());
        for (const Step &step : steps) {
            QVERIFY2(fill(page, step.texts), step.what);
            descriptionChanges.clear();
            testing::MessageBoxAnswerer answerer;
            if (step.press == QLatin1String("Calculate"))
                QTest::mouseClick(page.calculate, Qt::LeftButton);
            else if (step.press == QLatin1String("Clear"))
                QTest::mouseClick(page.clear, Qt::LeftButton);
            QStringList tips;
            QStringList descriptions;
            QList<bool> told;
            QList<bool> changed;
            for (qsizetype i = 0; i < page.inputs.size(); ++i) {
                tips.append(page.inputs[i]->toolTip());
                descriptions.append(accessibleText(page.inputs[i], QAccessible::Description));
                told.append(descriptionChanges.contains(page.inputs[i]));
                changed.append(platform && before[i] != step.notes[i]);
            }
            const QString seen = QStringLiteral("%1: tooltips [%2], descriptions [%3]")
                                     .arg(step.what, tips.join(u'|'), descriptions.join(u'|'));
            QVERIFY2(tips == step.notes && descriptions == step.notes, qPrintable(seen));
            // A screen reader is told of each note that came or went.
            QVERIFY2(told == changed, step.what);
            before = step.notes;
        }
    }

    void eachInputBoxIsNamedByItsCaption_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("captions");
        const auto row = [](const char *window, QStringList captions) {
            QTest::newRow(window) << window << captions;
        };
        row("frmTriangleArea", {"Enter Base", "Enter Height"});
        row("frmCircleArea", {"Enter Radius"});
        row("frmEllipseArea", {"Enter Radius I", "Enter Radius II"});
        row("frmSphereArea", {"Enter Radius"});
        row("frmCylinderArea", {"Enter Radius", "Enter Height"});
        row("frmTorusArea", {"Enter Radius I", "Enter Radius II"});
        row("frmSphereVol", {"Enter Radius"});
        row("frmPyramidVol", {"Enter base Area", "Enter Height"});
        row("frmEllipsoidVol", {"Enter Radius I", "Enter Radius II", "Enter Radius III"});
        row("frmCylinderVol", {"Enter Radius", "Enter Height"});
        row("frmConeVol", {"Enter Radius", "Enter Height"});
        row("frmTorusVol", {"Enter Radius I", "Enter Radius II"});
    }

    void eachInputBoxIsNamedByItsCaption() {
        QFETCH(QString, window);
        QFETCH(QStringList, captions);
        const Page page = open(window);
        QVERIFY(complete(page));
        QCOMPARE(page.inputs.size(), captions.size());
        const QList<QLabel *> labels = page.window->findChildren<QLabel *>();
        for (qsizetype i = 0; i < captions.size(); ++i) {
            QLineEdit *box = page.inputs[i];
            QCOMPARE(accessibleText(box, QAccessible::Name), captions[i]);
            // The caption is what the labels on the box's row read, left to right.
            QList<QLabel *> row;
            for (QLabel *label : labels) {
                const int middle = label->geometry().center().y();
                if (label->x() < box->x() && middle >= box->y() &&
                    middle <= box->geometry().bottom())
                    row.append(label);
            }
            std::sort(row.begin(), row.end(), [](QLabel *a, QLabel *b) { return a->x() < b->x(); });
            QString read;
            for (QLabel *label : row)
                read += label->text();
            QCOMPARE(read.simplified(), captions[i]);
        }
    }
};

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    app::identifyApplication();
    // As in the program: windows come and go by hiding, and only End stops it.
    QApplication::setQuitOnLastWindowClosed(false);
    TestPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_pages.moc"
