// Sessions of the three providers; see NorvConnection.h.
#include "NorvConnection.h"

#include "NorvFeatureCommands.h"
#include "NorvSchemaCommands.h"
#include "NorvSqlCommand.h"

#include <algorithm>
#include <cwctype>

namespace norvdb {

namespace {

std::string Lower(FdoString* s) {
    std::wstring w = s ? s : L"";
    for (auto& c : w) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return FdoStringP::Utf8FromUnicode(w.c_str());
}

std::string Utf8(FdoString* s) { return FdoStringP::Utf8FromUnicode(s ? s : L""); }

}  // namespace

NorvConnection::NorvConnection(const NorvDialect& dialect)
    : m_dialect(dialect), m_info(NorvConnectionInfo::Create(dialect)) {}

NorvConnection::~NorvConnection() = default;

FdoCommonConnPropDictionary* NorvConnection::Properties() { return m_info->Properties(); }
FdoString* NorvConnection::RefusingName() { return m_info->GetProviderName(); }

std::filesystem::path NorvConnection::DatabaseFolder() {
    FdoCommonConnPropDictionary* p = m_info->Properties();
    std::filesystem::path home = NorvDatabase::DataHome() / m_dialect.folder;
    switch (m_dialect.kind) {
        case DialectKind::Oracle: return home / NorvDatabase::SafeName(Lower(p->GetProperty(L"Service")));
        case DialectKind::MsSql:
            return home / NorvDatabase::SafeName(Lower(p->GetProperty(L"Server"))) /
                   NorvDatabase::SafeName(Lower(p->GetProperty(L"Database")));
        case DialectKind::Informix: return home / NorvDatabase::SafeName(Lower(p->GetProperty(L"DSN")));
    }
    return home;
}

FdoConnectionState NorvConnection::Open() {
    if (m_db) throw FdoConnectionException::Create(L"The connection is already open.");
    FdoCommonConnPropDictionary* p = m_info->Properties();
    p->Validate();
    NorvLogin login;
    if (m_dialect.kind != DialectKind::Informix) {
        login.user = Utf8(p->GetProperty(L"Username"));
        login.password = Utf8(p->GetProperty(L"Password"));
    }
    if (m_dialect.kind == DialectKind::Oracle) login.schema = Utf8(p->GetProperty(L"OracleSchema"));
    m_db = NorvDatabase::Open(m_dialect, DatabaseFolder(), login);
    p->SetLocked(true);
    return FdoConnectionState_Open;
}

void NorvConnection::Close() {
    m_db.reset();
    m_info->Properties()->SetLocked(false);
}


void NorvConnection::Flush() {
    if (m_db) m_db->Commit();
}

NorvDatabase& NorvConnection::Database() {
    if (!m_db) throw FdoConnectionException::Create(L"The connection is not open.");
    return *m_db;
}

FdoStringP NorvConnection::MappingTable() {
    if (m_dialect.kind == DialectKind::Informix) return L"";
    return m_info->Properties()->GetProperty(L"NorvFdoClass");
}

std::string NorvConnection::TargetOwner() {
    NorvDatabase& db = Database();
    if (m_dialect.kind == DialectKind::Oracle) {
        std::string schema = db.StoredName(Utf8(m_info->Properties()->GetProperty(L"OracleSchema")));
        if (!schema.empty()) return schema;
    }
    return db.CurrentOwner();
}

FdoICommand* NorvConnection::CreateCommand(FdoInt32 type) {
    if (!m_db) throw FdoConnectionException::Create(L"The connection must be open to create commands.");
    switch (type) {
        case FdoCommandType_SQLCommand: return NorvSqlCommand::Create(this);
        case FdoCommandType_Select: return NorvSelect::Create(this);
        case FdoCommandType_Insert: return NorvInsert::Create(this);
        case FdoCommandType_DescribeSchema: return NorvDescribeSchema::Create(this);
        case FdoCommandType_ApplySchema: return NorvApplySchema::Create(this);
        case FdoCommandType_GetSpatialContexts: return NorvGetSpatialContexts::Create(this);
        case FdoCommandType_CreateSpatialContext: return NorvCreateSpatialContext::Create(this);
        default: break;
    }
    throw FdoConnectionException::Create(
        FdoStringP::Format(L"The provider %ls does not support the command %d.", m_info->GetProviderName(),
                           static_cast<int>(type)));
}

}  // namespace norvdb
