// Bad input never crashes OSGeo.SHP: missing folders and files, broken
// shape files, bad connection strings, refused schemas and read-only
// targets all end in an FdoException whose message names what is wrong.
#include "ShpTestSupport.h"

#include <fstream>

using namespace shptest;

namespace {

class ShpBadInput : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = geoxfer_test::TempDir("shp-bad");
        if (!fs::exists(geoxfer_test::SampleDataDir() / "sf/shape/nc.shp"))
            GTEST_SKIP() << "sample data not found (run scripts/sample-data.sh)";
        m_nc = geoxfer_test::SampleDataDir() / "sf/shape/nc.shp";
    }
    void TearDown() override {
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(m_dir, ec))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_dir, ec);
    }
    std::string OpenError(const fs::path& location) {
        FdoPtr<FdoIConnection> c = Connect(location, false);
        return ErrorOf([&] { c->Open(); });
    }
    fs::path m_dir, m_nc;
};

}  // namespace

TEST_F(ShpBadInput, MissingLocationsNameThePath) {
    EXPECT_EQ(OpenError(m_dir / "nowhere"), "The directory '" + (m_dir / "nowhere").string() + "' does not exist.");
    EXPECT_EQ(OpenError(m_dir / "none.shp"), "The File '" + (m_dir / "none.shp").string() + "' does not exist.");
    FdoPtr<FdoIConnection> c = Connect(m_dir, false);
    c->SetConnectionString(FdoStringP(L"DefaultFileLocation=") + FdoStringP(m_dir.string().c_str()) +
                           L";TemporaryFileLocation=/no/such/temp");
    EXPECT_EQ(ErrorOf([&] { c->Open(); }), "The directory '/no/such/temp' does not exist.");
}

TEST_F(ShpBadInput, BadConnectionStringsAreRefusedAtOpen) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    for (FdoString* text : {L"DefaultFileLocation=\"/tmp", L"NoSuchProperty=1", L"=x"}) {
        FdoPtr<FdoIConnection> c = manager->CreateConnection(L"OSGeo.SHP");
        c->SetConnectionString(text);
        std::string error = ErrorOf([&] { c->Open(); });
        EXPECT_NE(error, "") << FdoStringP::Utf8FromUnicode(text);
        EXPECT_EQ(c->GetConnectionState(), FdoConnectionState_Closed);
    }
}

TEST_F(ShpBadInput, IncompleteOrBrokenSetsNameTheFile) {
    fs::path copy = CopySet(m_nc, m_dir);
    fs::remove(m_dir / "nc.dbf");
    std::string error = OpenError(m_dir);
    EXPECT_NE(error.find((m_dir / "nc.dbf").string()), std::string::npos) << error;
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;

    fs::path garbage = m_dir / "garbage";
    fs::create_directory(garbage);
    std::ofstream(garbage / "x.shp") << "this is not a shape file, not at all, but long enough to have a header of "
                                        "one hundred bytes so the check reads the magic number";
    std::ofstream(garbage / "x.shx") << "x";
    std::ofstream(garbage / "x.dbf") << "x";
    error = OpenError(garbage);
    EXPECT_NE(error.find("is not a shape file"), std::string::npos) << error;
    (void)copy;
}

TEST_F(ShpBadInput, TruncatedShapeFileFailsTheReadNamingFileAndFeature) {
    fs::path copy = CopySet(m_nc, m_dir);
    fs::resize_file(copy, 20000);
    FdoPtr<FdoIConnection> c = Connect(m_dir);
    FdoPtr<FdoIFeatureReader> r = SelectAll(c, L"nc");
    std::string error = ErrorOf([&] {
        while (r->ReadNext()) {
        }
    });
    EXPECT_NE(error.find("Reading feature"), std::string::npos) << error;
    EXPECT_NE(error.find(copy.string()), std::string::npos) << error;
}

TEST_F(ShpBadInput, RefusedCommandsSayWhy) {
    CopySet(m_nc, m_dir);
    FdoPtr<FdoIConnection> c = Connect(m_dir);
    EXPECT_NE(ErrorOf([&] { FdoPtr<FdoIFeatureReader> r = SelectAll(c, L"nope"); }).find("Class 'nope'"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { FdoPtr<FdoIFeatureReader> r = SelectAll(c, L"nc", L"NoSuchProperty = 1"); }), "");
    EXPECT_NE(ErrorOf([&] { SelectAll(c, L"nc", L"NAME = "); }).find("valid filter"), std::string::npos);
    FdoPtr<FdoISelect> ordered = Command<FdoISelect>(c, FdoCommandType_Select);
    ordered->SetFeatureClassName(L"nc");
    FdoPtr<FdoIdentifierCollection> ordering = ordered->GetOrdering();
    FdoPtr<FdoIdentifier> name = FdoIdentifier::Create(L"NoSuchProperty");
    ordering->Add(name);
    EXPECT_NE(ErrorOf([&] { FdoPtr<FdoIFeatureReader> r = ordered->Execute(); }).find("'NoSuchProperty'"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { c->CreateCommand(FdoCommandType_SQLCommand); }).find("not supported"), std::string::npos);
    EXPECT_EQ(ErrorOf([&] { c->Open(); }), "The connection is already open.");
    c->Close();
    EXPECT_EQ(ErrorOf([&] { c->CreateCommand(FdoCommandType_Select); }), "The connection is not open.");

    FdoPtr<FdoIConnection> single = Connect(m_dir / "nc.shp");
    FdoPtr<FdoFeatureClass> cls = DescribeClass(single, L"nc");
    FdoPtr<FdoIApplySchema> apply = Command<FdoIApplySchema>(single, FdoCommandType_ApplySchema);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    apply->SetFeatureSchema(schema);
    EXPECT_NE(ErrorOf([&] { apply->Execute(); }).find("single shape file"), std::string::npos);
}

TEST_F(ShpBadInput, ExistingClassInApplySchema) {
    CopySet(m_nc, m_dir);
    FdoPtr<FdoIConnection> c = Connect(m_dir);
    FdoPtr<FdoFeatureClass> described = DescribeClass(c, L"nc");
    FdoPtr<FdoClassDefinition> copy = FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(described);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(copy);
    FdoPtr<FdoIApplySchema> apply = Command<FdoIApplySchema>(c, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    EXPECT_EQ(ErrorOf([&] { apply->Execute(); }), "Class 'nc' already exists in schema 'Default'.");
    // With ignore-states an existing class is left as it is.
    apply->SetIgnoreStates(true);
    EXPECT_EQ(ErrorOf([&] { apply->Execute(); }), "");
}

TEST_F(ShpBadInput, ReadOnlyFolderAndFilesRefuseWrites) {
    fs::path copy = CopySet(m_nc, m_dir);
    for (const char* ext : {".shp", ".shx", ".dbf"}) {
        fs::path p = copy;
        p.replace_extension(ext);
        fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    fs::permissions(m_dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    FdoPtr<FdoIConnection> c = Connect(m_dir);
    FdoPtr<FdoIFeatureReader> r = SelectAll(c, L"nc");
    EXPECT_TRUE(r->ReadNext());
    FdoPtr<FdoIDelete> del = Command<FdoIDelete>(c, FdoCommandType_Delete);
    del->SetFeatureClassName(L"nc");
    EXPECT_NE(ErrorOf([&] { del->Execute(); }).find("read-only"), std::string::npos);
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(L"New", L"");
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    FdoPtr<FdoIApplySchema> apply = Command<FdoIApplySchema>(c, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    EXPECT_NE(ErrorOf([&] { apply->Execute(); }).find("is read-only"), std::string::npos);
    FdoPtr<FdoFeatureClass> back = DescribeClass(c, L"nc");
    FdoPtr<FdoClassCapabilities> caps = back->GetCapabilities();
    EXPECT_FALSE(caps->SupportsWrite());
}
