// The read performance test: run limits, what is read per feature, filters,
// and the class lookup, on real shape files and SDF stores.
#include "TransferTestSupport.h"

using namespace transfer_test;

namespace {

class ReadPerformance : public testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("readperf"); }

    // An SDF store with class "Items": identity Id, Code, Label, geometry Geom,
    // and `count` features.
    FdoIConnection* Items(int count) {
        FdoPtr<FdoIConnection> c = NewSdf(m_dir / "items.sdf");
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"S", L"");
        FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Items");
        AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Code", FdoDataType_Int32)));
        AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Label", FdoDataType_String, 20)));
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
        Apply(c, schema);
        for (int i = 0; i < count; i++)
            InsertOne(c, L"Items",
                      {{L"Code", FdoDataValue::Create(FdoInt32(i))},
                       {L"Label", i % 2 ? FdoDataValue::Create(L"odd") : nullptr},
                       {L"Geom", FdoGeometryValue::Create(FdoPtr<FdoByteArray>(Fgf(L"POINT (1 2)")))}});
        return c.Detach();
    }
    fs::path m_dir;
};

}  // namespace

TEST_F(ReadPerformance, NumberOfRunsMustBeFromOneToTenThousand) { Guarded([&] {
    FdoPtr<FdoIConnection> c = Items(1);
    double seconds = -1;
    for (long runs : {0L, -5L, 10001L})
        EXPECT_EQ(ErrorOf([&] { c_FDO_Api::RunSelectComm(c, L"Items", nullptr, false, runs, seconds); }),
                  L"Invalid Number of Test Loops!");
    EXPECT_EQ(seconds, -1) << "the time is written only on success";
    EXPECT_EQ(c_FDO_Api::RunSelectComm(c, L"Items", nullptr, false, 1, seconds), 1);
    EXPECT_GE(seconds, 0);
    // 10000 runs are accepted; a filter that selects nothing keeps them short.
    EXPECT_EQ(c_FDO_Api::RunSelectComm(c, L"Items", L"Code < 0", true, 10000, seconds), 0);
    EXPECT_GE(seconds, 0);
}); }

TEST_F(ReadPerformance, IdentityAndGeometryOnlyReadsJustThose) { Guarded([&] {
    FdoPtr<FdoIConnection> inner = Items(4);
    FdoPtr<Disguise> c = Disguise::Create(inner, L"OSGeo.SDF.3.9");
    double seconds = -1;
    EXPECT_EQ(c_FDO_Api::RunSelectComm(c, L"Items", nullptr, true, 2, seconds), 4);
    auto log = c->Selects();
    EXPECT_EQ(log->executions, 2);
    EXPECT_EQ(log->propertyNames, (std::vector<std::wstring>{L"Id", L"Geom"}));
    EXPECT_EQ(log->reads.count(L"Code"), 0u);
    EXPECT_EQ(log->reads.count(L"Label"), 0u);
    // Per feature and run: a data value is tested for null, then read by
    // the conversion (which tests again); a geometry is tested and read.
    EXPECT_EQ(log->reads[L"Id"], 2 * 4 * 3);
    EXPECT_EQ(log->reads[L"Geom"], 2 * 4 * 2);
}); }

TEST_F(ReadPerformance, AllPropertiesAreReadAndNullsAreSkipped) { Guarded([&] {
    FdoPtr<FdoIConnection> inner = Items(4);
    FdoPtr<Disguise> c = Disguise::Create(inner, L"OSGeo.SDF.3.9");
    double seconds = -1;
    EXPECT_EQ(c_FDO_Api::RunSelectComm(c, L"Items", L"", false, 1, seconds), 4);
    auto log = c->Selects();
    EXPECT_TRUE(log->propertyNames.empty()) << "no property list: the select returns all";
    EXPECT_EQ(log->reads[L"Code"], 4 * 3);
    EXPECT_EQ(log->reads[L"Label"], 2 * 3 + 2 * 1) << "two of four labels are null and only tested";
}); }

TEST_F(ReadPerformance, FilterSelectingNothingGivesZero) { Guarded([&] {
    FdoPtr<FdoIConnection> c = Items(3);
    double seconds = -1;
    EXPECT_EQ(c_FDO_Api::RunSelectComm(c, L"Items", L"Code > 100", false, 3, seconds), 0);
    EXPECT_GE(seconds, 0);
    EXPECT_EQ(c_FDO_Api::RunSelectComm(c, L"Items", L"Code >= 1", false, 3, seconds), 2);
}); }

TEST_F(ReadPerformance, UnknownClassFails) { Guarded([&] {
    FdoPtr<FdoIConnection> c = Items(1);
    double seconds = -1;
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::RunSelectComm(c, L"Nothing", nullptr, false, 1, seconds); }),
              L"c_FDO_Api::RunSelectComm: Unable to get class definition source with given class name!");
}); }

TEST_F(ReadPerformance, ClassInTwoSchemasFails) { Guarded([&] {
    FdoPtr<FdoIConnection> inner = Items(1);
    FdoPtr<FdoIConnection> c = Disguise::Create(inner, L"OSGeo.SDF.3.9", {.twinSchema = L"Twin"});
    double seconds = -1;
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::RunSelectComm(c, L"Items", nullptr, false, 1, seconds); }),
              L"c_FDO_Api::RunSelectComm: Unable to get class definition source with given class name!");
    // A qualified name picks one of them.
    EXPECT_EQ(c_FDO_Api::RunSelectComm(c, L"S:Items", nullptr, false, 1, seconds), 1);
}); }

TEST_F(ReadPerformance, RealShapeFile) { Guarded([&] {
    SHARED_DATA_OR_SKIP("shp/Ontario");
    FdoPtr<FdoIConnection> shp = OpenShp(geoxfer_test::SharedDataDir() / "shp/Ontario");
    double seconds = -1;
    EXPECT_EQ(c_FDO_Api::RunSelectComm(shp, L"roads", nullptr, false, 2, seconds), 1088);
    EXPECT_GE(seconds, 0);
    EXPECT_EQ(c_FDO_Api::RunSelectComm(shp, L"Default:roads", nullptr, true, 1, seconds), 1088);
}); }
