#include "runtime/program.h"

#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/floatstatus.h"

#include <QApplication>
#include <QMessageBox>

namespace runtime {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString &programTitle() {
    static QString title;
    return title;
}

void showReport(const QString &text) {
    QMessageBox report(QMessageBox::Critical, programTitle(), text, QMessageBox::Ok,
                       QApplication::activeWindow());
    report.setObjectName(QStringLiteral("errorReport"));
    report.exec();
}

} // namespace

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
    box.exec();
    clearFloatStatus();
}

void setProgramTitle(std::string_view title) {
    programTitle() = fromUtf8(title);
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
