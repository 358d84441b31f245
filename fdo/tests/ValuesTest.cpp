// Data values: factories, null handling, literal text, conversions and the
// references a value holds.
#include <Fdo.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <string>

namespace {

// The full message of the FdoException thrown by f, or "" when none is.
std::wstring Thrown(const std::function<void()>& f, FdoString* kind = L"FdoExpressionException") {
    try {
        f();
    } catch (FdoException* e) {
        std::wstring text = e->ToFullString().Str();
        EXPECT_STREQ(e->GetKind(), kind);
        e->Release();
        return text;
    }
    return L"";
}

std::wstring Text(FdoDataValue* v) { return v->ToString(); }

FdoDataValue* Convert(FdoDataType to, FdoDataValue* src, bool nullIfIncompatible = false, bool shift = true,
                      bool truncate = false) {
    FdoPtr<FdoDataValue> keep = src;  // takes over the caller's reference
    return FdoDataValue::Create(to, src, nullIfIncompatible, shift, truncate);
}

}  // namespace

TEST(DataValue, FactoriesPickTheConcreteType) {
    FdoDateTime date(static_cast<FdoInt16>(2024), 2, 29);
    FdoPtr<FdoDataValue> values[] = {
        FdoDataValue::Create(true),
        FdoDataValue::Create(static_cast<FdoByte>(7)),
        FdoDataValue::Create(date),
        FdoDataValue::Create(1.25, FdoDataType_Decimal),
        FdoDataValue::Create(1.25, FdoDataType_Double),
        FdoDataValue::Create(static_cast<FdoInt16>(-3)),
        FdoDataValue::Create(static_cast<FdoInt32>(40000)),
        FdoDataValue::Create(static_cast<FdoInt64>(1) << 40),
        FdoDataValue::Create(2.5f),
        FdoDataValue::Create(L"text"),
    };
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(values[i]->GetDataType(), static_cast<FdoDataType>(i));
        EXPECT_FALSE(values[i]->IsNull());
        EXPECT_EQ(values[i]->GetExpressionType(), FdoExpressionItemType_DataValue);
        EXPECT_EQ(values[i]->GetLiteralValueType(), FdoLiteralValueType_Data);
    }
    EXPECT_EQ(static_cast<FdoInt64Value*>(values[7].p)->GetInt64(), 1099511627776LL);
    EXPECT_EQ(static_cast<FdoDecimalValue*>(values[3].p)->GetDecimal(), 1.25);

    FdoByte bytes[] = {1, 2, 3};
    FdoPtr<FdoDataValue> blob = FdoDataValue::Create(bytes, 3, FdoDataType_BLOB);
    FdoPtr<FdoDataValue> clob = FdoDataValue::Create(bytes, 3, FdoDataType_CLOB);
    EXPECT_EQ(blob->GetDataType(), FdoDataType_BLOB);
    EXPECT_EQ(clob->GetDataType(), FdoDataType_CLOB);
    FdoPtr<FdoByteArray> data = static_cast<FdoLOBValue*>(blob.p)->GetData();
    EXPECT_EQ(data->GetCount(), 3);
    EXPECT_EQ((*data)[2], 3);
}

TEST(DataValue, FactoriesRejectWrongTypes) {
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = FdoDataValue::Create(1.5, FdoDataType_Int32); }).find(L"Int32"),
              std::wstring::npos);
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = FdoDataValue::Create(1.5, FdoDataType_Single); }), L"");
    FdoPtr<FdoByteArray> bytes = FdoByteArray::Create();
    EXPECT_NE(Thrown([&] { FdoPtr<FdoDataValue> v = FdoDataValue::Create(bytes, FdoDataType_String); }), L"");
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = FdoDataValue::Create(static_cast<FdoDataType>(42)); }), L"");
}

TEST(DataValue, NullValuesOfEveryType) {
    for (int t = FdoDataType_Boolean; t <= FdoDataType_CLOB; t++) {
        FdoPtr<FdoDataValue> v = FdoDataValue::Create(static_cast<FdoDataType>(t));
        EXPECT_EQ(v->GetDataType(), t);
        EXPECT_TRUE(v->IsNull());
        EXPECT_EQ(Text(v), L"NULL");
    }
    FdoPtr<FdoInt32Value> i = FdoInt32Value::Create();
    EXPECT_EQ(Thrown([&] { i->GetInt32(); }), L"Int32Value is null.");
    i->SetInt32(5);
    EXPECT_EQ(i->GetInt32(), 5);
    i->SetNull();
    EXPECT_TRUE(i->IsNull());
    EXPECT_EQ(Thrown([&] { i->GetInt32(); }), L"Int32Value is null.");

    FdoPtr<FdoStringValue> s = FdoStringValue::Create(L"");
    EXPECT_FALSE(s->IsNull());  // the empty string is a value
    EXPECT_STREQ(s->GetString(), L"");
    s->SetString(nullptr);
    EXPECT_TRUE(s->IsNull());
    EXPECT_EQ(Thrown([&] { s->GetString(); }), L"StringValue is null.");
    FdoPtr<FdoDataValue> ns = FdoDataValue::Create(static_cast<FdoString*>(nullptr));
    EXPECT_TRUE(ns->IsNull());

    FdoPtr<FdoBLOBValue> blob = FdoBLOBValue::Create();
    EXPECT_EQ(Thrown([&] { FdoPtr<FdoByteArray> d = blob->GetData(); }), L"BLOBValue is null.");
    FdoPtr<FdoDateTimeValue> dt = FdoDateTimeValue::Create();
    EXPECT_EQ(Thrown([&] { dt->GetDateTime(); }), L"DateTimeValue is null.");
}

TEST(DataValue, LiteralTextOfScalars) {
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(true))), L"TRUE");
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(false))), L"FALSE");
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(static_cast<FdoByte>(255)))), L"255");
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(static_cast<FdoInt16>(-32768)))), L"-32768");
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(INT64_MIN))), L"-9223372036854775808");
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(L"it's"))), L"'it''s'");
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(L""))), L"''");
}

TEST(DataValue, NumbersPrintWithFifteenOrSixDigits) {
    auto d = [](double v) { return Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(v, FdoDataType_Double))); };
    auto f = [](float v) { return Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(v))); };
    EXPECT_EQ(d(1.0), L"1");
    EXPECT_EQ(d(-2.5), L"-2.5");
    EXPECT_EQ(d(1.0 / 3), L"0.33333333333333");  // the leading 0 counts as a digit
    EXPECT_EQ(d(0.1 + 0.2), L"0.3");
    EXPECT_EQ(d(123456789.123456789), L"123456789.123457");
    EXPECT_EQ(d(-0.0), L"0");
    EXPECT_EQ(d(-0.00000000000001), L"-0.00000000000001");
    EXPECT_EQ(d(-1e-15), L"-1e-15");  // the fixed form would lose it
    EXPECT_EQ(d(1e20), L"1e+20");
    EXPECT_EQ(d(999999999999999.0), L"999999999999999");
    EXPECT_EQ(Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(12.50, FdoDataType_Decimal))), L"12.5");
    EXPECT_EQ(f(0.1f), L"0.1");
    EXPECT_EQ(f(3.14159265f), L"3.14159");
    EXPECT_EQ(f(123456.7f), L"123457");
    EXPECT_EQ(f(1234567.0f), L"1.23457e+06");
    EXPECT_EQ(f(-0.0f), L"0");
}

TEST(DataValue, DateTimeLiterals) {
    auto t = [](FdoDateTime v) { return Text(FdoPtr<FdoDataValue>(FdoDataValue::Create(v))); };
    EXPECT_EQ(t(FdoDateTime(static_cast<FdoInt16>(2024), 2, 9)), L"DATE '2024-02-09'");
    EXPECT_EQ(t(FdoDateTime(static_cast<FdoInt8>(7), 5, 3.0f)), L"TIME '07:05:03'");
    EXPECT_EQ(t(FdoDateTime(static_cast<FdoInt16>(1999), 12, 31, 23, 59, 59.0f)), L"TIMESTAMP '1999-12-31 23:59:59'");
    EXPECT_EQ(t(FdoDateTime(static_cast<FdoInt8>(10), 20, 5.5f)), L"TIME '10:20:05.5'");
    EXPECT_EQ(t(FdoDateTime(static_cast<FdoInt8>(10), 20, 30.25f)), L"TIME '10:20:30.25'");
}

TEST(DataValue, LobTextAndReferences) {
    FdoByte raw[] = {0x0A, 0xFF};
    FdoPtr<FdoByteArray> bytes = FdoByteArray::Create(raw, 2);
    {
        FdoPtr<FdoBLOBValue> blob = FdoBLOBValue::Create(bytes);
        EXPECT_EQ(bytes->GetRefCount(), 2);
        EXPECT_EQ(Text(blob), L"X'0AFF'");
        FdoPtr<FdoByteArray> same = blob->GetData();
        EXPECT_EQ(same.p, bytes.p);
        EXPECT_EQ(bytes->GetRefCount(), 3);
        blob->SetNull();
        EXPECT_EQ(bytes->GetRefCount(), 2);
        blob->SetData(bytes);
    }
    EXPECT_EQ(bytes->GetRefCount(), 1);
    const char* utf8 = "Stra\xc3\x9f" "e 'x'";
    FdoPtr<FdoByteArray> text = FdoByteArray::Create(reinterpret_cast<const FdoByte*>(utf8), 11);
    FdoPtr<FdoCLOBValue> clob = FdoCLOBValue::Create(text);
    EXPECT_EQ(Text(clob), L"'Stra\u00dfe ''x'''");
}

TEST(DataValue, Equality) {
    FdoPtr<FdoDataValue> a = FdoDataValue::Create(L"x"), b = FdoDataValue::Create(L"x"), c = FdoDataValue::Create(L"y");
    EXPECT_TRUE(FdoDataValue::Equals(a, b));
    EXPECT_FALSE(FdoDataValue::Equals(a, c));
    FdoPtr<FdoDataValue> i32 = FdoDataValue::Create(static_cast<FdoInt32>(1));
    FdoPtr<FdoDataValue> i64 = FdoDataValue::Create(static_cast<FdoInt64>(1));
    EXPECT_FALSE(FdoDataValue::Equals(i32, i64));  // types differ
    FdoPtr<FdoDataValue> n1 = FdoDataValue::Create(FdoDataType_Int32), n2 = FdoDataValue::Create(FdoDataType_Int32);
    EXPECT_TRUE(FdoDataValue::Equals(n1, n2));
    EXPECT_FALSE(FdoDataValue::Equals(n1, i32));
    FdoByte x[] = {1, 2}, y[] = {1, 3};
    FdoPtr<FdoDataValue> bx = FdoDataValue::Create(x, 2, FdoDataType_BLOB), by = FdoDataValue::Create(y, 2, FdoDataType_BLOB);
    FdoPtr<FdoDataValue> bx2 = FdoDataValue::Create(x, 2, FdoDataType_BLOB);
    EXPECT_FALSE(FdoDataValue::Equals(bx, by));
    EXPECT_TRUE(FdoDataValue::Equals(bx, bx2));
}

TEST(DataValueConvert, IntegerRangesAndTruncation) {
    std::wstring msg = Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Int16, FdoInt32Value::Create(70000)); });
    EXPECT_NE(msg.find(L"70000"), std::wstring::npos) << msg;
    EXPECT_NE(msg.find(L"Int32"), std::wstring::npos) << msg;
    EXPECT_NE(msg.find(L"Int16"), std::wstring::npos) << msg;

    FdoPtr<FdoDataValue> asNull = Convert(FdoDataType_Int16, FdoInt32Value::Create(70000), true);
    EXPECT_EQ(asNull->GetDataType(), FdoDataType_Int16);
    EXPECT_TRUE(asNull->IsNull());
    FdoPtr<FdoDataValue> clamped = Convert(FdoDataType_Int16, FdoInt32Value::Create(-70000), false, true, true);
    EXPECT_EQ(static_cast<FdoInt16Value*>(clamped.p)->GetInt16(), -32768);
    FdoPtr<FdoDataValue> byte = Convert(FdoDataType_Byte, FdoInt64Value::Create(255));
    EXPECT_EQ(static_cast<FdoByteValue*>(byte.p)->GetByte(), 255);
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Byte, FdoInt16Value::Create(-1)); }), L"");
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Int64, FdoDoubleValue::Create(1e19)); }), L"");
    FdoPtr<FdoDataValue> big = Convert(FdoDataType_Int64, FdoDoubleValue::Create(-1e19), false, true, true);
    EXPECT_EQ(static_cast<FdoInt64Value*>(big.p)->GetInt64(), INT64_MIN);
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Int32, FdoDoubleValue::Create(NAN)); }), L"");
}

TEST(DataValueConvert, FractionsRoundOnlyWithShift) {
    FdoPtr<FdoDataValue> up = Convert(FdoDataType_Int32, FdoDoubleValue::Create(2.5));
    FdoPtr<FdoDataValue> down = Convert(FdoDataType_Int32, FdoDecimalValue::Create(-2.5));
    EXPECT_EQ(static_cast<FdoInt32Value*>(up.p)->GetInt32(), 3);
    EXPECT_EQ(static_cast<FdoInt32Value*>(down.p)->GetInt32(), -3);
    std::wstring msg = Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Int32, FdoDoubleValue::Create(2.5), false, false); });
    EXPECT_NE(msg.find(L"fraction"), std::wstring::npos) << msg;
    FdoPtr<FdoDataValue> whole = Convert(FdoDataType_Int32, FdoDoubleValue::Create(4.0), false, false);
    EXPECT_EQ(static_cast<FdoInt32Value*>(whole.p)->GetInt32(), 4);
}

TEST(DataValueConvert, FloatingTargets) {
    FdoPtr<FdoDataValue> d = Convert(FdoDataType_Double, FdoInt64Value::Create(INT64_MAX));
    EXPECT_EQ(static_cast<FdoDoubleValue*>(d.p)->GetDouble(), 9223372036854775807.0);
    FdoPtr<FdoDataValue> dec = Convert(FdoDataType_Decimal, FdoSingleValue::Create(0.5f));
    EXPECT_EQ(static_cast<FdoDecimalValue*>(dec.p)->GetDecimal(), 0.5);
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Single, FdoDoubleValue::Create(1e300)); }), L"");
    FdoPtr<FdoDataValue> s = Convert(FdoDataType_Single, FdoDoubleValue::Create(-1e300), false, true, true);
    EXPECT_EQ(static_cast<FdoSingleValue*>(s.p)->GetSingle(), -FLT_MAX);
}

TEST(DataValueConvert, StringsBooleansAndDates) {
    FdoPtr<FdoDataValue> i = Convert(FdoDataType_Int32, FdoStringValue::Create(L" 42 "));
    EXPECT_EQ(static_cast<FdoInt32Value*>(i.p)->GetInt32(), 42);
    FdoPtr<FdoDataValue> e = Convert(FdoDataType_Int16, FdoStringValue::Create(L"1e3"));
    EXPECT_EQ(static_cast<FdoInt16Value*>(e.p)->GetInt16(), 1000);
    FdoPtr<FdoDataValue> r = Convert(FdoDataType_Double, FdoStringValue::Create(L"-.5"));
    EXPECT_EQ(static_cast<FdoDoubleValue*>(r.p)->GetDouble(), -0.5);
    for (FdoString* bad : {L"abc", L"", L"0x10", L"1,5", L"nan", L"12 3"}) {
        std::wstring msg = Thrown([bad] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Int32, FdoStringValue::Create(bad)); });
        EXPECT_NE(msg.find(L"String value '"), std::wstring::npos) << msg;
    }

    FdoPtr<FdoDataValue> yes = Convert(FdoDataType_Boolean, FdoStringValue::Create(L"Yes"));
    EXPECT_TRUE(static_cast<FdoBooleanValue*>(yes.p)->GetBoolean());
    FdoPtr<FdoDataValue> one = Convert(FdoDataType_Int32, FdoBooleanValue::Create(true));
    EXPECT_EQ(static_cast<FdoInt32Value*>(one.p)->GetInt32(), 1);
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Boolean, FdoInt32Value::Create(2)); }), L"");
    FdoPtr<FdoDataValue> two = Convert(FdoDataType_Boolean, FdoInt32Value::Create(2), false, true, true);
    EXPECT_TRUE(static_cast<FdoBooleanValue*>(two.p)->GetBoolean());

    FdoPtr<FdoDataValue> ts = Convert(FdoDataType_DateTime, FdoStringValue::Create(L"2024-02-29 10:20:30"));
    EXPECT_EQ(static_cast<FdoDateTimeValue*>(ts.p)->GetDateTime(), FdoDateTime(static_cast<FdoInt16>(2024), 2, 29, 10, 20, 30.0f));
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_DateTime, FdoStringValue::Create(L"2023-02-29")); }), L"");
    EXPECT_NE(Thrown([] { FdoPtr<FdoDataValue> v = Convert(FdoDataType_Int32, FdoDateTimeValue::Create(FdoDateTime(static_cast<FdoInt16>(2000), 1, 1))); }), L"");
    FdoPtr<FdoDataValue> none = Convert(FdoDataType_Int32, FdoDateTimeValue::Create(FdoDateTime(static_cast<FdoInt16>(2000), 1, 1)), true);
    EXPECT_TRUE(none->IsNull());
}

TEST(DataValueConvert, AnythingToString) {
    auto str = [](FdoDataValue* v) {
        FdoPtr<FdoDataValue> s = Convert(FdoDataType_String, v);
        return std::wstring(static_cast<FdoStringValue*>(s.p)->GetString());
    };
    EXPECT_EQ(str(FdoDoubleValue::Create(1.5)), L"1.5");
    EXPECT_EQ(str(FdoSingleValue::Create(0.1f)), L"0.1");
    EXPECT_EQ(str(FdoInt64Value::Create(-7)), L"-7");
    EXPECT_EQ(str(FdoBooleanValue::Create(false)), L"FALSE");
    EXPECT_EQ(str(FdoStringValue::Create(L"it's")), L"it's");
    EXPECT_EQ(str(FdoDateTimeValue::Create(FdoDateTime(static_cast<FdoInt16>(2024), 1, 2, 3, 4, 5.0f))), L"2024-01-02 03:04:05");
    FdoByte raw[] = {0xDE, 0xAD};
    EXPECT_EQ(str(FdoDataValue::Create(raw, 2, FdoDataType_BLOB)), L"DEAD");

    FdoPtr<FdoDataValue> n = Convert(FdoDataType_String, FdoInt32Value::Create());
    EXPECT_EQ(n->GetDataType(), FdoDataType_String);
    EXPECT_TRUE(n->IsNull());
}

TEST(DataValueConvert, LobsCopyTheirBytes) {
    FdoPtr<FdoDataValue> clob = Convert(FdoDataType_CLOB, FdoStringValue::Create(L"\u00e9"));
    FdoPtr<FdoByteArray> bytes = static_cast<FdoLOBValue*>(clob.p)->GetData();
    ASSERT_EQ(bytes->GetCount(), 2);  // UTF-8
    EXPECT_EQ((*bytes)[0], 0xC3);
    FdoPtr<FdoDataValue> blob = FdoDataValue::Create(FdoDataType_BLOB, clob);
    FdoPtr<FdoByteArray> copy = static_cast<FdoLOBValue*>(blob.p)->GetData();
    EXPECT_NE(copy.p, bytes.p);
    EXPECT_TRUE(FdoDataValue::Equals(clob, FdoPtr<FdoDataValue>(FdoDataValue::Create(FdoDataType_CLOB, blob))));
    EXPECT_NE(Thrown([&] { FdoPtr<FdoDataValue> v = FdoDataValue::Create(FdoDataType_Int32, blob); }), L"");
}

TEST(GeometryValue, HoldsFgfBytes) {
    FdoPtr<FdoGeometryValue> empty = FdoGeometryValue::Create();
    EXPECT_TRUE(empty->IsNull());
    EXPECT_EQ(FdoPtr<FdoByteArray>(empty->GetGeometry()).p, nullptr);
    EXPECT_STREQ(empty->ToString(), L"NULL");
    EXPECT_EQ(empty->GetExpressionType(), FdoExpressionItemType_GeometryValue);
    EXPECT_EQ(empty->GetLiteralValueType(), FdoLiteralValueType_Geometry);

    FdoByte point[] = {1, 0, 0, 0, 0, 0, 0, 0};
    FdoPtr<FdoByteArray> fgf = FdoByteArray::Create(point, 8);
    empty->SetGeometry(fgf);
    EXPECT_FALSE(empty->IsNull());
    EXPECT_EQ(fgf->GetRefCount(), 2);
    {
        FdoPtr<FdoByteArray> got = empty->GetGeometry();
        EXPECT_EQ(got.p, fgf.p);
    }
    EXPECT_NE(std::wstring(empty->ToString()).find(L"8 bytes"), std::wstring::npos);
    empty->SetNullValue();
    EXPECT_EQ(fgf->GetRefCount(), 1);
}

TEST(DataValueCollection, HoldsReferences) {
    FdoPtr<FdoDataValueCollection> list = FdoDataValueCollection::Create();
    FdoPtr<FdoDataValue> v = FdoDataValue::Create(L"a");
    list->Add(v);
    EXPECT_EQ(v->GetRefCount(), 2);
    EXPECT_EQ(Thrown([&] { FdoPtr<FdoDataValue> x = list->GetItem(3); }), L"Item index out of bounds.");
    list->Clear();
    EXPECT_EQ(v->GetRefCount(), 1);
}
