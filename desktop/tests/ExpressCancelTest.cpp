// A long express copy: 200,000 points from a shape file into an SDF file,
// cancelled from the progress dialog while it runs. The main window keeps
// painting during the copy, the dialog shows the class and the count,
// Cancel stops the copy within a second, the destination stays readable
// with what was copied, and the pane says "Copy cancelled" with the count.
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "express/ExpressPanes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) paints++;
        return false;
    }
};

}  // namespace

class ExpressCancelTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;

private slots:
    void cancelStopsALongCopyAndKeepsWhatWasCopied() {
        constexpr long kFeatures = 200000;
        constexpr long kCancelAt = 5000;
        const QString shp = m_dir.path() + "/big.shp";
        const QString sdf = m_dir.path() + "/big.sdf";
        QVERIFY(desktop_test::WritePointShapes(shp, kFeatures));
        QCOMPARE(desktop_test::GdalCount(shp, "big"), kFeatures);

        qputenv("GEOXFER_CONN_LIST", (m_dir.path() + "/geoxferconn.txt").toUtf8());
        CMaprailApp app;
        app.Prepare(QCoreApplication::applicationFilePath());
        CMaprailDlg window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.SelectTool(1);
        auto* pane = dynamic_cast<c_DlgExpressShp2Sdf*>(window.CurrentToolPane());
        QVERIFY(pane);
        pane->Field("Select SHP file or Folder with SHP Files:")->setText(shp);
        pane->Field("Select SDF file to copy to:")->setText(sdf);

        PaintCounter painted;
        window.installEventFilter(&painted);
        long countAtCancel = -1;
        QString itemShown, countShown;
        m_ui.onProgress = [&](c_DlgProgress& dialog) {
            auto* timer = new QTimer(&dialog);
            QObject::connect(timer, &QTimer::timeout, &dialog, [&, timer] {
                window.update();  // asks for a repaint, which only a live event loop delivers
                const long count = dialog.Progress().Count();
                // The dialog's labels follow the progress a few times a
                // second; wait until they show the copy, not its preparation.
                const bool shown = dialog.ItemText() == dialog.Progress().Item();
                if (countAtCancel < 0 && count >= kCancelAt && shown) {
                    countAtCancel = count;
                    itemShown = dialog.ItemText();
                    countShown = dialog.CountText();
                    timer->stop();
                    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
                }
            });
            timer->start(20);
        };
        const int paintsBefore = painted.paints;
        QTest::mouseClick(pane->StartButton(), Qt::LeftButton);
        m_ui.onProgress = nullptr;
        window.removeEventFilter(&painted);

        QVERIFY2(countAtCancel >= kCancelAt, "the copy ended before Cancel could be pressed");
        qInfo("cancelled at %ld features; inserts stopped %lld ms after Cancel, the destination was closed "
              "%lld ms after it; %d repaints during the copy",
              countAtCancel, m_ui.lastStopLatencyMs, m_ui.lastStopMs, painted.paints - paintsBefore);
        QVERIFY2(painted.paints > paintsBefore, "the window did not repaint while the copy ran");
        QCOMPARE(itemShown, QStringLiteral("big"));
        QVERIFY2(countShown.contains("features copied") && countShown.contains("features/s"), qPrintable(countShown));
        QVERIFY2(m_ui.lastStopLatencyMs >= 0 && m_ui.lastStopLatencyMs < 1000,
                 qPrintable(QString::number(m_ui.lastStopLatencyMs)));
        QVERIFY(m_ui.lastStopMs >= m_ui.lastStopLatencyMs);

        const QString result = pane->ResultText();
        QVERIFY2(result.startsWith("Copy cancelled. Copied "), qPrintable(result));
        const long copied = result.mid(QStringLiteral("Copy cancelled. Copied ").size()).section(' ', 0, 0).toLong();
        QCOMPARE(m_ui.LastMessage(), result);
        QVERIFY2(copied >= countAtCancel && copied < countAtCancel + 1000, qPrintable(result));
        QVERIFY(copied < kFeatures);
        // The destination opens and holds exactly what was reported.
        QVERIFY(desktop_test::GdalLayers(sdf).contains("big"));
        QCOMPARE(desktop_test::GdalCount(sdf, "big"), copied);
        // A cancelled copy is not registered.
        QVERIFY(app.ConnList().GetRecords().empty());
    }
};

QTEST_MAIN(ExpressCancelTest)
#include "ExpressCancelTest.moc"
