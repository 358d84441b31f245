// The FDO Copy Task Manager window driven through its buttons and tree
// edits: where "Add Class Copy" and "Add Property..." may be used, the
// delete rules over several selected rows, the TRUE/FALSE and SRID rows as
// written to the task file, a hand-written task file read in and written
// back equal, and the whole flow from an SDF file to a shape file folder,
// run from the window and by GXFCmd on the file the window wrote.
#include "DesktopTestSupport.h"
#include "ManagerTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "copytask/CopyTaskItems.h"
#include "copytask/c_DlgFdoCopyTaskAddProperty.h"
#include "copytask/c_DlgFdoCopyTaskManager.h"
#include "copytask/c_DlgFdoUtilCopyTaskManager.h"
#include "schema/c_DlgFdoSchemaManager.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXFCopyTaskDef.h>

#include <GeoxferControls/PropertyTree.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using GxfControls::PropertyItem;
using managers_test::ChooseConnectionWhenAsked;
using managers_test::SharedData;
using managers_test::TaskDifference;
using managers_test::TypeValue;
using managers_test::WhenDialogOpens;

namespace {

QString W(const wchar_t* text) { return QString::fromWCharArray(text ? text : L""); }

QByteArray FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

PropertyItem* FirstOfKind(c_DlgFdoCopyTaskManager* window, int kind, int index = 0) {
    return window->Tree()->findItemsByKind(kind).value(index);
}

int ClassCount(c_GXFCopyTaskDef* task) {
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    return classes->GetCount();
}

c_GXFClassCopyDef* ClassAt(c_GXFCopyTaskDef* task, int index) {
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    FdoPtr<c_GXFClassCopyDef> classDef = classes->GetItem(index);
    return classDef.p;  // the task keeps it
}

int MappingCount(c_GXFClassCopyDef* classDef) {
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = classDef->GetPropertyCopyDefCollection();
    return mappings->GetCount();
}

void AnswerAddProperty(const QString& source, const QString& dest) {
    WhenDialogOpens([source, dest](QDialog* modal) {
        auto* dialog = dynamic_cast<c_DlgFdoCopyTaskAddProperty*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("FDO Copy Task Add Property"));
        QVERIFY(dialog->SourceField()->text().isEmpty() && dialog->DestField()->text().isEmpty());
        dialog->SourceField()->setText(source);
        dialog->DestField()->setText(dest);
    });
}

}  // namespace

class CopyTaskManagerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;
    CMaprailApp m_app;
    c_DlgFdoCopyTaskManager* m_window = nullptr;

    QString Path(const QString& name) const { return m_dir.path() + '/' + name; }

    // Two class copies, the first with one mapping.
    void AddTwoClasses() {
        for (int i = 0; i < 2; ++i) {
            m_window->Tree()->setCurrentItem(FirstOfKind(m_window, ClassCopyCollection));
            m_window->Button("Add Class Copy")->click();
        }
        m_window->Tree()->setCurrentItem(FirstOfKind(m_window, SourceClassNameItem));
        AnswerAddProperty("NAME", "TITLE");
        m_window->Button("Add Property...")->click();
    }

private slots:
    void initTestCase() { m_app.ConnList().SetFileName(Path("geoxferconn.txt")); }

    void init() {
        m_ui.Clear();
        m_ui.files.clear();
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window = new c_DlgFdoCopyTaskManager(m_app, nullptr);
        m_window->show();
    }

    void cleanup() {
        delete m_window;
        m_window = nullptr;
    }

    void launcherPageOpensIndependentWindows() {
        CMaprailDlg main(m_app);
        main.SelectTool(21);
        auto* page = dynamic_cast<c_DlgFdoUtilCopyTaskManager*>(main.CurrentToolPane());
        QVERIFY(page);
        QVERIFY(page->HelpText().startsWith("With Copy Task Manager you can create and manage Copy Task Definition.\n"));
        QVERIFY(page->HelpText().contains("'gxfcmd.exe'\n\nWith FDO Copy Task Manager you can: \n- Set Source of copy\n"));
        QVERIFY(page->HelpText().endsWith("- Execute Copy Task\n"));
        QPushButton* open = desktop_test::Button(page, "Click To Open Copy Task Manager Dialog");
        QVERIFY(open);
        open->click();
        open->click();
        const QList<c_DlgFdoCopyTaskManager*> windows = page->OpenWindows();
        QCOMPARE(windows.size(), 2);
        QVERIFY(windows[0]->Task() != windows[1]->Task());
        QVERIFY(windows[0]->isVisible() && !windows[0]->isModal());
        QCOMPARE(windows[0]->windowTitle(), QString("FDO Copy Task Manager"));
        for (c_DlgFdoCopyTaskManager* window : windows) window->close();
        QTRY_COMPARE(page->OpenWindows().size(), 0);
    }

    void addClassCopyNeedsTheCollection() {
        AddTwoClasses();
        QCOMPARE(ClassCount(m_window->Task()), 2);
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 0)), 1);
        m_ui.Clear();
        m_window->Tree()->setCurrentItem(FirstOfKind(m_window, PropertyCopyItem));
        m_window->Button("Add Class Copy")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select Copy Class Collection to add Copy Class to!"));
        QCOMPARE(m_ui.shown.back().extra, QString("FDO Copy Task Manager"));
        QCOMPARE(ClassCount(m_window->Task()), 2);
        // The new class item is selected.
        m_window->Tree()->setCurrentItem(FirstOfKind(m_window, ClassCopyCollection));
        m_window->Button("Add Class Copy")->click();
        QCOMPARE(m_window->Tree()->currentItem(), FirstOfKind(m_window, ClassCopyItem, 2));
    }

    void addPropertyGoesToTheFocusedClass() {
        AddTwoClasses();
        m_window->Tree()->setCurrentItem(FirstOfKind(m_window, CopyFilterItem, 1));
        AnswerAddProperty("", "");  // empty names are taken as they stand
        m_window->Button("Add Property...")->click();
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 1)), 1);
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 0)), 1);
        QCOMPARE(m_window->Tree()->currentItem()->kind(), int(PropertyCopyItem));
        m_ui.Clear();
        m_window->Tree()->setCurrentItem(FirstOfKind(m_window, SourceProviderItem));
        m_window->Button("Add Property...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select Copy Class to add Property To!"));
        // Cancel adds nothing.
        m_window->Tree()->setCurrentItem(FirstOfKind(m_window, ClassCopyItem, 0));
        WhenDialogOpens([](QDialog* modal) { modal->reject(); });
        m_window->Button("Add Property...")->click();
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 0)), 1);
    }

    void deleteRulesOverSelections() {
        AddTwoClasses();
        GxfControls::PropertyTree* tree = m_window->Tree();
        tree->setCurrentItem(FirstOfKind(m_window, ClassCopyItem, 0));
        tree->setItemSelected(FirstOfKind(m_window, PropertyCopyItem), true);
        m_window->Button("Delete Class Copy...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select only Classes to be delete!"));
        m_window->Button("Delete Property...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select Copy Properties to be delete!"));
        QCOMPARE(ClassCount(m_window->Task()), 2);
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 0)), 1);

        // One property: asked once, No keeps it.
        tree->setCurrentItem(FirstOfKind(m_window, PropertyCopyItem));
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Delete Property...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Delete Copy Property ?"));
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 0)), 1);
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Delete Property...")->click();
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 0)), 0);
        QVERIFY(!FirstOfKind(m_window, PropertyCopyItem));

        // Two classes: one question for both.
        tree->setCurrentItem(FirstOfKind(m_window, ClassCopyItem, 0));
        tree->setItemSelected(FirstOfKind(m_window, ClassCopyItem, 1), true);
        m_ui.Clear();
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Delete Class Copy...")->click();
        QCOMPARE(m_ui.Messages(), QStringList({"Delete Classes ?"}));
        QCOMPARE(ClassCount(m_window->Task()), 2);
        m_ui.Clear();
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Delete Class Copy...")->click();
        QCOMPARE(m_ui.Messages(), QStringList({"Delete Classes ?"}));
        QCOMPARE(ClassCount(m_window->Task()), 0);
        QVERIFY(!FirstOfKind(m_window, ClassCopyItem));
    }

    void singleClassDeleteAsks() {
        AddTwoClasses();
        m_window->Tree()->setCurrentItem(FirstOfKind(m_window, ClassCopyItem, 1));
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Delete Class Copy...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Delete Copy Class ?"));
        QCOMPARE(ClassCount(m_window->Task()), 2);
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Delete Class Copy...")->click();
        QCOMPARE(ClassCount(m_window->Task()), 1);
        QCOMPARE(MappingCount(ClassAt(m_window->Task(), 0)), 1);  // the first one stayed
    }

    void booleanRowsReadTrueWithoutCase() {
        PropertyItem* row = FirstOfKind(m_window, DeleteDestinationDataItem);
        QCOMPARE(row->label(), QString("Delete Destination Data"));
        QVERIFY(TypeValue(m_window->Tree(), row, "true"));
        QVERIFY(m_window->Task()->GetDeleteDestinationData());
        QCOMPARE(row->value(), QString("true"));  // left as typed
        QVERIFY(TypeValue(m_window->Tree(), row, "YES"));
        QVERIFY(!m_window->Task()->GetDeleteDestinationData());
        QVERIFY(TypeValue(m_window->Tree(), FirstOfKind(m_window, ExecuteApplySchemaItem), "FALSE"));
        QVERIFY(!m_window->Task()->GetExecuteApplySchema());
        // Rows without a value of their own cannot be edited.
        m_window->Tree()->editItem(FirstOfKind(m_window, TaskAttributesGroup));
        QVERIFY(!m_window->Tree()->isEditing());
    }

    void theTwoSridRowsShareOneField() {
        QVERIFY(TypeValue(m_window->Tree(), FirstOfKind(m_window, InformixSridItem), "4326"));
        QCOMPARE(m_window->Task()->GetOracle_Attr_SRID(), 4326);
        QCOMPARE(FirstOfKind(m_window, OracleSridItem)->value(), QString("4326"));
        m_ui.files << Path("srid.xml");
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Write to XML...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Copy Task written to XML. View file?"));
        QVERIFY(FileText(Path("srid.xml")).contains("<Oracle_SRID>4326</Oracle_SRID>"));
        QVERIFY(TypeValue(m_window->Tree(), FirstOfKind(m_window, InformixSridItem), ""));
        QCOMPARE(m_window->Task()->GetOracle_Attr_SRID(), -1);
        m_ui.files << Path("srid.xml");
        m_window->Button("Write to XML...")->click();
        QVERIFY(!FileText(Path("srid.xml")).contains("4326"));
        QVERIFY(FileText(Path("srid.xml")).contains("<Oracle_SRID/>") ||
                FileText(Path("srid.xml")).contains("<Oracle_SRID></Oracle_SRID>"));
    }

    void writeAsksToViewTheFile() {
        m_ui.files << Path("view.xml");
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Write to XML...")->click();
        QCOMPARE(m_ui.shown.back().kind, QString("OpenDocument"));
        QCOMPARE(m_ui.shown.back().text, Path("view.xml"));
        // A file that cannot be made shows the writer's message.
        m_ui.Clear();
        m_ui.files << Path("no/such/folder/task.xml");
        m_window->Button("Write to XML...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("c_GXFCopyTaskDef::WriteToXML: General Excpetion"));
    }

    void runWithoutClassesDoesNotRun() {
        m_window->Button("Run Copy Task...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("No Class Copy defined. Create Class Copy with 'Create from Fdo Source' or "
                                             "with 'Add Class Copy'"));
        for (const ShownText& shown : m_ui.shown) QVERIFY(shown.kind != "Progress");
        QCOMPARE(m_ui.waitDepth, 0);
    }

    void handWrittenFileReadsInAndWritesBackEqual() {
        const QByteArray text =
            "<?xml version=\"1.0\"?>\n<FdoCopyTask>\n"
            " <SourceConnection><FdoProvider>OSGeo.SHP</FdoProvider>"
            "<FdoConnectionString>DefaultFileLocation=/data/in</FdoConnectionString></SourceConnection>\n"
            " <DestinationConnection><FdoProvider>OSGeo.SDF</FdoProvider>"
            "<FdoConnectionString>File=/data/out.sdf</FdoConnectionString></DestinationConnection>\n"
            " <ClassCopyDefinition><SourceClassName>Default:roads</SourceClassName>"
            "<DestinationClassName> Roads </DestinationClassName><CopyFilter>LENGTH &gt; 10</CopyFilter>"
            "<PropertyCopyDefinition><SourcePropertyName>NAME</SourcePropertyName>"
            "<DestinationPropertyName>TITLE</DestinationPropertyName></PropertyCopyDefinition>"
            "<PropertyCopyDefinition><SourcePropertyName>ID</SourcePropertyName>"
            "<DestinationPropertyName></DestinationPropertyName></PropertyCopyDefinition></ClassCopyDefinition>\n"
            " <ClassCopyDefinition><SourceClassName>rivers</SourceClassName></ClassCopyDefinition>\n"
            " <CopyTaskAttributes><ExecuteApplySchema>true</ExecuteApplySchema>"
            "<ApplySchemaXMLFile>/data/s.xml</ApplySchemaXMLFile></CopyTaskAttributes>\n"
            " <CopyToSDFAttributes><SDF_OverwriteFile>TRUE</SDF_OverwriteFile></CopyToSDFAttributes>\n"
            " <CopyToOracleAttributes><Oracle_SRID>81989</Oracle_SRID></CopyToOracleAttributes>\n"
            "</FdoCopyTask>\n";
        QVERIFY(WriteText(Path("hand.xml"), text));
        m_ui.files << Path("hand.xml");
        m_window->Button("Read from XML...")->click();
        QVERIFY2(m_ui.Messages().isEmpty(), qPrintable(m_ui.LastMessage()));
        QCOMPARE(ClassCount(m_window->Task()), 2);
        QCOMPARE(FirstOfKind(m_window, ClassCopyItem, 0)->value(), QString("Default:roads"));
        QCOMPARE(FirstOfKind(m_window, OracleSridItem)->value(), QString("81989"));
        QCOMPARE(FirstOfKind(m_window, CreateSpatialContextItem)->value(), QString("FALSE"));
        m_ui.files << Path("hand-back.xml");
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Write to XML...")->click();
        FdoPtr<c_GXFCopyTaskDef> original = new c_GXFCopyTaskDef(), back = new c_GXFCopyTaskDef();
        QVERIFY(original->ReadFromXML(Path("hand.xml").toStdWString().c_str()));
        QVERIFY(back->ReadFromXML(Path("hand-back.xml").toStdWString().c_str()));
        QCOMPARE(TaskDifference(original.p, back.p), QString());
        QCOMPARE(TaskDifference(original.p, m_window->Task()), QString());
    }

    void unreadableFileLeavesAFreshTask() {
        AddTwoClasses();
        QVERIFY(WriteText(Path("broken.xml"), "<FdoCopyTask><SourceConnection>"));
        m_ui.files << Path("broken.xml");
        m_window->Button("Read from XML...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Error Reading file."));
        QCOMPARE(ClassCount(m_window->Task()), 0);
        QVERIFY(FirstOfKind(m_window, ClassCopyCollection));
    }

    void clearAllAsks() {
        AddTwoClasses();
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Clear All...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Delete Copy Task ?"));
        QCOMPARE(ClassCount(m_window->Task()), 2);
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Clear All...")->click();
        QCOMPARE(ClassCount(m_window->Task()), 0);
        QVERIFY(m_window->Task()->GetExecuteApplySchema());
    }

    void connectionTestsReportTheirOutcome() {
        m_window->Button("Test Source Connection")->click();
        QVERIFY(m_ui.LastMessage().startsWith("Source Connection Error: "));
        const QString folder = Path("empty-folder");
        QDir().mkpath(folder);
        m_app.ConnList().Add({"emptyshp", managers_test::ProviderName(m_app, "OSGeo.SHP"), "DefaultFileLocation=" + folder});
        ChooseConnectionWhenAsked("emptyshp");
        m_window->Button("Set FDO Destination...")->click();
        QCOMPARE(W(m_window->Task()->GetDestConnString()), "DefaultFileLocation=" + folder);
        QCOMPARE(FirstOfKind(m_window, DestConnStringItem)->value(), "DefaultFileLocation=" + folder);
        m_window->Button("Test Dest. Connection")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Destination Connection OK"));
        // A cancelled choice changes nothing.
        ChooseConnectionWhenAsked("");
        m_window->Button("Set FDO Source...")->click();
        QCOMPARE(W(m_window->Task()->GetSourceProvider()), QString());
    }

    void schemaManagerButtonOpensOne() {
        const int before = QApplication::topLevelWidgets().size();
        m_window->Button("Schema Manager...")->click();
        c_DlgFdoSchemaManager* opened = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* manager = dynamic_cast<c_DlgFdoSchemaManager*>(widget); manager && manager->isVisible())
                opened = manager;
        QVERIFY(opened);
        QVERIFY(QApplication::topLevelWidgets().size() > before);
        opened->close();
    }

    // Flow: a default task from an SDF file, pointed at a shape file folder,
    // one filter and one mapping edited, written, and run both from the
    // window and by GXFCmd on the written file.
    void sdfFileToShapeFolder() {
        SHARED_OR_SKIP("shp/Sheboygan/VotingDistricts.shp");
        const QString shapes = SharedData("shp/Sheboygan");
        const QString sdfFile = Path("sheboygan.sdf");
        long made = 0;
        QCOMPARE(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", ("DefaultFileLocation=" + shapes).toStdWString().c_str(),
                                             L"VotingDistricts,CityLimits", L"", sdfFile.toStdWString().c_str(),
                                             true, made),
                 0);
        QCOMPARE(made, 14L);
        const QString out = Path("out");
        QDir().mkpath(out);
        m_app.ConnList().Add({"sheboygan-sdf", managers_test::ProviderName(m_app, "OSGeo.SDF"),
                              "File=" + sdfFile + ";ReadOnly=TRUE"});
        m_app.ConnList().Add({"out-folder", managers_test::ProviderName(m_app, "OSGeo.SHP"), "DefaultFileLocation=" + out});

        ChooseConnectionWhenAsked("sheboygan-sdf");
        m_window->Button("Create from FDO Source...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Default Copy Task created OK"));
        QCOMPARE(ClassCount(m_window->Task()), 2);
        QCOMPARE(W(m_window->Task()->GetDestProvider()), QString());
        QCOMPARE(W(m_window->Task()->GetDestConnString()), QString());
        ChooseConnectionWhenAsked("out-folder");
        m_window->Button("Set FDO Destination...")->click();
        QCOMPARE(W(m_window->Task()->GetDestConnString()), "DefaultFileLocation=" + out);

        // The voting districts: a filter, the URL mapping dropped and NAME
        // mapped onto URL instead.
        PropertyItem* districts = nullptr;
        for (PropertyItem* item : m_window->Tree()->findItemsByKind(ClassCopyItem))
            if (item->value().endsWith("VotingDistricts")) districts = item;
        QVERIFY(districts);
        QVERIFY(TypeValue(m_window->Tree(), districts->childItem(2), "ID = '5' OR ID = '6' OR ID = '7'"));
        PropertyItem* group = districts->childItem(3);
        PropertyItem* url = nullptr;
        PropertyItem* name = nullptr;
        for (PropertyItem* mapping : group->childItems()) {
            if (mapping->label() == "URL") url = mapping;
            if (mapping->label() == "NAME") name = mapping;
        }
        QVERIFY(url && name);
        m_window->Tree()->setCurrentItem(url);
        m_window->Button("Delete Property...")->click();
        QVERIFY(TypeValue(m_window->Tree(), name, "URL"));

        const QString taskFile = Path("flow-task.xml");
        m_ui.files << taskFile;
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Write to XML...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Copy Task written to XML. View file?"));

        QStringList chosenIds;
        for (const QString& id : desktop_test::GdalValues(shapes + "/VotingDistricts.shp", "VotingDistricts", "ID"))
            if (id == "5" || id == "6" || id == "7") chosenIds.append(id);
        QVERIFY(!chosenIds.isEmpty());
        m_window->Button("Run Copy Task...")->click();
        QCOMPARE(m_ui.LastMessage(), QStringLiteral("Copy finished OK. Copied: %1 records.").arg(chosenIds.size() + 3));
        bool progressShown = false;
        for (const ShownText& shown : m_ui.shown) progressShown = progressShown || shown.kind == "Progress";
        QVERIFY(progressShown);

        const QString outDistricts = out + "/VotingDistricts.shp";
        QCOMPARE(desktop_test::GdalCount(outDistricts, "VotingDistricts"), long(chosenIds.size()));
        QCOMPARE(desktop_test::GdalValues(outDistricts, "VotingDistricts", "ID"), chosenIds);
        const QStringList urls = desktop_test::GdalValues(outDistricts, "VotingDistricts", "URL");
        QCOMPARE(urls.size(), chosenIds.size());
        for (const QString& url : urls) QVERIFY2(url.startsWith("Voting District "), qPrintable(url));
        for (const QString& name : desktop_test::GdalValues(outDistricts, "VotingDistricts", "NAME")) QVERIFY(name.isEmpty());
        QCOMPARE(desktop_test::GdalCount(out + "/CityLimits.shp", "CityLimits"), 3L);

        // The same file, unchanged, through GXFCmd into an emptied folder.
        for (const QString& file : QDir(out).entryList(QDir::Files)) QVERIFY(QFile::remove(out + '/' + file));
        QString output;
        QCOMPARE(managers_test::RunGxfCmd({"CopyTask", taskFile}, output), 0);
        QVERIFY2(output.contains(QString::number(chosenIds.size() + 3)), qPrintable(output));
        QCOMPARE(desktop_test::GdalValues(outDistricts, "VotingDistricts", "ID"), chosenIds);
        QCOMPARE(desktop_test::GdalValues(outDistricts, "VotingDistricts", "URL"), urls);
        QCOMPARE(desktop_test::GdalCount(out + "/CityLimits.shp", "CityLimits"), 3L);
    }
};

QTEST_MAIN(CopyTaskManagerTest)
#include "CopyTaskManagerTest.moc"
