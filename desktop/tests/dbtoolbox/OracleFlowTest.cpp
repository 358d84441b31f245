// A whole Oracle administration through the four Oracle toolbox panes, on
// the Norv.Oracle stand-in holding the spData columbus shape file: read the
// SDO metadata and change its dimensions and SRID; drop, create, rebuild
// and drop the spatial index; drop and add the primary key; create the
// NorvFdoClass table, add, rename and delete a row, drop the table. After
// each step the store itself is read back, not only what the pane shows.
#include "DbPanesTestSupport.h"
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "oracle/c_DlgOraFdoViewsTable.h"
#include "oracle/c_DlgOraPKey.h"
#include "oracle/c_DlgOraPKeyColumns.h"
#include "oracle/c_DlgOraSdoMetadata.h"
#include "oracle/c_DlgOraSpIndex.h"
#include "oracle/c_DlgOraUpdateFdoViews.h"
#include "oracle/c_DlgOraUpdateMetadata.h"
#include "oracle/c_DlgOraUpdateSpIndex.h"

#include <GeoxferControls/EditableList.h>

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using dbpanes_test::RowOf;
using dbpanes_test::Rows;
using dbpanes_test::TypeCell;
using dbpanes_test::WhenOpens;

namespace {
const QString kOracle = QStringLiteral("Norv.Oracle");
const QString kConn = QStringLiteral("Username=gis;Password=pw;Service=FLOW;OracleSchema=gis;NorvFdoClass=fdo_classes;");
}  // namespace

class OracleFlowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;
    CMaprailApp m_app;
    CMaprailDlg* m_window = nullptr;

    template <class T>
    T* Pane(int code) {
        m_window->SelectTool(code);
        return dynamic_cast<T*>(m_window->CurrentToolPane());
    }
    QList<QStringList> Sql(const QString& sql) { return Rows(kOracle, kConn, sql); }

private slots:
    void initTestCase() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        QCOMPARE(dbpanes_test::PrepareColumbusStore(m_dir.path(), kOracle, kConn), 49L);
        m_app.Prepare(QCoreApplication::applicationFilePath());
        QVERIFY(m_app.ConnList().Add({"OraGis", kOracle, kConn}));
        m_app.ConnList().SetCurrentByName("OraGis");
        m_window = new CMaprailDlg(m_app);
        m_window->show();
    }
    void cleanupTestCase() { delete m_window; }

    void sdoMetadataIsReadAndChanged() {
        auto* pane = Pane<c_DlgOraSdoMetadata>(24);
        QVERIFY(pane);
        QVERIFY(pane->WithMetadataButton()->isChecked());
        pane->ReadSource();
        QCOMPARE(m_app.MainWindow()->StatusText(), QString());
        const int row = RowOf(pane->Table(), 1, "COLUMBUS");
        QVERIFY2(row >= 0, qPrintable(pane->Table()->rows().value(0).join('|')));
        QCOMPARE(pane->Table()->cell(row, 0), QStringLiteral("GIS"));
        QVERIFY(pane->Table()->cell(row, 4).startsWith("X ["));
        QVERIFY(pane->Table()->cell(row, 5).startsWith("Y ["));
        const QString column = pane->Table()->cell(row, 2);

        pane->Table()->selectRow(row);
        bool accepted = false;
        WhenOpens<c_DlgOraUpdateMetadata>([&](c_DlgOraUpdateMetadata* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Update SDO Metadata"));
            QCOMPARE(d->ObjectLabel()->text(), "GIS.COLUMBUS." + column);
            QCOMPARE(d->Grid()->cell(0, 0), QStringLiteral("X"));
            d->RecalculateExtent();
            // columbus lies within x 5.8..11.3, y 10.9..14.8 (its extent).
            QVERIFY(d->Grid()->cell(0, 1).toDouble() <= 5.9 && d->Grid()->cell(0, 2).toDouble() >= 11.2);
            QVERIFY(TypeCell(d->Grid(), 0, 3, "0.001"));
            QVERIFY(TypeCell(d->Grid(), 1, 3, "0"));
            d->SridField()->setText("8307");
            d->SetMetadata();
            accepted = d->result() == QDialog::Accepted;
        });
        pane->SetMetadata();
        QVERIFY(accepted);
        const auto dims = Sql("SELECT SRID,SDO_DIMNAME,SDO_LB,SDO_UB,SDO_TOLERANCE FROM all_sdo_geom_metadata a, "
                              " TABLE(select diminfo from all_sdo_geom_metadata where owner=a.owner and "
                              "table_name=a.table_name and column_name = a.column_name) b where a.owner='GIS' and "
                              "a.table_name='COLUMBUS'");
        QCOMPARE(dims.size(), 2);
        QCOMPARE(dims[0][0], QStringLiteral("8307"));
        QCOMPARE(dims[0][1], QStringLiteral("X"));
        QCOMPARE(dims[0][4], QStringLiteral("0.001"));
        QCOMPARE(dims[1][4], QStringLiteral("0"));
        QVERIFY(dims[0][2].toDouble() <= 5.9);
    }

    void spatialIndexIsDroppedCreatedRebuiltAndDropped() {
        auto* pane = Pane<c_DlgOraSpIndex>(25);
        QVERIFY(pane);
        pane->ReadSource();
        int row = RowOf(pane->Table(), 1, "COLUMBUS");
        QVERIFY(row >= 0);
        const QString owner = pane->Table()->cell(row, 3), name = pane->Table()->cell(row, 4);
        QVERIFY(!name.isEmpty());
        pane->Table()->selectRow(row);
        pane->DropIndex();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Index droped!"));
        QCOMPARE(RowOf(pane->Table(), 1, "COLUMBUS"), -1);
        QVERIFY(Sql("SELECT owner FROM all_indexes WHERE index_name='" + name + "'").isEmpty());

        pane->WithoutIndexButton()->setChecked(true);
        pane->ReadSource();
        row = RowOf(pane->Table(), 1, "COLUMBUS");
        QVERIFY(row >= 0);
        pane->Table()->selectRow(row);
        WhenOpens<c_DlgOraUpdateSpIndex>([&](c_DlgOraUpdateSpIndex* d) {
            QCOMPARE(d->NameField()->text(), QStringLiteral("COLUMBUS_SIND"));
            QCOMPARE(d->OkButton()->text(), QStringLiteral("Create Index"));
            d->GeometryTypeBox()->setCurrentText("POLYGON");
            d->Confirm();
        });
        pane->CreateIndex();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Spatial index created!"));
        QCOMPARE(Sql("SELECT owner FROM all_indexes WHERE index_name='COLUMBUS_SIND'").size(), 1);

        pane->WithIndexButton()->setChecked(true);
        pane->ReadSource();
        row = RowOf(pane->Table(), 4, "COLUMBUS_SIND");
        QVERIFY(row >= 0);
        QCOMPARE(pane->Table()->cell(row, 5), QStringLiteral("POLYGON"));
        pane->Table()->selectRow(row);
        WhenOpens<c_DlgOraUpdateSpIndex>([&](c_DlgOraUpdateSpIndex* d) {
            QCOMPARE(d->OkButton()->text(), QStringLiteral("Rebuild Index"));
            QVERIFY(!d->NameField()->isEnabled());
            d->GeometryTypeBox()->setCurrentText("DEFAULT");
            d->Confirm();
        });
        pane->RebuildIndex();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Spatial index rebuild OK!"));
        QCOMPARE(Sql("SELECT owner FROM all_indexes WHERE index_name='COLUMBUS_SIND'").size(), 1);

        pane->DropIndex();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Index droped!"));
        QVERIFY(Sql("SELECT owner FROM all_indexes WHERE index_name='COLUMBUS_SIND'").isEmpty());
        Q_UNUSED(owner);
    }

    void primaryKeyIsDroppedAndAdded() {
        auto* pane = Pane<c_DlgOraPKey>(26);
        QVERIFY(pane);
        pane->ReadSource();
        int row = RowOf(pane->Table(), 1, "COLUMBUS");
        QVERIFY(row >= 0);
        pane->Table()->selectRow(row);
        if (!pane->Table()->cell(row, 3).isEmpty()) {
            m_ui.yesNo = RecordingUi::AnswerYes;
            pane->DeletePrimaryKey();
            QCOMPARE(m_ui.LastMessage(), QStringLiteral("Primary Key deleted."));
            QCOMPARE(pane->Table()->cell(row, 3), QString());
        }
        QVERIFY(Sql("SELECT constraint_name FROM all_constraints WHERE owner='GIS' AND table_name='COLUMBUS' AND "
                    "constraint_type='P'")
                    .isEmpty());

        WhenOpens<c_DlgOraPKeyColumns>([&](c_DlgOraPKeyColumns* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Primary Key Columns - Geoxfer"));
            QCOMPARE(d->NameField()->text(), QStringLiteral("COLUMBUS_PK"));
            const int polyid = RowOf(d->Columns(), 0, "POLYID");
            QVERIFY(polyid >= 0);
            QVERIFY(d->Columns()->checkedRows().isEmpty());
            d->Columns()->setRowChecked(polyid, true);
            d->AddPrimaryKey();
        });
        pane->AddPrimaryKey();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Primary Key Created!"));
        QCOMPARE(pane->Table()->cell(row, 3), QStringLiteral("COLUMBUS_PK"));
        QCOMPARE(Sql("SELECT acc.column_name FROM all_constraints ac, all_cons_columns acc WHERE ac.owner='GIS' AND "
                     "ac.table_name='COLUMBUS' AND ac.constraint_type='P' AND ac.owner=acc.owner AND "
                     "ac.constraint_name=acc.constraint_name"),
                 (QList<QStringList>{{"POLYID"}}));

        bool viewOnly = false;
        WhenOpens<c_DlgOraPKeyColumns>([&](c_DlgOraPKeyColumns* d) {
            viewOnly = !d->AddButton()->isEnabled();
            QCOMPARE(d->Columns()->checkedRows(), (QList<int>{RowOf(d->Columns(), 0, "POLYID")}));
        });
        pane->ViewKeyColumns();
        QVERIFY(viewOnly);
    }

    void norvFdoClassTableRowsAreAddedRenamedAndDeleted() {
        auto* pane = Pane<c_DlgOraFdoViewsTable>(27);
        QVERIFY(pane);
        pane->CreateTable();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Table created."));
        QVERIFY(Sql("SELECT * FROM FDO_CLASSES").isEmpty());
        QCOMPARE(m_app.MainWindow()->StatusText(), QString());

        WhenOpens<c_DlgOraUpdateFdoViews>([&](c_DlgOraUpdateFdoViews* d) {
            d->Field(0)->setText("Columbus");
            d->Field(1)->setText("gis");
            d->Field(2)->setText("columbus");
            d->Field(3)->setText("geometry");
            d->LayerTypeBox()->setCurrentText("POLYGON");
            d->accept();
        });
        pane->AddRow();
        QCOMPARE(pane->Table()->rowCount(), 1);
        QCOMPARE(Sql("SELECT FDO_CLASS_NAME, FDO_ORA_OWNER, FDO_ORA_NAME, FDO_LAYER_GTYPE, FDO_SEQUENCE_NAME FROM "
                     "FDO_CLASSES"),
                 (QList<QStringList>{{"Columbus", "GIS", "COLUMBUS", "POLYGON", "<null>"}}));

        pane->Table()->selectRow(0);
        WhenOpens<c_DlgOraUpdateFdoViews>([&](c_DlgOraUpdateFdoViews* d) {
            QCOMPARE(d->Field(0)->text(), QStringLiteral("Columbus"));
            d->Field(0)->setText("Ohio");
            d->Field(12)->setText("seq_ohio");
            d->accept();
        });
        pane->UpdateRow();
        QCOMPARE(pane->Table()->cell(0, 0), QStringLiteral("Ohio"));
        QCOMPARE(Sql("SELECT FDO_CLASS_NAME, FDO_SEQUENCE_NAME FROM FDO_CLASSES"),
                 (QList<QStringList>{{"Ohio", "SEQ_OHIO"}}));

        pane->Table()->clearRows();
        pane->ReadSource();
        QCOMPARE(pane->TableNameField()->text(), QStringLiteral("fdo_classes"));
        QCOMPARE(pane->Table()->rowCount(), 1);
        QCOMPARE(pane->Table()->cell(0, 1), QStringLiteral("GIS"));
        pane->Table()->selectRow(0);
        pane->DeleteRow();
        QCOMPARE(pane->Table()->rowCount(), 0);
        QVERIFY(Sql("SELECT * FROM FDO_CLASSES").isEmpty());

        m_ui.yesNo = RecordingUi::AnswerYes;
        pane->DropTable();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Table dropped."));
        QVERIFY(Sql("SELECT table_name FROM all_tab_columns WHERE table_name='FDO_CLASSES'").isEmpty());
    }
};

QTEST_MAIN(OracleFlowTest)
#include "OracleFlowTest.moc"
