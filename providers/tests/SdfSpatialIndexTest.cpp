// The SDF file's spatial index: built in bulk with the sizes where the tree
// changes shape (one leaf as the root, two levels, three, spilled runs),
// checked by SQLite's rtreecheck(), counted against the rows, and queried
// against a full scan; the index a store builds when it closes and the one
// it builds on opening a file that lost it; and what the feature table
// declares (geometry type, undefined Cartesian system).
#include "SdfTestSupport.h"

#include <sdf/SdfSpatialIndex.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <sqlite3.h>

#include <random>
#include <set>

using namespace sdftest;

namespace {

namespace fs = std::filesystem;

struct GdalCloser {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Gpkg = std::unique_ptr<GDALDataset, GdalCloser>;

Gpkg OpenGpkg(const fs::path& file) {
    GDALAllRegister();
    return Gpkg(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, nullptr, nullptr, nullptr));
}

sqlite3* Db(GDALDataset* ds) { return static_cast<sqlite3*>(ds->GetInternalHandle("SQLITE_HANDLE")); }

std::string One(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return std::string("error: ") + sqlite3_errmsg(db);
    if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
        out = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return out;
}

std::set<long long> Ids(sqlite3* db, const std::string& sql) {
    std::set<long long> ids;
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    while (sqlite3_step(st) == SQLITE_ROW) ids.insert(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    return ids;
}

// A GeoPackage with table "boxes" of `count` random small squares; every
// seventh row has no geometry and every eleventh an empty one.
Gpkg BoxTable(const fs::path& file, int count) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    Gpkg ds(driver->Create(file.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    char** options = CSLSetNameValue(nullptr, "SPATIAL_INDEX", "NO");
    OGRLayer* layer = ds->CreateLayer("boxes", nullptr, wkbPolygon, options);
    CSLDestroy(options);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(-1000.0, 1000.0);
    EXPECT_EQ(ds->StartTransaction(), OGRERR_NONE);
    for (int i = 0; i < count; i++) {
        OGRFeature f(layer->GetLayerDefn());
        if (i % 7 == 3) {
            // no geometry
        } else if (i % 11 == 5) {
            f.SetGeometryDirectly(new OGRPolygon());
        } else {
            double x = at(random), y = at(random), size = 0.1 + (i % 5);
            auto* ring = new OGRLinearRing();
            ring->addPoint(x, y);
            ring->addPoint(x + size, y);
            ring->addPoint(x + size, y + size);
            ring->addPoint(x, y + size);
            ring->addPoint(x, y);
            auto* polygon = new OGRPolygon();
            polygon->addRingDirectly(ring);
            f.SetGeometryDirectly(polygon);
        }
        EXPECT_EQ(layer->CreateFeature(&f), OGRERR_NONE);
    }
    EXPECT_EQ(ds->CommitTransaction(), OGRERR_NONE);
    return ds;
}

long long StoredShapes(sqlite3* db) {
    return std::stoll(One(db, "SELECT COUNT(*) FROM boxes WHERE geom NOT NULL AND NOT ST_IsEmpty(geom)"));
}

// The rows whose shape meets the window, through the R-tree and by a scan.
void ExpectIndexAnswersLikeAScan(sqlite3* db, const std::string& rtree, double x0, double y0, double x1, double y1) {
    const std::string w = std::to_string(x0) + ", " + std::to_string(y0) + ", " + std::to_string(x1) + ", " +
                          std::to_string(y1);
    const std::string box = "ST_MaxX(geom) >= " + std::to_string(x0) + " AND ST_MinX(geom) <= " +
                            std::to_string(x1) + " AND ST_MaxY(geom) >= " + std::to_string(y0) +
                            " AND ST_MinY(geom) <= " + std::to_string(y1);
    std::set<long long> scan =
        Ids(db, "SELECT fid FROM boxes WHERE geom NOT NULL AND NOT ST_IsEmpty(geom) AND " + box);
    // The index may return boxes that grew by float rounding; the exact
    // test is applied to what it returns, as GDAL does.
    std::set<long long> indexed = Ids(db, "SELECT b.fid FROM boxes b JOIN " + rtree +
                                              " r ON r.id = b.fid WHERE r.maxx >= " + std::to_string(x0) +
                                              " AND r.minx <= " + std::to_string(x1) + " AND r.maxy >= " +
                                              std::to_string(y0) + " AND r.miny <= " + std::to_string(y1) +
                                              " AND " + box);
    EXPECT_EQ(indexed, scan) << "window " << w;
}

void BuildAndCheck(int rows, size_t memoryBoxes) {
    SCOPED_TRACE("rows " + std::to_string(rows) + ", boxes in memory " + std::to_string(memoryBoxes));
    const auto dir = geoxfer_test::TempDir("sdf-rtree");
    Gpkg ds = BoxTable(dir / "boxes.gpkg", rows);
    sqlite3* db = Db(ds.get());
    ASSERT_NE(db, nullptr);
    EXPECT_FALSE(sdf::SdfSpatialIndex::Exists(db, "boxes", "geom"));
    sdf::SdfSpatialIndex::Build(db, "boxes", "fid", "geom", memoryBoxes);
    EXPECT_TRUE(sdf::SdfSpatialIndex::Exists(db, "boxes", "geom"));
    EXPECT_EQ(One(db, "SELECT rtreecheck('rtree_boxes_geom')"), "ok");
    EXPECT_EQ(std::stoll(One(db, "SELECT COUNT(*) FROM rtree_boxes_geom")), StoredShapes(db));
    EXPECT_EQ(One(db, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(One(db, "SELECT scope FROM gpkg_extensions WHERE table_name = 'boxes' AND extension_name = "
                      "'gpkg_rtree_index'"),
              "write-only");
    for (double x : {-1000.0, -10.0, 400.0})
        ExpectIndexAnswersLikeAScan(db, "rtree_boxes_geom", x, x / 2, x + 150.0, x / 2 + 300.0);
    // Later writes go through the triggers and keep the tree whole.
    EXPECT_EQ(One(db, "DELETE FROM boxes WHERE fid % 3 = 0"), "");
    EXPECT_EQ(One(db, "SELECT rtreecheck('rtree_boxes_geom')"), "ok");
    EXPECT_EQ(std::stoll(One(db, "SELECT COUNT(*) FROM rtree_boxes_geom")), StoredShapes(db));
    ds.reset();
    fs::remove_all(dir);
}

FdoFeatureSchema* ParcelSchema(FdoGeometryType a, FdoGeometryType b) {
    FdoFeatureSchema* schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoFeatureClass> cls = ClassWithId(L"Parcels");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoGeometricPropertyDefinition> g = Geometry(L"Shape", FdoGeometricType_Surface);
    FdoGeometryType types[] = {a, b};
    g->SetSpecificGeometryTypes(types, 2);
    props->Add(g);
    cls->SetGeometryProperty(g);
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    return schema;
}

// Inserts count squares into Parcels in one batch, every other one a
// multipolygon.
void InsertParcels(FdoIConnection* c, int count) {
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Parcels");
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    FdoPtr<FdoParameter> shape = FdoParameter::Create(L"Shape");
    AddValue(values, L"Shape", shape);
    FdoPtr<FdoBatchParameterValueCollection> batch = insert->GetBatchParameterValues();
    for (int i = 0; i < count; i++) {
        const int x = (i % 100) * 10, y = (i / 100) * 10;
        FdoStringP text =
            i % 2 ? FdoStringP::Format(L"MULTIPOLYGON (((%d %d, %d %d, %d %d, %d %d)))", x, y, x + 5, y, x + 5, y + 5, x, y)
                  : FdoStringP::Format(L"POLYGON ((%d %d, %d %d, %d %d, %d %d))", x, y, x + 5, y, x + 5, y + 5, x, y);
        FdoPtr<FdoByteArray> fgf = Fgf(text);
        FdoPtr<FdoGeometryValue> g = FdoGeometryValue::Create(fgf);
        FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
        FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(L"Shape", g);
        row->Add(pv);
        batch->Add(row);
    }
    FdoPtr<FdoIFeatureReader> r = insert->Execute();
}

std::set<FdoInt32> SelectIds(FdoIConnection* c, FdoString* filter) {
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(L"Parcels");
    if (filter) select->SetFilter(filter);
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    std::set<FdoInt32> ids;
    while (r->ReadNext()) ids.insert(r->GetInt32(L"Id"));
    return ids;
}

}  // namespace

TEST(SdfSpatialIndex, BulkBuiltTreesAreWholeAndAnswerLikeAScan) {
    BuildAndCheck(0, sdf::SdfSpatialIndex::kMemoryBoxes);
    BuildAndCheck(40, sdf::SdfSpatialIndex::kMemoryBoxes);     // the root is the one leaf
    BuildAndCheck(70, sdf::SdfSpatialIndex::kMemoryBoxes);     // leaves under the root
    BuildAndCheck(4000, sdf::SdfSpatialIndex::kMemoryBoxes);   // three levels
    BuildAndCheck(4000, 64);                                    // sorted in runs spilled to disk
}

TEST(SdfSpatialIndex, AStoreIndexesItsTablesWhenItClosesAndWhenAFileLostItsIndex) {
    const auto dir = geoxfer_test::TempDir("sdf-rtree-store");
    const fs::path file = dir / "parcels.sdf";
    CreateStore(file);
    {
        FdoPtr<FdoIConnection> c = OpenStore(file);
        FdoPtr<FdoFeatureSchema> schema = ParcelSchema(FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon);
        ApplySchema(c, schema);
        InsertParcels(c, 3000);
        c->Close();
    }
    auto check = [&](bool indexed) {
        Gpkg ds = OpenGpkg(file);
        ASSERT_TRUE(ds);
        sqlite3* db = Db(ds.get());
        EXPECT_EQ(sdf::SdfSpatialIndex::Exists(db, "Parcels", "Shape"), indexed);
        if (!indexed) return;
        EXPECT_EQ(One(db, "SELECT rtreecheck('rtree_Parcels_Shape')"), "ok");
        EXPECT_EQ(One(db, "SELECT COUNT(*) FROM rtree_Parcels_Shape"), "3000");
    };
    check(true);

    // Spatial filters through the provider and through GDAL agree with a scan.
    {
        FdoPtr<FdoIConnection> c = OpenStore(file, true);
        std::set<FdoInt32> all = SelectIds(c, nullptr);
        EXPECT_EQ(all.size(), 3000u);
        std::set<FdoInt32> inWindow =
            SelectIds(c, L"Shape ENVELOPEINTERSECTS GeomFromText('POLYGON ((100 100, 300 100, 300 200, 100 200, 100 100))')");
        std::set<FdoInt32> expected;
        for (FdoInt32 id : all) {
            const int i = id - 1, x = (i % 100) * 10, y = (i / 100) * 10;
            if (x + 5 >= 100 && x <= 300 && y + 5 >= 100 && y <= 200) expected.insert(id);
        }
        EXPECT_EQ(inWindow, expected);
        Gpkg ds = OpenGpkg(file);
        OGRLayer* layer = ds->GetLayerByName("Parcels");
        ASSERT_NE(layer, nullptr);
        layer->SetSpatialFilterRect(100, 100, 300, 200);
        std::set<FdoInt32> gdal;
        for (auto& f : *layer) gdal.insert(static_cast<FdoInt32>(f->GetFID()));
        EXPECT_EQ(gdal, expected);
    }

    // A file whose index is gone (a copy killed before it closed) gets it
    // back when it is next opened for writing, not when opened read-only.
    {
        Gpkg ds = OpenGpkg(file);
        sqlite3* db = Db(ds.get());
        std::string drop = "DROP TABLE rtree_Parcels_Shape; DELETE FROM gpkg_extensions WHERE table_name = 'Parcels';";
        for (const char* t : {"insert", "update1", "update2", "update3", "update4", "delete"})
            drop += std::string(" DROP TRIGGER rtree_Parcels_Shape_") + t + ";";
        EXPECT_EQ(sqlite3_exec(db, drop.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    }
    check(false);
    {
        FdoPtr<FdoIConnection> c = OpenStore(file, true);
        EXPECT_EQ(SelectIds(c, nullptr).size(), 3000u);
    }
    check(false);
    {
        FdoPtr<FdoIConnection> c = OpenStore(file);
        c->Close();
    }
    check(true);
    fs::remove_all(dir);
}

TEST(SdfSpatialIndex, TablesDeclareTheirShapeKindAndAnUndefinedCartesianSystem) {
    const auto dir = geoxfer_test::TempDir("sdf-declared");
    const fs::path file = dir / "parcels.sdf";
    CreateStore(file);
    {
        FdoPtr<FdoIConnection> c = OpenStore(file);
        FdoPtr<FdoFeatureSchema> schema = ParcelSchema(FdoGeometryType_MultiPolygon, FdoGeometryType_Polygon);
        ApplySchema(c, schema);
        InsertParcels(c, 4);
        c->Close();
    }
    {
        Gpkg ds = OpenGpkg(file);
        sqlite3* db = Db(ds.get());
        EXPECT_EQ(One(db, "SELECT geometry_type_name FROM gpkg_geometry_columns WHERE table_name = 'Parcels'"),
                  "POLYGON");
        EXPECT_EQ(One(db, "SELECT srs_id FROM gpkg_geometry_columns WHERE table_name = 'Parcels'"), "-1");
        EXPECT_EQ(One(db, "SELECT srs_id FROM gpkg_contents WHERE table_name = 'Parcels'"), "-1");
        OGRLayer* layer = ds->GetLayerByName("Parcels");
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->GetGeomType(), wkbPolygon);
    }
    // Each feature reads back with the kind it was written with.
    FdoPtr<FdoIConnection> c = OpenStore(file, true);
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(L"Parcels");
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    int n = 0;
    while (r->ReadNext()) {
        FdoPtr<FdoByteArray> fgf = r->GetGeometry(L"Shape");
        FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(fgf);
        const int i = r->GetInt32(L"Id") - 1;
        EXPECT_EQ(g->GetDerivedType(), i % 2 ? FdoGeometryType_MultiPolygon : FdoGeometryType_Polygon) << i;
        n++;
    }
    EXPECT_EQ(n, 4);
    r->Close();
    c->Close();
    fs::remove_all(dir);
}
