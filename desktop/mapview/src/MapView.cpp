#include <GeoxferMapView/MapView.h>

#include <QMouseEvent>
#include <QPainterPath>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBackground(250, 250, 247);
const QColor kFill(176, 203, 228);
const QColor kOutline(38, 76, 128);
const QColor kHighlight(230, 80, 20);
const QColor kHighlightFill(255, 170, 60, 140);
constexpr double kPointSize = 5.0;
constexpr double kPickTolerance = 4.0;  // pixels

// Draws one feature, mapping its lists to the screen; features smaller
// than a pixel become a dot, which looks the same and costs far less.
// Maps a list to the screen, dropping points within half a pixel of the
// last one kept: a zoomed-out view of detailed data then draws a few
// points per feature instead of thousands, and looks the same.
const QPolygonF& ToScreen(const QPolygonF& world, const QTransform& xf)
{
    static thread_local QPolygonF out;
    out.clear();
    out.reserve(world.size());
    const double m11 = xf.m11(), m22 = xf.m22(), dx = xf.dx(), dy = xf.dy();  // scale and shift only
    QPointF last(qInf(), qInf());
    for (qsizetype i = 0, n = world.size(); i < n; i++) {
        QPointF s(world[i].x() * m11 + dx, world[i].y() * m22 + dy);
        if (i + 1 < n && qAbs(s.x() - last.x()) < 0.5 && qAbs(s.y() - last.y()) < 0.5) continue;
        out.append(s);
        last = s;
    }
    return out;
}

// A null visible rectangle draws the feature wherever it is.
void DrawFeature(QPainter& p, const MapFeature& f, const QTransform& xf, const QRectF* visible,
                 const QPen& pen, const QBrush& fill)
{
    const QRectF& b = f.bounds;
    if (visible && (b.right() < visible->left() || b.left() > visible->right() ||
                    b.bottom() < visible->top() || b.top() > visible->bottom()))
        return;
    QRectF screen = xf.mapRect(f.bounds);
    p.setPen(pen);
    if (!f.rings.isEmpty() || !f.lines.isEmpty()) {
        if (screen.width() < 1.0 && screen.height() < 1.0) {
            p.drawPoint(screen.center());
        } else {
            if (f.rings.size() == 1) {
                p.setBrush(fill);
                p.drawPolygon(ToScreen(f.rings.front(), xf), Qt::OddEvenFill);
            } else if (!f.rings.isEmpty()) {
                QPainterPath path;
                path.setFillRule(Qt::OddEvenFill);
                for (const QPolygonF& ring : f.rings) {
                    path.addPolygon(ToScreen(ring, xf));
                    path.closeSubpath();
                }
                p.setBrush(fill);
                p.drawPath(path);
            }
            for (const QPolygonF& line : f.lines) p.drawPolyline(ToScreen(line, xf));
        }
    }
    if (!f.points.isEmpty()) {
        p.setBrush(fill);
        for (const QPointF& pt : f.points) {
            QPointF s = xf.map(pt);
            p.drawRect(QRectF(s.x() - kPointSize / 2, s.y() - kPointSize / 2, kPointSize, kPointSize));
        }
    }
}

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 120);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapView::SetFeatures(QVector<MapFeature> features)
{
    m_features = std::move(features);
    m_selected = -1;
    double minX = qInf(), minY = qInf(), maxX = -qInf(), maxY = -qInf();
    for (const MapFeature& f : m_features) {
        if (f.IsEmpty()) continue;
        minX = std::min(minX, f.bounds.left());
        maxX = std::max(maxX, f.bounds.right());
        minY = std::min(minY, f.bounds.top());
        maxY = std::max(maxY, f.bounds.bottom());
    }
    m_extent = minX <= maxX ? QRectF(QPointF(minX, minY), QPointF(maxX, maxY)) : QRectF();
    ZoomToExtent();
}

int MapView::SetFgfRows(const QVector<QByteArray>& rows)
{
    QVector<MapFeature> features(rows.size());
    int bad = 0;
    for (qsizetype i = 0; i < rows.size(); i++)
        if (!rows[i].isEmpty() && !MapFeature::FromFgf(rows[i], features[i])) bad++;
    SetFeatures(std::move(features));
    return bad;
}

void MapView::Clear()
{
    SetFeatures({});
}

void MapView::SetSelected(int index)
{
    int next = index >= 0 && index < m_features.size() ? index : -1;
    if (next == m_selected) return;
    m_selected = next;
    update();  // the cache stays: only the highlight changes
}

void MapView::ZoomToExtent()
{
    m_center = m_extent.center();
    double w = std::max(m_extent.width(), 0.0), h = std::max(m_extent.height(), 0.0);
    const double margin = 0.95;
    double sx = w > 0 ? width() * margin / w : qInf();
    double sy = h > 0 ? height() * margin / h : qInf();
    m_scale = std::min(sx, sy);
    if (!std::isfinite(m_scale) || m_scale <= 0) m_scale = 1.0;  // one point, or nothing at all
    m_fitted = true;
    m_fitSize = size();
    Invalidate();
}

void MapView::ZoomBy(double factor, QPointF screenAt)
{
    if (!(factor > 0) || !std::isfinite(factor)) return;
    QPointF world = WorldToScreen().inverted().map(screenAt);
    m_scale = std::clamp(m_scale * factor, 1e-12, 1e12);
    m_fitted = false;
    // Keep the world point under the cursor where it was.
    m_center = QPointF(world.x() - (screenAt.x() - width() / 2.0) / m_scale,
                       world.y() + (screenAt.y() - height() / 2.0) / m_scale);
    Invalidate();
}

void MapView::PanBy(QPointF screenDelta)
{
    m_center -= QPointF(screenDelta.x() / m_scale, -screenDelta.y() / m_scale);
    m_fitted = false;
    Invalidate();
}

QTransform MapView::WorldToScreen() const
{
    QTransform xf;
    xf.translate(width() / 2.0, height() / 2.0);
    xf.scale(m_scale, -m_scale);
    xf.translate(-m_center.x(), -m_center.y());
    return xf;
}

int MapView::FeatureAt(QPointF screenAt) const
{
    QTransform xf = WorldToScreen();
    QPointF world = xf.inverted().map(screenAt);
    double tol = kPickTolerance / m_scale;
    QRectF probe(world.x() - tol, world.y() - tol, 2 * tol, 2 * tol);
    for (qsizetype i = m_features.size() - 1; i >= 0; i--) {
        const MapFeature& f = m_features[i];
        if (f.IsEmpty() || !f.bounds.adjusted(-tol, -tol, tol, tol).contains(world)) continue;
        if (f.AreaContains(world)) return int(i);
        for (const QPolygonF& line : f.lines)
            for (qsizetype e = 1; e < line.size(); e++) {
                QPointF pa = line[e - 1], d = line[e] - pa;
                double len2 = QPointF::dotProduct(d, d);
                double t = len2 > 0 ? std::clamp(QPointF::dotProduct(world - pa, d) / len2, 0.0, 1.0) : 0.0;
                QPointF near = pa + t * d;
                if (std::hypot(near.x() - world.x(), near.y() - world.y()) <= tol) return int(i);
            }
        for (const QPointF& p : f.points)
            if (probe.contains(p)) return int(i);
    }
    return -1;
}

QImage MapView::RenderAll() const
{
    qreal dpr = devicePixelRatioF();
    QImage image(QSize(std::max(1, int(width() * dpr)), std::max(1, int(height() * dpr))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(kBackground);
    if (m_features.isEmpty()) return image;
    QPainter p(&image);
    QTransform xf = WorldToScreen();
    QRectF visible = xf.inverted().mapRect(QRectF(rect()));
    QPen pen(kOutline, 0);  // cosmetic: one pixel at any zoom
    QBrush fill(kFill);
    for (const MapFeature& f : m_features)
        if (!f.IsEmpty()) DrawFeature(p, f, xf, &visible, pen, fill);
    return image;
}

void MapView::Invalidate()
{
    m_cacheValid = false;
    update();
}

void MapView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_extent.isNull() && m_features.isEmpty()) {
        p.fillRect(rect(), kBackground);
        return;
    }
    // Hidden widgets get a resize event on every grab, so the image's own
    // size, not the event, tells whether it must be painted again.
    if (!m_cacheValid || m_cache.deviceIndependentSize() != QSizeF(size())) {
        m_cache = RenderAll();
        m_cacheValid = true;
    }
    p.fillRect(rect(), kBackground);
    p.drawImage(m_dragOffset, m_cache);
    if (m_selected >= 0) {
        QTransform xf = WorldToScreen();
        xf *= QTransform::fromTranslate(m_dragOffset.x(), m_dragOffset.y());
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(kHighlight, 2.5);
        pen.setCosmetic(true);
        DrawFeature(p, m_features[m_selected], xf, nullptr, pen,
                    QBrush(kHighlightFill));
        // A feature smaller than a pixel is still found: ring it.
        QRectF s = xf.mapRect(m_features[m_selected].bounds);
        if (s.width() < 6 && s.height() < 6) {
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(s.center(), 8, 8);
        }
    }
}

void MapView::resizeEvent(QResizeEvent* event)
{
    // Rows are often set before the pane is laid out: a view the user has
    // not moved yet keeps showing the whole extent.
    if (m_fitted && event->size() != m_fitSize) ZoomToExtent();
    update();  // paintEvent sees whether the image still fits
}

void MapView::wheelEvent(QWheelEvent* event)
{
    double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) ZoomBy(std::pow(1.25, steps), event->position());
    event->accept();
}

void MapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    m_dragging = true;
    m_dragMoved = false;
    m_dragStart = event->position();
    m_dragOffset = QPointF();
}

void MapView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) return;
    m_dragOffset = event->position() - m_dragStart;
    if (m_dragOffset.manhattanLength() > 3) m_dragMoved = true;
    update();  // moves the cached image only
}

void MapView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) return;
    m_dragging = false;
    QPointF delta = event->position() - m_dragStart;
    m_dragOffset = QPointF();
    if (m_dragMoved) {
        PanBy(delta);
        return;
    }
    update();
    int hit = FeatureAt(event->position());
    if (hit >= 0) {
        SetSelected(hit);
        emit FeatureClicked(hit);
    }
}
