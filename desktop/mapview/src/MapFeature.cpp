// FGF reader for drawing. The layout: every geometry starts with an int32
// type; non-aggregates then carry an int32 dimensionality (XY 0, Z 1, M 2,
// ZM 3) that sets the stride of their positions; aggregates carry a count
// of whole sub-geometries. Curves store a start position and segments
// (arc: two more positions; line string: a count and positions). Only X
// and Y are kept. Arcs are sampled along their circle so that round shapes
// look round at any zoom.
#include <GeoxferMapView/MapFeature.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

namespace {

enum : qint32 {
    kPoint = 1, kLineString = 2, kPolygon = 3, kMultiPoint = 4, kMultiLineString = 5,
    kMultiPolygon = 6, kMultiGeometry = 7, kCurveString = 10, kCurvePolygon = 11,
    kMultiCurveString = 12, kMultiCurvePolygon = 13,
    kArcSegment = 129, kLineStringSegment = 130,
};

class FgfReader {
public:
    FgfReader(const QByteArray& bytes, MapFeature& out) : m_data(bytes.constData()), m_size(bytes.size()), m_out(out) {}

    void Run()
    {
        Geometry(0);
        if (m_pos != m_size) Fail("trailing bytes after the geometry");
    }

private:
    [[noreturn]] void Fail(const char* what) const
    {
        throw std::runtime_error(QStringLiteral("bad FGF at byte %1: %2").arg(m_pos).arg(QLatin1String(what)).toStdString());
    }
    void Need(qsizetype n) const
    {
        if (n < 0 || m_size - m_pos < n) Fail("truncated");
    }
    qint32 Int32()
    {
        Need(4);
        qint32 v;
        std::memcpy(&v, m_data + m_pos, 4);
        m_pos += 4;
        return v;
    }
    // A count whose items take at least itemBytes each must fit the rest.
    qint32 Count(qsizetype itemBytes)
    {
        qint32 n = Int32();
        if (n < 0 || static_cast<qsizetype>(n) * itemBytes > m_size - m_pos) Fail("count larger than the data");
        return n;
    }
    int Stride()
    {
        qint32 dim = Int32();
        if (dim < 0 || dim > 3) Fail("unknown dimensionality");
        return 2 + (dim & 1) + ((dim >> 1) & 1);
    }
    QPointF Position(int stride)
    {
        Need(qsizetype(stride) * 8);
        double xy[2];
        std::memcpy(xy, m_data + m_pos, 16);
        m_pos += qsizetype(stride) * 8;
        return {xy[0], xy[1]};
    }
    void PositionList(int stride, QVector<QPolygonF>& into)
    {
        qint32 n = Count(qsizetype(stride) * 8);
        QPolygonF list;
        list.reserve(n);
        for (qint32 i = 0; i < n; i++) list.append(Position(stride));
        if (n > 0) into.append(std::move(list));
    }
    static void Arc(QPolygonF& path, QPointF a, QPointF b, QPointF c)
    {
        // Circle through three points; collinear points are a straight line.
        double d = 2 * (a.x() * (b.y() - c.y()) + b.x() * (c.y() - a.y()) + c.x() * (a.y() - b.y()));
        if (std::abs(d) < 1e-300) { path << b << c; return; }
        double a2 = a.x() * a.x() + a.y() * a.y(), b2 = b.x() * b.x() + b.y() * b.y(), c2 = c.x() * c.x() + c.y() * c.y();
        QPointF o((a2 * (b.y() - c.y()) + b2 * (c.y() - a.y()) + c2 * (a.y() - b.y())) / d,
                  (a2 * (c.x() - b.x()) + b2 * (a.x() - c.x()) + c2 * (b.x() - a.x())) / d);
        double r = std::hypot(a.x() - o.x(), a.y() - o.y());
        double t0 = std::atan2(a.y() - o.y(), a.x() - o.x());
        double t1 = std::atan2(b.y() - o.y(), b.x() - o.x());
        double t2 = std::atan2(c.y() - o.y(), c.x() - o.x());
        constexpr double kTau = 2 * std::numbers::pi;
        auto ccw = [&](double from, double to) { double s = std::fmod(to - from, kTau); return s < 0 ? s + kTau : s; };
        double sweep = ccw(t0, t2);
        if (ccw(t0, t1) > sweep) sweep -= kTau;  // the middle point lies the other way round
        const int steps = 32;
        for (int i = 1; i < steps; i++) {
            double t = t0 + sweep * i / steps;
            path.append(QPointF(o.x() + r * std::cos(t), o.y() + r * std::sin(t)));
        }
        path.append(c);
    }
    void Curve(int stride, QVector<QPolygonF>& into)
    {
        QPointF start = Position(stride);
        QPolygonF path;
        path.append(start);
        qint32 n = Count(8);
        for (qint32 i = 0; i < n; i++) {
            qint32 kind = Int32();
            if (kind == kArcSegment) {
                QPointF mid = Position(stride), end = Position(stride);
                Arc(path, start, mid, end);
                start = end;
            } else if (kind == kLineStringSegment) {
                qint32 k = Count(qsizetype(stride) * 8);
                for (qint32 j = 0; j < k; j++) { start = Position(stride); path.append(start); }
            } else {
                Fail("unknown curve segment type");
            }
        }
        into.append(std::move(path));
    }
    void Geometry(int depth)
    {
        if (depth > 2) Fail("aggregates nested too deep");
        qint32 type = Int32();
        switch (type) {
            case kPoint: { int s = Stride(); m_out.points.append(Position(s)); return; }
            case kLineString: { int s = Stride(); PositionList(s, m_out.lines); return; }
            case kPolygon: {
                int s = Stride();
                qint32 rings = Count(4);
                for (qint32 r = 0; r < rings; r++) PositionList(s, m_out.rings);
                return;
            }
            case kCurveString: { int s = Stride(); Curve(s, m_out.lines); return; }
            case kCurvePolygon: {
                int s = Stride();
                qint32 rings = Count(8);
                for (qint32 r = 0; r < rings; r++) Curve(s, m_out.rings);
                return;
            }
            case kMultiPoint: case kMultiLineString: case kMultiPolygon: case kMultiGeometry:
            case kMultiCurveString: case kMultiCurvePolygon: {
                qint32 n = Count(8);
                for (qint32 i = 0; i < n; i++) Geometry(depth + 1);
                return;
            }
            default: Fail("unknown geometry type");
        }
    }

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    MapFeature& m_out;
};

}  // namespace

bool MapFeature::FromFgf(const QByteArray& fgf, MapFeature& feature, QString* error)
{
    feature = MapFeature();
    try {
        FgfReader(fgf, feature).Run();
    } catch (const std::runtime_error& e) {
        feature = MapFeature();
        if (error) *error = QString::fromStdString(e.what());
        return false;
    }
    // QRectF::united drops zero-sized rectangles, so a lone point or a
    // vertical line would vanish from the bounds: keep the corners by hand.
    double minX = qInf(), minY = qInf(), maxX = -qInf(), maxY = -qInf();
    auto add = [&](QPointF p) {
        minX = std::min(minX, p.x()); maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y()); maxY = std::max(maxY, p.y());
    };
    for (const QVector<QPolygonF>* lists : {&feature.lines, &feature.rings})
        for (const QPolygonF& list : *lists)
            for (const QPointF& p : list) add(p);
    for (const QPointF& p : feature.points) add(p);
    QRectF box;
    if (minX <= maxX) box = QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
    feature.bounds = box;
    return true;
}

bool MapFeature::AreaContains(QPointF p) const
{
    int inside = 0;
    for (const QPolygonF& ring : rings)
        if (ring.containsPoint(p, Qt::OddEvenFill)) inside++;
    return inside % 2 == 1;
}
