#include <GeoxferControls/EditableList.h>

#include "EditableListModel.h"
#include "EditableListView.h"
#include "InPlaceEditDelegate.h"

#include <QHeaderView>
#include <QPersistentModelIndex>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

namespace GxfControls {

namespace {

constexpr int kDefaultColumnWidth = 100;

} // namespace

EditableList::EditableList(QWidget* parent)
    : QWidget(parent), m_model(new EditableListModel(this)), m_view(new EditableListView(this))
{
    m_view->setModel(m_model);
    auto* delegate = new InPlaceEditDelegate(
        [this](const QModelIndex& index) { return m_model->columnEditor(index.column()); },
        [this](const QModelIndex& index, const QString& text) { commitCell(index.row(), index.column(), text); },
        m_view);
    m_view->setItemDelegate(delegate);
    m_view->verticalHeader()->setDefaultSectionSize(delegate->editorRowHeight());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    connect(m_view, &EditableListView::rowDoubleClicked, this, &EditableList::rowDoubleClicked);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.isValid() ? current.row() : -1); });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &EditableList::itemSelectionChanged);
    connect(m_view, &EditableListView::spacePressed, this, [this](const QModelIndex& index, bool* handled) {
        const EditorSetup setup = m_model->columnEditor(index.column());
        if (setup.kind != EditorKind::TrueFalse)
            return;
        *handled = true;
        commitCell(index.row(), index.column(), setup.flipped(m_model->cell(index.row(), index.column())));
    });
    connect(m_model, &EditableListModel::checkToggled, this, &EditableList::rowCheckToggled);
}

void EditableList::setColumns(const QStringList& headers, const QList<int>& widths)
{
    m_model->setColumns(headers);
    for (int c = 0; c < headers.size(); ++c)
        setColumnWidth(c, c < widths.size() ? widths.at(c) : 0);
}

void EditableList::clearColumns()
{
    m_model->setColumns({});
}

int EditableList::columnCount() const
{
    return m_model->columnCount();
}

QStringList EditableList::headers() const
{
    return m_model->headers();
}

void EditableList::setColumnWidth(int column, int pixels)
{
    m_view->setColumnWidth(column, pixels > 0 ? pixels : kDefaultColumnWidth);
}

void EditableList::setStretchLastColumn(bool stretch)
{
    m_view->horizontalHeader()->setStretchLastSection(stretch);
}

void EditableList::setColumnEditor(int column, EditorKind editor, const QStringList& choices, bool choicesEditable)
{
    m_model->setColumnEditor(column, EditorSetup{editor, choices, choicesEditable});
}

EditorKind EditableList::columnEditor(int column) const
{
    return m_model->columnEditor(column).kind;
}

int EditableList::addRow(const QStringList& cells)
{
    const int row = rowCount();
    m_model->insertRows(row, {cells});
    return row;
}

void EditableList::addRows(const QList<QStringList>& rows)
{
    m_model->insertRows(rowCount(), rows);
}

void EditableList::insertRow(int row, const QStringList& cells)
{
    m_model->insertRows(row, {cells});
}

void EditableList::removeRow(int row)
{
    m_model->removeRowAt(row);
}

void EditableList::removeRows(QList<int> rows)
{
    // From the bottom up, so that the numbers still to remove stay right.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        m_model->removeRowAt(row);
}

void EditableList::clearRows()
{
    m_model->clearRows();
}

int EditableList::rowCount() const
{
    return m_model->rowCount();
}

QStringList EditableList::row(int row) const
{
    return m_model->row(row);
}

void EditableList::setRow(int row, const QStringList& cells)
{
    m_model->setRow(row, cells);
}

QList<QStringList> EditableList::rows() const
{
    QList<QStringList> all;
    all.reserve(rowCount());
    for (int r = 0; r < rowCount(); ++r)
        all.append(m_model->row(r));
    return all;
}

QString EditableList::cell(int row, int column) const
{
    return m_model->cell(row, column);
}

void EditableList::setCell(int row, int column, const QString& text)
{
    m_model->setCell(row, column, text);
}

void EditableList::setMultipleSelection(bool multiple)
{
    m_view->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void EditableList::setFullRowSelection(bool fullRow)
{
    m_view->setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

QList<int> EditableList::selectedRows() const
{
    // Every row with a selected cell, so that this also serves when single
    // cells are selected.
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int EditableList::currentRow() const
{
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void EditableList::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    m_view->selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(m_model->index(row, 0));
}

void EditableList::clearSelection()
{
    m_view->clearSelection();
}

void EditableList::setCheckable(bool checkable)
{
    m_model->setCheckable(checkable);
}

bool EditableList::isRowChecked(int row) const
{
    return m_model->isChecked(row);
}

void EditableList::setRowChecked(int row, bool checked)
{
    m_model->setChecked(row, checked);
}

QList<int> EditableList::checkedRows() const
{
    QList<int> rows;
    for (int r = 0; r < rowCount(); ++r)
        if (m_model->isChecked(r))
            rows.append(r);
    return rows;
}

void EditableList::editCell(int row, int column)
{
    const QModelIndex index = m_model->index(row, column);
    if (!index.isValid())
        return;
    m_view->setCurrentIndex(index);
    if (index.flags() & Qt::ItemIsEditable)
        m_view->edit(index);
}

bool EditableList::isEditing() const
{
    return m_view->isEditing();
}

void EditableList::commitPendingEdit()
{
    m_view->commitOpenEditor(static_cast<InPlaceEditDelegate*>(m_view->itemDelegate())->openEditor());
}

QTableView* EditableList::tableView() const
{
    return m_view;
}

void EditableList::hideEvent(QHideEvent* event)
{
    commitPendingEdit();
    QWidget::hideEvent(event);
}

void EditableList::commitCell(int row, int column, const QString& text)
{
    if (m_committing)
        return;
    const QString oldText = m_model->cell(row, column);
    if (text == oldText)
        return;
    QScopedValueRollback<bool> guard(m_committing, true);
    const QPersistentModelIndex alive(m_model->index(row, column));
    CommitDecision decision(text);
    emit cellCommitted(row, column, oldText, text, &decision);
    if (!alive.isValid() || decision.isRefused())
        return;
    // The slot may have inserted or removed rows above: follow the cell.
    m_model->setCell(alive.row(), alive.column(), decision.value());
}

} // namespace GxfControls
