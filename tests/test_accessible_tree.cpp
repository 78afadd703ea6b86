// The tree that assistive technology walks: every window is a frame named after its caption,
// and a selector's list, with its items, hangs below the selector.

#include "gui.h"

#include "forms/layouts.h"

#include <QAccessible>
#include <QLineEdit>

#include <memory>

using forms::WindowId;
using testing::control;

namespace {

QAccessibleInterface *accessible(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

QStringList childNames(QAccessibleInterface *face) {
    QStringList names;
    for (int i = 0; i < face->childCount(); ++i)
        names.append(face->child(i)->text(QAccessible::Name));
    return names;
}

} // namespace

class TestAccessibleTree : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::WindowSet> m_windows;

    QComboBox *selector(const char *name) {
        return control<QComboBox>(m_windows->slot(WindowId::frmMain), name);
    }

private Q_SLOTS:
    void init() {
        m_windows = std::make_unique<app::WindowSet>();
        m_windows->start();
        QVERIFY(QTest::qWaitForWindowExposed(m_windows->slot(WindowId::frmMain).window()));
    }

    void cleanup() { m_windows.reset(); }

    void everyWindowIsAFrameNamedAfterItsCaption_data() {
        QTest::addColumn<int>("index");
        const auto layouts = forms::allLayouts();
        for (std::size_t i = 0; i < layouts.size(); ++i)
            QTest::newRow(layouts[i].name.data()) << static_cast<int>(i);
    }

    void everyWindowIsAFrameNamedAfterItsCaption() {
        QFETCH(int, index);
        const runtime::FormDesc &layout = forms::allLayouts()[static_cast<std::size_t>(index)];
        runtime::Form form(layout);
        form.Hide();
        QAccessibleInterface *face = accessible(form.window());
        QVERIFY(face);
        // A screen reader tells windows from panes by this role, and says the name on arrival.
        QCOMPARE(face->role(), QAccessible::Window);
        QCOMPARE(face->text(QAccessible::Name),
                 QString::fromUtf8(layout.caption.data(), std::ssize(layout.caption)));
        QCOMPARE(face->parent()->role(), QAccessible::Application);
        QCOMPARE(face->childCount(), static_cast<int>(layout.controls.size()));
    }

    void aSelectorHoldsItsListAndItsTextField() {
        QComboBox *combo = selector("cboArea");
        QAccessibleInterface *face = accessible(combo);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Geometric Shapes Areas"));
        QCOMPARE(face->childCount(), 2);

        QAccessibleInterface *list = face->child(0);
        QVERIFY(list);
        QCOMPARE(list->object(), static_cast<QObject *>(combo->view()));
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(childNames(list),
                 (QStringList{"Triangle", "Circle", "Ellipse", "Sphere", "Cylinder", "Torus"}));
        QCOMPARE(face->indexOfChild(list), 0);
        QCOMPARE(list->parent()->object(), static_cast<QObject *>(combo));

        QAccessibleInterface *field = face->child(1);
        QVERIFY(field);
        QCOMPARE(field->object(), static_cast<QObject *>(combo->lineEdit()));
        QCOMPARE(face->indexOfChild(field), 1);
        QCOMPARE(field->parent()->object(), static_cast<QObject *>(combo));
        QVERIFY(!face->child(2));
        QCOMPARE(face->indexOfChild(accessible(selector("cboVolume"))), -1);
    }

    void theProgramIsNamedAfterItsMainWindow() {
        QAccessibleInterface *program = accessible(QCoreApplication::instance());
        QCOMPARE(program->role(), QAccessible::Application);
        QCOMPARE(program->text(QAccessible::Name), QStringLiteral("Helmira Geometric Calculator"));
    }

    // The option buttons tell their place in their group; no other control claims one.
    void optionButtonsTellTheirPlaceInTheGroup() {
        runtime::Form &form = m_windows->slot(WindowId::frmCylinderArea);
        form.Hide();
        QStringList places;
        for (QWidget *widget : form.window()->findChildren<QWidget *>()) {
            const QString description = accessible(widget)->text(QAccessible::Description);
            if (description.contains(QLatin1String(" of ")))
                places.append(widget->objectName() + QLatin1Char(' ') + description);
        }
        places.sort();
        QCOMPARE(places, (QStringList{"optClosed 3 of 3", "optOne 2 of 3", "optOpen 1 of 3"}));
    }

    // An item chosen from the list does not stay marked focused once the list has closed.
    void aClosedListLeavesNoItemFocused() {
        QComboBox *combo = selector("cboVolume");
        QAccessibleInterface *list = accessible(combo)->child(0);
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        const QModelIndex cone = combo->model()->index(4, 0);
        combo->view()->setCurrentIndex(cone);
        QVERIFY(list->child(4)->state().focused);
        QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {},
                          combo->view()->visualRect(cone).center());
        QTRY_VERIFY(!combo->view()->isVisible());
        QVERIFY(m_windows->slot(WindowId::frmConeVol).window()->isVisible());
        QCOMPARE(combo->currentText(), QStringLiteral("Cone"));
        for (int i = 0; i < list->childCount(); ++i)
            QTRY_VERIFY2(!list->child(i)->state().focused,
                         qPrintable(list->child(i)->text(QAccessible::Name)));
    }

    // What a person's pointer reaches in the open list is where the tree says the item is.
    void theOpenListShowsItsItemsWhereTheTreeSaysTheyAre() {
        QComboBox *combo = selector("cboArea");
        QAccessibleInterface *list = accessible(combo)->child(0);
        QVERIFY(list->state().invisible);
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        QVERIFY(!list->state().invisible);
        QAccessibleInterface *circle = list->child(1);
        QCOMPARE(circle->text(QAccessible::Name), QStringLiteral("Circle"));
        const QRect onScreen = circle->rect();
        QVERIFY(!onScreen.isEmpty());
        const QModelIndex index = combo->model()->index(1, 0);
        const QRect drawn = combo->view()->visualRect(index);
        QCOMPARE(onScreen.center(), combo->view()->viewport()->mapToGlobal(drawn.center()));
        combo->hidePopup();
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentText(), QString());
    }
};

QTEST_MAIN(TestAccessibleTree)
#include "test_accessible_tree.moc"
