#include "EditableListModel.h"

namespace GxfControls {

EditableListModel::EditableListModel(QObject* parent) : QAbstractTableModel(parent) {}

int EditableListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int EditableListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant EditableListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headers.size())
        return {};
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return row.cells.at(index.column());
    case Qt::CheckStateRole:
        if (m_checkable && index.column() == 0)
            return row.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

bool EditableListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !m_checkable || index.column() != 0 || !index.isValid())
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant EditableListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return {};
}

Qt::ItemFlags EditableListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (columnEditor(index.column()).editable())
        f |= Qt::ItemIsEditable;
    if (m_checkable && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void EditableListModel::setColumns(const QStringList& headers)
{
    beginResetModel();
    m_headers = headers;
    m_editors = QList<EditorSetup>(headers.size());
    m_rows.clear();
    endResetModel();
}

void EditableListModel::setColumnEditor(int column, const EditorSetup& setup)
{
    if (column >= 0 && column < m_editors.size())
        m_editors[column] = setup;
}

EditorSetup EditableListModel::columnEditor(int column) const
{
    return column >= 0 && column < m_editors.size() ? m_editors.at(column) : EditorSetup{};
}

QStringList EditableListModel::fitted(const QStringList& cells) const
{
    // Short rows are padded and long rows cut, so every row has one text per
    // column and reading a row back never runs past its end.
    QStringList result = cells.mid(0, m_headers.size());
    while (result.size() < m_headers.size())
        result.append(QString());
    return result;
}

void EditableListModel::insertRows(int row, const QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return;
    row = qBound(0, row, int(m_rows.size()));
    beginInsertRows({}, row, row + int(rows.size()) - 1);
    for (int i = 0; i < rows.size(); ++i)
        m_rows.insert(row + i, Row{fitted(rows.at(i)), false});
    endInsertRows();
}

void EditableListModel::removeRowAt(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void EditableListModel::clearRows()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QStringList EditableListModel::row(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).cells : QStringList();
}

void EditableListModel::setRow(int row, const QStringList& cells)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row].cells = fitted(cells);
    emit dataChanged(index(row, 0), index(row, int(m_headers.size()) - 1));
}

QString EditableListModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headers.size())
        return {};
    return m_rows.at(row).cells.at(column);
}

void EditableListModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headers.size())
        return;
    m_rows[row].cells[column] = text;
    emit dataChanged(index(row, column), index(row, column));
}

void EditableListModel::setCheckable(bool checkable)
{
    beginResetModel();
    m_checkable = checkable;
    endResetModel();
}

bool EditableListModel::isChecked(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).checked;
}

void EditableListModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).checked == checked)
        return;
    m_rows[row].checked = checked;
    emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
    emit checkToggled(row, checked);
}

} // namespace GxfControls
