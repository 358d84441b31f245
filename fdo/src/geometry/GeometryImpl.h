// The geometry objects behind the public interfaces.
//
// Each object holds its values (flat ordinate arrays, child references) and
// nothing else; FGF, WKB, text and envelopes are derived on demand through
// the byte codecs, so every form of output has exactly one implementation.
// Create functions check what the interfaces cannot: one dimensionality per
// geometry, no missing parts.
#pragma once

#include <Fdo/Geometry/Aggregate.h>

#include <string>
#include <vector>

namespace fdogeom {

FdoIDirectPosition* MakePosition(FdoInt32 dim, const FdoDouble* ords);
// X Y [Z] [M] of the position in the layout dim asks for (missing ones 0).
void LoadPosition(const FdoIDirectPosition* p, FdoInt32 dim, FdoDouble* out);
void CheckDim(FdoInt32 dim);
[[noreturn]] void Throw(const wchar_t* message);

FdoIEnvelope* EnvelopeOf(const FdoIGeometry* g);
std::wstring TextOf(const FdoIGeometry* g);

// An ordered list of positions stored as one flat ordinate array.
class PositionList {
public:
    PositionList(FdoInt32 dim, std::vector<FdoDouble>&& ords);
    FdoInt32 Dim() const { return m_dim; }
    FdoInt32 Count() const { return static_cast<FdoInt32>(m_ords.size() / static_cast<size_t>(Stride())); }
    const FdoDouble* Data() const { return m_ords.data(); }
    const FdoDouble* At(FdoInt32 index) const;  // throws on a bad index
    FdoIDirectPosition* Item(FdoInt32 index) const { return MakePosition(m_dim, At(index)); }
    void ItemByMembers(FdoInt32 index, FdoDouble* x, FdoDouble* y, FdoDouble* z, FdoDouble* m,
                       FdoInt32* dim) const;
    FdoDirectPositionCollection* Positions() const;
    FdoIEnvelope* Envelope() const;
    bool IsClosed() const;

    static std::vector<FdoDouble> FromCollection(FdoDirectPositionCollection* positions, FdoInt32* dim);
    static std::vector<FdoDouble> FromArray(FdoInt32 dim, FdoInt32 numOrdinates, const FdoDouble* ords);

private:
    int Stride() const { return 2 + (m_dim & 1) + ((m_dim >> 1) & 1); }
    static int Stride(FdoInt32 dim) { return 2 + (dim & 1) + ((dim >> 1) & 1); }
    FdoInt32 m_dim;
    std::vector<FdoDouble> m_ords;
};

template <class I, FdoGeometryType T>
class GeometryImpl : public I {
public:
    FdoGeometryType GetDerivedType() const override { return T; }
    FdoIEnvelope* GetEnvelope() const override { return EnvelopeOf(this); }
    FdoString* GetText() override {
        if (m_text.empty()) m_text = TextOf(this);
        return m_text.c_str();
    }

protected:
    void Dispose() override { delete this; }

private:
    std::wstring m_text;
};

class PointImpl : public GeometryImpl<FdoIPoint, FdoGeometryType_Point> {
public:
    static PointImpl* Create(FdoInt32 dim, const FdoDouble* ords);
    FdoInt32 GetDimensionality() const override { return m_dim; }
    FdoIDirectPosition* GetPosition() const override { return MakePosition(m_dim, m_ords); }
    void GetPositionByMembers(FdoDouble* x, FdoDouble* y, FdoDouble* z, FdoDouble* m,
                              FdoInt32* dim) const override;
    const FdoDouble* GetOrdinates() const override { return m_ords; }

private:
    PointImpl() = default;
    FdoInt32 m_dim = 0;
    FdoDouble m_ords[4] = {0, 0, 0, 0};
};

// Shared body of the three position-list kinds.
#define FDO_GEOM_POSITION_LIST_MEMBERS                                                          \
    FdoInt32 GetCount() const override { return m_list.Count(); }                               \
    FdoIDirectPosition* GetItem(FdoInt32 i) const override { return m_list.Item(i); }          \
    void GetItemByMembers(FdoInt32 i, FdoDouble* x, FdoDouble* y, FdoDouble* z, FdoDouble* m,    \
                          FdoInt32* dim) const override {                                       \
        m_list.ItemByMembers(i, x, y, z, m, dim);                                               \
    }                                                                                           \
    const FdoDouble* GetOrdinates() const override { return m_list.Data(); }                    \
    FdoDirectPositionCollection* GetPositions() const override { return m_list.Positions(); }   \
    FdoInt32 GetDimensionality() const override { return m_list.Dim(); }

class LineStringImpl : public GeometryImpl<FdoILineString, FdoGeometryType_LineString> {
public:
    static LineStringImpl* Create(FdoInt32 dim, std::vector<FdoDouble>&& ords);
    FDO_GEOM_POSITION_LIST_MEMBERS
    FdoIDirectPosition* GetStartPosition() const override { return m_list.Item(0); }
    FdoIDirectPosition* GetEndPosition() const override { return m_list.Item(m_list.Count() - 1); }
    FdoBoolean GetIsClosed() const override { return m_list.IsClosed(); }

private:
    LineStringImpl(FdoInt32 dim, std::vector<FdoDouble>&& ords) : m_list(dim, std::move(ords)) {}
    PositionList m_list;
};

class LinearRingImpl : public FdoILinearRing {
public:
    static LinearRingImpl* Create(FdoInt32 dim, std::vector<FdoDouble>&& ords);
    FDO_GEOM_POSITION_LIST_MEMBERS
    FdoIEnvelope* GetEnvelope() const override { return m_list.Envelope(); }

protected:
    void Dispose() override { delete this; }

private:
    LinearRingImpl(FdoInt32 dim, std::vector<FdoDouble>&& ords) : m_list(dim, std::move(ords)) {}
    PositionList m_list;
};

class LineStringSegmentImpl : public FdoILineStringSegment {
public:
    // ords include the start position; at least two positions.
    static LineStringSegmentImpl* Create(FdoInt32 dim, std::vector<FdoDouble>&& ords);
    FDO_GEOM_POSITION_LIST_MEMBERS
    FdoIEnvelope* GetEnvelope() const override { return m_list.Envelope(); }
    FdoIDirectPosition* GetStartPosition() const override { return m_list.Item(0); }
    FdoIDirectPosition* GetEndPosition() const override { return m_list.Item(m_list.Count() - 1); }
    FdoBoolean GetIsClosed() const override { return m_list.IsClosed(); }
    FdoGeometryComponentType GetDerivedType() const override {
        return FdoGeometryComponentType_LineStringSegment;
    }

protected:
    void Dispose() override { delete this; }

private:
    LineStringSegmentImpl(FdoInt32 dim, std::vector<FdoDouble>&& ords) : m_list(dim, std::move(ords)) {}
    PositionList m_list;
};

class ArcSegmentImpl : public FdoICircularArcSegment {
public:
    // ords: start, mid, end.
    static ArcSegmentImpl* Create(FdoInt32 dim, std::vector<FdoDouble>&& ords);
    FdoIEnvelope* GetEnvelope() const override;
    FdoIDirectPosition* GetStartPosition() const override { return m_list.Item(0); }
    FdoIDirectPosition* GetMidPoint() const override { return m_list.Item(1); }
    FdoIDirectPosition* GetEndPosition() const override { return m_list.Item(2); }
    FdoBoolean GetIsClosed() const override { return m_list.IsClosed(); }
    FdoGeometryComponentType GetDerivedType() const override {
        return FdoGeometryComponentType_CircularArcSegment;
    }
    FdoInt32 GetDimensionality() const override { return m_list.Dim(); }

protected:
    void Dispose() override { delete this; }

private:
    ArcSegmentImpl(FdoInt32 dim, std::vector<FdoDouble>&& ords) : m_list(dim, std::move(ords)) {}
    PositionList m_list;
};

using SegmentList = std::vector<FdoPtr<FdoICurveSegmentAbstract>>;

// Segments of one dimensionality, at least one.
class SegmentChain {
public:
    explicit SegmentChain(SegmentList&& segments);
    FdoInt32 Dim() const { return m_dim; }
    FdoInt32 Count() const { return static_cast<FdoInt32>(m_segments.size()); }
    FdoICurveSegmentAbstract* Item(FdoInt32 index) const;
    FdoCurveSegmentCollection* Collection() const;
    FdoIDirectPosition* Start() const { return m_segments.front()->GetStartPosition(); }
    FdoIDirectPosition* End() const { return m_segments.back()->GetEndPosition(); }
    bool IsClosed() const;
    FdoIEnvelope* Envelope() const;

private:
    SegmentList m_segments;
    FdoInt32 m_dim = 0;
};

class RingImpl : public FdoIRing {
public:
    static RingImpl* Create(SegmentList&& segments) { return new RingImpl(std::move(segments)); }
    FdoIEnvelope* GetEnvelope() const override { return m_chain.Envelope(); }
    FdoInt32 GetDimensionality() const override { return m_chain.Dim(); }
    FdoInt32 GetCount() const override { return m_chain.Count(); }
    FdoICurveSegmentAbstract* GetItem(FdoInt32 i) const override { return m_chain.Item(i); }
    FdoCurveSegmentCollection* GetCurveSegments() const override { return m_chain.Collection(); }

protected:
    void Dispose() override { delete this; }

private:
    explicit RingImpl(SegmentList&& segments) : m_chain(std::move(segments)) {}
    SegmentChain m_chain;
};

class CurveStringImpl : public GeometryImpl<FdoICurveString, FdoGeometryType_CurveString> {
public:
    static CurveStringImpl* Create(SegmentList&& segments) { return new CurveStringImpl(std::move(segments)); }
    FdoInt32 GetDimensionality() const override { return m_chain.Dim(); }
    FdoIDirectPosition* GetStartPosition() const override { return m_chain.Start(); }
    FdoIDirectPosition* GetEndPosition() const override { return m_chain.End(); }
    FdoBoolean GetIsClosed() const override { return m_chain.IsClosed(); }
    FdoInt32 GetCount() const override { return m_chain.Count(); }
    FdoICurveSegmentAbstract* GetItem(FdoInt32 i) const override { return m_chain.Item(i); }
    FdoCurveSegmentCollection* GetCurveSegments() const override { return m_chain.Collection(); }

private:
    explicit CurveStringImpl(SegmentList&& segments) : m_chain(std::move(segments)) {}
    SegmentChain m_chain;
};

// Polygon and curve polygon: rings of one dimensionality, exterior first.
template <class I, class Ring, FdoGeometryType T>
class SurfaceImpl : public GeometryImpl<I, T> {
public:
    static SurfaceImpl* Create(FdoInt32 dim, std::vector<FdoPtr<Ring>>&& rings) {
        for (auto& r : rings) {
            if (!r) Throw(L"A polygon ring is null.");
            if (r->GetDimensionality() != dim) Throw(L"The rings of a polygon must have one dimensionality.");
        }
        return new SurfaceImpl(dim, std::move(rings));
    }
    FdoInt32 GetDimensionality() const override { return m_dim; }
    Ring* GetExteriorRing() const override {
        return m_rings.empty() ? nullptr : FDO_SAFE_ADDREF(m_rings.front().p);
    }
    FdoInt32 GetInteriorRingCount() const override {
        return m_rings.empty() ? 0 : static_cast<FdoInt32>(m_rings.size()) - 1;
    }
    Ring* GetInteriorRing(FdoInt32 index) const override {
        if (index < 0 || index >= GetInteriorRingCount()) Throw(L"Item index out of bounds.");
        return FDO_SAFE_ADDREF(m_rings[static_cast<size_t>(index) + 1].p);
    }

private:
    SurfaceImpl(FdoInt32 dim, std::vector<FdoPtr<Ring>>&& rings) : m_dim(dim), m_rings(std::move(rings)) {}
    FdoInt32 m_dim;
    std::vector<FdoPtr<Ring>> m_rings;
};

using PolygonImpl = SurfaceImpl<FdoIPolygon, FdoILinearRing, FdoGeometryType_Polygon>;
using CurvePolygonImpl = SurfaceImpl<FdoICurvePolygon, FdoIRing, FdoGeometryType_CurvePolygon>;

// Aggregates; typed ones require their parts to share one dimensionality.
template <class I, class Part, FdoGeometryType T>
class AggregateImpl : public GeometryImpl<I, T> {
public:
    static AggregateImpl* Create(std::vector<FdoPtr<Part>>&& parts) {
        FdoInt32 dim = 0;
        for (size_t i = 0; i < parts.size(); i++) {
            if (!parts[i]) Throw(L"An aggregate geometry part is null.");
            FdoInt32 d = parts[i]->GetDimensionality();
            if (T != FdoGeometryType_MultiGeometry && i > 0 && d != dim)
                Throw(L"The parts of a multi-geometry of one kind must have one dimensionality.");
            dim |= d;
        }
        return new AggregateImpl(dim, std::move(parts));
    }
    FdoInt32 GetDimensionality() const override { return m_dim; }
    FdoInt32 GetCount() const override { return static_cast<FdoInt32>(m_parts.size()); }
    Part* GetItem(FdoInt32 index) const override {
        if (index < 0 || index >= GetCount()) Throw(L"Item index out of bounds.");
        return FDO_SAFE_ADDREF(m_parts[static_cast<size_t>(index)].p);
    }

private:
    AggregateImpl(FdoInt32 dim, std::vector<FdoPtr<Part>>&& parts) : m_dim(dim), m_parts(std::move(parts)) {}
    FdoInt32 m_dim;
    std::vector<FdoPtr<Part>> m_parts;
};

using MultiPointImpl = AggregateImpl<FdoIMultiPoint, FdoIPoint, FdoGeometryType_MultiPoint>;
using MultiLineStringImpl = AggregateImpl<FdoIMultiLineString, FdoILineString, FdoGeometryType_MultiLineString>;
using MultiPolygonImpl = AggregateImpl<FdoIMultiPolygon, FdoIPolygon, FdoGeometryType_MultiPolygon>;
using MultiGeometryImpl = AggregateImpl<FdoIMultiGeometry, FdoIGeometry, FdoGeometryType_MultiGeometry>;
using MultiCurveStringImpl =
    AggregateImpl<FdoIMultiCurveString, FdoICurveString, FdoGeometryType_MultiCurveString>;
using MultiCurvePolygonImpl =
    AggregateImpl<FdoIMultiCurvePolygon, FdoICurvePolygon, FdoGeometryType_MultiCurvePolygon>;

// Codecs between objects and bytes or text (see FgfWriter.cpp, FgfReader.cpp,
// GeometryTextParser.cpp, GeometryTextWriter.cpp).
void WriteFgf(const FdoIGeometry* g, std::vector<FdoByte>& out);
FdoIGeometry* ReadFgf(const FdoByte* fgf, size_t count);
void ParseText(FdoString* text, std::vector<FdoByte>& fgf);
std::wstring FgfToText(const FdoByte* fgf, size_t count);

}  // namespace fdogeom
