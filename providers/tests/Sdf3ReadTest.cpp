// OSGeo.SDF on genuine SDF 3 files: recognised whatever their name, the
// schema and spatial context as stored, features as GDAL reads them from
// the same data's shape files, filters on both the index and the scan
// path, aggregates, refused writes, and damaged files refused clearly.
#include "SdfTestSupport.h"

#include <ogrsf_frmts.h>

#include <cmath>
#include <fstream>
#include <memory>

using namespace sdftest;
namespace fs = std::filesystem;

namespace {

fs::path Sample(const std::string& name) { return geoxfer_test::SharedDataDir() / "sdf" / name; }
fs::path ShapeFile(const std::string& name) { return geoxfer_test::SharedDataDir() / "shp" / "Sheboygan" / (name + ".shp"); }

FdoIConnection* OpenSample(const std::string& name, const std::wstring& extra = L"") {
    FdoPtr<FdoIConnection> c = NewConnection();
    std::wstring text = L"File=" + Wide(Sample(name)) + L";" + extra;
    c->SetConnectionString(text.c_str());
    c->Open();
    return FDO_SAFE_ADDREF(c.p);
}

FdoIFeatureReader* Select(FdoIConnection* c, FdoString* cls, FdoString* filter = nullptr) {
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(cls);
    if (filter) select->SetFilter(filter);
    return select->Execute();
}

std::vector<FdoInt32> Ids(FdoIConnection* c, FdoString* cls, FdoString* idName, FdoString* filter) {
    FdoPtr<FdoIFeatureReader> r = Select(c, cls, filter);
    std::vector<FdoInt32> ids;
    while (r->ReadNext()) ids.push_back(r->GetInt32(idName));
    return ids;
}

FdoClassDefinition* ClassOf(FdoIConnection* c, FdoString* name) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = Describe(c);
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    return classes->GetItem(name);
}

fs::path CopyOf(const std::string& name, const std::string& as) {
    fs::path dir = geoxfer_test::TempDir("sdf3-read");
    fs::copy_file(Sample(name), dir / as);
    return dir / as;
}

}  // namespace

class Sdf3Read : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(geoxfer_test::SharedDataDir() / "sdf"))
            GTEST_SKIP() << "reference data not found: " << (geoxfer_test::SharedDataDir() / "sdf");
    }
};

TEST_F(Sdf3Read, DescribesTheSchemaAsStored) {
    FdoPtr<FdoIConnection> c = OpenSample("Sheboygan_VotingDistricts.sdf");
    FdoPtr<FdoFeatureSchemaCollection> schemas = Describe(c);
    ASSERT_EQ(schemas->GetCount(), 1);
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    EXPECT_STREQ(schema->GetName(), L"Default");
    EXPECT_STREQ(schema->GetDescription(), L"Default schema.");
    FdoPtr<FdoClassDefinition> cls = ClassOf(c, L"VotingDistricts");
    ASSERT_EQ(cls->GetClassType(), FdoClassType_FeatureClass);
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    ASSERT_EQ(props->GetCount(), 5);
    auto data = [&](FdoString* name) {
        FdoPtr<FdoPropertyDefinition> p = props->GetItem(name);
        return FdoPtr<FdoDataPropertyDefinition>(FDO_SAFE_ADDREF(static_cast<FdoDataPropertyDefinition*>(p.p)));
    };
    EXPECT_EQ(data(L"FeatId")->GetDataType(), FdoDataType_Int32);
    EXPECT_FALSE(data(L"FeatId")->GetNullable());
    EXPECT_EQ(data(L"NAME")->GetDataType(), FdoDataType_String);
    EXPECT_EQ(data(L"NAME")->GetLength(), 50);
    EXPECT_EQ(data(L"URL")->GetLength(), 255);
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    ASSERT_EQ(identity->GetCount(), 1);
    EXPECT_STREQ(FdoPtr<FdoDataPropertyDefinition>(identity->GetItem(0))->GetName(), L"FeatId");
    FdoPtr<FdoGeometricPropertyDefinition> geometry = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty();
    ASSERT_TRUE(geometry);
    EXPECT_STREQ(geometry->GetName(), L"Geometry");
    EXPECT_EQ(geometry->GetGeometryTypes(), FdoGeometricType_Surface);
    EXPECT_STREQ(geometry->GetSpatialContextAssociation(), L"Dummy Rectangular");

    FdoPtr<FdoIGetClassNames> names = Command<FdoIGetClassNames>(c, FdoCommandType_GetClassNames);
    FdoPtr<FdoStringCollection> list = names->Execute();
    ASSERT_EQ(list->GetCount(), 1);
    EXPECT_STREQ(list->GetString(0), L"Default:VotingDistricts");
}

TEST_F(Sdf3Read, ReportsTheOneSpatialContext) {
    FdoPtr<FdoIConnection> c = OpenSample("Sheboygan_CityLimits.sdf");
    FdoPtr<FdoIGetSpatialContexts> get = Command<FdoIGetSpatialContexts>(c, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> r = get->Execute();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetName(), L"WGS84 Lat/Long's, Degre");
    EXPECT_EQ(std::wstring(r->GetCoordinateSystemWkt()).rfind(L"GEOGCS[\"WGS84 Lat/Long's", 0), 0u);
    EXPECT_STREQ(r->GetCoordinateSystem(), r->GetCoordinateSystemWkt());
    EXPECT_EQ(r->GetExtentType(), FdoSpatialContextExtentType_Dynamic);
    FdoPtr<FdoByteArray> extent = r->GetExtent();
    FdoFgfBounds b = FdoFgfBounds::Compute(extent->GetData(), extent->GetCount());
    EXPECT_NEAR(b.minX, -87.764987, 1e-6);  // the data's, as GDAL reports it from the shape file
    EXPECT_NEAR(b.maxY, 43.797520, 1e-6);
    EXPECT_FALSE(r->ReadNext());

    FdoPtr<FdoIConnection> hostile = OpenSample("~`!@#$%^&()_-+}{[]',.sdf");
    FdoPtr<FdoIGetSpatialContexts> get2 = Command<FdoIGetSpatialContexts>(hostile, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> r2 = get2->Execute();
    ASSERT_TRUE(r2->ReadNext());
    EXPECT_STREQ(r2->GetName(), L"Default");  // stored empty
}

// Every feature of the four files that hold shape files' data: the same
// attributes and geometry ordinates as GDAL reads from the shape files.
TEST_F(Sdf3Read, FeaturesMatchTheShapeFilesThroughGdal) {
    GDALAllRegister();
    for (std::string name : {"CityLimits", "VotingDistricts", "HydrographicPolygons", "RoadCenterLines"}) {
        std::string file = (name == "CityLimits" || name == "VotingDistricts" ? "Sheboygan_" : "UT_") + name + ".sdf";
        FdoPtr<FdoIConnection> c = OpenSample(file);
        FdoPtr<FdoClassDefinition> cls = ClassOf(c, FdoStringP(name.c_str()));
        FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty();
        std::unique_ptr<GDALDataset> shp(static_cast<GDALDataset*>(
            GDALOpenEx(ShapeFile(name).string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr)));
        ASSERT_TRUE(shp) << name;
        OGRLayer* layer = shp->GetLayer(0);
        FdoPtr<FdoIFeatureReader> r = Select(c, FdoStringP(name.c_str()));
        FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
        long count = 0;
        for (std::unique_ptr<OGRFeature> f(layer->GetNextFeature()); f; f.reset(layer->GetNextFeature()), count++) {
            ASSERT_TRUE(r->ReadNext()) << name << " ends at " << count;
            for (FdoString* field : {L"URL", L"NAME", L"ID"}) {
                std::string expected = f->GetFieldAsString(Narrow(field).c_str());
                std::string actual = r->IsNull(field) ? "" : Narrow(r->GetString(field));
                EXPECT_EQ(actual, expected) << name << " feature " << count;
            }
            FdoPtr<FdoByteArray> fgf = r->GetGeometry(g->GetName());
            FdoPtr<FdoIGeometry> ours = factory->CreateGeometryFromFgf(fgf);
            std::vector<FdoByte> wkb;
            FdoFgfWkb::FgfToWkb(fgf->GetData(), fgf->GetCount(), wkb);
            OGRGeometry* theirs = nullptr;
            ASSERT_EQ(OGRGeometryFactory::createFromWkb(wkb.data(), nullptr, &theirs, wkb.size()), OGRERR_NONE);
            std::unique_ptr<OGRGeometry> owned(theirs);
            EXPECT_TRUE(owned->Equals(f->GetGeometryRef())) << name << " feature " << count;
        }
        EXPECT_FALSE(r->ReadNext()) << name;
    }
}

TEST_F(Sdf3Read, AutogeneratedIdentitiesAreRecordNumbers) {
    FdoPtr<FdoIConnection> c = OpenSample("Sheboygan_CityLimits.sdf");
    FdoPtr<FdoClassDefinition> cls = ClassOf(c, L"CityLimits");
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    FdoPtr<FdoDataPropertyDefinition> id = identity->GetItem(0);
    EXPECT_STREQ(id->GetName(), L"Autogenerated_SDF_ID");
    EXPECT_TRUE(id->GetIsAutoGenerated());
    EXPECT_TRUE(id->GetReadOnly());
    EXPECT_EQ(Ids(c, L"CityLimits", L"Autogenerated_SDF_ID", nullptr), (std::vector<FdoInt32>{1, 2, 3}));
    EXPECT_EQ(Ids(c, L"CityLimits", L"Autogenerated_SDF_ID", L"Autogenerated_SDF_ID > 1"), (std::vector<FdoInt32>{2, 3}));
}

TEST_F(Sdf3Read, SelectListAndNullsAndEmptyStrings) {
    FdoPtr<FdoIConnection> c = OpenSample("Sheboygan_CityLimits.sdf");
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(L"CityLimits");
    FdoPtr<FdoIdentifierCollection> props = select->GetPropertyNames();
    FdoPtr<FdoIdentifier> url = FdoIdentifier::Create(L"URL");
    props->Add(url);
    select->SetFilter(L"NAME LIKE '%'");  // the filter reads a property the list leaves out
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetPropertyName(0), L"URL");
    EXPECT_FALSE(r->IsNull(L"URL"));
    EXPECT_STREQ(r->GetString(L"URL"), L"");  // stored as an empty string, not null
    EXPECT_NE(Narrow(Thrown([&] { r->GetString(L"NAME"); })).find("no property 'NAME'"), std::string::npos);

    FdoPtr<FdoIConnection> v = OpenSample("Sheboygan_VotingDistricts.sdf");
    FdoPtr<FdoIFeatureReader> nulls = Select(v, L"VotingDistricts", L"URL NULL");
    long n = 0;
    while (nulls->ReadNext()) {
        EXPECT_TRUE(nulls->IsNull(L"URL"));
        EXPECT_NE(Narrow(Thrown([&] { nulls->GetString(L"URL"); })).find("is null"), std::string::npos);
        n++;
    }
    EXPECT_EQ(n, 11);
    EXPECT_NE(Narrow(Thrown([&] { FdoPtr<FdoIFeatureReader> r2 = Select(v, L"VotingDistricts");
                                  r2->ReadNext(); r2->GetInt32(L"NAME"); })).find("is String, not Int32"),
              std::string::npos);
}

TEST_F(Sdf3Read, AttributeAndSpatialFiltersAgreeWithTheScan) {
    FdoPtr<FdoIConnection> c = OpenSample("Sheboygan_VotingDistricts.sdf");
    EXPECT_EQ(Ids(c, L"VotingDistricts", L"FeatId", L"NAME = 'Voting District Eight'").size(), 1u);
    EXPECT_EQ(Ids(c, L"VotingDistricts", L"FeatId", L"NAME LIKE 'Voting District T%'").size(), 2u);
    const wchar_t* box = L"GEOMFROMTEXT('POLYGON ((-87.74 43.72, -87.72 43.72, -87.72 43.75, -87.74 43.75, -87.74 43.72))')";
    for (const wchar_t* op : {L"INTERSECTS", L"ENVELOPEINTERSECTS", L"WITHIN"}) {
        std::wstring spatial = std::wstring(L"Geometry ") + op + L" " + box;
        // An OR keeps the spatial index out: the scan path.
        std::wstring scan = L"(" + spatial + L") OR NAME = 'no such district'";
        auto indexed = Ids(c, L"VotingDistricts", L"FeatId", spatial.c_str());
        EXPECT_EQ(indexed, Ids(c, L"VotingDistricts", L"FeatId", scan.c_str())) << Narrow(op);
        if (std::wstring(op) != L"WITHIN") {
            EXPECT_FALSE(indexed.empty()) << Narrow(op);
        }
        EXPECT_LT(indexed.size(), 11u) << Narrow(op);
    }
}

TEST_F(Sdf3Read, CountsAndExtents) {
    FdoPtr<FdoIConnection> c = OpenSample("UT_RoadCenterLines.sdf");
    FdoPtr<FdoISelectAggregates> agg = Command<FdoISelectAggregates>(c, FdoCommandType_SelectAggregates);
    agg->SetFeatureClassName(L"RoadCenterLines");
    FdoPtr<FdoIdentifierCollection> props = agg->GetPropertyNames();
    FdoPtr<FdoComputedIdentifier> count = static_cast<FdoComputedIdentifier*>(FdoExpression::Parse(L"Count() AS N"));
    FdoPtr<FdoComputedIdentifier> extent =
        static_cast<FdoComputedIdentifier*>(FdoExpression::Parse(L"SpatialExtents(Geometry) AS E"));
    props->Add(count);
    props->Add(extent);
    FdoPtr<FdoIDataReader> r = agg->Execute();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_EQ(r->GetInt64(L"N"), 447);
    FdoPtr<FdoByteArray> box = r->GetGeometry(L"E");
    FdoFgfBounds b = FdoFgfBounds::Compute(box->GetData(), box->GetCount());
    GDALAllRegister();
    std::unique_ptr<GDALDataset> shp(static_cast<GDALDataset*>(GDALOpenEx(
        ShapeFile("RoadCenterLines").string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr)));
    OGREnvelope e;
    ASSERT_EQ(shp->GetLayer(0)->GetExtent(&e, TRUE), OGRERR_NONE);
    EXPECT_DOUBLE_EQ(b.minX, e.MinX);
    EXPECT_DOUBLE_EQ(b.maxY, e.MaxY);

    agg->SetFilter(L"NAME LIKE 'S%'");
    FdoPtr<FdoIDataReader> filtered = agg->Execute();
    ASSERT_TRUE(filtered->ReadNext());
    EXPECT_LT(filtered->GetInt64(L"N"), 447);
    EXPECT_GT(filtered->GetInt64(L"N"), 0);

    FdoPtr<FdoFilter> having = FdoFilter::Parse(L"Count() > 3");
    agg->SetGroupingFilter(having);
    EXPECT_NE(Narrow(Thrown([&] { FdoPtr<FdoIDataReader> grouped = agg->Execute(); }))
                  .find("a grouping filter needs grouping, which is not supported"),
              std::string::npos)
        << "a grouping filter is refused, not ignored";
}

TEST_F(Sdf3Read, EmptyFileOfVersion31) {
    FdoPtr<FdoIConnection> c = OpenSample("Empty.sdf");
    FdoPtr<FdoClassDefinition> cls = ClassOf(c, L"Parcel");
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    EXPECT_EQ(identity->GetCount(), 0);
    FdoPtr<FdoIFeatureReader> r = Select(c, L"Parcel");
    EXPECT_FALSE(r->ReadNext());
}

TEST_F(Sdf3Read, RecognisedWhateverTheFileName) {
    fs::path copy = CopyOf("Sheboygan_CityLimits.sdf", "limits.dat");
    FdoPtr<FdoIConnection> c = NewConnection();
    c->SetConnectionString((L"File=" + Wide(copy) + L";ReadOnly=FALSE").c_str());
    EXPECT_EQ(c->Open(), FdoConnectionState_Open);
    EXPECT_EQ(Ids(c, L"CityLimits", L"Autogenerated_SDF_ID", nullptr).size(), 3u);
    c->Close();
    EXPECT_EQ(c->GetConnectionState(), FdoConnectionState_Closed);
    fs::remove_all(copy.parent_path());
}

TEST_F(Sdf3Read, WritesAreRefusedWithAClearMessage) {
    FdoPtr<FdoIConnection> c = OpenSample("Sheboygan_CityLimits.sdf");
    for (FdoInt32 type : {FdoCommandType_Insert, FdoCommandType_Update, FdoCommandType_Delete,
                          FdoCommandType_ApplySchema, FdoCommandType_CreateSpatialContext}) {
        std::string message = Narrow(Thrown([&] { FdoPtr<FdoICommand> cmd = c->CreateCommand(type); }));
        EXPECT_NE(message.find("is an SDF 3 file"), std::string::npos) << message;
        EXPECT_NE(message.find("Copy it into a new SDF file"), std::string::npos) << message;
        EXPECT_NE(message.find("Sheboygan_CityLimits.sdf"), std::string::npos) << message;
    }
    FdoPtr<FdoICommandCapabilities> caps = c->GetCommandCapabilities();
    FdoInt32 n = 0;
    FdoInt32* commands = caps->GetCommands(n);
    EXPECT_EQ(std::count(commands, commands + n, FdoCommandType_Insert), 0);
    EXPECT_EQ(std::count(commands, commands + n, FdoCommandType_Select), 1);
    FdoPtr<FdoIConnectionCapabilities> conn = c->GetConnectionCapabilities();
    EXPECT_FALSE(conn->SupportsWrite());
}

TEST_F(Sdf3Read, DamagedFilesAreRefusedNamingTheFile) {
    fs::path copy = CopyOf("Sheboygan_VotingDistricts.sdf", "cut.sdf");
    fs::resize_file(copy, 3 * 51200);
    FdoPtr<FdoIConnection> c = NewConnection();
    c->SetConnectionString((L"File=" + Wide(copy)).c_str());
    std::string message = Narrow(Thrown([&] {
        c->Open();
        FdoPtr<FdoIFeatureReader> r = Select(c, L"VotingDistricts");
        while (r->ReadNext()) {
        }
    }));
    EXPECT_NE(message.find("cut.sdf"), std::string::npos) << message;
    EXPECT_NE(message.find("lists the table 'DATA_VotingDistricts' at page 4, outside the file's 3 pages"), std::string::npos) << message;

    fs::path journaled = CopyOf("Sheboygan_CityLimits.sdf", "busy.sdf");
    std::ofstream(journaled.string() + "-journal") << "unfinished";
    FdoPtr<FdoIConnection> j = NewConnection();
    j->SetConnectionString((L"File=" + Wide(journaled)).c_str());
    message = Narrow(Thrown([&] { j->Open(); }));
    EXPECT_NE(message.find("FdoConnectionException"), std::string::npos) << message;
    EXPECT_NE(message.find("unfinished write"), std::string::npos) << message;
    EXPECT_EQ(j->GetConnectionState(), FdoConnectionState_Closed);
    fs::remove_all(copy.parent_path());
    fs::remove_all(journaled.parent_path());
}
