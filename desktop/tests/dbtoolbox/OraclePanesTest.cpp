// The Oracle toolbox panes and dialogs on the Norv.Oracle stand-in holding
// the spData columbus shape file: the refusals of the common steps (no
// connection, another provider), the row checks, every bad number of
// "Update SDO Metadata", names typed with quotes or ';' that must not run a
// second statement, an existing index name answered No, the key dialog's
// refusals, and the extent rounded outwards. A refused step leaves the
// store as it was, which is read back.
#include "DbPanesTestSupport.h"
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "connections/c_DlgFdoSelConn.h"
#include "oracle/MetadataInput.h"
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
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using dbpanes_test::RowOf;
using dbpanes_test::Rows;
using dbpanes_test::TypeCell;
using dbpanes_test::WhenOpens;

namespace {
const QString kOracle = QStringLiteral("Norv.Oracle");
const QString kConn =
    QStringLiteral("Username=gis;Password=pw;Service=EDGES;OracleSchema=gis;NorvFdoClass=fdo_classes;");
const QString kBadTable = QStringLiteral(
    "Username=gis;Password=pw;Service=EDGES;OracleSchema=gis;NorvFdoClass=t1 (a int); DROP TABLE gis.columbus;");
const QString kNoTable = QStringLiteral("No tables/views read from Oracle! Click on  'Read Oracle Source' button.");

}  // namespace

class OraclePanesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;
    CMaprailApp m_app;
    CMaprailDlg* m_window = nullptr;

    template <class T>
    T* Pane(int code, const QString& connection) {
        m_app.ConnList().SetCurrentByName(connection);
        m_window->SelectTool(23);  // away and back, so the selector is activated again
        m_window->SelectTool(code);
        m_ui.Clear();
        return dynamic_cast<T*>(m_window->CurrentToolPane());
    }
    // The selector left with no connection: a provider that has none.
    void ChooseNoConnection() {
        c_DlgFdoSelConn* selector = m_window->ConnectionSelector();
        selector->ChooseProvider(selector->ProviderBox()->findText("OSGeo.SDF", Qt::MatchStartsWith));
        QCOMPARE(selector->GetConnectionName(), QString());
    }
    QList<QStringList> Sql(const QString& sql) { return Rows(kOracle, kConn, sql); }
    long Features() { return desktop_test::FdoCount(kOracle, kConn, "GIS~COLUMBUS~GEOMETRY"); }
    QList<QStringList> Metadata() {
        return Sql("SELECT SRID,SDO_DIMNAME,SDO_LB,SDO_UB,SDO_TOLERANCE FROM all_sdo_geom_metadata a,  TABLE(select "
                   "diminfo from all_sdo_geom_metadata where owner=a.owner and table_name=a.table_name and "
                   "column_name = a.column_name) b  where a.owner='GIS' and a.table_name='COLUMBUS'");
    }

private slots:
    void initTestCase() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        QCOMPARE(dbpanes_test::PrepareColumbusStore(m_dir.path(), kOracle, kConn), 49L);
        m_app.Prepare(QCoreApplication::applicationFilePath());
        QVERIFY(m_app.ConnList().Add({"OraGis", kOracle, kConn}));
        QVERIFY(m_app.ConnList().Add({"OraBadTable", kOracle, kBadTable}));
        QVERIFY(m_app.ConnList().Add({"Shapes", "OSGeo.SHP", "DefaultFileLocation=" + m_dir.path()}));
        m_window = new CMaprailDlg(m_app);
        m_window->show();
        QCOMPARE(Features(), 49L);
    }
    void cleanupTestCase() { delete m_window; }

    void noConnectionChosen() {
        auto* sdo = Pane<c_DlgOraSdoMetadata>(24, "OraGis");
        ChooseNoConnection();
        sdo->Table()->addRow({"kept"});
        sdo->ReadSource();
        QCOMPARE(m_ui.Messages(), QStringList{"Select FDO Connection!"});
        QCOMPARE(sdo->Table()->rowCount(), 1);

        auto* index = Pane<c_DlgOraSpIndex>(25, "OraGis");
        ChooseNoConnection();
        index->Table()->addRow({"kept"});
        index->ReadSource();
        QCOMPARE(m_ui.Messages(), QStringList{"Select FDO Connection!"});
        QCOMPARE(index->Table()->rowCount(), 1);

        // The key pane empties its table first and says so its own way.
        auto* key = Pane<c_DlgOraPKey>(26, "OraGis");
        ChooseNoConnection();
        key->Table()->addRow({"gone"});
        key->ReadSource();
        QCOMPARE(m_ui.Messages(), QStringList{"\nUnable to create FDO connection!"});
        QCOMPARE(key->Table()->rowCount(), 0);

        auto* classes = Pane<c_DlgOraFdoViewsTable>(27, "OraGis");
        ChooseNoConnection();
        classes->Table()->addRow({"kept"});
        classes->ReadSource();
        QCOMPARE(m_ui.Messages(), QStringList{"Select FDO Connection!"});
        QCOMPARE(classes->Table()->rowCount(), 1);
        classes->Table()->clearRows();
    }

    void otherProviderRefusedBeforeReading() {
        const QString refused = QStringLiteral("Select Norv.Oracle connection!");
        Pane<c_DlgOraSdoMetadata>(24, "Shapes")->ReadSource();
        QCOMPARE(m_ui.Messages(), QStringList{refused});
        Pane<c_DlgOraSpIndex>(25, "Shapes")->ReadSource();
        QCOMPARE(m_ui.Messages(), QStringList{refused});
        Pane<c_DlgOraFdoViewsTable>(27, "Shapes")->ReadSource();
        QCOMPARE(m_ui.Messages(), QStringList{refused});
        QCOMPARE(m_window->StatusText(), QString());
        Pane<c_DlgOraPKey>(26, "Shapes")->ReadSource();
        QCOMPARE(m_ui.Messages(),
                 QStringList{"\nYou need to select connection on Oracle, using Norv.Oracle provider!"});
    }

    void rowChecks() {
        auto* sdo = Pane<c_DlgOraSdoMetadata>(24, "OraGis");
        sdo->Table()->clearRows();
        sdo->SetMetadata();
        sdo->DeleteMetadata();
        QCOMPARE(m_ui.Messages(), (QStringList{kNoTable, kNoTable}));
        sdo->ReadSource();
        QVERIFY(sdo->Table()->rowCount() > 0);
        sdo->Table()->clearSelection();
        m_ui.Clear();
        sdo->DeleteMetadata();
        QCOMPARE(m_ui.Messages(), QStringList{"Select one table/view."});
        QCOMPARE(Metadata().size(), 2);

        auto* key = Pane<c_DlgOraPKey>(26, "OraGis");
        key->ReadSource();
        key->Table()->clearSelection();
        key->AddPrimaryKey();
        key->DeletePrimaryKey();
        QCOMPARE(m_ui.Messages(), (QStringList{"Select one table/view to add primary key to it.",
                                               "Select one table/view."}));
        const int row = RowOf(key->Table(), 1, "COLUMBUS");
        key->Table()->setCell(row, 3, QString());
        key->Table()->selectRow(row);
        m_ui.Clear();
        key->DeletePrimaryKey();
        key->ViewKeyColumns();
        QCOMPARE(m_ui.Messages(),
                 (QStringList{"Table/View doesn't have Primary Key.", "Table/View doesn't have Primary Key."}));

        auto* index = Pane<c_DlgOraSpIndex>(25, "OraGis");
        index->WithoutIndexButton()->setChecked(true);
        index->Table()->clearRows();
        index->Table()->addRow({"GIS", "COLUMBUS", "GEOMETRY"});
        index->Table()->selectRow(0);
        index->RebuildIndex();
        index->DropIndex();
        QCOMPARE(m_ui.Messages().value(0), QStringLiteral("No index to rebuild!"));
        QCOMPARE(m_ui.Messages().size(), 2);
        index->WithIndexButton()->setChecked(true);
    }

    void metadataDialogRefusesBadNumbers() {
        auto* sdo = Pane<c_DlgOraSdoMetadata>(24, "OraGis");
        sdo->ReadSource();
        sdo->Table()->selectRow(RowOf(sdo->Table(), 1, "COLUMBUS"));
        const QList<QStringList> before = Metadata();
        QStringList shown;
        WhenOpens<c_DlgOraUpdateMetadata>([&](c_DlgOraUpdateMetadata* d) {
            auto* g = d->Grid();
            auto attempt = [&](int row, int column, const QString& text) {
                TypeCell(g, row, column, text);
                m_ui.Clear();
                d->SetMetadata();
                shown << m_ui.LastMessage();
                QVERIFY(d->isVisible());
            };
            attempt(0, 1, "12abc");
            attempt(0, 1, "");
            attempt(0, 1, "nan");
            TypeCell(g, 0, 1, "0");
            attempt(0, 2, "x");
            attempt(0, 2, "0");  // equal bounds
            TypeCell(g, 0, 2, "20");
            attempt(0, 3, "0.5.");
            attempt(0, 3, "-0.1");
            TypeCell(g, 0, 3, "0");  // accepted
            d->SridField()->setText("4326,8307");
            m_ui.Clear();
            d->SetMetadata();
            shown << m_ui.LastMessage();
            d->SridField()->setText("-1");
            m_ui.Clear();
            d->SetMetadata();
            shown << m_ui.LastMessage();
            d->SridField()->setText("99999999999");
            m_ui.Clear();
            d->SetMetadata();
            shown << m_ui.LastMessage();
            // Rows after the first without a name are not read, whatever they hold.
            TypeCell(g, 2, 0, "");
            TypeCell(g, 2, 1, "bad");
            TypeCell(g, 3, 0, "M");
            TypeCell(g, 3, 1, "bad");
            d->SridField()->setText("NULL");
            m_ui.Clear();
            d->SetMetadata();
            QVERIFY(m_ui.Messages().isEmpty());
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(Metadata(), before);  // nothing sent before the good attempt
        sdo->SetMetadata();
        QCOMPARE(shown, (QStringList{"Error Lower Bound! Invalid number!", "Error Lower Bound! Invalid number!",
                                     "Error Lower Bound! Invalid number!", "Error Upper Bound! Invalid number!",
                                     "Error Bounds! Lower bound should be smaller than upper bound!",
                                     "Error Tolerance! Invalid number!", "Invalid Tolerance value! ",
                                     "Error SRID! Invalid number!", "Invalid SRID value!",
                                     "Error SRID! Invalid number!"}));
        const QList<QStringList> after = Metadata();
        QCOMPARE(after.size(), 2);
        QCOMPARE(after[0], (QStringList{"<null>", "X", "0", "20", "0"}));
        QCOMPARE(after[1][1], QStringLiteral("Y"));
    }

    void indexNamesCannotRunASecondStatement() {
        auto* index = Pane<c_DlgOraSpIndex>(25, "OraGis");
        index->ReadSource();
        const int row = RowOf(index->Table(), 1, "COLUMBUS");
        QVERIFY(row >= 0);
        const QString existing = index->Table()->cell(row, 4);
        index->Table()->selectRow(row);
        bool stayedOpen = false;
        WhenOpens<c_DlgOraUpdateSpIndex>([&](c_DlgOraUpdateSpIndex* d) {
            d->NameField()->setText("   ");
            d->Confirm();
            QCOMPARE(m_ui.LastMessage(), QStringLiteral("Enter Index Name!"));
            d->NameField()->setText("X_SIND ON gis.columbus (geometry); DROP TABLE gis.columbus");
            d->Confirm();
            QVERIFY(!m_window->StatusText().isEmpty());
            // An existing name: asked, and No changes nothing.
            m_ui.yesNo = RecordingUi::AnswerNo;
            d->NameField()->setText(existing);
            m_ui.Clear();
            d->Confirm();
            QCOMPARE(m_ui.Messages(), QStringList{"Index with that name already exists. Delete existing index ?"});
            stayedOpen = d->isVisible();
        });
        index->CreateIndex();
        m_ui.yesNo = RecordingUi::AnswerYes;
        QVERIFY(stayedOpen);
        QCOMPARE(Features(), 49L);
        QCOMPARE(Sql("SELECT owner FROM all_indexes WHERE index_name='" + existing + "'").size(), 1);
        QVERIFY(Sql("SELECT owner FROM all_indexes WHERE index_name='X_SIND'").isEmpty());
    }

    void keyDialogRefusals() {
        auto* key = Pane<c_DlgOraPKey>(26, "OraGis");
        key->ReadSource();
        const int row = RowOf(key->Table(), 1, "COLUMBUS");
        key->Table()->selectRow(row);
        const QList<QStringList> keyBefore = Sql(
            "SELECT constraint_name FROM all_constraints WHERE owner='GIS' AND table_name='COLUMBUS' AND "
            "constraint_type='P'");
        QStringList shown;
        WhenOpens<c_DlgOraPKeyColumns>([&](c_DlgOraPKeyColumns* d) {
            for (int r : d->Columns()->checkedRows()) d->Columns()->setRowChecked(r, false);
            d->AddPrimaryKey();
            shown << m_ui.LastMessage();
            d->Columns()->setRowChecked(0, true);
            d->NameField()->setText("K'1) ; DROP TABLE gis.columbus");
            d->AddPrimaryKey();
            shown << m_ui.LastMessage();
            QVERIFY(d->isVisible());
        });
        key->AddPrimaryKey();
        QCOMPARE(shown, (QStringList{"You need to select at least one column fro primary key",
                                     "Error creating Primary Key!"}));
        QVERIFY(!m_window->StatusText().isEmpty());
        QCOMPARE(Features(), 49L);
        QCOMPARE(Sql("SELECT constraint_name FROM all_constraints WHERE owner='GIS' AND table_name='COLUMBUS' AND "
                     "constraint_type='P'"),
                 keyBefore);
    }

    void classTableNameAndValuesCannotRunASecondStatement() {
        auto* classes = Pane<c_DlgOraFdoViewsTable>(27, "OraBadTable");
        classes->CreateTable();
        QVERIFY(!m_window->StatusText().isEmpty());
        QCOMPARE(Features(), 49L);

        classes = Pane<c_DlgOraFdoViewsTable>(27, "OraGis");
        classes->CreateTable();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Table created."));
        const QString tricky = QStringLiteral("it's'); DROP TABLE gis.columbus; --");
        WhenOpens<c_DlgOraUpdateFdoViews>([&](c_DlgOraUpdateFdoViews* d) {
            d->Field(0)->setText(tricky);
            d->Field(1)->setText("o'wner");
            d->accept();
        });
        classes->AddRow();
        QCOMPARE(Sql("SELECT FDO_CLASS_NAME, FDO_ORA_OWNER FROM FDO_CLASSES"),
                 (QList<QStringList>{{tricky, "O'WNER"}}));
        QCOMPARE(Features(), 49L);
        // A cancelled dialog adds nothing.
        WhenOpens<c_DlgOraUpdateFdoViews>([](c_DlgOraUpdateFdoViews* d) { d->reject(); });
        classes->AddRow();
        QCOMPARE(classes->Table()->rowCount(), 1);
        QCOMPARE(Sql("SELECT FDO_CLASS_NAME FROM FDO_CLASSES").size(), 1);
    }

    void doubleClickOnARowOpensItsDialog() {
        auto* sdo = Pane<c_DlgOraSdoMetadata>(24, "OraGis");
        sdo->ReadSource();
        sdo->Table()->selectRow(0);
        bool opened = false;
        WhenOpens<c_DlgOraUpdateMetadata>([&](c_DlgOraUpdateMetadata* d) {
            opened = true;
            d->reject();
        });
        QTableView* view = sdo->Table()->tableView();
        const QPoint at = view->visualRect(view->model()->index(0, 1)).center();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTRY_VERIFY(opened);
    }

    void extentRoundedOutwards() {
        QCOMPARE(LowerBoundText(1234567.89), QStringLiteral("1.23456e+06"));
        QCOMPARE(UpperBoundText(1234567.89), QStringLiteral("1.23457e+06"));
        QCOMPARE(LowerBoundText(-1234567.89), QStringLiteral("-1.23457e+06"));
        QCOMPARE(UpperBoundText(-1234567.89), QStringLiteral("-1.23456e+06"));
        QCOMPARE(LowerBoundText(-180), QStringLiteral("-180"));
        QCOMPARE(UpperBoundText(0.05), QStringLiteral("0.05"));
        QCOMPARE(ParseMetadataInput({{"X", "-180", "180", "0.05"}}, "8307").srid, 8307L);
    }
};

QTEST_MAIN(OraclePanesTest)
#include "OraclePanesTest.moc"
