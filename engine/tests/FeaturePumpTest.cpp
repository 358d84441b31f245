// The engine's one insert loop on its own, between two real SDF stores:
// pairs that rename and convert, null shapes, batch executions and the rest,
// row mode, progress reports, and an insert whose property values are built
// once however many features flow. Every case runs twice: reading on the
// inserting thread, and reading ahead on a thread of its own, which must
// not change what is inserted, in which order, or where a failure surfaces.
#include "TransferTestSupport.h"

#include "transfer/FeaturePump.h"

#include <functional>

using namespace transfer_test;

namespace {

// A store with class "Items" (Id, one data property, Geom) holding `count`
// features whose property takes valueOf(i); with points, feature i has the
// point (i 1), except feature 3, which has no geometry.
FdoIConnection* ItemsStore(const fs::path& file, int count, FdoString* property, FdoDataType type,
                           const std::function<FdoDataValue*(int)>& valueOf, bool points) {
    FdoPtr<FdoIConnection> c = NewSdf(file);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Src", L"");
    FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Items");
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(property, type)));
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    Apply(c, schema);
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Items");
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    FdoPtr<FdoPropertyValue> data = FdoPropertyValue::Create(property, nullptr);
    FdoPtr<FdoPropertyValue> geom = FdoPropertyValue::Create(L"Geom", nullptr);
    values->Add(data);
    values->Add(geom);
    for (int i = 0; i < count; i++) {
        data->SetValue(static_cast<FdoValueExpression*>(FdoPtr<FdoDataValue>(valueOf(i))));
        FdoPtr<FdoByteArray> point = !points || i == 3 ? nullptr : Fgf(FdoStringP::Format(L"POINT (%d 1)", i));
        geom->SetValue(static_cast<FdoValueExpression*>(FdoPtr<FdoGeometryValue>(FdoGeometryValue::Create(point))));
        FdoPtr<FdoIFeatureReader> inserted = insert->Execute();
    }
    return c.Detach();
}

// Items with Code Int32 0..count-1 and points.
FdoIConnection* SourceStore(const fs::path& file, int count) {
    return ItemsStore(file, count, L"Code", FdoDataType_Int32,
                      [](int i) { return FdoDataValue::Create(FdoInt32(i)); }, true);
}

// Items with Size Double 0..count-1 and no geometry, except feature badAt,
// whose Size no integer holds.
FdoIConnection* MeasuredStore(const fs::path& file, int count, int badAt) {
    return ItemsStore(file, count, L"Size", FdoDataType_Double, [badAt](int i) {
        return FdoDataValue::Create(i == badAt ? 1e300 : static_cast<double>(i), FdoDataType_Double);
    }, false);
}

// A store with class "Copies" (Id, Number Int64, Shape), empty.
FdoIConnection* DestinationStore(const fs::path& file) {
    FdoPtr<FdoIConnection> c = NewSdf(file);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Dest", L"");
    FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Copies", L"Default", L"Shape");
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Number", FdoDataType_Int64)));
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    Apply(c, schema);
    return c.Detach();
}

// Code into Number (Int32 to Int64) and Geom into Shape.
std::vector<gxf::PropertyPair> RenamingPairs() {
    return {{L"Code", L"Number", FdoPropertyType_DataProperty, FdoDataType_Int32, FdoDataType_Int64},
            {L"Geom", L"Shape", FdoPropertyType_GeometricProperty}};
}

struct Progress {
    long inserted;
    bool done;
    bool operator==(const Progress&) const = default;
};

// One pump run from Items into Copies; the executions and progress seen.
struct PumpRun {
    long count = 0;
    std::vector<FdoInt32> executions;  // rows per execution, 0 in row mode
    std::vector<Progress> progress;
    bool stopped = false;
    std::wstring failure;  // the message of what the run threw
    std::wstring feature;  // the pump's CurrentFeature() after a failure
};

// Size into Number (Double to Int64).
std::vector<gxf::PropertyPair> SizePairs() {
    return {{L"Size", L"Number", FdoPropertyType_DataProperty, FdoDataType_Double, FdoDataType_Int64}};
}

// The rows are read on the inserting thread (false) or ahead of it (true).
class FeaturePump : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("featurepump"); }
    void TearDown() override {
        m_source = nullptr;
        m_destination = nullptr;
        fs::remove_all(m_dir);
    }

    // stopAt >= 0: the progress asks to stop once that many are inserted.
    PumpRun Pump(int features, int batchSize, bool hideBatch = false, long stopAt = -1) {
        const std::string tag = Tag(features, batchSize) + (hideBatch ? "h" : "") +
                                (stopAt >= 0 ? "s" + std::to_string(stopAt) : "");
        m_source = SourceStore(m_dir / ("src" + tag + ".sdf"), features);
        m_destination = DestinationStore(m_dir / ("dest" + tag + ".sdf"));
        auto log = std::make_shared<InsertLog>();
        return RunPump(RenamingPairs(), batchSize, log, hideBatch, stopAt);
    }

    // The pump from Items into Copies of the stores set up; what it threw is
    // kept in the run.
    PumpRun RunPump(std::vector<gxf::PropertyPair> pairs, int batchSize, std::shared_ptr<InsertLog> log,
                    bool hideBatch = false, long stopAt = -1) {
        PumpRun run;
        FdoPtr<FdoIInsert> inner = Command<FdoIInsert>(m_destination, FdoCommandType_Insert);
        FdoPtr<FdoIInsert> insert = CountingInsert::Create(inner, log, hideBatch);
        insert->SetFeatureClassName(L"Copies");
        const size_t pairCount = pairs.size();
        gxf::FeaturePump pump(insert, std::move(pairs),
                              [&run, stopAt](long inserted, bool done) {
                                  run.progress.push_back({inserted, done});
                                  return stopAt < 0 || inserted < stopAt;
                              });
        pump.ReadAhead(GetParam());
        FdoPtr<FdoClassDefinition> items = ClassOf(m_source, L"Items");
        pump.NameFeaturesBy(FdoPtr<FdoDataPropertyDefinitionCollection>(items->GetIdentityProperties()));
        EXPECT_EQ(FdoPtr<FdoPropertyValueCollection>(insert->GetPropertyValues())->GetCount(),
                  static_cast<FdoInt32>(pairCount));
        FdoPtr<FdoIFeatureReader> reader = SelectAll(m_source, L"Items");
        try {
            run.count = pump.Run(reader, batchSize);
        } catch (FdoException* e) {
            run.failure = e->GetExceptionMessage();
            run.feature = static_cast<FdoString*>(pump.CurrentFeature());
            e->Release();
        }
        run.stopped = pump.Stopped();
        reader->Close();  // the reader is the caller's again, whatever happened
        EXPECT_EQ(FdoPtr<FdoPropertyValueCollection>(insert->GetPropertyValues())->GetCount(),
                  static_cast<FdoInt32>(pairCount))
            << "the insert's property values are built once";
        run.executions = log->executions;
        return run;
    }

    static std::string Tag(int features, int batchSize) {
        return std::to_string(features) + "-" + std::to_string(batchSize);
    }

    // "number|shape" per copied feature, in order.
    std::vector<std::wstring> Copied() {
        std::vector<std::wstring> rows;
        FdoPtr<FdoIFeatureReader> r = SelectAll(m_destination, L"Copies");
        while (r->ReadNext()) {
            FdoPtr<FdoByteArray> g = r->IsNull(L"Shape") ? nullptr : r->GetGeometry(L"Shape");
            rows.push_back(std::to_wstring(r->GetInt64(L"Number")) + L"|" + (g ? GeometryText(g) : L"<null>"));
        }
        r->Close();
        return rows;
    }

    fs::path m_dir;
    FdoPtr<FdoIConnection> m_source;
    FdoPtr<FdoIConnection> m_destination;
};

}  // namespace

TEST_P(FeaturePump, RenamesConvertsAndKeepsNullShapesInBothModes) { Guarded([&] {
    const std::vector<std::wstring> expected = {L"0|POINT (0 1)", L"1|POINT (1 1)", L"2|POINT (2 1)",
                                                L"3|<null>",      L"4|POINT (4 1)"};
    for (int batchSize : {1, 2}) {
        SCOPED_TRACE(batchSize);
        EXPECT_EQ(Pump(5, batchSize).count, 5);
        EXPECT_EQ(Copied(), expected);
    }
}); }

TEST_P(FeaturePump, BatchesRunFullThenTheRestAndReportEach) { Guarded([&] {
    PumpRun run = Pump(10, 4);
    EXPECT_EQ(run.count, 10);
    EXPECT_EQ(run.executions, (std::vector<FdoInt32>{4, 4, 2}));
    EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {4, false}, {8, false}, {10, true}}));

    run = Pump(8, 4);
    EXPECT_EQ(run.executions, (std::vector<FdoInt32>{4, 4}));
    EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {4, false}, {8, false}, {8, true}}));
}); }

TEST_P(FeaturePump, RowModeWithoutBatchesReportsEveryHundredRows) { Guarded([&] {
    PumpRun run = Pump(205, 1);
    EXPECT_EQ(run.count, 205);
    EXPECT_EQ(run.executions, std::vector<FdoInt32>(205, 0));
    EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {100, false}, {200, false}, {205, true}}));

    // An insert without a batch collection goes row by row whatever the size.
    run = Pump(3, 300, true);
    EXPECT_EQ(run.count, 3);
    EXPECT_EQ(run.executions, (std::vector<FdoInt32>{0, 0, 0}));
    EXPECT_EQ(Copied().size(), 3u);
}); }

TEST_P(FeaturePump, EmptyReaderInsertsNothingAndStillReportsTheEnd) { Guarded([&] {
    for (int batchSize : {1, 100}) {
        SCOPED_TRACE(batchSize);
        PumpRun run = Pump(0, batchSize);
        EXPECT_EQ(run.count, 0);
        EXPECT_TRUE(run.executions.empty());
        EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {0, true}}));
    }
}); }

TEST_P(FeaturePump, WithoutProgressNothingIsReported) { Guarded([&] {
    FdoPtr<FdoIConnection> source = SourceStore(m_dir / "quiet-src.sdf", 3);
    FdoPtr<FdoIConnection> destination = DestinationStore(m_dir / "quiet-dest.sdf");
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(destination, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Copies");
    gxf::FeaturePump pump(insert, RenamingPairs());
    pump.ReadAhead(GetParam());
    FdoPtr<FdoIFeatureReader> reader = SelectAll(source, L"Items");
    EXPECT_EQ(pump.Run(reader, 2), 3);
    reader->Close();
    EXPECT_EQ(CountAll(destination, L"Copies"), 3);
}); }

TEST_P(FeaturePump, ProgressThatSaysStopEndsTheRunAfterTheCurrentBatch) { Guarded([&] {
    PumpRun run = Pump(10, 4, false, 4);
    EXPECT_TRUE(run.stopped);
    EXPECT_EQ(run.count, 4);
    EXPECT_EQ(run.executions, (std::vector<FdoInt32>{4}));
    EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {4, false}})) << "no end report after a stop";
    EXPECT_EQ(Copied().size(), 4u) << "what was inserted before the stop stays";

    run = Pump(250, 1, false, 100);
    EXPECT_TRUE(run.stopped);
    EXPECT_EQ(run.count, 100);
    EXPECT_EQ(Copied().size(), 100u);

    run = Pump(5, 2, false, 0);
    EXPECT_TRUE(run.stopped) << "a stop before the first feature reads nothing";
    EXPECT_EQ(run.count, 0);
    EXPECT_TRUE(run.executions.empty());

    run = Pump(5, 2);
    EXPECT_FALSE(run.stopped);
}); }

// Far more rows than the read-ahead holds at once: every one arrives, in
// the reader's order, in full batches and then the rest.
TEST_P(FeaturePump, ManyFeaturesArriveInOrderInBothModes) { Guarded([&] {
    for (int batchSize : {1, 100}) {
        SCOPED_TRACE(batchSize);
        PumpRun run = Pump(1500, batchSize);
        EXPECT_EQ(run.count, 1500);
        EXPECT_EQ(run.executions.size(), batchSize == 1 ? 1500u : 15u);
        EXPECT_EQ(run.progress.back(), (Progress{1500, true}));
        std::vector<std::wstring> rows = Copied();
        ASSERT_EQ(rows.size(), 1500u);
        for (size_t i = 0; i < rows.size(); i++)
            if (i != 3) {
                ASSERT_EQ(rows[i], std::to_wstring(i) + L"|POINT (" + std::to_wstring(i) + L" 1)");
            }
    }
}); }

// A value the destination type cannot hold fails the run at its feature:
// every row before it is inserted in row mode; in batch mode the batch it
// would have completed is not executed. The feature is named either way.
TEST_P(FeaturePump, AConversionFailureSurfacesAtItsFeature) { Guarded([&] {
    struct Case {
        int badAt, batchSize;
        long inserted;
    };
    for (const Case& c : {Case{9, 4, 8}, Case{9, 1, 9}, Case{700, 100, 700}, Case{700, 1, 700}}) {
        SCOPED_TRACE(std::to_string(c.badAt) + " in batches of " + std::to_string(c.batchSize));
        const std::string tag = "bad" + std::to_string(c.badAt) + "-" + Tag(1000, c.batchSize);
        m_source = MeasuredStore(m_dir / ("src" + tag + ".sdf"), 1000, c.badAt);
        m_destination = DestinationStore(m_dir / ("dest" + tag + ".sdf"));
        PumpRun run = RunPump(SizePairs(), c.batchSize, std::make_shared<InsertLog>());
        EXPECT_NE(run.failure, L"");
        EXPECT_EQ(run.feature, L"Id=" + std::to_wstring(c.badAt + 1));
        EXPECT_EQ(CountAll(m_destination, L"Copies"), c.inserted);
        EXPECT_EQ(run.progress.back().done, false) << "a failed run reports no end";
    }
}); }

// An insert the destination refuses names the last feature it was given,
// though the reader may already be far ahead of it.
TEST_P(FeaturePump, AnInsertFailureNamesTheFeatureBeingInserted) { Guarded([&] {
    struct Case {
        int batchSize, failOn;
        std::wstring feature;
        long inserted;
    };
    for (const Case& c : {Case{4, 2, L"Id=12", 8}, Case{1, 5, L"Id=6", 5}, Case{100, 0, L"Id=100", 0}}) {
        SCOPED_TRACE(c.batchSize);
        const std::string tag = "refused-" + Tag(1200, c.batchSize);
        m_source = SourceStore(m_dir / ("src" + tag + ".sdf"), 1200);
        m_destination = DestinationStore(m_dir / ("dest" + tag + ".sdf"));
        auto log = std::make_shared<InsertLog>();
        log->failOnExecution = c.failOn;
        PumpRun run = RunPump(RenamingPairs(), c.batchSize, log);
        EXPECT_EQ(run.failure, L"The destination refused the insert.");
        EXPECT_EQ(run.feature, c.feature);
        EXPECT_EQ(CountAll(m_destination, L"Copies"), c.inserted);
    }
}); }

INSTANTIATE_TEST_SUITE_P(Reading, FeaturePump, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Ahead" : "OnTheInsertingThread";
                         });
