// Schema apply and export on real stores: the SHP -> SDF -> XML -> SDF round
// trip, every reference schema file against a new SDF store, class list
// selection, the merge rules and their naming, the deep copies, and the
// result codes of stores that cannot be reached.
#include "transfer/SchemaSelection.h"

#include <GeoxferApi/FdoSpatialContext.h>
#include <GeoxferApi/LastError.h>

#include "copytask/LastErrorText.h"

#include <FdoCommon/FdoCommonSchemaCompare.h>
#include <FdoCommon/FdoCommonSchemaUtil.h>

#include "StoreTestSupport.h"

using namespace xfer_test;
namespace fs = std::filesystem;

namespace {

// A provider that cannot describe schemas, and one whose connections never
// reach the open state: the two ways a store is unusable for these
// operations without an FDO error.
class NeverOpens : public fake::Connection {
public:
    static FdoIConnection* Make() { return new NeverOpens(); }
    FdoConnectionState Open() override { return FdoConnectionState_Pending; }

protected:
    NeverOpens() : fake::Connection(L"Test.NeverOpens.1.0", {}) {}
};

FdoIConnection* MakeNoDescribe() { return fake::Connection::Create(L"Test.NoDescribe.1.0"); }

struct Providers {
    Providers() {
        FdoProviderRegistry::RegisterBuiltIn(L"Test.NeverOpens.1.0", L"Never opens", L"Test", L"1.0", L"4.2.0.0",
                                             &NeverOpens::Make);
        FdoProviderRegistry::RegisterBuiltIn(L"Test.NoDescribe.1.0", L"No describe", L"Test", L"1.0", L"4.2.0.0",
                                             &MakeNoDescribe);
    }
};
const Providers kProviders;

FdoFeatureSchema* NewSchema(FdoString* name, std::initializer_list<FdoString*> classNames) {
    FdoFeatureSchema* schema = FdoFeatureSchema::Create(name, L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoString* c : classNames) {
        FdoPtr<FdoClass> cls = FdoClass::Create(c, L"");
        FdoPtr<FdoDataPropertyDefinition> id = FdoDataPropertyDefinition::Create(L"Id", L"");
        id->SetDataType(FdoDataType_Int32);
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        props->Add(id);
        FdoPtr<FdoDataPropertyDefinitionCollection> ids = cls->GetIdentityProperties();
        ids->Add(id);
        classes->Add(cls);
    }
    return schema;
}

FdoFeatureSchemaCollection* Collection(std::initializer_list<FdoFeatureSchema*> schemas) {
    FdoFeatureSchemaCollection* list = FdoFeatureSchemaCollection::Create(nullptr);
    for (FdoFeatureSchema* s : schemas) {
        list->Add(s);
        s->Release();
    }
    return list;
}

class SchemaApplyFixture : public testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("schema-apply"); }
    void TearDown() override { fs::remove_all(m_dir); }

    // A new SDF file holding the schema of the Sheboygan shape files.
    fs::path SdfFromShapes(const std::string& name, const wchar_t* classList = nullptr) {
        fs::path sdf = m_dir / name;
        EXPECT_TRUE(c_FDO_Api::CreateSdfFile(sdf.wstring().c_str()));
        int rc = c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SDF", SdfConn(sdf).c_str(), L"OSGeo.SHP",
                                                         ShpConn(Sheboygan()).c_str(), classList, true, false, 0);
        EXPECT_EQ(rc, 0) << Narrow(LastError());
        return sdf;
    }

    fs::path m_dir;
};

}  // namespace

TEST(ClassListMatching, SchemaPartsNamesAndStars) {
    using gxf::ClassListEntryMatches;
    EXPECT_TRUE(ClassListEntryMatches(L"Roads", L"Public:Roads"));
    EXPECT_TRUE(ClassListEntryMatches(L"Roads", L"Other:Roads"));
    EXPECT_TRUE(ClassListEntryMatches(L"roads", L"Public:ROADS"));
    EXPECT_TRUE(ClassListEntryMatches(L"public:Roads", L"Public:roads"));
    EXPECT_FALSE(ClassListEntryMatches(L"Other:Roads", L"Public:Roads"));
    EXPECT_TRUE(ClassListEntryMatches(L"Public:Roads", L"Roads")) << "a class without schema part passes";
    EXPECT_TRUE(ClassListEntryMatches(L"Public:*", L"public:Rivers"));
    EXPECT_FALSE(ClassListEntryMatches(L"Public:*", L"Other:Rivers"));
    EXPECT_FALSE(ClassListEntryMatches(L"Public:*", L"Rivers")) << "a star needs both schema parts";
    EXPECT_FALSE(ClassListEntryMatches(L"*", L"Public:Roads")) << "a lone star matches nothing";
    EXPECT_FALSE(ClassListEntryMatches(L"Road", L"Public:Roads"));
}

TEST_F(SchemaApplyFixture, ShapeSchemaSurvivesSdfAndXmlRoundTrip) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path first = SdfFromShapes("first.sdf");
    fs::path xml1 = m_dir / "first.xml";
    ASSERT_EQ(c_FDO_Api::GXF_ExportSchema(L"OSGeo.SDF", SdfConn(first).c_str(), nullptr, xml1.wstring().c_str()), 0)
        << Narrow(LastError());

    fs::path second = m_dir / "second.sdf";
    ASSERT_TRUE(c_FDO_Api::CreateSdfFile(second.wstring().c_str()));
    // The geometry refers to the shape files' spatial context: the new store
    // must hold it before the schema is applied.
    {
        auto shp = Open(L"OSGeo.SHP", ShpConn(Sheboygan()));
        auto sdf = Open(L"OSGeo.SDF", SdfConn(second));
        ASSERT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(shp, sdf, nullptr, 0), 0);
    }
    ASSERT_EQ(c_FDO_Api::GXF_ApplySchemaFromXML(L"OSGeo.SDF", SdfConn(second).c_str(), true,
                                                xml1.wstring().c_str(), 0),
              0)
        << Narrow(LastError());
    fs::path xml2 = m_dir / "second.xml";
    ASSERT_EQ(c_FDO_Api::GXF_ExportSchema(L"OSGeo.SDF", SdfConn(second).c_str(), L"", xml2.wstring().c_str()), 0);

    auto a = ReadSchemaXml(xml1);
    auto b = ReadSchemaXml(xml2);
    EXPECT_EQ(QualifiedClassNames(a).size(), 5u);
    EXPECT_EQ(std::wstring(FdoCommonSchemaCompare::Compare(a, b)), L"");

    // And the store itself describes what the file says.
    auto sdf = Open(L"OSGeo.SDF", SdfConn(second));
    EXPECT_EQ(std::wstring(FdoCommonSchemaCompare::Compare(a, Describe(sdf))), L"");
}

TEST_F(SchemaApplyFixture, EveryReferenceSchemaFileAppliesOrFailsClearly) {
    SHARED_DATA_OR_SKIP("fdo-schemas");
    int applied = 0;
    for (const auto& entry : fs::directory_iterator(geoxfer_test::SharedDataDir() / "fdo-schemas")) {
        if (entry.path().extension() != ".xml") continue;
        SCOPED_TRACE(entry.path().filename().string());
        fs::path sdf = m_dir / (entry.path().stem().string() + ".sdf");
        ASSERT_TRUE(c_FDO_Api::CreateSdfFile(sdf.wstring().c_str()));
        SetLastErrorText(L"");
        int rc = c_FDO_Api::GXF_ApplySchemaFromXML(L"OSGeo.SDF", SdfConn(sdf).c_str(), true,
                                                   entry.path().wstring().c_str(), 0);
        if (rc == 0) {
            // What the store took is what the file says.
            applied++;
            fs::path back = m_dir / (entry.path().stem().string() + ".out.xml");
            ASSERT_EQ(c_FDO_Api::GXF_ExportSchema(L"OSGeo.SDF", SdfConn(sdf).c_str(), nullptr,
                                                  back.wstring().c_str()),
                      0);
            EXPECT_EQ(std::wstring(FdoCommonSchemaCompare::Compare(ReadSchemaXml(entry.path()), ReadSchemaXml(back))),
                      L"");
            continue;
        }
        EXPECT_EQ(rc, 2);
        EXPECT_FALSE(LastError().empty());
        std::printf("  %s: %s\n", entry.path().filename().string().c_str(), Narrow(LastError()).c_str());
    }
    EXPECT_GT(applied, 0);
}

TEST_F(SchemaApplyFixture, MissingOrBrokenSchemaFileIsResult2) {
    fs::path sdf = m_dir / "x.sdf";
    ASSERT_TRUE(c_FDO_Api::CreateSdfFile(sdf.wstring().c_str()));
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromXML(L"OSGeo.SDF", SdfConn(sdf).c_str(), true,
                                                (m_dir / "absent.xml").wstring().c_str(), 0),
              2);
    EXPECT_FALSE(LastError().empty());
    fs::path broken = m_dir / "broken.xml";
    std::FILE* f = std::fopen(broken.c_str(), "w");
    std::fputs("<DataStore><xs:schema", f);
    std::fclose(f);
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromXML(L"OSGeo.SDF", SdfConn(sdf).c_str(), true,
                                                broken.wstring().c_str(), 0),
              2);
    EXPECT_FALSE(LastError().empty());
}

TEST_F(SchemaApplyFixture, ClassListSelectsClassesAndDropsEmptySchemas) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = SdfFromShapes("two.sdf", L"Default:CityLimits,Default:islands");
    auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
    auto schemas = Describe(c);
    std::vector<std::wstring> names;
    for (auto& n : QualifiedClassNames(schemas)) names.push_back(n.substr(n.find(L':') + 1));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"CityLimits", L"Islands"}));
}

TEST_F(SchemaApplyFixture, ExportWithSchemaStarAndWithNoMatch) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path all = m_dir / "all.xml";
    ASSERT_EQ(c_FDO_Api::GXF_ExportSchema(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Default:*",
                                          all.wstring().c_str()),
              0);
    auto schemas = ReadSchemaXml(all);
    EXPECT_EQ(schemas->GetCount(), 1);
    EXPECT_EQ(QualifiedClassNames(schemas).size(), 5u);

    fs::path none = m_dir / "none.xml";
    ASSERT_EQ(c_FDO_Api::GXF_ExportSchema(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Other:*,*,Nothing",
                                          none.wstring().c_str()),
              0);
    ASSERT_TRUE(fs::exists(none));
    EXPECT_EQ(ReadSchemaXml(none)->GetCount(), 0);
}

TEST_F(SchemaApplyFixture, UnreachableStoresGiveTheirCodes) {
    fs::path xml = m_dir / "out.xml";
    EXPECT_EQ(c_FDO_Api::GXF_ExportSchema(L"No.Such.Provider", L"", nullptr, xml.wstring().c_str()), 3);
    EXPECT_EQ(LastError(), L"Unable to Create Source Connection");
    EXPECT_EQ(c_FDO_Api::GXF_ExportSchema(L"Test.NeverOpens", L"File=x", nullptr, xml.wstring().c_str()), 4);
    EXPECT_EQ(LastError(), L"Unable to Open Source Connection");
    EXPECT_EQ(c_FDO_Api::GXF_ExportSchema(L"Test.NoDescribe", L"File=x", nullptr, xml.wstring().c_str()), 9);
    EXPECT_EQ(LastError(), L"FDO Data Store doen't suport Describe Schema command!");
    EXPECT_FALSE(fs::exists(xml));

    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    std::wstring shp = ShpConn(Sheboygan());
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"No.Such", L"", L"OSGeo.SHP", shp.c_str(), nullptr, false,
                                                      false, 0),
              5);
    EXPECT_EQ(LastError(), L"Unable to Create Destination Connection");
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"Test.NeverOpens", L"File=x", L"OSGeo.SHP", shp.c_str(),
                                                      nullptr, false, false, 0),
              6);
    EXPECT_EQ(LastError(), L"Unable to Open Destination Connection");
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SHP", shp.c_str(), L"Test.NoDescribe", L"File=x",
                                                      nullptr, false, false, 0),
              9);
    EXPECT_EQ(LastError(), L"FDO Data Store doen't suport Describe Schema command!");
}

TEST_F(SchemaApplyFixture, MissingArgumentsAreClearErrors) {
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchema(static_cast<FdoIConnection*>(nullptr), true, nullptr, 0), 2);
    EXPECT_EQ(LastError(), L"c_FDO_Api::GXF_ApplySchema: no connection was given.");
    FdoPtr<FdoFeatureSchemaCollection> schemas = Collection({NewSchema(L"S", {L"C"})});
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaCollection(static_cast<FdoIConnection*>(nullptr), true, schemas, 0), 2);

    fs::path sdf = m_dir / "args.sdf";
    ASSERT_TRUE(c_FDO_Api::CreateSdfFile(sdf.wstring().c_str()));
    {
        auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
        EXPECT_EQ(c_FDO_Api::GXF_ApplySchema(c, true, nullptr, 0), 2);
        EXPECT_EQ(LastError(), L"c_FDO_Api::GXF_ApplySchema: no feature schema was given.");
    }
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromXML(L"OSGeo.SDF", SdfConn(sdf).c_str(), true, nullptr, 0), 2);
    EXPECT_EQ(LastError(), L"c_FDO_Api::GXF_ApplySchemaFromXML: no schema file name was given.");
    EXPECT_EQ(c_FDO_Api::GXF_ExportSchema(L"OSGeo.SDF", SdfConn(sdf).c_str(), nullptr, L""), 2);
    EXPECT_EQ(LastError(), L"c_FDO_Api::GXF_ExportSchema: no schema file name was given.");
    EXPECT_EQ(c_FDO_Api::GXF_ExportSchema(L"OSGeo.SDF", SdfConn(sdf).c_str(), nullptr,
                                          (m_dir / "no/such/folder/out.xml").wstring().c_str()),
              2);
    EXPECT_FALSE(LastError().empty());

    // By provider name, one connection per schema; the first failure stops.
    FdoPtr<FdoFeatureSchemaCollection> two = Collection({NewSchema(L"S", {L"C"}), NewSchema(L"T", {L"D"})});
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaCollection(L"No.Such", L"", true, two, 0), 3);
    EXPECT_EQ(LastError(), L"Unable to Create Source Connection");
}

TEST_F(SchemaApplyFixture, FailingSpatialContextsNeverStopTheApply) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = m_dir / "twice.sdf";
    ASSERT_TRUE(c_FDO_Api::CreateSdfFile(sdf.wstring().c_str()));
    {
        // The store holds the contexts already: creating them again fails.
        auto shp = Open(L"OSGeo.SHP", ShpConn(Sheboygan()));
        auto dest = Open(L"OSGeo.SDF", SdfConn(sdf));
        ASSERT_EQ(c_FDO_Api::CreateSpatialContextFromFdoSource(shp, dest, nullptr, 0), 0);
    }
    SetLastErrorText(L"");
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SDF", SdfConn(sdf).c_str(), L"OSGeo.SHP",
                                                      ShpConn(Sheboygan()).c_str(), L"Islands", true, false, 0),
              0);
    auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
    EXPECT_EQ(QualifiedClassNames(Describe(c)).size(), 1u);
}

TEST_F(SchemaApplyFixture, FailedApplyFromSourceIsOnlyTheLastErrorText) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = SdfFromShapes("again.sdf", L"Islands");
    SetLastErrorText(L"");
    // A read-only store refuses the schema, yet the operation reports
    // success and leaves the reason as the last error text.
    std::wstring readOnly = L"File=" + sdf.wstring() + L";ReadOnly=TRUE;";
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SDF", readOnly.c_str(), L"OSGeo.SHP",
                                                      ShpConn(Sheboygan()).c_str(), L"CityLimits", false, false, 0),
              0);
    EXPECT_FALSE(LastError().empty());
    {
        auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
        EXPECT_EQ(QualifiedClassNames(Describe(c)).size(), 1u);
    }
    // The same class again, then one added later, which joins the store's
    // one schema.
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SDF", SdfConn(sdf).c_str(), L"OSGeo.SHP",
                                                      ShpConn(Sheboygan()).c_str(), L"Islands", false, false, 0),
              0);
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SDF", SdfConn(sdf).c_str(), L"OSGeo.SHP",
                                                      ShpConn(Sheboygan()).c_str(), L"CityLimits", false, false, 0),
              0);
    auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
    EXPECT_EQ(QualifiedClassNames(Describe(c)).size(), 2u);
}

// A store with schema Public: Roads and Rivers, each with an Int32 identity,
// a Double "Len" and a line geometry without spatial context (a new SDF
// store's own Default context has no WKT, which shape files need); the
// store also gets a context "Ctx" through a record.
fs::path SdfWithDoubles(const fs::path& file) {
    auto c = NewSdf(file);
    FdoPtr<c_FdoSpatialContextCollection> contexts = c_FdoSpatialContextCollection::Create();
    FdoPtr<c_FdoSpatialContext> sc = c_FdoSpatialContext::Create();
    sc->SetName(L"Ctx");
    contexts->Add(sc);
    EXPECT_EQ(c_FDO_Api::CreateSpatialContextCollection(c, contexts, 0), 0) << Narrow(LastError());
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Public", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoString* name : {L"Roads", L"Rivers"}) {
        FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(name, L"");
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        FdoPtr<FdoDataPropertyDefinition> id = FdoDataPropertyDefinition::Create(L"Id", L"");
        id->SetDataType(FdoDataType_Int32);
        props->Add(id);
        FdoPtr<FdoDataPropertyDefinitionCollection> ids = cls->GetIdentityProperties();
        ids->Add(id);
        FdoPtr<FdoDataPropertyDefinition> len = FdoDataPropertyDefinition::Create(L"Len", L"");
        len->SetDataType(FdoDataType_Double);
        props->Add(len);
        FdoPtr<FdoGeometricPropertyDefinition> geom = FdoGeometricPropertyDefinition::Create(L"Geom", L"");
        geom->SetGeometryTypes(FdoGeometricType_Curve);
        props->Add(geom);
        cls->SetGeometryProperty(geom);
        classes->Add(cls);
    }
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchema(c, true, schema, 0), 0) << Narrow(LastError());
    return file;
}

// The data type of "Len", or -1 when the store has no such class.
int LenTypeIn(FdoIConnection* c, FdoString* className, FdoInt32* precision = nullptr) {
    auto schemas = Describe(c);
    FdoPtr<FdoIDisposableCollection> found = schemas->FindClass(className);
    if (found->GetCount() != 1) return -1;
    FdoPtr<FdoClassDefinition> cls = static_cast<FdoClassDefinition*>(found->GetItem(0));
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> len = static_cast<FdoDataPropertyDefinition*>(props->GetItem(L"Len"));
    if (precision) *precision = len->GetPrecision();
    return len->GetDataType();
}

TEST_F(SchemaApplyFixture, CastDataTypesAdaptsOnlyListedClasses) {
    fs::path sdf = SdfWithDoubles(m_dir / "doubles.sdf");
    {
        auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
        ASSERT_EQ(LenTypeIn(c, L"Roads"), int(FdoDataType_Double));
    }
    // The shape store has no Double: listed classes are cast to Decimal(18,8).
    fs::path listed = m_dir / "listed";
    fs::create_directories(listed);
    ASSERT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SHP", ShpConn(listed).c_str(), L"OSGeo.SDF",
                                                      SdfConn(sdf).c_str(), L"Public:Roads,Public:Rivers", false,
                                                      true, 0),
              0);
    {
        auto shp = Open(L"OSGeo.SHP", ShpConn(listed));
        FdoInt32 precision = 0;
        EXPECT_EQ(LenTypeIn(shp, L"Roads", &precision), int(FdoDataType_Decimal)) << Narrow(LastError());
        EXPECT_EQ(precision, 18);
        EXPECT_EQ(LenTypeIn(shp, L"Rivers"), int(FdoDataType_Decimal));
    }
    // With an empty class list the described schema goes as it is.
    fs::path all = m_dir / "all";
    fs::create_directories(all);
    SetLastErrorText(L"");
    ASSERT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SHP", ShpConn(all).c_str(), L"OSGeo.SDF",
                                                      SdfConn(sdf).c_str(), L"", false, true, 0),
              0);
    auto shp = Open(L"OSGeo.SHP", ShpConn(all));
    FdoInt32 precision = 0;
    int type = LenTypeIn(shp, L"Roads", &precision);
    // The shape store refuses the Double; the failure is only the last
    // error text.
    EXPECT_EQ(type, -1);
    EXPECT_NE(LastError().find(L"Double"), std::wstring::npos) << Narrow(LastError());
}

TEST(SchemaMerge, NullArgumentsAndExistingSchemaWithoutMerge) {
    FdoPtr<FdoFeatureSchemaCollection> target = Collection({NewSchema(L"Public", {L"Roads"})});
    FdoPtr<FdoFeatureSchemaCollection> additions =
        Collection({NewSchema(L"Extra", {L"Wells"}), NewSchema(L"Public", {L"Rivers"}), NewSchema(L"Late", {})});
    SetLastErrorText(L"unchanged");
    EXPECT_EQ(c_FDO_Api::AppendSchemaCollection(nullptr, additions, true), 1);
    EXPECT_EQ(c_FDO_Api::AppendSchemaCollection(target, nullptr, true), 1);
    EXPECT_EQ(c_FDO_Api::AppendSchemaCollection(target, additions, false), 10);
    EXPECT_EQ(LastError(), L"unchanged");
    // Extra came before the clash and stays; Public is untouched; Late never came.
    EXPECT_EQ(QualifiedClassNames(target), (std::vector<std::wstring>{L"Public:Roads", L"Extra:Wells"}));
}

TEST(SchemaMerge, TakenNamesGetNewNameNumbers) {
    FdoPtr<FdoFeatureSchemaCollection> target = Collection({NewSchema(L"Public", {L"Roads"})});
    for (int i = 0; i < 3; i++) {
        FdoPtr<FdoFeatureSchemaCollection> additions = Collection({NewSchema(L"Public", {L"Roads", L"Rivers"})});
        ASSERT_EQ(c_FDO_Api::AppendSchemaCollection(target, additions, true), 0);
        // The additions keep their classes.
        EXPECT_EQ(QualifiedClassNames(additions).size(), 2u);
    }
    EXPECT_EQ(QualifiedClassNames(target),
              (std::vector<std::wstring>{L"Public:Roads", L"Public:NewName_Roads", L"Public:Rivers",
                                         L"Public:NewName2_Roads", L"Public:NewName_Rivers", L"Public:NewName3_Roads",
                                         L"Public:NewName2_Rivers"}));
}

TEST(SchemaMerge, AllCandidateNamesTakenStillMerges) {
    FdoPtr<FdoFeatureSchema> full = NewSchema(L"Public", {L"Roads", L"NewName_Roads"});
    {
        FdoPtr<FdoClassCollection> classes = full->GetClasses();
        for (int n = 2; n <= 127; n++) {
            FdoPtr<FdoClass> c = FdoClass::Create(FdoStringP::Format(L"NewName%d_Roads", n), L"");
            classes->Add(c);
        }
    }
    FdoPtr<FdoFeatureSchemaCollection> target = Collection({FDO_SAFE_ADDREF(full.p)});
    FdoPtr<FdoFeatureSchemaCollection> additions = Collection({NewSchema(L"Public", {L"Roads"})});
    ASSERT_EQ(c_FDO_Api::AppendSchemaCollection(target, additions, true), 0);
    FdoPtr<FdoClassCollection> classes = full->GetClasses();
    EXPECT_EQ(classes->GetCount(), 129);
    EXPECT_TRUE(classes->Contains(L"NewName128_Roads"));
}

TEST(SchemaMerge, NewSchemaIsAddedItself) {
    FdoPtr<FdoFeatureSchemaCollection> target = Collection({});
    FdoPtr<FdoFeatureSchema> extra = NewSchema(L"Extra", {L"Wells"});
    FdoPtr<FdoFeatureSchemaCollection> additions = Collection({FDO_SAFE_ADDREF(extra.p)});
    ASSERT_EQ(c_FDO_Api::AppendSchemaCollection(target, additions, false), 0);
    FdoPtr<FdoFeatureSchema> got = target->GetItem(0);
    EXPECT_EQ(got.p, extra.p);
}

TEST(SchemaDeepCopy, CopiesAreEqualAndIndependent) {
    SHARED_DATA_OR_SKIP("fdo-schemas");
    auto schemas = ReadSchemaXml(geoxfer_test::SharedDataDir() / "fdo-schemas/schema_merge1a.xml");
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    FdoPtr<FdoFeatureSchema> whole = c_FDO_Api::DeepCopyFdoFeatureSchema(schema, true);
    ASSERT_TRUE(whole);
    EXPECT_NE(whole.p, schema.p);
    EXPECT_EQ(std::wstring(FdoCommonSchemaCompare::CompareSchemas(schema, whole)), L"");

    FdoPtr<FdoFeatureSchema> bare = c_FDO_Api::DeepCopyFdoFeatureSchema(schema, false);
    ASSERT_TRUE(bare);
    EXPECT_EQ(std::wstring(bare->GetName()), std::wstring(schema->GetName()));
    EXPECT_EQ(std::wstring(bare->GetDescription()), std::wstring(schema->GetDescription()));
    FdoPtr<FdoClassCollection> none = bare->GetClasses();
    EXPECT_EQ(none->GetCount(), 0);
    FdoPtr<FdoSchemaAttributeDictionary> a = schema->GetAttributes();
    FdoPtr<FdoSchemaAttributeDictionary> b = bare->GetAttributes();
    EXPECT_EQ(a->GetCount(), b->GetCount());

    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> cd = classes->GetItem(i);
        FdoPtr<FdoClassDefinition> copy = c_FDO_Api::DeepCopyFdoClassDefinition(cd);
        ASSERT_TRUE(copy) << Narrow(LastError());
        EXPECT_EQ(std::wstring(FdoCommonSchemaCompare::CompareClasses(cd, copy)), L"");
        copy->SetName(L"Renamed");
        EXPECT_NE(std::wstring(cd->GetName()), L"Renamed");
        if (cd->GetClassType() == FdoClassType_FeatureClass) {
            FdoPtr<FdoFeatureClass> fc = c_FDO_Api::DeepCopyFdoFeatureClass(static_cast<FdoFeatureClass*>(cd.p));
            ASSERT_TRUE(fc);
            EXPECT_EQ(std::wstring(FdoCommonSchemaCompare::CompareClasses(cd, fc)), L"");
        }
    }
    EXPECT_EQ(c_FDO_Api::DeepCopyFdoClassDefinition(nullptr), nullptr);
    EXPECT_EQ(c_FDO_Api::DeepCopyFdoFeatureClass(nullptr), nullptr);
    EXPECT_EQ(c_FDO_Api::DeepCopyFdoFeatureSchema(nullptr, true), nullptr);
}
