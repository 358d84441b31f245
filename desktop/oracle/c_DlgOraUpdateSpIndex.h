// c_DlgOraUpdateSpIndex: the "Spatial Index" dialog. In create mode it
// makes a spatial index on one geometry column, offering the table name
// followed by "_SIND" as its name and asking before an index of the same
// name on that table is dropped; in rebuild mode it rebuilds one index,
// whose name cannot be changed. Either may restrict the index to one layer
// geometry type ("DEFAULT": none).
//
// It keeps a reference on the connection it is given and opens it only if
// it is not open.
#pragma once

#include <Fdo/Common/Ptr.h>

#include <QDialog>

class CMaprailApp;
class FdoIConnection;
class QComboBox;
class QLineEdit;
class QPushButton;

class c_DlgOraUpdateSpIndex : public QDialog {
public:
    // Create mode.
    c_DlgOraUpdateSpIndex(CMaprailApp& app, QWidget* parent, FdoIConnection* connection, const QString& owner,
                          const QString& table, const QString& column);
    // Rebuild mode.
    c_DlgOraUpdateSpIndex(CMaprailApp& app, QWidget* parent, FdoIConnection* connection, const QString& indexOwner,
                          const QString& indexName);
    ~c_DlgOraUpdateSpIndex() override;

    QLineEdit* NameField() const { return m_name; }
    QComboBox* GeometryTypeBox() const { return m_type; }
    QPushButton* OkButton() const { return m_ok; }

    // "Create Index" / "Rebuild Index", callable as a click would.
    void Confirm();

private:
    c_DlgOraUpdateSpIndex(CMaprailApp& app, QWidget* parent, FdoIConnection* connection, bool rebuild);
    void CreateIndex(const QString& name, const QString& type);
    void RebuildIndex(const QString& name, const QString& type);

    CMaprailApp& m_app;
    FdoPtr<FdoIConnection> m_connection;
    bool m_rebuild;
    QString m_owner, m_table, m_column;  // rebuild mode: the index owner only
    QLineEdit* m_name;
    QComboBox* m_type;
    QPushButton* m_ok;
};
