// The SQL Server toolbox's "NorvFdoClass" pane on the Norv.MsSqlSpatial
// stand-in holding the spData columbus shape file: the refusals before
// anything is read (no connection, another provider, an empty NorvFdoClass
// property), then the whole administration through the pane: create the
// table, add a row, rename it, delete it, drop the table, with texts that
// hold quotes and ';' stored as typed and no second statement run. After
// each step the store itself is read back.
#include "DbPanesTestSupport.h"
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "connections/c_DlgFdoSelConn.h"
#include "mssql/c_DlgMssFdoViewsTable.h"
#include "mssql/c_DlgMssUpdateFdoViews.h"

#include <GeoxferControls/EditableList.h>

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using dbpanes_test::RowOf;
using dbpanes_test::Rows;
using dbpanes_test::WhenOpens;

namespace {
const QString kMss = QStringLiteral("Norv.MsSqlSpatial");
const QString kConn = QStringLiteral("Server=sql1;Database=gisdb;Username=sa;Password=pw;NorvFdoClass=fdo_classes;");
const QString kNoTable = QStringLiteral("Server=sql1;Database=gisdb;Username=sa;Password=pw;");
const QString kEmptyProperty = QStringLiteral(
    "Empty connection property 'NorvFdoClass'. You need to set table name to be created. Set name of the table in "
    "connection property 'NorvFdoClass'.");
}  // namespace

class MssPaneTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;
    CMaprailApp m_app;
    CMaprailDlg* m_window = nullptr;

    c_DlgMssFdoViewsTable* Pane(const QString& connection) {
        m_app.ConnList().SetCurrentByName(connection);
        m_window->SelectTool(28);  // away and back, so the selector is activated again
        m_window->SelectTool(29);
        m_ui.Clear();
        return dynamic_cast<c_DlgMssFdoViewsTable*>(m_window->CurrentToolPane());
    }
    QList<QStringList> Sql(const QString& sql) { return Rows(kMss, kConn, sql); }
    // Answers the next dialog with the fields (in dialog order) and OK.
    void Enter(const QStringList& fields) {
        WhenOpens<c_DlgMssUpdateFdoViews>([fields](c_DlgMssUpdateFdoViews* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("NorvFdoClass"));
            for (int i = 0; i < fields.size(); i++) {
                if (d->Field(i)) d->Field(i)->setText(fields[i]);
                else d->LayerTypeBox()->setCurrentText(fields[i]);
            }
            d->accept();
        });
    }

private slots:
    void initTestCase() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        QCOMPARE(dbpanes_test::PrepareColumbusStore(m_dir.path(), kMss, kConn), 49L);
        m_app.Prepare(QCoreApplication::applicationFilePath());
        QVERIFY(m_app.ConnList().Add({"MssGis", kMss, kConn}));
        QVERIFY(m_app.ConnList().Add({"MssNoTable", kMss, kNoTable}));
        QVERIFY(m_app.ConnList().Add(
            {"OraGis", "Norv.Oracle", "Username=gis;Password=pw;Service=MSS;OracleSchema=gis;NorvFdoClass=t;"}));
        m_window = new CMaprailDlg(m_app);
        m_window->show();
    }
    void cleanupTestCase() { delete m_window; }

    void otherProviderIsRefusedBeforeAnythingIsRead() {
        auto* pane = Pane("OraGis");
        QVERIFY(pane);
        QCOMPARE(m_window->ConnectionSelector()->GetConnectionName(), QStringLiteral("OraGis"));
        pane->Table()->addRow({"kept"});
        pane->ReadSource();
        QCOMPARE(m_ui.Messages(),
                 QStringList{"Select MS SQL Server connection, using Norv.MsSqlSpatial provider!"});
        // The table is emptied once the selector has given a name.
        QCOMPARE(pane->Table()->rowCount(), 0);
        QCOMPARE(pane->TableNameField()->text(), QString());
    }

    void emptyPropertyIsReportedAndNothingIsWritten() {
        auto* pane = Pane("MssNoTable");
        pane->Table()->addRow({"S", "kept"});
        pane->ReadSource();
        QCOMPARE(pane->Table()->rowCount(), 0);
        QCOMPARE(pane->TableNameField()->text(), QString());
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("NorvFdoClass connection Property is empty! Set table Name to be "
                                                    "used in Connection Property 'NorvFdoClass'."));
        m_ui.Clear();
        Enter({"S", "Lost"});
        pane->AddRow();
        QCOMPARE(m_ui.Messages(), QStringList{kEmptyProperty});
        QCOMPARE(pane->Table()->rowCount(), 0);
        m_ui.Clear();
        pane->CreateTable();
        QCOMPARE(m_ui.Messages(), QStringList{kEmptyProperty});
        m_ui.Clear();
        pane->DropTable();
        QCOMPARE(m_ui.Messages(), QStringList{kEmptyProperty});  // asked nothing
    }

    void noSelectionDoesNothing() {
        auto* pane = Pane("MssGis");
        pane->Table()->clearRows();
        pane->DeleteRow();
        pane->UpdateRow();
        QVERIFY(m_ui.shown.empty());
    }

    void wholeAdministrationThroughThePane() {
        auto* pane = Pane("MssGis");
        pane->CreateTable();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Table created."));
        // A second create is refused by the server; the message is on the status line.
        pane->CreateTable();
        QVERIFY(!m_window->StatusText().isEmpty());

        Enter({"dbo", "Columbus", "dbo", "columbus", "geometry", "", "", "POLYGON", "polyid"});
        pane->AddRow();
        QCOMPARE(pane->Table()->rows(),
                 (QList<QStringList>{{"dbo", "Columbus", "dbo", "columbus", "", "", "geometry", "polyid", "POLYGON"}}));
        QCOMPARE(Sql("SELECT FDO_SCHEMA, FDO_CLASS_NAME, QUERY_NAME, GEOM_TABLE_NAME, GEOM_COLUMN, CLASSIDENTITY, "
                     "GEOMETRY_TYPE FROM FDO_CLASSES"),
                 (QList<QStringList>{{"DBO", "Columbus", "COLUMBUS", "<null>", "GEOMETRY", "POLYID", "POLYGON"}}));

        // Quotes and ';' stay text: stored as typed, no second statement.
        const QString tricky = QStringLiteral("O'Hare'); DROP TABLE FDO_CLASSES; --");
        pane->Table()->selectRow(0);
        WhenOpens<c_DlgMssUpdateFdoViews>([&](c_DlgMssUpdateFdoViews* d) {
            QCOMPARE(d->Field(1)->text(), QStringLiteral("Columbus"));
            QCOMPARE(d->Field(4)->text(), QStringLiteral("geometry"));
            d->Field(1)->setText(tricky);
            d->accept();
        });
        pane->UpdateRow();
        QCOMPARE(m_window->StatusText(), QString());
        QCOMPARE(pane->Table()->cell(0, 1), tricky);
        QCOMPARE(Sql("SELECT FDO_CLASS_NAME FROM FDO_CLASSES"), (QList<QStringList>{{tricky}}));

        // A value too long for its column is refused: the row stays in the
        // store and in the pane as it was.
        pane->Table()->selectRow(0);
        WhenOpens<c_DlgMssUpdateFdoViews>([&](c_DlgMssUpdateFdoViews* d) {
            d->Field(0)->setText(QString(200, 'x'));
            d->accept();
        });
        pane->UpdateRow();
        QVERIFY(!m_window->StatusText().isEmpty());
        QCOMPARE(pane->Table()->cell(0, 0), QStringLiteral("dbo"));
        QCOMPARE(Sql("SELECT FDO_SCHEMA, FDO_CLASS_NAME FROM FDO_CLASSES"), (QList<QStringList>{{"DBO", tricky}}));

        pane->ReadSource();
        QCOMPARE(pane->TableNameField()->text(), QStringLiteral("fdo_classes"));
        QCOMPARE(pane->Table()->rows(),
                 (QList<QStringList>{{"DBO", tricky, "DBO", "COLUMBUS", "", "", "GEOMETRY", "POLYID", "POLYGON"}}));

        // Two rows of one class name: deleting removes both from the store.
        Enter({"dbo", tricky});
        pane->AddRow();
        QCOMPARE(Sql("SELECT FDO_CLASS_NAME FROM FDO_CLASSES").size(), 2);
        pane->Table()->selectRow(0);
        pane->DeleteRow();
        QCOMPARE(pane->Table()->rowCount(), 1);
        QVERIFY(Sql("SELECT FDO_CLASS_NAME FROM FDO_CLASSES").isEmpty());

        m_ui.yesNo = RecordingUi::AnswerNo;
        pane->DropTable();
        QCOMPARE(pane->Table()->rowCount(), 0);
        QCOMPARE(Sql("SELECT COUNT(*) FROM FDO_CLASSES"), (QList<QStringList>{{"0"}}));
        m_ui.yesNo = RecordingUi::AnswerYes;
        pane->DropTable();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Table dropped."));
        QVERIFY(Sql("SELECT COUNT(*) FROM FDO_CLASSES").isEmpty());
        // The data table was never touched.
        QCOMPARE(desktop_test::FdoClasses(kMss, kConn).size(), 1);
    }
};

QTEST_MAIN(MssPaneTest)
#include "MssPaneTest.moc"
