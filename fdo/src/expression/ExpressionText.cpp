// Expression text: binary operators print without blanks, and an operand is
// parenthesised when the text would otherwise group differently (an
// Add/Subtract operand of Multiply/Divide, and a right operand of the same
// level, as in a-(b+c)); the left-to-right chains that parsing builds print
// without parentheses.
#include "expression/ExpressionText.h"

#include <Fdo/Expression/BinaryExpression.h>
#include <Fdo/Expression/Function.h>
#include <Fdo/Expression/SubSelectExpression.h>
#include <Fdo/Filter/Filter.h>
#include <Fdo/Geometry/FgfGeometryFactory.h>

#include "expression/LiteralText.h"

#include <algorithm>
#include <cwchar>

namespace FdoExpressionText {

void ComputedList::Add(FdoComputedIdentifier* id) {
    auto has = [](const std::vector<FdoComputedIdentifier*>& v, FdoComputedIdentifier* x) {
        return std::find(v.begin(), v.end(), x) != v.end();
    };
    if (has(m_items, id) || has(m_pending, id)) return;
    // Identifiers that this one's expression uses are defined before it.
    m_pending.push_back(id);
    FdoPtr<FdoExpression> expression = id->GetExpression();
    Write(expression, this);
    m_pending.pop_back();
    m_items.push_back(id);
}

namespace {

// Text the lexer reads back as one identifier: '.'-joined parts that each
// start with a letter, and not a keyword as a whole.
bool IsPlain(const std::wstring& s) {
    bool partStart = true;
    for (wchar_t c : s) {
        if (c == L'.') {
            if (partStart) return false;
            partStart = true;
        } else if (partStart ? !FdoLiteralText::IsIdentifierStart(c) : !FdoLiteralText::IsIdentifierChar(c)) {
            return false;
        } else {
            partStart = false;
        }
    }
    return !partStart && !FdoLiteralText::IsKeyword(s.c_str());
}

int Level(FdoBinaryOperations op) {
    return op == FdoBinaryOperations_Multiply || op == FdoBinaryOperations_Divide ? 2 : 1;
}

wchar_t Symbol(FdoBinaryOperations op) {
    switch (op) {
        case FdoBinaryOperations_Add: return L'+';
        case FdoBinaryOperations_Subtract: return L'-';
        case FdoBinaryOperations_Multiply: return L'*';
        case FdoBinaryOperations_Divide: return L'/';
    }
    return L'?';
}

FdoStringP Operand(FdoExpression* e, int parentLevel, bool right, ComputedList* computed) {
    FdoStringP text = Write(e, computed);
    if (e && e->GetExpressionType() == FdoExpressionItemType_BinaryExpression) {
        int level = Level(static_cast<FdoBinaryExpression*>(e)->GetOperation());
        if (level < parentLevel || (right && level == parentLevel)) return FdoStringP(L"(") + text + L")";
    }
    return text;
}

FdoStringP WriteBinary(FdoBinaryExpression* e, ComputedList* computed) {
    FdoPtr<FdoExpression> left = e->GetLeftExpression();
    FdoPtr<FdoExpression> right = e->GetRightExpression();
    int level = Level(e->GetOperation());
    wchar_t op[2] = {Symbol(e->GetOperation()), 0};
    return Operand(left, level, false, computed) + op + Operand(right, level, true, computed);
}

FdoStringP WriteFunction(FdoFunction* f, ComputedList* computed) {
    // A function name is one part: a dot in it would read back as a
    // separator, so such a name goes in quotes.
    FdoString* name = f->GetName() ? f->GetName() : L"";
    FdoStringP text = (wcschr(name, L'.') ? FdoLiteralText::Quote(name, L'"') : WriteName(name)) + L"(";
    FdoPtr<FdoExpressionCollection> args = f->GetArguments();
    for (FdoInt32 i = 0; i < args->GetCount(); i++) {
        FdoPtr<FdoExpression> arg = args->GetItem(i);
        if (i > 0) text += L", ";
        text += Write(arg, computed);
    }
    return text + L")";
}

FdoStringP WriteSubSelect(FdoSubSelectExpression* s) {
    FdoPtr<FdoIdentifier> cls = s->GetFeatureClassName();
    FdoPtr<FdoIdentifier> prop = s->GetPropertyName();
    FdoPtr<FdoFilter> filter = s->GetFilter();
    FdoStringP text = FdoStringP(L"SELECT(") + WriteIdentifier(cls, nullptr) + L", " + WriteIdentifier(prop, nullptr);
    // The filter goes as a string: it may start with computed identifiers.
    if (filter) text += FdoStringP(L", ") + FdoLiteralText::Quote(filter->ToString(), L'\'');
    return text + L")";
}

}  // namespace

FdoStringP WriteName(FdoString* name) {
    std::wstring s(name ? name : L"");
    return IsPlain(s) ? FdoStringP(s) : FdoLiteralText::Quote(s.c_str(), L'"');
}

FdoStringP WriteIdentifier(FdoIdentifier* id, ComputedList* computed) {
    if (!id) return FdoStringP();
    if (computed && id->GetExpressionType() == FdoExpressionItemType_ComputedIdentifier)
        computed->Add(static_cast<FdoComputedIdentifier*>(id));
    return WriteName(id->GetText());
}

FdoStringP WriteDefinition(FdoComputedIdentifier* id) {
    FdoPtr<FdoExpression> expression = id->GetExpression();
    return FdoStringP(L"( ") + Write(expression, nullptr) + L" ) AS " + WriteName(id->GetText());
}

FdoStringP WriteGeometry(FdoGeometryValue* value) {
    FdoPtr<FdoByteArray> fgf = value->GetGeometry();
    if (!fgf) return L"NULL";
    try {
        FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
        FdoPtr<FdoIGeometry> geometry = factory->CreateGeometryFromFgf(fgf);
        return FdoStringP(L"GeomFromText(") + FdoLiteralText::Quote(geometry->GetText(), L'\'') + L")";
    } catch (FdoException* e) {
        // Bytes that are not FGF cannot be written as geometry text.
        e->Release();
        return FdoStringP::Format(L"GeomFromText('<invalid FGF geometry, %d bytes>')", fgf->GetCount());
    }
}

FdoStringP Write(FdoExpression* e, ComputedList* computed) {
    if (!e) return FdoStringP();
    switch (e->GetExpressionType()) {
        case FdoExpressionItemType_Identifier:
        case FdoExpressionItemType_ComputedIdentifier:
            return WriteIdentifier(static_cast<FdoIdentifier*>(e), computed);
        case FdoExpressionItemType_BinaryExpression:
            return WriteBinary(static_cast<FdoBinaryExpression*>(e), computed);
        case FdoExpressionItemType_UnaryExpression: {
            FdoPtr<FdoExpression> operand = static_cast<FdoUnaryExpression*>(e)->GetExpression();
            return FdoStringP(L"-(") + Write(operand, computed) + L")";
        }
        case FdoExpressionItemType_Function: return WriteFunction(static_cast<FdoFunction*>(e), computed);
        case FdoExpressionItemType_SubSelectExpression:
            return WriteSubSelect(static_cast<FdoSubSelectExpression*>(e));
        case FdoExpressionItemType_GeometryValue: return WriteGeometry(static_cast<FdoGeometryValue*>(e));
        case FdoExpressionItemType_Parameter:
        case FdoExpressionItemType_DataValue: break;
    }
    return e->ToString();
}

}  // namespace FdoExpressionText

FdoString* FdoBinaryExpression::ToString() {
    m_toString = FdoExpressionText::Write(this, nullptr);
    return m_toString;
}

FdoString* FdoUnaryExpression::ToString() {
    m_toString = FdoExpressionText::Write(this, nullptr);
    return m_toString;
}

FdoString* FdoFunction::ToString() {
    m_toString = FdoExpressionText::Write(this, nullptr);
    return m_toString;
}

FdoString* FdoSubSelectExpression::ToString() {
    m_toString = FdoExpressionText::Write(this, nullptr);
    return m_toString;
}
