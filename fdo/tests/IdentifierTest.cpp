// Identifiers, parameters, parameter values and property values, including
// the literal text that FdoPropertyValue::SetValue reads.
#include <Fdo.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::wstring Thrown(const std::function<void()>& f, FdoString* kind) {
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

std::vector<std::wstring> Scope(FdoIdentifier* id) {
    FdoInt32 n = -1;
    FdoString** parts = id->GetScope(n);
    return std::vector<std::wstring>(parts, parts + n);
}

// The value that SetValue(text) leaves in a property value.
FdoValueExpression* ValueOf(FdoString* text) {
    FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create();
    pv->SetValue(text);
    return pv->GetValue();
}

}  // namespace

TEST(Identifier, SplitsSchemaScopeAndName) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(L"S:C.P");
    EXPECT_STREQ(id->GetText(), L"S:C.P");
    EXPECT_STREQ(id->GetSchemaName(), L"S");
    EXPECT_EQ(Scope(id), std::vector<std::wstring>{L"C"});
    EXPECT_STREQ(id->GetName(), L"P");

    id->SetText(L"S:C");
    EXPECT_STREQ(id->GetSchemaName(), L"S");
    EXPECT_TRUE(Scope(id).empty());
    EXPECT_STREQ(id->GetName(), L"C");

    id->SetText(L"A.B.C");
    EXPECT_STREQ(id->GetSchemaName(), L"");
    EXPECT_EQ(Scope(id), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_STREQ(id->GetName(), L"C");

    id->SetText(L"Name");
    EXPECT_STREQ(id->GetSchemaName(), L"");
    EXPECT_TRUE(Scope(id).empty());
    EXPECT_STREQ(id->GetName(), L"Name");
    EXPECT_EQ(id->GetExpressionType(), FdoExpressionItemType_Identifier);
}

TEST(Identifier, QuotesWhatWouldNotReadBack) {
    auto text = [](FdoString* t) { return std::wstring(FdoPtr<FdoIdentifier>(FdoIdentifier::Create(t))->ToString()); };
    EXPECT_EQ(text(L"Road_1"), L"Road_1");
    EXPECT_EQ(text(L"Class.Prop"), L"Class.Prop");
    EXPECT_EQ(text(L"S:C"), L"\"S:C\"");
    EXPECT_EQ(text(L"my name"), L"\"my name\"");
    EXPECT_EQ(text(L"Select"), L"\"Select\"");
    EXPECT_EQ(text(L"withindistance"), L"\"withindistance\"");
    EXPECT_EQ(text(L"1st"), L"\"1st\"");
    EXPECT_EQ(text(L"_x"), L"\"_x\"");
    EXPECT_EQ(text(L"a\"b"), L"\"a\"\"b\"");
    EXPECT_EQ(text(L""), L"\"\"");
    EXPECT_EQ(text(L"Stra\u00dfe"), L"Stra\u00dfe");
}

TEST(Identifier, ComputedIdentifierHoldsItsExpression) {
    FdoPtr<FdoDataValue> twelve = FdoDataValue::Create(static_cast<FdoInt32>(12));
    {
        FdoPtr<FdoComputedIdentifier> c = FdoComputedIdentifier::Create(L"Total", twelve);
        EXPECT_EQ(twelve->GetRefCount(), 2);
        EXPECT_STREQ(c->ToString(), L"( 12 ) AS Total");
        EXPECT_STREQ(c->GetName(), L"Total");
        EXPECT_EQ(c->GetExpressionType(), FdoExpressionItemType_ComputedIdentifier);
        c->SetText(L"and");
        EXPECT_STREQ(c->ToString(), L"( 12 ) AS \"and\"");
        FdoPtr<FdoExpression> e = c->GetExpression();
        EXPECT_EQ(e.p, twelve.p);
    }
    EXPECT_EQ(twelve->GetRefCount(), 1);
}

TEST(Identifier, CollectionFindsByName) {
    FdoPtr<FdoIdentifierCollection> ids = FdoIdentifierCollection::Create();
    FdoPtr<FdoIdentifier> a = FdoIdentifier::Create(L"Class.Name");
    ids->Add(a);
    FdoPtr<FdoIdentifier> found = ids->FindItem(L"Name");
    EXPECT_EQ(found.p, a.p);
    EXPECT_EQ(FdoPtr<FdoIdentifier>(ids->FindItem(L"name")).p, nullptr);
    FdoPtr<FdoIdentifier> dup = FdoIdentifier::Create(L"Name");
    EXPECT_NE(Thrown([&] { ids->Add(dup); }, L"FdoCommandException"), L"");
}

TEST(Parameter, TextQuotesOddNames) {
    auto text = [](FdoString* n) { return std::wstring(FdoPtr<FdoParameter>(FdoParameter::Create(n))->ToString()); };
    EXPECT_EQ(text(L"p1"), L":p1");
    EXPECT_EQ(text(L"na me"), L":'na me'");
    EXPECT_EQ(text(L"it's"), L":'it''s'");
    EXPECT_EQ(text(L"9"), L":'9'");
}

TEST(ParameterValue, BindingsAndLookups) {
    FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(L"p");
    EXPECT_EQ(pv->GetDirection(), FdoParameterDirection_Input);
    EXPECT_EQ(FdoPtr<FdoLiteralValue>(pv->GetValue()).p, nullptr);
    pv->SetValue(L"text");
    FdoPtr<FdoLiteralValue> v = pv->GetValue();
    ASSERT_EQ(v->GetLiteralValueType(), FdoLiteralValueType_Data);
    EXPECT_STREQ(static_cast<FdoStringValue*>(v.p)->GetString(), L"text");
    pv->SetDirection(FdoParameterDirection_Output);
    EXPECT_EQ(pv->GetDirection(), FdoParameterDirection_Output);

    FdoPtr<FdoParameterValueCollection> params = FdoParameterValueCollection::Create();
    params->Add(pv);
    FdoPtr<FdoInt32Value> five = FdoInt32Value::Create(5);
    params->Add(FdoPtr<FdoParameterValue>(FdoParameterValue::Create(L"q", five)));
    EXPECT_EQ(five->GetRefCount(), 2);
    EXPECT_EQ(FdoPtr<FdoParameterValue>(params->FindItem(L"P")).p, nullptr);
    EXPECT_NE(Thrown([&] { FdoPtr<FdoParameterValue> x = params->GetItem(L"missing"); }, L"FdoCommandException")
                  .find(L"missing"),
              std::wstring::npos);

    FdoPtr<FdoBatchParameterValueCollection> batch = FdoBatchParameterValueCollection::Create();
    batch->Add(params);
    EXPECT_EQ(batch->GetCount(), 1);
    EXPECT_EQ(FdoPtr<FdoParameterValueCollection>(batch->GetItem(0)).p, params.p);
}

TEST(PropertyValue, NamesAndCollectionLookups) {
    FdoPtr<FdoStringValue> v = FdoStringValue::Create(L"x");
    FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(L"Class.Name", v);
    FdoPtr<FdoIdentifier> name = pv->GetName();
    EXPECT_STREQ(name->GetText(), L"Class.Name");
    EXPECT_EQ(v->GetRefCount(), 2);

    FdoPtr<FdoPropertyValueCollection> values = FdoPropertyValueCollection::Create();
    values->Add(pv);
    EXPECT_EQ(FdoPtr<FdoPropertyValue>(values->GetItem(L"Class.Name")).p, pv.p);
    EXPECT_EQ(FdoPtr<FdoPropertyValue>(values->FindItem(L"Name")).p, nullptr);
    EXPECT_EQ(FdoPtr<FdoPropertyValue>(values->FindItem(L"class.name")).p, nullptr);
    EXPECT_EQ(Thrown([&] { FdoPtr<FdoPropertyValue> x = values->GetItem(L"Nope"); }, L"FdoCommandException"),
              L"Invalid property value name 'Nope'.");
    FdoPtr<FdoPropertyValue> unnamed = FdoPropertyValue::Create();
    values->Add(unnamed);
    EXPECT_FALSE(values->Contains(L"Other"));

    pv->SetName(L"Other");
    EXPECT_TRUE(values->Contains(L"Other"));
    pv->SetValue(static_cast<FdoValueExpression*>(nullptr));
    EXPECT_EQ(v->GetRefCount(), 1);
}

TEST(PropertyValue, ReadsLiteralText) {
    struct Case {
        FdoString* text;
        FdoDataType type;
        FdoString* printed;
    };
    const Case cases[] = {
        {L"'it''s'", FdoDataType_String, L"'it''s'"},
        {L"  42  ", FdoDataType_Int32, L"42"},
        {L"-2147483648", FdoDataType_Int32, L"-2147483648"},
        {L"2147483648", FdoDataType_Int64, L"2147483648"},
        {L"9223372036854775808", FdoDataType_Double, L"9.22337203685478e+18"},
        {L"+1.50", FdoDataType_Double, L"1.5"},
        {L".5", FdoDataType_Double, L"0.5"},
        {L"1e3", FdoDataType_Double, L"1000"},
        {L"-2.5E-1", FdoDataType_Double, L"-0.25"},
        {L"true", FdoDataType_Boolean, L"TRUE"},
        {L"FALSE", FdoDataType_Boolean, L"FALSE"},
        {L"null", FdoDataType_Boolean, L"NULL"},
        {L"0x1F", FdoDataType_Int64, L"31"},
        {L"X'ff'", FdoDataType_Int64, L"255"},
        {L"B'0101'", FdoDataType_Int64, L"5"},
        {L"DATE '2024-02-29'", FdoDataType_DateTime, L"DATE '2024-02-29'"},
        {L"time'23:59:59.5'", FdoDataType_DateTime, L"TIME '23:59:59.5'"},
        {L"TIMESTAMP '2024-01-02T03:04:05'", FdoDataType_DateTime, L"TIMESTAMP '2024-01-02 03:04:05'"},
    };
    for (const Case& c : cases) {
        FdoPtr<FdoValueExpression> v = ValueOf(c.text);
        ASSERT_EQ(v->GetExpressionType(), FdoExpressionItemType_DataValue) << c.text;
        EXPECT_EQ(static_cast<FdoDataValue*>(v.p)->GetDataType(), c.type) << c.text;
        EXPECT_STREQ(v->ToString(), c.printed) << c.text;
    }
    FdoPtr<FdoValueExpression> p = ValueOf(L":p_1");
    ASSERT_EQ(p->GetExpressionType(), FdoExpressionItemType_Parameter);
    EXPECT_STREQ(static_cast<FdoParameter*>(p.p)->GetName(), L"p_1");
    FdoPtr<FdoValueExpression> q = ValueOf(L":'a b'");
    EXPECT_STREQ(static_cast<FdoParameter*>(q.p)->GetName(), L"a b");
}

TEST(PropertyValue, LiteralTextReadsBack) {
    FdoPtr<FdoDataValue> values[] = {
        FdoDataValue::Create(L"a 'b' ;c"),
        FdoDataValue::Create(static_cast<FdoInt32>(INT32_MIN)),
        FdoDataValue::Create(static_cast<FdoInt64>(INT64_MAX)),
        FdoDataValue::Create(-1234.5678, FdoDataType_Double),
        FdoDataValue::Create(true),
        FdoDataValue::Create(FdoDateTime(1999, 12, 31, 23, 59, 1.5f)),
        FdoDataValue::Create(FdoDateTime(static_cast<FdoInt8>(0), 0, 0.0f)),
    };
    for (FdoDataValue* v : values) {
        FdoPtr<FdoValueExpression> back = ValueOf(v->ToString());
        EXPECT_TRUE(FdoDataValue::Equals(v, static_cast<FdoDataValue*>(back.p))) << v->ToString();
    }
}

TEST(PropertyValue, RejectsOtherText) {
    for (FdoString* bad : {L"", L"   ", L"abc", L"'open", L"1 2", L"12abc", L"a + 1", L"1.2.3", L"DATE 2024",
                           L"DATE '2023-02-29'", L"TIME '24:00:00'", L"TIME '10:60:00'", L"TIMESTAMP '2024-01-02'",
                           L"DATE '2024-13-01'", L"X'1FFFFFFFF'", L"B'012'", L":", L":1", L"-", L"1e", L"TRUE1"}) {
        std::wstring msg = Thrown([bad] { FdoPtr<FdoValueExpression> v = ValueOf(bad); }, L"FdoExpressionException");
        EXPECT_EQ(msg.rfind(L"String does not represent a valid expression.", 0), 0u) << bad << L" -> " << msg;
        EXPECT_NE(msg.find(std::wstring(L"'") + bad + L"'"), std::wstring::npos) << msg;
    }
}
