// Norv.KML writing and reading real data: the projected NY8 census tracts
// copied into a new KML file must come back in WGS 84 longitude/latitude
// as GDAL's own ogr2ogr -t_srs EPSG:4326 puts them (within 1e-7 degrees),
// with every attribute, and a KML file GDAL wrote must read as GDAL reads it.
#include "OgrProviderTestSupport.h"

namespace {

using namespace ogrptest;

constexpr double kDegrees = 1e-7;

FdoStringP KmlConnection(const fs::path& file, bool readOnly = false) {
    return FdoStringP(L"File=") + Text(file) + (readOnly ? L";ReadOnly=TRUE;" : L";ReadOnly=FALSE;");
}

TEST(KmlRoundTrip, ProjectedShapesAreWrittenAsGdalTransformsThem) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    fs::path dir = geoxfer_test::TempDir("kml-ny8");
    fs::path kml = dir / "ny8.kml";
    {
        FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
        FdoPtr<FdoIConnection> out = Connect(L"Norv.KML", KmlConnection(kml));
        EXPECT_EQ(CopyClass(shp, out, L"NY8_utm18"), 281);
        out->Close();
        shp->Close();
    }
    ASSERT_TRUE(fs::exists(kml));
    fs::path reference = Ogr2OgrWgs84(Ny8(), dir);
    GdalSource ref(reference.string());
    ASSERT_NE(ref.Layer(), nullptr);

    FdoPtr<FdoIConnection> in = Connect(L"Norv.KML", KmlConnection(kml, true));
    FdoPtr<FdoFeatureClass> cls = OnlyClass(in);
    EXPECT_STREQ(cls->GetName(), L"NY8_utm18");
    FdoPtr<FdoGeometricPropertyDefinition> g = cls->GetGeometryProperty();
    ASSERT_TRUE(g);
    EXPECT_STREQ(g->GetName(), L"Geometry");
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"WGS84");
    EXPECT_FALSE(g->GetHasElevation());
    FdoPtr<FdoIFeatureReader> reader = shptest::SelectAll(in, L"NY8_utm18");
    EXPECT_EQ(CompareFeatures(reader, ref.Layer(), kDegrees, "NY8 in KML"), 281);
}

// A copy task applies the schema on one connection and copies on the
// next: the second still transforms, and appends keep every value.
void SchemaAndRowsOnSeparateConnections() {
    fs::path dir = geoxfer_test::TempDir("kml-two-sessions");
    fs::path kml = dir / "ny8.kml";
    FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
    {
        FdoPtr<FdoIConnection> out = Connect(L"Norv.KML", KmlConnection(kml));
        ApplyClass(shp, out, L"NY8_utm18");
        out->Close();
    }
    {
        FdoPtr<FdoIConnection> out = Connect(L"Norv.KML", KmlConnection(kml));
        EXPECT_EQ(InsertAll(shp, out, L"NY8_utm18"), 281);
        out->Close();
    }
    EXPECT_FALSE(fs::exists(dir / ".ny8.kml.writing.kml"));
    GdalSource ref(Ogr2OgrWgs84(Ny8(), dir).string());
    FdoPtr<FdoIConnection> in = Connect(L"Norv.KML", KmlConnection(kml, true));
    FdoPtr<FdoIFeatureReader> reader = shptest::SelectAll(in, L"NY8_utm18");
    EXPECT_EQ(CompareFeatures(reader, ref.Layer(), kDegrees, "NY8 in KML, two connections"), 281);
}

TEST(KmlRoundTrip, SchemaAndRowsOnSeparateConnectionsStillTransform) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    EXPECT_EQ(ErrorOf(SchemaAndRowsOnSeparateConnections), "");
}

TEST(KmlRoundTrip, ProjectedCoordinatesWithoutTheirSystemAreRefused) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    fs::path dir = geoxfer_test::TempDir("kml-no-system");
    fs::path kml = dir / "ny8.kml";
    FdoPtr<FdoIConnection> shp = shptest::Connect(Ny8());
    FdoPtr<FdoIConnection> out = Connect(L"Norv.KML", KmlConnection(kml));
    FdoPtr<FdoFeatureClass> cls = ClassNamed(shp, L"NY8_utm18");
    FdoPtr<FdoClassDefinition> copy = FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(cls);
    FdoPtr<FdoPropertyDefinitionCollection> props = copy->GetProperties();
    FdoPtr<FdoGeometricPropertyDefinition> g =
        static_cast<FdoGeometricPropertyDefinition*>(props->GetItem(L"Geometry"));
    g->SetSpatialContextAssociation(L"WGS84");  // wrong: the data is UTM
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Copy", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(copy);
    FdoPtr<FdoIApplySchema> apply = shptest::Command<FdoIApplySchema>(out, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    apply->Execute();
    std::string e = ErrorOf([&] { InsertAll(shp, out, L"NY8_utm18"); });
    EXPECT_NE(e.find("longitude/latitude"), std::string::npos) << e;
}

TEST(KmlRoundTrip, IdentityNameAndDescriptionAreInEveryClass) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    fs::path dir = geoxfer_test::TempDir("kml-schema");
    fs::path kml = dir / "ny8.kml";
    std::string command = "ogr2ogr -f LIBKML '" + kml.string() + "' '" + Ny8().string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    FdoPtr<FdoIConnection> in = Connect(L"Norv.KML", KmlConnection(kml, true));
    FdoPtr<FdoFeatureClass> cls = OnlyClass(in);
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    ASSERT_EQ(identity->GetCount(), 1);
    FdoPtr<FdoDataPropertyDefinition> id = identity->GetItem(0);
    EXPECT_STREQ(id->GetName(), L"FeatId");
    EXPECT_EQ(id->GetDataType(), FdoDataType_Int32);
    EXPECT_TRUE(id->GetIsAutoGenerated());
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    for (FdoString* name : {L"name", L"description", L"AREANAME", L"POP8", L"Geometry"})
        EXPECT_TRUE(FdoPtr<FdoPropertyDefinition>(props->FindItem(name))) << FdoStringP::Utf8FromUnicode(name);
    for (FdoString* name : {L"timestamp", L"altitudeMode", L"tessellate"})
        EXPECT_FALSE(FdoPtr<FdoPropertyDefinition>(props->FindItem(name))) << FdoStringP::Utf8FromUnicode(name);

    // GDAL reads the same values and (flattened) coordinates; FeatId counts from 1.
    GdalSource gdal(kml.string());
    FdoPtr<FdoIFeatureReader> reader = shptest::SelectAll(in, cls->GetName());
    EXPECT_EQ(CompareFeatures(reader, gdal.Layer(), 0, "KML by GDAL"), 281);
    FdoPtr<FdoIFeatureReader> first = shptest::SelectAll(in, cls->GetName(), L"FeatId = 1");
    ASSERT_TRUE(first->ReadNext());
    EXPECT_STREQ(first->GetString(L"AREANAME"), L"Binghamton city");
    EXPECT_FALSE(first->ReadNext());
}

void CreateDocumentAndWrite() {
    fs::path dir = geoxfer_test::TempDir("kml-create");
    fs::path kml = dir / "points.kml";
    FdoPtr<FdoIConnection> c = Connect(L"Norv.KML", L"", false);
    FdoPtr<FdoICreateDataStore> create = shptest::Command<FdoICreateDataStore>(c, FdoCommandType_CreateDataStore);
    FdoPtr<FdoIDataStorePropertyDictionary> props = create->GetDataStoreProperties();
    props->SetProperty(L"File", Text(kml));
    create->Execute();
    ASSERT_TRUE(fs::exists(kml));
    EXPECT_NE(ErrorOf([&] { create->Execute(); }).find("already exists"), std::string::npos);

    c->SetConnectionString(KmlConnection(kml));
    c->Open();
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(L"Towns", L"");
    FdoPtr<FdoPropertyDefinitionCollection> cp = cls->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> id = FdoDataPropertyDefinition::Create(L"Id", L"");
    id->SetDataType(FdoDataType_Int32);
    id->SetIsAutoGenerated(true);
    cp->Add(id);
    FdoPtr<FdoDataPropertyDefinitionCollection> idp = cls->GetIdentityProperties();
    idp->Add(id);
    FdoPtr<FdoDataPropertyDefinition> name = FdoDataPropertyDefinition::Create(L"Name", L"");
    name->SetDataType(FdoDataType_String);
    cp->Add(name);
    FdoPtr<FdoDataPropertyDefinition> people = FdoDataPropertyDefinition::Create(L"People", L"");
    people->SetDataType(FdoDataType_Int32);
    cp->Add(people);
    FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(L"Where", L"");
    FdoGeometryType point = FdoGeometryType_Point;
    g->SetSpecificGeometryTypes(&point, 1);
    cp->Add(g);
    cls->SetGeometryProperty(g);
    classes->Add(cls);
    FdoPtr<FdoIApplySchema> apply = shptest::Command<FdoIApplySchema>(c, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    apply->Execute();
    FdoPtr<FdoFeatureClass> made = OnlyClass(c);
    FdoPtr<FdoPropertyDefinitionCollection> mp = made->GetProperties();
    for (FdoString* n : {L"FeatId", L"name", L"description", L"People", L"Geometry"})
        EXPECT_TRUE(FdoPtr<FdoPropertyDefinition>(mp->FindItem(n))) << FdoStringP::Utf8FromUnicode(n);

    FdoPtr<FdoIInsert> insert = shptest::Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Towns");
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    const struct { FdoString* name; FdoInt32 people; double x, y; } towns[] = {
        {L"Ørsta", 6900, 6.13, 62.2}, {L"Ithaca", 30000, -76.5, 42.44}};
    std::vector<FdoInt32> ids;
    for (auto& t : towns) {
        values->Clear();
        FdoPtr<FdoPropertyValue> n = FdoPropertyValue::Create(L"Name", FdoPtr<FdoStringValue>(FdoStringValue::Create(t.name)));
        FdoPtr<FdoPropertyValue> p = FdoPropertyValue::Create(L"People", FdoPtr<FdoInt32Value>(FdoInt32Value::Create(t.people)));
        OGRGeometryH pt = OGR_G_CreateGeometry(wkbPoint);
        OGR_G_SetPoint_2D(pt, 0, t.x, t.y);
        std::vector<FdoByte> wkb(static_cast<size_t>(OGR_G_WkbSize(pt)));
        OGR_G_ExportToIsoWkb(pt, wkbNDR, wkb.data());
        OGR_G_DestroyGeometry(pt);
        std::vector<FdoByte> fgf;
        FdoFgfWkb::WkbToFgf(wkb.data(), static_cast<FdoInt32>(wkb.size()), fgf);
        FdoPtr<FdoByteArray> bytes = FdoByteArray::Create(fgf.data(), static_cast<FdoInt32>(fgf.size()));
        FdoPtr<FdoPropertyValue> w = FdoPropertyValue::Create(L"Where", FdoPtr<FdoGeometryValue>(FdoGeometryValue::Create(bytes)));
        values->Add(n);
        values->Add(p);
        values->Add(w);
        FdoPtr<FdoIFeatureReader> r = insert->Execute();
        ASSERT_TRUE(r->ReadNext());
        ids.push_back(r->GetInt32(L"FeatId"));
    }
    EXPECT_EQ(ids, (std::vector<FdoInt32>{1, 2}));
    c->Close();

    c->SetConnectionString(KmlConnection(kml, true));
    c->Open();
    FdoPtr<FdoIFeatureReader> r = shptest::SelectAll(c, L"Towns");
    for (auto& t : towns) {
        ASSERT_TRUE(r->ReadNext());
        EXPECT_STREQ(r->GetString(L"name"), t.name);
        EXPECT_EQ(r->GetInt32(L"People"), t.people);
        FdoInt32 count = 0;
        const FdoByte* fgf = r->GetGeometry(L"Geometry", &count);
        ogrcore::GeometryPtr got{shptest::OgrFromFgf(fgf, count)};
        EXPECT_EQ(OGR_G_Is3D(got.get()), FALSE);
        EXPECT_DOUBLE_EQ(OGR_G_GetX(got.get(), 0), t.x);
        EXPECT_DOUBLE_EQ(OGR_G_GetY(got.get(), 0), t.y);
    }
    EXPECT_FALSE(r->ReadNext());
    c->Close();

    // Appending to the file keeps what was there and the values of the new row.
    c->SetConnectionString(KmlConnection(kml));
    c->Open();
    FdoPtr<FdoIInsert> more = shptest::Command<FdoIInsert>(c, FdoCommandType_Insert);
    more->SetFeatureClassName(L"Towns");
    FdoPtr<FdoPropertyValueCollection> extra = more->GetPropertyValues();
    FdoPtr<FdoPropertyValue> n = FdoPropertyValue::Create(L"name", FdoPtr<FdoStringValue>(FdoStringValue::Create(L"Volda")));
    FdoPtr<FdoPropertyValue> p = FdoPropertyValue::Create(L"People", FdoPtr<FdoInt32Value>(FdoInt32Value::Create(9300)));
    extra->Add(n);
    extra->Add(p);
    FdoPtr<FdoIFeatureReader> added = more->Execute();
    c->Close();
    c->SetConnectionString(KmlConnection(kml, true));
    c->Open();
    FdoPtr<FdoIFeatureReader> all = shptest::SelectAll(c, L"Towns");
    std::vector<std::wstring> names;
    std::vector<FdoInt32> counts;
    while (all->ReadNext()) {
        names.push_back(all->GetString(L"name"));
        counts.push_back(all->GetInt32(L"People"));
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Ørsta", L"Ithaca", L"Volda"}));
    EXPECT_EQ(counts, (std::vector<FdoInt32>{6900, 30000, 9300}));
}

TEST(KmlRoundTrip, CreatedDocumentTakesClassesAndRowsWithTheirValues) {
    EXPECT_EQ(ErrorOf(CreateDocumentAndWrite), "");
}

}  // namespace
