// c_DlgFdoViewsTablePane: the "NorvFdoClass" pane of the Oracle and of the
// SQL Server toolbox. Both administer the class-mapping table named by the
// connection property NorvFdoClass (upper-cased): read its rows into the
// table, create and drop it, and add, delete and update one row through
// the "NorvFdoClass" dialog. The buttons follow the same steps on both;
// the derived panes give the provider, the columns, the dialog and the
// engine calls, with a row as its cells in column order.
//
// A row changes in the table only after the database took the change, so a
// refused insert, update or delete leaves both as they were.
#pragma once

#include "app/c_DlgPane.h"
#include "dbtoolbox/c_PaneConnection.h"

#include <QList>
#include <QStringList>

#include <optional>

class c_DlgFdoSelConn;
class FdoIConnection;
class QLineEdit;

namespace GxfControls {
class EditableList;
}

class c_DlgFdoViewsTablePane : public c_DlgPane {
public:
    c_DlgFdoViewsTablePane(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent, const QString& readText);

    GxfControls::EditableList* Table() const { return m_table; }
    QLineEdit* TableNameField() const { return m_tableName; }

    // The buttons, callable as a click would.
    void ReadSource();
    void CreateTable();
    void DropTable();
    void AddRow();
    void DeleteRow();
    void UpdateRow();

protected:
    void OnActivate() override;

    virtual const c_PaneProvider& Provider() const = 0;
    virtual void MakeColumns() = 0;
    virtual int ClassNameColumn() const = 0;
    // The NorvFdoClass property as entered.
    virtual QString TableNameProperty(FdoIConnection* c) const = 0;
    // Runs the dialog on a row (className empty and no cells: a new row);
    // the entered row, or nothing when cancelled.
    virtual std::optional<QStringList> EditRow(const QString& className, const QStringList& cells) = 0;
    virtual void CreateMappingTable(FdoIConnection* c, const QString& table) = 0;
    virtual void DropMappingTable(FdoIConnection* c, const QString& table) = 0;
    virtual QList<QStringList> ReadMappingRows(FdoIConnection* c, const QString& table) = 0;
    virtual bool InsertMappingRow(FdoIConnection* c, const QString& table, const QStringList& cells) = 0;
    virtual bool UpdateMappingRow(FdoIConnection* c, const QString& table, const QString& className,
                           const QStringList& cells) = 0;
    virtual bool DeleteMappingRow(FdoIConnection* c, const QString& table, const QString& className) = 0;

private:
    // The common steps, then the upper-cased table name; false after the
    // message when the steps stop or the property is empty.
    bool ObtainTable(c_PaneConnection& session, bool emptyTable, QString& table);
    int SelectedRow() const;
    void Show(const QString& text);

    c_DlgFdoSelConn& m_selector;
    GxfControls::EditableList* m_table;
    QLineEdit* m_tableName;
    bool m_columnsMade = false;
};
