// Renders both controls, filled as the copy task manager and an Oracle
// dialog fill them, with an editor open in each, to the PNG named on the
// command line. Under xvfb-run it shows what a user would see.
#include <GeoxferControls/EditableList.h>
#include <GeoxferControls/PropertyTree.h>

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

using namespace GxfControls;

namespace {

void fillTree(PropertyTree* tree)
{
    PropertyItem* task = tree->addGroup(nullptr, "Copy Task Definition", "Define Copy Paramateres.");
    PropertyItem* source = tree->addGroup(task, "Source Connection", "Source Connection Parameters");
    tree->addItem(source, "Source Provider", "OSGeo.SHP", "Source provider", EditorKind::Text);
    tree->addItem(source, "Source Connection String", "DefaultFileLocation=/data/shapes",
                  "Source FDO Connection String", EditorKind::Text);
    PropertyItem* classes = tree->addGroup(task, "Class Copy Collection", "Class Copy Collection");
    PropertyItem* world = tree->addItem(classes, "Class Copy", "world", "Class Copy");
    tree->addItem(world, "Destination Class Name", "world", "Destination Class Name", EditorKind::Text);
    PropertyItem* attrs = tree->addGroup(task, "Copy Task Attributes",
                                         "Attributes defines options how Copy Task will be executed.");
    tree->addTrueFalseItem(attrs, "Execute Apply Schema on Destination ", true,
                           "If TRUE then before copy Apply Schema will be executed.")
        ->setChoices({"TRUE", "FALSE"});
    PropertyItem* magic = tree->addTrueFalseItem(
        attrs, "Magic Class Name", false,
        "If TRUE then Geoxfer will try to match class name into destination no just strictly e.g. SHP has "
        "always schema 'Default'.\nIf 'Apply Schema XML File' is set then this Attribute will be ignored");
    magic->setChoices({"TRUE", "FALSE"});
    magic->setTrue(false);
    tree->addDropDownItem(attrs, "Layer Geometry Type", "LINE", {"", "POINT", "LINE", "POLYGON"},
                          "Enter Layer type to be set or leave blank", true);
    tree->expandAll();
    tree->setCurrentItem(magic);
}

void fillList(EditableList* list)
{
    list->setColumns({"Dimension Name", "Lower Bound", "Upper Bound", "Tolerance"}, {120, 120, 120, 120});
    for (int c = 0; c < 3; ++c)
        list->setColumnEditor(c, EditorKind::Text);
    list->setColumnEditor(3, EditorKind::DropDown, {"0.05", "0.005"}, true);
    list->addRow({"X", "-180", "180", "0.05"});
    list->addRow({"Y", "-90", "90", "0.05"});
    list->addRow({});
    list->addRow({});
}

void fillKeyList(EditableList* list)
{
    list->setColumns({"Column Name", "Data Type"}, {160, 160});
    list->setCheckable(true);
    list->addRows({{"ID", "NUMBER"}, {"NAME", "VARCHAR2"}, {"GEOM", "SDO_GEOMETRY"}});
    list->setRowChecked(0, true);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/controls-demo.png");

    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* tree = new PropertyTree(&window);
    auto* lists = new QVBoxLayout;
    auto* list = new EditableList(&window);
    auto* keys = new EditableList(&window);
    lists->addWidget(list);
    lists->addWidget(keys);
    layout->addWidget(tree, 3);
    layout->addLayout(lists, 2);
    fillTree(tree);
    fillList(list);
    fillKeyList(keys);
    window.resize(1280, 460);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    tree->editItem(tree->findItem("Copy Task Definition/Copy Task Attributes/Magic Class Name"));
    list->editCell(1, 3);
    QApplication::processEvents();

    if (!window.grab().save(out)) {
        qWarning("Could not write %s", qPrintable(out));
        return 1;
    }
    return 0;
}
