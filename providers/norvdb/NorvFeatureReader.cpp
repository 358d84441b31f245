// Features of a class; see NorvFeatureReader.h.
#include "NorvFeatureReader.h"

#include "NorvGeometry.h"

#include <FdoCommon/FdoCommonSchemaUtil.h>
#include <common/DateTimeText.h>

namespace norvdb {

NorvFeatureReader* NorvFeatureReader::Create(NorvConnection* connection, const NorvClassMap& map,
                                             const std::string& where, FdoFilter* filter,
                                             FdoParameterValueCollection* parameters) {
    FdoPtr<NorvFeatureReader> r = new NorvFeatureReader();
    r->m_connection = FDO_SAFE_ADDREF(connection);
    r->m_map = map;
    std::string cols;
    for (auto& c : map.columns) {
        cols += (cols.empty() ? "" : ", ") + SqlName(c);
        r->m_names.emplace_back(c.c_str());
    }
    if (!map.geometry.empty()) {
        cols += (cols.empty() ? "" : ", ") + SqlName(map.geometry);
        r->m_names.emplace_back(map.geometry.c_str());
    }
    if (cols.empty()) cols = "1";
    std::string sql = "SELECT " + cols + " FROM " + SqlName(map.owner) + "." + SqlName(map.table);
    if (!where.empty()) sql += " WHERE " + where;
    r->m_stmt = connection->Database().Prepare(sql);
    r->m_strings.resize(r->m_names.size());
    if (filter) r->m_evaluator = FdoCommonFilterEvaluator::Create(filter, map.definition, parameters);
    return FDO_SAFE_ADDREF(r.p);
}

FdoClassDefinition* NorvFeatureReader::GetClassDefinition() {
    return FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(m_map.definition);
}

FdoIFeatureReader* NorvFeatureReader::GetFeatureObject(FdoString* name) {
    throw FdoCommandException::Create(FdoStringP::Format(L"The class has no object property '%ls'.", name));
}

FdoIStreamReader* NorvFeatureReader::GetLOBStreamReader(FdoString* name) {
    throw FdoCommandException::Create(FdoStringP::Format(L"LOB values are read whole; use GetLOB ('%ls').", name));
}

FdoIRaster* NorvFeatureReader::GetRaster(FdoString* name) {
    throw FdoCommandException::Create(FdoStringP::Format(L"The class has no raster property '%ls'.", name));
}

int NorvFeatureReader::Col(FdoString* name) {
    for (size_t i = 0; i < m_names.size(); i++)
        if (m_names[i] == name) return static_cast<int>(i);
    throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.",
                                                         name ? name : L"", static_cast<FdoString*>(m_map.name)));
}

sqlite3_stmt* NorvFeatureReader::Row() {
    if (!m_onRow) throw FdoCommandException::Create(L"The feature reader is not on a feature: call ReadNext first.");
    return m_stmt->Handle();
}

FdoString* NorvFeatureReader::GetPropertyName(FdoInt32 index) {
    if (index < 0 || static_cast<size_t>(index) >= m_names.size())
        throw FdoCommandException::Create(L"Item index out of bounds.");
    return m_names[static_cast<size_t>(index)];
}

FdoInt32 NorvFeatureReader::GetPropertyIndex(FdoString* name) { return Col(name); }

bool NorvFeatureReader::IsNull(FdoString* name) {
    int c = Col(name);
    return sqlite3_column_type(Row(), c) == SQLITE_NULL;
}

bool NorvFeatureReader::GetBoolean(FdoString* name) { return GetInt64(name) != 0; }
FdoByte NorvFeatureReader::GetByte(FdoString* name) { return static_cast<FdoByte>(GetInt64(name)); }
FdoInt16 NorvFeatureReader::GetInt16(FdoString* name) { return static_cast<FdoInt16>(GetInt64(name)); }
FdoInt32 NorvFeatureReader::GetInt32(FdoString* name) { return static_cast<FdoInt32>(GetInt64(name)); }
float NorvFeatureReader::GetSingle(FdoString* name) { return static_cast<float>(GetDouble(name)); }

FdoInt64 NorvFeatureReader::GetInt64(FdoString* name) {
    int c = Col(name);
    sqlite3_stmt* h = Row();
    if (sqlite3_column_type(h, c) == SQLITE_FLOAT) return static_cast<FdoInt64>(sqlite3_column_double(h, c));
    return sqlite3_column_int64(h, c);
}

double NorvFeatureReader::GetDouble(FdoString* name) {
    int c = Col(name);
    return sqlite3_column_double(Row(), c);
}

FdoString* NorvFeatureReader::GetString(FdoString* name) {
    int c = Col(name);
    sqlite3_stmt* h = Row();
    auto& s = m_strings[static_cast<size_t>(c)];
    if (!s) {
        const unsigned char* t = sqlite3_column_text(h, c);
        s = t ? FdoStringP::Utf8ToUnicode(reinterpret_cast<const char*>(t)) : std::wstring();
    }
    return s->c_str();
}

FdoDateTime NorvFeatureReader::GetDateTime(FdoString* name) {
    std::string text = FdoStringP::Utf8FromUnicode(GetString(name));
    auto v = providercommon::DateTimeText::Parse(text.c_str());
    if (!v)
        throw FdoCommandException::Create(FdoStringP::Format(L"The value '%ls' of property '%ls' is not a date or time.",
                                                             GetString(name), name));
    return *v;
}

FdoLOBValue* NorvFeatureReader::GetLOB(FdoString* name) {
    int c = Col(name);
    sqlite3_stmt* h = Row();
    const void* data = sqlite3_column_blob(h, c);
    int n = sqlite3_column_bytes(h, c);
    FdoPtr<FdoByteArray> bytes = FdoByteArray::Create(static_cast<const FdoByte*>(data), n);
    FdoPtr<FdoPropertyDefinitionCollection> props = m_map.definition->GetProperties();
    FdoPtr<FdoPropertyDefinition> p = props->FindItem(name);
    auto* dp = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
    FdoDataType type = dp && dp->GetDataType() == FdoDataType_CLOB ? FdoDataType_CLOB : FdoDataType_BLOB;
    return static_cast<FdoLOBValue*>(FdoDataValue::Create(bytes, type));
}

const FdoByte* NorvFeatureReader::GetGeometry(FdoString* name, FdoInt32* count) {
    int c = Col(name);
    sqlite3_stmt* h = Row();
    GeometryView g;
    if (sqlite3_column_type(h, c) != SQLITE_BLOB ||
        !NorvGeometry::Decode(sqlite3_column_blob(h, c), sqlite3_column_bytes(h, c), g))
        throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' holds no geometry.", name));
    if (count) *count = g.count;
    return g.fgf;
}

FdoByteArray* NorvFeatureReader::GetGeometry(FdoString* name) {
    FdoInt32 n = 0;
    const FdoByte* fgf = GetGeometry(name, &n);
    return FdoByteArray::Create(fgf, n);
}

bool NorvFeatureReader::ReadNext() {
    if (m_done) return false;
    for (;;) {
        for (auto& s : m_strings) s.reset();
        try {
            m_onRow = m_stmt->Step();
        } catch (SqliteError& e) {
            m_onRow = false;
            m_done = true;
            throw m_connection->Database().Error(e);
        }
        if (!m_onRow) {
            m_done = true;
            return false;
        }
        if (!m_evaluator || m_evaluator->IsMatch(this)) return true;
    }
}

void NorvFeatureReader::Close() {
    m_onRow = false;
    m_done = true;
    m_stmt.reset();
}

}  // namespace norvdb
