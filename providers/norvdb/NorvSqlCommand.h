// NorvSqlCommand: FDO's SQL command. The statement is sent in the
// dialect of the connection; parameters ":1", ":2" bind the values named
// "1", "2" in the parameter collection.
#pragma once

#include "NorvConnection.h"

namespace norvdb {

class NorvSqlCommand : public NorvCommand<FdoISQLCommand> {
public:
    static NorvSqlCommand* Create(NorvConnection* c) { return new NorvSqlCommand(c); }
    FdoString* GetSQLStatement() override { return m_sql; }
    void SetSQLStatement(FdoString* value) override { m_sql = value ? value : L""; }
    FdoInt32 ExecuteNonQuery() override;
    FdoISQLDataReader* ExecuteReader() override;

protected:
    using NorvCommand::NorvCommand;

private:
    SqlBindings Bindings();
    FdoStringP m_sql;
};

}  // namespace norvdb
