// A list with columns: header texts, rows of texts, single or multiple
// selection of whole rows, optional ticks in the first column, and in-place
// editing of the columns a pane chooses (text, drop-down or True/False).
// It serves both the read-only report tables of the panes (rows read from a
// data store, a double-click acting as "Update...") and small editable grids
// (the dimensions of an SDO metadata entry).
//
// Editing works as in the property tree: double-click, F2 or Enter opens the
// editor of an editable cell; Enter, Tab or moving the focus commits, Escape
// cancels, a pick from a drop-down commits at once, Space flips a cell of a
// True/False column. Each commit of a changed
// text emits cellCommitted before the cell shows it; the slot may refuse or
// replace the text through the CommitDecision. A double-click on a cell that
// has no editor emits rowDoubleClicked instead.
//
// Every row has exactly one text per column: a shorter row is padded with
// empty texts, a longer one cut. Rows are numbered from 0 in display order.
//
// Use: link GeoxferControls, #include <GeoxferControls/EditableList.h>.
// Example (an Oracle pane):
//   auto* list = new GxfControls::EditableList(this);
//   list->setColumns({"Owner", "Table/View Name", "Column Name", "SRID"}, {100, 100, 100, 80});
//   list->addRow({owner, table, column, QString::number(srid)});
//   connect(list, &EditableList::rowDoubleClicked, this, &c_DlgOraSdoMetadata::OnSetMetadata);
//   const QList<int> rows = list->selectedRows();
//   if (rows.size() != 1) { message("Select one table/view."); return; }
//   QString owner = list->cell(rows.first(), 0);
//
// Example (an editable grid of four rows):
//   grid->setColumns({"Dimension Name", "Lower Bound", "Upper Bound", "Tolerance"}, {120, 120, 120, 120});
//   for (int c = 0; c < 4; ++c) grid->setColumnEditor(c, EditorKind::Text);
//   for (int r = 0; r < 4; ++r) grid->addRow({});
//   ... grid->commitPendingEdit(); const QList<QStringList> rows = grid->rows();
#pragma once

#include <GeoxferControls/CommitDecision.h>
#include <GeoxferControls/EditorKind.h>

#include <QList>
#include <QStringList>
#include <QWidget>

class QTableView;

namespace GxfControls {

class EditableListModel;
class EditableListView;

class EditableList : public QWidget {
    Q_OBJECT
public:
    explicit EditableList(QWidget* parent = nullptr);

    // Columns. Setting the columns removes every row and every column
    // editor (columns start read-only). A width of 0 or a missing width
    // gives 100 pixels.
    void setColumns(const QStringList& headers, const QList<int>& widths = {});
    void clearColumns();
    int columnCount() const;
    QStringList headers() const;
    void setColumnWidth(int column, int pixels);
    // The last column takes the width that is left.
    void setStretchLastColumn(bool stretch);
    // DropDown: choices are the list; TrueFalse: {true text, false text}.
    void setColumnEditor(int column, EditorKind editor, const QStringList& choices = {},
                         bool choicesEditable = false);
    EditorKind columnEditor(int column) const;

    // Rows.
    int addRow(const QStringList& cells);                 // returns its number
    void addRows(const QList<QStringList>& rows);          // many at once, fast
    void insertRow(int row, const QStringList& cells);
    void removeRow(int row);
    void removeRows(QList<int> rows);                      // any order
    void clearRows();
    int rowCount() const;
    QStringList row(int row) const;
    void setRow(int row, const QStringList& cells);
    QList<QStringList> rows() const;
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    // Selection. Single selection by default; whole rows are selected
    // unless full-row selection is turned off (then single cells are).
    void setMultipleSelection(bool multiple);
    void setFullRowSelection(bool fullRow);
    QList<int> selectedRows() const;                       // ascending
    int currentRow() const;                                // -1 when none
    void selectRow(int row);                               // only this one
    void clearSelection();

    // Ticks in the first column.
    void setCheckable(bool checkable);
    bool isRowChecked(int row) const;
    void setRowChecked(int row, bool checked);
    QList<int> checkedRows() const;                        // ascending

    // Editing from code.
    void editCell(int row, int column);
    bool isEditing() const;
    void commitPendingEdit();

    // The view, for what this class does not wrap. Do not change its model.
    QTableView* tableView() const;

signals:
    void cellCommitted(int row, int column, const QString& oldText, const QString& newText,
                       GxfControls::CommitDecision* decision);
    void rowDoubleClicked(int row);
    void currentRowChanged(int row);
    void itemSelectionChanged();
    void rowCheckToggled(int row, bool checked);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void commitCell(int row, int column, const QString& text);

    EditableListModel* m_model;
    EditableListView* m_view;
    bool m_committing = false;
};

} // namespace GxfControls
