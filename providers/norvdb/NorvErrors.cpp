// Error texts of the emulated databases; see NorvErrors.h.
#include "NorvErrors.h"

namespace norvdb {

namespace {

struct Texts {
    const char* oracle;
    const char* mssql;
    const char* informix;
};

Texts For(NorvError e) {
    switch (e) {
        case NorvError::NoSuchTable:
            return {"ORA-00942: table or view does not exist", "Msg 208: Invalid object name.",
                    "-206: The specified table is not in the database."};
        case NorvError::NameInUse:
            return {"ORA-00955: name is already used by an existing object",
                    "Msg 2714: There is already an object with this name in the database.",
                    "-310: Table already exists in database."};
        case NorvError::NoSuchColumn:
            return {"ORA-00904: invalid identifier", "Msg 207: Invalid column name.",
                    "-217: Column not found in any table in the query."};
        case NorvError::InvalidSql:
            return {"ORA-00900: invalid SQL statement", "Msg 102: Incorrect syntax.", "-201: A syntax error has occurred."};
        case NorvError::NoSuchUser:
            return {"ORA-01918: user does not exist", "Msg 2760: The specified schema name does not exist.",
                    "-951: Incorrect user or password."};
        case NorvError::UniqueViolated:
            return {"ORA-00001: unique constraint violated",
                    "Msg 2627: Violation of PRIMARY KEY or UNIQUE KEY constraint.",
                    "-268: Unique constraint violated."};
        case NorvError::NullNotAllowed:
            return {"ORA-01400: cannot insert NULL", "Msg 515: Cannot insert the value NULL into column.",
                    "-391: Cannot insert a null into column."};
        case NorvError::ValueTooLarge:
            return {"ORA-12899: value too large for column", "Msg 8152: String or binary data would be truncated.",
                    "-1279: Value exceeds string column length."};
        case NorvError::NoSpatialMetadata:
            return {"ORA-29855: error occurred in the execution of ODCIINDEXCREATE routine\n"
                    "ORA-13203: failed to read USER_SDO_GEOM_METADATA view",
                    "Msg 1907: Cannot create a spatial index without the column's geometry metadata.",
                    "-9934: No spatial reference metadata for the column."};
        case NorvError::NoSuchIndex:
            return {"ORA-01418: specified index does not exist", "Msg 3701: Cannot drop the index.",
                    "-319: Index does not exist."};
        case NorvError::NoPrimaryKey:
            return {"ORA-02441: Cannot drop nonexistent primary key", "Msg 3728: The primary key does not exist.",
                    "-623: Unable to find the primary key constraint."};
        case NorvError::PrimaryKeyExists:
            return {"ORA-02260: table can have only one primary key",
                    "Msg 1779: Table already has a primary key defined on it.",
                    "-577: A constraint of the same type already exists on the column set."};
        case NorvError::LogonDenied:
            return {"ORA-01017: invalid username/password; logon denied", "Msg 18456: Login failed.",
                    "-951: Incorrect user or password."};
        case NorvError::BadParameter:
            return {"ORA-29855: error occurred in the execution of ODCIINDEXCREATE routine\n"
                    "ORA-13249: invalid index parameter",
                    "Msg 1911: Invalid spatial index parameter.", "-9935: Invalid spatial index parameter."};
        case NorvError::Other: break;
    }
    return {"ORA-00600: internal error", "Msg 50000: Error.", "-1: Error."};
}

bool Contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

}  // namespace

std::string NorvErrors::Text(const NorvDialect& d, NorvError e) {
    Texts t = For(e);
    return d.kind == DialectKind::Oracle ? t.oracle : d.kind == DialectKind::MsSql ? t.mssql : t.informix;
}

FdoException* NorvErrors::Make(const NorvDialect& d, NorvError e, const std::string& detail) {
    std::string msg = Text(d, e);
    if (!detail.empty()) msg += " (" + detail + ")";
    return FdoCommandException::Create(FdoStringP(msg.c_str()));
}

FdoException* NorvErrors::FromSqlite(const NorvDialect& d, const SqliteError& e) {
    const std::string& m = e.message;
    NorvError kind = NorvError::Other;
    if (Contains(m, "no such table") || Contains(m, "no such view")) kind = NorvError::NoSuchTable;
    else if (Contains(m, "already exists")) kind = NorvError::NameInUse;
    else if (Contains(m, "no such column")) kind = NorvError::NoSuchColumn;
    else if (Contains(m, "unknown database")) kind = NorvError::NoSuchUser;
    else if (Contains(m, "UNIQUE constraint failed") || Contains(m, "PRIMARY KEY")) kind = NorvError::UniqueViolated;
    else if (Contains(m, "NOT NULL constraint failed")) kind = NorvError::NullNotAllowed;
    else if (Contains(m, "CHECK constraint failed")) kind = NorvError::ValueTooLarge;
    else if (Contains(m, "syntax error") || Contains(m, "incomplete input") || Contains(m, "no such function") ||
             Contains(m, "wrong number of arguments"))
        kind = NorvError::InvalidSql;
    if (kind == NorvError::Other) {
        std::string prefix = d.kind == DialectKind::Oracle ? "ORA-00604: error occurred at recursive SQL level 1"
                                                            : Text(d, NorvError::Other);
        return FdoCommandException::Create(FdoStringP((prefix + " (" + m + ")").c_str()));
    }
    return Make(d, kind, m);
}

}  // namespace norvdb
