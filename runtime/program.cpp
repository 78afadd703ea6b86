#include "runtime/program.h"

#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/floatstatus.h"
#include "runtime/inputerror.h"
#include "runtime/text.h"
#include "runtime/widgets.h"

#include <QAccessibleObject>
#include <QApplication>
#include <QMessageBox>

namespace runtime {

namespace {

// Runs a modal box that also announces its text once it is up. A screen reader speaks an alert
// as it becomes the active window, but when the box comes up within a mouse click, Orca may
// have taken it for the active window already, from the click, and say only its button.
void runAnnounced(QMessageBox &box) {
    auto *notice = new Notice(&box);
    QMetaObject::invokeMethod(
        &box, [&box, notice] { notice->announce(box.text()); }, Qt::QueuedConnection);
    box.exec();
}

QString &programName() {
    static QString name;
    return name;
}

void showReport(const QString &text) {
    QMessageBox report(QMessageBox::Critical, programName(), text, QMessageBox::Ok,
                       QApplication::activeWindow());
    report.setObjectName(QStringLiteral("errorReport"));
    runAnnounced(report);
}

// The application as assistive technology lists it; Qt would take its name from the
// application's internal name.
class ProgramAccessible : public QAccessibleApplication {
public:
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return programName();
        return QAccessibleApplication::text(kind);
    }
};

QAccessibleInterface *programAccessible(const QString &, QObject *object) {
    if (object && object == QCoreApplication::instance() && !programName().isEmpty())
        return new ProgramAccessible;
    return nullptr;
}

} // namespace

void nameProgram(std::string_view name) {
    static const bool installed = [] {
        QAccessible::installFactory(programAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    programName() = fromUtf8(name);
}

void End() {
    QCoreApplication::exit(0);
}

void MsgBox(std::string_view prompt, int style, std::string_view title) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
    case 16:
        icon = QMessageBox::Critical;
        break;
    case 32:
        icon = QMessageBox::Question;
        break;
    case 48:
        icon = QMessageBox::Warning;
        break;
    case 64:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    QMessageBox box(icon, fromUtf8(title), fromUtf8(prompt), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    runAnnounced(box);
    clearFloatStatus();
}

void runHandler(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const InputError &error) {
        showReport(QString::fromUtf8(error.what()));
        error.focusInput();
    } catch (const RuntimeError &error) {
        showReport(QString::fromUtf8(error.what()));
    } catch (const std::exception &error) {
        showReport(QStringLiteral("Unexpected error: %1").arg(QString::fromUtf8(error.what())));
    }
    clearFloatStatus();
}

} // namespace runtime
