// The schema, class definition, spatial context and query panes on real
// data — every shape file set of the reference data, the spData sample
// shapes and an SDF copy of one of them — compared with what GDAL reads of
// the same files directly: class names, property names and types,
// coordinate systems, and the rows a filter and a row range select.
#include "DesktopTestSupport.h"
#include "ManagerTestSupport.h"
#include "RecordingUi.h"
#include "SourceTestSupport.h"

#include "connections/c_DlgFdoSelConn.h"
#include "source/ClassBox.h"
#include "source/c_DlgFdoClassData.h"
#include "source/c_DlgFdoClassDefinition.h"
#include "source/c_DlgFdoSchema.h"
#include "source/c_DlgFdoSpContext.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>
#include <GeoxferMapView/MapView.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using source_test::Column;
using source_test::SourceWindow;

namespace {

struct DataSet {
    QString provider;
    QString connString;
    QString gdalPath;  // what GDAL opens for the same data
};

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

}  // namespace

class SourceRealDataTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;

    // Each available data set; the SDF copy is made on first use.
    QList<DataSet> DataSets() {
        QList<DataSet> sets;
        for (const QString& folder : {managers_test::SharedData("shp/Sheboygan"), managers_test::SharedData("shp/Ontario")}) {
            if (QFileInfo(folder).isDir()) sets.append({"OSGeo.SHP", "DefaultFileLocation=" + folder, folder});
            else qWarning("reference data missing (set GEOXFER_SHARED_DATA): %s", qPrintable(folder));
        }
        const QString spData = desktop_test::SampleData("spData/shapes");
        if (!QFileInfo(spData).isDir()) {
            qWarning("sample data missing (run scripts/sample-data.sh): %s", qPrintable(spData));
            return sets;
        }
        sets.append({"OSGeo.SHP", "DefaultFileLocation=" + spData, spData});
        const QString sdf = m_dir.path() + "/columbus.sdf";
        if (!QFileInfo::exists(sdf)) {
            long count = 0;
            const std::wstring src = (QStringLiteral("DefaultFileLocation=") + spData + "/columbus.shp").toStdWString();
            if (c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", src.c_str(), L"columbus", L"", sdf.toStdWString().c_str(), true,
                                             count) != 0)
                qWarning("SDF copy failed: %ls", c_FDO_Api::GXF_GetLastError());
        }
        sets.append({"OSGeo.SDF", "File=" + sdf + ";ReadOnly=TRUE;", sdf});
        return sets;
    }

private slots:
    void schemaPaneListsTheLayersGdalFinds() {
        const QList<DataSet> sets = DataSets();
        if (sets.isEmpty()) QSKIP("no real data available");
        for (const DataSet& set : sets) {
            SourceWindow w(m_dir.path(), set.provider, set.connString);
            auto* pane = w.Open<c_DlgFdoSchema>("FDO Schema");
            pane->ReadFdoSource();
            QVERIFY2(m_ui.Messages().isEmpty(), qPrintable(m_ui.LastMessage()));
            const QList<QStringList> rows = pane->Table()->rows();
            QCOMPARE(Sorted(Column(rows, 1)), Sorted(source_test::OgrFeatureLayers(set.gdalPath)));
            for (const QStringList& row : rows) {
                QVERIFY2(!row[2].isEmpty() && row[2] != "No Feature Class", qPrintable(row.join('|')));
                QVERIFY2(row[4] != "No identity", qPrintable(row.join('|')));
            }
        }
    }

    void classDefinitionShowsGdalsFieldsAndTypes() {
        const QList<DataSet> sets = DataSets();
        if (sets.isEmpty()) QSKIP("no real data available");
        for (const DataSet& set : sets) {
            SourceWindow w(m_dir.path(), set.provider, set.connString);
            auto* pane = w.Open<c_DlgFdoClassDefinition>("FDO Class Definition");
            pane->ReadSchema();
            QComboBox* box = pane->Classes()->Box();
            QVERIFY(box->count() > 0);
            for (int i = 0; i < box->count(); i++) {
                box->setCurrentIndex(i);
                const QString layer = box->itemText(i).section(':', 1);
                const QList<QStringList> properties = pane->PropertyTable()->rows();
                const QStringList names = Column(properties, 0);
                for (const source_test::OgrField& field : source_test::OgrFields(set.gdalPath, layer)) {
                    const int at = names.indexOf(field.name);
                    QVERIFY2(at >= 0, qPrintable(layer + "." + field.name));
                    QVERIFY2(source_test::FdoTypesForOgr(field).contains(properties[at][1]),
                             qPrintable(layer + "." + field.name + ": " + field.type + " shown as " + properties[at][1]));
                }
                QVERIFY(Column(properties, 1).contains("Geometry"));
                const QList<QStringList> attributes = pane->ClassTable()->rows();
                QCOMPARE(attributes.value(0), (QStringList{"Name", layer}));
                QCOMPARE(attributes.value(1), (QStringList{"Class Type", "FeatureClass"}));
                // The geometry property's own attributes.
                const int geometry = Column(properties, 1).indexOf("Geometry");
                pane->PropertyTable()->selectRow(geometry);
                const QList<QStringList> detail = pane->DetailTable()->rows();
                QCOMPARE(Column(detail, 0), (QStringList{"Type", "SpecificGeometryType", "Has Elevation", "Has Measure",
                                                         "Spatial Context", "Read Only", "GeomtricType"}));
                QVERIFY(!detail.last().value(1).isEmpty());
            }
        }
    }

    void spatialContextsCarryGdalsCoordinateSystem() {
        const QList<DataSet> sets = DataSets();
        if (sets.isEmpty()) QSKIP("no real data available");
        for (const DataSet& set : sets) {
            SourceWindow w(m_dir.path(), set.provider, set.connString);
            auto* pane = w.Open<c_DlgFdoSpContext>("FDO Spatial Contexts");
            QCOMPARE(pane->Table()->headers(), (QStringList{"Context Name", "Coord Sys Name", "Coord Sys WKT", "Extent",
                                                            "Extent Type", "XY Tolerance", "Z Tolerance"}));
            pane->ReadSpatialContexts();
            QVERIFY2(m_ui.Messages().isEmpty(), qPrintable(m_ui.LastMessage()));
            const QList<QStringList> rows = pane->Table()->rows();
            QVERIFY2(!rows.isEmpty(), qPrintable(set.connString));
            const QString wkts = Column(rows, 2).join('\n');
            for (const QString& layer : source_test::OgrFeatureLayers(set.gdalPath))
                QVERIFY2(source_test::OgrSrsAmong(set.gdalPath, layer, Column(rows, 2)),
                         qPrintable(layer + " not in\n" + wkts));
            for (const QStringList& row : rows) {
                QVERIFY(QStringList({"Static", "Dynamic"}).contains(row[4]));
                QVERIFY2(row[3].isEmpty() || row[3].startsWith("Min("), qPrintable(row[3]));
            }
        }
    }

    void queryReturnsTheRowsGdalSelects() {
        const QList<DataSet> sets = DataSets();
        const auto columbus = std::find_if(sets.begin(), sets.end(), [](const DataSet& s) { return s.provider == "OSGeo.SDF"; });
        if (columbus == sets.end()) QSKIP("sample data missing (run scripts/sample-data.sh)");
        const QString shp = desktop_test::SampleData("spData/shapes/columbus.shp");
        for (const DataSet& set : {DataSet{"OSGeo.SHP", "DefaultFileLocation=" + shp, shp}, *columbus}) {
            SourceWindow w(m_dir.path(), set.provider, set.connString);
            auto* pane = w.Open<c_DlgFdoClassData>("FDO Query Data");
            pane->ReadSchema();
            QVERIFY2(pane->Classes()->Box()->currentText().endsWith(":columbus"), qPrintable(m_ui.LastMessage()));
            pane->FilterField()->setText("CRIME > 30 AND HOVAL < 40");
            pane->FromField()->setText("2");
            pane->ToField()->setText("6");
            pane->ReadData();
            QVERIFY2(m_ui.Messages().isEmpty(), qPrintable(m_ui.LastMessage()));
            const QStringList headers = pane->Table()->headers();
            const QStringList expected =
                source_test::OgrValues(set.gdalPath, "columbus", "POLYID", "CRIME > 30 AND HOVAL < 40").mid(1, 5);
            QVERIFY(expected.size() == 5);
            QCOMPARE(Column(pane->Table()->rows(), headers.indexOf("POLYID")), expected);
            QCOMPARE(Column(pane->Table()->rows(), 0), (QStringList{"2", "3", "4", "5", "6"}));
            QCOMPARE(pane->Map()->FeatureCount(), 5);
            QVERIFY(pane->Table()->cell(0, headers.indexOf("Geometry")).startsWith("POLYGON"));

            // The same rows ordered, descending, by two keys.
            pane->OrderByField()->setText("CRIME, POLYID");
            pane->AscendingBox()->setChecked(false);
            pane->ReadData();
            QVERIFY2(m_ui.Messages().isEmpty(), qPrintable(m_ui.LastMessage()));
            const QStringList ordered = source_test::OgrValues(set.gdalPath, "columbus", "POLYID",
                                                               "CRIME > 30 AND HOVAL < 40", "CRIME DESC, POLYID DESC")
                                            .mid(1, 5);
            QVERIFY(ordered.size() == 5);
            QCOMPARE(Column(pane->Table()->rows(), headers.indexOf("POLYID")), ordered);
            QVERIFY(ordered != expected);
            pane->OrderByField()->clear();
            pane->AscendingBox()->setChecked(true);
        }
    }
};

QTEST_MAIN(SourceRealDataTest)
#include "SourceRealDataTest.moc"
