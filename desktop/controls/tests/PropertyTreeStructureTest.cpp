// Building and reading a PropertyTree: groups and items, lookup by path,
// key and kind, removing and renaming, multiple selection, expanding and
// collapsing, and what the info pane shows for the current item.
#include "ControlsTestSupport.h"

#include <QLabel>
#include <QSignalSpy>

using namespace GxfControls;

class PropertyTreeStructureTest : public QObject {
    Q_OBJECT

    PropertyTree* tree = nullptr;
    ControlsTest::Window* window = nullptr;
    PropertyItem* root = nullptr;
    PropertyItem* classes = nullptr;
    PropertyItem* roads = nullptr;
    PropertyItem* rivers = nullptr;
    PropertyItem* roadsFilter = nullptr;

    enum Kind { Root = 1, Collection = 8, ClassCopy = 9, Filter = 12 };

private slots:
    void init()
    {
        tree = new PropertyTree;
        window = new ControlsTest::Window(tree);
        root = tree->addGroup(nullptr, "Copy Task Definition", "Define Copy Paramateres.");
        root->setKind(Root);
        classes = tree->addGroup(root, "Class Copy Collection", "Class Copy Collection");
        classes->setKind(Collection);
        roads = tree->addItem(classes, "Class Copy", "roads", "Class Copy");
        roads->setKind(ClassCopy);
        roads->setUserKey("class:roads");
        roadsFilter = tree->addItem(roads, "Copy Filter", "", "Set copy filter to be applied", EditorKind::Text);
        roadsFilter->setKind(Filter);
        rivers = tree->addItem(classes, "Class Copy", "rivers", "Class Copy");
        rivers->setKind(ClassCopy);
        rivers->setUserKey("class:rivers");
        tree->addItem(rivers, "Copy Filter", "", "Set copy filter to be applied", EditorKind::Text)->setKind(Filter);
        QVERIFY(window->showActive());
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void findsItemsByPathKeyAndKind()
    {
        QCOMPARE(tree->findItem("Copy Task Definition/Class Copy Collection/Class Copy/Copy Filter"), roadsFilter);
        QCOMPARE(tree->findItem(QStringList{"Copy Task Definition", "Class Copy Collection"}), classes);
        QCOMPARE(tree->findItem("Copy Task Definition/Nothing"), nullptr);
        QCOMPARE(tree->findItem("Copy Task Definition/Class Copy Collection "), nullptr);  // blanks count
        QCOMPARE(tree->findItemByKey("class:rivers"), rivers);
        QCOMPARE(tree->findItemByKey("class:lakes"), nullptr);
        QCOMPARE(tree->findItemsByKind(ClassCopy), (QList<PropertyItem*>{roads, rivers}));
        QCOMPARE(roadsFilter->path(),
                 (QStringList{"Copy Task Definition", "Class Copy Collection", "Class Copy", "Copy Filter"}));
        QCOMPARE(roadsFilter->ancestorOfKind(ClassCopy), roads);
        QCOMPARE(roads->ancestorOfKind(ClassCopy), roads);
        QCOMPARE(classes->ancestorOfKind(ClassCopy), nullptr);
        QCOMPARE(tree->allItems().size(), 6);
    }

    void itemsCarryTheOwnersData()
    {
        int task = 42;
        roads->setUserPointer(&task);
        roads->setUserData(QVariant(7));
        QCOMPARE(roads->userPointer<int>(), &task);
        QCOMPARE(roads->userData().toInt(), 7);
        QCOMPARE(rivers->userPointer<int>(), nullptr);
    }

    void insertsRemovesAndRenames()
    {
        PropertyItem* lakes = tree->insertItem(classes, 1, "Class Copy", "lakes");
        QCOMPARE(classes->childItems(), (QList<PropertyItem*>{roads, lakes, rivers}));
        PropertyItem* last = tree->insertItem(classes, 99, "Class Copy", "canals");
        QCOMPARE(classes->childItem(3), last);
        tree->removeItem(roads);  // with its filter item
        QCOMPARE(classes->childCount(), 3);
        QCOMPARE(tree->findItemsByKind(Filter).size(), 1);
        tree->setCurrentItem(rivers->childItem(0));
        tree->removeChildren(rivers);
        QCOMPARE(rivers->childCount(), 0);
        QCOMPARE(tree->findItemsByKind(Filter).size(), 0);
        QCOMPARE(tree->infoTitle(), tree->currentItem() ? tree->currentItem()->label() : QString());
        rivers->setLabel("Renamed");
        QCOMPARE(tree->findItem("Copy Task Definition/Class Copy Collection/Renamed"), rivers);
        QCOMPARE(rivers->toolTip(0), QString("Renamed"));
        rivers->setValue("a long connection string");
        QCOMPARE(rivers->toolTip(1), QString("a long connection string"));
        tree->clear();
        QCOMPARE(tree->topLevelItemCount(), 0);
        QCOMPARE(tree->allItems().size(), 0);
    }

    void editorKindSetsEditability()
    {
        QVERIFY(!(roads->flags() & Qt::ItemIsEditable));
        roads->setEditorKind(EditorKind::Text);
        QVERIFY(roads->flags() & Qt::ItemIsEditable);
        roads->setEditorKind(EditorKind::TrueFalse);
        QCOMPARE(roads->choices(), (QStringList{"True", "False"}));
        roads->setTrue(false);
        QCOMPARE(roads->value(), QString("False"));
        roads->setChoices({"TRUE", "FALSE"});  // the value follows the new pair
        QCOMPARE(roads->value(), QString("FALSE"));
        roads->setValue("YES");                // a typed text that is neither stays
        roads->setChoices({"Yes", "No"});
        QCOMPARE(roads->value(), QString("YES"));
        QVERIFY(roads->isTrue());
        QVERIFY(root->isGroup());
        QVERIFY(root->font(0).bold());
        QVERIFY(!roads->isGroup());
    }

    void ctrlClickSelectsSeveralInTreeOrder()
    {
        tree->expandAll();
        QSignalSpy changed(tree, &PropertyTree::itemSelectionChanged);
        ControlsTest::clickItem(tree, rivers);
        ControlsTest::clickItem(tree, roads, Qt::ControlModifier);
        QCOMPARE(tree->selectedItems(), (QList<PropertyItem*>{roads, rivers}));
        QCOMPARE(tree->currentItem(), roads);
        QVERIFY(changed.count() >= 2);
        ControlsTest::clickItem(tree, roadsFilter);
        QCOMPARE(tree->selectedItems(), (QList<PropertyItem*>{roadsFilter}));
        ControlsTest::clickItem(tree, rivers, Qt::ShiftModifier);
        QCOMPARE(tree->selectedItems().size(), 2);  // roads' filter item and rivers
        tree->clearSelection();
        QVERIFY(tree->selectedItems().isEmpty());
        tree->setItemSelected(rivers, true);
        tree->setItemSelected(roads, true);
        QCOMPARE(tree->selectedItems(), (QList<PropertyItem*>{roads, rivers}));
        QCOMPARE(tree->selectedItemsInSelectionOrder(), (QList<PropertyItem*>{rivers, roads}));
        ControlsTest::clickItem(tree, roads);
        ControlsTest::clickItem(tree, rivers, Qt::ControlModifier);
        ControlsTest::clickItem(tree, roadsFilter, Qt::ControlModifier);
        QCOMPARE(tree->selectedItemsInSelectionOrder(), (QList<PropertyItem*>{roads, rivers, roadsFilter}));
    }

    void setCurrentItemSelectsOnlyItAndShowsIt()
    {
        tree->collapseAll();
        tree->setItemSelected(rivers, true);
        tree->setCurrentItem(roadsFilter);
        QCOMPARE(tree->selectedItems(), (QList<PropertyItem*>{roadsFilter}));
        QVERIFY(roads->isExpanded() && classes->isExpanded() && root->isExpanded());
        // Also when the item is current already.
        tree->setItemSelected(rivers, true);
        tree->setCurrentItem(roadsFilter);
        QCOMPARE(tree->selectedItems(), (QList<PropertyItem*>{roadsFilter}));
    }

    void expandAndCollapseAll()
    {
        tree->expandAll();
        for (PropertyItem* item : {root, classes, roads, rivers})
            QVERIFY(item->isExpanded());
        tree->collapseAll();
        for (PropertyItem* item : {root, classes, roads, rivers})
            QVERIFY(!item->isExpanded());
    }

    void doubleClickOnAGroupTogglesIt()
    {
        QSignalSpy doubleClicked(tree, &PropertyTree::itemDoubleClicked);
        ControlsTest::doubleClickItem(tree, root, 0);
        QVERIFY(root->isExpanded());
        QVERIFY(!tree->isEditing());
        QCOMPARE(doubleClicked.count(), 1);
        ControlsTest::doubleClickItem(tree, root, 0);
        QVERIFY(!root->isExpanded());
    }

    void infoPaneFollowsTheCurrentItem()
    {
        auto* title = tree->findChild<QLabel*>("propertyInfoTitle");
        auto* help = tree->findChild<QLabel*>("propertyInfoText");
        QVERIFY(title && help);
        QVERIFY(title->isVisible() && help->isVisible());
        tree->setCurrentItem(classes);
        QCOMPARE(title->text(), QString("Class Copy Collection"));
        QCOMPARE(help->text(), QString("Class Copy Collection"));
        tree->treeWidget()->setFocus();
        QTest::keyClick(tree->treeWidget(), Qt::Key_Right);  // opens it
        QTest::keyClick(tree->treeWidget(), Qt::Key_Down);
        QCOMPARE(tree->currentItem(), roads);
        QCOMPARE(title->text(), QString("Class Copy"));
        QCOMPARE(tree->infoText(), QString("Class Copy"));
        // Removing the current item's group must not leave its text behind.
        tree->removeItem(classes);
        PropertyItem* current = tree->currentItem();
        QCOMPARE(tree->infoTitle(), current ? current->label() : QString());
        QVERIFY(tree->infoTitle() != "Class Copy");
        // Removing the current item itself moves on to a neighbour.
        PropertyItem* first = tree->addItem(root, "First", "", "first help");
        PropertyItem* second = tree->addItem(root, "Second", "", "second help");
        tree->setCurrentItem(first);
        tree->removeItem(first);
        QCOMPARE(tree->currentItem(), second);
        QCOMPARE(tree->infoText(), QString("second help"));
    }

    void infoPaneShowsHelpAsPlainText()
    {
        const QString help = "If TRUE then <b>all</b> data in 'Destination' & more.\nIf 'Apply Schema XML File' is set";
        PropertyItem* item = tree->addItem(root, "Delete Destination Data", "FALSE", help);
        tree->setCurrentItem(item);
        auto* label = tree->findChild<QLabel*>("propertyInfoText");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), help);
        tree->setInfoPaneVisible(false);
        QVERIFY(!label->isVisible());
    }

    void renamingTheCurrentItemUpdatesTheInfoPaneOnCommit()
    {
        tree->setCurrentItem(roadsFilter);
        QCOMPARE(tree->infoTitle(), QString("Copy Filter"));
        roadsFilter->setLabel("Filter");
        roadsFilter->setHelpText("Changed help");
        tree->setCurrentItem(rivers);
        tree->setCurrentItem(roadsFilter);
        QCOMPARE(tree->infoTitle(), QString("Filter"));
        QCOMPARE(tree->infoText(), QString("Changed help"));
    }
};

QTEST_MAIN(PropertyTreeStructureTest)
#include "PropertyTreeStructureTest.moc"
