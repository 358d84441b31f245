// FilterPlan sends to OGR only what OGR decides exactly as FDO does: null
// guards on every comparison, NOT pushed to the leaves, text equality only
// as a pre-filter, no functions, LIKE or mismatched literals; spatial
// conditions give a rectangle but stay with the evaluator.
#include "OgrCoreTestSupport.h"

#include <ogrcore/OgrFilterPlan.h>

using namespace shptest;

namespace {

struct PlanCase {
    const wchar_t* filter;
    const char* sql;
    bool residual;
};

}  // namespace

TEST(OgrCoreFilterPlan, TranslatesOnlyWhatOgrDecidesExactly) {
    fs::path dir = geoxfer_test::TempDir("ogr-plan");
    FdoPtr<ogrcore::ClassMap> map = ogrtest::MakeItems(dir, 1);
    FdoPtr<ogrcore::DataSource> source = map->GetSource();
    ogrcore::LayerLease lease = source->Read("items");
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(lease.Layer());
    const PlanCase cases[] = {
        {L"Count > 5", "(\"Count\" IS NOT NULL AND \"Count\" > 5)", false},
        {L"NOT Count > 5", "(\"Count\" IS NOT NULL AND \"Count\" <= 5)", false},
        {L"5 < Count", "(\"Count\" IS NOT NULL AND \"Count\" > 5)", false},
        {L"Price <= 2.5 AND Count <> 3",
         "(\"Price\" IS NOT NULL AND \"Price\" <= 2.5) AND (\"Count\" IS NOT NULL AND \"Count\" <> 3)", false},
        {L"NOT (Count = 1 OR Price > 2)",
         "((\"Count\" IS NOT NULL AND \"Count\" <> 1) AND (\"Price\" IS NOT NULL AND \"Price\" <= 2))", false},
        {L"Count IN (1, 2)", "(\"Count\" IS NOT NULL AND \"Count\" IN (1, 2))", false},
        {L"NOT Count IN (1, 2)", "(\"Count\" IS NOT NULL AND NOT (\"Count\" IN (1, 2)))", false},
        {L"Name NULL", "\"Name\" IS NULL", false},
        {L"NOT Name NULL", "\"Name\" IS NOT NULL", false},
        {L"Id = 3", "FID = 3", false},
        {L"Name = 'odd'", "(\"Name\" IS NOT NULL AND \"Name\" = 'odd')", true},
        {L"Name = 'it''s'", "(\"Name\" IS NOT NULL AND \"Name\" = 'it''s')", true},
        {L"Name <> 'odd'", "", true},
        {L"Name > 'a'", "", true},
        {L"Name LIKE 'o%'", "", true},
        {L"Upper(Name) = 'ODD'", "", true},
        {L"Count = 'x'", "", true},
        {L"Count + 1 > 5", "", true},
        {L"Count > 5 OR Upper(Name) = 'X'", "", true},
        {L"Count > 5 AND Name LIKE 'o%'", "(\"Count\" IS NOT NULL AND \"Count\" > 5)", true},
        {L"When NULL", "\"When\" IS NULL", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FdoStringP::Utf8FromUnicode(c.filter));
        FdoPtr<FdoFilter> filter = FdoFilter::Parse(c.filter);
        ogrcore::FilterPlan plan = ogrcore::FilterPlan::Make(filter, map, defn);
        EXPECT_EQ(plan.attributeFilter, c.sql);
        EXPECT_EQ(plan.residual != nullptr, c.residual);
        EXPECT_FALSE(plan.hasRect);
        // OGR accepts every translation.
        if (!plan.attributeFilter.empty()) {
            EXPECT_EQ(OGR_L_SetAttributeFilter(lease.Layer(), plan.attributeFilter.c_str()), OGRERR_NONE);
        }
    }
    OGR_L_SetAttributeFilter(lease.Layer(), nullptr);

    const wchar_t* box = L"GeomFromText('POLYGON ((0 0, 10 0, 10 5, 0 5, 0 0))')";
    FdoPtr<FdoFilter> spatial = FdoFilter::Parse(FdoStringP(L"Geometry INTERSECTS ") + box + L" AND Count > 1");
    ogrcore::FilterPlan plan = ogrcore::FilterPlan::Make(spatial, map, defn);
    EXPECT_TRUE(plan.hasRect);
    EXPECT_LE(plan.minX, 0);
    EXPECT_GE(plan.maxX, 10);
    EXPECT_GT(plan.minX, -1e-6);
    EXPECT_TRUE(plan.residual);
    EXPECT_EQ(plan.attributeFilter, "(\"Count\" IS NOT NULL AND \"Count\" > 1)");
    FdoPtr<FdoFilter> envelope = FdoFilter::Parse(FdoStringP(L"Geometry ENVELOPEINTERSECTS ") + box);
    EXPECT_FALSE(ogrcore::FilterPlan::Make(envelope, map, defn).hasRect);
    FdoPtr<FdoFilter> either = FdoFilter::Parse(FdoStringP(L"Geometry INTERSECTS ") + box + L" OR Count > 1");
    EXPECT_FALSE(ogrcore::FilterPlan::Make(either, map, defn).hasRect);
    EXPECT_EQ(ogrcore::FilterPlan::Make(spatial, map, defn, false).attributeFilter, "");
}
