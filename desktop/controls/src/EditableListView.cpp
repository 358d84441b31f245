#include "EditableListView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace GxfControls {

EditableListView::EditableListView(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void EditableListView::commitOpenEditor(QWidget* editor)
{
    if (!editor || state() != EditingState)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void EditableListView::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int key = event->key();
    if (state() != EditingState && plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        const QModelIndex index = currentIndex();
        if (index.isValid() && (index.flags() & Qt::ItemIsEditable)) {
            edit(index, AllEditTriggers, event);
            event->accept();
            return;
        }
    }
    if (state() != EditingState && plain && key == Qt::Key_Space && currentIndex().isValid()) {
        bool handled = false;
        emit spacePressed(currentIndex(), &handled);
        if (handled) {
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void EditableListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (index.isValid() && event->button() == Qt::LeftButton && state() != EditingState)
        emit rowDoubleClicked(index.row());
}

} // namespace GxfControls
