// MapViewBench: times the map view on 100,000 features: translating their
// FGF into paths, painting all of them for the view zoomed to extent, and
// painting again after a zoom in (most features culled). The features are
// polygons of 12 vertices in a 400 x 250 grid of parcels, like a cadastre,
// plus a line and a point every tenth row.
//
//   MapViewBench [features] [out.png]     (QT_QPA_PLATFORM=offscreen)
#include "../desktop/mapview/tests/FgfTestBytes.h"

#include <GeoxferMapView/MapView.h>

#include <QApplication>

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

QVector<QByteArray> Parcels(int count)
{
    QVector<QByteArray> rows;
    rows.reserve(count);
    const int columns = 400;
    for (int i = 0; i < count; i++) {
        double cx = 500000 + (i % columns) * 25.0, cy = 6200000 + (i / columns) * 25.0;
        if (i % 10 == 9) {
            rows.append(i % 20 == 19 ? FgfTest::Point({cx, cy})
                                     : FgfTest::LineString({{cx - 10, cy - 10}, {cx, cy + 5}, {cx + 10, cy - 10}}));
            continue;
        }
        QVector<QPointF> ring;
        for (int k = 0; k < 12; k++) {
            double t = k * 2 * M_PI / 12, r = 9 + 2 * std::sin(3 * t + i);
            ring.append({cx + r * std::cos(t), cy + r * std::sin(t)});
        }
        ring.append(ring.first());
        rows.append(FgfTest::Polygon({ring}));
    }
    return rows;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QVector<QByteArray> rows = Parcels(count);

    MapView view;
    view.resize(1000, 700);
    auto t0 = std::chrono::steady_clock::now();
    int bad = view.SetFgfRows(rows);
    double translate = Seconds(t0);

    t0 = std::chrono::steady_clock::now();
    QImage whole = view.RenderAll();
    double paintAll = Seconds(t0);

    view.ZoomBy(8, QPointF(500, 350));
    t0 = std::chrono::steady_clock::now();
    QImage zoomed = view.RenderAll();
    double paintZoomed = Seconds(t0);

    view.ZoomToExtent();
    view.SetSelected(count / 2);
    t0 = std::chrono::steady_clock::now();
    view.grab();  // first paint fills the cache
    double firstPaint = Seconds(t0);
    view.SetSelected(count / 3);
    t0 = std::chrono::steady_clock::now();
    view.grab();  // selection change: cached image plus the highlight
    double reselect = Seconds(t0);

    std::printf("features %d (bad %d)\n", count, bad);
    std::printf("translate FGF to paths   %.3f s\n", translate);
    std::printf("paint all, whole extent  %.3f s\n", paintAll);
    std::printf("paint after zoom in x8   %.3f s\n", paintZoomed);
    std::printf("first widget paint       %.3f s\n", firstPaint);
    std::printf("repaint after selection  %.3f s\n", reselect);
    std::printf("translate + first paint  %.3f s\n", translate + firstPaint);
    if (argc > 2) whole.save(QString::fromLocal8Bit(argv[2]));
    return bad == 0 ? 0 : 1;
}
