// The three dialects; see NorvDialect.h.
#include "NorvDialect.h"

namespace norvdb {

const NorvDialect& NorvDialect::Oracle() {
    static const NorvDialect d{DialectKind::Oracle, "oracle", true, "SDO_GEOMETRY", L"OracleSrid", true};
    return d;
}

const NorvDialect& NorvDialect::MsSql() {
    static const NorvDialect d{DialectKind::MsSql, "mssql", false, "GEOMETRY", L"MsSqlSrid", true};
    return d;
}

const NorvDialect& NorvDialect::Informix() {
    static const NorvDialect d{DialectKind::Informix, "informix", false, "ST_GEOMETRY", L"InformixSpatialSrid",
                               false};
    return d;
}

}  // namespace norvdb
