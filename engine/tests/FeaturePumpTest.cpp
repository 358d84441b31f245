// The engine's one insert loop on its own, between two real SDF stores:
// pairs that rename and convert, null shapes, batch executions and the rest,
// row mode, progress reports, and an insert whose property values are built
// once however many features flow.
#include "TransferTestSupport.h"

#include "transfer/FeaturePump.h"

using namespace transfer_test;

namespace {

// A store with class "Items" (Id, Code Int32, Geom) holding `count` features
// with Code 0..count-1 and a point, except feature 3, which has no geometry.
FdoIConnection* SourceStore(const fs::path& file, int count) {
    FdoPtr<FdoIConnection> c = NewSdf(file);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Src", L"");
    FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Items");
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Code", FdoDataType_Int32)));
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    Apply(c, schema);
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Items");
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    FdoPtr<FdoPropertyValue> code = FdoPropertyValue::Create(L"Code", nullptr);
    FdoPtr<FdoPropertyValue> geom = FdoPropertyValue::Create(L"Geom", nullptr);
    values->Add(code);
    values->Add(geom);
    for (int i = 0; i < count; i++) {
        code->SetValue(static_cast<FdoValueExpression*>(FdoPtr<FdoDataValue>(FdoDataValue::Create(FdoInt32(i)))));
        FdoPtr<FdoByteArray> point = i == 3 ? nullptr : Fgf(FdoStringP::Format(L"POINT (%d 1)", i));
        geom->SetValue(static_cast<FdoValueExpression*>(FdoPtr<FdoGeometryValue>(FdoGeometryValue::Create(point))));
        FdoPtr<FdoIFeatureReader> inserted = insert->Execute();
    }
    return c.Detach();
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
    gxf::PropertyPair number;
    number.sourceName = L"Code";
    number.destName = L"Number";
    number.sourceType = FdoDataType_Int32;
    number.destType = FdoDataType_Int64;
    gxf::PropertyPair shape;
    shape.sourceName = L"Geom";
    shape.destName = L"Shape";
    shape.destKind = FdoPropertyType_GeometricProperty;
    return {number, shape};
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
};

class FeaturePump : public testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("featurepump"); }
    void TearDown() override {
        m_source = nullptr;
        m_destination = nullptr;
        fs::remove_all(m_dir);
    }

    // stopAt >= 0: the progress asks to stop once that many are inserted.
    PumpRun Pump(int features, int batchSize, bool hideBatch = false, long stopAt = -1) {
        const std::string tag = std::to_string(features) + "-" + std::to_string(batchSize) + (hideBatch ? "h" : "") +
                                (stopAt >= 0 ? "s" + std::to_string(stopAt) : "");
        m_source = SourceStore(m_dir / ("src" + tag + ".sdf"), features);
        m_destination = DestinationStore(m_dir / ("dest" + tag + ".sdf"));
        PumpRun run;
        auto log = std::make_shared<InsertLog>();
        FdoPtr<FdoIInsert> inner = Command<FdoIInsert>(m_destination, FdoCommandType_Insert);
        FdoPtr<FdoIInsert> insert = CountingInsert::Create(inner, log, hideBatch);
        insert->SetFeatureClassName(L"Copies");
        gxf::FeaturePump pump(insert, RenamingPairs(),
                              [&run, stopAt](long inserted, bool done) {
                                  run.progress.push_back({inserted, done});
                                  return stopAt < 0 || inserted < stopAt;
                              });
        EXPECT_EQ(FdoPtr<FdoPropertyValueCollection>(insert->GetPropertyValues())->GetCount(), 2);
        FdoPtr<FdoIFeatureReader> reader = SelectAll(m_source, L"Items");
        run.count = pump.Run(reader, batchSize);
        run.stopped = pump.Stopped();
        reader->Close();
        EXPECT_EQ(FdoPtr<FdoPropertyValueCollection>(insert->GetPropertyValues())->GetCount(), 2)
            << "the insert's property values are built once";
        run.executions = log->executions;
        return run;
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

TEST_F(FeaturePump, RenamesConvertsAndKeepsNullShapesInBothModes) { Guarded([&] {
    const std::vector<std::wstring> expected = {L"0|POINT (0 1)", L"1|POINT (1 1)", L"2|POINT (2 1)",
                                                L"3|<null>",      L"4|POINT (4 1)"};
    for (int batchSize : {1, 2}) {
        SCOPED_TRACE(batchSize);
        EXPECT_EQ(Pump(5, batchSize).count, 5);
        EXPECT_EQ(Copied(), expected);
    }
}); }

TEST_F(FeaturePump, BatchesRunFullThenTheRestAndReportEach) { Guarded([&] {
    PumpRun run = Pump(10, 4);
    EXPECT_EQ(run.count, 10);
    EXPECT_EQ(run.executions, (std::vector<FdoInt32>{4, 4, 2}));
    EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {4, false}, {8, false}, {10, true}}));

    run = Pump(8, 4);
    EXPECT_EQ(run.executions, (std::vector<FdoInt32>{4, 4}));
    EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {4, false}, {8, false}, {8, true}}));
}); }

TEST_F(FeaturePump, RowModeWithoutBatchesReportsEveryHundredRows) { Guarded([&] {
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

TEST_F(FeaturePump, EmptyReaderInsertsNothingAndStillReportsTheEnd) { Guarded([&] {
    for (int batchSize : {1, 100}) {
        SCOPED_TRACE(batchSize);
        PumpRun run = Pump(0, batchSize);
        EXPECT_EQ(run.count, 0);
        EXPECT_TRUE(run.executions.empty());
        EXPECT_EQ(run.progress, (std::vector<Progress>{{0, false}, {0, true}}));
    }
}); }

TEST_F(FeaturePump, WithoutProgressNothingIsReported) { Guarded([&] {
    FdoPtr<FdoIConnection> source = SourceStore(m_dir / "quiet-src.sdf", 3);
    FdoPtr<FdoIConnection> destination = DestinationStore(m_dir / "quiet-dest.sdf");
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(destination, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Copies");
    gxf::FeaturePump pump(insert, RenamingPairs());
    FdoPtr<FdoIFeatureReader> reader = SelectAll(source, L"Items");
    EXPECT_EQ(pump.Run(reader, 2), 3);
    reader->Close();
    EXPECT_EQ(CountAll(destination, L"Copies"), 3);
}); }

TEST_F(FeaturePump, ProgressThatSaysStopEndsTheRunAfterTheCurrentBatch) { Guarded([&] {
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
