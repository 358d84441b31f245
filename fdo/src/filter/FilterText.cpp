// FdoFilter::ToString: filter text as the parser reads it.
//
// Only an OR operand of an AND is parenthesised (AND binds tighter), NOT
// always wraps its operand, and computed identifiers print once, as a
// "( expr ) AS name, " prefix before the filter that uses them. The writer
// is itself a filter processor, the way providers translate filters.
#include <Fdo/Filter/IFilterProcessor.h>
#include <Fdo/Expression/GeometryValue.h>

#include "expression/ExpressionText.h"
#include "expression/LiteralText.h"

namespace {

using FdoExpressionText::ComputedList;

FdoString* ComparisonText(FdoComparisonOperations op) {
    switch (op) {
        case FdoComparisonOperations_EqualTo: return L" = ";
        case FdoComparisonOperations_NotEqualTo: return L" <> ";
        case FdoComparisonOperations_GreaterThan: return L" > ";
        case FdoComparisonOperations_GreaterThanOrEqualTo: return L" >= ";
        case FdoComparisonOperations_LessThan: return L" < ";
        case FdoComparisonOperations_LessThanOrEqualTo: return L" <= ";
        case FdoComparisonOperations_Like: return L" LIKE ";
    }
    return L" ? ";
}

FdoString* SpatialText(FdoSpatialOperations op) {
    switch (op) {
        case FdoSpatialOperations_Contains: return L"CONTAINS";
        case FdoSpatialOperations_Crosses: return L"CROSSES";
        case FdoSpatialOperations_Disjoint: return L"DISJOINT";
        case FdoSpatialOperations_Equals: return L"EQUALS";
        case FdoSpatialOperations_Intersects: return L"INTERSECTS";
        case FdoSpatialOperations_Overlaps: return L"OVERLAPS";
        case FdoSpatialOperations_Touches: return L"TOUCHES";
        case FdoSpatialOperations_Within: return L"WITHIN";
        case FdoSpatialOperations_CoveredBy: return L"COVEREDBY";
        case FdoSpatialOperations_Inside: return L"INSIDE";
        case FdoSpatialOperations_EnvelopeIntersects: return L"ENVELOPEINTERSECTS";
    }
    return L"?";
}

bool IsOr(FdoFilter* f) {
    auto* b = dynamic_cast<FdoBinaryLogicalOperator*>(f);
    return b && b->GetOperation() == FdoBinaryLogicalOperations_Or;
}

class FilterWriter : public FdoIFilterProcessor {
public:
    FdoStringP Write(FdoFilter* f) {
        if (!f) return FdoStringP();
        f->Process(this);
        return m_out;
    }

    FdoStringP WriteWithPrefix(FdoFilter* f) {
        FdoStringP body = Write(f);
        FdoStringP prefix;
        for (FdoComputedIdentifier* id : m_computed.Items())
            prefix += FdoExpressionText::WriteDefinition(id) + L", ";
        return prefix + body;
    }

    void ProcessBinaryLogicalOperator(FdoBinaryLogicalOperator& f) override {
        FdoPtr<FdoFilter> left = f.GetLeftOperand();
        FdoPtr<FdoFilter> right = f.GetRightOperand();
        bool isAnd = f.GetOperation() == FdoBinaryLogicalOperations_And;
        FdoStringP l = Write(left), r = Write(right);
        if (isAnd && IsOr(left)) l = FdoStringP(L"(") + l + L")";
        if (isAnd && IsOr(right)) r = FdoStringP(L"(") + r + L")";
        m_out = l + (isAnd ? L" AND " : L" OR ") + r;
    }

    void ProcessUnaryLogicalOperator(FdoUnaryLogicalOperator& f) override {
        FdoPtr<FdoFilter> operand = f.GetOperand();
        m_out = FdoStringP(L"NOT (") + Write(operand) + L")";
    }

    void ProcessComparisonCondition(FdoComparisonCondition& f) override {
        FdoPtr<FdoExpression> left = f.GetLeftExpression();
        FdoPtr<FdoExpression> right = f.GetRightExpression();
        m_out = Expr(left) + ComparisonText(f.GetOperation()) + Expr(right);
    }

    void ProcessInCondition(FdoInCondition& f) override {
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        FdoPtr<FdoSubSelectExpression> sub = f.GetSubSelect();
        FdoStringP list;
        if (sub) {
            list = Expr(sub);
        } else {
            FdoPtr<FdoValueExpressionCollection> values = f.GetValues();
            for (FdoInt32 i = 0; i < values->GetCount(); i++) {
                FdoPtr<FdoValueExpression> v = values->GetItem(i);
                if (i > 0) list += L", ";
                list += Expr(v);
            }
        }
        m_out = Id(id) + L" IN (" + list + L")";
    }

    void ProcessNullCondition(FdoNullCondition& f) override {
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        m_out = Id(id) + L" NULL";
    }

    void ProcessSpatialCondition(FdoSpatialCondition& f) override {
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        FdoPtr<FdoExpression> g = f.GetGeometry();
        m_out = Id(id) + L" " + SpatialText(f.GetOperation()) + L" " + Expr(g);
    }

    void ProcessDistanceCondition(FdoDistanceCondition& f) override {
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        FdoPtr<FdoExpression> g = f.GetGeometry();
        FdoString* op = f.GetOperation() == FdoDistanceOperations_Beyond ? L" BEYOND " : L" WITHINDISTANCE ";
        m_out = Id(id) + op + Expr(g) + L" " + FdoLiteralText::FormatNumber(f.GetDistance(), 15);
    }

protected:
    void Dispose() override {}

private:
    FdoStringP Expr(FdoExpression* e) { return FdoExpressionText::Write(e, &m_computed); }
    FdoStringP Id(FdoIdentifier* id) { return FdoExpressionText::WriteIdentifier(id, &m_computed); }

    FdoStringP m_out;
    ComputedList m_computed;
};

}  // namespace

FdoString* FdoFilter::ToString() {
    FilterWriter writer;
    m_toString = writer.WriteWithPrefix(this);
    return m_toString;
}
