// Filter text: what each kind of text reads as, how it prints back, the
// errors (with positions) for bad text, and Parse(ToString(f)) == f.
#include "FilterTestSupport.h"
#include "TestData.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using filtertest::FilterFailure;
using filtertest::SameFilter;

namespace {

struct Printed {
    const wchar_t* text;
    const wchar_t* printed;
};

// Every operator, literal kind and quoting rule, with the text ToString gives.
const Printed kPrinted[] = {
    {L"a = 1", L"a = 1"},
    {L"a<>1", L"a <> 1"},
    {L"a != 1", L"a <> 1"},
    {L"a > 1", L"a > 1"},
    {L"a >= 1", L"a >= 1"},
    {L"a < 1", L"a < 1"},
    {L"a <= 1", L"a <= 1"},
    {L"a like 'x%'", L"a LIKE 'x%'"},
    {L"a\r\n=\t1", L"a = 1"},
    // AND binds tighter than OR; only an OR under an AND keeps its parentheses.
    {L"a = 1 OR b = 2 AND c = 3", L"a = 1 OR b = 2 AND c = 3"},
    {L"(a = 1 OR b = 2) AND c = 3", L"(a = 1 OR b = 2) AND c = 3"},
    {L"a = 1 AND (b = 2 OR c = 3)", L"a = 1 AND (b = 2 OR c = 3)"},
    {L"(a = 1 AND b = 2) OR c = 3", L"a = 1 AND b = 2 OR c = 3"},
    {L"((a = 1))", L"a = 1"},
    // A '(' opens a filter or an expression, as its content says.
    {L"(a) = 1", L"a = 1"},
    {L"((a + b)) > (1)", L"a+b > 1"},
    {L"(a) IN (1) AND ((a NULL))", L"a IN (1) AND a NULL"},
    {L"(NULL) = a", L"NULL = a"},
    {L"(x IN (SELECT(C, P, a = 1)))", L"x IN (SELECT(C, P, 'a = 1'))"},
    {L"a = 1 and b = 2 Or c = 3", L"a = 1 AND b = 2 OR c = 3"},
    // NOT binds to the condition after it.
    {L"NOT a = 1 AND b = 2", L"NOT (a = 1) AND b = 2"},
    {L"not (a = 1 or b = 2)", L"NOT (a = 1 OR b = 2)"},
    {L"NOT NOT a = 1", L"NOT (NOT (a = 1))"},
    {L"a NULL", L"a NULL"},
    {L"NOT a null", L"NOT (a NULL)"},
    // Literals.
    {L"a = 'it''s'", L"a = 'it''s'"},
    {L"a = ''", L"a = ''"},
    {L"a = 1.50", L"a = 1.5"},
    {L"a = .5", L"a = 0.5"},
    {L"a = 1e3", L"a = 1000"},
    {L"a = 2.5E-3", L"a = 0.0025"},
    {L"a = 2147483647", L"a = 2147483647"},
    {L"a = -2147483648", L"a = -2147483648"},
    {L"a = 2147483648", L"a = 2147483648"},
    {L"a = 0x1F", L"a = 31"},
    {L"a = X'ff' OR b = b'0101'", L"a = 255 OR b = 5"},
    {L"a = true OR b = False", L"a = TRUE OR b = FALSE"},
    {L"a = null", L"a = NULL"},
    {L"a = date '2024-02-29'", L"a = DATE '2024-02-29'"},
    {L"a = TIME '23:59:59'", L"a = TIME '23:59:59'"},
    {L"a = TIME '10:00:01.5'", L"a = TIME '10:00:01.5'"},
    {L"a = TIMESTAMP '2024-01-02T03:04:05'", L"a = TIMESTAMP '2024-01-02 03:04:05'"},
    {L"a = :p AND b = :'two words'", L"a = :p AND b = :'two words'"},
    // Identifiers.
    {L"a.b.c = 1", L"a.b.c = 1"},
    {L"\"my prop\" = 1", L"\"my prop\" = 1"},
    {L"\"and\" = 1", L"\"and\" = 1"},
    {L"\"a\"\"b\" = 1", L"\"a\"\"b\" = 1"},
    {L"\"S:C\".\"P\" = 1", L"\"S:C.P\" = 1"},
    {L"Name1_x = 1", L"Name1_x = 1"},
    {L"\"a..b\" = 1 AND \"a.1b\" = 2 AND \"x.\".\"y\" = 3 AND \"x.\" = 4 AND and.or = 5",
     L"\"a..b\" = 1 AND \"a.1b\" = 2 AND \"x..y\" = 3 AND \"x.\" = 4 AND and.or = 5"},
    {L"(a) AS \"NOT\", \"NOT\" > 1", L"( a ) AS \"NOT\", \"NOT\" > 1"},
    {L"Stra\u00dfe = 1 AND \u540d\u524d\u00a0x = 'y'", L"Stra\u00dfe = 1 AND \u540d\u524d\u00a0x = 'y'"},
    // Arithmetic: no blanks, parentheses only where grouping needs them.
    {L"a + b * c > 1", L"a+b*c > 1"},
    {L"(a + b) * c > 1", L"(a+b)*c > 1"},
    {L"a - (b - c) = 1", L"a-(b-c) = 1"},
    {L"a - b - c = 1", L"a-b-c = 1"},
    {L"a / (b * c) = 1", L"a/(b*c) = 1"},
    {L"(a * b) / c = 1", L"a*b/c = 1"},
    {L"-a > 1", L"-(a) > 1"},
    {L"- 5 = a", L"-(5) = a"},
    {L"a = -5", L"a = -5"},
    {L"a - -5 = 1", L"a--5 = 1"},
    {L"a-5 = 1", L"a-5 = 1"},
    {L"a = 1 AND -5 < b", L"a = 1 AND -5 < b"},
    {L"a || 'x' = 'yx'", L"a+'x' = 'yx'"},
    {L"(a + 1) > (b)", L"a+1 > b"},
    // Functions.
    {L"Upper(a) = 'X'", L"Upper(a) = 'X'"},
    {L"Concat(a, 'b', 1) = f()", L"Concat(a, 'b', 1) = f()"},
    {L"\"Date\"(a) = 1", L"\"Date\"(a) = 1"},
    // IN lists take literals and parameters.
    {L"a IN (1, 2.5, 'x', :p, TRUE, NULL, DATE '2020-01-01')",
     L"a IN (1, 2.5, 'x', :p, TRUE, NULL, DATE '2020-01-01')"},
    {L"a in (-1)", L"a IN (-1)"},
    {L"x IN (SELECT(C, P))", L"x IN (SELECT(C, P))"},
    {L"x IN (SELECT(C, P, a = 1))", L"x IN (SELECT(C, P, 'a = 1'))"},
    {L"x IN (SELECT(C, P, '(a) AS b, b = ''x'''))", L"x IN (SELECT(C, P, '( a ) AS b, b = ''x'''))"},
    // Spatial and distance conditions.
    {L"g intersects geomfromtext('point(1 2)')", L"g INTERSECTS GeomFromText('POINT (1 2)')"},
    {L"g CONTAINS GeomFromText('POINT (1 2)') OR g CROSSES GeomFromText('POINT (1 2)')",
     L"g CONTAINS GeomFromText('POINT (1 2)') OR g CROSSES GeomFromText('POINT (1 2)')"},
    {L"g DISJOINT GeomFromText('POINT (1 2)') AND g EQUALS GeomFromText('POINT (1 2)')",
     L"g DISJOINT GeomFromText('POINT (1 2)') AND g EQUALS GeomFromText('POINT (1 2)')"},
    {L"g OVERLAPS GeomFromText('POINT (1 2)') AND g TOUCHES GeomFromText('POINT (1 2)')",
     L"g OVERLAPS GeomFromText('POINT (1 2)') AND g TOUCHES GeomFromText('POINT (1 2)')"},
    {L"g WITHIN GeomFromText('POINT (1 2)') AND g COVEREDBY GeomFromText('POINT (1 2)')",
     L"g WITHIN GeomFromText('POINT (1 2)') AND g COVEREDBY GeomFromText('POINT (1 2)')"},
    {L"g INSIDE GeomFromText('POINT (1 2)') AND g ENVELOPEINTERSECTS GeomFromText('POINT (1 2)')",
     L"g INSIDE GeomFromText('POINT (1 2)') AND g ENVELOPEINTERSECTS GeomFromText('POINT (1 2)')"},
    {L"Geometry WITHINDISTANCE GeomFromText('POINT (0 0)') 100.5",
     L"Geometry WITHINDISTANCE GeomFromText('POINT (0 0)') 100.5"},
    {L"Geometry beyond GeomFromText('POINT (0 0)') 10", L"Geometry BEYOND GeomFromText('POINT (0 0)') 10"},
    {L"g INTERSECTS :area", L"g INTERSECTS :area"},
    // Computed identifiers print once, as a prefix.
    {L"(a + b) AS c, c > 3", L"( a+b ) AS c, c > 3"},
    {L"a * 2 AS d, d > 1 AND d < 5", L"( a*2 ) AS d, d > 1 AND d < 5"},
    {L"(a+1) AS b, (b*2) AS c, c > 3 AND b IN (1, 2)", L"( a+1 ) AS b, ( b*2 ) AS c, c > 3 AND b IN (1, 2)"},
};

TEST(FilterParse, PrintsBackAsExpected) {
    for (const Printed& p : kPrinted) {
        SCOPED_TRACE(testing::Message() << "text: " << filtertest::U8(p.text));
        FdoPtr<FdoFilter> f;
        try {
            f = FdoFilter::Parse(p.text);
        } catch (FdoException* e) {
            ADD_FAILURE() << filtertest::U8(e->ToFullString());
            e->Release();
            continue;
        }
        EXPECT_STREQ(f->ToString(), p.printed);
    }
}

TEST(FilterParse, RoundTripGivesAnEqualFilter) {
    for (const Printed& p : kPrinted) {
        SCOPED_TRACE(testing::Message() << "text: " << filtertest::U8(p.text));
        FdoPtr<FdoFilter> f = FdoFilter::Parse(p.text);
        FdoPtr<FdoFilter> again = FdoFilter::Parse(f->ToString());
        EXPECT_TRUE(SameFilter(f, again)) << filtertest::U8(again->ToString());
        EXPECT_STREQ(again->ToString(), p.printed);
    }
}

TEST(FilterParse, TreeShapeFollowsPrecedence) {
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"NOT a = 1 AND b = 2 OR c + d * 2 = 3");
    auto* orOp = dynamic_cast<FdoBinaryLogicalOperator*>(f.p);
    ASSERT_TRUE(orOp);
    EXPECT_EQ(orOp->GetOperation(), FdoBinaryLogicalOperations_Or);
    FdoPtr<FdoFilter> andPart = orOp->GetLeftOperand();
    auto* andOp = dynamic_cast<FdoBinaryLogicalOperator*>(andPart.p);
    ASSERT_TRUE(andOp);
    FdoPtr<FdoFilter> notPart = andOp->GetLeftOperand();
    ASSERT_TRUE(dynamic_cast<FdoUnaryLogicalOperator*>(notPart.p));

    FdoPtr<FdoFilter> cmpPart = orOp->GetRightOperand();
    auto* cmp = dynamic_cast<FdoComparisonCondition*>(cmpPart.p);
    ASSERT_TRUE(cmp);
    FdoPtr<FdoExpression> sum = cmp->GetLeftExpression();
    ASSERT_EQ(sum->GetExpressionType(), FdoExpressionItemType_BinaryExpression);
    EXPECT_EQ(static_cast<FdoBinaryExpression*>(sum.p)->GetOperation(), FdoBinaryOperations_Add);
    FdoPtr<FdoExpression> product = static_cast<FdoBinaryExpression*>(sum.p)->GetRightExpression();
    EXPECT_EQ(static_cast<FdoBinaryExpression*>(product.p)->GetOperation(), FdoBinaryOperations_Multiply);
}

TEST(FilterParse, ComputedIdentifierIsSharedByItsUses) {
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"(a+b) AS c, c > 3 AND c NULL");
    auto* andOp = dynamic_cast<FdoBinaryLogicalOperator*>(f.p);
    ASSERT_TRUE(andOp);
    FdoPtr<FdoFilter> l = andOp->GetLeftOperand(), r = andOp->GetRightOperand();
    FdoPtr<FdoExpression> used = static_cast<FdoComparisonCondition*>(l.p)->GetLeftExpression();
    FdoPtr<FdoIdentifier> tested = static_cast<FdoNullCondition*>(r.p)->GetPropertyName();
    EXPECT_EQ(used->GetExpressionType(), FdoExpressionItemType_ComputedIdentifier);
    EXPECT_EQ(used.p, static_cast<FdoExpression*>(tested.p));
}

struct Failure {
    const wchar_t* text;
    const wchar_t* message;  // a part of the cause's message
};

const Failure kFailures[] = {
    {L"a = (1", L"at position 6: expected ')' near end of text"},
    {L"a = 1 AND", L"at position 9: expected an expression near end of text"},
    {L"a = 1 b = 2", L"at position 6: expected the end of the text near 'b'"},
    {L"(a = 1 OR b = 2", L"at position 15: expected ')' near end of text"},
    {L"a = 1 AND (b = 2 OR c = 3 AND d", L"at position 31: expected a comparison operator"},
    {L"a = 'x", L"at position 4: unterminated string"},
    {L"\"a = 1", L"at position 0: unterminated quoted identifier"},
    {L"\"\" = 1", L"empty quoted identifier"},
    {L"a ? 1", L"at position 2: unexpected character '?'"},
    {L"a | b = 1", L"unexpected character '|'"},
    {L"a = :", L"a parameter name must follow ':'"},
    {L"a = 0x100000000", L"longer than 32 bits"},
    {L"a = X'12", L"closing quote"},
    {L"a = DATE '2023-02-29'", L"at position 9: expected a date 'YYYY-MM-DD'"},
    {L"a = DATE 5", L"expected a date"},
    {L"a = TIME '24:00:00'", L"expected a time"},
    {L"a = TIME '10:00:59.9999999'", L"expected a time"},
    {L"a = 1e400", L"at position 4: number out of range"},
    {L"a = TIMESTAMP '2024-01-01'", L"expected a timestamp"},
    {L"1 IN (1)", L"at position 0: a property name must come before IN"},
    {L"a + 1 NULL", L"a property name must come before NULL"},
    {L"a IN (b)", L"expected a literal value or parameter near 'b'"},
    {L"a IN ()", L"expected a literal value or parameter near ')'"},
    {L"a IN (1 2)", L"expected ',' or ')' near '2'"},
    {L"a BETWEEN 1 AND 2", L"expected a comparison operator, LIKE, IN, NULL or a spatial operator near 'BETWEEN'"},
    {L"a IS NULL", L"near 'IS'"},
    {L"g WITHINDISTANCE GeomFromText('POINT (0 0)')", L"expected a distance near end of text"},
    {L"g INTERSECTS GeomFromText('POINT (1)')", L"invalid geometry text"},
    {L"g INTERSECTS GeomFromText(1)", L"expected quoted geometry text"},
    {L"x IN (SELECT(C, P, a = 1, J))", L"join criteria are not supported"},
    {L"(a+b) AS c d > 1", L"expected ',' after the computed identifier"},
    {L"", L"at position 0: expected an expression near end of text"},
    {L"   ", L"expected an expression near end of text"},
    {L"Upper(a = 1", L"expected ',' or ')' near '='"},
};

TEST(FilterParse, BadTextNamesPositionAndCause) {
    for (const Failure& f : kFailures) {
        SCOPED_TRACE(testing::Message() << "text: " << filtertest::U8(f.text));
        std::wstring kind;
        std::wstring message = FilterFailure(f.text, &kind);
        EXPECT_EQ(kind, L"FdoFilterException");
        EXPECT_EQ(message.rfind(L"String does not represent a valid filter.: ", 0), 0u) << filtertest::U8(message.c_str());
        EXPECT_NE(message.find(f.message), std::wstring::npos) << filtertest::U8(message.c_str());
        EXPECT_NE(message.find(std::wstring(L"'") + f.text + L"'"), std::wstring::npos) << "the text is quoted";
    }
}

TEST(FilterParse, GeometryErrorKeepsTheGeometryCause) {
    try {
        FdoPtr<FdoFilter> f = FdoFilter::Parse(L"g INTERSECTS GeomFromText('POLYGON ((0 0, 1 1')");
        FAIL() << "parsed";
    } catch (FdoException* e) {
        FdoPtr<FdoException> syntax = e->GetCause();
        ASSERT_TRUE(syntax);
        FdoPtr<FdoException> geometry = syntax->GetCause();
        EXPECT_TRUE(geometry) << "the geometry parser's own message is kept";
        e->Release();
    }
}

std::wstring Repeat(const wchar_t* part, int n) {
    std::wstring s;
    for (int i = 0; i < n; i++) s += part;
    return s;
}

TEST(FilterParse, HostileNestingFailsCleanly) {
    const std::pair<std::wstring, const wchar_t*> cases[] = {
        {Repeat(L"(", 5000) + L"a = 1" + Repeat(L")", 5000), L"parentheses nested too deeply"},
        {L"a = " + Repeat(L"f(", 5000) + L"1" + Repeat(L")", 5000), L"parentheses nested too deeply"},
        {Repeat(L"NOT ", 5000) + L"a = 1", L"operators nested or chained too deeply"},
        {L"a = " + Repeat(L"-", 5000) + L"b", L"operators nested or chained too deeply"},
        {L"a = 0" + Repeat(L" OR a = 1", 5000), L"operators nested or chained too deeply"},
        {L"a = 1" + Repeat(L"+1", 5000), L"operators nested or chained too deeply"},
    };
    for (const auto& c : cases) {
        std::wstring message = FilterFailure(c.first.c_str());
        EXPECT_NE(message.find(c.second), std::wstring::npos) << filtertest::U8(message.substr(0, 300).c_str());
    }
}

TEST(FilterParse, DeepButBoundedTextReadsBack) {
    // Printing adds parentheses (NOT (f), -(e)); what parsed must still
    // read back, and the deep trees must print, compare and release safely.
    const std::wstring texts[] = {
        Repeat(L"(", 990) + L"a = 1" + Repeat(L")", 990),
        Repeat(L"NOT ", 990) + L"a = 1",
        L"a = " + Repeat(L"-", 990) + L"b",
        L"a = 0" + Repeat(L" OR a = 1", 990),
        L"a = " + Repeat(L"f(", 990) + L"1" + Repeat(L")", 990),
    };
    for (const std::wstring& text : texts) {
        FdoPtr<FdoFilter> f = FdoFilter::Parse(text.c_str());
        FdoPtr<FdoFilter> again = FdoFilter::Parse(f->ToString());
        EXPECT_TRUE(SameFilter(f, again));
    }
}

TEST(FilterParse, NestedSubSelectsDoNotBlowUp) {
    std::wstring text = L"a = 1";
    for (int i = 0; i < 25; i++) text = L"(x IN (SELECT(C, P, " + text + L")))";
    EXPECT_EQ(FilterFailure(text.c_str()), L"");
    EXPECT_NE(FilterFailure((text + L" AND").c_str()), L"");
}

TEST(FilterCombine, JoinsFiltersAndTexts) {
    FdoPtr<FdoFilter> a = FdoFilter::Parse(L"a = 1 OR b = 2");
    FdoPtr<FdoFilter> both = FdoFilter::Combine(a, FdoBinaryLogicalOperations_And, L"c = 3");
    EXPECT_STREQ(both->ToString(), L"(a = 1 OR b = 2) AND c = 3");
    FdoPtr<FdoFilter> texts = FdoFilter::Combine(L"a = 1", FdoBinaryLogicalOperations_Or, L"b = 2");
    EXPECT_STREQ(texts->ToString(), L"a = 1 OR b = 2");
    FdoPtr<FdoFilter> one = FdoFilter::Combine(a, FdoBinaryLogicalOperations_And, static_cast<FdoFilter*>(nullptr));
    EXPECT_EQ(one.p, a.p);
    EXPECT_EQ(FdoFilter::Combine(static_cast<FdoFilter*>(nullptr), FdoBinaryLogicalOperations_And,
                                 static_cast<FdoFilter*>(nullptr)),
              nullptr);
    EXPECT_NE(filtertest::ParseFailure([] {
                  FdoPtr<FdoFilter> f = FdoFilter::Combine(L"a = 1", FdoBinaryLogicalOperations_And, L"b =");
              }),
              L"");
}

TEST(FilterModel, BuiltTreesPrintAndReadBack) {
    auto cmp = [](FdoString* prop, FdoComparisonOperations op, FdoExpression* value) {
        FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(prop);
        return FdoComparisonCondition::Create(id, op, value);
    };
    FdoPtr<FdoDataValue> half = FdoDoubleValue::Create(0.5);
    FdoPtr<FdoDataValue> tiny = FdoDoubleValue::Create(1e-20);
    FdoPtr<FdoDataValue> big = FdoDecimalValue::Create(123456789.125);
    FdoPtr<FdoDataValue> single = FdoSingleValue::Create(1.25f);
    FdoPtr<FdoDataValue> nullInt = FdoInt32Value::Create();
    FdoPtr<FdoDataValue> when = FdoDateTimeValue::Create(FdoDateTime(2001, 2, 3, 4, 5, 6.0f));
    FdoPtr<FdoFilter> c1 = cmp(L"A", FdoComparisonOperations_EqualTo, half);
    FdoPtr<FdoFilter> c2 = cmp(L"B", FdoComparisonOperations_LessThan, tiny);
    FdoPtr<FdoFilter> c3 = cmp(L"C", FdoComparisonOperations_GreaterThan, big);
    FdoPtr<FdoFilter> c4 = cmp(L"D", FdoComparisonOperations_NotEqualTo, single);
    FdoPtr<FdoFilter> c5 = cmp(L"E", FdoComparisonOperations_EqualTo, nullInt);
    FdoPtr<FdoFilter> c6 = cmp(L"F", FdoComparisonOperations_GreaterThanOrEqualTo, when);
    // Right-nested operators of one kind print without parentheses; the
    // text reads back left-nested, which means the same.
    FdoPtr<FdoFilter> inner = FdoBinaryLogicalOperator::Create(c2, FdoBinaryLogicalOperations_And, c3);
    FdoPtr<FdoFilter> ands = FdoBinaryLogicalOperator::Create(c1, FdoBinaryLogicalOperations_And, inner);
    FdoPtr<FdoFilter> ors = FdoBinaryLogicalOperator::Create(c4, FdoBinaryLogicalOperations_Or, c5);
    FdoPtr<FdoFilter> notOr = FdoUnaryLogicalOperator::Create(ors, FdoUnaryLogicalOperations_Not);
    FdoPtr<FdoFilter> all = FdoBinaryLogicalOperator::Create(ands, FdoBinaryLogicalOperations_And, notOr);
    FdoPtr<FdoFilter> withOr = FdoBinaryLogicalOperator::Create(all, FdoBinaryLogicalOperations_And,
                                                                FdoPtr<FdoFilter>(FdoBinaryLogicalOperator::Create(
                                                                    c6, FdoBinaryLogicalOperations_Or, c1)));
    EXPECT_STREQ(withOr->ToString(),
                 L"A = 0.5 AND B < 1e-20 AND C > 123456789.125 AND NOT (D <> 1.25 OR E = NULL) AND "
                 L"(F >= TIMESTAMP '2001-02-03 04:05:06' OR A = 0.5)");
    FdoPtr<FdoFilter> again = FdoFilter::Parse(withOr->ToString());
    EXPECT_STREQ(again->ToString(), withOr->ToString());
}

TEST(FilterModel, SettersKeepReferencesExact) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(L"p");
    FdoPtr<FdoNullCondition> n = FdoNullCondition::Create(id);
    EXPECT_EQ(id->GetRefCount(), 2);
    n->SetPropertyName(id);
    EXPECT_EQ(id->GetRefCount(), 2);
    n->SetPropertyName(nullptr);
    EXPECT_EQ(id->GetRefCount(), 1);
    FdoPtr<FdoInCondition> in = FdoInCondition::Create(L"p", static_cast<FdoValueExpressionCollection*>(nullptr));
    FdoPtr<FdoValueExpressionCollection> values = in->GetValues();
    values->Add(FdoPtr<FdoValueExpression>(FdoInt32Value::Create(7)));
    EXPECT_STREQ(in->ToString(), L"p IN (7)");
}

// Counts the kinds a processor is called for.
class KindCounter : public FdoIFilterProcessor {
public:
    std::wstring seen;
    void ProcessBinaryLogicalOperator(FdoBinaryLogicalOperator& f) override {
        seen += L"B";
        FdoPtr<FdoFilter> l = f.GetLeftOperand(), r = f.GetRightOperand();
        l->Process(this);
        r->Process(this);
    }
    void ProcessUnaryLogicalOperator(FdoUnaryLogicalOperator& f) override {
        seen += L"U";
        FdoPtr<FdoFilter> o = f.GetOperand();
        o->Process(this);
    }
    void ProcessComparisonCondition(FdoComparisonCondition&) override { seen += L"C"; }
    void ProcessInCondition(FdoInCondition&) override { seen += L"I"; }
    void ProcessNullCondition(FdoNullCondition&) override { seen += L"N"; }
    void ProcessSpatialCondition(FdoSpatialCondition&) override { seen += L"S"; }
    void ProcessDistanceCondition(FdoDistanceCondition&) override { seen += L"D"; }

protected:
    void Dispose() override {}
};

TEST(FilterModel, ProcessorSeesEveryKind) {
    FdoPtr<FdoFilter> f = FdoFilter::Parse(
        L"a = 1 AND NOT b IN (1) AND c NULL AND g TOUCHES GeomFromText('POINT (0 0)') AND "
        L"g BEYOND GeomFromText('POINT (0 0)') 1");
    KindCounter counter;
    f->Process(&counter);
    EXPECT_EQ(counter.seen, L"BBBBCUINSD");
}

}  // namespace

namespace {

// The fuzzer's seeds, replayed with its rule: text that parses prints text
// that parses to the same text.
TEST(FilterParse, FuzzCorpusReadsBack) {
    auto dir = geoxfer_test::SourceDir() / "fuzz" / "corpus" / "filter";
    if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus at " << dir;
    int parsed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::wstring text;  // Latin-1, as the fuzzer reads its bytes
        for (unsigned char c : bytes) text += static_cast<wchar_t>(c);
        SCOPED_TRACE(entry.path().filename().string());
        FdoPtr<FdoFilter> f;
        try {
            f = FdoFilter::Parse(text.c_str());
        } catch (FdoException* e) {
            e->Release();
            continue;
        }
        std::wstring printed = f->ToString();
        try {
            FdoPtr<FdoFilter> again = FdoFilter::Parse(printed.c_str());
            EXPECT_EQ(printed, std::wstring(again->ToString()));
            EXPECT_TRUE(SameFilter(f, again));
            parsed++;
        } catch (FdoException* e) {
            ADD_FAILURE() << "printed text does not parse: " << filtertest::U8(e->GetExceptionMessage());
            e->Release();
        }
    }
    EXPECT_GE(parsed, 10);
}

}  // namespace
