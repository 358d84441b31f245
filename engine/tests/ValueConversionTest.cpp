// The conversion of a source data value to a destination data type: every
// source type against every destination type, null handling, the error
// texts, and the same conversions on values read from a real SDF store.
#include "TransferTestSupport.h"

#include <cmath>
#include <limits>

using namespace transfer_test;

namespace {

// A feature reader positioned on one feature whose values are given per
// property name. Getters behave like a provider's: the getter must match
// the property's type and a null value cannot be read. Every getter call is
// counted, so a test can see that nothing was read.
class ValuesReader : public FdoIFeatureReader {
public:
    static ValuesReader* Create() { return new ValuesReader(); }
    int reads = 0;

    void Set(FdoString* name, FdoDataValue* value) { m_values[name] = FdoPtr<FdoDataValue>(value); }

    bool GetBoolean(FdoString* n) override { return Get<FdoBooleanValue>(n, FdoDataType_Boolean)->GetBoolean(); }
    FdoByte GetByte(FdoString* n) override { return Get<FdoByteValue>(n, FdoDataType_Byte)->GetByte(); }
    FdoDateTime GetDateTime(FdoString* n) override {
        return Get<FdoDateTimeValue>(n, FdoDataType_DateTime)->GetDateTime();
    }
    double GetDouble(FdoString* n) override {
        FdoDataValue* v = Find(n);
        if (v->GetDataType() == FdoDataType_Decimal) return Get<FdoDecimalValue>(n, FdoDataType_Decimal)->GetDecimal();
        return Get<FdoDoubleValue>(n, FdoDataType_Double)->GetDouble();
    }
    FdoInt16 GetInt16(FdoString* n) override { return Get<FdoInt16Value>(n, FdoDataType_Int16)->GetInt16(); }
    FdoInt32 GetInt32(FdoString* n) override { return Get<FdoInt32Value>(n, FdoDataType_Int32)->GetInt32(); }
    FdoInt64 GetInt64(FdoString* n) override { return Get<FdoInt64Value>(n, FdoDataType_Int64)->GetInt64(); }
    float GetSingle(FdoString* n) override { return Get<FdoSingleValue>(n, FdoDataType_Single)->GetSingle(); }
    FdoString* GetString(FdoString* n) override { return Get<FdoStringValue>(n, FdoDataType_String)->GetString(); }
    FdoLOBValue* GetLOB(FdoString* n) override {
        FdoDataValue* v = Find(n);
        auto* lob = Get<FdoLOBValue>(n, v->GetDataType() == FdoDataType_CLOB ? FdoDataType_CLOB : FdoDataType_BLOB);
        return FDO_SAFE_ADDREF(lob);
    }
    FdoIStreamReader* GetLOBStreamReader(FdoString*) override { return nullptr; }
    bool IsNull(FdoString* n) override { return Find(n)->IsNull(); }
    FdoByteArray* GetGeometry(FdoString*) override { throw FdoException::Create(L"no geometry here"); }
    FdoIRaster* GetRaster(FdoString*) override { return nullptr; }
    FdoString* GetPropertyName(FdoInt32) override { throw FdoException::Create(L"no index"); }
    FdoInt32 GetPropertyIndex(FdoString*) override { throw FdoException::Create(L"no index"); }
    bool ReadNext() override { return false; }
    void Close() override {}
    FdoClassDefinition* GetClassDefinition() override { return nullptr; }
    FdoInt32 GetDepth() override { return 0; }
    const FdoByte* GetGeometry(FdoString*, FdoInt32*) override { throw FdoException::Create(L"no geometry here"); }
    FdoIFeatureReader* GetFeatureObject(FdoString*) override { return nullptr; }

protected:
    void Dispose() override { delete this; }

private:
    FdoDataValue* Find(FdoString* n) {
        auto it = m_values.find(n);
        if (it == m_values.end()) throw FdoException::Create(L"no such property");
        return it->second;
    }
    template <class T>
    T* Get(FdoString* n, FdoDataType type) {
        reads++;
        FdoDataValue* v = Find(n);
        if (v->GetDataType() != type) throw FdoCommandException::Create(L"Fetching a property value did not match the property type.");
        if (v->IsNull()) throw FdoCommandException::Create(L"Property value is null.");
        return static_cast<T*>(v);
    }
    std::map<std::wstring, FdoPtr<FdoDataValue>> m_values;
};

constexpr FdoDataType kAllTypes[] = {FdoDataType_Boolean, FdoDataType_Byte,   FdoDataType_DateTime,
                                     FdoDataType_Decimal, FdoDataType_Double, FdoDataType_Int16,
                                     FdoDataType_Int32,   FdoDataType_Int64,  FdoDataType_Single,
                                     FdoDataType_String,  FdoDataType_BLOB,   FdoDataType_CLOB};

const wchar_t* MessageName(FdoDataType t) {
    static const wchar_t* names[] = {
        L"FdoDataType_Boolean", L"FdoDataType_Byte",  L"FdoDataType_DateTime", L"FdoDataType_Decimal",
        L"FdoDataType_Double",  L"FdoDataType_Int16", L"FdoDataType_Int32",    L"FdoDataType_Int64",
        L"FdoDataType_Single",  L"FdoDataType_String", L"FdoDataType_BLOB",    L"FdoDataType_CLOB"};
    return names[t];
}

FdoDataValue* LobValue(FdoDataType type) {
    FdoByte bytes[] = {1, 2, 3};
    return FdoDataValue::Create(bytes, 3, type);
}

// The sample source value of each type, chosen to show the conversion rules.
FdoDataValue* SampleOf(FdoDataType type) {
    switch (type) {
        case FdoDataType_Boolean: return FdoDataValue::Create(true);
        case FdoDataType_Byte: return FdoDataValue::Create(FdoByte(200));
        case FdoDataType_DateTime: return FdoDataValue::Create(FdoDateTime(2020, 5, 17, 13, 45, 30.5f));
        case FdoDataType_Decimal: return FdoDataValue::Create(3.99, FdoDataType_Decimal);
        case FdoDataType_Double: return FdoDataValue::Create(-3.99, FdoDataType_Double);
        case FdoDataType_Int16: return FdoDataValue::Create(FdoInt16(-1234));
        case FdoDataType_Int32: return FdoDataValue::Create(FdoInt32(70000));
        case FdoDataType_Int64: return FdoDataValue::Create(FdoInt64((1LL << 32) + 1));
        case FdoDataType_Single: return FdoDataValue::Create(2.5f);
        case FdoDataType_String: return FdoDataValue::Create(L"abc");
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: return LobValue(type);
    }
    return nullptr;
}

enum class Outcome { Value, Absent, ConversionError, LibraryError };
struct Expected {
    Outcome outcome;
    FdoPtr<FdoDataValue> value;
};

Expected Val(FdoDataValue* v) { return {Outcome::Value, FdoPtr<FdoDataValue>(v)}; }

// What converting SampleOf(from) to `to` must give.
Expected ExpectedFor(FdoDataType from, FdoDataType to) {
    if (from == to) return Val(SampleOf(from));
    switch (from) {
        case FdoDataType_DateTime:
        case FdoDataType_String:
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: return {Outcome::Absent, nullptr};
        case FdoDataType_Boolean:
            if (to == FdoDataType_Byte) return Val(FdoDataValue::Create(FdoByte(1)));
            if (to == FdoDataType_Int16) return Val(FdoDataValue::Create(FdoInt16(1)));
            if (to == FdoDataType_Int32) return Val(FdoDataValue::Create(FdoInt32(1)));
            if (to == FdoDataType_Int64) return Val(FdoDataValue::Create(FdoInt64(1)));
            if (to == FdoDataType_String) return Val(FdoDataValue::Create(L"1"));
            break;
        case FdoDataType_Byte:
            if (to == FdoDataType_Decimal || to == FdoDataType_Double) return Val(FdoDataValue::Create(200.0, to));
            if (to == FdoDataType_Int16) return Val(FdoDataValue::Create(FdoInt16(200)));
            if (to == FdoDataType_Int32) return Val(FdoDataValue::Create(FdoInt32(200)));
            if (to == FdoDataType_Int64) return Val(FdoDataValue::Create(FdoInt64(200)));
            break;
        case FdoDataType_Decimal:
            if (to == FdoDataType_Double) return Val(FdoDataValue::Create(3.99, to));
            if (to == FdoDataType_Int16) return Val(FdoDataValue::Create(FdoInt16(3)));
            if (to == FdoDataType_Int32) return Val(FdoDataValue::Create(FdoInt32(3)));
            if (to == FdoDataType_Int64) return Val(FdoDataValue::Create(FdoInt64(3)));
            break;
        case FdoDataType_Double:
            if (to == FdoDataType_Decimal) return Val(FdoDataValue::Create(-3.99, to));
            if (to == FdoDataType_Single) return {Outcome::LibraryError, nullptr};
            if (to == FdoDataType_Int16) return Val(FdoDataValue::Create(FdoInt16(-3)));
            if (to == FdoDataType_Int32) return Val(FdoDataValue::Create(FdoInt32(-3)));
            if (to == FdoDataType_Int64) return Val(FdoDataValue::Create(FdoInt64(-3)));
            break;
        case FdoDataType_Int16:
            if (to == FdoDataType_Decimal || to == FdoDataType_Double) return Val(FdoDataValue::Create(-1234.0, to));
            if (to == FdoDataType_Int32) return Val(FdoDataValue::Create(FdoInt32(-1234)));
            if (to == FdoDataType_Int64) return Val(FdoDataValue::Create(FdoInt64(-1234)));
            break;
        case FdoDataType_Int32:
            if (to == FdoDataType_Decimal || to == FdoDataType_Double) return Val(FdoDataValue::Create(70000.0, to));
            if (to == FdoDataType_Int16) return Val(FdoDataValue::Create(FdoInt16(4464)));
            if (to == FdoDataType_Int64) return Val(FdoDataValue::Create(FdoInt64(70000)));
            break;
        case FdoDataType_Int64:
            if (to == FdoDataType_Decimal || to == FdoDataType_Double)
                return Val(FdoDataValue::Create(4294967297.0, to));
            if (to == FdoDataType_Int16) return Val(FdoDataValue::Create(FdoInt16(1)));
            if (to == FdoDataType_Int32) return Val(FdoDataValue::Create(FdoInt32(1)));
            break;
        case FdoDataType_Single:
            if (to == FdoDataType_Decimal || to == FdoDataType_Double) return Val(FdoDataValue::Create(2.5, to));
            if (to == FdoDataType_Int16) return Val(FdoDataValue::Create(FdoInt16(2)));
            if (to == FdoDataType_Int32) return Val(FdoDataValue::Create(FdoInt32(2)));
            if (to == FdoDataType_Int64) return Val(FdoDataValue::Create(FdoInt64(2)));
            break;
    }
    return {Outcome::ConversionError, nullptr};
}

std::wstring TextOf(FdoDataValue* v) { return v ? std::wstring(v->ToString()) : L"<none>"; }

bool SameLob(FdoDataValue* a, FdoDataValue* b) {
    FdoPtr<FdoByteArray> x = static_cast<FdoLOBValue*>(a)->GetData();
    FdoPtr<FdoByteArray> y = static_cast<FdoLOBValue*>(b)->GetData();
    return x->GetCount() == y->GetCount() && std::equal(x->GetData(), x->GetData() + x->GetCount(), y->GetData());
}

FdoDataValue* Convert(FdoIFeatureReader* r, FdoString* name, int from, int to) {
    return c_FDO_Api::ReaderGetDataPropertyValue(r, name, static_cast<FdoDataType>(from), static_cast<FdoDataType>(to));
}

}  // namespace

TEST(ValueConversion, EverySourceTypeToEveryDestinationType) {
    for (FdoDataType from : kAllTypes) {
        for (FdoDataType to : kAllTypes) {
            SCOPED_TRACE(testing::Message() << Narrow(MessageName(from)) << " -> " << Narrow(MessageName(to)));
            FdoPtr<ValuesReader> reader = ValuesReader::Create();
            reader->Set(L"P", SampleOf(from));
            Expected expected = ExpectedFor(from, to);
            switch (expected.outcome) {
                case Outcome::Value: {
                    FdoPtr<FdoDataValue> got = Convert(reader, L"P", from, to);
                    ASSERT_NE(got, nullptr);
                    EXPECT_EQ(got->GetDataType(), to);
                    if (to == FdoDataType_BLOB || to == FdoDataType_CLOB)
                        EXPECT_TRUE(SameLob(got, expected.value));
                    else
                        EXPECT_TRUE(FdoDataValue::Equals(got, expected.value))
                            << Narrow(TextOf(got).c_str()) << " != " << Narrow(TextOf(expected.value).c_str());
                    EXPECT_EQ(reader->reads, 1);
                    break;
                }
                case Outcome::Absent: {
                    FdoPtr<FdoDataValue> got = Convert(reader, L"P", from, to);
                    EXPECT_EQ(got, nullptr);
                    EXPECT_EQ(reader->reads, 0) << "an absent value is not read";
                    break;
                }
                case Outcome::ConversionError:
                    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> v = Convert(reader, L"P", from, to); }),
                              std::wstring(L"Unable to convert data value from ") + MessageName(from) + L" to " +
                                  MessageName(to));
                    break;
                case Outcome::LibraryError:
                    EXPECT_NE(ErrorOf([&] { FdoPtr<FdoDataValue> v = Convert(reader, L"P", from, to); }),
                              L"<nothing thrown>");
                    break;
            }
        }
    }
}

TEST(ValueConversion, NullSourceGivesNullOfDestinationTypeForEveryPair) {
    for (FdoDataType from : kAllTypes) {
        for (FdoDataType to : kAllTypes) {
            FdoPtr<ValuesReader> reader = ValuesReader::Create();
            reader->Set(L"P", FdoDataValue::Create(from));
            FdoPtr<FdoDataValue> got = Convert(reader, L"P", from, to);
            ASSERT_NE(got, nullptr) << from << " -> " << to;
            EXPECT_TRUE(got->IsNull());
            EXPECT_EQ(got->GetDataType(), to);
            EXPECT_EQ(reader->reads, 0);
        }
    }
}

TEST(ValueConversion, NamedEdgeCases) {
    FdoPtr<ValuesReader> r = ValuesReader::Create();
    r->Set(L"NullBool", FdoDataValue::Create(FdoDataType_Boolean));
    r->Set(L"True", FdoDataValue::Create(true));
    r->Set(L"False", FdoDataValue::Create(false));
    r->Set(L"D399", FdoDataValue::Create(3.99, FdoDataType_Double));
    r->Set(L"Dm399", FdoDataValue::Create(-3.99, FdoDataType_Double));
    r->Set(L"I70000", FdoDataValue::Create(FdoInt32(70000)));
    r->Set(L"Big", FdoDataValue::Create(FdoInt64((1LL << 32) + 1)));
    r->Set(L"B200", FdoDataValue::Create(FdoByte(200)));
    r->Set(L"S", FdoDataValue::Create(L"12"));
    r->Set(L"When", FdoDataValue::Create(FdoDateTime(FdoInt16(2001), FdoInt8(2), FdoInt8(3))));
    r->Set(L"I16", FdoDataValue::Create(FdoInt16(7)));

    FdoPtr<FdoDataValue> v = Convert(r, L"NullBool", FdoDataType_Boolean, FdoDataType_Double);
    EXPECT_TRUE(v->IsNull());
    EXPECT_EQ(v->GetDataType(), FdoDataType_Double);

    v = Convert(r, L"True", FdoDataType_Boolean, FdoDataType_String);
    EXPECT_STREQ(static_cast<FdoStringValue*>(v.p)->GetString(), L"1");
    v = Convert(r, L"False", FdoDataType_Boolean, FdoDataType_String);
    EXPECT_STREQ(static_cast<FdoStringValue*>(v.p)->GetString(), L"0");
    v = Convert(r, L"False", FdoDataType_Boolean, FdoDataType_Int64);
    EXPECT_EQ(static_cast<FdoInt64Value*>(v.p)->GetInt64(), 0);

    v = Convert(r, L"D399", FdoDataType_Double, FdoDataType_Int32);
    EXPECT_EQ(static_cast<FdoInt32Value*>(v.p)->GetInt32(), 3);
    v = Convert(r, L"Dm399", FdoDataType_Double, FdoDataType_Int16);
    EXPECT_EQ(static_cast<FdoInt16Value*>(v.p)->GetInt16(), -3);

    v = Convert(r, L"I70000", FdoDataType_Int32, FdoDataType_Int16);
    EXPECT_EQ(static_cast<FdoInt16Value*>(v.p)->GetInt16(), 4464);
    v = Convert(r, L"Big", FdoDataType_Int64, FdoDataType_Int32);
    EXPECT_EQ(static_cast<FdoInt32Value*>(v.p)->GetInt32(), 1);
    v = Convert(r, L"B200", FdoDataType_Byte, FdoDataType_Int16);
    EXPECT_EQ(static_cast<FdoInt16Value*>(v.p)->GetInt16(), 200);

    EXPECT_EQ(FdoPtr<FdoDataValue>(Convert(r, L"S", FdoDataType_String, FdoDataType_Int32)), nullptr);
    EXPECT_EQ(FdoPtr<FdoDataValue>(Convert(r, L"When", FdoDataType_DateTime, FdoDataType_String)), nullptr);

    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"I16", FdoDataType_Int16, FdoDataType_String); }),
              L"Unable to convert data value from FdoDataType_Int16 to FdoDataType_String");
}

TEST(ValueConversion, UnknownSourceTypeFailsUnlessNull) {
    FdoPtr<ValuesReader> r = ValuesReader::Create();
    r->Set(L"V", FdoDataValue::Create(FdoInt32(5)));
    r->Set(L"N", FdoDataValue::Create(FdoDataType_Int32));
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"V", 12, FdoDataType_Int32); }),
              L"c_FDO_Api::ReaderGetDataPropertyValue Unknown FdoDataType!");
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"V", -1, FdoDataType_Int32); }),
              L"c_FDO_Api::ReaderGetDataPropertyValue Unknown FdoDataType!");
    FdoPtr<FdoDataValue> v = Convert(r, L"N", 12, FdoDataType_String);
    EXPECT_TRUE(v->IsNull());
    EXPECT_EQ(v->GetDataType(), FdoDataType_String);
    // An unknown destination is named as such in the message.
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"V", FdoDataType_Int32, 12); }),
              L"Unable to convert data value from FdoDataType_Int32 to Unknown FdoDataType");
}

TEST(ValueConversion, TruncationTowardZeroAndOutOfRangeValues) {
    FdoPtr<ValuesReader> r = ValuesReader::Create();
    r->Set(L"A", FdoDataValue::Create(2.9, FdoDataType_Double));
    r->Set(L"B", FdoDataValue::Create(-2.9, FdoDataType_Decimal));
    r->Set(L"C", FdoDataValue::Create(70000.7, FdoDataType_Double));
    r->Set(L"Huge", FdoDataValue::Create(1e20, FdoDataType_Double));
    r->Set(L"Edge", FdoDataValue::Create(2147483648.0, FdoDataType_Double));
    r->Set(L"Low", FdoDataValue::Create(-2147483648.9, FdoDataType_Double));
    r->Set(L"NaN", FdoDataValue::Create(std::numeric_limits<double>::quiet_NaN(), FdoDataType_Double));
    r->Set(L"F", FdoDataValue::Create(-7.75f));

    FdoPtr<FdoDataValue> v = Convert(r, L"A", FdoDataType_Double, FdoDataType_Int64);
    EXPECT_EQ(static_cast<FdoInt64Value*>(v.p)->GetInt64(), 2);
    v = Convert(r, L"B", FdoDataType_Decimal, FdoDataType_Int32);
    EXPECT_EQ(static_cast<FdoInt32Value*>(v.p)->GetInt32(), -2);
    // Int16 truncates to 32 bits first and then keeps the low 16 bits.
    v = Convert(r, L"C", FdoDataType_Double, FdoDataType_Int16);
    EXPECT_EQ(static_cast<FdoInt16Value*>(v.p)->GetInt16(), 4464);
    v = Convert(r, L"Low", FdoDataType_Double, FdoDataType_Int32);
    EXPECT_EQ(static_cast<FdoInt32Value*>(v.p)->GetInt32(), std::numeric_limits<FdoInt32>::min());
    v = Convert(r, L"F", FdoDataType_Single, FdoDataType_Int16);
    EXPECT_EQ(static_cast<FdoInt16Value*>(v.p)->GetInt16(), -7);
    v = Convert(r, L"Huge", FdoDataType_Double, FdoDataType_Double);
    EXPECT_EQ(static_cast<FdoDoubleValue*>(v.p)->GetDouble(), 1e20);

    // Values that no integer of the destination can hold are refused, not wrapped.
    const std::wstring toInt32 = L"Unable to convert data value from FdoDataType_Double to FdoDataType_Int32";
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"Huge", FdoDataType_Double, FdoDataType_Int32); }),
              toInt32);
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"Edge", FdoDataType_Double, FdoDataType_Int32); }),
              toInt32);
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"NaN", FdoDataType_Double, FdoDataType_Int32); }),
              toInt32);
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"Huge", FdoDataType_Double, FdoDataType_Int64); }),
              L"Unable to convert data value from FdoDataType_Double to FdoDataType_Int64");
    v = Convert(r, L"Edge", FdoDataType_Double, FdoDataType_Int64);
    EXPECT_EQ(static_cast<FdoInt64Value*>(v.p)->GetInt64(), 2147483648LL);
}

TEST(ValueConversion, ReaderErrorsPassThroughUnchanged) {
    FdoPtr<ValuesReader> r = ValuesReader::Create();
    r->Set(L"S", FdoDataValue::Create(L"text"));
    // The caller claims Int32 for a String property: the reader's own error.
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"S", FdoDataType_Int32, FdoDataType_Int64); }),
              L"Fetching a property value did not match the property type.");
    EXPECT_EQ(ErrorOf([&] { FdoPtr<FdoDataValue> x = Convert(r, L"Missing", FdoDataType_Int32, FdoDataType_Int64); }),
              L"no such property");
}

// The same conversions on a real store: values written to an SDF file of
// every type and read back through the provider's reader.
TEST(ValueConversion, ValuesReadFromARealSdfStore) { Guarded([] {
    const auto dir = geoxfer_test::TempDir("valueconv");
    FdoPtr<FdoIConnection> sdf = NewSdf(dir / "types.sdf");
    FdoPtr<FdoFeatureClass> cls = FeatureClass(L"AllTypes");
    const std::pair<FdoString*, FdoDataType> columns[] = {
        {L"B", FdoDataType_Boolean}, {L"Y", FdoDataType_Byte},   {L"T", FdoDataType_DateTime},
        {L"M", FdoDataType_Decimal}, {L"D", FdoDataType_Double}, {L"I16", FdoDataType_Int16},
        {L"I32", FdoDataType_Int32}, {L"I64", FdoDataType_Int64}, {L"F", FdoDataType_Single},
        {L"S", FdoDataType_String}};
    for (auto& [name, type] : columns) {
        FdoPtr<FdoDataPropertyDefinition> p = DataProperty(name, type, type == FdoDataType_String ? 20 : 0);
        if (type == FdoDataType_Decimal) {
            p->SetPrecision(10);
            p->SetScale(2);
        }
        AddProperty(cls, p);
    }
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"S", L"");
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    Apply(sdf, schema);
    InsertOne(sdf, L"AllTypes",
              {{L"B", FdoDataValue::Create(true)},
               {L"Y", FdoDataValue::Create(FdoByte(200))},
               {L"T", FdoDataValue::Create(FdoDateTime(2020, 1, 2, 3, 4, 5))},
               {L"M", FdoDataValue::Create(-12.75, FdoDataType_Decimal)},
               {L"D", FdoDataValue::Create(3.99, FdoDataType_Double)},
               {L"I16", FdoDataValue::Create(FdoInt16(-5))},
               {L"I32", FdoDataValue::Create(FdoInt32(70000))},
               {L"I64", FdoDataValue::Create(FdoInt64((1LL << 32) + 1))},
               {L"F", FdoDataValue::Create(1.5f)},
               {L"S", FdoDataValue::Create(L"héllo")}});
    InsertOne(sdf, L"AllTypes", {{L"I32", nullptr}});  // every value null

    FdoPtr<FdoIFeatureReader> r = SelectAll(sdf, L"AllTypes");
    ASSERT_TRUE(r->ReadNext());
    auto as = [&](FdoString* name, FdoDataType from, FdoDataType to) {
        return FdoPtr<FdoDataValue>(c_FDO_Api::ReaderGetDataPropertyValue(r, name, from, to));
    };
    EXPECT_EQ(static_cast<FdoInt16Value*>(as(L"I32", FdoDataType_Int32, FdoDataType_Int16).p)->GetInt16(), 4464);
    EXPECT_EQ(static_cast<FdoInt32Value*>(as(L"M", FdoDataType_Decimal, FdoDataType_Int32).p)->GetInt32(), -12);
    EXPECT_EQ(static_cast<FdoDoubleValue*>(as(L"M", FdoDataType_Decimal, FdoDataType_Double).p)->GetDouble(), -12.75);
    EXPECT_STREQ(static_cast<FdoStringValue*>(as(L"B", FdoDataType_Boolean, FdoDataType_String).p)->GetString(), L"1");
    EXPECT_EQ(static_cast<FdoInt64Value*>(as(L"Y", FdoDataType_Byte, FdoDataType_Int64).p)->GetInt64(), 200);
    EXPECT_EQ(static_cast<FdoInt32Value*>(as(L"I64", FdoDataType_Int64, FdoDataType_Int32).p)->GetInt32(), 1);
    EXPECT_EQ(static_cast<FdoDoubleValue*>(as(L"F", FdoDataType_Single, FdoDataType_Double).p)->GetDouble(), 1.5);
    EXPECT_EQ(static_cast<FdoInt32Value*>(as(L"D", FdoDataType_Double, FdoDataType_Int32).p)->GetInt32(), 3);
    EXPECT_STREQ(static_cast<FdoStringValue*>(as(L"S", FdoDataType_String, FdoDataType_String).p)->GetString(),
                 L"héllo");
    FdoDateTime when = static_cast<FdoDateTimeValue*>(as(L"T", FdoDataType_DateTime, FdoDataType_DateTime).p)->GetDateTime();
    EXPECT_EQ(when.year, 2020);
    EXPECT_EQ(when.seconds, 5.0f);
    EXPECT_EQ(as(L"T", FdoDataType_DateTime, FdoDataType_String), nullptr);
    EXPECT_EQ(as(L"S", FdoDataType_String, FdoDataType_Int32), nullptr);

    ASSERT_TRUE(r->ReadNext());
    for (auto& [name, type] : columns) {
        FdoPtr<FdoDataValue> v = as(name, type, FdoDataType_Double);
        EXPECT_TRUE(v->IsNull()) << Narrow(name);
        EXPECT_EQ(v->GetDataType(), FdoDataType_Double);
    }
    r->Close();
}); }
