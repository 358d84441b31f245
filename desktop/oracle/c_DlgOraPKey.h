// c_DlgOraPKey: the "Primary Key" pane of the Oracle toolbox. It lists the
// geometry tables and views of the spatial metadata with the name of their
// primary key, opens "Primary Key Columns" to add a key to the selected row
// ("Add Primary Key" or a double-click) or to look at its key columns, and
// drops the row's key.
//
// The listing is the pane's own query: the schema is bound as a parameter,
// so nothing typed into the connection's OracleSchema can change it.
#pragma once

#include "oracle/c_DlgOraPane.h"

class c_DlgOraPKey : public c_DlgOraPane {
public:
    c_DlgOraPKey(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent);

    void ReadSource() override;
    void AddPrimaryKey();
    void ViewKeyColumns();
    void DeletePrimaryKey();

protected:
    void MakeColumns() override;

private:
    // The checked row, or -1 after the message when it shows no key.
    int KeyedRow(const QString& selectOneText);
};

// The rows of the listing for the schema (empty: every owner), each the
// owner, table, geometry column and key name. FDO errors propagate.
QList<QStringList> ReadPrimaryKeyListing(FdoIConnection* connection, const QString& schema);
