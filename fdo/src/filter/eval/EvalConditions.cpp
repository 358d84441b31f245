// Logical operators and attribute conditions with three-valued logic.
//
// AND is False as soon as one side is False, OR True as soon as one side is
// True (the other side is then not evaluated); otherwise Unknown wins over
// the remaining value. "p IN (...)" is True on a match, else Unknown when
// the property or a list value is null, else False. "p NULL" is never
// Unknown. LIKE compares case-sensitively and has no escape character.
#include "filter/eval/EvalNodes.h"

namespace FdoFilterEval {

bool Like(std::wstring_view t, std::wstring_view p) {
    // Greedy matching that backs up to the last '%': linear in practice,
    // never exponential.
    size_t i = 0, j = 0, star = std::wstring_view::npos, mark = 0;
    while (i < t.size()) {
        if (j < p.size() && (p[j] == L'_' || (p[j] != L'%' && p[j] == t[i]))) {
            i++;
            j++;
        } else if (j < p.size() && p[j] == L'%') {
            star = j++;
            mark = i;
        } else if (star != std::wstring_view::npos) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == L'%') j++;
    return j == p.size();
}

namespace {

class Logical : public FilterNode {
public:
    Logical(bool isAnd, FilterPtr l, FilterPtr r) : m_and(isAnd), m_left(std::move(l)), m_right(std::move(r)) {}

    Tri Eval(Row& row) override {
        Tri decisive = m_and ? Tri::False : Tri::True;
        Tri l = m_left->Eval(row);
        if (l == decisive) return decisive;
        Tri r = m_right->Eval(row);
        if (r == decisive) return decisive;
        return l == Tri::Unknown || r == Tri::Unknown ? Tri::Unknown : l;
    }

private:
    bool m_and;
    FilterPtr m_left, m_right;
};

class Not : public FilterNode {
public:
    explicit Not(FilterPtr f) : m_operand(std::move(f)) {}
    Tri Eval(Row& row) override {
        Tri t = m_operand->Eval(row);
        return t == Tri::Unknown ? t : t == Tri::True ? Tri::False : Tri::True;
    }

private:
    FilterPtr m_operand;
};

Tri FromBool(bool b) { return b ? Tri::True : Tri::False; }

[[noreturn]] void NotComparable(const Value& a, const Value& b, const std::wstring& text) {
    throw FdoFilterException::Create(FdoStringP::Format(L"%ls and %ls values cannot be compared in '%ls'.",
                                                        KindName(a.kind), KindName(b.kind), text.c_str()));
}

class Comparison : public FilterNode {
public:
    Comparison(FdoComparisonOperations op, ExprPtr l, ExprPtr r, std::wstring text)
        : m_op(op), m_left(std::move(l)), m_right(std::move(r)), m_text(std::move(text)) {}

    Tri Eval(Row& row) override {
        m_left->Eval(row, m_a);
        m_right->Eval(row, m_b);
        if (m_a.IsNull() || m_b.IsNull()) return Tri::Unknown;
        if (m_op == FdoComparisonOperations_Like) {
            if (m_a.kind != Kind::String || m_b.kind != Kind::String) NotComparable(m_a, m_b, m_text);
            return FromBool(Like(m_a.Text(), m_b.Text()));
        }
        int order = 0;
        if (!Compare(m_a, m_b, order)) {
            bool nan = m_a.IsNumber() && m_b.IsNumber();
            if (nan) return Tri::Unknown;
            NotComparable(m_a, m_b, m_text);
        }
        switch (m_op) {
            case FdoComparisonOperations_EqualTo: return FromBool(order == 0);
            case FdoComparisonOperations_NotEqualTo: return FromBool(order != 0);
            case FdoComparisonOperations_GreaterThan: return FromBool(order > 0);
            case FdoComparisonOperations_GreaterThanOrEqualTo: return FromBool(order >= 0);
            case FdoComparisonOperations_LessThan: return FromBool(order < 0);
            case FdoComparisonOperations_LessThanOrEqualTo: return FromBool(order <= 0);
            case FdoComparisonOperations_Like: break;
        }
        return Tri::Unknown;
    }

private:
    FdoComparisonOperations m_op;
    ExprPtr m_left, m_right;
    std::wstring m_text;
    Value m_a, m_b;
};

class In : public FilterNode {
public:
    In(ExprPtr p, std::vector<ExprPtr> values, std::wstring text)
        : m_property(std::move(p)), m_values(std::move(values)), m_text(std::move(text)) {}

    Tri Eval(Row& row) override {
        m_property->Eval(row, m_a);
        if (m_a.IsNull()) return Tri::Unknown;
        bool sawNull = false;
        for (ExprPtr& v : m_values) {
            v->Eval(row, m_b);
            if (m_b.IsNull()) {
                sawNull = true;
                continue;
            }
            int order = 0;
            if (Compare(m_a, m_b, order)) {
                if (order == 0) return Tri::True;
            } else if (!(m_a.IsNumber() && m_b.IsNumber())) {
                NotComparable(m_a, m_b, m_text);
            }
        }
        return sawNull ? Tri::Unknown : Tri::False;
    }

private:
    ExprPtr m_property;
    std::vector<ExprPtr> m_values;
    std::wstring m_text;
    Value m_a, m_b;
};

class NullTest : public FilterNode {
public:
    explicit NullTest(ExprPtr p) : m_property(std::move(p)) {}
    Tri Eval(Row& row) override {
        m_property->Eval(row, m_a);
        return FromBool(m_a.IsNull());
    }

private:
    ExprPtr m_property;
    Value m_a;
};

}  // namespace

FilterPtr MakeLogical(FdoBinaryLogicalOperations op, FilterPtr l, FilterPtr r) {
    return std::make_unique<Logical>(op == FdoBinaryLogicalOperations_And, std::move(l), std::move(r));
}
FilterPtr MakeNot(FilterPtr f) { return std::make_unique<Not>(std::move(f)); }
FilterPtr MakeComparison(FdoComparisonOperations op, ExprPtr l, ExprPtr r, std::wstring text) {
    return std::make_unique<Comparison>(op, std::move(l), std::move(r), std::move(text));
}
FilterPtr MakeIn(ExprPtr p, std::vector<ExprPtr> values, std::wstring text) {
    return std::make_unique<In>(std::move(p), std::move(values), std::move(text));
}
FilterPtr MakeNullTest(ExprPtr p) { return std::make_unique<NullTest>(std::move(p)); }

}  // namespace FdoFilterEval
