// Helpers shared by the control tests: a shown, active window to hold the
// widget under test (focus and key events need one), and the geometry of
// rows and cells to click on.
#pragma once

#include <GeoxferControls/EditableList.h>
#include <GeoxferControls/PropertyTree.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace ControlsTest {

// A top-level window with the control and a line edit to move the focus to.
struct Window {
    QWidget window;
    QLineEdit* elsewhere = nullptr;

    explicit Window(QWidget* control)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(control);
        elsewhere = new QLineEdit(&window);
        elsewhere->setObjectName(QStringLiteral("elsewhere"));
        layout->addWidget(elsewhere);
        window.resize(640, 480);
    }
    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

// Through the window, as the window system delivers it: press, release,
// press with a double-click, release. (The widget overload of mouseDClick
// sends the double-click alone, which no view takes for one.)
inline void doubleClickAt(QWidget* widget, QPoint pos)
{
    QWidget* top = widget->window();
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, widget->mapTo(top, pos));
}

// Enter in an editor commits on the next pass of the event loop.
inline void pressEnter(QWidget* widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
    QCoreApplication::processEvents();
}

inline QPoint rowPoint(QTreeWidget* view, QTreeWidgetItem* item, int column)
{
    const QRect rect = view->visualItemRect(item);  // starts after the indentation
    const int x = column == 0 ? rect.left() + 10 : view->columnViewportPosition(column) + 10;
    return QPoint(x, rect.center().y());
}

inline void doubleClickItem(GxfControls::PropertyTree* tree, GxfControls::PropertyItem* item, int column)
{
    QTreeWidget* view = tree->treeWidget();
    doubleClickAt(view->viewport(), rowPoint(view, item, column));
}

inline void clickItem(GxfControls::PropertyTree* tree, GxfControls::PropertyItem* item,
                      Qt::KeyboardModifiers modifiers = {})
{
    QTreeWidget* view = tree->treeWidget();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rowPoint(view, item, 0));
}

inline QPoint cellPoint(GxfControls::EditableList* list, int row, int column)
{
    QTableView* view = list->tableView();
    return view->visualRect(view->model()->index(row, column)).center();
}

} // namespace ControlsTest
