// Select-aggregates on every provider that offers it (OSGeo.SHP, OSGeo.SDF,
// OSGeo.OGR, Norv.KML): the same five points give the same counts and
// extent everywhere, with and without a filter, and every provider refuses
// the same requests with the same message. A grouping filter is refused
// first of all: there is no grouping for it to filter, and dropping it
// silently would return counts the caller did not ask for.
#include "OgrProviderTestSupport.h"
#include "SdfTestSupport.h"

namespace {

namespace fs = std::filesystem;
using shptest::Command;

FdoByteArray* Fgf(FdoString* text) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> g = factory->CreateGeometry(text);
    return factory->GetFgf(g);
}

// Class Agg in a new shape file folder: points (i, 10 i) for i = 0..4 with
// N = i, except that the third point's N is null.
void WriteSource(const fs::path& folder) {
    fs::create_directories(folder);
    FdoPtr<FdoIConnection> c = shptest::Connect(folder);
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(L"Agg", L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(L"Geometry", L"");
    g->SetGeometryTypes(FdoGeometricType_Point);
    props->Add(g);
    cls->SetGeometryProperty(g);
    FdoPtr<FdoDataPropertyDefinition> n = FdoDataPropertyDefinition::Create(L"N", L"");
    n->SetDataType(FdoDataType_Int32);
    props->Add(n);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    FdoPtr<FdoIApplySchema> apply = Command<FdoIApplySchema>(c, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    apply->Execute();
    for (int i = 0; i < 5; i++) {
        FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
        insert->SetFeatureClassName(L"Agg");
        FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
        FdoPtr<FdoByteArray> point = Fgf(FdoStringP::Format(L"POINT (%d %d)", i, 10 * i));
        FdoPtr<FdoGeometryValue> gv = FdoGeometryValue::Create(point);
        FdoPtr<FdoDataValue> nv = i == 2 ? FdoDataValue::Create(FdoDataType_Int32) : FdoDataValue::Create(FdoInt32(i));
        FdoPtr<FdoPropertyValue> pg = FdoPropertyValue::Create(L"Geometry", gv);
        FdoPtr<FdoPropertyValue> pn = FdoPropertyValue::Create(L"N", nv);
        values->Add(pg);
        values->Add(pn);
        FdoPtr<FdoIFeatureReader> ids = insert->Execute();
    }
    c->Close();
}

struct Store {
    std::string provider;
    FdoPtr<FdoIConnection> connection;
};

// The source and a copy of it in each of the other providers.
std::vector<Store> Stores(const fs::path& dir) {
    WriteSource(dir / "shp");
    std::vector<Store> stores;
    stores.push_back({"OSGeo.SHP", shptest::Connect(dir / "shp")});
    FdoIConnection* source = stores.front().connection;

    sdftest::CreateStore(dir / "agg.sdf");
    stores.push_back({"OSGeo.SDF", sdftest::OpenStore(dir / "agg.sdf")});
    stores.push_back({"OSGeo.OGR", ogrptest::Connect(L"OSGeo.OGR", FdoStringP(L"DataSource=") +
                                                                       ogrptest::Text(dir / "agg.gpkg"))});
    stores.push_back({"Norv.KML", ogrptest::Connect(L"Norv.KML", FdoStringP(L"File=") +
                                                                     ogrptest::Text(dir / "agg.kml") +
                                                                     L";ReadOnly=FALSE;")});
    for (size_t i = 1; i < stores.size(); i++)
        EXPECT_EQ(ogrptest::CopyClass(source, stores[i].connection, L"Agg"), 5) << stores[i].provider;
    return stores;
}

FdoISelectAggregates* Aggregates(FdoIConnection* c, std::initializer_list<FdoString*> items) {
    FdoPtr<FdoISelectAggregates> sa = Command<FdoISelectAggregates>(c, FdoCommandType_SelectAggregates);
    sa->SetFeatureClassName(L"Agg");
    FdoPtr<FdoIdentifierCollection> ids = sa->GetPropertyNames();
    for (FdoString* text : items) {
        FdoPtr<FdoExpression> e = FdoExpression::Parse(FdoStringP(text).Left(L" AS "));
        FdoPtr<FdoComputedIdentifier> ci = FdoComputedIdentifier::Create(FdoStringP(text).Right(L" AS "), e);
        ids->Add(ci);
    }
    return sa.Detach();
}

class SelectAggregates : public ::testing::Test {
protected:
    void SetUp() override { m_stores = Stores(geoxfer_test::TempDir("select-aggregates")); }
    void TearDown() override {
        for (auto& s : m_stores) s.connection->Close();
    }
    std::vector<Store> m_stores;
};

TEST_F(SelectAggregates, GroupingFilterIsRefusedByEveryProvider) {
    ASSERT_EQ(m_stores.size(), 4u);
    for (auto& s : m_stores) {
        FdoPtr<FdoISelectAggregates> sa = Aggregates(s.connection, {L"Count() AS Rows"});
        FdoPtr<FdoFilter> having = FdoFilter::Parse(L"Count() > 3");
        sa->SetGroupingFilter(having);
        std::string error = shptest::ErrorOf([&] { FdoPtr<FdoIDataReader> r = sa->Execute(); });
        EXPECT_NE(error.find("Select aggregates on class 'Agg': a grouping filter needs grouping, which is not "
                             "supported."),
                  std::string::npos)
            << s.provider << ": " << error;
    }
}

TEST_F(SelectAggregates, EveryProviderCountsAndBoundsTheSameRows) {
    for (auto& s : m_stores) {
        for (FdoString* filter : {static_cast<FdoString*>(nullptr), L"N >= 1"}) {
            FdoPtr<FdoISelectAggregates> sa = Aggregates(
                s.connection, {L"Count() AS Rows", L"Count(N) AS Values", L"SpatialExtents(Geometry) AS Box"});
            if (filter) sa->SetFilter(filter);
            std::string what = s.provider + (filter ? " filtered" : "");
            FdoPtr<FdoIDataReader> r;
            ASSERT_EQ(shptest::ErrorOf([&] { r = sa->Execute(); }), "") << what;
            ASSERT_TRUE(r->ReadNext()) << what;
            EXPECT_EQ(r->GetInt64(L"Rows"), filter ? 3 : 5) << what;
            EXPECT_EQ(r->GetInt64(L"Values"), filter ? 3 : 4) << what;
            FdoPtr<FdoByteArray> box = r->GetGeometry(L"Box");
            FdoFgfBounds b = FdoFgfBounds::Compute(box->GetData(), box->GetCount());
            EXPECT_NEAR(b.minX, filter ? 1 : 0, 1e-9) << what;
            EXPECT_NEAR(b.minY, filter ? 10 : 0, 1e-9) << what;
            EXPECT_NEAR(b.maxX, 4, 1e-9) << what;
            EXPECT_NEAR(b.maxY, 40, 1e-9) << what;
            EXPECT_FALSE(r->ReadNext()) << what;
        }
    }
}

TEST_F(SelectAggregates, EveryProviderRefusesWhatItCannotComputeAlike) {
    struct Case {
        std::function<void(FdoISelectAggregates*)> set;
        const char* message;
    } cases[] = {
        {[](FdoISelectAggregates* sa) { sa->SetDistinct(true); },
         "Select aggregates on class 'Agg': distinct is not supported."},
        {[](FdoISelectAggregates* sa) {
             FdoPtr<FdoIdentifierCollection> g = sa->GetGrouping();
             FdoPtr<FdoIdentifier> n = FdoIdentifier::Create(L"N");
             g->Add(n);
         },
         "Select aggregates on class 'Agg': grouping is not supported."},
        {[](FdoISelectAggregates* sa) {
             FdoPtr<FdoIdentifierCollection> list = sa->GetPropertyNames();
             list->Clear();
         },
         "Select aggregates on class 'Agg' needs Count or SpatialExtents in its property list."},
        {[](FdoISelectAggregates* sa) {
             FdoPtr<FdoIdentifierCollection> list = sa->GetPropertyNames();
             FdoPtr<FdoExpression> e = FdoExpression::Parse(L"Max(N)");
             FdoPtr<FdoComputedIdentifier> ci = FdoComputedIdentifier::Create(L"M", e);
             list->Add(ci);
         },
         "The aggregate function 'Max' is not supported: use Count or SpatialExtents."},
        {[](FdoISelectAggregates* sa) {
             FdoPtr<FdoIdentifierCollection> list = sa->GetPropertyNames();
             FdoPtr<FdoExpression> e = FdoExpression::Parse(L"Count(Missing)");
             FdoPtr<FdoComputedIdentifier> ci = FdoComputedIdentifier::Create(L"M", e);
             list->Add(ci);
         },
         "Class 'Agg' has no property 'Missing'."},
        {[](FdoISelectAggregates* sa) {
             FdoPtr<FdoIdentifierCollection> list = sa->GetPropertyNames();
             FdoPtr<FdoExpression> e = FdoExpression::Parse(L"SpatialExtents(N)");
             FdoPtr<FdoComputedIdentifier> ci = FdoComputedIdentifier::Create(L"M", e);
             list->Add(ci);
         },
         "SpatialExtents needs a geometric property of class 'Agg'; 'N' is not one."},
    };
    for (auto& s : m_stores) {
        for (auto& k : cases) {
            FdoPtr<FdoISelectAggregates> sa = Aggregates(s.connection, {L"Count() AS Rows"});
            k.set(sa);
            std::string error = shptest::ErrorOf([&] { FdoPtr<FdoIDataReader> r = sa->Execute(); });
            EXPECT_NE(error.find(k.message), std::string::npos) << s.provider << ": " << error;
        }
    }
}

}  // namespace
