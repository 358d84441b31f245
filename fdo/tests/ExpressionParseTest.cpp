// Expression text: literal kinds and their number rules, sign folding,
// computed identifiers and sub-selects, errors, and processor dispatch.
#include "FilterTestSupport.h"

#include <cmath>

using filtertest::ExpressionFailure;
using filtertest::SameExpression;

namespace {

FdoExpression* Parse(const wchar_t* text) { return FdoExpression::Parse(text); }

struct Literal {
    const wchar_t* text;
    FdoDataType type;
    const wchar_t* printed;
};

TEST(ExpressionParse, LiteralKindsAndNumberRules) {
    const Literal cases[] = {
        {L"42", FdoDataType_Int32, L"42"},
        {L"-2147483648", FdoDataType_Int32, L"-2147483648"},
        {L"2147483648", FdoDataType_Int64, L"2147483648"},
        {L"-9223372036854775808", FdoDataType_Int64, L"-9223372036854775808"},
        {L"9223372036854775808", FdoDataType_Double, L"9.22337203685478e+18"},
        {L"+7", FdoDataType_Int32, L"7"},
        {L"1.0", FdoDataType_Double, L"1"},
        {L"5.", FdoDataType_Double, L"5"},
        {L".25", FdoDataType_Double, L"0.25"},
        {L"-1.5e2", FdoDataType_Double, L"-150"},
        {L"0X7fffffff", FdoDataType_Int64, L"2147483647"},
        {L"-0x10", FdoDataType_Int64, L"-16"},
        {L"x'FFFFFFFF'", FdoDataType_Int64, L"4294967295"},
        {L"B'11'", FdoDataType_Int64, L"3"},
        {L"'a''b'", FdoDataType_String, L"'a''b'"},
        {L"TRUE", FdoDataType_Boolean, L"TRUE"},
        {L"NULL", FdoDataType_Boolean, L"NULL"},
        {L"DATE '2000-02-29'", FdoDataType_DateTime, L"DATE '2000-02-29'"},
        {L"TIMESTAMP '1999-12-31 23:59:59'", FdoDataType_DateTime, L"TIMESTAMP '1999-12-31 23:59:59'"},
    };
    for (const Literal& c : cases) {
        SCOPED_TRACE(testing::Message() << "text: " << filtertest::U8(c.text));
        FdoPtr<FdoExpression> e = Parse(c.text);
        ASSERT_EQ(e->GetExpressionType(), FdoExpressionItemType_DataValue);
        EXPECT_EQ(static_cast<FdoDataValue*>(e.p)->GetDataType(), c.type);
        EXPECT_STREQ(e->ToString(), c.printed);
    }
}

TEST(ExpressionParse, SignFoldsOnlyWhereNoOperandEnds) {
    // After an operand a '-' subtracts; elsewhere it belongs to the number.
    FdoPtr<FdoExpression> sub = Parse(L"a-1");
    EXPECT_EQ(sub->GetExpressionType(), FdoExpressionItemType_BinaryExpression);
    FdoPtr<FdoExpression> args = Parse(L"f(-1, (-2))");
    EXPECT_STREQ(args->ToString(), L"f(-1, -2)");
    FdoPtr<FdoExpression> neg = Parse(L"-a");
    EXPECT_EQ(neg->GetExpressionType(), FdoExpressionItemType_UnaryExpression);
    FdoPtr<FdoExpression> afterParen = Parse(L"(a)-1");
    EXPECT_EQ(afterParen->GetExpressionType(), FdoExpressionItemType_BinaryExpression);
    FdoPtr<FdoExpression> times = Parse(L"2*-3");
    FdoPtr<FdoExpression> right = static_cast<FdoBinaryExpression*>(times.p)->GetRightExpression();
    EXPECT_EQ(right->GetExpressionType(), FdoExpressionItemType_DataValue);
    EXPECT_STREQ(times->ToString(), L"2*-3");
}

TEST(ExpressionParse, ArithmeticRoundTrips) {
    const wchar_t* texts[] = {L"a+b-c", L"a-(b-c)", L"a-(b+c)", L"(a+b)*(c-d)", L"a/(b/c)", L"a*b/c",
                              L"-(a+b)*c", L"-(-(a))", L"a*-(b)", L"Upper(a+'x')", L"f(g(h(1)), 2.5, :p)",
                              L"'a'||'b'||c", L"f(GeomFromText('LINESTRING (0 0, 1 1)'))"};
    for (const wchar_t* text : texts) {
        SCOPED_TRACE(testing::Message() << "text: " << filtertest::U8(text));
        FdoPtr<FdoExpression> e = Parse(text);
        FdoPtr<FdoExpression> again = Parse(e->ToString());
        EXPECT_TRUE(SameExpression(e, again)) << filtertest::U8(again->ToString());
    }
}

// A quoted name is one part, dots and colons included, and prints back in
// quotes: the text reads back as the same function.
TEST(ExpressionParse, QuotedFunctionNamesKeepTheirDots) {
    for (FdoString* text : {L"\"a.b\"(x)", L"Lib.\"x:y\"(x)", L"\"ends.\"(x)"}) {
        FdoPtr<FdoExpression> e = Parse(text);
        ASSERT_EQ(e->GetExpressionType(), FdoExpressionItemType_Function);
        std::wstring printed = e->ToString();
        FdoPtr<FdoExpression> again = Parse(printed.c_str());
        EXPECT_STREQ(static_cast<FdoFunction*>(again.p)->GetName(), static_cast<FdoFunction*>(e.p)->GetName());
        EXPECT_EQ(printed, std::wstring(again->ToString()));
    }
    FdoPtr<FdoExpression> e = Parse(L"\"a.b\"(x)");
    EXPECT_STREQ(static_cast<FdoFunction*>(e.p)->GetName(), L"a.b");
}

TEST(ExpressionParse, FunctionNameIsTheLastIdentifierPart) {
    FdoPtr<FdoExpression> e = Parse(L"Lib.Upper(Name)");
    ASSERT_EQ(e->GetExpressionType(), FdoExpressionItemType_Function);
    EXPECT_STREQ(static_cast<FdoFunction*>(e.p)->GetName(), L"Upper");
    FdoPtr<FdoExpressionCollection> args = static_cast<FdoFunction*>(e.p)->GetArguments();
    EXPECT_EQ(args->GetCount(), 1);
}

TEST(ExpressionParse, ComputedIdentifiersAndSubSelects) {
    FdoPtr<FdoExpression> c = Parse(L"(Price * 2) AS Double_Price");
    ASSERT_EQ(c->GetExpressionType(), FdoExpressionItemType_ComputedIdentifier);
    EXPECT_STREQ(static_cast<FdoComputedIdentifier*>(c.p)->GetName(), L"Double_Price");
    EXPECT_STREQ(c->ToString(), L"( Price*2 ) AS Double_Price");

    FdoPtr<FdoExpression> s = Parse(L"SELECT(Parcels, Owner, Area > 10)");
    ASSERT_EQ(s->GetExpressionType(), FdoExpressionItemType_SubSelectExpression);
    FdoPtr<FdoFilter> f = static_cast<FdoSubSelectExpression*>(s.p)->GetFilter();
    EXPECT_STREQ(f->ToString(), L"Area > 10");
    EXPECT_STREQ(s->ToString(), L"SELECT(Parcels, Owner, 'Area > 10')");
}

TEST(ExpressionParse, BadTextThrowsExpressionException) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"a = 1", L"at position 2: expected the end of the text near '='"},
        {L"a AS", L"expected a name after AS"},
        {L"(a", L"expected ')' near end of text"},
        {L"f(a,)", L"expected an expression near ')'"},
        {L"a +", L"expected an expression near end of text"},
        {L"+a", L"expected an expression near '+'"},
        {L"NOT a", L"expected an expression near 'NOT'"},
        {L"3abc", L"expected the end of the text near 'abc'"},
        {nullptr, L"expected an expression near end of text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text: " << filtertest::U8(c.first));
        std::wstring kind;
        std::wstring message = ExpressionFailure(c.first, &kind);
        EXPECT_EQ(kind, L"FdoExpressionException");
        EXPECT_EQ(message.rfind(L"String does not represent a valid expression.: ", 0), 0u);
        EXPECT_NE(message.find(c.second), std::wstring::npos) << filtertest::U8(message.c_str());
    }
}

TEST(ExpressionModel, ReferenceCountsAreExact) {
    FdoPtr<FdoIdentifier> a = FdoIdentifier::Create(L"a");
    {
        FdoPtr<FdoBinaryExpression> sum = FdoBinaryExpression::Create(a, FdoBinaryOperations_Add, a);
        EXPECT_EQ(a->GetRefCount(), 3);
        sum->SetRightExpression(FdoPtr<FdoExpression>(FdoInt32Value::Create(1)));
        EXPECT_EQ(a->GetRefCount(), 2);
        FdoExpression* args[] = {a, sum};
        FdoPtr<FdoFunction> f = FdoFunction::Create(L"Concat", args, 2);
        EXPECT_STREQ(f->ToString(), L"Concat(a, a+1)");
        FdoPtr<FdoUnaryExpression> neg = FdoUnaryExpression::Create(FdoUnaryOperations_Negate, f);
        EXPECT_STREQ(neg->ToString(), L"-(Concat(a, a+1))");
    }
    EXPECT_EQ(a->GetRefCount(), 1);
}

// Writes a compact trace of the kinds it is called for.
class Tracer : public FdoIExpressionProcessor {
public:
    std::wstring trace;
    void Visit(FdoExpression* e) { e->Process(this); }
    void ProcessBinaryExpression(FdoBinaryExpression& e) override {
        FdoPtr<FdoExpression> l = e.GetLeftExpression(), r = e.GetRightExpression();
        trace += L"bin(";
        Visit(l);
        trace += L",";
        Visit(r);
        trace += L")";
    }
    void ProcessUnaryExpression(FdoUnaryExpression& e) override {
        FdoPtr<FdoExpression> o = e.GetExpression();
        trace += L"neg(";
        Visit(o);
        trace += L")";
    }
    void ProcessFunction(FdoFunction& e) override { trace += std::wstring(L"fn:") + e.GetName(); }
    void ProcessIdentifier(FdoIdentifier& e) override { trace += std::wstring(L"id:") + e.GetText(); }
    void ProcessComputedIdentifier(FdoComputedIdentifier&) override { trace += L"computed"; }
    void ProcessSubSelectExpression(FdoSubSelectExpression&) override { trace += L"select"; }
    void ProcessParameter(FdoParameter& e) override { trace += std::wstring(L"param:") + e.GetName(); }
    void ProcessBooleanValue(FdoBooleanValue&) override { trace += L"bool"; }
    void ProcessByteValue(FdoByteValue&) override { trace += L"byte"; }
    void ProcessDateTimeValue(FdoDateTimeValue&) override { trace += L"datetime"; }
    void ProcessDecimalValue(FdoDecimalValue&) override { trace += L"decimal"; }
    void ProcessDoubleValue(FdoDoubleValue&) override { trace += L"double"; }
    void ProcessInt16Value(FdoInt16Value&) override { trace += L"int16"; }
    void ProcessInt32Value(FdoInt32Value&) override { trace += L"int32"; }
    void ProcessInt64Value(FdoInt64Value&) override { trace += L"int64"; }
    void ProcessSingleValue(FdoSingleValue&) override { trace += L"single"; }
    void ProcessStringValue(FdoStringValue&) override { trace += L"string"; }
    void ProcessBLOBValue(FdoBLOBValue&) override { trace += L"blob"; }
    void ProcessCLOBValue(FdoCLOBValue&) override { trace += L"clob"; }
    void ProcessGeometryValue(FdoGeometryValue&) override { trace += L"geometry"; }

protected:
    void Dispose() override {}
};

TEST(ExpressionModel, ProcessorDispatchesOnKind) {
    FdoPtr<FdoExpression> e = Parse(L"-(a)+1*2.5-3000000000/'s'+:p*TRUE-DATE '2000-01-01'+f(x)");
    Tracer t;
    t.Visit(e);
    EXPECT_EQ(t.trace,
              L"bin(bin(bin(bin(bin(neg(id:a),bin(int32,double)),bin(int64,string)),bin(param:p,bool)),datetime),fn:f)");
    const std::pair<FdoPtr<FdoExpression>, const wchar_t*> values[] = {
        {FdoByteValue::Create(1), L"byte"},     {FdoInt16Value::Create(1), L"int16"},
        {FdoSingleValue::Create(1.f), L"single"}, {FdoDecimalValue::Create(1.0), L"decimal"},
        {FdoBLOBValue::Create(), L"blob"},      {FdoCLOBValue::Create(), L"clob"},
        {FdoGeometryValue::Create(), L"geometry"}, {FdoComputedIdentifier::Create(L"c", nullptr), L"computed"},
        {FdoSubSelectExpression::Create(), L"select"},
    };
    for (const auto& v : values) {
        Tracer one;
        one.Visit(v.first);
        EXPECT_EQ(one.trace, v.second);
    }
}

}  // namespace
