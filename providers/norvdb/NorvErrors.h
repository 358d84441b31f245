// NorvErrors: the error texts of the emulated databases. Every failure of
// the store reaches the caller as an FdoCommandException (or, when opening,
// FdoConnectionException) whose message reads as the real server's would,
// for example "ORA-00942: table or view does not exist", followed by the
// detail that says which object was involved.
#pragma once

#include "NorvDialect.h"
#include "NorvSqlite.h"

#include <Fdo.h>

#include <string>

namespace norvdb {

enum class NorvError {
    NoSuchTable,       // table or view does not exist
    NameInUse,         // name is already used by an existing object
    NoSuchColumn,      // invalid identifier
    InvalidSql,        // syntax
    NoSuchUser,        // user/schema does not exist
    UniqueViolated,
    NullNotAllowed,
    ValueTooLarge,
    NoSpatialMetadata, // spatial index on a column without a metadata row
    NoSuchIndex,
    NoPrimaryKey,
    PrimaryKeyExists,
    LogonDenied,
    BadParameter,      // bad PARAMETERS text (layer_gtype)
    Other,
};

class NorvErrors {
public:
    // New FdoCommandException: the dialect's text for the error, then detail.
    static FdoException* Make(const NorvDialect& dialect, NorvError error, const std::string& detail = "");
    // Classifies an SQLite failure and makes its exception.
    static FdoException* FromSqlite(const NorvDialect& dialect, const SqliteError& e);
    static std::string Text(const NorvDialect& dialect, NorvError error);
};

}  // namespace norvdb
