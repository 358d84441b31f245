// Provider names and connection properties; see NorvConnectionInfo.h.
#include "NorvConnectionInfo.h"

namespace norvdb {

const NorvProviderNames& NorvConnectionInfo::Names(const NorvDialect& d) {
    static const NorvProviderNames oracle{
        L"Norv.Oracle.1.0", L"Norv Oracle Spatial (embedded stand-in)",
        L"Stand-in for an Oracle Spatial database: an embedded SQL store on SQLite under the data home "
        L"($GEOXFER_DB_HOME) that answers the Oracle statements and spatial metadata this system uses."};
    static const NorvProviderNames mssql{
        L"Norv.MsSqlSpatial.1.0", L"Norv SQL Server Spatial (embedded stand-in)",
        L"Stand-in for a SQL Server spatial database: an embedded SQL store on SQLite under the data home "
        L"($GEOXFER_DB_HOME)."};
    static const NorvProviderNames informix{
        L"Norv.Informix.1.0", L"Norv Informix Spatial (embedded stand-in)",
        L"Stand-in for an Informix spatial database: an embedded SQL store on SQLite under the data home "
        L"($GEOXFER_DB_HOME), one database per DSN."};
    return d.kind == DialectKind::Oracle ? oracle : d.kind == DialectKind::MsSql ? mssql : informix;
}

NorvConnectionInfo* NorvConnectionInfo::Create(const NorvDialect& dialect) { return new NorvConnectionInfo(dialect); }

NorvConnectionInfo::NorvConnectionInfo(const NorvDialect& d)
    : m_dialect(d), m_properties(FdoCommonConnPropDictionary::Create()) {
    auto* p = m_properties.p;
    switch (d.kind) {
        case DialectKind::Oracle:
            p->AddProperty(L"Username", L"", FdoCommonProp_Required);
            p->AddProperty(L"Password", L"", FdoCommonProp_Protected);
            p->AddProperty(L"Service", L"", FdoCommonProp_Required | FdoCommonProp_DatastoreName);
            p->AddProperty(L"OracleSchema");
            p->AddProperty(L"NorvFdoClass");
            break;
        case DialectKind::MsSql:
            p->AddProperty(L"Server", L"", FdoCommonProp_Required);
            p->AddProperty(L"Database", L"", FdoCommonProp_Required | FdoCommonProp_DatastoreName);
            p->AddProperty(L"Username");
            p->AddProperty(L"Password", L"", FdoCommonProp_Protected);
            p->AddProperty(L"NorvFdoClass");
            break;
        case DialectKind::Informix:
            p->AddProperty(L"DSN", L"", FdoCommonProp_Required | FdoCommonProp_DatastoreName);
            break;
    }
}

}  // namespace norvdb
