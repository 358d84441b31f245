// The rows of the copy task tree and their editing rules, apart from the
// window: the order of items 1 to 29 with their exact labels (trailing
// blanks included) and help texts, which rows open, the TRUE/FALSE reading,
// the SRID reading shared by the Oracle and Informix rows, and that each
// edit lands in the right object.
#include "copytask/CopyTaskItems.h"
#include "copytask/CopyTaskTree.h"

#include <GeoxferApi/GXFCopyTaskDef.h>

#include <GeoxferControls/PropertyTree.h>

#include <QTest>

#include <climits>

using GxfControls::PropertyItem;
using GxfControls::PropertyTree;

namespace {

FdoPtr<c_GXFCopyTaskDef> TaskWithTwoClasses() {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    for (const wchar_t* name : {L"Roads", L"Rivers"}) {
        FdoPtr<c_GXFClassCopyDef> classDef = new c_GXFClassCopyDef();
        classDef->SetSourceClassName(name);
        classes->Add(classDef.p);
    }
    FdoPtr<c_GXFClassCopyDef> roads = classes->GetItem(0);
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = roads->GetPropertyCopyDefCollection();
    for (const wchar_t* name : {L"NAME", L"LEN"}) {
        FdoPtr<c_GXFPropertyCopyDef> mapping = new c_GXFPropertyCopyDef();
        mapping->SetSourceProperty(name);
        mapping->SetDestProperty((std::wstring(name) + L"_2").c_str());
        mappings->Add(mapping.p);
    }
    return task;
}

QString KindsAndLabels(PropertyTree* tree) {
    QStringList rows;
    for (PropertyItem* item : tree->allItems()) rows.append(QString::number(item->kind()) + '=' + item->label());
    return rows.join('|');
}

}  // namespace

class CopyTaskTreeTest : public QObject {
    Q_OBJECT

private slots:
    void rowsStandInTheWindowsOrder() {
        FdoPtr<c_GXFCopyTaskDef> task = TaskWithTwoClasses();
        PropertyTree tree;
        BuildCopyTaskTree(&tree, task.p);
        const QString expected =
            "1=Copy Task Definition|2=Source Connection|3=Source Provider|4=Source Connection String|"
            "5=Dest Connection|6=Destination Provider|7=Destination Connection String|8=Class Copy Collection|"
            "9=Class Copy|10=Source Class Name|11=Destination Class Name|12=Copy Filter|"
            "13=Property Copy Definitions|14=NAME|14=LEN|"
            "9=Class Copy|10=Source Class Name|11=Destination Class Name|12=Copy Filter|"
            "13=Property Copy Definitions|"
            "15=Copy Task Attributes|16=Execute Apply Schema on Destination |17=Apply Schema XML File |"
            "18=Execute Create Spatial Context on Destination |19=Spatial Context XML File |21=Magic Class Name|"
            "22=Magic Data Types|20=Delete Destination Data|"
            "23=Attributes for SDF Destination|24=Create SDF File if missing|25=Overwrite existing SDF File|"
            "26=Attributes for Oracle Destination|27=Enter Oracle SRID|"
            "28=Attributes for Informix Destination|29=Enter Informix SRID";
        QCOMPARE(KindsAndLabels(&tree), expected);
        // Only 1, 2 and 5 start open.
        for (PropertyItem* item : tree.allItems())
            QCOMPARE(item->isExpanded(), item->kind() == 1 || item->kind() == 2 || item->kind() == 5);
    }

    void valuesShowTheTask() {
        FdoPtr<c_GXFCopyTaskDef> task = TaskWithTwoClasses();
        task->SetDeleteDestinationData(true);
        task->SetOracle_Attr_SRID(-1);
        PropertyTree tree;
        BuildCopyTaskTree(&tree, task.p);
        QList<PropertyItem*> classItems = tree.findItemsByKind(ClassCopyItem);
        QCOMPARE(classItems.size(), 2);
        QCOMPARE(classItems[1]->value(), QString("Rivers"));
        QCOMPARE(classItems[0]->childItem(3)->childItem(0)->value(), QString("NAME_2"));
        QCOMPARE(tree.findItemsByKind(DeleteDestinationDataItem)[0]->value(), QString("TRUE"));
        QCOMPARE(tree.findItemsByKind(ExecuteApplySchemaItem)[0]->value(), QString("TRUE"));
        QCOMPARE(tree.findItemsByKind(SdfOverwriteItem)[0]->value(), QString("FALSE"));
        QCOMPARE(tree.findItemsByKind(OracleSridItem)[0]->value(), QString());
        QCOMPARE(tree.findItemsByKind(InformixSridItem)[0]->value(), QString());
        // The class item's value is read-only; its name rows are not.
        QCOMPARE(classItems[0]->editorKind(), GxfControls::EditorKind::ReadOnly);
        QCOMPARE(classItems[0]->childItem(0)->editorKind(), GxfControls::EditorKind::Text);
        QCOMPARE(ClassDefOfItem(classItems[0]->childItem(3)->childItem(1)), ClassDefOfItem(classItems[0]));
    }

    void helpTexts() {
        QCOMPARE(CopyTaskItemHelp(1), QString("Define Copy Paramateres."));
        QCOMPARE(CopyTaskItemHelp(23), QString("Attributes which will apply only if Destination for Copy TAsk is SDF file."));
        QCOMPARE(CopyTaskItemHelp(19), QString("FileName of XML file with Spatial Contexts to be created in FDO Destination. "));
        QCOMPARE(CopyTaskItemHelp(14), QString("Define property pair source-destination to be copied"));
        const QStringList magic = CopyTaskItemHelp(22).split('\n');
        QCOMPARE(magic.size(), 2);
        QCOMPARE(magic[0], QString("If TRUE then Geoxfer will try to chane Property so it will match destination "
                                   "provider. It will change scale length etc."));
        QCOMPARE(magic[1], QString("If 'Apply Schema XML File' is set then this Attribute will be ignored"));
        QVERIFY(CopyTaskItemHelp(21).startsWith("If TRUE then Geoxfer will try to match class name"));
        QVERIFY(CopyTaskItemHelp(21).endsWith("\nIf 'Apply Schema XML File' is set then this Attribute will be ignored"));
    }

    void booleansReadTrueWithoutCase() {
        QVERIFY(CopyTaskBoolean("TRUE"));
        QVERIFY(CopyTaskBoolean("true"));
        QVERIFY(CopyTaskBoolean("True"));
        QVERIFY(!CopyTaskBoolean("YES"));
        QVERIFY(!CopyTaskBoolean("1"));
        QVERIFY(!CopyTaskBoolean(" TRUE"));
        QVERIFY(!CopyTaskBoolean(""));
    }

    void sridReadsLeadingDigits() {
        QCOMPARE(CopyTaskSrid(""), -1);
        QCOMPARE(CopyTaskSrid("4326"), 4326);
        QCOMPARE(CopyTaskSrid("81989abc"), 81989);
        QCOMPARE(CopyTaskSrid("abc"), 0);
        QCOMPARE(CopyTaskSrid(" 12"), 12);
        QCOMPARE(CopyTaskSrid("-7"), -7);
        QCOMPARE(CopyTaskSrid("99999999999999999999"), INT_MAX);
        QCOMPARE(CopyTaskSrid("-99999999999999999999"), INT_MIN);
        QCOMPARE(CopyTaskSridText(-1), QString());
        QCOMPARE(CopyTaskSridText(0), QString("0"));
        QCOMPARE(CopyTaskSridText(4326), QString("4326"));
    }

    void editsLandInTheirObjects() {
        FdoPtr<c_GXFCopyTaskDef> task = TaskWithTwoClasses();
        FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
        FdoPtr<c_GXFClassCopyDef> roads = classes->GetItem(0);
        FdoPtr<c_GXFPropertyCopyDefCollection> mappings = roads->GetPropertyCopyDefCollection();
        FdoPtr<c_GXFPropertyCopyDef> name = mappings->GetItem(0);

        QVERIFY(ApplyCopyTaskEdit(CopyFilterItem, " LEN > 10 ", task.p, roads.p, nullptr));
        QCOMPARE(QString::fromWCharArray(roads->GetCopyFilter()), QString(" LEN > 10 "));
        QVERIFY(ApplyCopyTaskEdit(DestClassNameItem, "Streets", task.p, roads.p, nullptr));
        QCOMPARE(QString::fromWCharArray(roads->GetDestClassName()), QString("Streets"));
        QVERIFY(ApplyCopyTaskEdit(PropertyCopyItem, "STREET", task.p, roads.p, name.p));
        QCOMPARE(QString::fromWCharArray(name->GetDestProperty()), QString("STREET"));
        QCOMPARE(QString::fromWCharArray(name->GetSourceProperty()), QString("NAME"));
        QVERIFY(ApplyCopyTaskEdit(ApplySchemaXmlItem, "/tmp/s.xml", task.p, nullptr, nullptr));
        QCOMPARE(QString::fromWCharArray(task->GetApplySchemaXML()), QString("/tmp/s.xml"));

        QVERIFY(ApplyCopyTaskEdit(DeleteDestinationDataItem, "true", task.p, nullptr, nullptr));
        QVERIFY(task->GetDeleteDestinationData());
        QVERIFY(ApplyCopyTaskEdit(DeleteDestinationDataItem, "YES", task.p, nullptr, nullptr));
        QVERIFY(!task->GetDeleteDestinationData());
        QVERIFY(ApplyCopyTaskEdit(MagicClassNameItem, "False", task.p, nullptr, nullptr));
        QVERIFY(!task->GetMagicClassName());
        QVERIFY(ApplyCopyTaskEdit(SdfOverwriteItem, "TRUE", task.p, nullptr, nullptr));
        QVERIFY(task->GetSDF_Attr_OverwriteFile());

        QVERIFY(ApplyCopyTaskEdit(InformixSridItem, "4326", task.p, nullptr, nullptr));
        QCOMPARE(task->GetOracle_Attr_SRID(), 4326);
        QVERIFY(ApplyCopyTaskEdit(OracleSridItem, "", task.p, nullptr, nullptr));
        QCOMPARE(task->GetOracle_Attr_SRID(), -1);

        // Rows without a value of their own take nothing.
        for (int kind : {1, 2, 5, 8, 9, 13, 15, 23, 26, 28}) QVERIFY(!ApplyCopyTaskEdit(kind, "x", task.p, roads.p, name.p));
        // A class row without its class takes nothing either.
        QVERIFY(!ApplyCopyTaskEdit(CopyFilterItem, "x", task.p, nullptr, nullptr));
    }
};

QTEST_MAIN(CopyTaskTreeTest)
#include "CopyTaskTreeTest.moc"
