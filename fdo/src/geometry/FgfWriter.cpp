// Geometry objects -> FGF bytes, through the public interfaces only, so any
// implementation of them can be written. Position lists are copied as whole
// ordinate blocks when their dimensionality matches the geometry's.
#include "ByteCursor.h"
#include "GeometryImpl.h"

#include <type_traits>

namespace fdogeom {

namespace {

class FgfWriter {
public:
    explicit FgfWriter(Bytes& out) : m_out(out) {}

    void Geometry(const FdoIGeometry* g, int depth) {
        if (!g) Throw(L"Cannot write a null geometry.");
        FdoGeometryType type = g->GetDerivedType();
        PutInt32(m_out, type);
        switch (type) {
            case FdoGeometryType_Point: {
                auto p = static_cast<const FdoIPoint*>(g);
                FdoInt32 dim = p->GetDimensionality();
                PutInt32(m_out, dim);
                Ordinates(p->GetOrdinates(), 1, dim);
                return;
            }
            case FdoGeometryType_LineString: {
                auto l = static_cast<const FdoILineString*>(g);
                PutInt32(m_out, l->GetDimensionality());
                PositionList(l, l->GetDimensionality(), 0);
                return;
            }
            case FdoGeometryType_Polygon: {
                auto p = static_cast<const FdoIPolygon*>(g);
                FdoInt32 dim = p->GetDimensionality();
                PutInt32(m_out, dim);
                Rings(p, [&](const FdoILinearRing* r) { PositionList(r, dim, 0); });
                return;
            }
            case FdoGeometryType_CurveString: {
                auto c = static_cast<const FdoICurveString*>(g);
                PutInt32(m_out, c->GetDimensionality());
                Curve(c, c->GetDimensionality());
                return;
            }
            case FdoGeometryType_CurvePolygon: {
                auto p = static_cast<const FdoICurvePolygon*>(g);
                FdoInt32 dim = p->GetDimensionality();
                PutInt32(m_out, dim);
                Rings(p, [&](const FdoIRing* r) { Curve(r, dim); });
                return;
            }
            case FdoGeometryType_MultiPoint: Parts(static_cast<const FdoIMultiPoint*>(g), depth); return;
            case FdoGeometryType_MultiLineString: Parts(static_cast<const FdoIMultiLineString*>(g), depth); return;
            case FdoGeometryType_MultiPolygon: Parts(static_cast<const FdoIMultiPolygon*>(g), depth); return;
            case FdoGeometryType_MultiGeometry: Parts(static_cast<const FdoIMultiGeometry*>(g), depth); return;
            case FdoGeometryType_MultiCurveString: Parts(static_cast<const FdoIMultiCurveString*>(g), depth); return;
            case FdoGeometryType_MultiCurvePolygon:
                Parts(static_cast<const FdoIMultiCurvePolygon*>(g), depth);
                return;
            default: break;
        }
        throw FdoException::Create(FdoStringP::Format(L"Cannot write geometry type %d as FGF.", type));
    }

private:
    void Ordinates(const FdoDouble* ords, FdoInt32 count, FdoInt32 dim) {
        PutBytes(m_out, reinterpret_cast<const FdoByte*>(ords), static_cast<size_t>(count) * Stride(dim) * 8);
    }

    void Position(const FdoIDirectPosition* p, FdoInt32 dim) {
        FdoDouble buf[4];
        LoadPosition(p, dim, buf);
        Ordinates(buf, 1, dim);
    }

    // Count and positions from index `first` on, in the layout of dim.
    template <class L>
    void PositionList(const L* list, FdoInt32 dim, FdoInt32 first) {
        FdoInt32 n = list->GetCount() - first;
        PutInt32(m_out, n);
        if (list->GetDimensionality() == dim) {
            Ordinates(list->GetOrdinates() + static_cast<size_t>(first) * Stride(dim), n, dim);
            return;
        }
        for (FdoInt32 i = first; i < list->GetCount(); i++) {
            FdoPtr<FdoIDirectPosition> p = list->GetItem(i);
            Position(p, dim);
        }
    }

    // Ring count, then the exterior ring and the interior ones.
    template <class S, class F>
    void Rings(const S* s, F writeRing) {
        using Ring = std::remove_pointer_t<decltype(s->GetExteriorRing())>;
        FdoPtr<Ring> exterior = s->GetExteriorRing();
        if (!exterior) {
            PutInt32(m_out, 0);
            return;
        }
        FdoInt32 interior = s->GetInteriorRingCount();
        PutInt32(m_out, interior + 1);
        writeRing(exterior.p);
        for (FdoInt32 i = 0; i < interior; i++) {
            FdoPtr<Ring> r = s->GetInteriorRing(i);
            if (!r) Throw(L"A polygon ring is null.");
            writeRing(r.p);
        }
    }

    // FGF curve body: first start, segment count, segments without starts.
    template <class C>
    void Curve(const C* c, FdoInt32 dim) {
        FdoInt32 n = c->GetCount();
        if (n < 1) Throw(L"A curve needs at least one segment.");
        FdoPtr<FdoICurveSegmentAbstract> first = c->GetItem(0);
        FdoPtr<FdoIDirectPosition> start = first->GetStartPosition();
        Position(start, dim);
        PutInt32(m_out, n);
        for (FdoInt32 i = 0; i < n; i++) {
            FdoPtr<FdoICurveSegmentAbstract> s = c->GetItem(i);
            FdoGeometryComponentType kind = s->GetDerivedType();
            PutInt32(m_out, kind);
            if (kind == FdoGeometryComponentType_CircularArcSegment) {
                auto arc = static_cast<FdoICircularArcSegment*>(s.p);
                FdoPtr<FdoIDirectPosition> mid = arc->GetMidPoint();
                FdoPtr<FdoIDirectPosition> end = arc->GetEndPosition();
                Position(mid, dim);
                Position(end, dim);
            } else if (kind == FdoGeometryComponentType_LineStringSegment) {
                auto line = static_cast<FdoILineStringSegment*>(s.p);
                if (line->GetCount() < 2) Throw(L"A line string segment needs at least two positions.");
                PositionList(line, dim, 1);
            } else {
                throw FdoException::Create(FdoStringP::Format(L"Unknown curve segment type %d.", kind));
            }
        }
    }

    template <class A>
    void Parts(const A* a, int depth) {
        if (depth >= kMaxNestingDepth) Throw(L"The geometry is nested too deeply.");
        FdoInt32 n = a->GetCount();
        PutInt32(m_out, n);
        for (FdoInt32 i = 0; i < n; i++) {
            FdoPtr<FdoIGeometry> part = a->GetItem(i);
            Geometry(part, depth + 1);
        }
    }

    Bytes& m_out;
};

}  // namespace

void WriteFgf(const FdoIGeometry* g, std::vector<FdoByte>& out) {
    out.clear();
    FgfWriter(out).Geometry(g, 0);
}

}  // namespace fdogeom
