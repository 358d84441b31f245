// FdoIdentifier splitting and quoting, FdoComputedIdentifier, FdoParameter
// and FdoGeometryValue text.
#include <Fdo/Expression/GeometryValue.h>
#include <Fdo/Expression/Identifier.h>
#include <Fdo/Expression/Parameter.h>

#include "expression/LiteralText.h"

#include <string>

void FdoIdentifier::SetText(FdoString* text) {
    m_text = text;
    const std::wstring& s = m_text.Str();
    size_t colon = s.find(L':');
    m_schemaName = colon == std::wstring::npos ? std::wstring() : s.substr(0, colon);
    std::wstring rest = colon == std::wstring::npos ? s : s.substr(colon + 1);
    m_scope.clear();
    size_t start = 0;
    for (size_t dot; (dot = rest.find(L'.', start)) != std::wstring::npos; start = dot + 1)
        m_scope.emplace_back(rest.substr(start, dot - start));
    m_name = rest.substr(start);
    m_scopePtrs.clear();
    for (const FdoStringP& part : m_scope) m_scopePtrs.push_back(part);
}

FdoString** FdoIdentifier::GetScope(FdoInt32& count) {
    count = static_cast<FdoInt32>(m_scopePtrs.size());
    return m_scopePtrs.empty() ? nullptr : m_scopePtrs.data();
}

// Text that the expression lexer reads back as this identifier without quotes.
static bool IsPlainIdentifier(const std::wstring& s) {
    if (s.empty() || !FdoLiteralText::IsIdentifierStart(s[0])) return false;
    for (wchar_t c : s)
        if (!FdoLiteralText::IsIdentifierChar(c) && c != L'.') return false;
    return !FdoLiteralText::IsKeyword(s.c_str());
}

FdoString* FdoIdentifier::ToString() {
    m_toString = IsPlainIdentifier(m_text.Str()) ? m_text : FdoLiteralText::Quote(m_text, L'"');
    return m_toString;
}

void FdoComputedIdentifier::SetExpression(FdoExpression* expression) {
    FDO_SAFE_ADDREF(expression);
    FDO_SAFE_RELEASE(m_expression);
    m_expression = expression;
}

FdoString* FdoComputedIdentifier::ToString() {
    FdoStringP expr = m_expression ? FdoStringP(m_expression->ToString()) : FdoStringP();
    FdoStringP name = FdoIdentifier::ToString();
    m_toString = FdoStringP(L"( ") + expr + L" ) AS " + name;
    return m_toString;
}

FdoString* FdoParameter::ToString() {
    const std::wstring& s = m_name.Str();
    bool plain = !s.empty() && FdoLiteralText::IsIdentifierStart(s[0]);
    for (wchar_t c : s) plain = plain && FdoLiteralText::IsIdentifierChar(c);
    m_toString = FdoStringP(L":") + (plain ? m_name : FdoLiteralText::Quote(m_name, L'\''));
    return m_toString;
}

void FdoGeometryValue::SetGeometry(FdoByteArray* fgf) {
    FDO_SAFE_ADDREF(fgf);
    FDO_SAFE_RELEASE(m_geometry);
    m_geometry = fgf;
}

FdoString* FdoGeometryValue::ToString() {
    // No geometry text writer is wired in here, so the bytes are described
    // rather than printed; the text does not parse back as a geometry.
    m_toString = m_geometry ? FdoStringP::Format(L"GeomFromText('<FGF binary geometry, %d bytes>')",
                                                 m_geometry->GetCount())
                            : FdoStringP(L"NULL");
    return m_toString;
}
