// FGF <-> OGC WKB straight from bytes.
//
// Both formats store positions as X Y [Z] [M] doubles, so on a
// little-endian host a position block is copied whole; only headers are
// rewritten. The differences are structural: WKB has a byte-order byte and
// a type code carrying Z/M on every (sub)geometry, FGF a dimensionality word
// on non-aggregates only; FGF curves store each segment's start once, WKB
// components repeat it. A curve string becomes a CompoundCurve with one
// component per segment, so FGF -> WKB -> FGF gives the same bytes back.
#include <Fdo/Geometry/FgfBytes.h>

#include "ByteCursor.h"

#include <algorithm>

using namespace fdogeom;

namespace {

enum WkbType : FdoUInt32 {
    kWkbPoint = 1,
    kWkbLineString = 2,
    kWkbPolygon = 3,
    kWkbMultiPoint = 4,
    kWkbMultiLineString = 5,
    kWkbMultiPolygon = 6,
    kWkbCollection = 7,
    kWkbCircularString = 8,
    kWkbCompoundCurve = 9,
    kWkbCurvePolygon = 10,
    kWkbMultiCurve = 11,
    kWkbMultiSurface = 12,
};

FdoUInt32 IsoCode(FdoUInt32 base, FdoInt32 dim) {
    static const FdoUInt32 offset[4] = {0, 1000, 2000, 3000};
    return base + offset[dim & 3];
}

// ---------------------------------------------------------------- FGF -> WKB

class FgfToWkbWriter {
public:
    FgfToWkbWriter(const FdoByte* fgf, FdoInt32 count, Bytes& out)
        : m_in(fgf, count < 0 ? 0 : static_cast<size_t>(count), L"FGF"), m_out(out) {}

    void Run() {
        m_out.clear();
        Geometry(0, 0);
        m_in.ExpectEnd();
    }

private:
    void Header(FdoUInt32 base, FdoInt32 dim) {
        m_out.push_back(1);
        PutUInt32(m_out, IsoCode(base, dim));
    }
    size_t PositionBytes(FdoInt32 dim) const { return static_cast<size_t>(Stride(dim)) * 8; }

    void PositionList(FdoInt32 dim) {
        FdoInt32 n = m_in.Count(PositionBytes(dim), L"position");
        PutInt32(m_out, n);
        PutBytes(m_out, m_in.Take(static_cast<size_t>(n) * PositionBytes(dim)), static_cast<size_t>(n) * PositionBytes(dim));
    }

    // FGF start + segments -> CompoundCurve.
    void Curve(FdoInt32 dim) {
        size_t pb = PositionBytes(dim);
        const FdoByte* start = m_in.Take(pb);
        FdoInt32 n = m_in.Count(8, L"segment", 1);
        Header(kWkbCompoundCurve, dim);
        PutInt32(m_out, n);
        for (FdoInt32 i = 0; i < n; i++) {
            size_t at = m_in.Offset();
            FdoInt32 kind = m_in.Int32();
            if (kind == FdoGeometryComponentType_CircularArcSegment) {
                const FdoByte* rest = m_in.Take(2 * pb);
                Header(kWkbCircularString, dim);
                PutInt32(m_out, 3);
                PutBytes(m_out, start, pb);
                PutBytes(m_out, rest, 2 * pb);
                start = rest + pb;
            } else if (kind == FdoGeometryComponentType_LineStringSegment) {
                FdoInt32 k = m_in.Count(pb, L"position", 1);
                const FdoByte* rest = m_in.Take(static_cast<size_t>(k) * pb);
                Header(kWkbLineString, dim);
                PutInt32(m_out, k + 1);
                PutBytes(m_out, start, pb);
                PutBytes(m_out, rest, static_cast<size_t>(k) * pb);
                start = rest + static_cast<size_t>(k - 1) * pb;
            } else {
                m_in.Fail(FdoStringP::Format(L"unknown curve segment type %d", kind).Str(), at);
            }
        }
    }

    // Returns the dimensionality written, so aggregates can state the union
    // of their parts' in their own header.
    FdoInt32 Geometry(int depth, FdoInt32 expected) {
        size_t at = m_in.Offset();
        FdoInt32 type = m_in.Int32();
        if (expected > 0 && type != expected)
            m_in.Fail(FdoStringP::Format(L"a %ls part is not a %ls", FgfTypeName(type), FgfTypeName(expected)).Str(), at);
        switch (type) {
            case FdoGeometryType_Point: {
                FdoInt32 dim = m_in.Dim();
                Header(kWkbPoint, dim);
                PutBytes(m_out, m_in.Take(PositionBytes(dim)), PositionBytes(dim));
                return dim;
            }
            case FdoGeometryType_LineString: {
                FdoInt32 dim = m_in.Dim();
                Header(kWkbLineString, dim);
                PositionList(dim);
                return dim;
            }
            case FdoGeometryType_Polygon: {
                FdoInt32 dim = m_in.Dim();
                FdoInt32 rings = m_in.Count(4, L"ring");
                Header(kWkbPolygon, dim);
                PutInt32(m_out, rings);
                for (FdoInt32 r = 0; r < rings; r++) PositionList(dim);
                return dim;
            }
            case FdoGeometryType_CurveString: {
                FdoInt32 dim = m_in.Dim();
                Curve(dim);
                return dim;
            }
            case FdoGeometryType_CurvePolygon: {
                FdoInt32 dim = m_in.Dim();
                FdoInt32 rings = m_in.Count(8, L"ring");
                Header(kWkbCurvePolygon, dim);
                PutInt32(m_out, rings);
                for (FdoInt32 r = 0; r < rings; r++) Curve(dim);
                return dim;
            }
            default: break;
        }
        FdoInt32 partType = FgfPartType(type);
        if (partType < 0) m_in.Fail(FdoStringP::Format(L"unknown geometry type %d", type).Str(), at);
        if (depth >= kMaxNestingDepth) m_in.Fail(L"geometry nested too deeply", at);
        FdoUInt32 base = type == FdoGeometryType_MultiCurveString    ? kWkbMultiCurve
                         : type == FdoGeometryType_MultiCurvePolygon ? kWkbMultiSurface
                                                                     : static_cast<FdoUInt32>(type);
        FdoInt32 parts = m_in.Count(8, L"part");
        size_t header = m_out.size();
        Header(base, 0);
        PutInt32(m_out, parts);
        FdoInt32 dim = 0;
        for (FdoInt32 i = 0; i < parts; i++) dim |= Geometry(depth + 1, partType);
        PatchInt32(m_out, header + 1, static_cast<FdoInt32>(IsoCode(base, dim)));
        return dim;
    }

    ByteCursor m_in;
    Bytes& m_out;
};

// ---------------------------------------------------------------- WKB -> FGF

struct WkbHeader {
    FdoUInt32 base;
    FdoInt32 dim;
    size_t at;
};

class WkbToFgfWriter {
public:
    WkbToFgfWriter(const FdoByte* wkb, FdoInt32 count, Bytes& out)
        : m_in(wkb, count < 0 ? 0 : static_cast<size_t>(count), L"WKB"), m_out(out) {}

    void Run() {
        m_out.clear();
        Geometry(0, 0);
        m_in.ExpectEnd();
    }

private:
    WkbHeader Header() {
        WkbHeader h;
        h.at = m_in.Offset();
        FdoByte order = m_in.Byte();
        if (order > 1) m_in.Fail(FdoStringP::Format(L"invalid byte order marker %d", order).Str(), h.at);
        m_in.SetSwap(order == 0);
        FdoUInt32 code = m_in.UInt32();
        h.dim = 0;
        if (code & 0x80000000u) h.dim |= FdoDimensionality_Z;
        if (code & 0x40000000u) h.dim |= FdoDimensionality_M;
        if (code & 0x20000000u) m_in.UInt32();  // SRID
        FdoUInt32 iso = code & 0x0FFFFFFFu;
        if (iso >= 1000 && iso < 4000) {
            h.dim |= static_cast<FdoInt32>(iso / 1000);
            iso %= 1000;
        }
        h.base = iso;
        return h;
    }

    size_t PositionBytes(FdoInt32 dim) const { return static_cast<size_t>(Stride(dim)) * 8; }

    void Position(FdoInt32 dim) {
        if (!m_in.Swap()) {
            PutBytes(m_out, m_in.Take(PositionBytes(dim)), PositionBytes(dim));
            return;
        }
        for (int i = 0; i < Stride(dim); i++) PutDouble(m_out, m_in.Double());
    }

    FdoInt32 PositionCount(FdoInt32 dim, FdoInt32 atLeast = 0) {
        return m_in.Count(PositionBytes(dim), L"position", atLeast);
    }

    void PositionList(FdoInt32 dim) {
        FdoInt32 n = PositionCount(dim);
        PutInt32(m_out, n);
        if (!m_in.Swap()) {
            size_t bytes = static_cast<size_t>(n) * PositionBytes(dim);
            PutBytes(m_out, m_in.Take(bytes), bytes);
            return;
        }
        for (FdoInt32 i = 0; i < n; i++) Position(dim);
    }

    [[noreturn]] void Unsupported(const WkbHeader& h, const wchar_t* where) {
        m_in.Fail(FdoStringP::Format(L"WKB geometry type %u is not supported%ls", h.base, where).Str(), h.at);
    }
    void CheckDim(const WkbHeader& h, FdoInt32 dim) {
        if (h.dim != dim)
            m_in.Fail(L"a curve component's dimensionality differs from its curve's", h.at);
    }

    // Curve bodies: FGF start + segment count + segments, gathered from
    // WKB LineString, CircularString and CompoundCurve components.
    struct CurveBody {
        size_t countAt = 0;
        FdoInt32 segments = 0;
        bool started = false;
    };

    void CurvePart(const WkbHeader& h, FdoInt32 dim, CurveBody& body) {
        CheckDim(h, dim);
        if (h.base == kWkbLineString) {
            FdoInt32 n = PositionCount(dim, 2);
            StartOrSkip(dim, body);
            PutInt32(m_out, FdoGeometryComponentType_LineStringSegment);
            PutInt32(m_out, n - 1);
            for (FdoInt32 i = 1; i < n; i++) Position(dim);
            body.segments++;
        } else if (h.base == kWkbCircularString) {
            size_t at = m_in.Offset();
            FdoInt32 n = PositionCount(dim, 3);
            if (n % 2 == 0) m_in.Fail(FdoStringP::Format(L"a circular string needs an odd number of positions, not %d", n).Str(), at);
            StartOrSkip(dim, body);
            for (FdoInt32 i = 1; i < n; i += 2) {
                PutInt32(m_out, FdoGeometryComponentType_CircularArcSegment);
                Position(dim);
                Position(dim);
                body.segments++;
            }
        } else {
            Unsupported(h, L" as a curve component");
        }
    }

    // The first component writes the start and reserves the segment count;
    // later ones drop their first position, which repeats the previous end.
    void StartOrSkip(FdoInt32 dim, CurveBody& body) {
        if (body.started) {
            m_in.Take(PositionBytes(dim));
            return;
        }
        Position(dim);
        body.countAt = m_out.size();
        PutInt32(m_out, 0);
        body.started = true;
    }

    void Curve(const WkbHeader& h, FdoInt32 dim) {
        CurveBody body;
        if (h.base == kWkbCompoundCurve) {
            CheckDim(h, dim);
            FdoInt32 n = m_in.Count(9, L"component", 1);
            for (FdoInt32 i = 0; i < n; i++) CurvePart(Header(), dim, body);
        } else {
            CurvePart(h, dim, body);
        }
        PatchInt32(m_out, body.countAt, body.segments);
    }

    // A ring of a WKB curve polygon: a LineString, CircularString or CompoundCurve.
    void CurveRing(FdoInt32 dim) { Curve(Header(), dim); }

    void PolygonAsCurvePolygon(const WkbHeader& h) {
        PutInt32(m_out, FdoGeometryType_CurvePolygon);
        PutInt32(m_out, h.dim);
        FdoInt32 rings = m_in.Count(4, L"ring");
        PutInt32(m_out, rings);
        for (FdoInt32 r = 0; r < rings; r++) {
            FdoInt32 n = PositionCount(h.dim, 2);
            Position(h.dim);
            PutInt32(m_out, 1);
            PutInt32(m_out, FdoGeometryComponentType_LineStringSegment);
            PutInt32(m_out, n - 1);
            for (FdoInt32 i = 1; i < n; i++) Position(h.dim);
        }
    }

    void Aggregate(const WkbHeader& h, int depth, FdoInt32 fgfType) {
        if (depth >= kMaxNestingDepth) m_in.Fail(L"geometry nested too deeply", h.at);
        FdoInt32 parts = m_in.Count(9, L"part");
        PutInt32(m_out, fgfType);
        PutInt32(m_out, parts);
        bool swap = m_in.Swap();
        for (FdoInt32 i = 0; i < parts; i++) {
            Geometry(depth + 1, fgfType);
            m_in.SetSwap(swap);
        }
    }

    void Geometry(int depth, FdoInt32 parentType) {
        WkbHeader h = Header();
        FdoInt32 want = parentType ? FgfPartType(parentType) : 0;
        FdoInt32 produced = 0;
        switch (h.base) {
            case kWkbPoint:
                produced = FdoGeometryType_Point;
                break;
            case kWkbLineString:
            case kWkbCircularString:
            case kWkbCompoundCurve:
                produced = (h.base == kWkbLineString && want != FdoGeometryType_CurveString)
                               ? FdoGeometryType_LineString
                               : FdoGeometryType_CurveString;
                break;
            case kWkbPolygon:
                produced = want == FdoGeometryType_CurvePolygon ? FdoGeometryType_CurvePolygon
                                                                : FdoGeometryType_Polygon;
                break;
            case kWkbCurvePolygon: produced = FdoGeometryType_CurvePolygon; break;
            case kWkbMultiPoint:
            case kWkbMultiLineString:
            case kWkbMultiPolygon:
            case kWkbCollection: produced = static_cast<FdoInt32>(h.base); break;
            case kWkbMultiCurve: produced = FdoGeometryType_MultiCurveString; break;
            case kWkbMultiSurface: produced = FdoGeometryType_MultiCurvePolygon; break;
            default: Unsupported(h, L"");
        }
        if (want > 0 && produced != want)
            m_in.Fail(FdoStringP::Format(L"a %ls cannot be a part of a %ls", FgfTypeName(produced),
                                         FgfTypeName(parentType))
                          .Str(),
                      h.at);

        switch (produced) {
            case FdoGeometryType_Point:
                PutInt32(m_out, FdoGeometryType_Point);
                PutInt32(m_out, h.dim);
                Position(h.dim);
                return;
            case FdoGeometryType_LineString:
                PutInt32(m_out, FdoGeometryType_LineString);
                PutInt32(m_out, h.dim);
                PositionList(h.dim);
                return;
            case FdoGeometryType_Polygon: {
                PutInt32(m_out, FdoGeometryType_Polygon);
                PutInt32(m_out, h.dim);
                FdoInt32 rings = m_in.Count(4, L"ring");
                PutInt32(m_out, rings);
                for (FdoInt32 r = 0; r < rings; r++) PositionList(h.dim);
                return;
            }
            case FdoGeometryType_CurveString:
                PutInt32(m_out, FdoGeometryType_CurveString);
                PutInt32(m_out, h.dim);
                Curve(h, h.dim);
                return;
            case FdoGeometryType_CurvePolygon: {
                if (h.base == kWkbPolygon) {
                    PolygonAsCurvePolygon(h);
                    return;
                }
                PutInt32(m_out, FdoGeometryType_CurvePolygon);
                PutInt32(m_out, h.dim);
                FdoInt32 rings = m_in.Count(9, L"ring");
                PutInt32(m_out, rings);
                bool swap = m_in.Swap();
                for (FdoInt32 r = 0; r < rings; r++) {
                    CurveRing(h.dim);
                    m_in.SetSwap(swap);
                }
                return;
            }
            default: Aggregate(h, depth, produced); return;
        }
    }

    ByteCursor m_in;
    Bytes& m_out;
};

}  // namespace

void FdoFgfWkb::FgfToWkb(const FdoByte* fgf, FdoInt32 count, std::vector<FdoByte>& wkb) {
    wkb.reserve(static_cast<size_t>(std::max(count, 0)) + 64);
    FgfToWkbWriter(fgf, count, wkb).Run();
}

void FdoFgfWkb::WkbToFgf(const FdoByte* wkb, FdoInt32 count, std::vector<FdoByte>& fgf) {
    fgf.reserve(static_cast<size_t>(std::max(count, 0)) + 64);
    WkbToFgfWriter(wkb, count, fgf).Run();
}
