// FdoCommonFilterSplitter: a walk over the top-level AND chain, a check of
// each conjunct, and two new AND chains built from the original nodes.
#include <FdoCommon/FdoCommonFilterSplitter.h>

#include <Fdo/Expression/DataValue.h>
#include <Fdo/Expression/GeometryValue.h>
#include <Fdo/Filter/IFilterProcessor.h>
#include <Fdo/Geometry/FgfBytes.h>

#include <vector>

namespace {

void CollectConjuncts(FdoFilter* f, std::vector<FdoPtr<FdoFilter>>& out) {
    auto* b = dynamic_cast<FdoBinaryLogicalOperator*>(f);
    if (b && b->GetOperation() == FdoBinaryLogicalOperations_And) {
        FdoPtr<FdoFilter> l = b->GetLeftOperand(), r = b->GetRightOperand();
        if (l && r) {
            CollectConjuncts(l, out);
            CollectConjuncts(r, out);
            return;
        }
    }
    out.push_back(FdoPtr<FdoFilter>(FDO_SAFE_ADDREF(f)));
}

class AttributeCheck {
public:
    explicit AttributeCheck(FdoClassDefinition* cls) : m_class(cls) {}

    bool Filter(FdoFilter* f) {
        if (auto* b = dynamic_cast<FdoBinaryLogicalOperator*>(f)) {
            FdoPtr<FdoFilter> l = b->GetLeftOperand(), r = b->GetRightOperand();
            return l && r && Filter(l) && Filter(r);
        }
        if (auto* u = dynamic_cast<FdoUnaryLogicalOperator*>(f)) {
            FdoPtr<FdoFilter> operand = u->GetOperand();
            return operand && Filter(operand);
        }
        if (auto* c = dynamic_cast<FdoComparisonCondition*>(f)) {
            FdoPtr<FdoExpression> l = c->GetLeftExpression(), r = c->GetRightExpression();
            return c->GetOperation() != FdoComparisonOperations_Like && Operand(l) && Operand(r);
        }
        if (auto* in = dynamic_cast<FdoInCondition*>(f)) {
            FdoPtr<FdoIdentifier> id = in->GetPropertyName();
            FdoPtr<FdoSubSelectExpression> sub = in->GetSubSelect();
            FdoPtr<FdoValueExpressionCollection> values = in->GetValues();
            if (sub || !Property(id)) return false;
            for (FdoInt32 i = 0; i < values->GetCount(); i++) {
                FdoPtr<FdoValueExpression> v = values->GetItem(i);
                if (v->GetExpressionType() != FdoExpressionItemType_DataValue) return false;
            }
            return true;
        }
        if (auto* n = dynamic_cast<FdoNullCondition*>(f)) {
            FdoPtr<FdoIdentifier> id = n->GetPropertyName();
            return Property(id);
        }
        return false;
    }

private:
    bool Operand(FdoExpression* e) {
        if (!e) return false;
        if (e->GetExpressionType() == FdoExpressionItemType_DataValue) return true;
        return e->GetExpressionType() == FdoExpressionItemType_Identifier && Property(static_cast<FdoIdentifier*>(e));
    }

    bool Property(FdoIdentifier* id) {
        if (!id || id->GetExpressionType() != FdoExpressionItemType_Identifier) return false;
        if (!m_class) return true;
        FdoPtr<FdoPropertyDefinitionCollection> props = m_class->GetProperties();
        FdoPtr<FdoPropertyDefinition> p = props->FindItem(id->GetText());
        if (!p) {
            FdoPtr<FdoReadOnlyPropertyDefinitionCollection> base = m_class->GetBaseProperties();
            p = base->FindItem(id->GetText());
        }
        return p && p->GetPropertyType() == FdoPropertyType_DataProperty;
    }

    FdoClassDefinition* m_class;
};

// The box of a spatial or distance conjunct with a literal geometry.
bool Envelope(FdoFilter* f, FdoCommonFilterParts& parts) {
    auto* g = dynamic_cast<FdoGeometricCondition*>(f);
    if (!g) return false;
    double grow = 0;
    if (auto* s = dynamic_cast<FdoSpatialCondition*>(f)) {
        if (s->GetOperation() == FdoSpatialOperations_Disjoint) return false;
    } else if (auto* d = dynamic_cast<FdoDistanceCondition*>(f)) {
        if (d->GetOperation() != FdoDistanceOperations_Within || !(d->GetDistance() >= 0)) return false;
        grow = d->GetDistance();
    }
    FdoPtr<FdoIdentifier> id = g->GetPropertyName();
    FdoPtr<FdoExpression> e = g->GetGeometry();
    if (!id || !e || e->GetExpressionType() != FdoExpressionItemType_GeometryValue) return false;
    FdoPtr<FdoByteArray> fgf = static_cast<FdoGeometryValue*>(e.p)->GetGeometry();
    if (!fgf) return false;
    FdoFgfBounds b;
    try {
        b = FdoFgfBounds::Compute(fgf->GetData(), fgf->GetCount());
    } catch (FdoException* ex) {
        ex->Release();
        return false;
    }
    if (b.IsEmpty()) return false;
    parts.hasEnvelope = true;
    parts.envelopeProperty = id->GetText();
    parts.minX = b.minX - grow;
    parts.minY = b.minY - grow;
    parts.maxX = b.maxX + grow;
    parts.maxY = b.maxY + grow;
    return true;
}

void Append(FdoPtr<FdoFilter>& chain, FdoFilter* f) {
    chain = chain ? FdoFilter::Combine(chain, FdoBinaryLogicalOperations_And, f) : FDO_SAFE_ADDREF(f);
}

}  // namespace

FdoCommonFilterParts FdoCommonFilterSplitter::Split(FdoFilter* filter, FdoClassDefinition* classDefinition) {
    FdoCommonFilterParts parts;
    if (!filter) return parts;
    std::vector<FdoPtr<FdoFilter>> conjuncts = Conjuncts(filter);
    AttributeCheck check(classDefinition);
    for (FdoPtr<FdoFilter>& c : conjuncts) {
        if (check.Filter(c)) {
            Append(parts.attributeFilter, c);
        } else {
            if (!parts.hasEnvelope) Envelope(c, parts);
            Append(parts.remainder, c);
        }
    }
    return parts;
}

std::vector<FdoPtr<FdoFilter>> FdoCommonFilterSplitter::Conjuncts(FdoFilter* filter) {
    std::vector<FdoPtr<FdoFilter>> conjuncts;
    if (filter) CollectConjuncts(filter, conjuncts);
    return conjuncts;
}
