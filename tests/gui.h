#pragma once

// Small helpers for driving the real windows in tests.

#include "app/windowset.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>

namespace testing {

// For a child process started by a test: runs the event loop until the program ends and, when
// it ended with status 0, prints "ended" for the parent to read.
inline int runUntilEnd() {
    const int status = QApplication::exec();
    if (status == 0)
        std::puts("ended");
    return status;
}

// Returns the named control of a built window.
template <class Widget> Widget *control(runtime::Form &form, const char *name) {
    return form.window() ? form.window()->findChild<Widget *>(QString::fromLatin1(name)) : nullptr;
}

// Returns the top-level windows of the program that are visible now.
inline QStringList visibleWindows() {
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName().startsWith(QLatin1String("frm")))
            names.append(widget->objectName());
    }
    names.sort();
    return names;
}

// Opens a selector's list with a click and clicks the item with the given text in it.
inline bool chooseFromList(QComboBox *combo, const QString &item) {
    if (!QTest::qWaitForWindowExposed(combo->window()))
        return false;
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 6, combo->height() / 2));
    QAbstractItemView *view = combo->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    const int row = combo->findText(item, Qt::MatchExactly);
    if (row < 0)
        return false;
    // A quick release over the item already shown counts as the end of the opening click.
    if (row == combo->currentIndex())
        QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QModelIndex index = combo->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint centre = view->visualRect(index).center();
    // The pointer may still rest over this row from an earlier choice; a move to where it already
    // is would not be delivered, and the list would keep its old current row. So it comes from
    // a neighbouring row.
    const QModelIndex neighbour = combo->model()->index(row == 0 ? 1 : row - 1, 0);
    QTest::mouseMove(view->viewport(), view->visualRect(neighbour).center());
    QTest::mouseMove(view->viewport(), centre);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    return QTest::qWaitFor([view] { return !view->isVisible(); });
}

// Waits for the next modal message box, records its text, and presses its OK button.
// `seen` receives the text; the returned timer is owned by the application.
inline void answerNextMessageBox(QString *seen, QString *title = nullptr) {
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen, title] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seen = box->text();
        if (title)
            *title = box->windowTitle();
        timer->stop();
        timer->deleteLater();
        box->button(QMessageBox::Ok)->click();
    });
    timer->start();
}

// What a message box showed when it was answered.
struct SeenMessageBox {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    qsizetype buttonCount = 0;
};

// While it lives, answers every modal message box that opens with its OK button (or its first
// button) and records what each one showed; a second, unexpected box is recorded too instead of
// blocking the test.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { answer(); });
        m_timer.start();
    }
    MessageBoxAnswerer(const MessageBoxAnswerer &) = delete;
    MessageBoxAnswerer &operator=(const MessageBoxAnswerer &) = delete;

    const QList<SeenMessageBox> &seen() const { return m_seen; }

private:
    void answer() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        const QList<QAbstractButton *> buttons = box->buttons();
        m_seen.append({box->objectName(), box->windowTitle(), box->text(), box->icon(),
                       box->standardButtons(), buttons.size()});
        const QPointer<QWidget> owner =
            box->parentWidget() ? box->parentWidget()->window() : nullptr;
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        if (!ok && !buttons.isEmpty())
            ok = buttons.constFirst();
        if (ok)
            ok->click();
        else
            box->reject();
        // A desktop's window manager gives the window under a closed box back its activation;
        // the offscreen platform leaves no window active, so do it here.
        if (owner)
            owner->activateWindow();
    }

    QTimer m_timer;
    QList<SeenMessageBox> m_seen;
};

} // namespace testing
