// Builds FGF bytes for the map tests and the benchmark: XY only unless a
// stride is given, little-endian as on every host the program runs on.
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QVector>

#include <cstring>

namespace FgfTest {

inline void Int(QByteArray& b, qint32 v) { b.append(reinterpret_cast<const char*>(&v), 4); }
inline void Dbl(QByteArray& b, double v) { b.append(reinterpret_cast<const char*>(&v), 8); }
inline void Pos(QByteArray& b, QPointF p, int stride = 2)
{
    Dbl(b, p.x());
    Dbl(b, p.y());
    for (int i = 2; i < stride; i++) Dbl(b, 7.0);
}
inline int DimFor(int stride) { return stride == 2 ? 0 : stride == 3 ? 1 : 3; }

inline QByteArray Point(QPointF p, int stride = 2)
{
    QByteArray b;
    Int(b, 1);
    Int(b, DimFor(stride));
    Pos(b, p, stride);
    return b;
}
inline QByteArray LineString(const QVector<QPointF>& pts)
{
    QByteArray b;
    Int(b, 2);
    Int(b, 0);
    Int(b, qint32(pts.size()));
    for (QPointF p : pts) Pos(b, p);
    return b;
}
inline QByteArray Polygon(const QVector<QVector<QPointF>>& rings, int stride = 2)
{
    QByteArray b;
    Int(b, 3);
    Int(b, DimFor(stride));
    Int(b, qint32(rings.size()));
    for (const auto& ring : rings) {
        Int(b, qint32(ring.size()));
        for (QPointF p : ring) Pos(b, p, stride);
    }
    return b;
}
inline QByteArray Box(double x0, double y0, double x1, double y1)
{
    return Polygon({{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}});
}
inline QByteArray Multi(qint32 type, const QVector<QByteArray>& parts)
{
    QByteArray b;
    Int(b, type);
    Int(b, qint32(parts.size()));
    for (const QByteArray& p : parts) b.append(p);
    return b;
}
// A curve string of one arc segment from a through m to e.
inline QByteArray Arc(QPointF a, QPointF m, QPointF e)
{
    QByteArray b;
    Int(b, 10);
    Int(b, 0);
    Pos(b, a);
    Int(b, 1);
    Int(b, 129);
    Pos(b, m);
    Pos(b, e);
    return b;
}

}  // namespace FgfTest
