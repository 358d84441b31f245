// FdoFilter::Parse and FdoExpression::Parse: one recursive-descent parser for
// filter and expression text.
//
// Precedence, lowest first: OR, AND, NOT (which binds to the condition or
// parenthesised filter right after it), comparison, + - ||, * /, unary
// minus; all left-associative. A '(' at the start of a condition may open
// an expression ("(a+b) > 2") or a filter ("(a = 1 OR b = 2)"): one pass
// over the tokens marks the parentheses that directly hold a comparison,
// logical or spatial operator, so conditions are read without backing up
// (only the optional computed-identifier prefix is tried and dropped).
//
// Nesting and tree depth are bounded so that hostile text gives an error,
// not a stack overflow, here or later when the tree is printed, evaluated
// or released. Chains of NOT and of unary minus are read in a loop, so
// parser recursion follows parentheses only; as printed text never opens
// more parentheses than the tree has levels, whatever parses also reads
// back from its own text.
#include <Fdo/Expression/BinaryExpression.h>
#include <Fdo/Expression/DataValue.h>
#include <Fdo/Expression/Function.h>
#include <Fdo/Expression/GeometryValue.h>
#include <Fdo/Expression/Parameter.h>
#include <Fdo/Filter/GeometricCondition.h>
#include <Fdo/Filter/LogicalOperator.h>
#include <Fdo/Geometry/FgfGeometryFactory.h>

#include "expression/LiteralText.h"
#include "filter/TextLexer.h"

#include <algorithm>
#include <map>

namespace {

using namespace FdoFilterText;

constexpr int kMaxTreeDepth = 1000;               // levels of the resulting tree
constexpr int kMaxNesting = kMaxTreeDepth + 10;  // open parentheses

struct SyntaxError {
    size_t pos;
    std::wstring message;
    FdoPtr<FdoException> cause;
};

template <class T>
struct Node {
    FdoPtr<T> p;
    int depth = 1;
};
using ExprNode = Node<FdoExpression>;
using FilterNode = Node<FdoFilter>;

class Parser {
public:
    Parser(FdoString* text, std::vector<Token> tokens) : m_text(text), m_tokens(std::move(tokens)) {
        m_filterParen.resize(m_tokens.size());
        std::vector<size_t> open;
        for (size_t i = 0; i < m_tokens.size(); i++) {
            TokenKind kind = m_tokens[i].kind;
            if (kind == TokenKind::LParen) {
                open.push_back(i);
            } else if (kind == TokenKind::RParen) {
                if (open.empty()) continue;
                bool filter = m_filterParen[open.back()];
                open.pop_back();
                // "((a = 1))": a filter in parentheses is a filter too.
                if (filter && !open.empty()) m_filterParen[open.back()] = true;
            } else if (!open.empty() && IsFilterToken(i)) {
                m_filterParen[open.back()] = true;
            }
        }
    }

    FdoFilter* FilterText() {
        ComputedPrefix();
        FilterNode f = Or();
        ExpectEnd();
        return f.p.Detach();
    }

    FdoExpression* ExpressionText() {
        ExprNode e = IsKeyword(Keyword::Select) ? SubSelect() : Expr();
        if (IsKeyword(Keyword::As)) {
            Take();
            std::wstring name = ExpectIdentifier(L"a name after AS");
            e.p = FdoComputedIdentifier::Create(name.c_str(), e.p);
        }
        ExpectEnd();
        return e.p.Detach();
    }

private:
    // Token access.

    const Token& Peek(size_t ahead = 0) const { return m_tokens[std::min(m_pos + ahead, m_tokens.size() - 1)]; }
    const Token& Take() {
        const Token& t = Peek();
        if (m_pos < m_tokens.size() - 1) m_pos++;
        return t;
    }
    bool Is(TokenKind kind, size_t ahead = 0) const { return Peek(ahead).kind == kind; }
    bool IsKeyword(Keyword k) const { return Is(TokenKind::Keyword) && Peek().keyword == k; }
    bool IsOp(Operator op) const { return Is(TokenKind::Operator) && Peek().op == op; }

    std::wstring Near(const Token& t) const {
        if (t.kind == TokenKind::End) return L"end of text";
        std::wstring s(m_text + t.pos, std::min<size_t>(t.len, 30));
        return L"'" + s + (t.len > 30 ? L"...'" : L"'");
    }

    [[noreturn]] void Fail(const std::wstring& expected) {
        throw SyntaxError{Peek().pos, L"expected " + expected + L" near " + Near(Peek()), nullptr};
    }

    void Expect(TokenKind kind, FdoString* what) {
        if (!Is(kind)) Fail(what);
        Take();
    }

    void ExpectEnd() {
        if (!Is(TokenKind::End)) Fail(L"the end of the text");
    }

    std::wstring ExpectIdentifier(FdoString* what) {
        if (!Is(TokenKind::Identifier)) Fail(what);
        return Take().text;
    }

    // Bounds.

    struct Nest {
        explicit Nest(Parser& p) : parser(p) {
            if (parser.m_nesting >= kMaxNesting)
                throw SyntaxError{p.Peek().pos, L"parentheses nested too deeply", nullptr};
            parser.m_nesting++;
        }
        ~Nest() { parser.m_nesting--; }
        Parser& parser;
    };

    int Depth(int depth) {
        if (depth > kMaxTreeDepth) throw SyntaxError{Peek().pos, L"operators nested or chained too deeply", nullptr};
        return depth;
    }

    // Filters.

    // A token that only a filter holds: a comparison, logical or spatial
    // operator, or NULL after a property name ("p NULL").
    bool IsFilterToken(size_t i) const {
        const Token& t = m_tokens[i];
        if (t.kind == TokenKind::Operator) return t.op <= Operator::Ge;
        if (t.kind != TokenKind::Keyword) return false;
        FdoSpatialOperations unused;
        switch (t.keyword) {
            case Keyword::Like: case Keyword::And: case Keyword::Or: case Keyword::Not: case Keyword::In:
            case Keyword::WithinDistance: case Keyword::Beyond:
                return true;
            case Keyword::Null: return i > 0 && m_tokens[i - 1].kind == TokenKind::Identifier;
            default: return SpatialOperation(t.keyword, unused);
        }
    }

    void ComputedPrefix() {
        for (;;) {
            size_t save = m_pos;
            ExprNode e;
            try {
                e = Expr();
            } catch (SyntaxError&) {
                m_pos = save;
                return;
            }
            if (!IsKeyword(Keyword::As)) {
                m_pos = save;
                return;
            }
            Take();
            std::wstring name = ExpectIdentifier(L"a name after AS");
            Expect(TokenKind::Comma, L"',' after the computed identifier");
            m_computed[name] = FdoComputedIdentifier::Create(name.c_str(), e.p);
        }
    }

    FilterNode Logical(FilterNode left, FdoBinaryLogicalOperations op, FilterNode right) {
        FilterNode n;
        n.depth = Depth(1 + std::max(left.depth, right.depth));
        n.p = FdoBinaryLogicalOperator::Create(left.p, op, right.p);
        return n;
    }

    FilterNode Or() {
        FilterNode left = And();
        while (IsKeyword(Keyword::Or)) {
            Take();
            left = Logical(left, FdoBinaryLogicalOperations_Or, And());
        }
        return left;
    }

    FilterNode And() {
        FilterNode left = Not();
        while (IsKeyword(Keyword::And)) {
            Take();
            left = Logical(left, FdoBinaryLogicalOperations_And, Not());
        }
        return left;
    }

    FilterNode Not() {
        int count = 0;
        for (; IsKeyword(Keyword::Not); count++) Take();
        FilterNode n = FilterPrimary();
        for (int i = 0; i < count; i++) {
            n.depth = Depth(n.depth + 1);
            n.p = FdoUnaryLogicalOperator::Create(n.p, FdoUnaryLogicalOperations_Not);
        }
        return n;
    }

    FilterNode FilterPrimary() {
        if (!Is(TokenKind::LParen) || !m_filterParen[m_pos]) return Condition();
        Nest nest(*this);
        Take();
        FilterNode f = Or();
        Expect(TokenKind::RParen, L"')'");
        return f;
    }

    FdoIdentifier* RequireProperty(const ExprNode& left, size_t pos, FdoString* keyword) {
        FdoExpressionItemType type = left.p->GetExpressionType();
        if (type != FdoExpressionItemType_Identifier && type != FdoExpressionItemType_ComputedIdentifier)
            throw SyntaxError{pos, std::wstring(L"a property name must come before ") + keyword, nullptr};
        return static_cast<FdoIdentifier*>(left.p.p);
    }

    FilterNode Condition() {
        size_t start = Peek().pos;
        ExprNode left = Expr();
        const Token& t = Peek();
        if (t.kind == TokenKind::Operator && t.op <= Operator::Ge) {
            static const FdoComparisonOperations kOps[] = {
                FdoComparisonOperations_EqualTo, FdoComparisonOperations_NotEqualTo,
                FdoComparisonOperations_LessThan, FdoComparisonOperations_LessThanOrEqualTo,
                FdoComparisonOperations_GreaterThan, FdoComparisonOperations_GreaterThanOrEqualTo};
            Take();
            return Comparison(left, kOps[static_cast<int>(t.op)]);
        }
        if (t.kind != TokenKind::Keyword) Fail(L"a comparison operator, LIKE, IN, NULL or a spatial operator");
        Keyword k = t.keyword;
        if (k == Keyword::Like) {
            Take();
            return Comparison(left, FdoComparisonOperations_Like);
        }
        if (k == Keyword::In) {
            FdoIdentifier* id = RequireProperty(left, start, L"IN");
            Take();
            return InList(id, left.depth);
        }
        if (k == Keyword::Null) {
            FdoIdentifier* id = RequireProperty(left, start, L"NULL");
            Take();
            return {FdoNullCondition::Create(id), left.depth + 1};
        }
        if (k == Keyword::WithinDistance || k == Keyword::Beyond) {
            FdoIdentifier* id = RequireProperty(left, start, k == Keyword::Beyond ? L"BEYOND" : L"WITHINDISTANCE");
            Take();
            ExprNode g = Expr();
            double distance = Distance();
            auto op = k == Keyword::Beyond ? FdoDistanceOperations_Beyond : FdoDistanceOperations_Within;
            return {FdoDistanceCondition::Create(id, op, g.p, distance), Depth(g.depth + 1)};
        }
        FdoSpatialOperations op;
        if (!SpatialOperation(k, op)) Fail(L"a comparison operator, LIKE, IN, NULL or a spatial operator");
        FdoIdentifier* id = RequireProperty(left, start, Near(t).c_str());
        Take();
        ExprNode g = Expr();
        return {FdoSpatialCondition::Create(id, op, g.p), Depth(g.depth + 1)};
    }

    static bool SpatialOperation(Keyword k, FdoSpatialOperations& op) {
        switch (k) {
            case Keyword::Contains: op = FdoSpatialOperations_Contains; return true;
            case Keyword::Crosses: op = FdoSpatialOperations_Crosses; return true;
            case Keyword::Disjoint: op = FdoSpatialOperations_Disjoint; return true;
            case Keyword::Equals: op = FdoSpatialOperations_Equals; return true;
            case Keyword::Intersects: op = FdoSpatialOperations_Intersects; return true;
            case Keyword::Overlaps: op = FdoSpatialOperations_Overlaps; return true;
            case Keyword::Touches: op = FdoSpatialOperations_Touches; return true;
            case Keyword::Within: op = FdoSpatialOperations_Within; return true;
            case Keyword::CoveredBy: op = FdoSpatialOperations_CoveredBy; return true;
            case Keyword::Inside: op = FdoSpatialOperations_Inside; return true;
            case Keyword::EnvelopeIntersects: op = FdoSpatialOperations_EnvelopeIntersects; return true;
            default: return false;
        }
    }

    FilterNode Comparison(const ExprNode& left, FdoComparisonOperations op) {
        ExprNode right = Expr();
        int depth = Depth(1 + std::max(left.depth, right.depth));
        return {FdoComparisonCondition::Create(left.p, op, right.p), depth};
    }

    double Distance() {
        const Token& t = Peek();
        if (t.kind == TokenKind::Int32 || t.kind == TokenKind::Int64) return static_cast<double>(Take().integer);
        if (t.kind == TokenKind::Double) return Take().real;
        Fail(L"a distance");
    }

    FilterNode InList(FdoIdentifier* id, int depth) {
        Expect(TokenKind::LParen, L"'(' after IN");
        if (IsKeyword(Keyword::Select)) {
            ExprNode sub = SubSelect();
            Expect(TokenKind::RParen, L"')'");
            auto* s = static_cast<FdoSubSelectExpression*>(sub.p.p);
            return {FdoInCondition::Create(id, s), Depth(std::max(depth, sub.depth) + 1)};
        }
        FdoPtr<FdoValueExpressionCollection> values = FdoValueExpressionCollection::Create();
        for (;;) {
            ExprNode v = Value(L"a literal value or parameter");
            values->Add(static_cast<FdoValueExpression*>(v.p.p));
            if (Is(TokenKind::RParen)) break;
            Expect(TokenKind::Comma, L"',' or ')'");
        }
        Take();
        return {FdoInCondition::Create(id, values), depth + 1};
    }

    ExprNode SubSelect() {
        Nest nest(*this);
        Take();
        Expect(TokenKind::LParen, L"'(' after SELECT");
        FdoPtr<FdoIdentifier> cls = FdoIdentifier::Create(ExpectIdentifier(L"a class name").c_str());
        Expect(TokenKind::Comma, L"','");
        FdoPtr<FdoIdentifier> prop = FdoIdentifier::Create(ExpectIdentifier(L"a property name").c_str());
        FdoPtr<FdoFilter> filter;
        int depth = 1;
        if (Is(TokenKind::Comma)) {
            Take();
            if (Is(TokenKind::String) && Is(TokenKind::RParen, 1)) {
                const Token& s = Take();
                try {
                    filter = FdoFilter::Parse(s.text.c_str());
                } catch (FdoException* e) {
                    throw SyntaxError{s.pos, L"invalid filter text in SELECT", FdoPtr<FdoException>(e)};
                }
            } else {
                FilterNode f = Or();
                filter = f.p;
                depth = f.depth;
            }
            if (Is(TokenKind::Comma)) Fail(L"')' (join criteria are not supported)");
        }
        Expect(TokenKind::RParen, L"')'");
        return {FdoSubSelectExpression::Create(cls, prop, filter), Depth(depth + 1)};
    }

    // Expressions.

    ExprNode Binary(ExprNode left, FdoBinaryOperations op, ExprNode right) {
        int depth = Depth(1 + std::max(left.depth, right.depth));
        return {FdoBinaryExpression::Create(left.p, op, right.p), depth};
    }

    ExprNode Expr() {
        ExprNode left = Term();
        while (IsOp(Operator::Plus) || IsOp(Operator::Minus) || IsOp(Operator::Concat)) {
            auto op = IsOp(Operator::Minus) ? FdoBinaryOperations_Subtract : FdoBinaryOperations_Add;
            Take();
            left = Binary(left, op, Term());
        }
        return left;
    }

    ExprNode Term() {
        ExprNode left = Unary();
        while (IsOp(Operator::Star) || IsOp(Operator::Slash)) {
            auto op = IsOp(Operator::Star) ? FdoBinaryOperations_Multiply : FdoBinaryOperations_Divide;
            Take();
            left = Binary(left, op, Unary());
        }
        return left;
    }

    ExprNode Unary() {
        int count = 0;
        for (; IsOp(Operator::Minus); count++) Take();
        ExprNode e = Primary();
        for (int i = 0; i < count; i++) {
            e.depth = Depth(e.depth + 1);
            e.p = FdoUnaryExpression::Create(FdoUnaryOperations_Negate, e.p);
        }
        return e;
    }

    ExprNode Primary() {
        if (Is(TokenKind::LParen)) {
            Nest nest(*this);
            Take();
            ExprNode e = Expr();
            Expect(TokenKind::RParen, L"')'");
            return e;
        }
        if (Is(TokenKind::Identifier)) {
            const Token& t = Take();
            if (Is(TokenKind::LParen)) return Function(t);
            auto it = m_computed.find(t.text);
            if (it != m_computed.end()) return {FdoPtr<FdoExpression>(FDO_SAFE_ADDREF(it->second.p)), 1};
            return {FdoIdentifier::Create(t.text.c_str()), 1};
        }
        return Value(L"an expression");
    }

    ExprNode Function(const Token& nameToken) {
        Nest nest(*this);
        Take();
        FdoPtr<FdoExpressionCollection> args = FdoExpressionCollection::Create();
        int depth = 1;
        if (!Is(TokenKind::RParen)) {
            for (;;) {
                ExprNode arg = Expr();
                depth = std::max(depth, arg.depth + 1);
                args->Add(arg.p);
                if (Is(TokenKind::RParen)) break;
                Expect(TokenKind::Comma, L"',' or ')'");
            }
        }
        Take();
        // The name is the last part of a dotted name, taken as written: a
        // quoted part keeps its dots and colons, so the name prints back as
        // itself.
        return {FdoFunction::Create(nameToken.lastPart.c_str(), args), Depth(depth)};
    }

    // A literal value or a parameter.
    ExprNode Value(FdoString* expected) {
        const Token& t = Peek();
        switch (t.kind) {
            case TokenKind::String: Take(); return {FdoStringValue::Create(t.text.c_str()), 1};
            case TokenKind::Int32: Take(); return {FdoInt32Value::Create(static_cast<FdoInt32>(t.integer)), 1};
            case TokenKind::Int64: Take(); return {FdoInt64Value::Create(t.integer), 1};
            case TokenKind::Double: Take(); return {FdoDoubleValue::Create(t.real), 1};
            case TokenKind::Parameter: Take(); return {FdoParameter::Create(t.text.c_str()), 1};
            case TokenKind::Keyword: break;
            default: Fail(expected);
        }
        switch (t.keyword) {
            case Keyword::True: Take(); return {FdoBooleanValue::Create(true), 1};
            case Keyword::False: Take(); return {FdoBooleanValue::Create(false), 1};
            case Keyword::Null: Take(); return {FdoBooleanValue::Create(), 1};
            case Keyword::Date: return DateTime(FdoLiteralText::DateTimeForm::Date, L"a date 'YYYY-MM-DD'");
            case Keyword::Time: return DateTime(FdoLiteralText::DateTimeForm::Time, L"a time 'hh:mm:ss'");
            case Keyword::Timestamp:
                return DateTime(FdoLiteralText::DateTimeForm::Timestamp, L"a timestamp 'YYYY-MM-DD hh:mm:ss'");
            case Keyword::GeomFromText: return Geometry();
            default: Fail(expected);
        }
    }

    ExprNode DateTime(FdoLiteralText::DateTimeForm form, FdoString* what) {
        Take();
        if (!Is(TokenKind::String)) Fail(what);
        const Token& s = Peek();
        FdoDateTime value, printed;
        // A value must also read back from its own text (seconds a hair
        // below 60 would print as 60).
        if (!FdoLiteralText::ParseDateTime(s.text.c_str(), form, value) ||
            !FdoLiteralText::ParseDateTime(FdoLiteralText::FormatDateTime(value), form, printed))
            throw SyntaxError{s.pos, std::wstring(L"expected ") + what + L" near " + Near(s), nullptr};
        Take();
        return {FdoDateTimeValue::Create(value), 1};
    }

    ExprNode Geometry() {
        Take();
        Expect(TokenKind::LParen, L"'(' after GeomFromText");
        if (!Is(TokenKind::String)) Fail(L"quoted geometry text");
        const Token& s = Take();
        FdoPtr<FdoByteArray> fgf;
        try {
            FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
            FdoPtr<FdoIGeometry> g = factory->CreateGeometry(s.text.c_str());
            fgf = factory->GetFgf(g);
        } catch (FdoException* e) {
            throw SyntaxError{s.pos, L"invalid geometry text " + Near(s), FdoPtr<FdoException>(e)};
        }
        Expect(TokenKind::RParen, L"')'");
        return {FdoGeometryValue::Create(fgf), 1};
    }

    FdoString* m_text;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    int m_nesting = 0;
    std::vector<bool> m_filterParen;  // by token index: '(' that opens a filter
    std::map<std::wstring, FdoPtr<FdoComputedIdentifier>> m_computed;
};

// The text as quoted in a message: long texts are cut.
std::wstring Shown(FdoString* text) {
    std::wstring s(text);
    return s.size() > 200 ? s.substr(0, 200) + L"..." : s;
}

template <class Exc, class Result, class Run>
Result* ParseWith(FdoString* text, FdoString* kind, FdoString* failure, Run run) {
    FdoString* source = text ? text : L"";
    FdoPtr<Exc> cause;
    try {
        Parser parser(source, Tokenize(source));
        return run(parser);
    } catch (LexError& e) {
        cause = Exc::Create(FdoStringP::Format(L"Invalid character sequence in %ls '%ls' at position %d: %ls.", kind,
                                               Shown(source).c_str(), static_cast<int>(e.pos), e.message.c_str()));
    } catch (SyntaxError& e) {
        cause = Exc::Create(FdoStringP::Format(L"Syntax error in %ls '%ls' at position %d: %ls.", kind,
                                               Shown(source).c_str(), static_cast<int>(e.pos), e.message.c_str()),
                            e.cause);
    }
    throw Exc::Create(failure, cause);
}

}  // namespace

FdoFilter* FdoFilter::Parse(FdoString* filterText) {
    return ParseWith<FdoFilterException, FdoFilter>(filterText, L"filter", L"String does not represent a valid filter.",
                                                    [](Parser& p) { return p.FilterText(); });
}

FdoExpression* FdoExpression::Parse(FdoString* expressionText) {
    return ParseWith<FdoExpressionException, FdoExpression>(
        expressionText, L"expression", L"String does not represent a valid expression.",
        [](Parser& p) { return p.ExpressionText(); });
}
