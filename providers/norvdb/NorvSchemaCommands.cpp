// Schema and spatial context commands; see NorvSchemaCommands.h.
#include "NorvSchemaCommands.h"

#include "NorvDictionary.h"
#include "NorvSchema.h"
#include "NorvTypeMap.h"

#include <Fdo/Geometry/FgfBytes.h>

#include <cstdio>

namespace norvdb {

namespace {

std::string Utf8(FdoString* s) { return FdoStringP::Utf8FromUnicode(s ? s : L""); }

std::string Number(double d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    return buf;
}

bool IsGeodetic(std::optional<int32_t> srid) {
    if (!srid) return false;
    for (int32_t s : {4326, 8307, 4269, 8265, 4258, 8311, 4283, 4167})
        if (*srid == s) return true;
    return false;
}

class ContextReader : public FdoISpatialContextReader {
public:
    static ContextReader* Create(std::vector<NorvSpatialContext> list) {
        auto* r = new ContextReader();
        r->m_list = std::move(list);
        return r;
    }
    FdoString* GetName() override { return At().name; }
    FdoString* GetDescription() override { return At().description; }
    FdoString* GetCoordinateSystem() override { return At().coordinateSystem; }
    FdoString* GetCoordinateSystemWkt() override { return At().wkt; }
    FdoSpatialContextExtentType GetExtentType() override { return At().extentType; }
    FdoByteArray* GetExtent() override {
        auto& e = At().extent;
        return e.empty() ? nullptr : FdoByteArray::Create(e.data(), static_cast<FdoInt32>(e.size()));
    }
    double GetXYTolerance() override { return At().xyTolerance; }
    double GetZTolerance() override { return At().zTolerance; }
    bool IsActive() override { return m_at == 0; }
    bool ReadNext() override { return ++m_at < static_cast<long>(m_list.size()); }

protected:
    void Dispose() override { delete this; }

private:
    const NorvSpatialContext& At() {
        if (m_at < 0 || m_at >= static_cast<long>(m_list.size()))
            throw FdoCommandException::Create(L"The spatial context reader is not on a context.");
        return m_list[static_cast<size_t>(m_at)];
    }
    std::vector<NorvSpatialContext> m_list;
    long m_at = -1;
};

}  // namespace

FdoFeatureSchemaCollection* NorvDescribeSchema::Execute() {
    if (!m_schemaName.IsEmpty() && m_schemaName != NorvSchema::kSchemaName)
        throw FdoSchemaException::Create(FdoStringP::Format(L"The schema '%ls' does not exist.",
                                                            static_cast<FdoString*>(m_schemaName)));
    FdoPtr<FdoFeatureSchemaCollection> all = NorvSchema::Describe(*m_connection);
    if (!m_classNames || m_classNames->GetCount() == 0) return FDO_SAFE_ADDREF(all.p);
    FdoPtr<FdoFeatureSchema> schema = all->GetItem(0);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoInt32 i = classes->GetCount() - 1; i >= 0; i--) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        bool wanted = false;
        for (FdoInt32 k = 0; k < m_classNames->GetCount(); k++) {
            FdoStringP n = m_classNames->GetString(k);
            FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(n);
            wanted = wanted || FdoStringP(id->GetName()) == cls->GetName();
        }
        if (!wanted) classes->RemoveAt(i);
    }
    schema->AcceptChanges();
    return FDO_SAFE_ADDREF(all.p);
}

void NorvApplySchema::Execute() {
    if (!m_schema) throw FdoCommandException::Create(L"ApplySchema: no feature schema was set.");
    FdoPtr<FdoClassCollection> classes = m_schema->GetClasses();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        FdoSchemaElementState state = cls->GetElementState();
        if (state == FdoSchemaElementState_Deleted) DropClass(cls);
        else if (m_ignoreStates || state == FdoSchemaElementState_Added || state == FdoSchemaElementState_Modified)
            CreateClass(cls);
    }
    m_schema->AcceptChanges();
}

namespace {

struct TableName {
    std::string owner, table;
};

TableName TableOf(NorvConnection& c, FdoString* className) {
    NorvDatabase& db = c.Database();
    std::wstring name = className ? className : L"";
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t at; (at = name.find(L'~', start)) != std::wstring::npos; start = at + 1)
        parts.push_back(name.substr(start, at - start));
    parts.push_back(name.substr(start));
    TableName t;
    if (parts.size() >= 2) {
        t.owner = db.StoredName(Utf8(parts[0].c_str()));
        t.table = db.StoredName(Utf8(parts[1].c_str()));
    } else {
        t.owner = c.TargetOwner();
        t.table = db.StoredName(Utf8(name.c_str()));
    }
    // A class named after another database's owner (a copy from one of
    // these databases to another) goes to the connection's own owner.
    if (t.owner.empty() || (parts.size() >= 2 && !db.HasOwner(t.owner))) t.owner = c.TargetOwner();
    return t;
}

}  // namespace

void NorvApplySchema::DropClass(FdoClassDefinition* cls) {
    NorvDatabase& db = m_connection->Database();
    TableName t = TableOf(*m_connection, cls->GetName());
    db.Execute("DROP TABLE " + SqlName(t.owner) + "." + SqlName(t.table), {}, nullptr);
}

void NorvApplySchema::CreateClass(FdoClassDefinition* cls) {
    NorvConnection& c = *m_connection;
    NorvDatabase& db = c.Database();
    const NorvDialect& d = c.Dialect();
    TableName t = TableOf(c, cls->GetName());
    if (!db.HasOwner(t.owner)) throw db.Error(NorvError::NoSuchUser, "user '" + t.owner + "'");
    if (!NorvDictionary::ObjectType(db, t.owner, t.table).empty()) {
        if (m_ignoreStates) return;
        throw db.Error(NorvError::NameInUse, t.owner + "." + t.table + " (class '" + Utf8(cls->GetName()) + "')");
    }
    std::string qualified = SqlName(t.owner) + "." + SqlName(t.table);

    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoDataPropertyDefinitionCollection> ids = cls->GetIdentityProperties();
    FdoPtr<FdoGeometricPropertyDefinition> geometry;
    if (auto* fc = dynamic_cast<FdoFeatureClass*>(cls)) geometry = fc->GetGeometryProperty();
    std::string columns;
    for (FdoInt32 i = 0; i < props->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
        std::string name = SqlName(db.StoredName(Utf8(p->GetName())));
        std::string def;
        if (auto* dp = dynamic_cast<FdoDataPropertyDefinition*>(p.p)) {
            FdoPtr<FdoDataPropertyDefinition> key = ids->FindItem(dp->GetName());
            def = name + " " + NorvTypeMap::ToDeclared(d, dp) + (key || !dp->GetNullable() ? " NOT NULL" : "");
        } else if (auto* gp = dynamic_cast<FdoGeometricPropertyDefinition*>(p.p)) {
            if (!geometry) geometry = FDO_SAFE_ADDREF(gp);
            def = name + " " + d.geometryType;
        } else {
            throw FdoCommandException::Create(FdoStringP::Format(
                L"The property '%ls' of class '%ls' is of a kind the database does not store.", p->GetName(),
                cls->GetName()));
        }
        columns += (columns.empty() ? "" : ", ") + def;
    }
    if (columns.empty())
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The class '%ls' has no properties to make columns of.", cls->GetName()));
    db.Execute("CREATE TABLE " + qualified + " (" + columns + ")", {}, nullptr);

    if (ids->GetCount() > 0) {
        std::string keys;
        for (FdoInt32 i = 0; i < ids->GetCount(); i++) {
            FdoPtr<FdoDataPropertyDefinition> k = ids->GetItem(i);
            keys += (keys.empty() ? "" : ", ") + SqlName(db.StoredName(Utf8(k->GetName())));
        }
        db.Execute("ALTER TABLE " + qualified + " ADD CONSTRAINT " + SqlName(t.table + "_PK") + " PRIMARY KEY (" +
                       keys + ")",
                   {}, nullptr);
    }
    if (!geometry) return;

    // Spatial metadata from the geometry's spatial context, then the index.
    std::string column = db.StoredName(Utf8(geometry->GetName()));
    FdoString* assoc = geometry->GetSpatialContextAssociation();
    std::optional<int32_t> srid = NorvSpatialContexts::SridOf(c, assoc);
    double minX = -2147483648.0, minY = -2147483648.0, maxX = 2147483647.0, maxY = 2147483647.0, tol = 0.0005;
    if (IsGeodetic(srid)) {
        minX = -180, maxX = 180, minY = -90, maxY = 90, tol = 0.05;
    }
    for (auto& sc : NorvSpatialContexts::List(c)) {
        if (!assoc || sc.name != assoc) continue;
        if (!sc.extent.empty()) {
            FdoFgfBounds b = FdoFgfBounds::Compute(sc.extent.data(), static_cast<FdoInt32>(sc.extent.size()));
            if (!b.IsEmpty() && b.maxX > b.minX && b.maxY > b.minY) minX = b.minX, minY = b.minY, maxX = b.maxX, maxY = b.maxY;
        }
        if (sc.xyTolerance > 0 && !IsGeodetic(srid)) tol = sc.xyTolerance;
    }
    std::string dims = "SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', " + Number(minX) + ", " + Number(maxX) + ", " +
                       Number(tol) + "), SDO_DIM_ELEMENT('Y', " + Number(minY) + ", " + Number(maxY) + ", " +
                       Number(tol) + ")";
    if (geometry->GetHasElevation()) dims += ", SDO_DIM_ELEMENT('Z', -100000, 100000, " + Number(tol) + ")";
    dims += ")";
    SqlBindings names = {{"1", {SqlValue::Text, 0, 0, t.owner, {}}},
                         {"2", {SqlValue::Text, 0, 0, t.table, {}}},
                         {"3", {SqlValue::Text, 0, 0, column, {}}}};
    db.Execute("DELETE FROM ALL_SDO_GEOM_METADATA WHERE OWNER = :1 AND TABLE_NAME = :2 AND COLUMN_NAME = :3", names,
               nullptr);
    db.Execute("INSERT INTO ALL_SDO_GEOM_METADATA (OWNER, TABLE_NAME, COLUMN_NAME, DIMINFO, SRID) VALUES (:1, :2, :3, " +
                   dims + ", " + (srid ? std::to_string(*srid) : std::string("NULL")) + ")",
               names, nullptr);

    FdoInt32 types = geometry->GetGeometryTypes();
    std::string gtype = types == FdoGeometricType_Point     ? "POINT"
                        : types == FdoGeometricType_Curve   ? "LINE"
                        : types == FdoGeometricType_Surface ? "POLYGON"
                                                            : "";
    std::string index = t.table + "_SIDX";
    for (int n = 2;; n++) {
        auto q = db.Prepare("SELECT 1 FROM NORV$INDEXES WHERE INDEX_OWNER = ? AND INDEX_NAME = ?");
        q->Bind(1, db.CurrentOwner()).Bind(2, index);
        if (!q->Step()) break;
        index = t.table + "_SIDX" + std::to_string(n);
    }
    db.Execute("CREATE INDEX " + SqlName(index) + " ON " + qualified + " (" + SqlName(column) +
                   ") INDEXTYPE IS MDSYS.SPATIAL_INDEX" +
                   (gtype.empty() ? "" : " PARAMETERS ('layer_gtype=" + gtype + "')"),
               {}, nullptr);
}

FdoISpatialContextReader* NorvGetSpatialContexts::Execute() {
    return ContextReader::Create(NorvSpatialContexts::List(*m_connection));
}

FdoByteArray* NorvCreateSpatialContext::GetExtent() {
    return m_sc.extent.empty() ? nullptr
                               : FdoByteArray::Create(m_sc.extent.data(), static_cast<FdoInt32>(m_sc.extent.size()));
}

void NorvCreateSpatialContext::SetExtent(FdoByteArray* v) {
    m_sc.extent.clear();
    if (v) m_sc.extent.assign(v->GetData(), v->GetData() + v->GetCount());
}

void NorvCreateSpatialContext::Execute() { NorvSpatialContexts::Create(*m_connection, m_sc, m_update); }

}  // namespace norvdb
