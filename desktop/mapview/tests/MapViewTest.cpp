// The map view on the offscreen platform: FGF translation (all geometry
// kinds, bad bytes refused with a message), and what the widget paints:
// features where the class coordinates put them with Y up, the highlight,
// panning by drag, zooming around the cursor, clicks that pick a feature.
#include "FgfTestBytes.h"

#include <GeoxferMapView/MapView.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace FgfTest;

namespace {

const QRgb kBackground = qRgb(250, 250, 247);
const QRgb kFill = qRgb(176, 203, 228);

QRgb PixelAt(MapView& view, QPointF screen)
{
    QImage img = view.grab().toImage();
    return img.pixel(screen.toPoint()) | 0xff000000u;
}
QPointF Screen(const MapView& view, QPointF world) { return view.WorldToScreen().map(world); }
bool IsHighlight(QRgb c) { return qRed(c) > 200 && qGreen(c) < 200 && qBlue(c) < 120; }

}  // namespace

class MapViewTest : public QObject {
    Q_OBJECT
private slots:
    void polygonWithHoleAndBounds()
    {
        MapFeature f;
        QByteArray fgf = Polygon({{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, {{4, 4}, {6, 4}, {6, 6}, {4, 6}, {4, 4}}});
        QVERIFY(MapFeature::FromFgf(fgf, f));
        QCOMPARE(f.bounds, QRectF(0, 0, 10, 10));
        QVERIFY(f.AreaContains(QPointF(2, 2)));
        QVERIFY(!f.AreaContains(QPointF(5, 5)));  // the hole
    }
    void xyzStrideIsSkipped()
    {
        MapFeature f;
        QVERIFY(MapFeature::FromFgf(Polygon({{{1, 2}, {3, 2}, {3, 5}, {1, 2}}}, 3), f));
        QCOMPARE(f.bounds, QRectF(QPointF(1, 2), QPointF(3, 5)));
        QVERIFY(MapFeature::FromFgf(Point({8, 9}, 4), f));
        QCOMPARE(f.points, QVector<QPointF>{QPointF(8, 9)});
        QCOMPARE(f.bounds.topLeft(), QPointF(8, 9));  // a lone point keeps its place
        QVERIFY(!f.IsEmpty());
    }
    void aggregatesCollectEveryPart()
    {
        MapFeature f;
        QByteArray mp = Multi(6, {Box(0, 0, 1, 1), Box(5, 5, 6, 7)});
        QVERIFY(MapFeature::FromFgf(Multi(7, {mp, Point({-3, 2}), LineString({{0, -4}, {1, -4}})}), f));
        QCOMPARE(f.bounds, QRectF(QPointF(-3, -4), QPointF(6, 7)));
        QCOMPARE(f.points.size(), 1);
        QVERIFY(!f.lines.isEmpty());
    }
    void arcFollowsItsCircle()
    {
        MapFeature f;
        // Half circle of radius 5 over the X axis, bulging up through (0, 5).
        QVERIFY(MapFeature::FromFgf(Arc({-5, 0}, {0, 5}, {5, 0}), f));
        QVERIFY(qAbs(f.bounds.top() - 0) < 1e-9);
        QVERIFY(qAbs(f.bounds.bottom() - 5) < 0.01);
        QVERIFY(qAbs(f.bounds.left() + 5) < 1e-9 && qAbs(f.bounds.right() - 5) < 1e-9);
        // The same arc bulging down must not go over the top.
        QVERIFY(MapFeature::FromFgf(Arc({-5, 0}, {0, -5}, {5, 0}), f));
        QVERIFY(f.bounds.bottom() < 1e-9 && f.bounds.top() < -4.99);
    }
    void badBytesAreRefusedWithAMessage_data()
    {
        QTest::addColumn<QByteArray>("fgf");
        QTest::addColumn<QString>("message");
        QByteArray box = Box(0, 0, 1, 1);
        QTest::newRow("truncated ring") << box.left(box.size() - 3) << "count larger than the data";
        QByteArray point = Point({1, 2});
        QTest::newRow("truncated point") << point.left(point.size() - 1) << "truncated";
        QTest::newRow("trailing") << box + QByteArray(4, '\0') << "trailing bytes";
        QByteArray huge;
        Int(huge, 2); Int(huge, 0); Int(huge, 0x7fffffff);
        QTest::newRow("huge count") << huge << "count larger than the data";
        QByteArray neg;
        Int(neg, 3); Int(neg, 0); Int(neg, -1);
        QTest::newRow("negative count") << neg << "count larger than the data";
        QByteArray type;
        Int(type, 99); Int(type, 0);
        QTest::newRow("unknown type") << type << "unknown geometry type";
        QByteArray dim;
        Int(dim, 1); Int(dim, 9); Dbl(dim, 0); Dbl(dim, 0);
        QTest::newRow("unknown dimensionality") << dim << "unknown dimensionality";
        QByteArray deep = Point({0, 0});
        for (int i = 0; i < 4; i++) deep = Multi(7, {deep});
        QTest::newRow("nested too deep") << deep << "nested too deep";
        QByteArray seg;
        Int(seg, 10); Int(seg, 0); Dbl(seg, 0); Dbl(seg, 0); Int(seg, 1); Int(seg, 5); Dbl(seg, 0); Dbl(seg, 0);
        QTest::newRow("segment type") << seg << "unknown curve segment type";
        QTest::newRow("empty") << QByteArray() << "truncated";
    }
    void badBytesAreRefusedWithAMessage()
    {
        QFETCH(QByteArray, fgf);
        QFETCH(QString, message);
        MapFeature f;
        QString error;
        QVERIFY(!MapFeature::FromFgf(fgf, f, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(f.IsEmpty());
    }

    void drawsInClassCoordinatesWithYUp()
    {
        MapView view;
        view.resize(200, 200);
        // A low box and a high box: the high one must be drawn above.
        QCOMPARE(view.SetFgfRows({Box(0, 0, 10, 10), Box(0, 90, 10, 100), QByteArray()}), 0);
        QCOMPARE(view.Extent(), QRectF(0, 0, 10, 100));
        QPointF low = Screen(view, {5, 5}), high = Screen(view, {5, 95});
        QVERIFY(high.y() < low.y());
        QCOMPARE(PixelAt(view, low), kFill);
        QCOMPARE(PixelAt(view, high), kFill);
        QCOMPARE(PixelAt(view, Screen(view, {5, 50})), kBackground);
        // Zoomed to extent: the whole extent is on screen.
        QRectF onScreen = view.WorldToScreen().mapRect(view.Extent());
        QVERIFY(QRectF(view.rect()).contains(onScreen));
        QVERIFY(onScreen.height() > 180);
    }
    void rowsWithoutGeometryDrawNothing()
    {
        MapView view;
        view.resize(100, 100);
        QCOMPARE(view.SetFgfRows({QByteArray(), QByteArray()}), 0);
        QVERIFY(view.Extent().isNull());
        QImage img = view.grab().toImage();
        for (int y = 0; y < img.height(); y += 7)
            for (int x = 0; x < img.width(); x += 7) QCOMPARE(img.pixel(x, y) | 0xff000000u, kBackground);
    }
    void badRowsAreCountedAndSkipped()
    {
        MapView view;
        view.resize(100, 100);
        QCOMPARE(view.SetFgfRows({Box(0, 0, 1, 1), QByteArray("junk"), Box(2, 2, 3, 3)}), 1);
        QCOMPARE(view.FeatureCount(), 3);
        QCOMPARE(view.Extent(), QRectF(0, 0, 3, 3));
    }
    void selectedFeatureIsHighlighted()
    {
        MapView view;
        view.resize(200, 200);
        view.SetFgfRows({Box(0, 0, 10, 10), Box(20, 0, 30, 10)});
        QPointF edge = Screen(view, {20, 5});
        QVERIFY(!IsHighlight(PixelAt(view, edge)));
        view.SetSelected(1);
        QVERIFY(IsHighlight(PixelAt(view, edge)));
        QVERIFY(!IsHighlight(PixelAt(view, Screen(view, {0, 5}))));
        view.SetSelected(5);  // out of range: none
        QCOMPARE(view.Selected(), -1);
        QVERIFY(!IsHighlight(PixelAt(view, edge)));
        // A point too small to see still shows a highlight ring.
        view.SetFgfRows({Box(0, 0, 1000, 1000), Point({500, 500})});
        view.SetSelected(1);
        QPointF at = Screen(view, {500, 500});
        QVERIFY(IsHighlight(PixelAt(view, at + QPointF(8, 0))) || IsHighlight(PixelAt(view, at + QPointF(-8, 0))));
    }
    void dragPansAndClickPicks()
    {
        MapView view;
        view.resize(200, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.SetFgfRows({Box(0, 0, 10, 10), Box(20, 0, 30, 10)});
        QSignalSpy clicked(&view, &MapView::FeatureClicked);
        QPoint second = Screen(view, {25, 5}).toPoint();
        QTest::mouseClick(&view, Qt::LeftButton, {}, second);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 1);
        QCOMPARE(view.Selected(), 1);
        // Between the boxes nothing is picked and the selection stays.
        QTest::mouseClick(&view, Qt::LeftButton, {}, Screen(view, {15, 5}).toPoint());
        QCOMPARE(clicked.count(), 1);

        QPointF before = Screen(view, {5, 5});
        QPoint start(100, 100);
        QTest::mousePress(&view, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 20)), view.mapToGlobal(QPointF(start + QPoint(30, 20))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, start + QPoint(30, 20));
        QPointF after = Screen(view, {5, 5});
        QCOMPARE(after - before, QPointF(30, 20));
        QCOMPARE(PixelAt(view, after), kFill);
        QCOMPARE(clicked.count(), 1);  // a drag is not a click
        view.ZoomToExtent();
        QCOMPARE(Screen(view, {5, 5}), before);
    }
    void wheelZoomKeepsThePointUnderTheCursor()
    {
        MapView view;
        view.resize(200, 200);
        view.SetFgfRows({Box(0, 0, 10, 10)});
        QPointF cursor(60, 70);
        QPointF world = view.WorldToScreen().inverted().map(cursor);
        double width = view.WorldToScreen().mapRect(view.Extent()).width();
        QWheelEvent wheel(cursor, view.mapToGlobal(cursor), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        QVERIFY(qAbs(view.WorldToScreen().mapRect(view.Extent()).width() - width * 1.25) < 1e-6);
        QPointF again = view.WorldToScreen().map(world);
        QVERIFY(qAbs(again.x() - cursor.x()) < 1e-6 && qAbs(again.y() - cursor.y()) < 1e-6);
        view.ZoomBy(0, cursor);  // ignored, not a collapse to nothing
        view.ZoomBy(std::numeric_limits<double>::quiet_NaN(), cursor);
        QVERIFY(qAbs(view.WorldToScreen().mapRect(view.Extent()).width() - width * 1.25) < 1e-6);
    }
    void resizeKeepsAnUnmovedViewFitted()
    {
        MapView view;
        view.resize(200, 200);
        view.show();  // hidden widgets get their resize events only when shown
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.SetFgfRows({Box(0, 0, 10, 10)});
        view.resize(400, 300);
        QRectF fitted = view.WorldToScreen().mapRect(view.Extent());
        QVERIFY(qAbs(fitted.height() - 300 * 0.95) < 1e-6);
        view.PanBy(QPointF(10, 0));
        QPointF moved = Screen(view, {0, 0});
        view.resize(300, 300);
        QCOMPARE(Screen(view, {0, 0}), moved - QPointF(50, 0));  // moved views are left alone, centre kept
    }
    void lonePointIsCentred()
    {
        MapView view;
        view.resize(200, 200);
        view.SetFgfRows({Point({1e6, -3e6})});
        QCOMPARE(Screen(view, {1e6, -3e6}), QPointF(100, 100));
        QImage img = view.grab().toImage();
        QVERIFY((img.pixel(100, 100) | 0xff000000u) != kBackground);
    }
};

QTEST_MAIN(MapViewTest)
#include "MapViewTest.moc"
