// Translation works on one conjunct at a time and returns, for each, SQL
// plus whether that SQL is exact or only a superset. NOT is carried down
// as a flag so that every leaf can emit its own null-safe negation.
#include <ogrcore/OgrFilterPlan.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace ogrcore {

namespace {

struct Sql {
    std::string text;
    bool exact = true;
};

FdoFilter* And(FdoFilter* a, FdoFilter* b) { return FdoFilter::Combine(a, FdoBinaryLogicalOperations_And, b); }

std::string Quote(const std::string& text, char q) {
    std::string out(1, q);
    for (char c : text) {
        out += c;
        if (c == q) out += q;
    }
    return out + q;
}

bool IsNumericType(FdoDataType t) {
    switch (t) {
        case FdoDataType_Byte: case FdoDataType_Int16: case FdoDataType_Int32: case FdoDataType_Int64:
        case FdoDataType_Single: case FdoDataType_Double: case FdoDataType_Decimal: return true;
        default: return false;
    }
}

// SQL text of a numeric literal minus offset, or nothing.
std::optional<std::string> NumberText(FdoDataValue* v, FdoInt64 offset, bool integerOnly) {
    if (!v || v->IsNull() || !IsNumericType(v->GetDataType())) return std::nullopt;
    switch (v->GetDataType()) {
        case FdoDataType_Byte: return std::to_string(static_cast<FdoByteValue*>(v)->GetByte() - offset);
        case FdoDataType_Int16: return std::to_string(static_cast<FdoInt16Value*>(v)->GetInt16() - offset);
        case FdoDataType_Int32: return std::to_string(static_cast<FdoInt32Value*>(v)->GetInt32() - offset);
        case FdoDataType_Int64: {
            FdoInt64 n = static_cast<FdoInt64Value*>(v)->GetInt64();
            if (offset && n < INT64_MIN + offset) return std::nullopt;
            return std::to_string(n - offset);
        }
        default: break;
    }
    if (integerOnly) return std::nullopt;
    double d = v->GetDataType() == FdoDataType_Single   ? static_cast<FdoSingleValue*>(v)->GetSingle()
               : v->GetDataType() == FdoDataType_Double ? static_cast<FdoDoubleValue*>(v)->GetDouble()
                                                        : static_cast<FdoDecimalValue*>(v)->GetDecimal();
    if (!std::isfinite(d)) return std::nullopt;
    char buf[40];
    snprintf(buf, sizeof buf, "%.17g", d);
    return std::string(buf);
}

class Translator {
public:
    Translator(ClassMap* map, OGRFeatureDefnH defn) : m_map(map), m_defn(defn) {}

    std::optional<Sql> Filter(FdoFilter* f, bool negate) {
        if (auto* b = dynamic_cast<FdoBinaryLogicalOperator*>(f)) {
            FdoPtr<FdoFilter> l = b->GetLeftOperand(), r = b->GetRightOperand();
            if (!l || !r) return std::nullopt;
            bool isAnd = (b->GetOperation() == FdoBinaryLogicalOperations_And) != negate;
            auto ls = Filter(l, negate), rs = Filter(r, negate);
            if (isAnd && (!ls || !rs)) {
                // Dropping one side of an AND still leaves a superset.
                if (!ls && !rs) return std::nullopt;
                Sql one = ls ? *ls : *rs;
                one.exact = false;
                return one;
            }
            if (!ls || !rs) return std::nullopt;
            return Sql{"(" + ls->text + (isAnd ? " AND " : " OR ") + rs->text + ")", ls->exact && rs->exact};
        }
        if (auto* u = dynamic_cast<FdoUnaryLogicalOperator*>(f)) {
            FdoPtr<FdoFilter> operand = u->GetOperand();
            return operand ? Filter(operand, !negate) : std::nullopt;
        }
        if (auto* c = dynamic_cast<FdoComparisonCondition*>(f)) return Comparison(c, negate);
        if (auto* in = dynamic_cast<FdoInCondition*>(f)) return In(in, negate);
        if (auto* n = dynamic_cast<FdoNullCondition*>(f)) {
            FdoPtr<FdoIdentifier> id = n->GetPropertyName();
            const PropertyBinding* b = DataBinding(id);
            if (!b || b->role != PropertyRole::Data) return std::nullopt;
            // A logical field held as text has nulls OGR does not see.
            if (b->type == FdoDataType_Boolean && FieldType(*b) == OFTString) return std::nullopt;
            return Sql{Column(*b) + (negate ? " IS NOT NULL" : " IS NULL"), true};
        }
        return std::nullopt;
    }

private:
    const PropertyBinding* DataBinding(FdoIdentifier* id) {
        if (!id || id->GetExpressionType() != FdoExpressionItemType_Identifier) return nullptr;
        int i = m_map->Find(id->GetText());
        if (i < 0) return nullptr;
        const PropertyBinding& b = m_map->Bindings()[static_cast<size_t>(i)];
        return b.role == PropertyRole::Geometry ? nullptr : &b;
    }

    OGRFieldType FieldType(const PropertyBinding& b) {
        return OGR_Fld_GetType(OGR_FD_GetFieldDefn(m_defn, b.field));
    }

    std::string Column(const PropertyBinding& b) {
        if (b.role == PropertyRole::Identity) return "FID";
        return Quote(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(m_defn, b.field)), '"');
    }

    enum class Kind { None, Number, Text };

    Kind KindOf(const PropertyBinding& b) {
        if (b.role == PropertyRole::Identity)
            return b.type == FdoDataType_Int32 || b.type == FdoDataType_Int64 ? Kind::Number : Kind::None;
        OGRFieldType ft = FieldType(b);
        if (IsNumericType(b.type) && (ft == OFTInteger || ft == OFTInteger64 || ft == OFTReal)) return Kind::Number;
        if (b.type == FdoDataType_String && ft == OFTString) return Kind::Text;
        return Kind::None;
    }

    std::optional<std::string> Literal(const PropertyBinding& b, Kind kind, FdoExpression* e) {
        auto* v = dynamic_cast<FdoDataValue*>(e);
        if (!v || v->IsNull()) return std::nullopt;
        if (kind == Kind::Text) {
            if (v->GetDataType() != FdoDataType_String) return std::nullopt;
            return Quote(Utf8(static_cast<FdoStringValue*>(v)->GetString()), '\'');
        }
        bool identity = b.role == PropertyRole::Identity;
        return NumberText(v, identity ? m_map->FidOffset() : 0, identity);
    }

    std::optional<Sql> Comparison(FdoComparisonCondition* c, bool negate) {
        FdoComparisonOperations op = c->GetOperation();
        if (op == FdoComparisonOperations_Like) return std::nullopt;
        FdoPtr<FdoExpression> l = c->GetLeftExpression(), r = c->GetRightExpression();
        if (l && l->GetExpressionType() != FdoExpressionItemType_Identifier) {
            std::swap(l, r);
            static const FdoComparisonOperations mirrored[] = {
                FdoComparisonOperations_EqualTo, FdoComparisonOperations_NotEqualTo,
                FdoComparisonOperations_LessThan, FdoComparisonOperations_LessThanOrEqualTo,
                FdoComparisonOperations_GreaterThan, FdoComparisonOperations_GreaterThanOrEqualTo};
            op = mirrored[op];
        }
        const PropertyBinding* b = DataBinding(dynamic_cast<FdoIdentifier*>(l.p));
        if (!b) return std::nullopt;
        Kind kind = KindOf(*b);
        if (kind == Kind::None) return std::nullopt;
        if (negate) {
            static const FdoComparisonOperations inverse[] = {
                FdoComparisonOperations_NotEqualTo, FdoComparisonOperations_EqualTo,
                FdoComparisonOperations_LessThanOrEqualTo, FdoComparisonOperations_LessThan,
                FdoComparisonOperations_GreaterThanOrEqualTo, FdoComparisonOperations_GreaterThan};
            op = inverse[op];
        }
        // OGR compares text ignoring case: only equality is a usable superset.
        if (kind == Kind::Text && op != FdoComparisonOperations_EqualTo) return std::nullopt;
        auto lit = Literal(*b, kind, r);
        if (!lit) return std::nullopt;
        static const char* const ops[] = {" = ", " <> ", " > ", " >= ", " < ", " <= "};
        std::string col = Column(*b);
        std::string test = col + ops[op] + *lit;
        if (b->role == PropertyRole::Data) test = "(" + col + " IS NOT NULL AND " + test + ")";
        return Sql{test, kind == Kind::Number};
    }

    std::optional<Sql> In(FdoInCondition* in, bool negate) {
        FdoPtr<FdoIdentifier> id = in->GetPropertyName();
        FdoPtr<FdoValueExpressionCollection> values = in->GetValues();
        const PropertyBinding* b = DataBinding(id);
        if (!b || !values || values->GetCount() == 0) return std::nullopt;
        Kind kind = KindOf(*b);
        if (kind == Kind::None || (kind == Kind::Text && negate)) return std::nullopt;
        std::string list;
        for (FdoInt32 i = 0; i < values->GetCount(); i++) {
            FdoPtr<FdoValueExpression> v = values->GetItem(i);
            auto lit = Literal(*b, kind, v);
            if (!lit) return std::nullopt;
            list += (i ? ", " : "") + *lit;
        }
        std::string col = Column(*b);
        std::string test = negate ? "NOT (" + col + " IN (" + list + "))" : col + " IN (" + list + ")";
        if (b->role == PropertyRole::Data) test = "(" + col + " IS NOT NULL AND " + test + ")";
        return Sql{test, kind == Kind::Number};
    }

    ClassMap* m_map;
    OGRFeatureDefnH m_defn;
};

bool HasEnvelopeIntersects(const std::vector<FdoPtr<FdoFilter>>& conjuncts) {
    for (const auto& c : conjuncts) {
        auto* s = dynamic_cast<FdoSpatialCondition*>(c.p);
        if (s && s->GetOperation() == FdoSpatialOperations_EnvelopeIntersects) return true;
    }
    return false;
}

}  // namespace

FilterPlan FilterPlan::Make(FdoFilter* filter, ClassMap* map, OGRFeatureDefnH layer, bool pushDown) {
    FilterPlan plan;
    if (!filter) return plan;
    if (!pushDown || !layer) {
        plan.residual = FDO_SAFE_ADDREF(filter);
        return plan;
    }
    FdoPtr<FdoClassDefinition> cls = map->GetClass();
    FdoCommonFilterParts parts = FdoCommonFilterSplitter::Split(filter, cls);

    FdoPtr<FdoFilter> residual = FDO_SAFE_ADDREF(parts.remainder.p);
    std::vector<FdoPtr<FdoFilter>> attribute = FdoCommonFilterSplitter::Conjuncts(parts.attributeFilter);
    Translator translator(map, layer);
    for (auto& conjunct : attribute) {
        auto sql = translator.Filter(conjunct, false);
        if (sql) plan.attributeFilter += (plan.attributeFilter.empty() ? "" : " AND ") + sql->text;
        if (!sql || !sql->exact) residual = And(residual, conjunct);
    }
    plan.residual = residual;

    std::vector<FdoPtr<FdoFilter>> top = FdoCommonFilterSplitter::Conjuncts(filter);
    int geometry = map->GeometryIndex();
    if (parts.hasEnvelope && geometry >= 0 && !HasEnvelopeIntersects(top) &&
        map->Find(parts.envelopeProperty) == geometry && std::isfinite(parts.minX) && std::isfinite(parts.maxX) &&
        std::isfinite(parts.minY) && std::isfinite(parts.maxY)) {
        double scale = std::max({1.0, std::fabs(parts.minX), std::fabs(parts.maxX), std::fabs(parts.minY),
                                 std::fabs(parts.maxY)});
        double pad = scale * 1e-9;
        plan.hasRect = true;
        plan.minX = parts.minX - pad;
        plan.minY = parts.minY - pad;
        plan.maxX = parts.maxX + pad;
        plan.maxY = parts.maxY + pad;
    }
    return plan;
}

}  // namespace ogrcore
