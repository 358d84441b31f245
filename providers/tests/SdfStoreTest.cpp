// The SDF file as a store: creating and destroying it, what it refuses to
// open, read-only connections, spatial contexts, identity rules, schema
// merging, and the FDO schema files of the reference data.
#include "SdfTestSupport.h"

#include <gdal.h>
#include <ogr_api.h>

#include <fstream>

using namespace sdftest;

namespace {

bool Has(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

FdoFeatureSchema* OneClassSchema(FdoString* className) {
    FdoFeatureSchema* schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoFeatureClass> cls = ClassWithId(className);
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> name = DataProperty(L"Name", FdoDataType_String);
    name->SetLength(20);
    props->Add(name);
    FdoPtr<FdoGeometricPropertyDefinition> g = Geometry(L"Geometry");
    props->Add(g);
    cls->SetGeometryProperty(g);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    return schema;
}

void Insert(FdoIConnection* c, FdoString* cls, FdoString* property, FdoValueExpression* value) {
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(cls);
    FdoPtr<FdoPropertyValueCollection> v = insert->GetPropertyValues();
    if (property) AddValue(v, property, value);
    FdoPtr<FdoIFeatureReader> r = insert->Execute();
}

int Count(FdoIConnection* c, FdoString* cls) {
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(cls);
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    int n = 0;
    while (r->ReadNext()) n++;
    return n;
}

}  // namespace

TEST(SdfStore, CreateDataStoreMakesAGeoPackageWithADefaultContext) {
    auto dir = geoxfer_test::TempDir("sdf-create");
    auto file = dir / "new.sdf";
    CreateStore(file);
    GDALAllRegister();
    const char* drivers[] = {"GPKG", nullptr};
    GDALDatasetH ds = GDALOpenEx(file.string().c_str(), GDAL_OF_VECTOR, drivers, nullptr, nullptr);
    ASSERT_NE(ds, nullptr);
    // Only the provider's two tables, registered as attribute tables.
    ASSERT_EQ(GDALDatasetGetLayerCount(ds), 2);
    for (int i = 0; i < 2; i++) {
        OGRLayerH layer = GDALDatasetGetLayer(ds, i);
        EXPECT_EQ(std::string(OGR_L_GetName(layer)).rfind("sdf_", 0), 0u);
        EXPECT_EQ(OGR_L_GetGeomType(layer), wkbNone);
    }
    GDALClose(ds);

    FdoPtr<FdoIConnection> c = OpenStore(file);
    FdoPtr<FdoIGetSchemaNames> names = Command<FdoIGetSchemaNames>(c, FdoCommandType_GetSchemaNames);
    FdoPtr<FdoStringCollection> schemaNames = names->Execute();
    EXPECT_EQ(schemaNames->GetCount(), 0);
    FdoPtr<FdoIGetSpatialContexts> get = Command<FdoIGetSpatialContexts>(c, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> scs = get->Execute();
    ASSERT_TRUE(scs->ReadNext());
    EXPECT_STREQ(scs->GetName(), L"Default");
    EXPECT_FALSE(scs->ReadNext());

    // Not on an open connection, not over an existing file.
    FdoPtr<FdoICreateDataStore> again = Command<FdoICreateDataStore>(c, FdoCommandType_CreateDataStore);
    FdoPtr<FdoIDataStorePropertyDictionary> props = again->GetDataStoreProperties();
    props->SetProperty(L"File", Wide(dir / "other.sdf").c_str());
    EXPECT_TRUE(Has(Thrown([&] { again->Execute(); }), L"must be closed"));
    c->Close();
    EXPECT_TRUE(Has(Thrown([&] { CreateStore(file); }), L"file exists"));

    FdoPtr<FdoIDestroyDataStore> destroy = Command<FdoIDestroyDataStore>(c, FdoCommandType_DestroyDataStore);
    FdoPtr<FdoIDataStorePropertyDictionary> dprops = destroy->GetDataStoreProperties();
    dprops->SetProperty(L"File", Wide(file).c_str());
    destroy->Execute();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(SdfStore, FilesThatAreNotSdfStoresAreRefused) {
    auto dir = geoxfer_test::TempDir("sdf-refuse");
    // A missing file.
    EXPECT_TRUE(Has(Thrown([&] { FdoPtr<FdoIConnection> c = OpenStore(dir / "missing.sdf"); }), L"does not exist"));
    // Random bytes.
    {
        std::ofstream out(dir / "random.sdf", std::ios::binary);
        for (int i = 0; i < 4096; i++) out.put(static_cast<char>((i * 7919) % 251));
    }
    EXPECT_TRUE(Has(Thrown([&] { FdoPtr<FdoIConnection> c = OpenStore(dir / "random.sdf"); }), L"not a GeoPackage"));
    // An SQLite database that is no GeoPackage (as an SDF 3 file would be).
    GDALAllRegister();
    {
        GDALDriverH sqlite = GDALGetDriverByName("SQLite");
        ASSERT_NE(sqlite, nullptr);
        GDALDatasetH ds = GDALCreate(sqlite, (dir / "plain.sdf").string().c_str(), 0, 0, 0, GDT_Unknown, nullptr);
        ASSERT_NE(ds, nullptr);
        OGRLayerH l = GDALDatasetCreateLayer(ds, "t", nullptr, wkbPoint, nullptr);
        ASSERT_NE(l, nullptr);
        GDALClose(ds);
    }
    std::wstring plain = Thrown([&] { FdoPtr<FdoIConnection> c = OpenStore(dir / "plain.sdf"); });
    EXPECT_TRUE(Has(plain, L"SQLite database but not a GeoPackage")) << Narrow(plain);
    // A GeoPackage without the provider's tables.
    {
        GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GPKG"), (dir / "plain.gpkg").string().c_str(), 0, 0, 0,
                                     GDT_Unknown, nullptr);
        GDALDatasetCreateLayer(ds, "t", nullptr, wkbPoint, nullptr);
        GDALClose(ds);
    }
    std::wstring gpkg = Thrown([&] { FdoPtr<FdoIConnection> c = OpenStore(dir / "plain.gpkg"); });
    EXPECT_TRUE(Has(gpkg, L"without the feature schema and spatial context tables")) << Narrow(gpkg);
    // A folder.
    EXPECT_TRUE(Has(Thrown([&] { FdoPtr<FdoIConnection> c = OpenStore(dir); }), L"not a regular file"));
    // No file name at all.
    FdoPtr<FdoIConnection> c = NewConnection();
    EXPECT_NE(Thrown([&] { c->Open(); }), L"");
}

TEST(SdfStore, ReadOnlyConnectionsRefuseEveryWrite) {
    auto dir = geoxfer_test::TempDir("sdf-readonly");
    auto file = dir / "ro.sdf";
    CreateStore(file);
    {
        FdoPtr<FdoIConnection> c = OpenStore(file);
        FdoPtr<FdoFeatureSchema> schema = OneClassSchema(L"Parcel");
        ApplySchema(c, schema);
        FdoPtr<FdoStringValue> v = FdoStringValue::Create(L"one");
        Insert(c, L"Parcel", L"Name", v);
    }
    const wchar_t* message = L"Cannot write to SDF file. Connection is read-only.";
    for (const wchar_t* flag : {L"TRUE", L"true", L"True"}) {
        FdoPtr<FdoIConnection> c = NewConnection();
        c->SetConnectionString((L"File=" + Wide(file) + L";ReadOnly=" + flag).c_str());
        c->Open();
        FdoPtr<FdoIConnectionCapabilities> caps = c->GetConnectionCapabilities();
        EXPECT_FALSE(caps->SupportsWrite());
        FdoPtr<FdoStringValue> v = FdoStringValue::Create(L"two");
        EXPECT_TRUE(Has(Thrown([&] { Insert(c, L"Parcel", L"Name", v); }), message));
        FdoPtr<FdoIUpdate> update = Command<FdoIUpdate>(c, FdoCommandType_Update);
        update->SetFeatureClassName(L"Parcel");
        FdoPtr<FdoPropertyValueCollection> uv = update->GetPropertyValues();
        AddValue(uv, L"Name", v);
        EXPECT_TRUE(Has(Thrown([&] { update->Execute(); }), message));
        FdoPtr<FdoIDelete> del = Command<FdoIDelete>(c, FdoCommandType_Delete);
        del->SetFeatureClassName(L"Parcel");
        EXPECT_TRUE(Has(Thrown([&] { del->Execute(); }), message));
        FdoPtr<FdoFeatureSchema> schema = OneClassSchema(L"Other");
        EXPECT_TRUE(Has(Thrown([&] { ApplySchema(c, schema); }), message));
        FdoPtr<FdoICreateSpatialContext> sc = Command<FdoICreateSpatialContext>(c, FdoCommandType_CreateSpatialContext);
        sc->SetName(L"X");
        EXPECT_TRUE(Has(Thrown([&] { sc->Execute(); }), message));
        EXPECT_EQ(Count(c, L"Parcel"), 1);
    }
    // FALSE, or nothing, is writable.
    FdoPtr<FdoIConnection> c = NewConnection();
    c->SetConnectionString((L"File=" + Wide(file) + L";ReadOnly=false").c_str());
    c->Open();
    FdoPtr<FdoStringValue> v = FdoStringValue::Create(L"two");
    Insert(c, L"Parcel", L"Name", v);
    EXPECT_EQ(Count(c, L"Parcel"), 2);
    c->Close();
    FdoPtr<FdoIConnection> bad = NewConnection();
    EXPECT_NE(Thrown([&] { bad->SetConnectionString((L"File=" + Wide(file) + L";ReadOnly=maybe").c_str()); bad->Open(); }),
              L"");
}

TEST(SdfStore, SeveralSpatialContextsKeepNameAndWkt) {
    auto dir = geoxfer_test::TempDir("sdf-contexts");
    auto file = dir / "sc.sdf";
    CreateStore(file);
    const wchar_t* wgs84 =
        L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],PRIMEM[\"Greenwich\",0],"
        L"UNIT[\"degree\",0.0174532925199433]]";
    const wchar_t* local = L"LOCAL_CS[\"Site grid\",UNIT[\"metre\",1]]";
    {
        FdoPtr<FdoIConnection> c = OpenStore(file);
        struct {
            const wchar_t* name;
            const wchar_t* cs;
            const wchar_t* wkt;
            FdoSpatialContextExtentType type;
        } specs[] = {{L"LL84", L"WGS84 Lat/Long", wgs84, FdoSpatialContextExtentType_Static},
                     {L"Site", L"Site grid", local, FdoSpatialContextExtentType_Dynamic}};
        for (auto& s : specs) {
            FdoPtr<FdoICreateSpatialContext> sc = Command<FdoICreateSpatialContext>(c, FdoCommandType_CreateSpatialContext);
            sc->SetName(s.name);
            sc->SetDescription(L"described");
            sc->SetCoordinateSystem(s.cs);
            sc->SetCoordinateSystemWkt(s.wkt);
            sc->SetExtentType(s.type);
            FdoPtr<FdoByteArray> extent = Fgf(L"POLYGON ((-180 -90, 180 -90, 180 90, -180 90, -180 -90))");
            sc->SetExtent(extent);
            sc->SetXYTolerance(0.5);
            sc->SetZTolerance(0.25);
            sc->Execute();
        }
        FdoPtr<FdoICreateSpatialContext> dup = Command<FdoICreateSpatialContext>(c, FdoCommandType_CreateSpatialContext);
        dup->SetName(L"Site");
        EXPECT_TRUE(Has(Thrown([&] { dup->Execute(); }), L"already has a spatial context named 'Site'"));
        dup->SetUpdateExisting(true);
        dup->SetDescription(L"replaced");
        dup->SetCoordinateSystem(L"Site grid");
        dup->SetCoordinateSystemWkt(local);
        dup->Execute();

        // A class in the Site context: its data make the dynamic extent.
        FdoPtr<FdoFeatureSchema> schema = OneClassSchema(L"Pole");
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(L"Pole");
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        FdoPtr<FdoPropertyDefinition> g = props->GetItem(L"Geometry");
        static_cast<FdoGeometricPropertyDefinition*>(g.p)->SetSpatialContextAssociation(L"Site");
        ApplySchema(c, schema);
        for (const wchar_t* point : {L"POINT (10 20)", L"POINT (30 -5)"}) {
            FdoPtr<FdoByteArray> fgf = Fgf(point);
            FdoPtr<FdoGeometryValue> v = FdoGeometryValue::Create(fgf);
            Insert(c, L"Pole", L"Geometry", v);
        }
        // An association to a context the file does not hold is bound to
        // the file's first context, as FDO's SDF binds every geometry to
        // its one context; the schema keeps the name it was given.
        FdoPtr<FdoFeatureSchema> other = OneClassSchema(L"Lost");
        FdoPtr<FdoClassCollection> oc = other->GetClasses();
        FdoPtr<FdoClassDefinition> lost = oc->GetItem(L"Lost");
        FdoPtr<FdoPropertyDefinitionCollection> lp = lost->GetProperties();
        FdoPtr<FdoPropertyDefinition> lg = lp->GetItem(L"Geometry");
        static_cast<FdoGeometricPropertyDefinition*>(lg.p)->SetSpatialContextAssociation(L"Nowhere");
        ApplySchema(c, other, true);
        FdoPtr<FdoIDescribeSchema> describe = Command<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
        FdoPtr<FdoFeatureSchemaCollection> described = describe->Execute();
        FdoPtr<FdoIDisposableCollection> found = described->FindClass(L"Lost");
        ASSERT_EQ(found->GetCount(), 1);
        FdoPtr<FdoFeatureClass> stored = static_cast<FdoFeatureClass*>(found->GetItem(0));
        FdoPtr<FdoGeometricPropertyDefinition> sg = stored->GetGeometryProperty();
        EXPECT_STREQ(sg->GetSpatialContextAssociation(), L"Nowhere");
    }
    FdoPtr<FdoIConnection> c = OpenStore(file, true);
    FdoPtr<FdoIGetSpatialContexts> get = Command<FdoIGetSpatialContexts>(c, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> r = get->Execute();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetName(), L"Default");
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetName(), L"LL84");
    EXPECT_STREQ(r->GetCoordinateSystem(), L"WGS84 Lat/Long");
    EXPECT_STREQ(r->GetCoordinateSystemWkt(), wgs84);
    EXPECT_STREQ(r->GetDescription(), L"described");
    EXPECT_EQ(r->GetExtentType(), FdoSpatialContextExtentType_Static);
    EXPECT_EQ(r->GetXYTolerance(), 0.5);
    EXPECT_EQ(r->GetZTolerance(), 0.25);
    FdoPtr<FdoByteArray> extent = r->GetExtent();
    FdoFgfBounds b = FdoFgfBounds::Compute(extent->GetData(), extent->GetCount());
    EXPECT_EQ(b.minX, -180);
    EXPECT_EQ(b.maxY, 90);
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetName(), L"Site");
    EXPECT_STREQ(r->GetDescription(), L"replaced");
    EXPECT_STREQ(r->GetCoordinateSystem(), L"Site grid");
    EXPECT_STREQ(r->GetCoordinateSystemWkt(), local);
    FdoPtr<FdoByteArray> dynamic = r->GetExtent();
    FdoFgfBounds d = FdoFgfBounds::Compute(dynamic->GetData(), dynamic->GetCount());
    EXPECT_EQ(d.minX, 10);
    EXPECT_EQ(d.minY, -5);
    EXPECT_EQ(d.maxX, 30);
    EXPECT_EQ(d.maxY, 20);
    EXPECT_FALSE(r->ReadNext());
}

TEST(SdfStore, IdentityRules) {
    auto dir = geoxfer_test::TempDir("sdf-identity");
    auto file = dir / "id.sdf";
    CreateStore(file);
    FdoPtr<FdoIConnection> c = OpenStore(file);

    // No identity.
    FdoPtr<FdoFeatureSchema> none = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> noneClasses = none->GetClasses();
    FdoPtr<FdoFeatureClass> bare = FdoFeatureClass::Create(L"Bare", L"");
    FdoPtr<FdoPropertyDefinitionCollection> bareProps = bare->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> x = DataProperty(L"X", FdoDataType_Int32);
    bareProps->Add(x);
    noneClasses->Add(bare);
    EXPECT_TRUE(Has(Thrown([&] { ApplySchema(c, none); }), L"Class 'Bare' has no identity properties."));

    // Only Int32 autogenerates.
    FdoPtr<FdoFeatureSchema> auto64 = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> autoClasses = auto64->GetClasses();
    FdoPtr<FdoFeatureClass> big = FdoFeatureClass::Create(L"Big", L"");
    FdoPtr<FdoPropertyDefinitionCollection> bigProps = big->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> id64 = DataProperty(L"Id", FdoDataType_Int64, false);
    id64->SetIsAutoGenerated(true);
    bigProps->Add(id64);
    FdoPtr<FdoDataPropertyDefinitionCollection> bigIds = big->GetIdentityProperties();
    bigIds->Add(id64);
    autoClasses->Add(big);
    std::wstring autoError = Thrown([&] { ApplySchema(c, auto64); });
    EXPECT_TRUE(Has(autoError, L"FdoAutogenerationException")) << Narrow(autoError);
    EXPECT_TRUE(Has(autoError, L"The SDF provider can only autogenerate Int32 property values"));

    // A composite key of a string and a date: duplicates are refused.
    FdoPtr<FdoFeatureSchema> composite = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> compositeClasses = composite->GetClasses();
    FdoPtr<FdoClass> keyed = FdoClass::Create(L"Keyed", L"");
    FdoPtr<FdoPropertyDefinitionCollection> keyedProps = keyed->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> code = DataProperty(L"Code", FdoDataType_String, false);
    FdoPtr<FdoDataPropertyDefinition> day = DataProperty(L"Day", FdoDataType_DateTime, false);
    FdoPtr<FdoDataPropertyDefinition> fid = DataProperty(L"fid", FdoDataType_Double);  // takes the usual key name
    keyedProps->Add(code);
    keyedProps->Add(day);
    keyedProps->Add(fid);
    FdoPtr<FdoDataPropertyDefinitionCollection> keyedIds = keyed->GetIdentityProperties();
    keyedIds->Add(code);
    keyedIds->Add(day);
    compositeClasses->Add(keyed);
    ApplySchema(c, composite);

    auto insert = [&](FdoString* codeValue, FdoInt16 year) {
        FdoPtr<FdoIInsert> ins = Command<FdoIInsert>(c, FdoCommandType_Insert);
        ins->SetFeatureClassName(L"Keyed");
        FdoPtr<FdoPropertyValueCollection> v = ins->GetPropertyValues();
        FdoPtr<FdoStringValue> cv = FdoStringValue::Create(codeValue);
        FdoPtr<FdoDateTimeValue> dv = FdoDateTimeValue::Create(FdoDateTime(year, 1, 1));
        FdoPtr<FdoDoubleValue> fv = FdoDoubleValue::Create(1.5);
        AddValue(v, L"Code", cv);
        AddValue(v, L"Day", dv);
        AddValue(v, L"fid", fv);
        FdoPtr<FdoIFeatureReader> ids = ins->Execute();
        EXPECT_TRUE(ids->ReadNext());
        EXPECT_STREQ(ids->GetString(L"Code"), codeValue);
        EXPECT_EQ(ids->GetDateTime(L"Day").year, year);
    };
    insert(L"A", 2000);
    insert(L"A", 2001);
    insert(L"B", 2000);
    std::wstring dup = Thrown([&] { insert(L"A", 2000); });
    EXPECT_TRUE(Has(dup, L"Attempted to insert feature with duplicate key. Key must be unique.")) << Narrow(dup);
    EXPECT_EQ(Count(c, L"Keyed"), 3);

    // A missing required value, and an unknown property, are named.
    FdoPtr<FdoStringValue> only = FdoStringValue::Create(L"C");
    EXPECT_TRUE(Has(Thrown([&] { Insert(c, L"Keyed", L"Code", only); }), L"'Day'"));
    EXPECT_TRUE(Has(Thrown([&] { Insert(c, L"Keyed", L"Nope", only); }), L"no property 'Nope'"));
}

TEST(SdfStore, LaterApplySchemaCallsMergeByName) {
    auto dir = geoxfer_test::TempDir("sdf-merge");
    auto file = dir / "merge.sdf";
    CreateStore(file);
    {
        FdoPtr<FdoIConnection> c = OpenStore(file);
        FdoPtr<FdoFeatureSchema> first = OneClassSchema(L"Road");
        ApplySchema(c, first);
        FdoPtr<FdoStringValue> v = FdoStringValue::Create(L"Main");
        Insert(c, L"Road", L"Name", v);

        // Describe, add a property and a class, apply the changed copy.
        FdoPtr<FdoFeatureSchemaCollection> described = Describe(c);
        FdoPtr<FdoFeatureSchema> schema = described->GetItem(0);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        FdoPtr<FdoClassDefinition> road = classes->GetItem(L"Road");
        FdoPtr<FdoPropertyDefinitionCollection> props = road->GetProperties();
        FdoPtr<FdoDataPropertyDefinition> lanes = DataProperty(L"Lanes", FdoDataType_Int16);
        props->Add(lanes);
        FdoPtr<FdoFeatureClass> bridge = ClassWithId(L"Bridge");
        classes->Add(bridge);
        ApplySchema(c, schema);
        Insert(c, L"Bridge", nullptr, nullptr);

        // Applying the same class as new again is an error; with
        // ignore-states it merges.
        FdoPtr<FdoFeatureSchema> again = OneClassSchema(L"Road");
        EXPECT_TRUE(Has(Thrown([&] { ApplySchema(c, again); }), L"Class 'Road' already exists"));
        FdoPtr<FdoFeatureSchema> merged = OneClassSchema(L"Road");
        ApplySchema(c, merged, true);

        // A type change cannot be followed by the table.
        FdoPtr<FdoFeatureSchema> retyped = OneClassSchema(L"Road");
        FdoPtr<FdoClassCollection> rc = retyped->GetClasses();
        FdoPtr<FdoClassDefinition> rr = rc->GetItem(L"Road");
        FdoPtr<FdoPropertyDefinitionCollection> rp = rr->GetProperties();
        FdoPtr<FdoPropertyDefinition> name = rp->GetItem(L"Name");
        static_cast<FdoDataPropertyDefinition*>(name.p)->SetDataType(FdoDataType_Int32);
        EXPECT_TRUE(Has(Thrown([&] { ApplySchema(c, retyped, true); }), L"Cannot change the data type"));
    }
    FdoPtr<FdoIConnection> c = OpenStore(file);
    FdoPtr<FdoIGetClassNames> names = Command<FdoIGetClassNames>(c, FdoCommandType_GetClassNames);
    FdoPtr<FdoStringCollection> classNames = names->Execute();
    ASSERT_EQ(classNames->GetCount(), 2);
    EXPECT_STREQ(classNames->GetString(0), L"Default:Road");
    EXPECT_STREQ(classNames->GetString(1), L"Default:Bridge");
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(L"Road");
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetString(L"Name"), L"Main");
    EXPECT_TRUE(r->IsNull(L"Lanes"));

    // Deleting the class drops its table.
    FdoPtr<FdoFeatureSchemaCollection> described = Describe(c);
    FdoPtr<FdoFeatureSchema> schema = described->GetItem(0);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoPtr<FdoClassDefinition> bridge = classes->GetItem(L"Bridge");
    bridge->Delete();
    r->Close();
    std::wstring dropped = Thrown([&] { ApplySchema(c, schema); });
    EXPECT_EQ(dropped, L"") << Narrow(dropped);
    Insert(c, L"Road", L"Name", FdoPtr<FdoStringValue>(FdoStringValue::Create(L"After")));
    EXPECT_EQ(Count(c, L"Road"), 2);
    EXPECT_NE(Thrown([&] { Count(c, L"Bridge"); }).find(L"no class 'Bridge'"), std::wstring::npos);
    FdoPtr<FdoFeatureSchemaCollection> after = Describe(c);
    FdoPtr<FdoFeatureSchema> afterSchema = after->GetItem(0);
    FdoPtr<FdoClassCollection> afterClasses = afterSchema->GetClasses();
    EXPECT_EQ(afterClasses->GetCount(), 1);

    FdoPtr<FdoIDescribeSchema> wrong = Command<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
    wrong->SetSchemaName(L"Nope");
    EXPECT_TRUE(Has(Thrown([&] { FdoPtr<FdoFeatureSchemaCollection> s = wrong->Execute(); }), L"Invalid Schema name"));
}

TEST(SdfStore, ReferenceSchemaFilesApplyOrFailClearly) {
    SHARED_DATA_OR_SKIP("fdo-schemas");
    auto dir = geoxfer_test::TempDir("sdf-schemas");
    int applied = 0;
    for (const auto& entry : std::filesystem::directory_iterator(geoxfer_test::SharedDataDir() / "fdo-schemas")) {
        if (entry.path().extension() != ".xml") continue;
        FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
        std::wstring readError = Thrown([&] { FdoXmlSchemaIO::Read(schemas, Wide(entry.path()).c_str()); });
        if (!readError.empty() || schemas->GetCount() == 0) continue;  // spatial contexts only, or not readable
        for (FdoInt32 i = 0; i < schemas->GetCount(); i++) {
            auto file = dir / (entry.path().stem().string() + "-" + std::to_string(i) + ".sdf");
            CreateStore(file);
            FdoPtr<FdoIConnection> c = OpenStore(file);
            FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
            std::wstring error = Thrown([&] { ApplySchema(c, schema); });
            if (error.empty()) {
                applied++;
                FdoPtr<FdoFeatureSchemaCollection> described = Describe(c);
                FdoPtr<FdoFeatureSchema> back = described->GetItem(0);
                EXPECT_EQ(FdoCommonSchemaCompare::CompareSchemas(schema, back), L"") << entry.path();
            } else {
                EXPECT_TRUE(Has(error, L"Exception: ")) << Narrow(error);
                EXPECT_GT(error.size(), 40u) << Narrow(error);
                // The file is still a usable, empty store.
                FdoPtr<FdoFeatureSchemaCollection> described = Describe(c);
                EXPECT_EQ(described->GetCount(), 0) << entry.path();
            }
            std::cout << entry.path().filename().string() << "[" << i << "]: "
                      << (error.empty() ? std::string("applied") : Narrow(error)) << "\n";
        }
    }
    EXPECT_GT(applied, 0);
}

// A copy with nothing to copy applies an unnamed schema without classes.
// Schema XML cannot hold a schema without a name, so nothing is stored for
// it: the file must open again afterwards, whatever it held before.
namespace {

// Applies an unnamed schema holding the classes of from (none when null)
// and returns what it threw.
std::wstring ApplyUnnamed(FdoIConnection* c, FdoFeatureSchema* from = nullptr) {
    FdoPtr<FdoFeatureSchema> unnamed = from ? FDO_SAFE_ADDREF(from) : FdoFeatureSchema::Create(L"", L"");
    unnamed->SetName(L"");
    return Thrown([&] { ApplySchema(c, unnamed); });
}

// The store opened again, described: fails the test when it does not open.
FdoFeatureSchemaCollection* ReopenAndDescribe(const std::filesystem::path& file, FdoPtr<FdoIConnection>& c) {
    std::wstring error = Thrown([&] { c = OpenStore(file); });
    EXPECT_EQ(error, L"") << Narrow(error);
    return c ? Describe(c) : FdoFeatureSchemaCollection::Create(nullptr);
}

}  // namespace

TEST(SdfStore, UnnamedEmptySchemaLeavesTheFileReadable) {
    auto dir = geoxfer_test::TempDir("sdf-unnamed");
    FdoPtr<FdoIConnection> c;
    auto empty = dir / "empty.sdf";
    CreateStore(empty);
    c = OpenStore(empty);
    EXPECT_EQ(ApplyUnnamed(c), L"");
    EXPECT_EQ(FdoPtr<FdoFeatureSchemaCollection>(Describe(c))->GetCount(), 0);
    c = nullptr;
    EXPECT_EQ(FdoPtr<FdoFeatureSchemaCollection>(ReopenAndDescribe(empty, c))->GetCount(), 0);
    // The store still takes a named schema afterwards.
    ApplySchema(c, FdoPtr<FdoFeatureSchema>(OneClassSchema(L"Road")));
    EXPECT_EQ(Count(c, L"Road"), 0);

    // Over a stored schema the unnamed one changes nothing: classes, rows
    // and the description stay.
    auto full = dir / "full.sdf";
    CreateStore(full);
    c = OpenStore(full);
    FdoPtr<FdoFeatureSchema> roads = OneClassSchema(L"Road");
    roads->SetDescription(L"Roads of the town");
    ApplySchema(c, roads);
    Insert(c, L"Road", L"Name", FdoPtr<FdoStringValue>(FdoStringValue::Create(L"Main")));
    EXPECT_EQ(ApplyUnnamed(c), L"");
    c = nullptr;
    FdoPtr<FdoFeatureSchemaCollection> described = ReopenAndDescribe(full, c);
    ASSERT_EQ(described->GetCount(), 1);
    FdoPtr<FdoFeatureSchema> schema = described->GetItem(0);
    EXPECT_STREQ(schema->GetName(), L"Default");
    EXPECT_STREQ(schema->GetDescription(), L"Roads of the town");
    EXPECT_EQ(FdoPtr<FdoClassCollection>(schema->GetClasses())->GetCount(), 1);
    EXPECT_EQ(Count(c, L"Road"), 1);

    // Classes in an unnamed schema have no schema to be stored under on a
    // file without one: refused, and the file is left as it was.
    auto refused = dir / "refused.sdf";
    CreateStore(refused);
    c = OpenStore(refused);
    std::wstring error = ApplyUnnamed(c, FdoPtr<FdoFeatureSchema>(OneClassSchema(L"Road")));
    EXPECT_TRUE(Has(error, L"has no name")) << Narrow(error);
    EXPECT_EQ(FdoPtr<FdoFeatureSchemaCollection>(Describe(c))->GetCount(), 0);
    c = nullptr;
    EXPECT_EQ(FdoPtr<FdoFeatureSchemaCollection>(ReopenAndDescribe(refused, c))->GetCount(), 0);
}
