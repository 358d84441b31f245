// Table changes through GDAL's GeoPackage driver; see SdfTableDdl.h.
#include "SdfTableDdl.h"

#include <ogrcore/OgrError.h>
#include "SdfSql.h"
#include "SdfTypeMap.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <memory>

namespace sdf {

namespace {

std::string Utf8(FdoString* s) { return FdoStringP::Utf8FromUnicode(s); }

std::unique_ptr<OGRFieldDefn> FieldOf(FdoDataPropertyDefinition* p, bool physicalNotNull) {
    SdfColumnType c = SdfTypeMap::Column(p);
    auto field = std::make_unique<OGRFieldDefn>(Utf8(p->GetName()).c_str(), c.type);
    field->SetSubType(c.subType);
    field->SetWidth(c.width);
    field->SetNullable(physicalNotNull && !p->GetNullable() ? FALSE : TRUE);
    return field;
}

// The context a geometry is bound to: the one it names, else the file's
// first (FDO's SDF file holds one context and binds every geometry to it).
const FdoXmlSpatialContext* BoundContext(const std::vector<FdoXmlSpatialContext>& contexts, FdoString* name) {
    for (auto& sc : contexts)
        if (sc.name == name) return &sc;
    return contexts.empty() ? nullptr : &contexts.front();
}

FdoException* Failure(const ogrcore::ErrorTrap& errors, const FdoStringP& what) {
    return FdoSchemaException::Create(errors.Describe(what));
}

}  // namespace

void SdfTableDdl::CreateTable(SdfStore& store, const SdfClassLayout& layout,
                              const std::vector<FdoXmlSpatialContext>& contexts) {
    ogrcore::ErrorTrap errors;
    FdoString* table = layout.table;
    if (store.FindLayer(table))
        throw FdoSchemaException::Create(FdoStringP::Format(
            L"The SDF file '%ls' already has a table named '%ls'.", store.GetFileName(), table));

    char** options = nullptr;
    options = CSLSetNameValue(options, "FID", Utf8(layout.fidColumn).c_str());
    OGRwkbGeometryType geometryType = wkbNone;
    OGRSpatialReference srs;
    bool hasSrs = false;
    if (layout.geometry) {
        geometryType = SdfTypeMap::Geometry(layout.geometry);
        options = CSLSetNameValue(options, "GEOMETRY_NAME", Utf8(layout.geometry->GetName()).c_str());
        // The store builds the index in bulk once the rows are in.
        options = CSLSetNameValue(options, "SPATIAL_INDEX", "NO");
        options = CSLSetNameValue(options, "GEOMETRY_NULLABLE", "YES");
        const FdoXmlSpatialContext* sc = BoundContext(contexts, layout.geometry->GetSpatialContextAssociation());
        if (sc && !sc->coordinateSystemWkt.IsEmpty()) {
            srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            hasSrs = srs.importFromWkt(Utf8(sc->coordinateSystemWkt).c_str()) == OGRERR_NONE;
            errors.Clear();  // a WKT PROJ cannot read leaves the column without a reference system
        }
        // Without one, the column is in GeoPackage's undefined Cartesian
        // system (srs_id -1), which GDAL gives a local system of this name;
        // no system at all would be the undefined geographic one.
        if (!hasSrs) hasSrs = srs.importFromWkt("LOCAL_CS[\"Undefined cartesian SRS\"]") == OGRERR_NONE;
    }
    OGRLayer* layer =
        store.Dataset()->CreateLayer(Utf8(table).c_str(), hasSrs ? &srs : nullptr, geometryType, options);
    CSLDestroy(options);
    if (!layer)
        throw Failure(errors, FdoStringP::Format(L"Cannot create the table of class '%ls' in the SDF file '%ls'",
                                                 table, store.GetFileName()));
    for (auto& p : layout.columns) {
        auto field = FieldOf(p, true);
        if (layer->CreateField(field.get()) != OGRERR_NONE)
            throw Failure(errors, FdoStringP::Format(L"Cannot create the column of property '%ls' of class '%ls'",
                                                     p->GetName(), table));
    }
    if (!layout.identityIndex.IsEmpty()) {
        std::string sql = "CREATE UNIQUE INDEX " + SdfSql::Name(Utf8(layout.identityIndex)) + " ON " +
                          SdfSql::Name(Utf8(table)) + " (";
        for (size_t i = 0; i < layout.identity.size(); i++)
            sql += (i ? ", " : "") + SdfSql::Name(Utf8(layout.identity[i]));
        store.Execute(sql + ")", FdoStringP::Format(L"Indexing the identity of class '%ls'", table));
    }
}

void SdfTableDdl::AddColumn(SdfStore& store, FdoString* table, FdoDataPropertyDefinition* property) {
    ogrcore::ErrorTrap errors;
    OGRLayer* layer = store.FindLayer(table);
    if (!layer)
        throw FdoSchemaException::Create(FdoStringP::Format(
            L"The SDF file '%ls' has no table for class '%ls'.", store.GetFileName(), table));
    if (EQUAL(layer->GetFIDColumn(), Utf8(property->GetName()).c_str()))
        throw FdoSchemaException::Create(FdoStringP::Format(
            L"Cannot add property '%ls' to class '%ls': the table's key column has that name.",
            property->GetName(), table));
    auto field = FieldOf(property, false);
    if (layer->CreateField(field.get()) != OGRERR_NONE)
        throw Failure(errors, FdoStringP::Format(L"Cannot add the column of property '%ls' to class '%ls'",
                                                 property->GetName(), table));
}

void SdfTableDdl::DropColumn(SdfStore& store, FdoString* table, FdoString* column) {
    ogrcore::ErrorTrap errors;
    OGRLayer* layer = store.FindLayer(table);
    if (!layer) return;
    int index = layer->GetLayerDefn()->GetFieldIndex(Utf8(column).c_str());
    if (index < 0) return;
    if (layer->DeleteField(index) != OGRERR_NONE)
        throw Failure(errors, FdoStringP::Format(L"Cannot drop the column of property '%ls' of class '%ls'",
                                                 column, table));
}

void SdfTableDdl::DropTable(SdfStore& store, FdoString* table) {
    ogrcore::ErrorTrap errors;
    GDALDataset* ds = store.Dataset();
    std::string name = Utf8(table);
    for (int i = 0; i < ds->GetLayerCount(); i++) {
        if (name == ds->GetLayer(i)->GetName()) {
            if (ds->DeleteLayer(i) != OGRERR_NONE)
                throw Failure(errors, FdoStringP::Format(L"Cannot drop the table of class '%ls'", table));
            return;
        }
    }
}

}  // namespace sdf
