// The FDO Schema Manager window driven through its buttons and tree edits,
// with the class manager and its dialogs answered as a user would: the
// edge cases of its buttons and renames, every reference schema file read
// and written back, and the whole flow from a shape file folder to a new
// SDF file whose schema reads back as written.
#include "DesktopTestSupport.h"
#include "ManagerTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "schema/c_DlgAddProperty.h"
#include "schema/c_DlgFdoClassManager.h"
#include "schema/c_DlgFdoCopyClassName.h"
#include "schema/c_DlgFdoSchemaManager.h"
#include "schema/c_DlgFdoUtilSchemaManager.h"

#include <Fdo.h>

#include <GeoxferControls/PropertyTree.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using GxfControls::PropertyItem;
using managers_test::ChooseConnectionWhenAsked;
using managers_test::ClassNames;
using managers_test::CompareSchemas;
using managers_test::ReadSchemas;
using managers_test::Row;
using managers_test::SharedData;
using managers_test::TypeValue;
using managers_test::WhenDialogOpens;

namespace {

QString W(const wchar_t* text) { return QString::fromWCharArray(text ? text : L""); }

// Adds a property through the class manager's "Add Property..." button.
void AddProperty(c_DlgFdoClassManager* manager, const QString& name, bool geometric) {
    WhenDialogOpens([name, geometric](QDialog* modal) {
        auto* dialog = dynamic_cast<c_DlgAddProperty*>(modal);
        QVERIFY(dialog);
        dialog->NameField()->setText(name);
        (geometric ? dialog->GeometryTypeButton() : dialog->DataTypeButton())->setChecked(true);
    });
    manager->Button("Add Property...")->click();
}

PropertyItem* ClassRow(c_DlgFdoClassManager* manager, const QString& label) {
    for (PropertyItem* item : manager->Tree()->findItemsByKind(c_DlgFdoClassManager::ClassAttribute))
        if (item->label() == label) return item;
    return nullptr;
}

PropertyItem* PropertyRow(c_DlgFdoClassManager* manager, const QString& property, const QString& label) {
    for (PropertyItem* node : manager->Tree()->findItemsByKind(c_DlgFdoClassManager::Property))
        if (node->label() == property)
            for (PropertyItem* row : node->childItems())
                if (row->label() == label) return row;
    return nullptr;
}

PropertyItem* SchemaNode(c_DlgFdoSchemaManager* window, const QString& name) {
    for (PropertyItem* node : window->Tree()->findItemsByKind(c_DlgFdoSchemaManager::SchemaNode))
        if (node->label() == name) return node;
    return nullptr;
}

PropertyItem* ClassNode(c_DlgFdoSchemaManager* window, const QString& name) {
    for (PropertyItem* node : window->Tree()->findItemsByKind(c_DlgFdoSchemaManager::ClassNode))
        if (node->label() == name) return node;
    return nullptr;
}

PropertyItem* ClassNameRow(c_DlgFdoSchemaManager* window, const QString& className) {
    PropertyItem* node = ClassNode(window, className);
    return node ? node->childItem(0) : nullptr;
}

}  // namespace

class SchemaManagerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;
    CMaprailApp m_app;
    c_DlgFdoSchemaManager* m_window = nullptr;

    QString Path(const QString& name) const { return m_dir.path() + '/' + name; }

    // A collection of one schema "Land" holding Parcel and Road, read from
    // a file the test writes.
    void LoadLand() {
        FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
        FdoPtr<FdoFeatureSchema> land = FdoFeatureSchema::Create(L"Land", L"parcels and roads");
        schemas->Add(land.p);
        FdoPtr<FdoClassCollection> classes = land->GetClasses();
        for (const wchar_t* name : {L"Parcel", L"Road"}) {
            FdoPtr<FdoFeatureClass> c = FdoFeatureClass::Create(name, L"");
            FdoPtr<FdoPropertyDefinitionCollection> properties = c->GetProperties();
            FdoPtr<FdoDataPropertyDefinition> id = FdoDataPropertyDefinition::Create(L"ID", L"");
            id->SetDataType(FdoDataType_Int32);
            id->SetNullable(false);
            FdoPtr<FdoGeometricPropertyDefinition> geom = FdoGeometricPropertyDefinition::Create(L"GEOM", L"");
            properties->Add(id.p);
            properties->Add(geom.p);
            FdoPtr<FdoDataPropertyDefinitionCollection> identity = c->GetIdentityProperties();
            identity->Add(id.p);
            c->SetGeometryProperty(geom.p);
            classes->Add(c.p);
        }
        schemas->WriteXml(Path("land.xml").toStdWString().c_str());
        m_ui.files << Path("land.xml");
        m_window->Button("Read from XML...")->click();
    }

private slots:
    void initTestCase() {
        m_app.ConnList().SetFileName(Path("geoxferconn.txt"));
    }

    void init() {
        m_ui.Clear();
        m_ui.files.clear();
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window = new c_DlgFdoSchemaManager(m_app, nullptr);
        m_window->show();
    }

    void cleanup() {
        delete m_window;
        m_window = nullptr;
    }

    void launcherPaneOpensIndependentWindows() {
        CMaprailDlg main(m_app);
        main.SelectTool(20);
        auto* pane = dynamic_cast<c_DlgFdoUtilSchemaManager*>(main.CurrentToolPane());
        QVERIFY(pane);
        QVERIFY(pane->HelpText().startsWith("With Schema Manager you can create and manage FDO Schema.\r\nYou can read"));
        QVERIFY(pane->HelpText().contains("\r\n\r\nWith FDO Schema Manager you can: \r\n- Add, Update, Delete FDO Schema\r\n"));
        QVERIFY(pane->HelpText().endsWith("- Write Schema to XML or FDO Source\r\n"));
        QPushButton* open = desktop_test::Button(pane, "Click To Open Schema Manager Dialog");
        QVERIFY(open);
        open->click();
        open->click();
        const QList<c_DlgFdoSchemaManager*> windows = pane->OpenWindows();
        QCOMPARE(windows.size(), 2);
        QVERIFY(windows[0]->isVisible() && !windows[0]->isModal());
        QCOMPARE(windows[0]->windowTitle(), QString("FDO Schema Manager"));
        QVERIFY(windows[0]->ApplyAsAddBox()->isChecked());
        windows[0]->Button("Add Schema...")->click();
        QCOMPARE(windows[0]->Schemas()->GetCount(), 1);
        QCOMPARE(windows[1]->Schemas()->GetCount(), 0);
        windows[0]->Button("Close")->click();
        QTRY_COMPARE(pane->OpenWindows().size(), 1);
        windows[1]->close();
    }

    void addSchemaTwiceAndDeleteAnEmptyOneWithoutAQuestion() {
        m_window->Button("Add Schema...")->click();
        m_window->Button("Add Schema...")->click();
        QCOMPARE(ClassNames(m_window->Schemas()), QStringList());
        QVERIFY(SchemaNode(m_window, "New Schema"));
        QVERIFY(SchemaNode(m_window, "New Schema 2"));
        m_window->Tree()->setCurrentItem(SchemaNode(m_window, "New Schema"));
        m_window->Button("Delete Schema...")->click();
        QVERIFY(m_ui.shown.empty());
        QCOMPARE(m_window->Schemas()->GetCount(), 1);
        QVERIFY(!SchemaNode(m_window, "New Schema"));
        // Without a schema node selected.
        m_window->Tree()->setCurrentItem(m_window->Tree()->topLevelItem(0));
        m_window->Button("Delete Schema...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select Schema to delete!"));
    }

    void deletingASchemaWithClassesAsksFirst() {
        LoadLand();
        m_window->Tree()->setCurrentItem(SchemaNode(m_window, "Land"));
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Delete Schema...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Schema contains classes! Delete schema ?"));
        QCOMPARE(m_ui.shown.back().extra, QString("FDO Schema Manager"));
        QCOMPARE(m_window->Schemas()->GetCount(), 1);
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Delete Schema...")->click();
        QCOMPARE(m_window->Schemas()->GetCount(), 0);
    }

    void clearAll() {
        m_window->Button("Clear All...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Schema Collection is already empty!"));
        LoadLand();
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Clear All...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Delete all Schemas and Classes"));
        QCOMPARE(m_window->Schemas()->GetCount(), 1);
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Clear All...")->click();
        QCOMPARE(m_window->Schemas()->GetCount(), 0);
        QCOMPARE(m_window->Tree()->topLevelItem(0)->childCount(), 0);
    }

    void renamesInTheTree() {
        LoadLand();
        QVERIFY(TypeValue(m_window->Tree(), ClassNameRow(m_window, "Road"), "Parcel"));
        QCOMPARE(m_ui.LastMessage(), QString("Error: Duplicated name of Class!"));
        QCOMPARE(ClassNameRow(m_window, "Road")->value(), QString("Road"));
        QCOMPARE(ClassNames(m_window->Schemas()), QStringList({"Land:Parcel", "Land:Road"}));
        QVERIFY(TypeValue(m_window->Tree(), ClassNameRow(m_window, "Road"), "Street"));
        QCOMPARE(ClassNames(m_window->Schemas()), QStringList({"Land:Parcel", "Land:Street"}));
        QVERIFY(ClassNode(m_window, "Street"));
        // The schema's name and description.
        PropertyItem* attributes = SchemaNode(m_window, "Land")->childItem(0);
        QVERIFY(TypeValue(m_window->Tree(), attributes->childItem(0), "Cadastre"));
        QVERIFY(TypeValue(m_window->Tree(), attributes->childItem(1), "all of it"));
        FdoPtr<FdoFeatureSchema> schema = m_window->Schemas()->GetItem(0);
        QCOMPARE(W(schema->GetName()), QString("Cadastre"));
        QCOMPARE(W(schema->GetDescription()), QString("all of it"));
        QVERIFY(SchemaNode(m_window, "Cadastre"));
    }

    void editClassRefusesASiblingsNameOnOk() {
        LoadLand();
        m_window->Tree()->setCurrentItem(ClassNameRow(m_window, "Road"));  // a row inside the class will do
        WhenDialogOpens([](QDialog* modal) {
            auto* manager = dynamic_cast<c_DlgFdoClassManager*>(modal);
            QVERIFY(manager);
            QVERIFY(TypeValue(manager->Tree(), ClassRow(manager, "Name"), "Parcel"));
        });
        m_window->Button("Edit Class...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Error: Duplicated name of Class!"));
        QCOMPARE(ClassNames(m_window->Schemas()), QStringList({"Land:Parcel", "Land:Road"}));
        QVERIFY(ClassNode(m_window, "Road"));
        // Nothing selected.
        m_window->Tree()->setCurrentItem(m_window->Tree()->topLevelItem(0));
        m_window->Button("Edit Class...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select Class to edit!"));
    }

    void editClassRulesAndCancel() {
        LoadLand();
        m_window->Tree()->setCurrentItem(ClassNode(m_window, "Parcel"));
        WhenDialogOpens([this](QDialog* modal) {
            auto* manager = dynamic_cast<c_DlgFdoClassManager*>(modal);
            QVERIFY(manager);
            // Identity: a geometric second name changes nothing.
            QVERIFY(TypeValue(manager->Tree(), ClassRow(manager, "Identity Properties"), "ID,GEOM"));
            QCOMPARE(m_ui.LastMessage(), QString("Identity property has to be of Data Property type!"));
            QCOMPARE(ClassRow(manager, "Identity Properties")->value(), QString("ID"));
            // An empty geometry clears it.
            QVERIFY(TypeValue(manager->Tree(), ClassRow(manager, "Geometry"), ""));
            FdoPtr<FdoGeometricPropertyDefinition> geometry =
                static_cast<FdoFeatureClass*>(manager->EditedClass())->GetGeometryProperty();
            QVERIFY(!geometry);
            // Add a property, then one of the same name.
            AddProperty(manager, "AREA", false);
            QVERIFY(PropertyRow(manager, "AREA", "Data Type"));
            QCOMPARE(manager->Tree()->currentItem()->label(), QString("AREA"));
            AddProperty(manager, "AREA", true);
            QCOMPARE(m_ui.LastMessage(), QString("Property with that name already exists!"));
            QVERIFY(TypeValue(manager->Tree(), PropertyRow(manager, "AREA", "Name"), "ID"));
            QCOMPARE(m_ui.LastMessage(), QString("Error: Duplicated name of Property!"));
            modal->reject();
        });
        m_window->Button("Edit Class...")->click();
        // Cancel kept everything as it was.
        FdoPtr<FdoFeatureSchema> land = m_window->Schemas()->GetItem(0);
        FdoPtr<FdoClassCollection> classes = land->GetClasses();
        FdoPtr<FdoClassDefinition> parcel = classes->GetItem(L"Parcel");
        FdoPtr<FdoPropertyDefinitionCollection> properties = parcel->GetProperties();
        QCOMPARE(properties->GetCount(), 2);
        FdoPtr<FdoGeometricPropertyDefinition> geometry = static_cast<FdoFeatureClass*>(parcel.p)->GetGeometryProperty();
        QVERIFY(geometry);
    }

    void addPropertyWithAnEmptyNameStaysOpen() {
        c_DlgAddProperty dialog(nullptr);
        QCOMPARE(dialog.PropertyName(), QString("New Property"));
        QCOMPARE(dialog.PropertyType(), 0);
        dialog.NameField()->clear();
        dialog.show();
        dialog.accept();
        QCOMPARE(m_ui.LastMessage(), QString("Enter name of Property!"));
        QVERIFY(dialog.isVisible());
        dialog.GeometryTypeButton()->setChecked(true);
        QCOMPARE(dialog.PropertyType(), 2);
    }

    void addClassNeedsASchemaAndEditsTheNewClass() {
        m_window->Button("Add Class...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select Schema to add class to!"));
        LoadLand();
        m_window->Tree()->setCurrentItem(SchemaNode(m_window, "Land")->childItem(1));  // its class collection
        WhenDialogOpens([](QDialog* modal) {
            auto* manager = dynamic_cast<c_DlgFdoClassManager*>(modal);
            QVERIFY(manager);
            QCOMPARE(ClassRow(manager, "Name")->value(), QString("NewClass"));
        });
        m_window->Button("Add Class...")->click();
        WhenDialogOpens([](QDialog* modal) { modal->reject(); });
        m_window->Button("Add Class...")->click();
        QCOMPARE(ClassNames(m_window->Schemas()), QStringList({"Land:Parcel", "Land:Road", "Land:NewClass"}));
        QCOMPARE(m_window->Tree()->currentItem()->label(), QString("NewClass"));
    }

    void copyClassIntoANewAndAnExistingSchema() {
        LoadLand();
        m_window->Tree()->setCurrentItem(ClassNode(m_window, "Parcel"));
        WhenDialogOpens([](QDialog* modal) {
            auto* dialog = dynamic_cast<c_DlgFdoCopyClassName*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->SchemaName(), QString("Land"));
            QCOMPARE(dialog->ClassName(), QString("Parcel"));
        });
        m_window->Button("Copy Class...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Error: Duplicated name of Class!"));
        WhenDialogOpens([](QDialog* modal) {
            dynamic_cast<c_DlgFdoCopyClassName*>(modal)->SchemaField()->setText("Archive");
        });
        m_window->Button("Copy Class...")->click();
        WhenDialogOpens([](QDialog* modal) {
            dynamic_cast<c_DlgFdoCopyClassName*>(modal)->ClassField()->setText("Plot");
        });
        m_window->Tree()->setCurrentItem(ClassNode(m_window, "Parcel"));
        m_window->Button("Copy Class...")->click();
        QCOMPARE(ClassNames(m_window->Schemas()),
                 QStringList({"Land:Parcel", "Land:Road", "Land:Plot", "Archive:Parcel"}));
        QVERIFY(SchemaNode(m_window, "Archive"));
        QVERIFY(ClassNode(m_window, "Plot"));
    }

    void deleteClassRules() {
        LoadLand();
        GxfControls::PropertyTree* tree = m_window->Tree();
        tree->setCurrentItem(ClassNode(m_window, "Parcel"));
        tree->setItemSelected(SchemaNode(m_window, "Land"), true);
        m_window->Button("Delete Class...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Select only Classes to be delete!"));
        QCOMPARE(ClassNames(m_window->Schemas()).size(), 2);
        tree->setCurrentItem(ClassNode(m_window, "Parcel"));
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Delete Class...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Delete Class ?"));
        QCOMPARE(ClassNames(m_window->Schemas()).size(), 2);
        tree->setItemSelected(ClassNode(m_window, "Road"), true);
        m_ui.yesNo = RecordingUi::AnswerYes;
        m_window->Button("Delete Class...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Delete Classes ?"));
        QCOMPARE(ClassNames(m_window->Schemas()), QStringList());
        QVERIFY(!ClassNode(m_window, "Road"));
    }

    void writeSelectedGathersOneSchema() {
        LoadLand();
        GxfControls::PropertyTree* tree = m_window->Tree();
        tree->setCurrentItem(ClassNode(m_window, "Road"));
        tree->setItemSelected(ClassNode(m_window, "Parcel"), true);
        m_ui.files << Path("selected.xml");
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Write Selected to XML...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Schema exported OK. View file?"));
        FdoPtr<FdoFeatureSchemaCollection> written = ReadSchemas(Path("selected.xml"));
        QCOMPARE(written->GetCount(), 1);
        QCOMPARE(ClassNames(written.p).size(), 2);
        QVERIFY(ClassNames(written.p).contains("Land:Parcel") && ClassNames(written.p).contains("Land:Road"));
    }

    void appendFromXmlMergesAndRenames() {
        LoadLand();
        m_ui.files << Path("land.xml");
        m_window->Button("Append from XML...")->click();
        const QStringList names = ClassNames(m_window->Schemas());
        QCOMPARE(m_window->Schemas()->GetCount(), 1);
        QCOMPARE(names.size(), 4);
        QCOMPARE(m_window->Tree()->findItemsByKind(c_DlgFdoSchemaManager::ClassNode).size(), 4);
    }

    void unreadableFileKeepsTheCollection() {
        LoadLand();
        QFile broken(Path("broken.xml"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("<DataStore><xs:schema");
        broken.close();
        m_ui.files << Path("broken.xml");
        m_window->Button("Read from XML...")->click();
        QVERIFY(!m_ui.LastMessage().isEmpty());
        QCOMPARE(ClassNames(m_window->Schemas()).size(), 2);
    }

    void everyReferenceSchemaFileWritesBackEqual() {
        SHARED_OR_SKIP("fdo-schemas");
        const QDir folder(SharedData("fdo-schemas"));
        const QStringList files = folder.entryList({"*.xml"}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        m_ui.yesNo = RecordingUi::AnswerNo;
        for (const QString& file : files) {
            m_ui.Clear();
            m_ui.files << folder.filePath(file) << Path("back-" + file);
            m_window->Button("Read from XML...")->click();
            QVERIFY2(m_ui.shown.size() == 1, qPrintable(file + ": " + m_ui.LastMessage()));  // the open box only
            m_window->Button("Write all to XML...")->click();
            QCOMPARE(m_ui.LastMessage(), QString("Schema exported OK. View file?"));
            FdoPtr<FdoFeatureSchemaCollection> original = ReadSchemas(folder.filePath(file));
            FdoPtr<FdoFeatureSchemaCollection> back = ReadSchemas(Path("back-" + file));
            QVERIFY2(CompareSchemas(original.p, back.p).isEmpty(),
                     qPrintable(file + ": " + CompareSchemas(original.p, back.p)));
        }
    }

    // Flow: a shape file folder's schema (one without .prj files, so that no
    // spatial context is needed in the new file), edited, written to XML and applied
    // to a new SDF file that reads back as written.
    void shapeFolderToNewSdfFile() {
        SHARED_OR_SKIP("shp/Ontario");
        const QString folder = Path("ontario");
        QDir().mkpath(folder);
        for (const QString& file : QDir(SharedData("shp/Ontario")).entryList(QDir::Files))
            QVERIFY(QFile::copy(SharedData("shp/Ontario/" + file), folder + '/' + file));
        const QString shp = managers_test::ProviderName(m_app, "OSGeo.SHP");
        const QString sdf = managers_test::ProviderName(m_app, "OSGeo.SDF");
        const QString sdfFile = Path("applied.sdf");
        m_app.ConnList().Add({"ontario", shp, "DefaultFileLocation=" + folder});
        m_app.ConnList().Add({"newsdf", sdf, "File=" + sdfFile + ";ReadOnly=FALSE"});

        ChooseConnectionWhenAsked("ontario");
        m_window->Button("Read FDO Source...")->click();
        QVERIFY2(m_ui.Messages().isEmpty(), qPrintable(m_ui.LastMessage()));
        QVERIFY(ClassNames(m_window->Schemas()).contains("Default:roads"));
        const int classCount = ClassNames(m_window->Schemas()).size();
        QCOMPARE(classCount, 2);

        // A new class with a data and a geometric property; a third one is
        // added and deleted again.
        m_window->Tree()->setCurrentItem(SchemaNode(m_window, "Default"));
        WhenDialogOpens([this](QDialog* modal) {
            auto* manager = dynamic_cast<c_DlgFdoClassManager*>(modal);
            QVERIFY(manager);
            QVERIFY(TypeValue(manager->Tree(), ClassRow(manager, "Name"), "Parcels"));
            AddProperty(manager, "FID", false);
            QVERIFY(TypeValue(manager->Tree(), PropertyRow(manager, "FID", "Data Type"), "Int32"));
            QVERIFY(TypeValue(manager->Tree(), PropertyRow(manager, "FID", "Nullable"), "False"));
            AddProperty(manager, "OWNER", false);
            QVERIFY(TypeValue(manager->Tree(), PropertyRow(manager, "OWNER", "Length"), "60"));
            AddProperty(manager, "Geometry", true);
            QVERIFY(TypeValue(manager->Tree(), PropertyRow(manager, "Geometry", "Geometry Types"), "SURFACE"));
            AddProperty(manager, "SCRATCH", false);
            QVERIFY(TypeValue(manager->Tree(), ClassRow(manager, "Identity Properties"), "FID"));
            QVERIFY(TypeValue(manager->Tree(), ClassRow(manager, "Geometry"), "Geometry"));
            manager->Tree()->setCurrentItem(PropertyRow(manager, "SCRATCH", "Length"));
            manager->Button("Delete Property...")->click();
            QCOMPARE(m_ui.LastMessage(), QString("Delete Property ?"));
            QVERIFY(!PropertyRow(manager, "SCRATCH", "Name"));
        });
        m_window->Button("Add Class...")->click();
        QVERIFY(ClassNames(m_window->Schemas()).contains("Default:Parcels"));

        // Rename a class, and be refused a duplicate.
        QVERIFY(TypeValue(m_window->Tree(), ClassNameRow(m_window, "roads"), "Cities"));
        QVERIFY(TypeValue(m_window->Tree(), ClassNameRow(m_window, "ShpMixedDecimals"), "Cities"));
        QCOMPARE(m_ui.LastMessage(), QString("Error: Duplicated name of Class!"));
        QVERIFY(ClassNames(m_window->Schemas()).contains("Default:ShpMixedDecimals"));
        QVERIFY(ClassNames(m_window->Schemas()).contains("Default:Cities"));

        m_ui.files << Path("edited.xml");
        m_ui.yesNo = RecordingUi::AnswerNo;
        m_window->Button("Write all to XML...")->click();
        QCOMPARE(m_ui.LastMessage(), QString("Schema exported OK. View file?"));

        m_ui.yesNo = RecordingUi::AnswerYes;
        ChooseConnectionWhenAsked("newsdf");
        m_window->Button("Apply to FDO Source...")->click();
        const QStringList messages = m_ui.Messages();
        QVERIFY(messages.contains("You choosed to apply schema against SDF file which doesn't exist.\nDo you wish to "
                                  "create SDF file?"));
        QCOMPARE(m_ui.LastMessage(), QString("Schema Applied OK."));
        QVERIFY(QFileInfo::exists(sdfFile));

        // Read the SDF's schema back in a second window.
        c_DlgFdoSchemaManager second(m_app, nullptr);
        ChooseConnectionWhenAsked("newsdf");
        second.Button("Read FDO Source...")->click();
        FdoPtr<FdoFeatureSchemaCollection> written = ReadSchemas(Path("edited.xml"));
        QCOMPARE(ClassNames(second.Schemas()).size(), classCount + 1);
        QVERIFY2(CompareSchemas(written.p, second.Schemas()).isEmpty(),
                 qPrintable(CompareSchemas(written.p, second.Schemas())));
    }
};

QTEST_MAIN(SchemaManagerTest)
#include "SchemaManagerTest.moc"
