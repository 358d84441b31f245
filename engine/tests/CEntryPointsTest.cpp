// The plain C entry points: they forward and add nothing, but a missing
// count pointer must not bring the host down.
#include <GeoxferApi/GXF_EntryPoints.h>

#include "CopyTaskTestSupport.h"
#include "TestData.h"

namespace {

namespace fs = std::filesystem;
using copytask_test::Wide;

std::wstring LastError() {
    wchar_t buffer[512] = {};
    GXF_GetLastError(buffer, 500);
    return buffer;
}

FdoStringP SharedShp(const char* name) {
    return Wide(geoxfer_test::SampleDataDir() / "spData" / "shapes" / (std::string(name) + ".shp"));
}

}  // namespace

TEST(CEntryPoints, RunCopyTaskOnAnUnreadableFile) {
    const auto dir = geoxfer_test::TempDir("c-run");
    copytask_test::WriteFile(dir / "not-xml.xml", "this is not a copy task");
    long count = 17;
    EXPECT_EQ(GXF_RunCopyTask(Wide(dir / "not-xml.xml"), &count), 8);
    EXPECT_EQ(LastError(), L"Error reading Task File");
    EXPECT_EQ(count, 17);
    EXPECT_EQ(GXF_RunCopyTask(Wide(dir / "missing.xml"), nullptr), 8);
    EXPECT_EQ(GXF_RunCopyTask(nullptr, nullptr), 8);
    fs::remove_all(dir);
}

TEST(CEntryPoints, RunCopyTaskWithoutCountPointerStillCopies) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/eire.shp");
    const auto dir = geoxfer_test::TempDir("c-run-null");
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(L"OSGeo.SHP");
    task->SetSourceConnString(FdoStringP(L"DefaultFileLocation=") + SharedShp("eire"));
    task->SetDestProvider(L"OSGeo.SDF");
    task->SetDestConnString(FdoStringP(L"File=") + Wide(dir / "eire.sdf"));
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    FdoPtr<c_GXFClassCopyDef> eire = new c_GXFClassCopyDef();
    eire->SetSourceClassName(L"eire");
    eire->SetDestClassName(L"eire");
    classes->Add(eire);
    ASSERT_TRUE(task->WriteToXML(Wide(dir / "task.xml")));
    EXPECT_EQ(GXF_RunCopyTask(Wide(dir / "task.xml"), nullptr), 0) << FdoStringP(LastError().c_str()).operator const char*();
    long count = -1;
    // Same task again into the existing file: the classes are there, the features are added.
    EXPECT_EQ(GXF_RunCopyTask(Wide(dir / "task.xml"), &count), 0);
    EXPECT_EQ(count, 26);
    fs::remove_all(dir);
}

TEST(CEntryPoints, ApplySchemaIgnoresItsNumber) {
    SHARED_DATA_OR_SKIP("fdo-schemas/hawaii_schema.xml");
    const auto dir = geoxfer_test::TempDir("c-apply");
    const FdoStringP schema = Wide(geoxfer_test::SharedDataDir() / "fdo-schemas" / "hawaii_schema.xml");
    for (long number : {0L, -1L, 123456L}) {
        const auto file = dir / ("h" + std::to_string(number) + ".sdf");
        const FdoStringP conn = FdoStringP(L"File=") + Wide(file);
        ASSERT_EQ(GXF_CreateDataStore(L"OSGeo.SDF", conn), 0) << FdoStringP(LastError().c_str()).operator const char*();
        EXPECT_EQ(GXF_ApplySchema(L"OSGeo.SDF", conn, schema, number), 0);
    }
    // A missing schema file fails alike whatever the number.
    const FdoStringP conn = FdoStringP(L"File=") + Wide(dir / "h0.sdf");
    const int a = GXF_ApplySchema(L"OSGeo.SDF", conn, Wide(dir / "none.xml"), 0);
    const std::wstring textA = LastError();
    const int b = GXF_ApplySchema(L"OSGeo.SDF", conn, Wide(dir / "none.xml"), 99);
    EXPECT_NE(a, 0);
    EXPECT_EQ(a, b);
    EXPECT_EQ(textA, LastError());
    fs::remove_all(dir);
}

TEST(CEntryPoints, CopyToShpWritesShapeFilesNeverSdf) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/eire.shp");
    const auto dir = geoxfer_test::TempDir("c-to-shp");
    const FdoStringP source = FdoStringP(L"DefaultFileLocation=") + SharedShp("eire");
    long count = -1;
    EXPECT_EQ(GXF_CopyFdoToSHP(L"OSGeo.SHP", source, L"eire", L"", Wide(dir), true, &count), 0)
        << FdoStringP(LastError().c_str()).operator const char*();
    EXPECT_EQ(count, 26);
    EXPECT_TRUE(fs::exists(dir / "eire.shp"));
    for (const auto& entry : fs::directory_iterator(dir)) EXPECT_NE(entry.path().extension(), ".sdf");
    // Without a count pointer the copy still runs.
    EXPECT_EQ(GXF_CopyFdoToSDF(L"OSGeo.SHP", source, L"eire", L"", Wide(dir / "e.sdf"), true, nullptr), 0);
    EXPECT_TRUE(fs::exists(dir / "e.sdf"));
    fs::remove_all(dir);
}
