// A copy task run followed and stopped by its monitor, on real shape files:
// the stop after a batch keeps what was inserted and reports the count so
// far; the run count adds up over classes; the process-wide hook still hears
// every report; and the last error text is kept per thread.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXF_CopyMonitor.h>
#include <GeoxferApi/GXF_CopyProgress.h>
#include <GeoxferApi/GXF_CopyTask_API.h>
#include <GeoxferApi/LastError.h>

#include "copytask/LastErrorText.h"

#include "CopyTaskTestSupport.h"
#include "TestData.h"
#include "transfer/Connections.h"

#include <Fdo.h>

#include <thread>

namespace {

namespace fs = std::filesystem;
using copytask_test::Wide;

fs::path Shapes() { return geoxfer_test::SampleDataDir() / "spData" / "shapes"; }
FdoStringP SdfConn(const fs::path& p) { return FdoStringP(L"File=") + Wide(p) + L";"; }

// A task copying NY8_utm18 (281 features) then world (177) from the spData
// folder into a new SDF file, schema from the source.
c_GXFCopyTaskDef* TwoClassTask(const fs::path& sdf) {
    auto* task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(L"OSGeo.SHP");
    task->SetSourceConnString(FdoStringP(L"DefaultFileLocation=") + Wide(Shapes()));
    task->SetDestProvider(L"OSGeo.SDF");
    task->SetDestConnString(SdfConn(sdf));
    task->SetSDF_Attr_CreateIfMissing(true);
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    for (FdoString* name : {L"NY8_utm18", L"world"}) {
        FdoPtr<c_GXFClassCopyDef> c = new c_GXFClassCopyDef();
        c->SetSourceClassName(name);
        c->SetDestClassName(name);
        classes->Add(c);
    }
    return task;
}

long CountFeatures(const fs::path& sdf, FdoString* className) {
    FdoPtr<FdoIConnection> c = gxf::CreateConnection(L"OSGeo.SDF");
    EXPECT_TRUE(gxf::OpenConnection(c, SdfConn(sdf)));
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(c->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(className);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    long n = 0;
    while (reader->ReadNext()) n++;
    reader->Close();
    c->Close();
    return n;
}

struct Seen {
    std::wstring className;
    long classCount;
    long runCount;
    bool done;
};

// Records every report and asks to stop once the run has inserted stopAt.
class RecordingMonitor : public c_GXF_CopyMonitor {
public:
    explicit RecordingMonitor(long stopAt = -1) : m_stopAt(stopAt) {}
    bool OnCopyProgress(const wchar_t* className, long classCount, long runCount, bool done) override {
        seen.push_back({className, classCount, runCount, done});
        return m_stopAt < 0 || runCount < m_stopAt;
    }
    std::vector<Seen> seen;

private:
    long m_stopAt;
};

int g_hookCalls = 0;
void CountingHook(const wchar_t*, long, bool, void*) { g_hookCalls++; }

}  // namespace

TEST(CopyMonitor, StopAfterABatchKeepsWhatWasInsertedAndCountsIt) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/NY8_utm18.shp");
    const auto dir = geoxfer_test::TempDir("monitor-stop");
    FdoPtr<c_GXFCopyTaskDef> task = TwoClassTask(dir / "stopped.sdf");
    RecordingMonitor monitor(100);
    long count = -1;
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count, &monitor), GXF_Result_CopyCancelled);
    EXPECT_STREQ(c_FDO_Api::GXF_GetLastError(), L"Copy cancelled");
    EXPECT_EQ(count, 100) << "the count of a stopped run says how far it got";
    ASSERT_FALSE(monitor.seen.empty());
    EXPECT_EQ(monitor.seen.back().runCount, 100);
    EXPECT_EQ(monitor.seen.back().className, L"NY8_utm18");
    // The destination stays readable, with the first batch in it and no
    // feature of the class that never started.
    EXPECT_EQ(CountFeatures(dir / "stopped.sdf", L"NY8_utm18"), 100);
    EXPECT_EQ(CountFeatures(dir / "stopped.sdf", L"world"), 0);
    fs::remove_all(dir);
}

TEST(CopyMonitor, RunCountAddsUpOverClassesAndTheHookStillHearsEveryReport) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/world.shp");
    const auto dir = geoxfer_test::TempDir("monitor-full");
    FdoPtr<c_GXFCopyTaskDef> task = TwoClassTask(dir / "full.sdf");
    RecordingMonitor monitor;
    g_hookCalls = 0;
    GXF_SetCopyProgressHook(&CountingHook, nullptr);
    long count = 0;
    const int rc = c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count, &monitor);
    GXF_SetCopyProgressHook(nullptr, nullptr);
    ASSERT_EQ(rc, 0) << static_cast<const char*>(FdoStringP(c_FDO_Api::GXF_GetLastError()));
    EXPECT_EQ(count, 281 + 177);
    EXPECT_EQ(g_hookCalls, static_cast<int>(monitor.seen.size()));
    ASSERT_FALSE(monitor.seen.empty());
    EXPECT_EQ(monitor.seen.front().runCount, 0);
    const Seen& last = monitor.seen.back();
    EXPECT_EQ(last.className, L"world");
    EXPECT_EQ(last.classCount, 177);
    EXPECT_EQ(last.runCount, 281 + 177);
    EXPECT_TRUE(last.done);

    // The plain run takes no monitor and reports only to the hook.
    FdoPtr<c_GXFCopyTaskDef> again = TwoClassTask(dir / "plain.sdf");
    EXPECT_EQ(c_GXF_CopyTask_API::GXF_CopyFdoToFdo(again.p, count), 0);
    EXPECT_EQ(count, 281 + 177);
    fs::remove_all(dir);
}

TEST(CopyMonitor, LastErrorTextIsKeptPerThread) {
    SetLastErrorText(L"main thread text");
    std::wstring seenOnWorker, setOnWorker;
    std::thread worker([&] {
        seenOnWorker = c_FDO_Api::GXF_GetLastError();
        SetLastErrorText(L"Copy cancelled");
        setOnWorker = c_FDO_Api::GXF_GetLastError();
    });
    worker.join();
    EXPECT_EQ(seenOnWorker, L"") << "a new thread starts with an empty text";
    EXPECT_EQ(setOnWorker, L"Copy cancelled");
    EXPECT_STREQ(c_FDO_Api::GXF_GetLastError(), L"main thread text");
}
