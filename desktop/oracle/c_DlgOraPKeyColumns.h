// c_DlgOraPKeyColumns: the "Primary Key Columns - Geoxfer" dialog. It lists
// the columns of one table or view with a tick box each, the key's columns
// ticked, and the key name ("<table>_PK" offered for a table without one).
// "Add Primary Key" creates the key on the ticked columns, in table order;
// in view-only mode it is disabled.
//
// It keeps a reference on the connection it is given and opens it only if
// it is not open.
#pragma once

#include <Fdo/Common/Ptr.h>

#include <QDialog>

class CMaprailApp;
class FdoIConnection;
class QLineEdit;
class QPushButton;

namespace GxfControls {
class EditableList;
}

class c_DlgOraPKeyColumns : public QDialog {
public:
    c_DlgOraPKeyColumns(CMaprailApp& app, QWidget* parent, FdoIConnection* connection, const QString& schema,
                        const QString& table, const QString& keyName, bool viewOnly);
    ~c_DlgOraPKeyColumns() override;

    GxfControls::EditableList* Columns() const { return m_columns; }
    QLineEdit* NameField() const { return m_name; }
    QPushButton* AddButton() const { return m_add; }
    // The name the key was created with (the name field's text).
    QString KeyName() const;

    // "Add Primary Key", callable as a click would.
    void AddPrimaryKey();

private:
    void ReadColumns(const QString& keyName);

    CMaprailApp& m_app;
    FdoPtr<FdoIConnection> m_connection;
    QString m_schema, m_table;
    GxfControls::EditableList* m_columns;
    QLineEdit* m_name;
    QPushButton* m_add;
};
