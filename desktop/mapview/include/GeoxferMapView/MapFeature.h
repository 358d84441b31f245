// One feature's geometry ready to draw: FGF bytes turned once into plain
// point lists in class coordinates (line strings, polygon rings, points;
// arcs already sampled). Plain lists, not painter paths: mapping a list to
// the screen and drawing it as a polygon is several times faster than
// drawing a path through a world transform, which matters at 100,000
// features. Points are drawn as fixed-size markers in screen space.
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>

struct MapFeature {
    QVector<QPolygonF> lines;  // line strings and curves; not filled
    QVector<QPolygonF> rings;  // polygon rings of all parts; filled odd-even
    QVector<QPointF> points;
    QRectF bounds;             // of everything above; zero-sized for one point

    bool IsEmpty() const { return lines.isEmpty() && rings.isEmpty() && points.isEmpty(); }
    // Inside the filled area: within an odd number of rings.
    bool AreaContains(QPointF p) const;

    // Translates FGF bytes. Bad bytes (truncated, unknown type, absurd
    // counts, nesting deeper than FGF allows) leave the feature empty and
    // return false with a message naming what is wrong in *error.
    static bool FromFgf(const QByteArray& fgf, MapFeature& feature, QString* error = nullptr);
};
