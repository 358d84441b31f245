// c_DlgConnManager: the "Connections List" pane — the table of every named
// connection (name, provider, connection string) with "New..." and
// "Delete". Each activation refills the table from the list.
#pragma once

#include "app/c_DlgPane.h"
#include "connections/c_ConnData.h"

class QTableWidget;

class c_DlgConnManager : public c_DlgPane {
public:
    c_DlgConnManager(CMaprailApp& app, QWidget* parent);

    QTableWidget* Table() const { return m_table; }
    void AddNewConnection();
    void DeleteSelected();

protected:
    void OnActivate() override;

private:
    void AppendRow(const c_ConnData& record);

    QTableWidget* m_table;
};
