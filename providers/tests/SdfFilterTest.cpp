// Filters through the SDF provider select exactly the rows that the common
// filter evaluator accepts on an unfiltered read: every operator of the
// filter grammar, over plain columns, DateTime text columns and geometry
// (where the R-tree and OGR's pushdown take part).
#include "SdfTestSupport.h"

#include <set>

using namespace sdftest;

namespace {

class SdfFilter : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new std::filesystem::path(geoxfer_test::TempDir("sdf-filter"));
        auto file = *dir / "filter.sdf";
        CreateStore(file);
        connection = OpenStore(file);
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
        FdoPtr<FdoFeatureClass> cls = ClassWithId(L"Sample");
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        FdoPtr<FdoDataPropertyDefinition> n = DataProperty(L"N", FdoDataType_Int32);
        FdoPtr<FdoDataPropertyDefinition> d = DataProperty(L"D", FdoDataType_Double);
        FdoPtr<FdoDataPropertyDefinition> s = DataProperty(L"S", FdoDataType_String);
        FdoPtr<FdoDataPropertyDefinition> t = DataProperty(L"T", FdoDataType_DateTime);
        FdoPtr<FdoDataPropertyDefinition> b = DataProperty(L"B", FdoDataType_Boolean);
        FdoPtr<FdoGeometricPropertyDefinition> g = Geometry(L"Geometry");
        for (FdoPropertyDefinition* p : std::initializer_list<FdoPropertyDefinition*>{n, d, s, t, b, g}) props->Add(p);
        cls->SetGeometryProperty(g);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        classes->Add(cls);
        ApplySchema(connection, schema);

        FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(connection, FdoCommandType_Insert);
        insert->SetFeatureClassName(L"Sample");
        FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
        for (FdoString* name : {L"N", L"D", L"S", L"T", L"B", L"Geometry"}) {
            FdoPtr<FdoParameter> p = FdoParameter::Create(name);
            AddValue(values, name, p);
        }
        FdoPtr<FdoBatchParameterValueCollection> batch = insert->GetBatchParameterValues();
        const wchar_t* words[] = {L"alpha", L"Beta", L"gamma", L"delta", L"ALPHA", L"alphabet", L"", L"o'neil"};
        for (int i = 0; i < 40; i++) {
            FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
            auto bind = [&](FdoString* name, FdoLiteralValue* v) {
                FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(name, v);
                row->Add(pv);
            };
            FdoPtr<FdoLiteralValue> nv = i % 7 == 3 ? FdoInt32Value::Create() : FdoInt32Value::Create(i - 10);
            FdoPtr<FdoLiteralValue> dv = i % 9 == 4 ? FdoDoubleValue::Create() : FdoDoubleValue::Create(i * 0.75 - 5);
            FdoPtr<FdoLiteralValue> sv = i % 11 == 5 ? FdoStringValue::Create() : FdoStringValue::Create(words[i % 8]);
            FdoDateTime when = i % 3 == 0   ? FdoDateTime(static_cast<FdoInt16>(2000 + i), 1 + i % 12, 1 + i % 28)
                               : i % 3 == 1 ? FdoDateTime(static_cast<FdoInt8>(i % 24), i, 0.5f)
                                            : FdoDateTime(static_cast<FdoInt16>(2010), 6, 15, i % 24, 0, 0.0f);
            FdoPtr<FdoLiteralValue> tv = i % 13 == 6 ? FdoDateTimeValue::Create() : FdoDateTimeValue::Create(when);
            FdoPtr<FdoLiteralValue> bv = i % 5 == 2 ? FdoBooleanValue::Create() : FdoBooleanValue::Create(i % 2 == 0);
            std::wstring wkt = i % 4 == 0   ? L"POINT (" + std::to_wstring(i) + L" " + std::to_wstring(i % 10) + L")"
                               : i % 4 == 1 ? L"LINESTRING (" + std::to_wstring(i) + L" 0, " + std::to_wstring(i + 3) + L" 6)"
                               : i % 4 == 2 ? L"POLYGON ((" + std::to_wstring(i) + L" 0, " + std::to_wstring(i + 2) +
                                                  L" 0, " + std::to_wstring(i + 2) + L" 2, " + std::to_wstring(i) +
                                                  L" 0))"
                                            : L"";
            FdoPtr<FdoGeometryValue> gv = FdoGeometryValue::Create();
            if (!wkt.empty()) {
                FdoPtr<FdoByteArray> fgf = Fgf(wkt.c_str());
                gv->SetGeometry(fgf);
            }
            bind(L"N", nv);
            bind(L"D", dv);
            bind(L"S", sv);
            bind(L"T", tv);
            bind(L"B", bv);
            bind(L"Geometry", gv);
            batch->Add(row);
        }
        FdoPtr<FdoIFeatureReader> ids = insert->Execute();
    }
    static void TearDownTestSuite() {
        connection->Close();
        FDO_SAFE_RELEASE(connection);
        delete dir;
    }

    static std::set<FdoInt32> Selected(FdoString* filter) {
        FdoPtr<FdoISelect> select = Command<FdoISelect>(connection, FdoCommandType_Select);
        select->SetFeatureClassName(L"Sample");
        select->SetFilter(filter);
        FdoPtr<FdoIdentifierCollection> names = select->GetPropertyNames();
        FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(L"Id");
        names->Add(id);  // the filter may name what the select list leaves out
        FdoPtr<FdoIFeatureReader> r = select->Execute();
        std::set<FdoInt32> out;
        while (r->ReadNext()) out.insert(r->GetInt32(L"Id"));
        return out;
    }

    static std::set<FdoInt32> Evaluated(FdoString* filterText) {
        FdoPtr<FdoISelect> select = Command<FdoISelect>(connection, FdoCommandType_Select);
        select->SetFeatureClassName(L"Sample");
        FdoPtr<FdoIFeatureReader> r = select->Execute();
        FdoPtr<FdoClassDefinition> cls = r->GetClassDefinition();
        FdoPtr<FdoFilter> filter = FdoFilter::Parse(filterText);
        FdoPtr<FdoCommonFilterEvaluator> evaluator = FdoCommonFilterEvaluator::Create(filter, cls);
        std::set<FdoInt32> out;
        while (r->ReadNext())
            if (evaluator->IsMatch(r)) out.insert(r->GetInt32(L"Id"));
        return out;
    }

    static inline std::filesystem::path* dir = nullptr;
    static inline FdoIConnection* connection = nullptr;
};

TEST_F(SdfFilter, EveryOperatorSelectsWhatTheEvaluatorAccepts) {
    const wchar_t* filters[] = {
        L"N = 5", L"N <> 5", L"N != 5", L"N > 5", L"N >= 5", L"N < 5", L"N <= 5", L"D > 0.5 AND D < 12",
        L"N = 3 OR N = 7 OR N NULL", L"NOT N > 0", L"NOT (N > 0 AND D < 3)", L"N NULL", L"NOT N NULL",
        L"N IN (1, 2, 3, 29)", L"NOT N IN (1, 2)", L"S = 'alpha'", L"S <> 'alpha'", L"S > 'alpha'", L"S <= 'alpha'",
        L"S LIKE 'alpha%'", L"S LIKE '%a'", L"S LIKE '_eta'", L"NOT S LIKE 'a%'", L"S IN ('alpha', 'ALPHA', 'o''neil')",
        L"S = ''", L"S NULL", L"B = TRUE", L"B = FALSE", L"B NULL",
        L"N + 2 > D * 2", L"N - 1 = 4", L"N / 2 > 3", L"-N > 3", L"Abs(N) < 3", L"Upper(S) = 'ALPHA'",
        L"Length(S) > 4", L"N > 0 AND S LIKE 'a%' OR D < -2",
        L"T = DATE '2000-01-01'", L"T > DATE '2015-01-01'", L"T < TIMESTAMP '2010-06-15 10:00:00'",
        L"T >= TIME '12:00:00'", L"T NULL", L"T IN (DATE '2003-04-04', TIMESTAMP '2010-06-15 05:00:00')",
        L"T > DATE '2010-01-01' AND N > 20", L"NOT T = TIME '01:01:00.5'",
        L"Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 12 0, 12 12, 0 12, 0 0))')",
        L"Geometry ENVELOPEINTERSECTS GeomFromText('POLYGON ((10 3, 14 3, 14 4, 10 4, 10 3))')",
        L"Geometry WITHIN GeomFromText('POLYGON ((-1 -1, 20 -1, 20 20, -1 20, -1 -1))')",
        L"Geometry INSIDE GeomFromText('POLYGON ((-1 -1, 20 -1, 20 20, -1 20, -1 -1))')",
        L"Geometry CONTAINS GeomFromText('POINT (19 0.5)')",
        L"Geometry COVEREDBY GeomFromText('POLYGON ((0 0, 40 0, 40 12, 0 12, 0 0))')",
        L"Geometry CROSSES GeomFromText('LINESTRING (0 3, 50 3)')",
        L"Geometry TOUCHES GeomFromText('POINT (8 8)')",
        L"Geometry OVERLAPS GeomFromText('POLYGON ((19 0, 30 0, 30 1, 19 1, 19 0))')",
        L"Geometry EQUALS GeomFromText('POINT (8 8)')",
        L"Geometry DISJOINT GeomFromText('POLYGON ((0 0, 12 0, 12 12, 0 12, 0 0))')",
        L"Geometry WITHINDISTANCE GeomFromText('POINT (20 5)') 3.5",
        L"Geometry BEYOND GeomFromText('POINT (20 5)') 10",
        L"Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 30 0, 30 9, 0 9, 0 0))') AND N > 5",
        L"Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 30 0, 30 9, 0 9, 0 0))') AND T > DATE '2001-01-01'",
        L"Geometry NULL", L"Id > 20", L"Id IN (1, 5, 9) OR N = 2", L"Id < 10 AND Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 12 0, 12 12, 0 12, 0 0))')",
    };
    int nonTrivial = 0;
    for (const wchar_t* f : filters) {
        std::set<FdoInt32> expected = Evaluated(f);
        std::set<FdoInt32> got;
        std::wstring error = Thrown([&] { got = Selected(f); });
        EXPECT_EQ(error, L"") << Narrow(f) << ": " << Narrow(error);
        EXPECT_EQ(got, expected) << Narrow(f);
        if (!expected.empty() && expected.size() < 40) nonTrivial++;
    }
    EXPECT_GE(nonTrivial, 50);
    EXPECT_EQ(Selected(L"N = 5"), (std::set<FdoInt32>{16}));
    EXPECT_EQ(Selected(L"T = DATE '2000-01-01'"), (std::set<FdoInt32>{1}));
}

TEST_F(SdfFilter, ParametersUpdateAndDeleteFollowTheFilter) {
    FdoPtr<FdoISelect> select = Command<FdoISelect>(connection, FdoCommandType_Select);
    select->SetFeatureClassName(L"Sample");
    select->SetFilter(L"N > :low");
    FdoPtr<FdoParameterValueCollection> params = select->GetParameterValues();
    FdoPtr<FdoInt32Value> low = FdoInt32Value::Create(25);
    FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(L"low", low);
    params->Add(pv);
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    int n = 0;
    while (r->ReadNext()) n++;
    EXPECT_EQ(n, static_cast<int>(Evaluated(L"N > 25").size()));
    r->Close();

    std::set<FdoInt32> before = Selected(L"T > DATE '2020-01-01'");
    ASSERT_FALSE(before.empty());
    FdoPtr<FdoIUpdate> update = Command<FdoIUpdate>(connection, FdoCommandType_Update);
    update->SetFeatureClassName(L"Sample");
    update->SetFilter(L"T > DATE '2020-01-01'");
    FdoPtr<FdoPropertyValueCollection> values = update->GetPropertyValues();
    FdoPtr<FdoStringValue> marked = FdoStringValue::Create(L"late");
    AddValue(values, L"S", marked);
    EXPECT_EQ(update->Execute(), static_cast<FdoInt32>(before.size()));
    EXPECT_EQ(Selected(L"S = 'late'"), before);

    FdoPtr<FdoIUpdate> readOnly = Command<FdoIUpdate>(connection, FdoCommandType_Update);
    readOnly->SetFeatureClassName(L"Sample");
    FdoPtr<FdoPropertyValueCollection> idValues = readOnly->GetPropertyValues();
    FdoPtr<FdoInt32Value> one = FdoInt32Value::Create(1);
    AddValue(idValues, L"Id", one);
    EXPECT_NE(Thrown([&] { readOnly->Execute(); }).find(L"read-only"), std::wstring::npos);

    FdoPtr<FdoIDelete> del = Command<FdoIDelete>(connection, FdoCommandType_Delete);
    del->SetFeatureClassName(L"Sample");
    del->SetFilter(L"S = 'late'");
    EXPECT_EQ(del->Execute(), static_cast<FdoInt32>(before.size()));
    EXPECT_TRUE(Selected(L"S = 'late'").empty());
    std::set<FdoInt32> left;
    std::wstring error = Thrown([&] { left = Selected(L"Id > 0"); });
    EXPECT_EQ(error, L"") << Narrow(error);
    EXPECT_EQ(left.size(), 40 - before.size());
}

}  // namespace
