// Every FDO data type, null, and every property setting written to an SDF
// file and read back: the schema (compared with FdoCommonSchemaCompare,
// also after reopening the file) and the values, bit for bit.
#include "SdfTestSupport.h"

#include <cmath>
#include <cstring>

using namespace sdftest;

namespace {

FdoFeatureSchema* AllTypesSchema() {
    FdoFeatureSchema* schema = FdoFeatureSchema::Create(L"Store", L"All the types");
    FdoPtr<FdoSchemaAttributeDictionary> attrs = schema->GetAttributes();
    attrs->Add(L"origin", L"round trip");
    FdoPtr<FdoFeatureClass> cls = ClassWithId(L"AllTypes");
    cls->SetDescription(L"One property per data type");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    struct TypedName {
        FdoString* name;
        FdoDataType type;
    } typedNames[] = {{L"B", FdoDataType_Boolean}, {L"By", FdoDataType_Byte},     {L"I16", FdoDataType_Int16},
                 {L"I32", FdoDataType_Int32}, {L"I64", FdoDataType_Int64},   {L"Sgl", FdoDataType_Single},
                 {L"Dbl", FdoDataType_Double}, {L"Dec", FdoDataType_Decimal}, {L"Str", FdoDataType_String},
                 {L"Dt", FdoDataType_DateTime}, {L"Blob", FdoDataType_BLOB},  {L"Clob", FdoDataType_CLOB}};
    for (auto& s : typedNames) {
        FdoPtr<FdoDataPropertyDefinition> p = DataProperty(s.name, s.type);
        p->SetDescription((std::wstring(L"the ") + s.name + L" property").c_str());
        if (s.type == FdoDataType_Decimal) {
            p->SetPrecision(12);
            p->SetScale(4);
        }
        if (s.type == FdoDataType_String) {
            p->SetLength(40);
            p->SetDefaultValue(L"abc");
        }
        props->Add(p);
    }
    FdoPtr<FdoDataPropertyDefinition> ro = DataProperty(L"Fixed", FdoDataType_String);
    ro->SetReadOnly(true);
    ro->SetLength(10);
    props->Add(ro);
    FdoPtr<FdoDataPropertyDefinition> required = DataProperty(L"Required", FdoDataType_Int32, false);
    required->SetDefaultValue(L"7");
    FdoPtr<FdoSchemaAttributeDictionary> pattrs = required->GetAttributes();
    pattrs->Add(L"unit", L"m");
    props->Add(required);
    FdoPtr<FdoGeometricPropertyDefinition> geom = Geometry(L"Geom", FdoGeometricType_Point | FdoGeometricType_Curve);
    geom->SetHasElevation(true);
    geom->SetSpatialContextAssociation(L"Default");
    props->Add(geom);
    cls->SetGeometryProperty(geom);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    return schema;
}

struct Row {
    bool b;
    FdoByte by;
    FdoInt16 i16;
    FdoInt32 i32;
    FdoInt64 i64;
    float sgl;
    double dbl;
    double dec;
    const wchar_t* str;
    FdoDateTime dt;
    std::vector<FdoByte> blob;
    std::string clob;
    const wchar_t* geom;
};

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {true, 0, -32768, INT32_MIN, INT64_MIN, -1.5e-30f, -0.1, 12345678.1234, L"", FdoDateTime(static_cast<FdoInt16>(2024), 2, 29),
         {0, 1, 2, 255}, std::string("a\0b", 3), L"POINT XYZ (1 2 3)"},
        {false, 255, 32767, INT32_MAX, INT64_MAX, 3.4028235e38f, 1e308, -0.0001, L"Zürich \"quoted\" 'x'",
         FdoDateTime(static_cast<FdoInt8>(23), 59, 59.999f), {}, "\xff\xfe not utf-8",
         L"LINESTRING XYZ (0 0 0, 1 1 1, 2 0 5)"},
        {true, 128, 0, 0, 0, 0.1f, 0.30000000000000004, 0, L"日本語", FdoDateTime(1900, 1, 1, 0, 0, 0.125f),
         std::vector<FdoByte>(70000, 0xAB), std::string(5000, 'c'),
         L"CURVESTRING XYZ (0 0 0 (CIRCULARARCSEGMENT (1 1 0, 2 0 0), LINESTRINGSEGMENT (3 0 0, 3 2 1)))"},
    };
    return rows;
}

void InsertRow(FdoIConnection* c, const Row& r) {
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"AllTypes");
    FdoPtr<FdoPropertyValueCollection> v = insert->GetPropertyValues();
    FdoPtr<FdoByteArray> blob = FdoByteArray::Create(r.blob.data(), static_cast<FdoInt32>(r.blob.size()));
    FdoPtr<FdoByteArray> clob = FdoByteArray::Create(reinterpret_cast<const FdoByte*>(r.clob.data()),
                                                     static_cast<FdoInt32>(r.clob.size()));
    FdoPtr<FdoByteArray> fgf = Fgf(r.geom);
    FdoPtr<FdoValueExpression> values[] = {
        FdoBooleanValue::Create(r.b), FdoByteValue::Create(r.by),   FdoInt16Value::Create(r.i16),
        FdoInt32Value::Create(r.i32), FdoInt64Value::Create(r.i64), FdoSingleValue::Create(r.sgl),
        FdoDoubleValue::Create(r.dbl), FdoDecimalValue::Create(r.dec), FdoStringValue::Create(r.str),
        FdoDateTimeValue::Create(r.dt), FdoBLOBValue::Create(blob),  FdoCLOBValue::Create(clob),
        FdoStringValue::Create(L"fixed"), FdoGeometryValue::Create(fgf)};
    FdoString* names[] = {L"B",   L"By",  L"I16", L"I32", L"I64",  L"Sgl",   L"Dbl",
                          L"Dec", L"Str", L"Dt",  L"Blob", L"Clob", L"Fixed", L"Geom"};
    for (size_t i = 0; i < std::size(names); i++) AddValue(v, names[i], values[i]);
    FdoPtr<FdoIFeatureReader> ids = insert->Execute();
    ASSERT_TRUE(ids->ReadNext());
    EXPECT_GT(ids->GetInt32(L"Id"), 0);
    EXPECT_FALSE(ids->ReadNext());
}

std::vector<FdoByte> Bytes(FdoLOBValue* lob) {
    FdoPtr<FdoByteArray> data = lob->GetData();
    return std::vector<FdoByte>(data->GetData(), data->GetData() + data->GetCount());
}

void CheckRows(FdoIConnection* c) {
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(L"AllTypes");
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    for (const Row& r : Rows()) {
        ASSERT_TRUE(reader->ReadNext());
        EXPECT_EQ(reader->GetBoolean(L"B"), r.b);
        EXPECT_EQ(reader->GetByte(L"By"), r.by);
        EXPECT_EQ(reader->GetInt16(L"I16"), r.i16);
        EXPECT_EQ(reader->GetInt32(L"I32"), r.i32);
        EXPECT_EQ(reader->GetInt64(L"I64"), r.i64);
        float sgl = reader->GetSingle(L"Sgl");
        EXPECT_EQ(std::memcmp(&sgl, &r.sgl, sizeof sgl), 0) << sgl;
        EXPECT_EQ(reader->GetDouble(L"Dbl"), r.dbl);
        EXPECT_EQ(reader->GetDouble(L"Dec"), r.dec);
        EXPECT_STREQ(reader->GetString(L"Str"), r.str);
        FdoDateTime dt = reader->GetDateTime(L"Dt");
        EXPECT_TRUE(dt == r.dt) << dt.year << "-" << int(dt.month) << "-" << int(dt.day) << " " << int(dt.hour)
                                << ":" << int(dt.minute) << ":" << dt.seconds;
        EXPECT_EQ(dt.IsDate(), r.dt.IsDate());
        EXPECT_EQ(dt.IsTime(), r.dt.IsTime());
        FdoPtr<FdoLOBValue> blob = reader->GetLOB(L"Blob");
        EXPECT_EQ(blob->GetDataType(), FdoDataType_BLOB);
        EXPECT_EQ(Bytes(blob), r.blob);
        FdoPtr<FdoLOBValue> clob = reader->GetLOB(L"Clob");
        EXPECT_EQ(clob->GetDataType(), FdoDataType_CLOB);
        std::vector<FdoByte> clobBytes = Bytes(clob);
        EXPECT_EQ(std::string(clobBytes.begin(), clobBytes.end()), r.clob);
        EXPECT_STREQ(reader->GetString(L"Fixed"), L"fixed");
        EXPECT_EQ(reader->GetInt32(L"Required"), 7);  // the default
        FdoPtr<FdoByteArray> geom = reader->GetGeometry(L"Geom");
        FdoPtr<FdoByteArray> expected = Fgf(r.geom);
        ASSERT_EQ(geom->GetCount(), expected->GetCount()) << Narrow(r.geom);
        EXPECT_EQ(std::memcmp(geom->GetData(), expected->GetData(), static_cast<size_t>(geom->GetCount())), 0);
    }
    // The row of nulls.
    ASSERT_TRUE(reader->ReadNext());
    for (FdoString* name : {L"B", L"By", L"I16", L"I32", L"I64", L"Sgl", L"Dbl", L"Dec", L"Dt", L"Blob", L"Clob",
                            L"Fixed", L"Geom"})
        EXPECT_TRUE(reader->IsNull(name)) << Narrow(name);
    EXPECT_STREQ(reader->GetString(L"Str"), L"abc");  // the default
    EXPECT_NE(Thrown([&] { reader->GetInt32(L"I32"); }), L"");
    std::wstring mismatch = Thrown([&] { reader->GetInt64(L"Required"); });
    EXPECT_NE(mismatch.find(L"Required"), std::wstring::npos) << Narrow(mismatch);
    EXPECT_FALSE(reader->ReadNext());
}

}  // namespace

TEST(SdfRoundTrip, EveryTypeAndSettingReadsBackExactly) {
    auto dir = geoxfer_test::TempDir("sdf-roundtrip");
    auto file = dir / "all.sdf";
    CreateStore(file);
    FdoPtr<FdoFeatureSchema> applied = AllTypesSchema();
    {
        FdoPtr<FdoIConnection> c = OpenStore(file);
        ApplySchema(c, applied);
        EXPECT_EQ(applied->GetElementState(), FdoSchemaElementState_Unchanged);
        for (const Row& r : Rows()) InsertRow(c, r);
        FdoPtr<FdoIInsert> nulls = Command<FdoIInsert>(c, FdoCommandType_Insert);
        nulls->SetFeatureClassName(L"AllTypes");
        FdoPtr<FdoIFeatureReader> ids = nulls->Execute();
        CheckRows(c);
        c->Close();
    }
    FdoPtr<FdoIConnection> c = OpenStore(file, true);
    FdoPtr<FdoFeatureSchemaCollection> described = Describe(c);
    ASSERT_EQ(described->GetCount(), 1);
    FdoPtr<FdoFeatureSchema> schema = described->GetItem(0);
    EXPECT_EQ(FdoCommonSchemaCompare::CompareSchemas(applied, schema), L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoPtr<FdoClassDefinition> cls = classes->GetItem(L"AllTypes");
    EXPECT_EQ(cls->GetElementState(), FdoSchemaElementState_Unchanged);
    CheckRows(c);
}

TEST(SdfRoundTrip, DateTimeFormsKeepTheirKind) {
    auto dir = geoxfer_test::TempDir("sdf-datetime");
    auto file = dir / "dt.sdf";
    CreateStore(file);
    FdoPtr<FdoIConnection> c = OpenStore(file);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"S", L"");
    FdoPtr<FdoFeatureClass> cls = ClassWithId(L"Times");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> dt = DataProperty(L"When", FdoDataType_DateTime);
    props->Add(dt);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    ApplySchema(c, schema);

    const FdoDateTime values[] = {FdoDateTime(static_cast<FdoInt16>(2001), 12, 31),
                                  FdoDateTime(static_cast<FdoInt8>(0), 0, 0.0f),
                                  FdoDateTime(static_cast<FdoInt8>(12), 30, 1.0f / 3.0f),
                                  FdoDateTime(9999, 12, 31, 23, 59, 59.5f),
                                  FdoDateTime(1, 1, 1, 0, 0, 1e-7f)};
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Times");
    FdoPtr<FdoPropertyValueCollection> v = insert->GetPropertyValues();
    FdoPtr<FdoParameter> param = FdoParameter::Create(L"w");
    AddValue(v, L"When", param);
    FdoPtr<FdoBatchParameterValueCollection> batch = insert->GetBatchParameterValues();
    for (const FdoDateTime& value : values) {
        FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
        FdoPtr<FdoDateTimeValue> literal = FdoDateTimeValue::Create(value);
        FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(L"w", literal);
        row->Add(pv);
        batch->Add(row);
    }
    FdoPtr<FdoIFeatureReader> inserted = insert->Execute();
    int n = 0;
    while (inserted->ReadNext()) n++;
    EXPECT_EQ(n, 5);

    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(L"Times");
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    for (const FdoDateTime& value : values) {
        ASSERT_TRUE(reader->ReadNext());
        FdoDateTime got = reader->GetDateTime(L"When");
        EXPECT_TRUE(got == value) << got.year << " " << int(got.hour) << " " << got.seconds;
    }
    EXPECT_FALSE(reader->ReadNext());

    // An invalid value is refused with its parts named.
    FdoPtr<FdoIInsert> bad = Command<FdoIInsert>(c, FdoCommandType_Insert);
    bad->SetFeatureClassName(L"Times");
    FdoPtr<FdoPropertyValueCollection> bv = bad->GetPropertyValues();
    FdoPtr<FdoDateTimeValue> invalid = FdoDateTimeValue::Create(FdoDateTime(static_cast<FdoInt16>(2020), 13, 1));
    AddValue(bv, L"When", invalid);
    EXPECT_NE(Thrown([&] { FdoPtr<FdoIFeatureReader> r = bad->Execute(); }).find(L"neither"), std::wstring::npos);
}
