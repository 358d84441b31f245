// Failure messages of the byte readers: they name the format, the byte
// offset and what was wrong, because the bytes usually come from a file or
// table the user has to go and inspect.
#include "ByteCursor.h"

#include <Fdo/Common/Enums.h>
#include <FdoCommon/FdoCommonEnumNames.h>

namespace fdogeom {

FdoInt32 ByteCursor::Count(size_t minItemBytes, const wchar_t* what, FdoInt32 atLeast) {
    size_t at = m_pos;
    FdoInt32 n = Int32();
    if (n < atLeast)
        Fail(FdoStringP::Format(L"invalid %ls count %d", what, n).Str(), at);
    if (static_cast<FdoUInt64>(n) * minItemBytes > m_size - m_pos)
        Fail(FdoStringP::Format(L"Item index out of bounds: %ls count %d does not fit in the %llu bytes left",
                                what, n, static_cast<unsigned long long>(m_size - m_pos))
                 .Str(),
             at);
    return n;
}

FdoInt32 ByteCursor::Dim() {
    size_t at = m_pos;
    FdoInt32 d = Int32();
    if (d < 0 || d > 3) Fail(FdoStringP::Format(L"invalid dimensionality %d", d).Str(), at);
    return d;
}

void ByteCursor::ExpectEnd() const {
    if (m_pos != m_size)
        Fail(FdoStringP::Format(L"%llu unexpected bytes after the end of the geometry",
                                static_cast<unsigned long long>(m_size - m_pos))
                 .Str());
}

void ByteCursor::Fail(const std::wstring& why, size_t at) const {
    throw FdoException::Create(FdoStringP::Format(L"Invalid %ls geometry (%llu bytes) at byte %llu: %ls.",
                                                  m_format, static_cast<unsigned long long>(m_size),
                                                  static_cast<unsigned long long>(at), why.c_str()));
}

void ByteCursor::Truncated(size_t n) const {
    Fail(FdoStringP::Format(L"Item index out of bounds: %llu more bytes needed, the data ends",
                            static_cast<unsigned long long>(n))
             .Str());
}

FdoInt32 FgfPartType(FdoInt32 aggregateType) {
    switch (aggregateType) {
        case FdoGeometryType_MultiPoint: return FdoGeometryType_Point;
        case FdoGeometryType_MultiLineString: return FdoGeometryType_LineString;
        case FdoGeometryType_MultiPolygon: return FdoGeometryType_Polygon;
        case FdoGeometryType_MultiCurveString: return FdoGeometryType_CurveString;
        case FdoGeometryType_MultiCurvePolygon: return FdoGeometryType_CurvePolygon;
        case FdoGeometryType_MultiGeometry: return 0;
        default: return -1;
    }
}

bool IsFgfAggregate(FdoInt32 type) { return FgfPartType(type) >= 0; }

const wchar_t* FgfTypeName(FdoInt32 type) {
    FdoString* name = type == FdoGeometryType_None
                          ? nullptr
                          : FdoCommonEnumNames::GeometryType(static_cast<FdoGeometryType>(type));
    return name ? name : L"unknown";
}

}  // namespace fdogeom
