// One feature's geometry ready to draw: FGF bytes turned once into a
// QPainterPath in class coordinates (lines and polygon rings) plus the
// point positions, which are drawn as fixed-size markers in screen space.
// Converting once when the rows are read keeps repaints of 100,000
// features to painting alone.
#pragma once

#include <QByteArray>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

struct MapFeature {
    QPainterPath lines;     // line strings and curves; not filled
    QPainterPath areas;     // polygon rings; filled odd-even
    QVector<QPointF> points;
    QRectF bounds;          // of everything above; zero-sized for one point

    bool IsEmpty() const { return lines.isEmpty() && areas.isEmpty() && points.isEmpty(); }

    // Translates FGF bytes. Bad bytes (truncated, unknown type, absurd
    // counts, nesting deeper than FGF allows) leave the feature empty and
    // return false with a message naming what is wrong in *error.
    static bool FromFgf(const QByteArray& fgf, MapFeature& feature, QString* error = nullptr);
};
