#include "PropertyTreeView.h"

#include <GeoxferControls/PropertyItem.h>

#include <QHeaderView>
#include <QKeyEvent>

namespace GxfControls {

PropertyTreeView::PropertyTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A click on a selected item must not open an editor: with several items
    // selected the user clicks around a lot.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(true);
    // Labels are the system's own words and must be read whole; the value
    // column takes the rest and shows long values in a tooltip.
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

PropertyItem* PropertyTreeView::propertyItem(const QModelIndex& index) const
{
    return static_cast<PropertyItem*>(itemFromIndex(index));
}

QModelIndex PropertyTreeView::valueIndex(PropertyItem* item) const
{
    return indexFromItem(item, 1);
}

void PropertyTreeView::commitOpenEditor(QWidget* editor)
{
    if (!editor || state() != EditingState)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool PropertyTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!index.isValid())
        return false;
    return QTreeWidget::edit(index.siblingAtColumn(1), trigger, event);
}

void PropertyTreeView::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (state() != EditingState && plain) {
        PropertyItem* item = static_cast<PropertyItem*>(currentItem());
        const int key = event->key();
        if (item && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
            item->editorKind() != EditorKind::ReadOnly) {
            // Accepted here, so that a dialog's default button does not fire.
            edit(currentIndex(), AllEditTriggers, event);
            event->accept();
            return;
        }
        if (item && (key == Qt::Key_Return || key == Qt::Key_Enter) && item->childCount() > 0) {
            // A group opens and closes, as a double-click does; the dialog's
            // default button is not pressed by the way.
            item->setExpanded(!item->isExpanded());
            event->accept();
            return;
        }
        if (item && key == Qt::Key_Space && item->editorKind() == EditorKind::TrueFalse) {
            emit flipRequested(item);
            event->accept();
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace GxfControls
