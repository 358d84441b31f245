// Rows of an SQL query; see NorvSqlDataReader.h.
#include "NorvSqlDataReader.h"

#include "NorvGeometry.h"
#include "NorvTypeMap.h"

#include <common/DateTimeText.h>

namespace norvdb {

NorvSqlDataReader* NorvSqlDataReader::Create(FdoIDisposable* owner, std::unique_ptr<Statement> statement) {
    auto* r = new NorvSqlDataReader();
    r->m_owner = FDO_SAFE_ADDREF(owner);
    r->m_stmt = std::move(statement);
    int n = sqlite3_column_count(r->m_stmt->Handle());
    for (int i = 0; i < n; i++) {
        const char* name = sqlite3_column_name(r->m_stmt->Handle(), i);
        r->m_names.emplace_back(name ? name : "");
    }
    r->m_strings.resize(static_cast<size_t>(n));
    return r;
}

FdoInt32 NorvSqlDataReader::GetColumnCount() { return static_cast<FdoInt32>(m_names.size()); }

FdoString* NorvSqlDataReader::GetColumnName(FdoInt32 index) {
    if (index < 0 || static_cast<size_t>(index) >= m_names.size())
        throw FdoCommandException::Create(FdoStringP::Format(L"The query has no column %d.", index));
    return m_names[static_cast<size_t>(index)];
}

FdoInt32 NorvSqlDataReader::GetColumnIndex(FdoString* name) { return Column(name); }

int NorvSqlDataReader::Column(FdoString* name) {
    FdoStringP n = name ? name : L"";
    for (size_t i = 0; i < m_names.size(); i++)
        if (m_names[i] == n) return static_cast<int>(i);
    for (size_t i = 0; i < m_names.size(); i++)
        if (m_names[i].ICompare(n) == 0) return static_cast<int>(i);
    throw FdoCommandException::Create(
        FdoStringP::Format(L"The query has no column '%ls'.", static_cast<FdoString*>(n)));
}

void NorvSqlDataReader::CheckRow() const {
    if (!m_onRow || !m_stmt)
        throw FdoCommandException::Create(L"The SQL reader is not on a row: call ReadNext first.");
}

FdoDataType NorvSqlDataReader::GetColumnType(FdoString* name) {
    int c = Column(name);
    const char* decl = m_stmt ? sqlite3_column_decltype(m_stmt->Handle(), c) : nullptr;
    if (decl && *decl) {
        NorvColumnType t = NorvTypeMap::FromDeclared(decl);
        return t.geometry ? FdoDataType_BLOB : t.type;
    }
    if (m_onRow) {
        switch (sqlite3_column_type(m_stmt->Handle(), c)) {
            case SQLITE_INTEGER: return FdoDataType_Int64;
            case SQLITE_FLOAT: return FdoDataType_Double;
            case SQLITE_BLOB: return FdoDataType_BLOB;
            default: break;
        }
    }
    return FdoDataType_String;
}

FdoPropertyType NorvSqlDataReader::GetPropertyType(FdoString* name) {
    int c = Column(name);
    const char* decl = m_stmt ? sqlite3_column_decltype(m_stmt->Handle(), c) : nullptr;
    if (decl && NorvTypeMap::FromDeclared(decl).geometry) return FdoPropertyType_GeometricProperty;
    if (m_onRow && sqlite3_column_type(m_stmt->Handle(), c) == SQLITE_BLOB) {
        GeometryView g;
        if (NorvGeometry::Decode(sqlite3_column_blob(m_stmt->Handle(), c), sqlite3_column_bytes(m_stmt->Handle(), c), g))
            return FdoPropertyType_GeometricProperty;
    }
    return FdoPropertyType_DataProperty;
}

bool NorvSqlDataReader::IsNull(FdoString* name) {
    int c = Column(name);
    CheckRow();
    return sqlite3_column_type(m_stmt->Handle(), c) == SQLITE_NULL;
}

bool NorvSqlDataReader::GetBoolean(FdoString* name) { return GetInt64(name) != 0; }
FdoByte NorvSqlDataReader::GetByte(FdoString* name) { return static_cast<FdoByte>(GetInt64(name)); }
FdoInt16 NorvSqlDataReader::GetInt16(FdoString* name) { return static_cast<FdoInt16>(GetInt64(name)); }
FdoInt32 NorvSqlDataReader::GetInt32(FdoString* name) { return static_cast<FdoInt32>(GetInt64(name)); }
float NorvSqlDataReader::GetSingle(FdoString* name) { return static_cast<float>(GetDouble(name)); }

FdoInt64 NorvSqlDataReader::GetInt64(FdoString* name) {
    int c = Column(name);
    CheckRow();
    if (sqlite3_column_type(m_stmt->Handle(), c) == SQLITE_FLOAT)
        return static_cast<FdoInt64>(sqlite3_column_double(m_stmt->Handle(), c));
    return sqlite3_column_int64(m_stmt->Handle(), c);
}

double NorvSqlDataReader::GetDouble(FdoString* name) {
    int c = Column(name);
    CheckRow();
    return sqlite3_column_double(m_stmt->Handle(), c);
}

FdoString* NorvSqlDataReader::GetString(FdoString* name) {
    int c = Column(name);
    CheckRow();
    auto& cached = m_strings[static_cast<size_t>(c)];
    if (!cached) {
        sqlite3_stmt* h = m_stmt->Handle();
        if (sqlite3_column_type(h, c) == SQLITE_BLOB) {
            GeometryView g;
            if (NorvGeometry::Decode(sqlite3_column_blob(h, c), sqlite3_column_bytes(h, c), g))
                throw FdoCommandException::Create(FdoStringP::Format(
                    L"The column '%ls' holds a geometry; read it with GetGeometry.", name));
        }
        const unsigned char* t = sqlite3_column_text(h, c);
        cached = t ? FdoStringP::Utf8ToUnicode(reinterpret_cast<const char*>(t)) : std::wstring();
    }
    return cached->c_str();
}

FdoDateTime NorvSqlDataReader::GetDateTime(FdoString* name) {
    std::string text = FdoStringP::Utf8FromUnicode(GetString(name));
    auto value = providercommon::DateTimeText::Parse(text.c_str());
    if (!value)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The value '%ls' of column '%ls' is not a date or time.", GetString(name), name));
    return *value;
}

FdoLOBValue* NorvSqlDataReader::GetLOB(FdoString* name) {
    int c = Column(name);
    CheckRow();
    sqlite3_stmt* h = m_stmt->Handle();
    const void* data = sqlite3_column_blob(h, c);
    int n = sqlite3_column_bytes(h, c);
    FdoPtr<FdoByteArray> bytes = FdoByteArray::Create(static_cast<const FdoByte*>(data), n);
    return static_cast<FdoLOBValue*>(FdoDataValue::Create(bytes, FdoDataType_BLOB));
}

FdoByteArray* NorvSqlDataReader::GetGeometry(FdoString* name) {
    int c = Column(name);
    CheckRow();
    sqlite3_stmt* h = m_stmt->Handle();
    GeometryView g;
    if (sqlite3_column_type(h, c) != SQLITE_BLOB ||
        !NorvGeometry::Decode(sqlite3_column_blob(h, c), sqlite3_column_bytes(h, c), g))
        throw FdoCommandException::Create(FdoStringP::Format(L"The column '%ls' holds no geometry.", name));
    return FdoByteArray::Create(g.fgf, g.count);
}

bool NorvSqlDataReader::ReadNext() {
    if (m_done || !m_stmt) return false;
    for (auto& s : m_strings) s.reset();
    try {
        m_onRow = m_stmt->Step();
    } catch (SqliteError& e) {
        m_onRow = false;
        m_done = true;
        throw FdoCommandException::Create(FdoStringP(("Reading the query failed: " + e.message).c_str()));
    }
    if (!m_onRow) m_done = true;
    return m_onRow;
}

void NorvSqlDataReader::Close() {
    m_onRow = false;
    m_done = true;
    m_stmt.reset();
}

}  // namespace norvdb
