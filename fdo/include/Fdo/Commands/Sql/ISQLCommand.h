// FdoISQLCommand: runs one SQL statement in the data store's own dialect,
// either for its row count or for its rows.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Commands/Sql/ISQLDataReader.h>

class FDO_API FdoISQLCommand : public FdoICommand {
public:
    // Borrowed.
    virtual FdoString* GetSQLStatement() = 0;
    virtual void SetSQLStatement(FdoString* value) = 0;
    // The number of rows affected.
    virtual FdoInt32 ExecuteNonQuery() = 0;
    // New reference.
    virtual FdoISQLDataReader* ExecuteReader() = 0;
};
