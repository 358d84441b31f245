// MapViewBench: times the map view on 100,000 features: translating their
// FGF into paths, painting all of them for the view zoomed to extent, and
// painting again after a zoom in (most features culled). The features are
// polygons of 12 vertices in a 400 x 250 grid of parcels, like a cadastre,
// plus a line and a point every tenth row. Given a shape file folder, the
// features are instead the first class's geometries, repeated side by side
// in a grid until there are enough, so the picture shows real shapes.
//
//   MapViewBench [features] [out.png] [shape folder [class]]   (QT_QPA_PLATFORM=offscreen)
#include "../desktop/mapview/tests/FgfTestBytes.h"

#include <GeoxferMapView/MapView.h>

#include <Fdo.h>

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

QVector<QByteArray> ShapeGeometries(const char* folder, const char* className)
{
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> connection = manager->CreateConnection(L"OSGeo.SHP");
    connection->SetConnectionString(FdoStringP(L"DefaultFileLocation=") + FdoStringP(folder));
    connection->Open();
    FdoPtr<FdoIGetClassNames> names = static_cast<FdoIGetClassNames*>(connection->CreateCommand(FdoCommandType_GetClassNames));
    FdoPtr<FdoStringCollection> list = names->Execute();
    QVector<QByteArray> rows;
    if (list->GetCount() == 0) return rows;
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(connection->CreateCommand(FdoCommandType_Select));
    FdoStringP name = className ? FdoStringP(className) : FdoStringP(list->GetString(0));
    select->SetFeatureClassName(name);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    FdoPtr<FdoClassDefinition> cls = reader->GetClassDefinition();
    FdoString* geometry = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty()->GetName();
    while (reader->ReadNext()) {
        if (reader->IsNull(geometry)) continue;
        FdoInt32 n = 0;
        const FdoByte* bytes = reader->GetGeometry(geometry, &n);
        rows.append(QByteArray(reinterpret_cast<const char*>(bytes), n));
    }
    reader->Close();
    connection->Close();
    std::printf("class %ls: %lld geometries\n", static_cast<FdoString*>(name), static_cast<long long>(rows.size()));
    return rows;
}

// Copies of the base features side by side until there are count of them.
QVector<MapFeature> Tiled(const QVector<QByteArray>& base, int count)
{
    QVector<MapFeature> features;
    features.reserve(count);
    QRectF extent;
    MapFeature f;
    for (const QByteArray& row : base)
        if (MapFeature::FromFgf(row, f)) extent = extent.isNull() ? f.bounds : extent.united(f.bounds);
    int copies = (count + int(base.size()) - 1) / int(base.size());
    int columns = int(std::ceil(std::sqrt(double(copies))));
    for (int i = 0; features.size() < count; i++) {
        QPointF shift((i % columns) * extent.width() * 1.05, -(i / columns) * extent.height() * 1.05);
        for (const QByteArray& row : base) {
            if (features.size() == count) break;
            MapFeature::FromFgf(row, f);
            for (auto* lists : {&f.rings, &f.lines})
                for (QPolygonF& poly : *lists) poly.translate(shift);
            for (QPointF& p : f.points) p += shift;
            f.bounds.translate(shift);
            features.append(f);
        }
    }
    return features;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    MapView view;
    view.resize(1000, 700);
    int bad = 0;
    double translate = 0;
    auto t0 = std::chrono::steady_clock::now();
    if (argc > 3) {
        QVector<QByteArray> base = ShapeGeometries(argv[3], argc > 4 ? argv[4] : nullptr);
        if (base.isEmpty()) return 1;
        t0 = std::chrono::steady_clock::now();
        QVector<MapFeature> features = Tiled(base, count);
        translate = Seconds(t0);
        view.SetFeatures(std::move(features));
    } else {
        QVector<QByteArray> rows = Parcels(count);
        t0 = std::chrono::steady_clock::now();
        bad = view.SetFgfRows(rows);
        translate = Seconds(t0);
    }

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
