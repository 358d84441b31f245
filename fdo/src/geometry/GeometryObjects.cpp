// Shared pieces of the geometry objects: positions, position lists,
// segment chains, and the derived outputs every geometry gets through its
// FGF bytes (envelope and text).
#include "GeometryImpl.h"

#include "ArcMath.h"
#include "ByteCursor.h"

#include <cmath>
#include <limits>

namespace fdogeom {

namespace {
constexpr FdoDouble kNaN = std::numeric_limits<FdoDouble>::quiet_NaN();

FdoIEnvelope* ToEnvelope(const FdoFgfBounds& b) {
    return FdoEnvelopeImpl::Create(b.minX, b.minY, b.minZ, b.maxX, b.maxY, b.maxZ);
}

bool SamePosition(const FdoDouble* a, const FdoDouble* b, FdoInt32 dim) {
    return a[0] == b[0] && a[1] == b[1] && (!(dim & FdoDimensionality_Z) || a[2] == b[2]);
}
}  // namespace

void Throw(const wchar_t* message) { throw FdoException::Create(message); }

void CheckDim(FdoInt32 dim) {
    if (dim < 0 || dim > 3)
        throw FdoException::Create(FdoStringP::Format(L"Invalid dimensionality %d.", dim));
}

FdoIDirectPosition* MakePosition(FdoInt32 dim, const FdoDouble* p) {
    FdoDouble z = (dim & FdoDimensionality_Z) ? p[2] : kNaN;
    FdoDouble m = (dim & FdoDimensionality_M) ? p[Stride(dim) - 1] : kNaN;
    return FdoDirectPositionImpl::Create(p[0], p[1], z, m, dim);
}

void LoadPosition(const FdoIDirectPosition* p, FdoInt32 dim, FdoDouble* out) {
    FdoInt32 has = p->GetDimensionality();
    int i = 0;
    out[i++] = p->GetX();
    out[i++] = p->GetY();
    if (dim & FdoDimensionality_Z) out[i++] = (has & FdoDimensionality_Z) ? p->GetZ() : 0.0;
    if (dim & FdoDimensionality_M) out[i++] = (has & FdoDimensionality_M) ? p->GetM() : 0.0;
}

FdoIEnvelope* EnvelopeOf(const FdoIGeometry* g) {
    std::vector<FdoByte> fgf;
    WriteFgf(g, fgf);
    return ToEnvelope(FdoFgfBounds::Compute(fgf.data(), static_cast<FdoInt32>(fgf.size())));
}

std::wstring TextOf(const FdoIGeometry* g) {
    std::vector<FdoByte> fgf;
    WriteFgf(g, fgf);
    return FgfToText(fgf.data(), fgf.size());
}

// ------------------------------------------------------------ PositionList

PositionList::PositionList(FdoInt32 dim, std::vector<FdoDouble>&& ords) : m_dim(dim), m_ords(std::move(ords)) {
    CheckDim(dim);
    if (m_ords.size() % static_cast<size_t>(Stride()) != 0)
        Throw(L"The number of ordinates does not match the dimensionality.");
}

const FdoDouble* PositionList::At(FdoInt32 index) const {
    if (index < 0 || index >= Count()) Throw(L"Item index out of bounds.");
    return m_ords.data() + static_cast<size_t>(index) * static_cast<size_t>(Stride());
}

void PositionList::ItemByMembers(FdoInt32 index, FdoDouble* x, FdoDouble* y, FdoDouble* z, FdoDouble* m,
                                 FdoInt32* dim) const {
    const FdoDouble* p = At(index);
    if (x) *x = p[0];
    if (y) *y = p[1];
    if (z) *z = (m_dim & FdoDimensionality_Z) ? p[2] : kNaN;
    if (m) *m = (m_dim & FdoDimensionality_M) ? p[Stride() - 1] : kNaN;
    if (dim) *dim = m_dim;
}

FdoDirectPositionCollection* PositionList::Positions() const {
    FdoPtr<FdoDirectPositionCollection> c = FdoDirectPositionCollection::Create();
    for (FdoInt32 i = 0; i < Count(); i++) {
        FdoPtr<FdoIDirectPosition> p = Item(i);
        c->Add(p);
    }
    return c.Detach();
}

FdoIEnvelope* PositionList::Envelope() const {
    FdoFgfBounds b;
    for (FdoInt32 i = 0; i < Count(); i++) AddPosition(b, At(i), m_dim);
    return ToEnvelope(b);
}

bool PositionList::IsClosed() const {
    return Count() > 0 && SamePosition(At(0), At(Count() - 1), m_dim);
}

std::vector<FdoDouble> PositionList::FromCollection(FdoDirectPositionCollection* positions, FdoInt32* dim) {
    if (!positions) Throw(L"The position collection is null.");
    std::vector<FdoDouble> ords;
    *dim = FdoDimensionality_XY;
    FdoInt32 n = positions->GetCount();
    for (FdoInt32 i = 0; i < n; i++) {
        FdoPtr<FdoIDirectPosition> p = positions->GetItem(i);
        if (!p) Throw(L"The position collection holds a null position.");
        if (i == 0) {
            *dim = p->GetDimensionality();
            CheckDim(*dim);
            ords.reserve(static_cast<size_t>(n) * static_cast<size_t>(Stride(*dim)));
        } else if (p->GetDimensionality() != *dim) {
            Throw(L"The positions of a geometry must have one dimensionality.");
        }
        FdoDouble buf[4];
        LoadPosition(p, *dim, buf);
        ords.insert(ords.end(), buf, buf + Stride(*dim));
    }
    return ords;
}

std::vector<FdoDouble> PositionList::FromArray(FdoInt32 dim, FdoInt32 numOrdinates, const FdoDouble* ords) {
    CheckDim(dim);
    if (numOrdinates < 0 || numOrdinates % Stride(dim) != 0)
        throw FdoException::Create(FdoStringP::Format(
            L"%d ordinates do not make whole positions of dimensionality %d.", numOrdinates, dim));
    if (numOrdinates > 0 && !ords) Throw(L"The ordinate array is null.");
    return std::vector<FdoDouble>(ords, ords + numOrdinates);
}

// ------------------------------------------------------------ simple kinds

PointImpl* PointImpl::Create(FdoInt32 dim, const FdoDouble* ords) {
    CheckDim(dim);
    if (!ords) Throw(L"The ordinate array is null.");
    PointImpl* p = new PointImpl();
    p->m_dim = dim;
    for (int i = 0; i < Stride(dim); i++) p->m_ords[i] = ords[i];
    return p;
}

void PointImpl::GetPositionByMembers(FdoDouble* x, FdoDouble* y, FdoDouble* z, FdoDouble* m,
                                     FdoInt32* dim) const {
    if (x) *x = m_ords[0];
    if (y) *y = m_ords[1];
    if (z) *z = (m_dim & FdoDimensionality_Z) ? m_ords[2] : kNaN;
    if (m) *m = (m_dim & FdoDimensionality_M) ? m_ords[Stride(m_dim) - 1] : kNaN;
    if (dim) *dim = m_dim;
}

LineStringImpl* LineStringImpl::Create(FdoInt32 dim, std::vector<FdoDouble>&& ords) {
    return new LineStringImpl(dim, std::move(ords));
}

LinearRingImpl* LinearRingImpl::Create(FdoInt32 dim, std::vector<FdoDouble>&& ords) {
    return new LinearRingImpl(dim, std::move(ords));
}

LineStringSegmentImpl* LineStringSegmentImpl::Create(FdoInt32 dim, std::vector<FdoDouble>&& ords) {
    CheckDim(dim);
    if (ords.size() < 2 * static_cast<size_t>(Stride(dim)))
        Throw(L"A line string segment needs at least two positions.");
    return new LineStringSegmentImpl(dim, std::move(ords));
}

ArcSegmentImpl* ArcSegmentImpl::Create(FdoInt32 dim, std::vector<FdoDouble>&& ords) {
    CheckDim(dim);
    if (ords.size() != 3 * static_cast<size_t>(Stride(dim)))
        Throw(L"A circular arc segment needs a start, a mid and an end position.");
    return new ArcSegmentImpl(dim, std::move(ords));
}

FdoIEnvelope* ArcSegmentImpl::GetEnvelope() const {
    FdoFgfBounds b;
    AddArc(b, m_list.At(0), m_list.At(1), m_list.At(2), m_list.Dim());
    return ToEnvelope(b);
}

// ------------------------------------------------------------ SegmentChain

SegmentChain::SegmentChain(SegmentList&& segments) : m_segments(std::move(segments)) {
    if (m_segments.empty()) Throw(L"A curve needs at least one segment.");
    for (size_t i = 0; i < m_segments.size(); i++) {
        if (!m_segments[i]) Throw(L"A curve segment is null.");
        FdoInt32 d = m_segments[i]->GetDimensionality();
        if (i == 0) m_dim = d;
        else if (d != m_dim) Throw(L"The segments of a curve must have one dimensionality.");
    }
}

FdoICurveSegmentAbstract* SegmentChain::Item(FdoInt32 index) const {
    if (index < 0 || index >= Count()) Throw(L"Item index out of bounds.");
    return FDO_SAFE_ADDREF(m_segments[static_cast<size_t>(index)].p);
}

FdoCurveSegmentCollection* SegmentChain::Collection() const {
    FdoPtr<FdoCurveSegmentCollection> c = FdoCurveSegmentCollection::Create();
    for (auto& s : m_segments) c->Add(s);
    return c.Detach();
}

bool SegmentChain::IsClosed() const {
    FdoPtr<FdoIDirectPosition> s = Start();
    FdoPtr<FdoIDirectPosition> e = End();
    FdoDouble a[4], b[4];
    LoadPosition(s, m_dim, a);
    LoadPosition(e, m_dim, b);
    return SamePosition(a, b, m_dim);
}

FdoIEnvelope* SegmentChain::Envelope() const {
    FdoPtr<FdoEnvelopeImpl> env = FdoEnvelopeImpl::Create();
    for (auto& s : m_segments) {
        FdoPtr<FdoIEnvelope> e = s->GetEnvelope();
        env->Expand(e);
    }
    return env.Detach();
}

}  // namespace fdogeom
