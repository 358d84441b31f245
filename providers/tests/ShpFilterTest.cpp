// Filters through OSGeo.SHP select exactly the rows that the common filter
// evaluator alone accepts on an unfiltered read, whatever part of the
// filter went to OGR's attribute or spatial filter. The table covers every
// operator of the filter grammar on real files, plus a generated file with
// nulls and mixed-case text, where OGR's own rules differ from FDO's.
#include "ShpTestSupport.h"

using namespace shptest;

namespace {

std::vector<FdoInt32> EvaluatorRows(FdoIConnection* c, FdoString* cls, FdoString* filterText) {
    FdoPtr<FdoFeatureClass> def = DescribeClass(c, cls);
    FdoPtr<FdoFilter> filter = FdoFilter::Parse(filterText);
    FdoPtr<FdoCommonFilterEvaluator> evaluator = FdoCommonFilterEvaluator::Create(filter, def);
    FdoPtr<FdoIFeatureReader> r = SelectAll(c, cls);
    std::vector<FdoInt32> ids;
    while (r->ReadNext())
        if (evaluator->IsMatch(r)) ids.push_back(r->GetInt32(L"FeatId"));
    return ids;
}

std::vector<FdoInt32> ProviderRows(FdoIConnection* c, FdoString* cls, FdoString* filterText) {
    FdoPtr<FdoIFeatureReader> r = SelectAll(c, cls, filterText);
    std::vector<FdoInt32> ids;
    while (r->ReadNext()) ids.push_back(r->GetInt32(L"FeatId"));
    return ids;
}

struct Case {
    const wchar_t* filter;
};

void CheckTable(FdoIConnection* c, FdoString* cls, const std::vector<const wchar_t*>& filters, int total) {
    int selective = 0;
    for (const wchar_t* text : filters) {
        SCOPED_TRACE(FdoStringP::Utf8FromUnicode(text));
        std::vector<FdoInt32> expected, actual;
        std::string e1 = ErrorOf([&] { expected = EvaluatorRows(c, cls, text); });
        std::string e2 = ErrorOf([&] { actual = ProviderRows(c, cls, text); });
        EXPECT_EQ(e1, "");
        EXPECT_EQ(e2, "");
        EXPECT_EQ(actual, expected);
        if (!expected.empty() && static_cast<int>(expected.size()) < total) selective++;
    }
    // The table must exercise real selections, not only all-or-nothing ones.
    EXPECT_GT(selective, static_cast<int>(filters.size()) / 3);
}

const wchar_t* const kBox = L"GeomFromText('POLYGON ((-80 35, -79 35, -79 36, -80 36, -80 35))')";

}  // namespace

TEST(ShpFilter, RealCountiesEveryOperator) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    FdoPtr<FdoIConnection> c = Connect(geoxfer_test::SampleDataDir() / "sf/shape/nc.shp");
    std::vector<std::wstring> texts = {
        L"NAME = 'Ashe'", L"NAME = 'ashe'", L"NAME <> 'Ashe'", L"NAME != 'Ashe'", L"NAME > 'M'", L"NAME >= 'Wake'",
        L"NAME < 'b'", L"NAME <= 'Bertie'", L"NAME LIKE 'A%'", L"NAME LIKE '%son'", L"NAME LIKE '_ake'",
        L"CRESS_ID = 5", L"CRESS_ID <> 5", L"CRESS_ID > 50", L"CRESS_ID >= 50 AND CRESS_ID <= 60",
        L"CRESS_ID IN (1, 2, 3, 99)", L"NAME IN ('Ashe', 'WAKE', 'Wake')", L"NOT NAME IN ('Ashe')",
        L"NOT CRESS_ID IN (1, 2, 3)", L"CRESS_ID IN (2.0, 3.5)", L"50 < CRESS_ID", L"AREA > 0.1", L"AREA > 1e-1",
        L"AREA < 0.1 OR SID74 > 10", L"NOT (AREA > 0.1)", L"NOT (AREA > 0.1 AND SID74 < 5)",
        L"NOT (AREA > 0.1 OR NAME = 'Wake')", L"NOT NOT CRESS_ID < 10", L"BIR74 / 1000 > 5", L"SID74 * 2 + 1 > 20",
        L"BIR74 - SID74 < 1000", L"-AREA < -0.15", L"FeatId = 10", L"FeatId < 5", L"FeatId IN (1, 50, 100)",
        L"NOT FeatId > 3", L"FeatId >= 2.5 AND FeatId < 6", L"Upper(NAME) = 'ASHE'", L"Length(NAME) > 8",
        L"Abs(AREA - 0.1) < 0.01", L"Round(SID74) = 4", L"Lower(FIPS) LIKE '371%'", L"Concat(NAME, FIPS) LIKE 'A%'",
        L"Ceil(AREA * 10) = 2", L"Floor(BIR74 / 1000) = 1", L"Trim(NAME) = NAME AND CRESS_ID < 20",
        L"Substr(NAME, 1, 2) = 'Wa'", L"ToDouble(FIPS) > 37100", L"NullValue(NAME, 'x') = 'Ashe'",
        L"NAME NULL", L"NOT NAME NULL AND CRESS_ID < 30", L"NAME = FIPS OR CRESS_ID = 7",
        std::wstring(L"Geometry INTERSECTS ") + kBox, std::wstring(L"Geometry ENVELOPEINTERSECTS ") + kBox,
        L"Geometry WITHIN GeomFromText('POLYGON ((-82 34, -78 34, -78 36.3, -82 36.3, -82 34))')",
        L"Geometry INSIDE GeomFromText('POLYGON ((-82 34, -78 34, -78 36.3, -82 36.3, -82 34))')",
        L"Geometry COVEREDBY GeomFromText('POLYGON ((-82 34, -78 34, -78 36.3, -82 36.3, -82 34))')",
        L"Geometry CONTAINS GeomFromText('POINT (-79.5 35.5)')", L"Geometry DISJOINT GeomFromText('POINT (-79.5 35.5)')",
        L"Geometry CROSSES GeomFromText('LINESTRING (-80 35, -78 36)')",
        std::wstring(L"Geometry OVERLAPS ") + kBox, std::wstring(L"Geometry TOUCHES ") + kBox,
        std::wstring(L"Geometry EQUALS ") + kBox,
        L"Geometry WITHINDISTANCE GeomFromText('POINT (-79.5 35.5)') 0.5",
        L"Geometry BEYOND GeomFromText('POINT (-79.5 35.5)') 2",
        std::wstring(L"AREA > 0.1 AND Geometry INTERSECTS ") + kBox,
        std::wstring(L"NAME = 'Wake' OR Geometry INTERSECTS ") + kBox,
        std::wstring(L"NOT Geometry INTERSECTS ") + kBox + L" AND CRESS_ID < 40",
    };
    std::vector<const wchar_t*> filters;
    for (auto& t : texts) filters.push_back(t.c_str());
    CheckTable(c, L"nc", filters, 100);
}

TEST(ShpFilter, RealRoadsNumbersAndText) {
    SHARED_DATA_OR_SKIP("shp/Ontario/roads.shp");
    FdoPtr<FdoIConnection> c = Connect(geoxfer_test::SharedDataDir() / "shp/Ontario");
    CheckTable(c, L"roads",
               {L"LENGTH > 1000", L"LENGTH <= 250.5", L"FNODE_ > 100 AND TNODE_ < 200", L"FCODE LIKE '%1%'",
                L"FCODE NULL", L"NOT FCODE NULL AND LENGTH < 500", L"MNRCODE IN (106, 2, 3, 4, 5)",
                L"FCODE = 'DA24900000'", L"NOT (FCODE = 'DA24900000')", L"FCODE <> 'da24900000'",
                L"ROADWAYS_ <> ROADWAYS_I", L"ROADWAYS_ = 6 AND MNRCODE > 100",
                L"Geometry ENVELOPEINTERSECTS GeomFromText('POLYGON ((300000 12700000, 400000 12700000, "
                L"400000 12800000, 300000 12800000, 300000 12700000))')",
                L"Geometry INTERSECTS GeomFromText('POLYGON ((300000 12700000, 400000 12700000, "
                L"400000 12800000, 300000 12800000, 300000 12700000))')"},
               1088);
}

// Nulls and mixed case: FDO treats a comparison with null as unknown (never
// selected, also under NOT) and compares text case-sensitively; OGR does
// neither, so these rows decide whether the translation is exact.
TEST(ShpFilter, NullsAndCaseFollowFdoRules) {
    fs::path dir = geoxfer_test::TempDir("shp-filter");
    {
        FdoPtr<FdoIConnection> c = Connect(dir);
        FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(L"t", L"");
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        FdoPtr<FdoDataPropertyDefinition> s = FdoDataPropertyDefinition::Create(L"S", L"");
        s->SetLength(10);
        FdoPtr<FdoDataPropertyDefinition> n = FdoDataPropertyDefinition::Create(L"N", L"");
        n->SetDataType(FdoDataType_Int32);
        FdoPtr<FdoDataPropertyDefinition> d = FdoDataPropertyDefinition::Create(L"D", L"");
        d->SetDataType(FdoDataType_Decimal);
        d->SetPrecision(10);
        d->SetScale(2);
        FdoPtr<FdoDataPropertyDefinition> b = FdoDataPropertyDefinition::Create(L"B", L"");
        b->SetDataType(FdoDataType_Boolean);
        props->Add(s);
        props->Add(n);
        props->Add(d);
        props->Add(b);
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        classes->Add(cls);
        FdoPtr<FdoIApplySchema> apply = Command<FdoIApplySchema>(c, FdoCommandType_ApplySchema);
        apply->SetFeatureSchema(schema);
        apply->Execute();
        const wchar_t* texts[] = {L"abc", L"ABC", nullptr, L"Abd", L"b", nullptr};
        for (int i = 0; i < 12; i++) {
            FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
            insert->SetFeatureClassName(L"t");
            FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
            FdoPtr<FdoDataValue> sv = FdoDataValue::Create(texts[i % 6]);
            FdoPtr<FdoDataValue> nv = i % 4 == 3 ? FdoDataValue::Create(FdoDataType_Int32) : FdoDataValue::Create(FdoInt32(i));
            FdoPtr<FdoDataValue> dv = i % 5 == 4 ? FdoDataValue::Create(FdoDataType_Decimal)
                                                 : FdoDataValue::Create(i * 1.25, FdoDataType_Decimal);
            FdoPtr<FdoDataValue> bv = i % 3 == 2 ? FdoDataValue::Create(FdoDataType_Boolean) : FdoDataValue::Create(i % 2 == 0);
            for (auto [name, v] : {std::pair<FdoString*, FdoDataValue*>{L"S", sv}, {L"N", nv}, {L"D", dv}, {L"B", bv}}) {
                FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(name, v);
                values->Add(pv);
            }
            FdoPtr<FdoIFeatureReader> ids = insert->Execute();
        }
    }
    FdoPtr<FdoIConnection> c = Connect(dir);
    CheckTable(c, L"t",
               {L"S = 'abc'", L"S = 'ABC'", L"S <> 'abc'", L"NOT S = 'abc'", L"S > 'B'", L"S IN ('abc', 'b')",
                L"NOT S IN ('abc')", L"S NULL", L"NOT S NULL", L"N > 5", L"NOT N > 5", L"NOT (N > 5 AND D < 5)",
                L"N <> 3", L"N IN (1, 3, 4)", L"NOT N IN (1, 3, 4)", L"N NULL OR D NULL", L"NOT (N NULL OR D < 3)",
                L"D >= 2.5", L"NOT D >= 2.5", L"B = TRUE", L"B NULL", L"NOT B NULL", L"NOT B = FALSE",
                L"N > 2 OR S = 'b'", L"NOT (N > 2 OR S = 'b')", L"FeatId > 6 AND NOT N < 9"},
               12);
    c->Close();
    std::error_code ec;
    fs::remove_all(dir, ec);
}
