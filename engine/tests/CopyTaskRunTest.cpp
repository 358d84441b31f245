// Running copy tasks in process, on real shape files and SDF files: the
// count, the SDF preparation, the batching seen through the progress hook,
// pairing of mapped properties, and what a failing class leaves behind.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXF_CopyProgress.h>
#include <GeoxferApi/GXF_CopyTask_API.h>

#include "CopyTaskTestSupport.h"
#include "TestData.h"
#include "transfer/Connections.h"

#include <Fdo.h>

namespace {

namespace fs = std::filesystem;
using copytask_test::Wide;

fs::path Shp(const char* name) { return geoxfer_test::SampleDataDir() / "spData" / "shapes" / (std::string(name) + ".shp"); }

FdoStringP ShpConn(const fs::path& p) { return FdoStringP(L"DefaultFileLocation=") + Wide(p); }
FdoStringP SdfConn(const fs::path& p) { return FdoStringP(L"File=") + Wide(p) + L";"; }

std::string LastError() { return static_cast<const char*>(FdoStringP(c_FDO_Api::GXF_GetLastError())); }

c_GXFCopyTaskDef* NewTask(FdoString* srcProvider, FdoString* srcConn, FdoString* destProvider, FdoString* destConn) {
    auto* task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(srcProvider);
    task->SetSourceConnString(srcConn);
    task->SetDestProvider(destProvider);
    task->SetDestConnString(destConn);
    return task;
}

void AddClass(c_GXFCopyTaskDef* task, FdoString* source, FdoString* dest, FdoString* filter = L"",
              std::initializer_list<std::pair<FdoString*, FdoString*>> mappings = {}) {
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    FdoPtr<c_GXFClassCopyDef> c = new c_GXFClassCopyDef();
    c->SetSourceClassName(source);
    c->SetDestClassName(dest);
    c->SetCopyFilter(filter);
    FdoPtr<c_GXFPropertyCopyDefCollection> props = c->GetPropertyCopyDefCollection();
    for (auto [s, d] : mappings) {
        FdoPtr<c_GXFPropertyCopyDef> p = new c_GXFPropertyCopyDef();
        p->SetSourceProperty(s);
        p->SetDestProperty(d);
        props->Add(p);
    }
    classes->Add(c);
}

// Features of a class, counted through the engine's own select.
long CountFeatures(FdoString* provider, FdoString* conn, FdoString* className) {
    FdoPtr<FdoIConnection> c = gxf::CreateConnection(provider);
    EXPECT_TRUE(gxf::OpenConnection(c, conn));
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(c->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(className);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    long n = 0;
    while (reader->ReadNext()) n++;
    reader->Close();
    c->Close();
    return n;
}

// Every progress report of a run.
struct Report {
    std::wstring className;
    long count;
    bool done;
};
struct RecordedProgress {
    std::vector<Report> reports;
    RecordedProgress() { GXF_SetCopyProgressHook(&Record, this); }
    ~RecordedProgress() { GXF_SetCopyProgressHook(nullptr, nullptr); }
    static void Record(const wchar_t* c, long n, bool done, void* self) {
        static_cast<RecordedProgress*>(self)->reports.push_back({c, n, done});
    }
};

// Copies NY8_utm18 (281 features) into a fresh SDF file with the given batch
// size through CopyFdoClassCollection; returns the progress reports.
std::vector<Report> PumpNy8(const fs::path& dir, int batchSize, long& copied) {
    const fs::path sdf = dir / ("ny8-" + std::to_string(batchSize) + ".sdf");
    c_FDO_Api::CreateSdfFile(Wide(sdf));
    EXPECT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SDF", SdfConn(sdf), L"OSGeo.SHP",
                                                      ShpConn(Shp("NY8_utm18")), L"NY8_utm18", true, true, -1),
              0)
        << LastError();
    FdoPtr<FdoIConnection> source = gxf::CreateConnection(L"OSGeo.SHP");
    FdoPtr<FdoIConnection> dest = gxf::CreateConnection(L"OSGeo.SDF");
    EXPECT_TRUE(gxf::OpenConnection(source, ShpConn(Shp("NY8_utm18"))));
    EXPECT_TRUE(gxf::OpenConnection(dest, SdfConn(sdf)));
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    AddClass(task, L"NY8_utm18", L"NY8_utm18");
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    RecordedProgress progress;
    copied = c_GXF_CopyTask_API::CopyFdoClassCollection(source, dest, classes, batchSize, true, true);
    source->Close();
    dest->Close();
    return progress.reports;
}

}  // namespace

TEST(CopyTaskRun, TaskWithoutClassesPreparesTheDestinationAndCountsZero) {
    const auto dir = geoxfer_test::TempDir("run-empty");
    FdoPtr<c_GXFCopyTaskDef> task = NewTask(L"OSGeo.SHP", ShpConn(dir), L"OSGeo.SDF", SdfConn(dir / "new.sdf"));
    task->SetExecuteApplySchema(false);
    long count = 99;
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count), 0) << LastError();
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(fs::exists(dir / "new.sdf"));
    fs::remove_all(dir);
}

TEST(CopyTaskRun, TaskFileThatCannotBeReadLeavesTheCount) {
    const auto dir = geoxfer_test::TempDir("run-file");
    long count = 42;
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(Wide(dir / "missing.xml"), count), 8);
    EXPECT_EQ(LastError(), "Error reading Task File");
    EXPECT_EQ(count, 42);
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(static_cast<const wchar_t*>(nullptr), count), 8);
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(static_cast<c_GXFCopyTaskDef*>(nullptr), count), 2);
    EXPECT_EQ(count, 0);
    fs::remove_all(dir);
}

TEST(CopyTaskRun, UnknownProvidersGiveCreateCodes) {
    long count = 5;
    FdoPtr<c_GXFCopyTaskDef> task = NewTask(L"No.Such", L"", L"OSGeo.SDF", L"File=x.sdf");
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count), 3);
    EXPECT_EQ(LastError(), "Unable to Create Source Connection");
    EXPECT_EQ(count, 0);
    task = NewTask(L"OSGeo.SHP", L"", L"No.Such", L"");
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count), 5);
    EXPECT_EQ(LastError(), "Unable to Create Destination Connection");
}

TEST(CopyTaskRun, BatchesAreExecutedInFullSizesThenTheRest) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/NY8_utm18.shp");
    const auto dir = geoxfer_test::TempDir("run-batches");
    long copied = 0;
    auto reports = PumpNy8(dir, 100, copied);
    EXPECT_EQ(copied, 281);
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].count, 0);
    EXPECT_EQ(reports[1].count, 100);
    EXPECT_EQ(reports[2].count, 200);
    EXPECT_EQ(reports[3].count, 281);
    EXPECT_TRUE(reports[3].done);
    EXPECT_EQ(reports[3].className, L"NY8_utm18");

    // A small batch shows every execution: 40 full batches of 7, then 1.
    reports = PumpNy8(dir, 7, copied);
    EXPECT_EQ(copied, 281);
    ASSERT_EQ(reports.size(), 42u);
    EXPECT_EQ(reports[40].count, 280);
    EXPECT_EQ(reports[41].count, 281);
    // Row by row reports every 100 rows.
    reports = PumpNy8(dir, 1, copied);
    EXPECT_EQ(copied, 281);
    EXPECT_EQ(reports.size(), 4u);
    EXPECT_EQ(CountFeatures(L"OSGeo.SDF", SdfConn(dir / "ny8-1.sdf"), L"NY8_utm18"), 281);
    fs::remove_all(dir);
}

TEST(CopyTaskRun, SecondOfThreeClassesFailingLeavesTheFirstAndCountsZero) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/world.shp");
    const auto dir = geoxfer_test::TempDir("run-failing");
    FdoPtr<c_GXFCopyTaskDef> task = NewTask(L"OSGeo.SHP", ShpConn(Shp("world")), L"OSGeo.SDF", SdfConn(dir / "o.sdf"));
    AddClass(task, L"world", L"world");
    AddClass(task, L"world", L"NoSuchClass");
    AddClass(task, L"world", L"world");
    task->SetMagicClassName(false);
    long count = 7;
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count), 2);
    EXPECT_EQ(LastError(), "c_FDO_Api::CopyFdoClass: Unable to find Class 'NoSuchClass' in destination!");
    EXPECT_EQ(count, 0);
    // The first class is in; the third never ran.
    EXPECT_EQ(CountFeatures(L"OSGeo.SDF", SdfConn(dir / "o.sdf"), L"world"), 177);
    fs::remove_all(dir);
}

TEST(CopyTaskRun, MappingsRenameSkipUnknownsAndRefuseMixedKinds) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/world.shp");
    const auto dir = geoxfer_test::TempDir("run-mappings");
    const FdoStringP dest = SdfConn(dir / "w.sdf");
    FdoPtr<c_GXFCopyTaskDef> task = NewTask(L"OSGeo.SHP", ShpConn(Shp("world")), L"OSGeo.SDF", dest);
    AddClass(task, L"world", L"world", L"continent = 'Asia'",
             {{L"NAME_LONG", L"continent"}, {L"missing", L"pop"}, {L"Geometry", L"GEOMETRY"}});
    long count = 0;
    ASSERT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count), 0) << LastError();
    EXPECT_GT(count, 40);
    const long asia = count;

    // The country's name went into the continent column; pop got nothing.
    FdoPtr<FdoIConnection> c = gxf::CreateConnection(L"OSGeo.SDF");
    ASSERT_TRUE(gxf::OpenConnection(c, dest));
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(c->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(L"world");
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    ASSERT_TRUE(reader->ReadNext());
    EXPECT_STRNE(reader->GetString(L"continent"), L"Asia");
    EXPECT_TRUE(reader->IsNull(L"pop"));
    EXPECT_FALSE(reader->IsNull(L"Geometry"));
    reader->Close();
    c->Close();

    // Data into geometry is refused before anything is inserted.
    FdoPtr<c_GXFCopyTaskDef> mixed = NewTask(L"OSGeo.SHP", ShpConn(Shp("world")), L"OSGeo.SDF", dest);
    mixed->SetExecuteApplySchema(false);
    AddClass(mixed, L"world", L"world", L"", {{L"name_long", L"Geometry"}});
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(mixed.p, count), 2);
    EXPECT_NE(LastError().find("one is a data property"), std::string::npos) << LastError();
    EXPECT_EQ(CountFeatures(L"OSGeo.SDF", dest, L"world"), asia);
    fs::remove_all(dir);
}

TEST(CopyTaskRun, NullShapesAndNullValuesArriveAsNullsInBothModes) {
    const auto dir = geoxfer_test::TempDir("run-nulls");
    copytask_test::WriteFile(dir / "spots.csv",
                             "wkt,label,height\n\"POINT (1 2)\",first,10.5\n,no shape,11\n\"POINT (3 4)\",,\n");
    const std::string make = "ogr2ogr -q -f \"ESRI Shapefile\" \"" + (dir / "spots.shp").string() + "\" \"" +
                             (dir / "spots.csv").string() +
                             "\" -oo GEOM_POSSIBLE_NAMES=wkt -oo KEEP_GEOM_COLUMNS=NO -oo AUTODETECT_TYPE=YES "
                             "-nlt POINT -nln spots 2>/dev/null";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "ogr2ogr is not available";
    for (int batchSize : {1, 100}) {
        const fs::path sdf = dir / ("spots-" + std::to_string(batchSize) + ".sdf");
        c_FDO_Api::CreateSdfFile(Wide(sdf));
        ASSERT_EQ(c_FDO_Api::GXF_ApplySchemaFromFdoSource(L"OSGeo.SDF", SdfConn(sdf), L"OSGeo.SHP",
                                                          ShpConn(dir / "spots.shp"), L"spots", true, true, -1),
                  0);
        FdoPtr<FdoIConnection> source = gxf::CreateConnection(L"OSGeo.SHP");
        FdoPtr<FdoIConnection> dest = gxf::CreateConnection(L"OSGeo.SDF");
        ASSERT_TRUE(gxf::OpenConnection(source, ShpConn(dir / "spots.shp")));
        ASSERT_TRUE(gxf::OpenConnection(dest, SdfConn(sdf)));
        FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
        AddClass(task, L"spots", L"spots");
        FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
        EXPECT_EQ(c_GXF_CopyTask_API::CopyFdoClassCollection(source, dest, classes, batchSize, true, true), 3);

        FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(dest->CreateCommand(FdoCommandType_Select));
        select->SetFeatureClassName(L"spots");
        FdoPtr<FdoIFeatureReader> reader = select->Execute();
        std::vector<std::string> seen;
        while (reader->ReadNext()) {
            std::string row = reader->IsNull(L"Geometry") ? "null" : "shape";
            row += reader->IsNull(L"label") ? "|null" : std::string("|") + FdoStringP(reader->GetString(L"label")).operator const char*();
            row += reader->IsNull(L"height") ? "|null" : "|value";
            seen.push_back(row);
        }
        reader->Close();
        EXPECT_EQ(seen, (std::vector<std::string>{"shape|first|value", "null|no shape|value", "shape|null|null"}))
            << "batch size " << batchSize;
        source->Close();
        dest->Close();
    }
    fs::remove_all(dir);
}
