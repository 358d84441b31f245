// The rows behind an EditableList: header texts, one text per cell, an
// optional tick per row, and how each column is edited. Cell texts change
// only through the list's API (after the owner has accepted a commit), so
// the model takes no edits of its own except the ticks.
#pragma once

#include "EditorSetup.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace GxfControls {

class EditableListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit EditableListModel(QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setColumns(const QStringList& headers);
    QStringList headers() const { return m_headers; }
    void setColumnEditor(int column, const EditorSetup& setup);
    EditorSetup columnEditor(int column) const;

    void insertRows(int row, const QList<QStringList>& rows);
    void removeRowAt(int row);
    void clearRows();
    QStringList row(int row) const;
    void setRow(int row, const QStringList& cells);
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    void setCheckable(bool checkable);
    bool isCheckable() const { return m_checkable; }
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);

signals:
    void checkToggled(int row, bool checked);

private:
    struct Row {
        QStringList cells;
        bool checked = false;
    };
    QStringList fitted(const QStringList& cells) const;

    QStringList m_headers;
    QList<EditorSetup> m_editors;
    QList<Row> m_rows;
    bool m_checkable = false;
};

} // namespace GxfControls
