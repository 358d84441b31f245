// The common filter evaluator on an in-memory reader: null logic, every
// data type, LIKE, IN, arithmetic, functions, spatial and distance
// conditions, preparation errors, and the filter splitter.
#include "FilterTestSupport.h"

#include <map>
#include <vector>

namespace {

using filtertest::U8;

struct Column {
    const wchar_t* name;
    FdoDataType type;
    bool geometry = false;
};

const std::vector<Column> kColumns = {
    {L"ID", FdoDataType_Int32},     {L"Name", FdoDataType_String},   {L"Price", FdoDataType_Double},
    {L"Count", FdoDataType_Int64},  {L"Small", FdoDataType_Int16},   {L"Flag", FdoDataType_Boolean},
    {L"When", FdoDataType_DateTime}, {L"Rate", FdoDataType_Decimal}, {L"Ratio", FdoDataType_Single},
    {L"Code", FdoDataType_Byte},    {L"Geometry", FdoDataType_BLOB, true},
};

// One row per line, one value per column, as expression text.
const std::vector<std::vector<const wchar_t*>> kRows = {
    {L"1", L"'Alpha'", L"10.5", L"100", L"1", L"TRUE", L"DATE '2020-01-15'", L"2.5", L"0.5", L"7",
     L"GeomFromText('POINT (1 1)')"},
    {L"2", L"'beta'", L"20", L"5000000000", L"-3", L"FALSE", L"TIMESTAMP '2021-06-30 12:00:00'", L"NULL", L"1.5",
     L"255", L"GeomFromText('POLYGON ((0 0, 4 0, 4 4, 0 4, 0 0))')"},
    {L"3", L"NULL", L"NULL", L"NULL", L"NULL", L"NULL", L"NULL", L"NULL", L"NULL", L"NULL", L"NULL"},
    {L"4", L"'Al_pha%'", L"-1", L"0", L"0", L"TRUE", L"DATE '2019-12-31'", L"0", L"0", L"0",
     L"GeomFromText('LINESTRING (10 10, 20 20)')"},
    {L"5", L"'  Gamma '", L"0", L"-7", L"32767", L"FALSE", L"DATE '2020-01-15'", L"1", L"2", L"1",
     L"GeomFromText('POLYGON ((5 5, 6 5, 6 6, 5 6, 5 5))')"},
};

FdoFeatureClass* MakeClass() {
    FdoFeatureClass* cls = FdoFeatureClass::Create(L"Parcels", L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    for (const Column& c : kColumns) {
        if (c.geometry) {
            props->Add(FdoPtr<FdoPropertyDefinition>(FdoGeometricPropertyDefinition::Create(c.name, L"")));
        } else {
            FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(c.name, L"");
            p->SetDataType(c.type);
            props->Add(p);
        }
    }
    return cls;
}

// Reader getters that insist on the exact type, as real readers do.
template <class Base>
class FakeReader : public Base {
public:
    int indexLookups = 0;

    explicit FakeReader(FdoClassDefinition* cls) : m_class(FDO_SAFE_ADDREF(cls)) {
        for (const auto& row : kRows) {
            std::vector<FdoPtr<FdoLiteralValue>> cells;
            for (size_t i = 0; i < kColumns.size(); i++) {
                FdoPtr<FdoExpression> e = FdoExpression::Parse(row[i]);
                if (kColumns[i].geometry) {
                    FdoLiteralValue* g = e->GetExpressionType() == FdoExpressionItemType_GeometryValue
                                             ? static_cast<FdoLiteralValue*>(FDO_SAFE_ADDREF(e.p))
                                             : FdoGeometryValue::Create();
                    cells.emplace_back(g);
                } else {
                    cells.emplace_back(FdoDataValue::Create(kColumns[i].type, static_cast<FdoDataValue*>(e.p)));
                }
            }
            m_rows.push_back(std::move(cells));
        }
    }

    bool GetBoolean(FdoString* n) override { return Data<FdoBooleanValue>(n, FdoDataType_Boolean)->GetBoolean(); }
    FdoByte GetByte(FdoString* n) override { return Data<FdoByteValue>(n, FdoDataType_Byte)->GetByte(); }
    FdoDateTime GetDateTime(FdoString* n) override {
        return Data<FdoDateTimeValue>(n, FdoDataType_DateTime)->GetDateTime();
    }
    double GetDouble(FdoString* n) override {
        FdoDataValue* v = Cell<FdoDataValue>(n);
        if (v->GetDataType() == FdoDataType_Decimal) return static_cast<FdoDecimalValue*>(v)->GetDecimal();
        return Data<FdoDoubleValue>(n, FdoDataType_Double)->GetDouble();
    }
    FdoInt16 GetInt16(FdoString* n) override { return Data<FdoInt16Value>(n, FdoDataType_Int16)->GetInt16(); }
    FdoInt32 GetInt32(FdoString* n) override { return Data<FdoInt32Value>(n, FdoDataType_Int32)->GetInt32(); }
    FdoInt64 GetInt64(FdoString* n) override { return Data<FdoInt64Value>(n, FdoDataType_Int64)->GetInt64(); }
    float GetSingle(FdoString* n) override { return Data<FdoSingleValue>(n, FdoDataType_Single)->GetSingle(); }
    FdoString* GetString(FdoString* n) override { return Data<FdoStringValue>(n, FdoDataType_String)->GetString(); }
    FdoLOBValue* GetLOB(FdoString*) override { return nullptr; }
    FdoIStreamReader* GetLOBStreamReader(FdoString*) override { return nullptr; }
    bool IsNull(FdoString* n) override {
        FdoLiteralValue* v = Cell<FdoLiteralValue>(n);
        return v->GetLiteralValueType() == FdoLiteralValueType_Geometry ? static_cast<FdoGeometryValue*>(v)->IsNull()
                                                                        : static_cast<FdoDataValue*>(v)->IsNull();
    }
    FdoByteArray* GetGeometry(FdoString* n) override {
        FdoLiteralValue* v = Cell<FdoLiteralValue>(n);
        if (v->GetLiteralValueType() != FdoLiteralValueType_Geometry)
            throw FdoCommandException::Create(L"Not a geometry property.");
        return static_cast<FdoGeometryValue*>(v)->GetGeometry();
    }
    FdoIRaster* GetRaster(FdoString*) override { return nullptr; }
    FdoString* GetPropertyName(FdoInt32 i) override {
        if (i < 0 || i >= static_cast<FdoInt32>(kColumns.size())) throw FdoCommandException::Create(L"Bad index.");
        return kColumns[static_cast<size_t>(i)].name;
    }
    FdoInt32 GetPropertyIndex(FdoString* name) override {
        indexLookups++;
        return Find(name);
    }
    bool ReadNext() override { return ++m_row < static_cast<int>(m_rows.size()); }
    void Close() override {}

protected:
    ~FakeReader() override { FDO_SAFE_RELEASE(m_class); }
    void Dispose() override { delete this; }

    static FdoInt32 Find(FdoString* name) {
        for (size_t i = 0; i < kColumns.size(); i++)
            if (wcscmp(kColumns[i].name, name) == 0) return static_cast<FdoInt32>(i);
        throw FdoCommandException::Create(L"No such property.");
    }
    template <class T>
    T* Cell(FdoString* name) {
        return static_cast<T*>(m_rows.at(static_cast<size_t>(m_row))[static_cast<size_t>(Find(name))].p);
    }
    template <class T>
    T* Data(FdoString* name, FdoDataType type) {
        auto* v = Cell<FdoDataValue>(name);
        if (v->GetLiteralValueType() != FdoLiteralValueType_Data || v->GetDataType() != type)
            throw FdoCommandException::Create(L"Fetching a property value did not match the property type.");
        return static_cast<T*>(v);
    }

    FdoClassDefinition* m_class;
    std::vector<std::vector<FdoPtr<FdoLiteralValue>>> m_rows;
    int m_row = -1;
};

class FakeFeatureReader : public FakeReader<FdoIFeatureReader> {
public:
    static FakeFeatureReader* Create(FdoClassDefinition* cls) { return new FakeFeatureReader(cls); }
    FdoClassDefinition* GetClassDefinition() override { return FDO_SAFE_ADDREF(m_class); }
    FdoInt32 GetDepth() override { return 0; }
    using FakeReader<FdoIFeatureReader>::GetGeometry;
    const FdoByte* GetGeometry(FdoString* n, FdoInt32* count) override {
        FdoPtr<FdoByteArray> bytes = GetGeometry(n);
        *count = bytes->GetCount();
        return bytes->GetData();  // the row's value keeps the bytes alive
    }
    FdoIFeatureReader* GetFeatureObject(FdoString*) override { return nullptr; }

private:
    using FakeReader::FakeReader;
};

class FakeDataReader : public FakeReader<FdoIDataReader> {
public:
    static FakeDataReader* Create() { return new FakeDataReader(nullptr); }
    FdoInt32 GetPropertyCount() override { return static_cast<FdoInt32>(kColumns.size()); }
    FdoDataType GetDataType(FdoString* n) override { return kColumns[static_cast<size_t>(GetPropertyIndex(n))].type; }
    FdoPropertyType GetPropertyType(FdoString* n) override {
        return kColumns[static_cast<size_t>(GetPropertyIndex(n))].geometry ? FdoPropertyType_GeometricProperty
                                                                         : FdoPropertyType_DataProperty;
    }

private:
    using FakeReader::FakeReader;
};

// The IDs of the rows that a filter selects.
std::vector<int> Select(FdoFilter* filter, FdoParameterValueCollection* params = nullptr) {
    FdoPtr<FdoClassDefinition> cls = MakeClass();
    FdoPtr<FdoCommonFilterEvaluator> eval = FdoCommonFilterEvaluator::Create(filter, cls, params);
    FdoPtr<FakeFeatureReader> reader = FakeFeatureReader::Create(cls);
    std::vector<int> ids;
    while (reader->ReadNext())
        if (eval->IsMatch(reader)) ids.push_back(reader->GetInt32(L"ID"));
    return ids;
}

std::vector<int> Select(const wchar_t* text) {
    FdoPtr<FdoFilter> f = FdoFilter::Parse(text);
    return Select(f);
}

struct Case {
    const wchar_t* filter;
    std::vector<int> ids;
};

void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "filter: " << U8(c.filter));
        try {
            EXPECT_EQ(Select(c.filter), c.ids);
        } catch (FdoException* e) {
            ADD_FAILURE() << U8(e->ToFullString());
            e->Release();
        }
    }
}

TEST(FilterEvaluator, NullsMakeConditionsUnknown) {
    Check({
        {L"Name = 'Alpha'", {1}},
        {L"Name <> 'Alpha'", {2, 4, 5}},
        {L"NOT Name = 'Alpha'", {2, 4, 5}},
        {L"NOT (Name = 'Alpha' OR ID = 3)", {2, 4, 5}},
        {L"Name = 'Alpha' OR ID = 3", {1, 3}},
        {L"NOT (Name = 'x' AND ID = 3)", {1, 2, 4, 5}},
        {L"Name NULL", {3}},
        {L"NOT Name NULL", {1, 2, 4, 5}},
        {L"Geometry NULL", {3}},
        {L"Price = NULL", {}},
        {L"NOT Price = NULL", {}},
    });
}

TEST(FilterEvaluator, ComparesAcrossNumericTypes) {
    Check({
        {L"ID = 1", {1}},
        {L"ID <> 1", {2, 3, 4, 5}},
        {L"Price > 10", {1, 2}},
        {L"Price >= 20", {2}},
        {L"Price < 0", {4}},
        {L"Price <= 0", {4, 5}},
        {L"Price = 20", {2}},
        {L"Count > 4294967296", {2}},
        {L"Count = 5000000000.0", {2}},
        {L"Count < -6.5", {5}},
        {L"Small < 0 OR Small = 32767", {2, 5}},
        {L"Code = 255", {2}},
        {L"Rate = 2.5", {1}},
        {L"Ratio = 1.5", {2}},
        {L"Flag = TRUE", {1, 4}},
        {L"Flag <> TRUE", {2, 5}},
        {L"Name > 'B'", {2}},
        {L"When = DATE '2020-01-15'", {1, 5}},
        {L"When > DATE '2020-01-15'", {2}},
        {L"When < DATE '2020-01-01'", {4}},
        {L"When = TIMESTAMP '2020-01-15 00:00:00'", {1, 5}},
        {L"When < TIMESTAMP '2020-01-15 00:00:01'", {1, 4, 5}},
    });
}

TEST(FilterEvaluator, LikeAndIn) {
    Check({
        {L"Name LIKE 'Al%'", {1, 4}},
        {L"Name LIKE 'al%'", {}},
        {L"Name LIKE '_eta'", {2}},
        {L"Name LIKE '%a'", {1, 2}},
        {L"Name LIKE '%'", {1, 2, 4, 5}},
        {L"Name LIKE 'Al_pha%'", {4}},
        {L"Name LIKE '%%m%a%'", {5}},
        {L"Name LIKE 'Alpha_'", {}},
        {L"ID IN (1, 3, 5)", {1, 3, 5}},
        {L"Name IN ('Alpha', 'beta')", {1, 2}},
        {L"Name IN ('zzz', NULL)", {}},
        {L"NOT Name IN ('zzz', NULL)", {}},
        {L"NOT Name IN ('Alpha')", {2, 4, 5}},
        {L"Price IN (20, 10.5)", {1, 2}},
        {L"When IN (DATE '2019-12-31')", {4}},
    });
}

TEST(FilterEvaluator, Arithmetic) {
    Check({
        {L"Price * 2 = 21", {1}},
        {L"ID + 1 = 3", {2}},
        {L"ID / 2 = 0.5", {1}},
        {L"ID / (ID - 1) > 0", {2, 3, 4, 5}},
        {L"NullValue(ID / 0, -1) = -1", {1, 2, 3, 4, 5}},
        {L"Count * 4000000000 > 0", {1, 2}},
        {L"-Price > 0", {4}},
        {L"Name || 'x' = 'Alphax'", {1}},
        {L"Name + Name = 'betabeta'", {2}},
        {L"(Price * 2) AS P2, P2 > 20", {1, 2}},
    });
}

TEST(FilterEvaluator, Functions) {
    Check({
        {L"Upper(Name) = 'BETA'", {2}},
        {L"UPPER(Name) = 'BETA'", {2}},
        {L"Lower(Name) LIKE 'al%'", {1, 4}},
        {L"Length(Name) = 8", {5}},
        {L"Trim(Name) = 'Gamma'", {5}},
        {L"Substr(Name, 2, 3) = 'lph'", {1}},
        {L"Substr(Name, 3) = 'ta'", {2}},
        {L"Substr(Name, 40) = ''", {1, 2, 4, 5}},
        {L"Abs(Price) = 1", {4}},
        {L"Ceil(Price) = 11 AND Floor(Price) = 10", {1}},
        {L"Round(Price) = 11", {1}},
        {L"Round(Ratio, 0) = 2", {2, 5}},
        {L"Round(Price / 3, 2) = 3.5", {1}},
        {L"Sqrt(Price) = 0", {5}},
        {L"NullValue(Sqrt(Price), -1) = -1", {3, 4}},
        {L"Concat(Name, '-', ID) = 'beta-2'", {2}},
        {L"ToString(Price) = '10.5' OR ToString(Flag) = 'FALSE'", {1, 2, 5}},
        {L"ToDouble('2.5') = Rate", {1}},
        {L"ToDouble(Name) = 1", {}},
        {L"ToInt32(Price) = 10", {1}},
        {L"ToInt32('12') = ID + 11", {1}},
        {L"NullValue(Name, 'none') = 'none'", {3}},
    });
}

TEST(FilterEvaluator, SpatialPredicates) {
    const wchar_t* square = L"GeomFromText('POLYGON ((0 0, 4 0, 4 4, 0 4, 0 0))')";
    auto with = [&](const wchar_t* op) { return std::wstring(L"Geometry ") + op + L" " + square; };
    std::vector<std::wstring> texts = {with(L"WITHIN"), with(L"INSIDE"), with(L"COVEREDBY")};
    EXPECT_EQ(Select(texts[0].c_str()), (std::vector<int>{1, 2}));
    EXPECT_EQ(Select(texts[1].c_str()), (std::vector<int>{1})) << "INSIDE excludes the boundary";
    EXPECT_EQ(Select(texts[2].c_str()), (std::vector<int>{1, 2}));
    Check({
        {L"Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 2 0, 2 2, 0 2, 0 0))')", {1, 2}},
        {L"Geometry WITHIN GeomFromText('POLYGON ((0 0, 7 0, 7 7, 0 7, 0 0))')", {1, 2, 5}},
        {L"Geometry CONTAINS GeomFromText('POINT (2 2)')", {2}},
        {L"Geometry DISJOINT GeomFromText('POINT (2 2)')", {1, 4, 5}},
        {L"Geometry TOUCHES GeomFromText('POINT (4 2)')", {2}},
        {L"Geometry CROSSES GeomFromText('LINESTRING (15 0, 15 30)')", {4}},
        {L"Geometry OVERLAPS GeomFromText('POLYGON ((3 3, 5.5 3, 5.5 5.5, 3 5.5, 3 3))')", {2, 5}},
        {L"Geometry EQUALS GeomFromText('POLYGON ((0 0, 0 4, 4 4, 4 0, 0 0))')", {2}},
        {L"Geometry ENVELOPEINTERSECTS GeomFromText('LINESTRING (4.5 4.5, 5.5 5.5)')", {5}},
        {L"Geometry ENVELOPEINTERSECTS GeomFromText('POLYGON ((12 18, 13 18, 13 19, 12 19, 12 18))')", {4}},
        {L"Geometry INTERSECTS GeomFromText('POLYGON ((12 18, 13 18, 13 19, 12 19, 12 18))')", {}},
        {L"NOT Geometry INTERSECTS GeomFromText('POINT (1 1)')", {4, 5}},
        {L"Geometry WITHINDISTANCE GeomFromText('POINT (1 4)') 0.5", {2}},
        {L"Geometry WITHINDISTANCE GeomFromText('POINT (1 4)') 3", {1, 2}},
        {L"Geometry BEYOND GeomFromText('POINT (1 4)') 3", {4, 5}},
        {L"Geometry INTERSECTS GeomFromText('POINT (1 1)') AND ID = 2", {2}},
    });
}

TEST(FilterEvaluator, ParametersAreBoundOnce) {
    FdoPtr<FdoParameterValueCollection> params = FdoParameterValueCollection::Create();
    params->Add(FdoPtr<FdoParameterValue>(
        FdoParameterValue::Create(L"id", FdoPtr<FdoLiteralValue>(FdoInt32Value::Create(2)))));
    FdoPtr<FdoExpression> area = FdoExpression::Parse(L"GeomFromText('POINT (5.5 5.5)')");
    params->Add(FdoPtr<FdoParameterValue>(FdoParameterValue::Create(L"area", static_cast<FdoLiteralValue*>(area.p))));
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"ID = :id OR Geometry CONTAINS :area");
    EXPECT_EQ(Select(f, params), (std::vector<int>{2, 5}));
}

TEST(FilterEvaluator, PropertyIndexesAreLookedUpOncePerReader) {
    FdoPtr<FdoClassDefinition> cls = MakeClass();
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"Price > 0 AND Price < 100 OR Name LIKE 'A%' OR ID NULL");
    FdoPtr<FdoCommonFilterEvaluator> eval = FdoCommonFilterEvaluator::Create(f, cls);
    FdoPtr<FakeFeatureReader> readers[] = {FakeFeatureReader::Create(cls), FakeFeatureReader::Create(cls)};
    for (FakeFeatureReader* reader : readers) {
        int matches = 0;
        while (reader->ReadNext()) matches += eval->IsMatch(reader) ? 1 : 0;
        EXPECT_EQ(matches, 3);
        EXPECT_EQ(reader->indexLookups, 3) << "Price, Name and ID, once each";
    }
}

TEST(FilterEvaluator, DataReaderWithoutClassDefinition) {
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"Price > 5 AND Geometry INTERSECTS GeomFromText('POINT (2 2)')");
    FdoPtr<FdoCommonFilterEvaluator> eval = FdoCommonFilterEvaluator::Create(f, nullptr);
    FdoPtr<FakeDataReader> reader = FakeDataReader::Create();
    std::vector<int> ids;
    while (reader->ReadNext())
        if (eval->IsMatch(reader)) ids.push_back(reader->GetInt32(L"ID"));
    EXPECT_EQ(ids, (std::vector<int>{2}));
}

TEST(FilterEvaluator, NullFilterSelectsEverything) { EXPECT_EQ(Select(static_cast<FdoFilter*>(nullptr)).size(), 5u); }

// Problems found when preparing the filter, and on a row.
TEST(FilterEvaluator, ErrorsNameTheProblem) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Nope = 1", L"'Nope' is not in class 'Parcels'"},
        {L"Foo(ID) = 1", L"'Foo' is not supported"},
        {L"Abs(ID, 2) = 1", L"The function Abs takes 1 argument; 2 given"},
        {L"Substr(Name) = 'x'", L"The function Substr takes 2 to 3 arguments; 1 given"},
        {L"ID = :missing", L"No value is bound to the parameter 'missing'"},
        {L"Geometry INTERSECTS Geometry", L"must be a literal geometry"},
        {L"ID IN (SELECT(C, P))", L"Sub-selects"},
        {L"Name > 5", L"String and integer values cannot be compared in 'Name > 5'"},
        {L"Price LIKE 'x'", L"cannot be compared"},
        {L"Name * 2 = 1", L"The operator '*' cannot be applied to String and integer values"},
        {L"Upper(Price) = 'X'", L"The function Upper cannot take a floating point value"},
        {L"Name INTERSECTS GeomFromText('POINT (0 0)')", L"cannot be used as a geometry"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "filter: " << U8(c.first));
        std::wstring kind;
        std::wstring message = filtertest::ParseFailure([&] { Select(c.first); }, &kind);
        EXPECT_EQ(kind, L"FdoFilterException");
        EXPECT_NE(message.find(c.second), std::wstring::npos) << U8(message.c_str());
    }
}

TEST(FilterEvaluator, ReaderWithoutThePropertyIsReported) {
    FdoPtr<FdoClassDefinition> cls = MakeClass();
    FdoPtr<FdoDataPropertyDefinition> extra = FdoDataPropertyDefinition::Create(L"Extra", L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    props->Add(extra);
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"Extra = 'x'");
    FdoPtr<FdoCommonFilterEvaluator> eval = FdoCommonFilterEvaluator::Create(f, cls);
    FdoPtr<FakeFeatureReader> reader = FakeFeatureReader::Create(cls);
    reader->ReadNext();
    std::wstring message = filtertest::ParseFailure([&] { eval->IsMatch(reader); });
    EXPECT_NE(message.find(L"'Extra' cannot be read from this reader"), std::wstring::npos) << U8(message.c_str());
}

TEST(FilterSplitter, SeparatesAttributeConjunctsAndFindsTheBox) {
    FdoPtr<FdoClassDefinition> cls = MakeClass();
    FdoPtr<FdoFilter> f = FdoFilter::Parse(
        L"ID > 1 AND Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 2 0, 2 3, 0 0))') AND Upper(Name) = 'X' "
        L"AND (Price > 1 OR Name NULL) AND Name LIKE 'a%' AND Geometry NULL");
    FdoCommonFilterParts parts = FdoCommonFilterSplitter::Split(f, cls);
    ASSERT_TRUE(parts.attributeFilter && parts.remainder);
    EXPECT_STREQ(parts.attributeFilter->ToString(), L"ID > 1 AND (Price > 1 OR Name NULL)");
    EXPECT_STREQ(parts.remainder->ToString(),
                 L"Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 2 0, 2 3, 0 0))') AND Upper(Name) = 'X' AND "
                 L"Name LIKE 'a%' AND Geometry NULL");
    ASSERT_TRUE(parts.hasEnvelope);
    EXPECT_STREQ(parts.envelopeProperty, L"Geometry");
    EXPECT_EQ((std::vector<double>{parts.minX, parts.minY, parts.maxX, parts.maxY}),
              (std::vector<double>{0, 0, 2, 3}));

    FdoCommonFilterParts nested =
        FdoCommonFilterSplitter::Split(FdoPtr<FdoFilter>(FdoFilter::Parse(
            L"ID = 1 OR Geometry INTERSECTS GeomFromText('POINT (1 1)')")));
    EXPECT_FALSE(nested.attributeFilter);
    EXPECT_FALSE(nested.hasEnvelope) << "a spatial condition under OR does not bound the rows";

    FdoCommonFilterParts near = FdoCommonFilterSplitter::Split(FdoPtr<FdoFilter>(
        FdoFilter::Parse(L"Geometry DISJOINT GeomFromText('POINT (9 9)') AND "
                         L"Geometry WITHINDISTANCE GeomFromText('POINT (1 2)') 0.5")));
    ASSERT_TRUE(near.hasEnvelope);
    EXPECT_EQ((std::vector<double>{near.minX, near.minY, near.maxX, near.maxY}),
              (std::vector<double>{0.5, 1.5, 1.5, 2.5}));
    EXPECT_FALSE(near.attributeFilter);
}

TEST(FilterSplitter, PartsTogetherSelectWhatTheWholeSelects) {
    const wchar_t* filters[] = {
        L"ID > 1 AND Name LIKE '%a%' AND Price >= 0",
        L"Geometry INTERSECTS GeomFromText('POLYGON ((0 0, 7 0, 7 7, 0 7, 0 0))') AND NOT Flag = TRUE",
        L"(ID = 1 OR ID = 4) AND Upper(Name) LIKE 'A%' AND Count IN (0, 100)",
        L"ID < 5 AND NOT Name NULL AND Length(Name) > 4",
    };
    for (const wchar_t* text : filters) {
        SCOPED_TRACE(testing::Message() << "filter: " << U8(text));
        FdoPtr<FdoFilter> f = FdoFilter::Parse(text);
        FdoCommonFilterParts parts = FdoCommonFilterSplitter::Split(f);
        std::vector<int> a = Select(parts.attributeFilter), r = Select(parts.remainder), both;
        for (int id : a)
            if (std::find(r.begin(), r.end(), id) != r.end()) both.push_back(id);
        EXPECT_EQ(both, Select(f));
    }
}

}  // namespace
