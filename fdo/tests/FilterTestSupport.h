// Helpers shared by the filter and expression tests: the message chain of a
// failed parse, and structural equality of filters and expressions (numbers
// compare by value, since a Double 5 prints as 5 and reads back as Int32).
#pragma once

#include <Fdo.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace filtertest {

// UTF-8 for test messages.
inline std::string U8(FdoString* s) { return FdoStringP::Utf8FromUnicode(s ? s : L""); }

// The whole message chain of the exception Parse throws, or "" when the
// text parses. kind receives the outer exception's class name.
template <class Parse>
std::wstring ParseFailure(Parse parse, std::wstring* kind = nullptr) {
    try {
        parse();
    } catch (FdoException* e) {
        std::wstring text = static_cast<FdoString*>(e->ToFullString());
        if (kind) *kind = e->GetKind();
        e->Release();
        return text;
    }
    return L"";
}

inline std::wstring FilterFailure(const wchar_t* text, std::wstring* kind = nullptr) {
    return ParseFailure([&] { FdoPtr<FdoFilter> f = FdoFilter::Parse(text); }, kind);
}

inline std::wstring ExpressionFailure(const wchar_t* text, std::wstring* kind = nullptr) {
    return ParseFailure([&] { FdoPtr<FdoExpression> e = FdoExpression::Parse(text); }, kind);
}

bool SameExpression(FdoExpression* a, FdoExpression* b);

inline bool Numeric(FdoDataValue* v, double& out) {
    switch (v->GetDataType()) {
        case FdoDataType_Byte: out = static_cast<FdoByteValue*>(v)->GetByte(); return true;
        case FdoDataType_Int16: out = static_cast<FdoInt16Value*>(v)->GetInt16(); return true;
        case FdoDataType_Int32: out = static_cast<FdoInt32Value*>(v)->GetInt32(); return true;
        case FdoDataType_Int64: out = static_cast<double>(static_cast<FdoInt64Value*>(v)->GetInt64()); return true;
        case FdoDataType_Single: out = static_cast<FdoSingleValue*>(v)->GetSingle(); return true;
        case FdoDataType_Double: out = static_cast<FdoDoubleValue*>(v)->GetDouble(); return true;
        case FdoDataType_Decimal: out = static_cast<FdoDecimalValue*>(v)->GetDecimal(); return true;
        default: return false;
    }
}

inline bool SameValue(FdoDataValue* a, FdoDataValue* b) {
    double x, y;
    if (!a->IsNull() && !b->IsNull() && Numeric(a, x) && Numeric(b, y))
        return x == y || std::fabs(x - y) <= 1e-14 * std::fmax(std::fabs(x), std::fabs(y));
    if (a->IsNull() && b->IsNull()) return true;
    return FdoDataValue::Equals(a, b);
}

inline bool SameIdentifier(FdoIdentifier* a, FdoIdentifier* b) {
    if (!a || !b) return a == b;
    if (a->GetExpressionType() != b->GetExpressionType() || wcscmp(a->GetText(), b->GetText()) != 0) return false;
    if (a->GetExpressionType() != FdoExpressionItemType_ComputedIdentifier) return true;
    FdoPtr<FdoExpression> x = static_cast<FdoComputedIdentifier*>(a)->GetExpression();
    FdoPtr<FdoExpression> y = static_cast<FdoComputedIdentifier*>(b)->GetExpression();
    return SameExpression(x, y);
}

inline bool SameExpression(FdoExpression* a, FdoExpression* b) {
    if (!a || !b) return a == b;
    if (a->GetExpressionType() != b->GetExpressionType()) return false;
    switch (a->GetExpressionType()) {
        case FdoExpressionItemType_Identifier:
        case FdoExpressionItemType_ComputedIdentifier:
            return SameIdentifier(static_cast<FdoIdentifier*>(a), static_cast<FdoIdentifier*>(b));
        case FdoExpressionItemType_DataValue:
            return SameValue(static_cast<FdoDataValue*>(a), static_cast<FdoDataValue*>(b));
        case FdoExpressionItemType_Parameter:
            return wcscmp(static_cast<FdoParameter*>(a)->GetName(), static_cast<FdoParameter*>(b)->GetName()) == 0;
        case FdoExpressionItemType_GeometryValue: {
            FdoPtr<FdoByteArray> x = static_cast<FdoGeometryValue*>(a)->GetGeometry();
            FdoPtr<FdoByteArray> y = static_cast<FdoGeometryValue*>(b)->GetGeometry();
            if (!x || !y) return x.p == y.p;
            return x->GetCount() == y->GetCount() && memcmp(x->GetData(), y->GetData(), x->GetCount()) == 0;
        }
        case FdoExpressionItemType_BinaryExpression: {
            auto *x = static_cast<FdoBinaryExpression*>(a), *y = static_cast<FdoBinaryExpression*>(b);
            FdoPtr<FdoExpression> xl = x->GetLeftExpression(), yl = y->GetLeftExpression();
            FdoPtr<FdoExpression> xr = x->GetRightExpression(), yr = y->GetRightExpression();
            return x->GetOperation() == y->GetOperation() && SameExpression(xl, yl) && SameExpression(xr, yr);
        }
        case FdoExpressionItemType_UnaryExpression: {
            FdoPtr<FdoExpression> x = static_cast<FdoUnaryExpression*>(a)->GetExpression();
            FdoPtr<FdoExpression> y = static_cast<FdoUnaryExpression*>(b)->GetExpression();
            return SameExpression(x, y);
        }
        case FdoExpressionItemType_Function: {
            auto *x = static_cast<FdoFunction*>(a), *y = static_cast<FdoFunction*>(b);
            FdoPtr<FdoExpressionCollection> xa = x->GetArguments(), ya = y->GetArguments();
            if (wcscmp(x->GetName(), y->GetName()) != 0 || xa->GetCount() != ya->GetCount()) return false;
            for (FdoInt32 i = 0; i < xa->GetCount(); i++) {
                FdoPtr<FdoExpression> p = xa->GetItem(i), q = ya->GetItem(i);
                if (!SameExpression(p, q)) return false;
            }
            return true;
        }
        case FdoExpressionItemType_SubSelectExpression:
            // Compared through their text, which covers class, property and filter.
            return wcscmp(a->ToString(), std::wstring(b->ToString()).c_str()) == 0;
    }
    return false;
}

inline bool SameFilter(FdoFilter* a, FdoFilter* b) {
    if (!a || !b) return a == b;
    if (auto* x = dynamic_cast<FdoBinaryLogicalOperator*>(a)) {
        auto* y = dynamic_cast<FdoBinaryLogicalOperator*>(b);
        if (!y || x->GetOperation() != y->GetOperation()) return false;
        FdoPtr<FdoFilter> xl = x->GetLeftOperand(), yl = y->GetLeftOperand();
        FdoPtr<FdoFilter> xr = x->GetRightOperand(), yr = y->GetRightOperand();
        return SameFilter(xl, yl) && SameFilter(xr, yr);
    }
    if (auto* x = dynamic_cast<FdoUnaryLogicalOperator*>(a)) {
        auto* y = dynamic_cast<FdoUnaryLogicalOperator*>(b);
        FdoPtr<FdoFilter> xo = x->GetOperand(), yo = y ? y->GetOperand() : nullptr;
        return y && SameFilter(xo, yo);
    }
    if (auto* x = dynamic_cast<FdoComparisonCondition*>(a)) {
        auto* y = dynamic_cast<FdoComparisonCondition*>(b);
        if (!y || x->GetOperation() != y->GetOperation()) return false;
        FdoPtr<FdoExpression> xl = x->GetLeftExpression(), yl = y->GetLeftExpression();
        FdoPtr<FdoExpression> xr = x->GetRightExpression(), yr = y->GetRightExpression();
        return SameExpression(xl, yl) && SameExpression(xr, yr);
    }
    if (auto* x = dynamic_cast<FdoInCondition*>(a)) {
        auto* y = dynamic_cast<FdoInCondition*>(b);
        if (!y) return false;
        FdoPtr<FdoIdentifier> xi = x->GetPropertyName(), yi = y->GetPropertyName();
        FdoPtr<FdoSubSelectExpression> xs = x->GetSubSelect(), ys = y->GetSubSelect();
        FdoPtr<FdoValueExpressionCollection> xv = x->GetValues(), yv = y->GetValues();
        if (!SameIdentifier(xi, yi) || !SameExpression(xs, ys) || xv->GetCount() != yv->GetCount()) return false;
        for (FdoInt32 i = 0; i < xv->GetCount(); i++) {
            FdoPtr<FdoValueExpression> p = xv->GetItem(i), q = yv->GetItem(i);
            if (!SameExpression(p, q)) return false;
        }
        return true;
    }
    if (auto* x = dynamic_cast<FdoNullCondition*>(a)) {
        auto* y = dynamic_cast<FdoNullCondition*>(b);
        FdoPtr<FdoIdentifier> xi = x->GetPropertyName(), yi = y ? y->GetPropertyName() : nullptr;
        return y && SameIdentifier(xi, yi);
    }
    auto* x = dynamic_cast<FdoGeometricCondition*>(a);
    auto* y = dynamic_cast<FdoGeometricCondition*>(b);
    if (!x || !y) return false;
    FdoPtr<FdoIdentifier> xi = x->GetPropertyName(), yi = y->GetPropertyName();
    FdoPtr<FdoExpression> xg = x->GetGeometry(), yg = y->GetGeometry();
    if (!SameIdentifier(xi, yi) || !SameExpression(xg, yg)) return false;
    auto *xs = dynamic_cast<FdoSpatialCondition*>(a), *ys = dynamic_cast<FdoSpatialCondition*>(b);
    if (xs || ys) return xs && ys && xs->GetOperation() == ys->GetOperation();
    auto *xd = dynamic_cast<FdoDistanceCondition*>(a), *yd = dynamic_cast<FdoDistanceCondition*>(b);
    return xd && yd && xd->GetOperation() == yd->GetOperation() && xd->GetDistance() == yd->GetDistance();
}

}  // namespace filtertest
