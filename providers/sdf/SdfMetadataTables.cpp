// Reading and writing the schema and spatial context tables; the layout is
// described in SdfMetadataTables.h.
#include "SdfMetadataTables.h"

#include "SdfSql.h"

#include <ogrsf_frmts.h>

namespace sdf {

namespace {

std::string Utf8(FdoString* s) { return FdoStringP::Utf8FromUnicode(s); }
std::string Utf8(const FdoStringP& s) { return FdoStringP::Utf8FromUnicode(s); }

// GeoPackage wants every table it carries listed in gpkg_contents; ours are
// listed as attribute tables, so GeoPackage readers show them as such.
void Register(const SdfStore& store, const char* table, const char* description) {
    store.Execute(std::string("INSERT INTO gpkg_contents (table_name, data_type, identifier, description) VALUES (") +
                      SdfSql::Text(table) + ", 'attributes', " + SdfSql::Text(table) + ", " +
                      SdfSql::Text(description) + ")",
                  L"Registering the provider's tables");
}

FdoStringP TextField(OGRFeature& f, int i) {
    return f.IsFieldSetAndNotNull(i) ? FdoStringP(f.GetFieldAsString(i)) : FdoStringP();
}

double RealField(OGRFeature& f, int i, double otherwise) {
    return f.IsFieldSetAndNotNull(i) ? f.GetFieldAsDouble(i) : otherwise;
}

}  // namespace

void SdfSchemaTable::Create(const SdfStore& store) {
    store.Execute(std::string("CREATE TABLE ") + kName +
                      " (id INTEGER PRIMARY KEY CHECK (id = 1), format_version INTEGER NOT NULL, "
                      "schema_name TEXT, schema_xml TEXT)",
                  L"Creating the feature schema table");
    store.Execute(std::string("INSERT INTO ") + kName + " (id, format_version) VALUES (1, " +
                      std::to_string(kFormatVersion) + ")",
                  L"Initialising the feature schema table");
    Register(store, kName, "FDO feature schema of this SDF file, as FDO schema XML");
}

void SdfSchemaTable::CheckFormat(const SdfStore& store) {
    int rows = 0;
    long long version = 0;
    try {
        store.Query(std::string("SELECT format_version FROM ") + kName, L"Reading the feature schema table",
                    [&](OGRFeature& f) {
                        rows++;
                        version = f.GetFieldAsInteger64(0);
                    });
    } catch (FdoException* e) {
        FdoStringP msg = FdoStringP::Format(L"The SDF file '%ls' has an unreadable feature schema table.",
                                            store.GetFileName());
        FdoException* wrapped = FdoConnectionException::Create(msg, e);
        e->Release();
        throw wrapped;
    }
    if (rows != 1)
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The SDF file '%ls' is damaged: its feature schema table holds %d rows instead of one.",
            store.GetFileName(), rows));
    if (version != kFormatVersion)
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The SDF file '%ls' has format version %lld, which this provider does not read (it reads %d).",
            store.GetFileName(), version, kFormatVersion));
}

FdoFeatureSchemaCollection* SdfSchemaTable::Load(const SdfStore& store) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    std::string xml;
    bool present = false;
    store.Query(std::string("SELECT schema_xml FROM ") + kName, L"Reading the feature schema",
                [&](OGRFeature& f) {
                    if (f.IsFieldSetAndNotNull(0)) {
                        present = true;
                        xml = f.GetFieldAsString(0);
                    }
                });
    if (!present) return FDO_SAFE_ADDREF(schemas.p);
    FdoStringP source = FdoStringP::Format(L"the feature schema of the SDF file '%ls'", store.GetFileName());
    try {
        FdoXmlSchemaIO::ReadString(schemas, xml, source);
    } catch (FdoException* e) {
        FdoException* wrapped = FdoConnectionException::Create(
            FdoStringP::Format(L"The SDF file '%ls' holds a feature schema that cannot be read.",
                               store.GetFileName()),
            e);
        e->Release();
        throw wrapped;
    }
    if (schemas->GetCount() != 1)
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The SDF file '%ls' is damaged: its feature schema table holds %d schemas instead of one.",
            store.GetFileName(), schemas->GetCount()));
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    schema->AcceptChanges();
    return FDO_SAFE_ADDREF(schemas.p);
}

void SdfSchemaTable::Save(const SdfStore& store, FdoFeatureSchema* schema) {
    std::string sql = std::string("UPDATE ") + kName;
    if (!schema) {
        sql += " SET schema_name = NULL, schema_xml = NULL";
    } else {
        FdoPtr<FdoFeatureSchemaCollection> one = FdoFeatureSchemaCollection::Create(nullptr);
        one->Add(schema);
        std::string xml = FdoXmlSchemaIO::WriteString(one);
        sql += " SET schema_name = " + SdfSql::Text(Utf8(schema->GetName())) +
               ", schema_xml = " + SdfSql::Text(xml);
    }
    store.Execute(sql + " WHERE id = 1", L"Writing the feature schema");
}

void SdfSpatialContextTable::Create(const SdfStore& store) {
    store.Execute(std::string("CREATE TABLE ") + kName +
                      " (ordinal INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL UNIQUE, "
                      "description TEXT, coordinate_system TEXT, coordinate_system_wkt TEXT, "
                      "extent_type TEXT NOT NULL CHECK (extent_type IN ('static', 'dynamic')), "
                      "min_x REAL, min_y REAL, max_x REAL, max_y REAL, "
                      "xy_tolerance REAL NOT NULL, z_tolerance REAL NOT NULL)",
                  L"Creating the spatial context table");
    Register(store, kName, "FDO spatial contexts of this SDF file");
}

std::vector<FdoXmlSpatialContext> SdfSpatialContextTable::Load(const SdfStore& store) {
    std::vector<FdoXmlSpatialContext> contexts;
    store.Query(std::string("SELECT name, description, coordinate_system, coordinate_system_wkt, "
                            "extent_type, min_x, min_y, max_x, max_y, xy_tolerance, z_tolerance FROM ") +
                    kName + " ORDER BY ordinal",
                L"Reading the spatial contexts", [&](OGRFeature& f) {
                    FdoXmlSpatialContext sc;
                    sc.name = TextField(f, 0);
                    sc.description = TextField(f, 1);
                    sc.coordinateSystem = TextField(f, 2);
                    sc.coordinateSystemWkt = TextField(f, 3);
                    sc.extentType = TextField(f, 4) == L"dynamic" ? FdoSpatialContextExtentType_Dynamic
                                                                  : FdoSpatialContextExtentType_Static;
                    sc.hasExtent = f.IsFieldSetAndNotNull(5) && f.IsFieldSetAndNotNull(6) &&
                                   f.IsFieldSetAndNotNull(7) && f.IsFieldSetAndNotNull(8);
                    if (sc.hasExtent) {
                        sc.minX = f.GetFieldAsDouble(5);
                        sc.minY = f.GetFieldAsDouble(6);
                        sc.maxX = f.GetFieldAsDouble(7);
                        sc.maxY = f.GetFieldAsDouble(8);
                    }
                    sc.xyTolerance = RealField(f, 9, 0);
                    sc.zTolerance = RealField(f, 10, 0);
                    contexts.push_back(sc);
                });
    return contexts;
}

void SdfSpatialContextTable::Put(const SdfStore& store, const FdoXmlSpatialContext& sc, bool replace) {
    auto text = [](const FdoStringP& s) { return SdfSql::Text(Utf8(s)); };
    auto real = [&](double v) { return sc.hasExtent ? SdfSql::Real(v) : std::string("NULL"); };
    std::string extentType = sc.extentType == FdoSpatialContextExtentType_Dynamic ? "'dynamic'" : "'static'";
    std::string values[] = {text(sc.name), text(sc.description), text(sc.coordinateSystem),
                            text(sc.coordinateSystemWkt), extentType, real(sc.minX), real(sc.minY),
                            real(sc.maxX), real(sc.maxY), SdfSql::Real(sc.xyTolerance),
                            SdfSql::Real(sc.zTolerance)};
    const char* columns[] = {"name", "description", "coordinate_system", "coordinate_system_wkt",
                             "extent_type", "min_x", "min_y", "max_x", "max_y", "xy_tolerance",
                             "z_tolerance"};
    std::string sql;
    if (replace) {
        sql = std::string("UPDATE ") + kName + " SET ";
        for (size_t i = 1; i < std::size(columns); i++)
            sql += std::string(i > 1 ? ", " : "") + columns[i] + " = " + values[i];
        sql += " WHERE name = " + values[0];
    } else {
        sql = std::string("INSERT INTO ") + kName + " (";
        for (size_t i = 0; i < std::size(columns); i++) sql += std::string(i ? ", " : "") + columns[i];
        sql += ") VALUES (";
        for (size_t i = 0; i < std::size(values); i++) sql += (i ? ", " : "") + values[i];
        sql += ")";
    }
    store.Execute(sql, replace ? L"Replacing a spatial context" : L"Adding a spatial context");
}

FdoXmlSpatialContext SdfSpatialContextTable::DefaultContext() {
    FdoXmlSpatialContext sc;
    sc.name = L"Default";
    sc.description = L"Default spatial context";
    sc.extentType = FdoSpatialContextExtentType_Dynamic;
    sc.xyTolerance = 0;
    sc.zTolerance = 0;
    return sc;
}

}  // namespace sdf
