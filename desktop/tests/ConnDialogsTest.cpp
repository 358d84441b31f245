// The connection dialogs and panes on real files: "New FDO Connection"
// (property table from the provider's dictionary, browse buttons per
// provider, quick-fill, Test Connection, the name check on OK), adding
// through the list (duplicates refused), the Connections List pane, and the
// three selectors.
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "connections/ConnectionStateText.h"
#include "connections/c_DlgConnManager.h"
#include "connections/c_DlgCreateConn.h"
#include "connections/c_DlgFdoSelClass.h"
#include "connections/c_DlgFdoSelConn.h"
#include "connections/c_DlgModalSelConn.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using desktop_test::Button;
using desktop_test::SampleData;

namespace {

QString Columbus() { return SampleData("spData/shapes/columbus.shp"); }
QString Shapes() { return SampleData("spData/shapes"); }

int Index(QComboBox* box, const QString& beginning) { return box->findText(beginning, Qt::MatchStartsWith); }

}  // namespace

class ConnDialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;
    CMaprailApp m_app;

private slots:
    void initTestCase() {
        qputenv("GEOXFER_CONN_LIST", (m_dir.path() + "/geoxferconn.txt").toUtf8());
        m_app.Prepare(QCoreApplication::applicationFilePath());
    }

    void init() { m_ui.Clear(); }

    void newConnectionDialogListsTheProvidersProperties() {
        c_DlgCreateConn dialog(m_app.ConnList());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New FDO Connection"));
        QCOMPARE(dialog.ResultLabel()->text(), QStringLiteral("Click to Test Connection"));
        QVERIFY(dialog.ProviderBox()->count() >= 7);
        QCOMPARE(dialog.PropertyTable()->columnWidth(0), 120);
        const QString shp = dialog.ProviderBox()->itemText(Index(dialog.ProviderBox(), "OSGeo.SHP"));
        dialog.ChooseProvider(shp);
        QVERIFY(dialog.PropertyTable()->rowCount() >= 1);
        QCOMPARE(dialog.PropertyTable()->item(0, 0)->text(), QStringLiteral("DefaultFileLocation"));
        QCOMPARE(dialog.PropertyTable()->item(0, 1)->text(), QString());
        QVERIFY(!dialog.BrowseFileButton()->isHidden());
        QVERIFY(!dialog.BrowseFolderButton()->isHidden());
        dialog.ChooseProvider(dialog.ProviderBox()->itemText(Index(dialog.ProviderBox(), "OSGeo.SDF")));
        QVERIFY(!dialog.BrowseFileButton()->isHidden());
        QVERIFY(dialog.BrowseFolderButton()->isHidden());
        dialog.ChooseProvider(dialog.ProviderBox()->itemText(Index(dialog.ProviderBox(), "Norv.KML")));
        QVERIFY(dialog.BrowseFileButton()->isHidden());
        QVERIFY(dialog.BrowseFolderButton()->isHidden());
    }

    void blankNameIsRefusedAndQuickFillMakesAWorkingConnection() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        c_DlgCreateConn dialog(m_app.ConnList());
        dialog.NameEdit()->setText("   ");
        dialog.accept();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Eneter Connection Name!"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        m_ui.files << Columbus();
        Button(&dialog, "From SHP File...")->click();
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("Shape files (*.shp)|*.shp|All Files (*.*)|*.*||"));
        QVERIFY(dialog.ProviderBox()->currentText().startsWith("OSGeo.SHP"));
        QCOMPARE(dialog.NameEdit()->text(), QStringLiteral("columbus"));
        QCOMPARE(dialog.PropertyTable()->item(0, 1)->text(), Columbus());
        dialog.TestConnection();
        QCOMPARE(dialog.ResultLabel()->text(), QStringLiteral("Connection Sucesfully Open"));
        QVERIFY(m_ui.waitCount > 0);
        QCOMPARE(m_ui.waitDepth, 0);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Result().name, QStringLiteral("columbus"));
        QVERIFY2(dialog.Result().connectionString.contains(Columbus()), qPrintable(dialog.Result().connectionString));

        c_DlgCreateConn folder(m_app.ConnList());
        m_ui.folders << Shapes();
        Button(&folder, "From SHP Folder...")->click();
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("Pick a Folder"));
        QCOMPARE(folder.NameEdit()->text(), QStringLiteral("shapes"));
        QCOMPARE(folder.PropertyTable()->item(0, 1)->text(), Shapes());

        c_DlgCreateConn sdf(m_app.ConnList());
        m_ui.files << m_dir.path() + "/some.sdf";
        Button(&sdf, "From SDF File...")->click();
        QVERIFY(sdf.ProviderBox()->currentText().startsWith("OSGeo.SDF"));
        QCOMPARE(sdf.NameEdit()->text(), QStringLiteral("some"));
        QCOMPARE(sdf.PropertyTable()->item(1, 1)->text(), QStringLiteral("FALSE"));

        // A picker cancelled changes nothing.
        c_DlgCreateConn cancelled(m_app.ConnList());
        const QString before = cancelled.ProviderBox()->currentText();
        Button(&cancelled, "From KML File...")->click();
        QCOMPARE(cancelled.ProviderBox()->currentText(), before);
        QCOMPARE(cancelled.NameEdit()->text(), QString());
    }

    void stateTextsAndAFailingTest() {
        QCOMPARE(ConnectionStateText(FdoConnectionState_Open), QStringLiteral("Connection Sucesfully Open"));
        QCOMPARE(ConnectionStateText(FdoConnectionState_Busy),
                 QStringLiteral("Error: Connection is not opened! Connection Busy!"));
        QCOMPARE(ConnectionStateText(FdoConnectionState_Closed),
                 QStringLiteral("Error: Connection is not opened! Connection Closed!"));
        QCOMPARE(ConnectionStateText(FdoConnectionState_Pending),
                 QStringLiteral("Error: Connection is not opened! Connection Pending!"));
        QCOMPARE(ConnectionStateText(static_cast<FdoConnectionState>(9)),
                 QStringLiteral("Error: Connection is not opened! Unknown connection state!"));

        c_DlgCreateConn dialog(m_app.ConnList());
        dialog.ChooseProvider(dialog.ProviderBox()->itemText(Index(dialog.ProviderBox(), "OSGeo.SDF")));
        dialog.PropertyTable()->item(0, 1)->setText(m_dir.path() + "/missing/none.sdf");
        dialog.TestConnection();
        const QString text = dialog.ResultLabel()->text();
        QVERIFY2(text != QStringLiteral("Click to Test Connection") && text != QStringLiteral("Connection Sucesfully Open"),
                 qPrintable(text));
    }

    void addingThroughTheListRefusesDuplicates() {
        c_ConnList& list = m_app.ConnList();
        list.Add({"Taken", "OSGeo.SHP", "DefaultFileLocation=/x"});
        desktop_test::WhenModalOpens([](QWidget* modal) {
            auto* dialog = dynamic_cast<c_DlgCreateConn*>(modal);
            QVERIFY(dialog);
            dialog->NameEdit()->setText("  Taken ");
            dialog->accept();
        });
        c_ConnData record;
        QVERIFY(!list.AddNew(nullptr, record));
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Unable to Add Connection! Duplicate Connection Name."));

        desktop_test::WhenModalOpens([](QWidget* modal) { dynamic_cast<QDialog*>(modal)->reject(); });
        m_ui.Clear();
        QVERIFY(!list.AddNew(nullptr, record));
        QVERIFY(m_ui.shown.empty());
    }

    void connectionsListPane() {
        c_ConnList& list = m_app.ConnList();
        while (!list.GetRecords().empty()) list.RemoveAt(0);
        c_DlgConnManager pane(m_app, nullptr);
        pane.Activate();
        pane.DeleteSelected();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Connection list is already empty!"));

        list.Add({"One", "OSGeo.SHP", "DefaultFileLocation=/1"});
        list.Add({"Two", "OSGeo.SDF", "File=/2.sdf"});
        pane.Activate();
        QCOMPARE(pane.Table()->rowCount(), 2);
        QCOMPARE(pane.Table()->horizontalHeaderItem(2)->text(), QStringLiteral("Connection String"));
        QCOMPARE(pane.Table()->columnWidth(2), 700);
        QCOMPARE(pane.Table()->item(1, 2)->text(), QStringLiteral("File=/2.sdf"));
        m_ui.Clear();
        pane.DeleteSelected();  // nothing selected: nothing happens
        QCOMPARE(list.GetRecords().size(), size_t(2));
        QVERIFY(m_ui.shown.empty());
        pane.Table()->selectRow(0);
        pane.DeleteSelected();
        QCOMPARE(pane.Table()->rowCount(), 1);
        QCOMPARE(list.GetRecords()[0].name, QStringLiteral("Two"));
        QFile file(list.GetFileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("Name:One"));

        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        m_ui.files << Columbus();
        desktop_test::WhenModalOpens([](QWidget* modal) {
            Button(modal, "From SHP File...")->click();
            dynamic_cast<QDialog*>(modal)->accept();
        });
        pane.AddNewConnection();
        QCOMPARE(pane.Table()->rowCount(), 2);
        QCOMPARE(pane.Table()->item(1, 0)->text(), QStringLiteral("columbus"));
        QCOMPARE(list.GetCurrent().name, QStringLiteral("columbus"));
    }

    void connectionSelectorPreselectsCurrentAndStoresEdits() {
        c_ConnList& list = m_app.ConnList();
        list.Add({"ShpA", "OSGeo.SHP", "DefaultFileLocation=" + Shapes()});
        list.Add({"ShpB", "OSGeo.SHP", "DefaultFileLocation=/nowhere"});
        list.Add({"SdfA", "OSGeo.SDF", "File=/a.sdf"});
        c_DlgFdoSelConn selector(m_app, nullptr);
        list.SetCurrentByName("ShpB");
        selector.Activate();
        QVERIFY(selector.ProviderBox()->currentText().startsWith("OSGeo.SHP"));
        QCOMPARE(selector.GetConnectionName(), QStringLiteral("ShpB"));
        QCOMPARE(selector.ConnectionStringField()->text(), QStringLiteral("DefaultFileLocation=/nowhere"));
        QVERIFY(selector.ConnectionBox()->findText("SdfA") < 0);
        // Reactivation keeps the entries and adds none twice.
        const int providers = selector.ProviderBox()->count();
        selector.Activate();
        QCOMPARE(selector.ProviderBox()->count(), providers);

        selector.ChooseConnection(selector.ConnectionBox()->findText("ShpA"));
        QCOMPARE(list.GetCurrent().name, QStringLiteral("ShpA"));
        selector.ConnectionStringField()->setText("DefaultFileLocation=" + Columbus());
        selector.ConnectionStringField()->setModified(true);
        selector.StoreEditedConnectionString();
        c_ConnData stored;
        QVERIFY(list.Find("ShpA", stored));
        QCOMPARE(stored.connectionString, "DefaultFileLocation=" + Columbus());

        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        selector.TestConnection();
        QCOMPARE(m_ui.shown.back().text, QStringLiteral("Connection Sucesfully Open"));
        QCOMPARE(m_ui.shown.back().extra, QStringLiteral("Test Connection"));

        // The modal dialog makes the chosen name current.
        list.SetCurrentByName("ShpB");
        c_DlgModalSelConn modal(m_app, nullptr);
        QCOMPARE(modal.windowTitle(), QStringLiteral("Select FDO Connection"));
        QCOMPARE(modal.Selector()->GetConnectionName(), QStringLiteral("ShpB"));
        modal.Selector()->ChooseConnection(modal.Selector()->ConnectionBox()->findText("ShpA"));
        list.SetCurrentByName("ShpB");
        modal.accept();
        QCOMPARE(modal.SelectedName(), QStringLiteral("ShpA"));
        QCOMPARE(list.GetCurrent().name, QStringLiteral("ShpA"));
    }

    void classSelectorReadsTheClassesOfTheConnection() {
        SAMPLE_OR_SKIP("spData/shapes/columbus.shp");
        c_ConnList& list = m_app.ConnList();
        c_DlgFdoSelClass selector(m_app, nullptr);
        selector.Activate();
        // The first activation lists the connections of the first provider.
        QStringList expected;
        for (const c_ConnData& r : list.FilterByProvider(selector.ProviderBox()->itemText(0))) expected << r.name;
        QCOMPARE(selector.ConnectionBox()->count(), int(expected.size()));
        selector.ChooseProvider(Index(selector.ProviderBox(), "OSGeo.SHP"));
        QVERIFY(selector.ConnectionBox()->count() > 0);
        selector.ChooseConnection(selector.ConnectionBox()->findText("ShpA"));
        QCOMPARE(list.GetCurrent().name, QStringLiteral("ShpA"));
        QCOMPARE(selector.ClassBox()->count(), 1);
        QVERIFY2(selector.GetClassName().endsWith("columbus"), qPrintable(selector.GetClassName()));

        // The provider chosen stays on the next activation.
        const QString provider = selector.ProviderBox()->currentText();
        selector.Activate();
        QCOMPARE(selector.ProviderBox()->currentText(), provider);

        selector.ChooseProvider(Index(selector.ProviderBox(), "OSGeo.OGR"));
        QCOMPARE(selector.GetConnectionName(), QString());
        m_ui.Clear();
        selector.ReadSchema();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("\nSelect or create new FDO connection"));
        QCOMPARE(selector.ClassBox()->count(), 0);
    }
};

QTEST_MAIN(ConnDialogsTest)
#include "ConnDialogsTest.moc"
