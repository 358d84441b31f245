// FdoClassCapabilities: plain settings; vertex order is kept per geometry
// property name.
#include <Fdo/Schema/ClassCapabilities.h>

FdoLockType* FdoClassCapabilities::GetLockTypes(FdoInt32& size) {
    size = static_cast<FdoInt32>(m_lockTypes.size());
    return m_lockTypes.empty() ? nullptr : m_lockTypes.data();
}

void FdoClassCapabilities::SetLockTypes(const FdoLockType* types, FdoInt32 size) {
    m_lockTypes.clear();
    for (FdoInt32 i = 0; types && i < size; i++) m_lockTypes.push_back(types[i]);
}

FdoPolygonVertexOrderRule FdoClassCapabilities::GetPolygonVertexOrderRule(FdoString* geometryPropertyName) {
    auto it = m_vertexOrder.find(geometryPropertyName ? geometryPropertyName : L"");
    return it == m_vertexOrder.end() ? FdoPolygonVertexOrderRule_None : it->second.rule;
}

void FdoClassCapabilities::SetPolygonVertexOrderRule(FdoString* geometryPropertyName,
                                                     FdoPolygonVertexOrderRule value) {
    m_vertexOrder[geometryPropertyName ? geometryPropertyName : L""].rule = value;
}

bool FdoClassCapabilities::GetPolygonVertexOrderStrictness(FdoString* geometryPropertyName) {
    auto it = m_vertexOrder.find(geometryPropertyName ? geometryPropertyName : L"");
    return it != m_vertexOrder.end() && it->second.strict;
}

void FdoClassCapabilities::SetPolygonVertexOrderStrictness(FdoString* geometryPropertyName, bool value) {
    m_vertexOrder[geometryPropertyName ? geometryPropertyName : L""].strict = value;
}
