// FGF bytes -> geometry objects. The bytes come from files and databases,
// so every count is checked against what is left and every part's kind
// against its aggregate before anything is built.
#include "ByteCursor.h"
#include "GeometryImpl.h"

namespace fdogeom {

namespace {

class FgfReader {
public:
    FgfReader(const FdoByte* fgf, size_t count) : m_in(fgf, count, L"FGF") {}

    FdoIGeometry* Run() {
        FdoPtr<FdoIGeometry> g = Geometry(0, 0);
        m_in.ExpectEnd();
        return g.Detach();
    }

private:
    size_t PositionBytes(FdoInt32 dim) const { return static_cast<size_t>(Stride(dim)) * 8; }

    void Append(std::vector<FdoDouble>& ords, FdoInt32 dim, FdoInt32 n) {
        size_t bytes = static_cast<size_t>(n) * PositionBytes(dim);
        const FdoByte* p = m_in.Take(bytes);
        if (bytes == 0) return;
        size_t old = ords.size();
        ords.resize(old + bytes / 8);
        std::memcpy(ords.data() + old, p, bytes);
    }

    std::vector<FdoDouble> PositionList(FdoInt32 dim) {
        std::vector<FdoDouble> ords;
        Append(ords, dim, m_in.Count(PositionBytes(dim), L"position"));
        return ords;
    }

    SegmentList Segments(FdoInt32 dim) {
        std::vector<FdoDouble> start;
        Append(start, dim, 1);
        FdoInt32 n = m_in.Count(8, L"segment", 1);
        SegmentList segments;
        segments.reserve(static_cast<size_t>(n));
        for (FdoInt32 i = 0; i < n; i++) {
            size_t at = m_in.Offset();
            FdoInt32 kind = m_in.Int32();
            std::vector<FdoDouble> ords = start;
            if (kind == FdoGeometryComponentType_CircularArcSegment) {
                Append(ords, dim, 2);
                start.assign(ords.end() - Stride(dim), ords.end());
                segments.emplace_back(ArcSegmentImpl::Create(dim, std::move(ords)));
            } else if (kind == FdoGeometryComponentType_LineStringSegment) {
                Append(ords, dim, m_in.Count(PositionBytes(dim), L"position", 1));
                start.assign(ords.end() - Stride(dim), ords.end());
                segments.emplace_back(LineStringSegmentImpl::Create(dim, std::move(ords)));
            } else {
                m_in.Fail(FdoStringP::Format(L"unknown curve segment type %d", kind).Str(), at);
            }
        }
        return segments;
    }

    template <class Impl, class Part>
    FdoIGeometry* Aggregate(int depth, FdoInt32 partType) {
        FdoInt32 n = m_in.Count(8, L"part");
        std::vector<FdoPtr<Part>> parts;
        parts.reserve(static_cast<size_t>(n));
        for (FdoInt32 i = 0; i < n; i++) parts.emplace_back(static_cast<Part*>(Geometry(depth + 1, partType)));
        return Impl::Create(std::move(parts));
    }

    FdoIGeometry* Geometry(int depth, FdoInt32 expected) {
        size_t at = m_in.Offset();
        FdoInt32 type = m_in.Int32();
        if (expected > 0 && type != expected)
            m_in.Fail(FdoStringP::Format(L"a %ls part is not a %ls", FgfTypeName(type), FgfTypeName(expected)).Str(), at);
        if (IsFgfAggregate(type) && depth >= kMaxNestingDepth) m_in.Fail(L"geometry nested too deeply", at);
        switch (type) {
            case FdoGeometryType_Point: {
                FdoInt32 dim = m_in.Dim();
                std::vector<FdoDouble> ords;
                Append(ords, dim, 1);
                return PointImpl::Create(dim, ords.data());
            }
            case FdoGeometryType_LineString: {
                FdoInt32 dim = m_in.Dim();
                return LineStringImpl::Create(dim, PositionList(dim));
            }
            case FdoGeometryType_Polygon: {
                FdoInt32 dim = m_in.Dim();
                FdoInt32 n = m_in.Count(4, L"ring");
                std::vector<FdoPtr<FdoILinearRing>> rings;
                rings.reserve(static_cast<size_t>(n));
                for (FdoInt32 i = 0; i < n; i++) rings.emplace_back(LinearRingImpl::Create(dim, PositionList(dim)));
                return PolygonImpl::Create(dim, std::move(rings));
            }
            case FdoGeometryType_CurveString: {
                FdoInt32 dim = m_in.Dim();
                return CurveStringImpl::Create(Segments(dim));
            }
            case FdoGeometryType_CurvePolygon: {
                FdoInt32 dim = m_in.Dim();
                FdoInt32 n = m_in.Count(8, L"ring");
                std::vector<FdoPtr<FdoIRing>> rings;
                rings.reserve(static_cast<size_t>(n));
                for (FdoInt32 i = 0; i < n; i++) rings.emplace_back(RingImpl::Create(Segments(dim)));
                return CurvePolygonImpl::Create(dim, std::move(rings));
            }
            case FdoGeometryType_MultiPoint: return Aggregate<MultiPointImpl, FdoIPoint>(depth, FdoGeometryType_Point);
            case FdoGeometryType_MultiLineString:
                return Aggregate<MultiLineStringImpl, FdoILineString>(depth, FdoGeometryType_LineString);
            case FdoGeometryType_MultiPolygon:
                return Aggregate<MultiPolygonImpl, FdoIPolygon>(depth, FdoGeometryType_Polygon);
            case FdoGeometryType_MultiGeometry: return Aggregate<MultiGeometryImpl, FdoIGeometry>(depth, 0);
            case FdoGeometryType_MultiCurveString:
                return Aggregate<MultiCurveStringImpl, FdoICurveString>(depth, FdoGeometryType_CurveString);
            case FdoGeometryType_MultiCurvePolygon:
                return Aggregate<MultiCurvePolygonImpl, FdoICurvePolygon>(depth, FdoGeometryType_CurvePolygon);
            default: m_in.Fail(FdoStringP::Format(L"unknown geometry type %d", type).Str(), at);
        }
    }

    ByteCursor m_in;
};

}  // namespace

FdoIGeometry* ReadFgf(const FdoByte* fgf, size_t count) { return FgfReader(fgf, count).Run(); }

}  // namespace fdogeom
