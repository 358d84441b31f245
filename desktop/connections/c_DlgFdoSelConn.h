// c_DlgFdoSelConn: the connection selector pane. It stands above the tool
// panes that work on one FDO connection (the FDO source, Oracle and SQL
// Server toolboxes), which keep a pointer to it and ask GetConnectionName(),
// then c_ConnList::CreateConnection(name) for an unopened connection.
//
// Controls: "FDO Connection:", the provider box, the connection box,
// "New...", the connection string of the chosen connection (editable: a
// change is stored with c_ConnList::Update when the field loses the focus)
// and "Test...". Activation keeps earlier box entries, adds new provider
// names, and preselects the current connection of the list (the one last
// chosen anywhere), else what was chosen before, else the first entry.
// Choosing a connection makes it the list's current one.
#pragma once

#include "app/c_DlgPane.h"

class QComboBox;
class QLineEdit;

class c_DlgFdoSelConn : public c_DlgPane {
public:
    c_DlgFdoSelConn(CMaprailApp& app, QWidget* parent);

    // The text of the connection box, possibly empty.
    QString GetConnectionName() const;

    QComboBox* ProviderBox() const { return m_provider; }
    QComboBox* ConnectionBox() const { return m_connection; }
    QLineEdit* ConnectionStringField() const { return m_connString; }

    // What the controls do, callable from tests as a click would.
    void ChooseProvider(int index);
    void ChooseConnection(int index);
    void AddNewConnection();
    void TestConnection();
    void StoreEditedConnectionString();

protected:
    void OnActivate() override;

private:
    void RefillConnections();
    void ShowConnectionString();

    QComboBox* m_provider;
    QComboBox* m_connection;
    QLineEdit* m_connString;
};
