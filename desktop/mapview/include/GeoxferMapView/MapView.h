// A map of the rows a query read: draws each feature's geometry in the
// class's own coordinates (Y up), with panning by mouse drag, zooming by
// the wheel around the cursor, zoom to the extent of all features, and the
// selected feature drawn on top in a highlight colour. A click on a
// feature reports its index, so a table beside the map can follow.
//
// All features are painted once into a cached image for the current view;
// a drag only moves that image, and the highlight is painted over it, so
// selecting a row or dragging never repaints 100,000 features.
#pragma once

#include <GeoxferMapView/MapFeature.h>

#include <QImage>
#include <QTransform>
#include <QWidget>

class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);

    // Replaces the features (index = row order) and zooms to their extent.
    void SetFeatures(QVector<MapFeature> features);
    // Translates FGF rows first; an empty array is a row without geometry.
    // Returns the number of rows whose bytes could not be read.
    int SetFgfRows(const QVector<QByteArray>& rows);
    void Clear();
    qsizetype FeatureCount() const { return m_features.size(); }
    // Extent of all non-empty features; null when there are none.
    QRectF Extent() const { return m_extent; }

    void SetSelected(int index);  // -1: none
    int Selected() const { return m_selected; }

    void ZoomToExtent();
    void ZoomBy(double factor, QPointF screenAt);
    void PanBy(QPointF screenDelta);
    QTransform WorldToScreen() const;
    // Index of the feature under a screen point (topmost first), or -1.
    int FeatureAt(QPointF screenAt) const;

    // Paints every feature for the current view into an image of the
    // widget's size, as the widget's cache does; the benchmark times this.
    QImage RenderAll() const;

signals:
    void FeatureClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Invalidate();

    QVector<MapFeature> m_features;
    QRectF m_extent;
    int m_selected = -1;
    QPointF m_center;        // world point at the widget's centre
    double m_scale = 1.0;    // pixels per world unit
    bool m_fitted = true;    // showing the whole extent, not moved since
    QSize m_fitSize;         // the size it was fitted to
    QImage m_cache;
    bool m_cacheValid = false;
    bool m_dragging = false;
    bool m_dragMoved = false;
    QPointF m_dragStart;
    QPointF m_dragOffset;
};
