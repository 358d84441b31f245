// One-call copies from real shape files to a new SDF file, to shape files in
// a folder and between FDO stores: feature counts, the overwrite rules of
// SDF files and shape file sets, folder separators, and failures that leave
// the caller's count alone.
#include <GeoxferApi/LastError.h>

#include "StoreTestSupport.h"

#include <fstream>

using namespace xfer_test;
namespace fs = std::filesystem;

namespace {

long CountFeatures(FdoIConnection* c, FdoString* className) {
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(c->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(className);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    long n = 0;
    while (reader->ReadNext()) n++;
    reader->Close();
    return n;
}

// A source whose provider name says it is the maker's Oracle provider; it
// opens but cannot describe a schema, so a copy from it fails after the
// overwrite has cleared the destination.
FdoIConnection* MakeOracleLike() { return fake::Connection::Create(L"Norv.OracleXfer.1.0"); }
const bool kOracleLike = [] {
    FdoProviderRegistry::RegisterBuiltIn(L"Norv.OracleXfer.1.0", L"Oracle-like", L"Test", L"1.0", L"4.2.0.0",
                                         &MakeOracleLike);
    return true;
}();

void Touch(const fs::path& p, const std::string& text = "old") { std::ofstream(p) << text; }

class FixedFormatCopies : public testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("fixedcopy"); }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

}  // namespace

TEST_F(FixedFormatCopies, ShapeToNewSdfCountsEveryListedClass) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = m_dir / "out.sdf";
    long count = -1;
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"CityLimits,Islands", L"",
                                          sdf.wstring().c_str(), true, count),
              0)
        << Narrow(LastError());
    EXPECT_EQ(count, 3 + 5);
    auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
    EXPECT_EQ(CountFeatures(c, L"CityLimits"), 3);
    EXPECT_EQ(CountFeatures(c, L"Islands"), 5);
}

TEST_F(FixedFormatCopies, SdfOverwriteRules) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    std::wstring shp = ShpConn(Sheboygan());
    fs::path sdf = m_dir / "existing.sdf";
    Touch(sdf);
    long count = -1;
    // Without overwrite the existing file is handed to the provider, which
    // refuses to create it again.
    EXPECT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", shp.c_str(), L"Islands", nullptr, sdf.wstring().c_str(), false,
                                          count),
              2);
    EXPECT_FALSE(LastError().empty());
    EXPECT_EQ(count, -1);
    EXPECT_EQ(fs::file_size(sdf), 3u) << "the existing file is left in place";

    // With overwrite it is replaced.
    EXPECT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", shp.c_str(), L"Islands", nullptr, sdf.wstring().c_str(), true,
                                          count),
              0)
        << Narrow(LastError());
    EXPECT_EQ(count, 5);
}

TEST_F(FixedFormatCopies, NamesWithSemicolonsReachTheRightFiles) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = m_dir / "a;b.sdf";
    long count = -1;
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Islands", nullptr,
                                          sdf.wstring().c_str(), true, count),
              0)
        << Narrow(LastError());
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(fs::exists(sdf));
    EXPECT_FALSE(fs::exists(m_dir / "a"));

    fs::path folder = m_dir / "x;y";
    fs::create_directories(folder);
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToSHP(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Islands", nullptr,
                                          folder.wstring().c_str(), true, count),
              0)
        << Narrow(LastError());
    EXPECT_TRUE(fs::exists(folder / "Islands.shp"));
}

TEST_F(FixedFormatCopies, FilterAppliesToEveryClass) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = m_dir / "filtered.sdf";
    long count = -1;
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"CityLimits,Islands",
                                          L"FeatId < 3", sdf.wstring().c_str(), true, count),
              0)
        << Narrow(LastError());
    EXPECT_GT(count, 0);
    EXPECT_LT(count, 8);
}

TEST_F(FixedFormatCopies, UnknownClassIsResult2AndKeepsTheCount) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = m_dir / "bad.sdf";
    long count = 42;
    EXPECT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"NoSuchClass", nullptr,
                                          sdf.wstring().c_str(), true, count),
              2);
    EXPECT_FALSE(LastError().empty());
    EXPECT_EQ(count, 42);
    EXPECT_TRUE(fs::exists(sdf)) << "the new file stays on disk";

    EXPECT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"No.Such.Provider", L"", L"X", nullptr, sdf.wstring().c_str(), true, count),
              3);
    EXPECT_EQ(LastError(), L"Unable to Create Source Connection");
}

TEST_F(FixedFormatCopies, ShapeOverwriteDeletesTheFileSetsOfListedClasses) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path out = m_dir / "out";
    fs::create_directories(out);
    // Old sets in both letter cases, and a bystander that must survive.
    for (const char* ext : {".SHP", ".DBF", ".CPG", ".IDX", ".SHX", ".shp", ".dbf", ".shx", ".cpg"})
        Touch(out / (std::string("Islands") + ext));
    Touch(out / "notes.txt");
    long count = -1;
    // A trailing separator is not doubled.
    std::wstring folder = out.wstring() + L"/";
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToSHP(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Islands", nullptr,
                                          folder.c_str(), true, count),
              0)
        << Narrow(LastError());
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(fs::exists(out / "notes.txt"));
    EXPECT_FALSE(fs::exists(out / "Islands.SHP"));
    EXPECT_FALSE(fs::exists(out / "Islands.IDX"));
    auto c = Open(L"OSGeo.SHP", ShpConn(out));
    EXPECT_EQ(CountFeatures(c, L"Islands"), 5);
    c->Close();

    // Again with overwrite, the class named with its schema: the set just
    // written is replaced, not appended to.
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToSHP(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Default:Islands", nullptr,
                                          out.wstring().c_str(), true, count),
              0)
        << Narrow(LastError());
    auto again = Open(L"OSGeo.SHP", ShpConn(out));
    EXPECT_EQ(CountFeatures(again, L"Islands"), 5);
}

TEST_F(FixedFormatCopies, OracleClassNamesDeleteTheirTableFileSets) {
    fs::path out = m_dir / "out";
    fs::create_directories(out);
    const char* exts[] = {".SHP", ".DBF", ".CPG", ".IDX", ".SHX"};
    for (const char* table : {"ROADS", "RIVERS", "LAKES"})
        for (const char* ext : exts) Touch(out / (std::string(table) + ext));
    long count = -1;
    int rc = c_FDO_Api::GXF_CopyFdoToSHP(L"Norv.OracleXfer", L"File=x", L"GIS~ROADS~GEOM,GIS~RIVERS~GEOM", nullptr,
                                         out.wstring().c_str(), true, count);
    EXPECT_EQ(rc, 2) << "the stand-in source cannot describe its schema";
    EXPECT_EQ(count, -1);
    for (const char* ext : exts) {
        EXPECT_FALSE(fs::exists(out / (std::string("ROADS") + ext))) << ext;
        EXPECT_FALSE(fs::exists(out / (std::string("RIVERS") + ext))) << ext;
        EXPECT_TRUE(fs::exists(out / (std::string("LAKES") + ext))) << ext;
    }
}

TEST_F(FixedFormatCopies, ShapeOverwriteNeverDeletesOutsideTheFolder) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path out = m_dir / "out";
    fs::create_directories(out);
    Touch(m_dir / "Victim.shp");
    Touch(m_dir / "Victim.SHP");
    long count = -1;
    c_FDO_Api::GXF_CopyFdoToSHP(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"../Victim", nullptr,
                                out.wstring().c_str(), true, count);
    EXPECT_TRUE(fs::exists(m_dir / "Victim.shp"));
    EXPECT_TRUE(fs::exists(m_dir / "Victim.SHP"));
}

TEST_F(FixedFormatCopies, ShapeOverwriteOfAFileDeletesOnlyThatFile) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path file = m_dir / "single.shp";
    Touch(file);
    Touch(m_dir / "Islands.shp");
    long count = -1;
    // The file goes; the copy then fails because the store is gone.
    int rc = c_FDO_Api::GXF_CopyFdoToSHP(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Islands", nullptr,
                                         file.wstring().c_str(), true, count);
    EXPECT_NE(rc, 0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fs::exists(m_dir / "Islands.shp"));
    EXPECT_EQ(count, -1);
}

TEST_F(FixedFormatCopies, FdoToFdoWithAndWithoutSchemaCreation) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    fs::path sdf = m_dir / "fdo.sdf";
    ASSERT_TRUE(c_FDO_Api::CreateSdfFile(sdf.wstring().c_str()));
    long count = -1;
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToFdo(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"OSGeo.SDF",
                                          SdfConn(sdf).c_str(), L"CityLimits", nullptr, false, count),
              0)
        << Narrow(LastError());
    EXPECT_EQ(count, 3);
    // The class exists now: a second copy skips the schema and appends.
    ASSERT_EQ(c_FDO_Api::GXF_CopyFdoToFdo(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"OSGeo.SDF",
                                          SdfConn(sdf).c_str(), L"CityLimits", nullptr, true, count),
              0)
        << Narrow(LastError());
    EXPECT_EQ(count, 3);
    auto c = Open(L"OSGeo.SDF", SdfConn(sdf));
    EXPECT_EQ(CountFeatures(c, L"CityLimits"), 6);
    c->Close();

    EXPECT_EQ(c_FDO_Api::GXF_CopyFdoToFdo(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"No.Such", L"", L"CityLimits",
                                          nullptr, true, count),
              5);
    EXPECT_EQ(LastError(), L"Unable to Create Destination Connection");
}
