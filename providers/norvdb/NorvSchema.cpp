// Feature classes of an emulated database; see NorvSchema.h.
#include "NorvSchema.h"

#include "NorvTypeMap.h"

#include <FdoCommon/FdoCommonSchemaUtil.h>

#include <cctype>
#include <cwctype>
#include <map>
#include <sstream>

namespace norvdb {

namespace {

struct Column {
    std::string name;
    std::string declared;
};

struct Table {
    std::string owner, name;
    std::vector<Column> columns;
};

FdoStringP W(const std::string& s) { return FdoStringP(s.c_str()); }

std::string Key(const std::string& owner, const std::string& table) { return owner + "\x1f" + table; }

std::vector<Table> ReadTables(NorvDatabase& db) {
    std::vector<Table> tables;
    for (auto& o : db.Owners()) {
        auto q = db.Prepare("SELECT m.name, p.name, p.type FROM " + SqlName(o) +
                            ".sqlite_master m JOIN pragma_table_info(m.name, " + SqlText(o) +
                            ") p WHERE m.type IN ('table', 'view') AND m.name NOT LIKE 'sqlite%' AND "
                            "m.name NOT LIKE 'NORV$%' ORDER BY m.name, p.cid");
        while (q->Step()) {
            std::string t = q->Text(0);
            if (tables.empty() || tables.back().owner != o || tables.back().name != t) tables.push_back({o, t, {}});
            tables.back().columns.push_back({q->Text(1), q->Text(2)});
        }
    }
    return tables;
}

struct Metadata {
    std::optional<int32_t> srid;
    int dims = 2;
};

std::map<std::string, Metadata> ReadMetadata(NorvDatabase& db) {
    std::map<std::string, Metadata> out;
    auto q = db.Prepare("SELECT OWNER, TABLE_NAME, COLUMN_NAME, SRID, "
                        "(SELECT COUNT(*) FROM NORV_DIM_ELEMENTS(m.DIMINFO)) FROM main.ALL_SDO_GEOM_METADATA m");
    while (q->Step()) {
        Metadata md;
        if (!q->IsNull(3)) md.srid = static_cast<int32_t>(q->Int(3));
        md.dims = static_cast<int>(q->Int(4));
        out[Key(q->Text(0), q->Text(1)) + "\x1f" + q->Text(2)] = md;
    }
    return out;
}

std::map<std::string, std::vector<std::string>> ReadKeys(NorvDatabase& db) {
    std::map<std::string, std::vector<std::string>> out;
    auto q = db.Prepare("SELECT c.OWNER, c.TABLE_NAME, k.COLUMN_NAME FROM NORV$CONSTRAINTS c JOIN NORV$CONS_COLUMNS k "
                        "ON k.OWNER = c.OWNER AND k.CONSTRAINT_NAME = c.CONSTRAINT_NAME WHERE c.CONSTRAINT_TYPE = 'P' "
                        "ORDER BY c.OWNER, c.TABLE_NAME, k.POSITION");
    while (q->Step()) out[Key(q->Text(0), q->Text(1))].push_back(q->Text(2));
    return out;
}

struct SpatialIndex {
    std::string physical, gtype;
};

std::map<std::string, SpatialIndex> ReadSpatialIndexes(NorvDatabase& db) {
    std::map<std::string, SpatialIndex> out;
    auto q = db.Prepare("SELECT TABLE_OWNER, TABLE_NAME, COLUMN_NAME, PHYSICAL_NAME, LAYER_GTYPE FROM NORV$INDEXES "
                        "WHERE SPATIAL = 1 AND STATUS = 'VALID'");
    while (q->Step()) out[Key(q->Text(0), q->Text(1)) + "\x1f" + q->Text(2)] = {q->Text(3), q->Text(4)};
    return out;
}

FdoInt32 GeometricTypes(const std::string& gtype) {
    if (gtype == "POINT" || gtype == "MULTIPOINT") return FdoGeometricType_Point;
    if (gtype == "LINE" || gtype == "CURVE" || gtype == "MULTILINE" || gtype == "MULTICURVE") return FdoGeometricType_Curve;
    if (gtype == "POLYGON" || gtype == "SURFACE" || gtype == "MULTIPOLYGON" || gtype == "MULTISURFACE")
        return FdoGeometricType_Surface;
    return FdoGeometricType_Point | FdoGeometricType_Curve | FdoGeometricType_Surface;
}

// A layer of one kind holds its single and multi geometries, as the spatial
// index's layer_gtype says; without one, any geometry.
void SetGeometryTypes(FdoGeometricPropertyDefinition* g, const std::string& gtype) {
    FdoInt32 mask = GeometricTypes(gtype);
    FdoGeometryType pair[2];
    if (mask == FdoGeometricType_Point) pair[0] = FdoGeometryType_Point, pair[1] = FdoGeometryType_MultiPoint;
    else if (mask == FdoGeometricType_Curve) pair[0] = FdoGeometryType_LineString, pair[1] = FdoGeometryType_MultiLineString;
    else if (mask == FdoGeometricType_Surface) pair[0] = FdoGeometryType_Polygon, pair[1] = FdoGeometryType_MultiPolygon;
    else return g->SetGeometryTypes(mask);
    g->SetSpecificGeometryTypes(pair, 2);
}

bool SameName(const std::string& a, const std::string& b) { return sqlite3_stricmp(a.c_str(), b.c_str()) == 0; }

// Builds the class of one table (geometry may be empty).
NorvClassMap Build(const NorvDialect& d, const FdoStringP& className, const Table& t, const std::string& geometry,
                   std::vector<std::string> identity, const std::map<std::string, Metadata>& metadata,
                   const std::map<std::string, SpatialIndex>& indexes) {
    NorvClassMap m;
    m.name = className;
    m.owner = t.owner;
    m.table = t.name;
    m.geometry = geometry;
    FdoPtr<FdoClassDefinition> cls;
    FdoPtr<FdoFeatureClass> feature;
    if (!geometry.empty()) {
        feature = FdoFeatureClass::Create(className, L"");
        cls = FDO_SAFE_ADDREF(feature.p);
    } else {
        cls = FdoClass::Create(className, L"");
    }
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoDataPropertyDefinitionCollection> ids = cls->GetIdentityProperties();
    std::vector<std::string> keyColumns;
    for (auto& k : identity)
        for (auto& c : t.columns)
            if (SameName(c.name, k)) keyColumns.push_back(c.name);
    if (keyColumns.size() != identity.size()) keyColumns.clear();
    for (auto& c : t.columns) {
        NorvColumnType type = NorvTypeMap::FromDeclared(c.declared);
        if (type.geometry) {
            if (c.name != geometry) continue;
            FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(W(c.name), L"");
            auto md = metadata.find(Key(t.owner, t.name) + "\x1f" + c.name);
            auto ix = indexes.find(Key(t.owner, t.name) + "\x1f" + c.name);
            if (md != metadata.end()) {
                m.srid = md->second.srid;
                g->SetHasElevation(md->second.dims >= 3);
            }
            if (ix != indexes.end()) m.spatialIndex = ix->second.physical;
            SetGeometryTypes(g, ix != indexes.end() ? ix->second.gtype : "");
            g->SetSpatialContextAssociation(NorvSchema::ContextName(d, m.srid));
            props->Add(g);
            feature->SetGeometryProperty(g);
            continue;
        }
        FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(W(c.name), L"");
        p->SetDataType(type.type);
        if (type.type == FdoDataType_String) p->SetLength(type.length);
        if (type.type == FdoDataType_Decimal) {
            p->SetPrecision(type.precision);
            p->SetScale(type.scale);
        }
        bool isKey = false;
        for (auto& k : keyColumns) isKey = isKey || k == c.name;
        p->SetNullable(!isKey);
        props->Add(p);
        if (isKey) m.identity.push_back(c.name);
        m.columns.push_back(c.name);
    }
    // Keys in key order.
    for (auto& k : keyColumns) {
        FdoPtr<FdoPropertyDefinition> p = props->FindItem(W(k));
        if (auto* dp = dynamic_cast<FdoDataPropertyDefinition*>(p.p)) ids->Add(dp);
    }
    m.identity = keyColumns;
    m.definition = cls;
    return m;
}

std::vector<std::string> SplitList(const std::string& s) {
    std::vector<std::string> out;
    std::string item;
    std::stringstream in(s);
    while (std::getline(in, item, ',')) {
        size_t a = item.find_first_not_of(" \t"), b = item.find_last_not_of(" \t");
        if (a != std::string::npos) out.push_back(item.substr(a, b - a + 1));
    }
    return out;
}

}  // namespace

FdoStringP NorvSchema::ContextName(const NorvDialect& d, std::optional<int32_t> srid) {
    if (!srid) return kDefaultContext;
    return FdoStringP::Format(L"%ls%d", d.contextPrefix, static_cast<int>(*srid));
}

std::optional<int32_t> NorvSchema::SridFromName(FdoString* name) {
    if (!name) return std::nullopt;
    for (FdoString* prefix : {L"OracleSrid", L"InformixSpatialSrid", L"MsSqlSrid"}) {
        size_t n = wcslen(prefix);
        if (wcsncmp(name, prefix, n) != 0) continue;
        FdoString* digits = name + n;
        if (!*digits) return std::nullopt;
        for (FdoString* p = digits; *p; p++)
            if (!std::iswdigit(static_cast<wint_t>(*p))) return std::nullopt;
        return static_cast<int32_t>(std::wcstol(digits, nullptr, 10));
    }
    return std::nullopt;
}

std::vector<NorvClassMap> NorvSchema::Classes(NorvConnection& connection) {
    NorvDatabase& db = connection.Database();
    const NorvDialect& d = connection.Dialect();
    std::vector<NorvClassMap> out;
    db.RefreshOwners();
    try {
        std::vector<Table> tables = ReadTables(db);
        auto metadata = ReadMetadata(db);
        auto keys = ReadKeys(db);
        auto indexes = ReadSpatialIndexes(db);
        for (auto& t : tables) {
            std::vector<std::string> identity;
            if (auto k = keys.find(Key(t.owner, t.name)); k != keys.end()) identity = k->second;
            std::vector<std::string> geometries;
            for (auto& c : t.columns)
                if (NorvTypeMap::FromDeclared(c.declared).geometry) geometries.push_back(c.name);
            std::string prefix = d.ownerInClassName ? t.owner + "~" : "";
            if (geometries.empty()) {
                out.push_back(Build(d, W(prefix + t.name), t, "", identity, metadata, indexes));
                continue;
            }
            for (size_t i = 0; i < geometries.size(); i++) {
                std::string name = d.ownerInClassName ? prefix + t.name + "~" + geometries[i]
                                   : i == 0           ? t.name
                                                      : t.name + "~" + geometries[i];
                out.push_back(Build(d, W(name), t, geometries[i], identity, metadata, indexes));
            }
        }
        // Classes of the class-mapping table.
        std::string mapping = FdoStringP::Utf8FromUnicode(connection.MappingTable());
        if (!mapping.empty()) {
            std::unique_ptr<Statement> rows;
            bool ora = d.kind == DialectKind::Oracle;
            std::string sql = ora ? "SELECT FDO_CLASS_NAME, FDO_ORA_OWNER, FDO_ORA_NAME, FDO_ORA_GEOMCOLUMN, "
                                    "FDO_IDENTITY FROM " + mapping
                                  : "SELECT FDO_CLASS_NAME, QUERY_SCHEMA, QUERY_NAME, GEOM_COLUMN, CLASSIDENTITY "
                                    "FROM " + mapping;
            try {
                db.Execute(sql, {}, &rows);
            } catch (FdoException* e) {
                e->Release();  // no such table yet: nothing mapped
            }
            while (rows && rows->Step()) {
                std::string cls = rows->Text(0), owner = rows->Text(1), name = rows->Text(2), geom = rows->Text(3);
                if (cls.empty() || name.empty()) continue;
                if (owner.empty()) owner = db.CurrentOwner();
                for (auto& t : tables) {
                    if (!SameName(t.owner, owner) || !SameName(t.name, name)) continue;
                    std::string geometry;
                    for (auto& c : t.columns)
                        if (!geom.empty() && SameName(c.name, geom) && NorvTypeMap::FromDeclared(c.declared).geometry)
                            geometry = c.name;
                    std::vector<std::string> identity = SplitList(rows->Text(4));
                    if (identity.empty())
                        if (auto k = keys.find(Key(t.owner, t.name)); k != keys.end()) identity = k->second;
                    out.push_back(Build(d, W(cls), t, geometry, identity, metadata, indexes));
                }
            }
        }
    } catch (SqliteError& e) {
        throw db.Error(e);
    }
    return out;
}

NorvClassMap NorvSchema::Find(NorvConnection& connection, FdoIdentifier* className) {
    if (!className || !className->GetName() || !*className->GetName())
        throw FdoCommandException::Create(L"The command names no feature class.");
    FdoStringP name = className->GetName();
    for (auto& m : Classes(connection))
        if (m.name == name) return m;
    throw FdoCommandException::Create(FdoStringP::Format(L"The class '%ls' does not exist in the %ls database.",
                                                         className->GetText(),
                                                         FdoStringP(connection.Dialect().folder).operator FdoString*()));
}

FdoFeatureSchemaCollection* NorvSchema::Describe(NorvConnection& connection) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(kSchemaName, L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (auto& m : Classes(connection)) {
        FdoPtr<FdoClassDefinition> same = classes->FindItem(m.name);
        if (same) continue;  // a mapped class may repeat a name
        classes->Add(m.definition);
    }
    schemas->Add(schema);
    schema->AcceptChanges();
    return FDO_SAFE_ADDREF(schemas.p);
}

}  // namespace norvdb
