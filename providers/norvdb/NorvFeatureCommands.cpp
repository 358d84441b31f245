// Select and Insert; see NorvFeatureCommands.h.
#include "NorvFeatureCommands.h"

#include "NorvFeatureReader.h"
#include "NorvFilterSql.h"
#include "NorvValues.h"

namespace norvdb {

void NorvSelect::SetLockType(FdoLockType value) {
    if (value != FdoLockType_None) throw FdoCommandException::Create(L"The provider does not lock features.");
}

FdoIFeatureReader* NorvSelect::Execute() {
    NorvClassMap map = NorvSchema::Find(*m_connection, m_className);
    FdoPtr<FdoPropertyDefinitionCollection> props = map.definition->GetProperties();
    for (FdoInt32 i = 0; i < m_properties->GetCount(); i++) {
        FdoPtr<FdoIdentifier> id = m_properties->GetItem(i);
        FdoPtr<FdoPropertyDefinition> p = props->FindItem(id->GetName());
        if (!p)
            throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.",
                                                                 id->GetName(), static_cast<FdoString*>(map.name)));
    }
    std::string where = NorvFilterSql::Where(m_filter, map);
    return NorvFeatureReader::Create(m_connection, map, where, m_filter, m_parameters);
}

namespace {

// The column a property value names: exactly, else ignoring case.
int ColumnOf(const NorvClassMap& map, const std::vector<std::string>& columns, FdoString* property) {
    std::string name = FdoStringP::Utf8FromUnicode(property);
    for (size_t i = 0; i < columns.size(); i++)
        if (columns[i] == name) return static_cast<int>(i);
    for (size_t i = 0; i < columns.size(); i++)
        if (sqlite3_stricmp(columns[i].c_str(), name.c_str()) == 0) return static_cast<int>(i);
    throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.", property,
                                                         static_cast<FdoString*>(map.name)));
}

}  // namespace

const NorvClassMap& NorvInsert::Map() {
    FdoStringP name = m_className ? m_className->GetText() : L"";
    if (!m_map || m_mapName != name) {
        m_map = NorvSchema::Find(*m_connection, m_className);
        m_mapName = name;
    }
    return *m_map;
}

FdoIFeatureReader* NorvInsert::Execute() {
    const NorvClassMap& map = Map();
    NorvDatabase& db = m_connection->Database();
    std::vector<std::string> columns = map.columns;
    if (!map.geometry.empty()) columns.push_back(map.geometry);
    const int geometryColumn = map.geometry.empty() ? -1 : static_cast<int>(columns.size()) - 1;

    // Which column each property value writes.
    std::vector<int> target;
    std::vector<bool> given(columns.size(), false);
    for (FdoInt32 i = 0; i < m_values->GetCount(); i++) {
        FdoPtr<FdoPropertyValue> pv = m_values->GetItem(i);
        FdoPtr<FdoIdentifier> id = pv->GetName();
        int c = ColumnOf(map, columns, id ? id->GetName() : L"");
        target.push_back(c);
        given[static_cast<size_t>(c)] = true;
    }
    // A single whole-number key the caller leaves out is numbered here.
    int autoKey = -1;
    if (map.identity.size() == 1) {
        FdoPtr<FdoPropertyDefinitionCollection> props = map.definition->GetProperties();
        FdoPtr<FdoPropertyDefinition> p = props->FindItem(FdoStringP(map.identity[0].c_str()));
        auto* dp = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
        FdoDataType t = dp ? dp->GetDataType() : FdoDataType_String;
        if (t == FdoDataType_Int16 || t == FdoDataType_Int32 || t == FdoDataType_Int64 || t == FdoDataType_Decimal ||
            t == FdoDataType_Byte) {
            for (size_t i = 0; i < columns.size(); i++)
                if (columns[i] == map.identity[0]) autoKey = static_cast<int>(i);
        }
    }
    std::string qualified = SqlName(map.owner) + "." + SqlName(map.table);
    std::string names, marks;
    std::vector<int> bound;  // column per placeholder
    for (size_t c = 0; c < columns.size(); c++) {
        if (!given[c] && static_cast<int>(c) != autoKey) continue;
        names += (names.empty() ? "" : ", ") + SqlName(columns[c]);
        marks += marks.empty() ? "?" : ", ?";
        bound.push_back(static_cast<int>(c));
    }
    std::string sql = names.empty() ? "INSERT INTO " + qualified + " DEFAULT VALUES"
                                    : "INSERT INTO " + qualified + " (" + names + ") VALUES (" + marks + ")";
    std::unique_ptr<Statement> insert = db.Prepare(sql);
    int64_t nextKey = 0;
    if (autoKey >= 0) {
        auto q = db.Prepare("SELECT COALESCE(MAX(" + SqlName(columns[static_cast<size_t>(autoKey)]) + "), 0) FROM " +
                            qualified);
        q->Step();
        nextKey = q->Int(0);
    }

    std::vector<int64_t> rowids;
    FdoInt32 rows = m_batch->GetCount() > 0 ? m_batch->GetCount() : 1;
    db.Begin();
    try {
        for (FdoInt32 r = 0; r < rows; r++) {
            FdoPtr<FdoParameterValueCollection> params = m_batch->GetCount() > 0 ? m_batch->GetItem(r) : nullptr;
            std::vector<SqlValue> values(columns.size());
            for (FdoInt32 i = 0; i < m_values->GetCount(); i++) {
                FdoPtr<FdoPropertyValue> pv = m_values->GetItem(i);
                FdoPtr<FdoIdentifier> id = pv->GetName();
                FdoPtr<FdoValueExpression> e = pv->GetValue();
                FdoPtr<FdoLiteralValue> literal;
                if (auto* p = dynamic_cast<FdoParameter*>(e.p)) {
                    FdoPtr<FdoParameterValue> bound = params ? params->FindItem(p->GetName()) : nullptr;
                    if (!bound) bound = m_parameters->FindItem(p->GetName());
                    if (!bound)
                        throw FdoCommandException::Create(
                            FdoStringP::Format(L"The parameter '%ls' has no value.", p->GetName()));
                    literal = bound->GetValue();
                } else if (e) {
                    literal = dynamic_cast<FdoLiteralValue*>(e.p);
                    if (!literal)
                        throw FdoCommandException::Create(FdoStringP::Format(
                            L"The value of property '%ls' is an expression; give a value.", id->GetName()));
                    literal.p->AddRef();
                }
                int c = target[static_cast<size_t>(i)];
                values[static_cast<size_t>(c)] =
                    NorvValues::FromLiteral(literal, c == geometryColumn ? map.srid : std::nullopt, id->GetName());
                if (c == geometryColumn && values[static_cast<size_t>(c)].kind != SqlValue::Blob &&
                    values[static_cast<size_t>(c)].kind != SqlValue::Null)
                    throw FdoCommandException::Create(FdoStringP::Format(
                        L"The geometry property '%ls' takes a geometry value.", id->GetName()));
            }
            if (autoKey >= 0) {
                SqlValue& key = values[static_cast<size_t>(autoKey)];
                if (key.kind == SqlValue::Null) {
                    key.kind = SqlValue::Int;
                    key.i = ++nextKey;
                } else if (key.kind == SqlValue::Int && key.i > nextKey) {
                    nextKey = key.i;
                }
            }
            insert->Reset();
            for (size_t b = 0; b < bound.size(); b++) {
                const SqlValue& v = values[static_cast<size_t>(bound[b])];
                int at = static_cast<int>(b) + 1;
                switch (v.kind) {
                    case SqlValue::Null: insert->BindNull(at); break;
                    case SqlValue::Int: insert->Bind(at, v.i); break;
                    case SqlValue::Real: insert->Bind(at, v.d); break;
                    case SqlValue::Text: insert->Bind(at, v.s); break;
                    case SqlValue::Blob: insert->BindBlob(at, v.b); break;
                }
            }
            try {
                insert->Run();
            } catch (SqliteError& e) {
                throw db.Error(e);
            }
            rowids.push_back(sqlite3_last_insert_rowid(db.Handle()));
        }
    } catch (...) {
        // Rows written before the failure stay, as copies are not transactional.
        try {
            db.Commit();
        } catch (FdoException* e) {
            e->Release();
        }
        throw;
    }
    db.Commit();

    std::string list;
    for (auto id : rowids) list += (list.empty() ? "" : ",") + std::to_string(id);
    return NorvFeatureReader::Create(m_connection, map, "rowid IN (" + list + ")", nullptr, nullptr);
}

}  // namespace norvdb
