// The twelve express conversions driven through their panes in the main
// window, on real data: the spData columbus shape file (49 polygons), the
// SDF and KML files the panes write, and the Oracle and Informix stand-ins
// under a scratch GEOXFER_DB_HOME. Each run types the fields, clicks "Start
// Copy" and checks the features against GDAL reading the source, the result
// text, the message and the connection list file afterwards. Before them:
// the connection string templates, SRID reading, and the pickers' filters.
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "express/ExpressPanes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

using desktop_test::GdalCount;
using desktop_test::GdalLayers;
using desktop_test::GdalValues;
using desktop_test::SampleData;

namespace {

QString Columbus() { return SampleData("spData/shapes/columbus.shp"); }
QStringList ColumbusIds() { return GdalValues(Columbus(), "columbus", "POLYID"); }

// The one shape file in a folder.
QString OnlyShapeFile(const QString& folder) {
    const QStringList shp = QDir(folder).entryList({"*.shp"}, QDir::Files);
    return shp.size() == 1 ? folder + '/' + shp[0] : QString();
}

// The first layer GDAL finds in a file.
QString FirstLayer(const QString& path) {
    const QStringList layers = GdalLayers(path);
    return layers.isEmpty() ? QString() : layers[0];
}

}  // namespace

class ExpressTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;
    CMaprailApp m_app;
    CMaprailDlg* m_window = nullptr;

    QString Path(const QString& name) const { return m_dir.path() + '/' + name; }
    QString Folder(const QString& name) const {
        QDir().mkpath(Path(name));
        return Path(name);
    }
    QByteArray ListFile() {
        QFile f(m_app.ConnList().GetFileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    c_DlgExpress* Pane(int code) {
        m_window->SelectTool(code);
        auto* pane = dynamic_cast<c_DlgExpress*>(m_window->CurrentToolPane());
        return pane && pane->Member().toolCode == code ? pane : nullptr;
    }

    // Types the fields and clicks Start Copy; returns the result text.
    QString Run(int code, const QList<QPair<QString, QString>>& fields) {
        c_DlgExpress* pane = Pane(code);
        if (!pane) return QStringLiteral("no pane");
        for (const auto& [label, text] : fields) {
            QLineEdit* field = pane->Field(label);
            if (!field) return QStringLiteral("no field ") + label;
            field->clear();
            QTest::keyClicks(field, text);
        }
        m_ui.Clear();
        QTest::mouseClick(pane->StartButton(), Qt::LeftButton);
        return pane->ResultText();
    }

    void ExpectCopied(const QString& result, long count) {
        const QString copied = QStringLiteral("Copied %1 features.").arg(count);
        QCOMPARE(result, copied);
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Copy Finished. ") + copied);
    }

    void ExpectRegistered(const QString& name, const QString& provider, const QString& connString) {
        const QByteArray entry = ("Name:" + name + "\r\nProvider:" + provider + "\r\nConnectionString:" + connString +
                                  "\r\n")
                                     .toUtf8();
        QVERIFY2(ListFile().contains(entry), ListFile().constData());
        QCOMPARE(m_app.ConnList().GetCurrent().name, name);
    }

private slots:
    void initTestCase() {
        // GEOXFER_KEEP_TEST_DIR=1 keeps what the runs wrote, to look at.
        m_dir.setAutoRemove(qEnvironmentVariableIsEmpty("GEOXFER_KEEP_TEST_DIR"));
        qputenv("GEOXFER_CONN_LIST", Path("geoxferconn.txt").toUtf8());
        qputenv("GEOXFER_DB_HOME", Path("db").toUtf8());
        m_app.Prepare(QCoreApplication::applicationFilePath());
        m_window = new CMaprailDlg(m_app);
        m_window->show();
    }

    void cleanupTestCase() { delete m_window; }

    void templatesAndSrids() {
        QCOMPARE(FillTemplate("Username=%s;Password=%s;Service=%s;OracleSchema=%s;", {"scott", "tiger", "//h/S", "scott"}),
                 QStringLiteral("Username=scott;Password=tiger;Service=//h/S;OracleSchema=scott;"));
        QCOMPARE(FillTemplate("DSN=%s;", {"a%sb"}), QStringLiteral("DSN=a%sb;"));
        QCOMPARE(ReadSrid(""), 0);
        QCOMPARE(ReadSrid("  4326abc"), 4326);
        QCOMPARE(ReadSrid("-27700"), -27700);
        QCOMPARE(ReadSrid("+7"), 7);
        QCOMPARE(ReadSrid("srid"), 0);
        QCOMPARE(ReadSrid("99999999999999"), INT_MAX);

        c_DlgExpress* pane = Pane(2);
        QVERIFY(pane);
        pane->Field("Oracle Username:")->setText("scott");
        pane->Field("Password:")->setText("tiger");
        pane->Field("Service Name:")->setText("//db/ORCL");
        pane->Field("Oracle SRID:")->setText("  4326abc");
        const c_ExpressRequest request = pane->Request();
        QCOMPARE(request.destProvider, QStringLiteral("Norv.Oracle"));
        QCOMPARE(request.destConnString, QStringLiteral("Username=scott;Password=tiger;Service=//db/ORCL;OracleSchema=scott;"));
        QCOMPARE(request.srid, 4326);
        pane->Field("Oracle SRID:")->clear();
        QCOMPARE(pane->Request().srid, 0);
        QVERIFY(Pane(9)->Request().extra == e_Extra::SridZero);
        QCOMPARE(Pane(9)->Request().srid, 0);
        QCOMPARE(Pane(1)->ResultText(), QStringLiteral("Click Start Copy"));
    }

    void pickersUseTheirFiltersAndCancellingChangesNothing() {
        c_DlgExpress* shp2sdf = Pane(1);
        shp2sdf->Field("Select SDF file to copy to:")->setText("keep.sdf");
        m_ui.Clear();
        shp2sdf->Picker("SDF File...")->click();
        QCOMPARE(m_ui.shown.back().kind, QStringLiteral("SaveFile"));
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("SDF files (*.sdf)|*.sdf|All Files (*.*)|*.*||"));
        QCOMPARE(shp2sdf->Field("Select SDF file to copy to:")->text(), QStringLiteral("keep.sdf"));
        m_ui.folders << "/data/shapes";
        shp2sdf->Picker("SHP Folder...")->click();
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("Pick a Folder"));
        QCOMPARE(shp2sdf->Field("Select SHP file or Folder with SHP Files:")->text(), QStringLiteral("/data/shapes"));

        Pane(3)->Picker("SHP File...")->click();
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("SHP files (*.shp)|*.shp|All Files (*.*)|*.*||"));
        Pane(8)->Picker("KML File...")->click();
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("Kml files (*.kml)|*.kml|All Files (*.*)|*.*||"));
        Pane(4)->Picker("KML File...")->click();
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("KML files (*.kml)|*.kml|All Files (*.*)|*.*||"));
        QVERIFY(Pane(9)->Field("Oracle SRID:") == nullptr);
        QVERIFY(Pane(11)->Field("Informix SRID:") == nullptr);
        QVERIFY(Pane(3)->Field("Informix SRID:") != nullptr);
    }

    void shpToSdfRegistersOnceAndAgainForAnotherFile() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        const QString sdf = Path("columbus.sdf");
        const QList<QPair<QString, QString>> fields = {{"Select SHP file or Folder with SHP Files:", Columbus()},
                                                       {"Select SDF file to copy to:", sdf}};
        ExpectCopied(Run(1, fields), 49);
        QCOMPARE(GdalValues(sdf, FirstLayer(sdf), "POLYID"), ColumbusIds());
        ExpectRegistered("ExpressSDF", "OSGeo.SDF", "File=" + sdf + ";ReadOnly=FALSE;");

        // Same files again: the file is replaced, nothing new is registered.
        ExpectCopied(Run(1, fields), 49);
        QCOMPARE(GdalCount(sdf, FirstLayer(sdf)), 49L);
        QCOMPARE(int(ListFile().count("Name:")), 1);

        const QString other = Path("other.sdf");
        ExpectCopied(Run(1, {{"Select SDF file to copy to:", other}}), 49);
        ExpectRegistered("ExpressSDF2", "OSGeo.SDF", "File=" + other + ";ReadOnly=FALSE;");
    }

    void emptySourceCopiesNothingAndFailuresRegisterNothing() {
        const QString empty = Folder("empty-shapes");
        const QString sdf = Path("empty.sdf");
        ExpectCopied(Run(1, {{"Select SHP file or Folder with SHP Files:", empty}, {"Select SDF file to copy to:", sdf}}),
                     0);
        ExpectRegistered("ExpressSDF3", "OSGeo.SDF", "File=" + sdf + ";ReadOnly=FALSE;");

        const QByteArray before = ListFile();
        const QString result =
            Run(1, {{"Select SHP file or Folder with SHP Files:", Path("no/such/folder")},
                    {"Select SDF file to copy to:", Path("never.sdf")}});
        QVERIFY(!result.isEmpty());
        QVERIFY2(!result.startsWith("Copied"), qPrintable(result));
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Error copy: ") + result);
        QCOMPARE(ListFile(), before);
    }

    void shpToKml() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        const QString kml = Path("columbus.kml");
        ExpectCopied(Run(4, {{"Select SHP file or Folder with SHP Files:", Columbus()}, {"Select KML file to copy to:", kml}}),
                     49);
        QCOMPARE(GdalCount(kml, FirstLayer(kml)), 49L);
        ExpectRegistered("ExpressKML", "Norv.KML", "File=" + kml + ";ReadOnly=FALSE;");
    }

    void sdfToShpAndToKml() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        const QString sdf = Path("columbus.sdf");
        const QString folder = Folder("from-sdf");
        ExpectCopied(Run(6, {{"Select SDF file:", sdf}, {"Select SHP file Folder:", folder}}), 49);
        const QString shp = OnlyShapeFile(folder);
        QVERIFY2(!shp.isEmpty(), qPrintable(folder));
        QCOMPARE(GdalValues(shp, QFileInfo(shp).completeBaseName(), "POLYID"), ColumbusIds());
        ExpectRegistered("ExpressSDF4", "OSGeo.SHP", "DefaultFileLocation=" + folder);
        // The source SDF file is read, not replaced.
        QCOMPARE(GdalCount(sdf, FirstLayer(sdf)), 49L);

        const QString kml = Path("from-sdf.kml");
        ExpectCopied(Run(8, {{"Select SDF file:", sdf}, {"Select KML file:", kml}}), 49);
        QCOMPARE(GdalCount(kml, FirstLayer(kml)), 49L);
        ExpectRegistered("ExpressSDF5", "Norv.KML", "File=" + kml + ";ReadOnly=FALSE;");
    }

    void shpAndSdfToOracleThenOut() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        const QString oracle = "Username=gis;Password=secret;Service=EXPRESS;OracleSchema=gis;";
        ExpectCopied(Run(2, {{"Select SHP file or Folder with SHP Files:", Columbus()},
                             {"Oracle Username:", "gis"},
                             {"Password:", "secret"},
                             {"Service Name:", "EXPRESS"},
                             {"Oracle SRID:", ""}}),
                     49);
        ExpectRegistered("ExpressORA", "Norv.Oracle", oracle);
        const QStringList classes = desktop_test::FdoClasses("Norv.Oracle", oracle);
        QCOMPARE(classes.size(), 1);
        QCOMPARE(desktop_test::FdoCount("Norv.Oracle", oracle, classes[0]), 49L);

        const QString oracle2 = "Username=gis2;Password=pw;Service=EXPRESS2;OracleSchema=gis2;";
        ExpectCopied(Run(5, {{"Select SDF file :", Path("columbus.sdf")},
                             {"Oracle Username:", "gis2"},
                             {"Password:", "pw"},
                             {"Service Name:", "EXPRESS2"},
                             {"Oracle SRID:", "  4326abc"}}),
                     49);
        ExpectRegistered("ExpressORA2", "Norv.Oracle", oracle2);

        const QString folder = Folder("from-oracle");
        ExpectCopied(Run(9, {{"Oracle Username:", "gis"},
                             {"Password:", "secret"},
                             {"Service Name:", "EXPRESS"},
                             {"Select SHP Folder :", folder}}),
                     49);
        const QString shp = OnlyShapeFile(folder);
        QVERIFY2(!shp.isEmpty(), qPrintable(folder));
        QCOMPARE(GdalValues(shp, QFileInfo(shp).completeBaseName(), "POLYID"), ColumbusIds());
        ExpectRegistered("ExpressORA3", "OSGeo.SHP", "DefaultFileLocation=" + folder);

        const QString sdf = Path("from-oracle.sdf");
        ExpectCopied(Run(10, {{"Oracle Username:", "gis2"},
                              {"Password:", "pw"},
                              {"Service Name:", "EXPRESS2"},
                              {"Select SDF file to copy to:", sdf}}),
                     49);
        QCOMPARE(GdalValues(sdf, FirstLayer(sdf), "POLYID"), ColumbusIds());
        ExpectRegistered("ExpressORA4", "OSGeo.SDF", "File=" + sdf + ";ReadOnly=FALSE;");
    }

    void shpAndSdfToInformixThenOut() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        ExpectCopied(Run(3, {{"Select SHP file :", Columbus()}, {"DSN Name:", "express"}, {"Informix SRID:", ""}}), 49);
        ExpectRegistered("ExpressORA5", "Norv.Informix", "DSN=express;");
        ExpectCopied(Run(7, {{"Select SDF file :", Path("columbus.sdf")}, {"DSN Name:", "express2"}, {"Informix SRID:", "0"}}),
                     49);
        ExpectRegistered("ExpressORA6", "Norv.Informix", "DSN=express2;");

        const QString folder = Folder("from-informix");
        ExpectCopied(Run(11, {{"DSN Name:", "express"}, {"Select SHP Folder :", folder}}), 49);
        const QString shp = OnlyShapeFile(folder);
        QVERIFY2(!shp.isEmpty(), qPrintable(folder));
        QCOMPARE(GdalValues(shp, QFileInfo(shp).completeBaseName(), "POLYID"), ColumbusIds());
        ExpectRegistered("Informix", "OSGeo.SHP", "DefaultFileLocation=" + folder);

        const QString sdf = Path("from-informix.sdf");
        ExpectCopied(Run(12, {{"DSN Name:", "express2"}, {"Select SDF file to copy to:", sdf}}), 49);
        QCOMPARE(GdalValues(sdf, FirstLayer(sdf), "POLYID"), ColumbusIds());
        ExpectRegistered("Informix2", "OSGeo.SDF", "File=" + sdf + ";ReadOnly=FALSE;");
    }
};

QTEST_MAIN(ExpressTest)
#include "ExpressTest.moc"
