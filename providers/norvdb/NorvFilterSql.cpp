// Pushing filters down into SQL; see NorvFilterSql.h.
#include "NorvFilterSql.h"

#include <FdoCommon/FdoCommonFilterSplitter.h>

#include <cstdio>
#include <optional>

namespace norvdb {

namespace {

enum class Kind { Number, Text, Other };

Kind KindOfType(FdoDataType t) {
    switch (t) {
        case FdoDataType_Byte:
        case FdoDataType_Int16:
        case FdoDataType_Int32:
        case FdoDataType_Int64:
        case FdoDataType_Single:
        case FdoDataType_Double:
        case FdoDataType_Decimal: return Kind::Number;
        case FdoDataType_String: return Kind::Text;
        default: return Kind::Other;
    }
}

class Writer {
public:
    explicit Writer(const NorvClassMap& map) : m_map(map) {}

    std::optional<std::string> Filter(FdoFilter* f) {
        if (auto* b = dynamic_cast<FdoBinaryLogicalOperator*>(f)) {
            FdoPtr<FdoFilter> l = b->GetLeftOperand(), r = b->GetRightOperand();
            auto ls = Filter(l), rs = Filter(r);
            if (!ls || !rs) return std::nullopt;
            const char* op = b->GetOperation() == FdoBinaryLogicalOperations_And ? " AND " : " OR ";
            return "(" + *ls + op + *rs + ")";
        }
        if (auto* u = dynamic_cast<FdoUnaryLogicalOperator*>(f)) {
            FdoPtr<FdoFilter> o = u->GetOperand();
            auto s = Filter(o);
            if (!s) return std::nullopt;
            return "(NOT " + *s + ")";
        }
        if (auto* n = dynamic_cast<FdoNullCondition*>(f)) {
            FdoPtr<FdoIdentifier> id = n->GetPropertyName();
            auto col = Column(id, nullptr);
            if (!col) return std::nullopt;
            return "(" + *col + " IS NULL)";
        }
        if (auto* in = dynamic_cast<FdoInCondition*>(f)) {
            FdoPtr<FdoIdentifier> id = in->GetPropertyName();
            Kind kind;
            auto col = Column(id, &kind);
            FdoPtr<FdoValueExpressionCollection> values = in->GetValues();
            if (!col || !values || values->GetCount() == 0) return std::nullopt;
            std::string list;
            for (FdoInt32 i = 0; i < values->GetCount(); i++) {
                FdoPtr<FdoValueExpression> v = values->GetItem(i);
                auto lit = Literal(v, kind);
                if (!lit) return std::nullopt;
                list += (i ? ", " : "") + *lit;
            }
            return "(" + *col + " IN (" + list + "))";
        }
        if (auto* c = dynamic_cast<FdoComparisonCondition*>(f)) {
            FdoPtr<FdoExpression> l = c->GetLeftExpression(), r = c->GetRightExpression();
            const char* op = nullptr;
            switch (c->GetOperation()) {
                case FdoComparisonOperations_EqualTo: op = " = "; break;
                case FdoComparisonOperations_NotEqualTo: op = " <> "; break;
                case FdoComparisonOperations_GreaterThan: op = " > "; break;
                case FdoComparisonOperations_GreaterThanOrEqualTo: op = " >= "; break;
                case FdoComparisonOperations_LessThan: op = " < "; break;
                case FdoComparisonOperations_LessThanOrEqualTo: op = " <= "; break;
                default: return std::nullopt;
            }
            Kind kind;
            if (auto col = Column(dynamic_cast<FdoIdentifier*>(l.p), &kind)) {
                auto lit = Literal(dynamic_cast<FdoValueExpression*>(r.p), kind);
                if (lit) return "(" + *col + op + *lit + ")";
            } else if (auto col2 = Column(dynamic_cast<FdoIdentifier*>(r.p), &kind)) {
                auto lit = Literal(dynamic_cast<FdoValueExpression*>(l.p), kind);
                if (lit) return "(" + *lit + op + *col2 + ")";
            }
            return std::nullopt;
        }
        return std::nullopt;
    }

private:
    std::optional<std::string> Column(FdoIdentifier* id, Kind* kind) {
        if (!id || id->GetExpressionType() != FdoExpressionItemType_Identifier) return std::nullopt;
        FdoPtr<FdoPropertyDefinitionCollection> props = m_map.definition->GetProperties();
        FdoPtr<FdoPropertyDefinition> p = props->FindItem(id->GetName());
        auto* dp = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
        if (!dp) return std::nullopt;
        Kind k = KindOfType(dp->GetDataType());
        if (kind) {
            if (k == Kind::Other) return std::nullopt;
            *kind = k;
        }
        return SqlName(FdoStringP::Utf8FromUnicode(dp->GetName()));
    }

    std::optional<std::string> Literal(FdoValueExpression* e, Kind kind) {
        auto* d = dynamic_cast<FdoDataValue*>(e);
        if (!d || d->IsNull()) return std::nullopt;
        char buf[64];
        switch (d->GetDataType()) {
            case FdoDataType_String:
                if (kind != Kind::Text) return std::nullopt;
                return SqlText(FdoStringP::Utf8FromUnicode(static_cast<FdoStringValue*>(d)->GetString()));
            case FdoDataType_Byte: if (kind != Kind::Number) return std::nullopt; return std::to_string(static_cast<FdoByteValue*>(d)->GetByte());
            case FdoDataType_Int16: if (kind != Kind::Number) return std::nullopt; return std::to_string(static_cast<FdoInt16Value*>(d)->GetInt16());
            case FdoDataType_Int32: if (kind != Kind::Number) return std::nullopt; return std::to_string(static_cast<FdoInt32Value*>(d)->GetInt32());
            case FdoDataType_Int64: if (kind != Kind::Number) return std::nullopt; return std::to_string(static_cast<FdoInt64Value*>(d)->GetInt64());
            case FdoDataType_Double:
            case FdoDataType_Decimal:
            case FdoDataType_Single: {
                if (kind != Kind::Number) return std::nullopt;
                double v = d->GetDataType() == FdoDataType_Double    ? static_cast<FdoDoubleValue*>(d)->GetDouble()
                           : d->GetDataType() == FdoDataType_Decimal ? static_cast<FdoDecimalValue*>(d)->GetDecimal()
                                                                     : static_cast<FdoSingleValue*>(d)->GetSingle();
                if (v != v || v - v != 0) return std::nullopt;
                std::snprintf(buf, sizeof buf, "%.17g", v);
                std::string s = buf;
                if (s.find_first_of(".e") == std::string::npos) s += ".0";
                return s;
            }
            default: return std::nullopt;
        }
    }

    const NorvClassMap& m_map;
};

}  // namespace

std::string NorvFilterSql::Where(FdoFilter* filter, const NorvClassMap& map) {
    if (!filter) return "";
    FdoCommonFilterParts parts = FdoCommonFilterSplitter::Split(filter, map.definition);
    std::string where;
    if (parts.attributeFilter) {
        Writer w(map);
        if (auto s = w.Filter(parts.attributeFilter)) where = *s;
    }
    if (parts.hasEnvelope && !map.spatialIndex.empty() &&
        FdoStringP::Utf8FromUnicode(parts.envelopeProperty) == map.geometry) {
        char box[200];
        std::snprintf(box, sizeof box, "MAXX >= %.17g AND MINX <= %.17g AND MAXY >= %.17g AND MINY <= %.17g",
                      parts.minX, parts.maxX, parts.minY, parts.maxY);
        std::string rtree = "rowid IN (SELECT ID FROM " + SqlName(map.owner) + "." + SqlName(map.spatialIndex) +
                            " WHERE " + box + ")";
        where = where.empty() ? rtree : where + " AND " + rtree;
    }
    return where;
}

}  // namespace norvdb
