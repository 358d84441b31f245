// FGF bytes -> geometry text.
//
// Ordinates are printed with 15 significant digits: with L digits before
// the decimal point, 15 - L decimals, trailing zeros and a bare point
// stripped, "-0" printed as "0"; beyond 15 integer digits the shortest %g
// form with 15 digits. std::to_chars keeps the output independent of the
// process locale (a desktop host may switch LC_NUMERIC to a comma).
#include "ByteCursor.h"
#include "GeometryImpl.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace fdogeom {

namespace {

void AppendOrdinate(std::wstring& out, double v) {
    if (!std::isfinite(v)) {
        out += std::isnan(v) ? L"NaN" : (v < 0 ? L"-Inf" : L"Inf");
        return;
    }
    char buf[400];
    char* end = buf + sizeof buf;
    double a = std::fabs(v);
    int intDigits = 1;
    if (a >= 1) intDigits = static_cast<int>(std::to_chars(buf, end, std::trunc(a), std::chars_format::fixed, 0).ptr - buf);
    char* last;
    if (intDigits > 15) {
        last = std::to_chars(buf, end, v, std::chars_format::general, 15).ptr;
    } else {
        last = std::to_chars(buf, end, v, std::chars_format::fixed, 15 - intDigits).ptr;
        if (std::find(buf, last, '.') != last) {
            while (last[-1] == '0') last--;
            if (last[-1] == '.') last--;
        }
    }
    if (last - buf == 2 && buf[0] == '-' && buf[1] == '0') {
        out += L'0';
        return;
    }
    for (char* p = buf; p < last; p++) out += static_cast<wchar_t>(*p);
}

const wchar_t* DimKeyword(FdoInt32 dim) {
    static const wchar_t* names[4] = {L"", L"XYZ ", L"XYM ", L"XYZM "};
    return names[dim & 3];
}

const wchar_t* Keyword(FdoInt32 type) {
    switch (type) {
        case FdoGeometryType_Point: return L"POINT ";
        case FdoGeometryType_LineString: return L"LINESTRING ";
        case FdoGeometryType_Polygon: return L"POLYGON ";
        case FdoGeometryType_MultiPoint: return L"MULTIPOINT ";
        case FdoGeometryType_MultiLineString: return L"MULTILINESTRING ";
        case FdoGeometryType_MultiPolygon: return L"MULTIPOLYGON ";
        case FdoGeometryType_MultiGeometry: return L"GEOMETRYCOLLECTION ";
        case FdoGeometryType_CurveString: return L"CURVESTRING ";
        case FdoGeometryType_CurvePolygon: return L"CURVEPOLYGON ";
        case FdoGeometryType_MultiCurveString: return L"MULTICURVESTRING ";
        case FdoGeometryType_MultiCurvePolygon: return L"MULTICURVEPOLYGON ";
        default: return nullptr;
    }
}

class TextWriter {
public:
    TextWriter(const FdoByte* fgf, size_t count) : m_in(fgf, count, L"FGF") {}

    std::wstring Run() {
        Geometry(0, 0);
        m_in.ExpectEnd();
        return std::move(m_out);
    }

private:
    // One stored position written in the ordinates of `dim`.
    void Position(FdoInt32 stored, FdoInt32 dim) {
        double p[4] = {0, 0, 0, 0};
        for (int i = 0; i < Stride(stored); i++) p[i] = m_in.Double();
        double z = (stored & FdoDimensionality_Z) ? p[2] : 0;
        double m = (stored & FdoDimensionality_M) ? p[Stride(stored) - 1] : 0;
        AppendOrdinate(m_out, p[0]);
        m_out += L' ';
        AppendOrdinate(m_out, p[1]);
        if (dim & FdoDimensionality_Z) {
            m_out += L' ';
            AppendOrdinate(m_out, z);
        }
        if (dim & FdoDimensionality_M) {
            m_out += L' ';
            AppendOrdinate(m_out, m);
        }
    }

    void Positions(FdoInt32 stored, FdoInt32 dim, FdoInt32 n) {
        for (FdoInt32 i = 0; i < n; i++) {
            if (i) m_out += L", ";
            Position(stored, dim);
        }
    }

    void PositionList(FdoInt32 stored, FdoInt32 dim) {
        m_out += L'(';
        Positions(stored, dim, m_in.Count(static_cast<size_t>(Stride(stored)) * 8, L"position"));
        m_out += L')';
    }

    void Curve(FdoInt32 stored, FdoInt32 dim) {
        m_out += L'(';
        Position(stored, dim);
        m_out += L" (";
        FdoInt32 n = m_in.Count(8, L"segment", 1);
        for (FdoInt32 i = 0; i < n; i++) {
            if (i) m_out += L", ";
            size_t at = m_in.Offset();
            FdoInt32 kind = m_in.Int32();
            if (kind == FdoGeometryComponentType_CircularArcSegment) {
                m_out += L"CIRCULARARCSEGMENT (";
                Positions(stored, dim, 2);
            } else if (kind == FdoGeometryComponentType_LineStringSegment) {
                m_out += L"LINESTRINGSEGMENT (";
                Positions(stored, dim, m_in.Count(static_cast<size_t>(Stride(stored)) * 8, L"position", 1));
            } else {
                m_in.Fail(FdoStringP::Format(L"unknown curve segment type %d", kind).Str(), at);
            }
            m_out += L')';
        }
        m_out += L"))";
    }

    // The body of a non-aggregate after its dimensionality word; bare marks
    // a point inside a multi-point, which has no parentheses of its own.
    void Body(FdoInt32 type, FdoInt32 stored, FdoInt32 dim, bool bare) {
        switch (type) {
            case FdoGeometryType_Point:
                if (!bare) m_out += L'(';
                Position(stored, dim);
                if (!bare) m_out += L')';
                return;
            case FdoGeometryType_LineString: PositionList(stored, dim); return;
            case FdoGeometryType_CurveString: Curve(stored, dim); return;
            case FdoGeometryType_Polygon:
            case FdoGeometryType_CurvePolygon: {
                bool curved = type == FdoGeometryType_CurvePolygon;
                FdoInt32 n = m_in.Count(curved ? 8 : 4, L"ring");
                m_out += L'(';
                for (FdoInt32 i = 0; i < n; i++) {
                    if (i) m_out += L", ";
                    if (curved) Curve(stored, dim);
                    else PositionList(stored, dim);
                }
                m_out += L')';
                return;
            }
            default: break;
        }
    }

    void Geometry(int depth, FdoInt32 expected) {
        size_t at = m_in.Offset();
        FdoInt32 type = m_in.Int32();
        const wchar_t* keyword = Keyword(type);
        if (!keyword) m_in.Fail(FdoStringP::Format(L"unknown geometry type %d", type).Str(), at);
        if (expected > 0 && type != expected)
            m_in.Fail(FdoStringP::Format(L"a %ls part is not a %ls", FgfTypeName(type), FgfTypeName(expected)).Str(), at);
        m_out += keyword;
        if (!IsFgfAggregate(type)) {
            FdoInt32 dim = m_in.Dim();
            m_out += DimKeyword(dim);
            Body(type, dim, dim, false);
            return;
        }
        if (depth >= kMaxNestingDepth) m_in.Fail(L"geometry nested too deeply", at);
        FdoInt32 n = m_in.Count(8, L"part");
        FdoInt32 partType = FgfPartType(type);
        if (partType == 0) {
            m_out += L'(';
            for (FdoInt32 i = 0; i < n; i++) {
                if (i) m_out += L", ";
                Geometry(depth + 1, 0);
            }
            m_out += L')';
            return;
        }
        // Typed aggregates state one dimensionality: the first part's.
        FdoInt32 dim = 0;
        if (n > 0) {
            ByteCursor peek = m_in;
            peek.Int32();
            dim = peek.Dim();
        }
        m_out += DimKeyword(dim);
        m_out += L'(';
        for (FdoInt32 i = 0; i < n; i++) {
            if (i) m_out += L", ";
            size_t partAt = m_in.Offset();
            FdoInt32 t = m_in.Int32();
            if (t != partType)
                m_in.Fail(FdoStringP::Format(L"a %ls part is not a %ls", FgfTypeName(t), FgfTypeName(partType)).Str(), partAt);
            Body(t, m_in.Dim(), dim, true);
        }
        m_out += L')';
    }

    ByteCursor m_in;
    std::wstring m_out;
};

}  // namespace

std::wstring FgfToText(const FdoByte* fgf, size_t count) { return TextWriter(fgf, count).Run(); }

}  // namespace fdogeom
