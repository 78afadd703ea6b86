// Start-up, the window switch, Back, the selectors' rules and the ways the program ends.

#include "gui.h"

#include "runtime/error.h"
#include "runtime/program.h"

#include <QAccessible>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>
#include <memory>

using forms::WindowId;
using testing::control;

class TestNavigation : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::WindowSet> m_windows;

    runtime::Form &mainWindow() { return m_windows->slot(WindowId::frmMain); }
    QComboBox *selector(const char *name) { return control<QComboBox>(mainWindow(), name); }

    int existing() const {
        int count = 0;
        for (const WindowId id : forms::windowOrder())
            count += m_windows->exists(id) ? 1 : 0;
        return count;
    }

private Q_SLOTS:
    void init() {
        m_windows = std::make_unique<app::WindowSet>();
        m_windows->start();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow().window()));
    }

    void cleanup() { m_windows.reset(); }

    void startsOnTheMainWindowAlone() {
        QCOMPARE(existing(), 1);
        QCOMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmMain")});
        const QStringList areas{"Triangle", "Circle", "Ellipse", "Sphere", "Cylinder", "Torus"};
        const QStringList volumes{"Sphere", "Pyramid", "Ellipsoid", "Cylinder", "Cone", "Torus"};
        for (const auto &[name, items] : {std::pair{"cboArea", areas}, {"cboVolume", volumes}}) {
            QComboBox *combo = selector(name);
            QStringList listed;
            for (int i = 0; i < combo->count(); ++i)
                listed.append(combo->itemText(i));
            QCOMPARE(listed, items);
            QCOMPARE(combo->currentText(), QString());
            QVERIFY(combo->isEditable());
        }
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(selector("cboArea")));
    }

    void choosingAShapeOpensItsWindow_data() {
        QTest::addColumn<QString>("selectorName");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        const char *areas[][2] = {{"Triangle", "frmTriangleArea"}, {"Circle", "frmCircleArea"},
                                  {"Ellipse", "frmEllipseArea"},   {"Sphere", "frmSphereArea"},
                                  {"Cylinder", "frmCylinderArea"}, {"Torus", "frmTorusArea"}};
        const char *volumes[][2] = {
            {"Sphere", "frmSphereVol"},       {"Pyramid", "frmPyramidVol"},
            {"Ellipsoid", "frmEllipsoidVol"}, {"Cylinder", "frmCylinderVol"},
            {"Cone", "frmConeVol"},           {"Torus", "frmTorusVol"}};
        for (const auto &[item, window] : areas)
            QTest::addRow("area %s", item) << "cboArea" << item << window;
        for (const auto &[item, window] : volumes)
            QTest::addRow("volume %s", item) << "cboVolume" << item << window;
    }

    void choosingAShapeOpensItsWindow() {
        QFETCH(QString, selectorName);
        QFETCH(QString, item);
        QFETCH(QString, window);
        QVERIFY(testing::chooseFromList(selector(qPrintable(selectorName)), item));
        QTRY_COMPARE(testing::visibleWindows(), QStringList{window});
        QCOMPARE(existing(), 13);
        const QWidgetList topLevels = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(topLevels.begin(), topLevels.end(),
                               [](QWidget *w) { return w->objectName().startsWith("frm"); }),
                 13);
    }

    void arrowKeysInTheClosedSelectorChoose() {
        QComboBox *combo = selector("cboVolume");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("Sphere"));
        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmSphereVol")});
    }

    void backShowsTheSameMainWindowWithItsText() {
        QWidget *first = mainWindow().window();
        QVERIFY(testing::chooseFromList(selector("cboArea"), "Ellipse"));
        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmEllipseArea")});
        runtime::Form &ellipse = m_windows->slot(WindowId::frmEllipseArea);
        control<QLineEdit>(ellipse, "txtEllipseAreaROne")->setText("12");
        QTest::mouseClick(control<QPushButton>(ellipse, "cmdBack"), Qt::LeftButton);

        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmMain")});
        QCOMPARE(mainWindow().window(), first);
        QCOMPARE(existing(), 13);
        QCOMPARE(selector("cboArea")->currentText(), QStringLiteral("Ellipse"));

        // The item already shown can be chosen again, and the window keeps its input.
        QVERIFY(testing::chooseFromList(selector("cboArea"), "Ellipse"));
        QTRY_COMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmEllipseArea")});
        QCOMPARE(control<QLineEdit>(ellipse, "txtEllipseAreaROne")->text(), QStringLiteral("12"));
    }

    void typedTextOpensNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("confirmKey");
        QTest::newRow("item name, then Tab") << "Circle" << int(Qt::Key_Tab);
        QTest::newRow("item name, then Enter") << "Circle" << int(Qt::Key_Return);
        QTest::newRow("other case, then Enter") << "circle" << int(Qt::Key_Enter);
        QTest::newRow("no shape, then Enter") << "Hexagon" << int(Qt::Key_Return);
    }

    void typedTextOpensNothing() {
        QFETCH(QString, text);
        QFETCH(int, confirmKey);
        QComboBox *combo = selector("cboArea");
        combo->setFocus();
        QTest::keyClicks(combo, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(confirmKey));
        QTest::qWait(50);
        QCOMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmMain")});
        QCOMPARE(existing(), 1);
        QCOMPARE(combo->count(), 6);
        QCOMPARE(combo->currentText(), text);
    }

    void everythingHasAnAccessibleName() {
        QVERIFY(testing::chooseFromList(selector("cboArea"), "Triangle"));
        const auto name = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(mainWindow().window()), QStringLiteral("Helmira Geometric Calculator"));
        QCOMPARE(name(control<QPushButton>(mainWindow(), "cmdExit")), QStringLiteral("Exit"));
        QCOMPARE(name(selector("cboArea")), QStringLiteral("Geometric Shapes Areas"));
        QCOMPARE(name(selector("cboVolume")), QStringLiteral("Geometric  Shapes Volumes"));
        runtime::Form &triangle = m_windows->slot(WindowId::frmTriangleArea);
        QCOMPARE(name(triangle.window()), QStringLiteral("Area of Triangle"));
        QCOMPARE(name(control<QPushButton>(triangle, "cmdClose")), QStringLiteral("Close"));
    }

    void aHandlerThatRaisesIsReportedAndTheProgramGoesOn() {
        QString report;
        testing::answerNextMessageBox(&report);
        runtime::runHandler([] { runtime::raiseOverflow("pyramid product B x H"); });
        QCOMPARE(report, QStringLiteral("Overflow in pyramid product B x H."));
        QCOMPARE(testing::visibleWindows(), QStringList{QStringLiteral("frmMain")});
    }

    void endingTheProgram_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("Exit button") << "exit";
        QTest::newRow("Alt+X") << "alt-x";
        QTest::newRow("Close on a calculator window") << "close";
        QTest::newRow("title bar of the main window") << "title-main";
        QTest::newRow("title bar of a calculator window") << "title-calculator";
    }

    void endingTheProgram() {
        QFETCH(QString, action);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--end-by"), action});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("ended"));
    }
};

namespace {

// The child side of endingTheProgram: runs the program's event loop, performs one way of
// ending it, and reports how the loop ended. A watchdog fails it if nothing ends the program.
int runChild(const QString &action) {
    app::WindowSet windows;
    windows.start();
    QTimer::singleShot(4000, [] { QCoreApplication::exit(3); });
    QTimer::singleShot(0, [&] {
        runtime::Form &main = windows.slot(WindowId::frmMain);
        if (action == QLatin1String("exit")) {
            QTest::mouseClick(control<QPushButton>(main, "cmdExit"), Qt::LeftButton);
        } else if (action == QLatin1String("alt-x")) {
            // Access keys work in the active window only.
            main.window()->activateWindow();
            if (QTest::qWaitForWindowActive(main.window()))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
        } else if (action == QLatin1String("close")) {
            windows.switchTo(WindowId::frmConeVol);
            QTest::mouseClick(control<QPushButton>(windows.slot(WindowId::frmConeVol), "cmdExit"),
                              Qt::LeftButton);
        } else if (action == QLatin1String("title-main")) {
            main.window()->close();
        } else if (action == QLatin1String("title-calculator")) {
            windows.switchTo(WindowId::frmCircleArea);
            windows.slot(WindowId::frmCircleArea).window()->close();
        }
    });
    return testing::runUntilEnd();
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--end-by"))
        return runChild(arguments[2]);
    TestNavigation test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_navigation.moc"
