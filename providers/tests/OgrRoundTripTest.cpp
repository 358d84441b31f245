// OSGeo.OGR over real GDAL formats: a GeoPackage read as GDAL reads it,
// and the NY8 census tracts written through the provider into GeoPackage,
// GeoJSON, FlatGeobuf and PostGIS, then read back by GDAL itself and
// compared feature by feature with the shape file they came from.
#include "OgrProviderTestSupport.h"

namespace {

using namespace ogrptest;

FdoStringP OgrConnection(const std::string& dataSource, bool readOnly = false) {
    return FdoStringP(L"DataSource=") + FdoStringP(dataSource.c_str()) + (readOnly ? L";ReadOnly=TRUE" : L"");
}

TEST(OgrRoundTrip, GeoPackageReadsAsGdalReadsIt) {
    SAMPLE_DATA_OR_SKIP("sf/gpkg");
    fs::path gpkg = geoxfer_test::SampleDataDir() / "sf/gpkg/b_pump.gpkg";
    FdoPtr<FdoIConnection> c = Connect(L"OSGeo.OGR", OgrConnection(gpkg.string(), true));
    FdoPtr<FdoIDescribeSchema> d = shptest::Command<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
    FdoPtr<FdoFeatureSchemaCollection> schemas = d->Execute();
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    EXPECT_STREQ(schema->GetName(), L"OGRSchema");
    FdoPtr<FdoFeatureClass> cls = OnlyClass(c);
    EXPECT_STREQ(cls->GetName(), L"b_pump");
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    ASSERT_EQ(identity->GetCount(), 1);
    FdoPtr<FdoDataPropertyDefinition> id = identity->GetItem(0);
    EXPECT_STREQ(id->GetName(), L"fid");
    EXPECT_EQ(id->GetDataType(), FdoDataType_Int32);
    FdoPtr<FdoGeometricPropertyDefinition> g = cls->GetGeometryProperty();
    ASSERT_TRUE(g);
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"b_pump");
    FdoPtr<FdoIGetSpatialContexts> gsc = shptest::Command<FdoIGetSpatialContexts>(c, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> sc = gsc->Execute();
    ASSERT_TRUE(sc->ReadNext());
    EXPECT_STREQ(sc->GetName(), L"b_pump");
    EXPECT_NE(std::wstring(sc->GetCoordinateSystemWkt()).find(L"OSGB"), std::wstring::npos);

    GdalSource gdal(gpkg.string());
    FdoPtr<FdoIFeatureReader> reader = shptest::SelectAll(c, L"b_pump");
    EXPECT_EQ(CompareFeatures(reader, gdal.Layer(), 0, "b_pump"), 1);
}

// Writes NY8 through OSGeo.OGR to dataSource, then compares what GDAL
// reads there with the shape file, and reads it back through the provider.
// keepsSystem false: the format cannot say a system without an EPSG code
// (GeoJSON), so GDAL reads it back as WGS 84. key: features may come back
// in another order, matched by that field. relative: how far doubles may
// move in a format that writes them as text with fewer digits.
void WriteAndCompare(const std::string& dataSource, const char* layer, bool keepsSystem = true,
                     const char* key = nullptr, double relative = 0) {
    {
        FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
        FdoPtr<FdoIConnection> out = Connect(L"OSGeo.OGR", OgrConnection(dataSource));
        EXPECT_EQ(CopyClass(shp, out, L"NY8_utm18"), 281);
        out->Close();
    }
    GdalSource written(dataSource, layer);
    ASSERT_NE(written.Layer(), nullptr) << dataSource;
    OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(written.Layer());
    if (keepsSystem) {
        ASSERT_NE(srs, nullptr) << dataSource << ": the coordinate system was lost";
        EXPECT_NE(std::string(OSRGetName(srs)).find("UTM zone 18N"), std::string::npos);
    }
    {
        FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
        FdoPtr<FdoIFeatureReader> source = shptest::SelectAll(shp, L"NY8_utm18");
        EXPECT_EQ(CompareFeatures(source, written.Layer(), 0, dataSource, key, relative), 281);
    }
    FdoPtr<FdoIConnection> back = Connect(L"OSGeo.OGR", OgrConnection(dataSource, true));
    FdoPtr<FdoFeatureClass> cls = OnlyClass(back);  // GeoJSON and FlatGeobuf name the layer after the file
    FdoPtr<FdoIFeatureReader> again = shptest::SelectAll(back, cls->GetName());
    EXPECT_EQ(CompareFeatures(again, written.Layer(), 0, dataSource + " through OSGeo.OGR"), 281);
}

TEST(OgrRoundTrip, ShapesToGeoPackage) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    fs::path dir = geoxfer_test::TempDir("ogr-gpkg");
    WriteAndCompare((dir / "ny8.gpkg").string(), "NY8_utm18");
}

TEST(OgrRoundTrip, ShapesToGeoJson) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    fs::path dir = geoxfer_test::TempDir("ogr-geojson");
    // GDAL writes GeoJSON numbers with 15 significant digits, as ogr2ogr does.
    WriteAndCompare((dir / "ny8.geojson").string(), nullptr, false, nullptr, 1e-14);
}

TEST(OgrRoundTrip, ShapesToFlatGeobuf) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    fs::path dir = geoxfer_test::TempDir("ogr-fgb");
    WriteAndCompare((dir / "ny8.fgb").string(), nullptr, true, "AREAKEY");
}

// A copy task applies the schema on one connection and copies the rows on
// the next; GeoJSON keeps no fields while it has no features, so the second
// connection must get them back.
void SchemaAndRowsOnSeparateConnections() {
    fs::path dir = geoxfer_test::TempDir("ogr-two-sessions");
    std::string json = (dir / "ny8.geojson").string();
    FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
    {
        FdoPtr<FdoIConnection> out = Connect(L"OSGeo.OGR", OgrConnection(json));
        ApplyClass(shp, out, L"NY8_utm18");
        out->Close();
    }
    {
        FdoPtr<FdoIConnection> out = Connect(L"OSGeo.OGR", OgrConnection(json));
        FdoPtr<FdoFeatureClass> cls = OnlyClass(out);
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        EXPECT_TRUE(FdoPtr<FdoPropertyDefinition>(props->FindItem(L"AREANAME")));
        EXPECT_EQ(InsertAll(shp, out, L"NY8_utm18", cls->GetName()), 281);
        out->Close();
    }
    GdalSource written(json);
    FdoPtr<FdoIFeatureReader> source = shptest::SelectAll(shp, L"NY8_utm18");
    EXPECT_EQ(CompareFeatures(source, written.Layer(), 1e-6, json, nullptr, 1e-14), 281);
}

TEST(OgrRoundTrip, SchemaAndRowsOnSeparateConnections) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    EXPECT_EQ(ErrorOf(SchemaAndRowsOnSeparateConnections), "");
}

TEST(OgrRoundTrip, ShapesToPostGis) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    POSTGIS_OR_SKIP();
    // A table of its own per run, so reruns and parallel runs do not meet.
    std::string table = "ny8_" + std::to_string(getpid());
    {
        FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
        FdoPtr<FdoIConnection> out = Connect(L"OSGeo.OGR", OgrConnection(PostGis()));
        EXPECT_EQ(CopyClass(shp, out, L"NY8_utm18", FdoStringP(table.c_str())), 281);
        out->Close();
    }
    GdalSource written(PostGis(), ("public." + table).c_str());
    ASSERT_NE(written.Layer(), nullptr);
    {
        FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
        FdoPtr<FdoIFeatureReader> source = shptest::SelectAll(shp, L"NY8_utm18");
        // A table without ORDER BY has no order: rows are matched by their key.
        EXPECT_EQ(CompareFeatures(source, written.Layer(), 0, "PostGIS", "AREAKEY"), 281);
    }
    FdoPtr<FdoIConnection> back = Connect(L"OSGeo.OGR", OgrConnection(PostGis(), true));
    FdoPtr<FdoFeatureClass> cls = ClassNamed(back, FdoStringP(table.c_str()));
    FdoPtr<FdoIFeatureReader> again = shptest::SelectAll(back, cls->GetName());
    EXPECT_EQ(CompareFeatures(again, written.Layer(), 0, "PostGIS through OSGeo.OGR", "AREAKEY"), 281);
    // Leave the database as it was.
    back->Close();
    back->SetConnectionString(OgrConnection(PostGis()));
    back->Open();
    FdoPtr<FdoIDescribeSchema> d = shptest::Command<FdoIDescribeSchema>(back, FdoCommandType_DescribeSchema);
    FdoPtr<FdoFeatureSchemaCollection> schemas = d->Execute();
    FdoPtr<FdoFeatureSchema> live = schemas->GetItem(0);
    FdoPtr<FdoClassCollection> liveClasses = live->GetClasses();
    FdoPtr<FdoClassDefinition> mine = liveClasses->GetItem(FdoStringP(table.c_str()));
    mine->Delete();
    FdoPtr<FdoIApplySchema> drop = shptest::Command<FdoIApplySchema>(back, FdoCommandType_ApplySchema);
    drop->SetFeatureSchema(live);
    drop->Execute();
    back->Close();
    GdalSource after(PostGis(), table.c_str());
    EXPECT_EQ(after.Layer(), nullptr) << "the table was not dropped";
}

}  // namespace
