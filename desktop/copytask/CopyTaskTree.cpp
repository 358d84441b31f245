#include "copytask/CopyTaskTree.h"

#include "copytask/CopyTaskItems.h"

#include <GeoxferApi/GXFCopyTaskDef.h>

using GxfControls::EditorKind;
using GxfControls::PropertyItem;
using GxfControls::PropertyTree;

namespace {

// One row of a fixed kind: its label, help text, value and editor.
PropertyItem* AddRow(PropertyTree* tree, PropertyItem* parent, int kind, void* object, c_GXFCopyTaskDef* task,
                     c_GXFClassCopyDef* classDef = nullptr) {
    PropertyItem* item = nullptr;
    const QString value = CopyTaskItemValue(kind, task, classDef, nullptr);
    if (IsBooleanCopyTaskItem(kind)) {
        // A drop-down that also takes typed text: "true" typed in lower case
        // counts as TRUE, and the row shows what was typed.
        item = tree->addDropDownItem(parent, CopyTaskItemLabel(kind), value, {QStringLiteral("TRUE"), QStringLiteral("FALSE")},
                                     CopyTaskItemHelp(kind), true);
    } else if (IsEditableCopyTaskItem(kind)) {
        item = tree->addItem(parent, CopyTaskItemLabel(kind), value, CopyTaskItemHelp(kind), EditorKind::Text);
    } else if (kind == ClassCopyItem || parent == nullptr ||
               kind == SourceConnectionGroup || kind == DestConnectionGroup || kind == ClassCopyCollection ||
               kind == PropertyCopyGroup || kind == TaskAttributesGroup || kind == SdfAttributesGroup ||
               kind == OracleAttributesGroup || kind == InformixAttributesGroup) {
        item = tree->addGroup(parent, CopyTaskItemLabel(kind), CopyTaskItemHelp(kind), value);
    } else {
        item = tree->addItem(parent, CopyTaskItemLabel(kind), value, CopyTaskItemHelp(kind));
    }
    item->setKind(kind);
    item->setUserPointer(object);
    return item;
}

}  // namespace

PropertyItem* AddPropertyCopyItem(PropertyTree* tree, PropertyItem* group, c_GXFPropertyCopyDef* propertyDef) {
    PropertyItem* item = tree->addItem(group, QString::fromWCharArray(propertyDef->GetSourceProperty()),
                                       QString::fromWCharArray(propertyDef->GetDestProperty()),
                                       CopyTaskItemHelp(PropertyCopyItem), EditorKind::Text);
    item->setKind(PropertyCopyItem);
    item->setUserPointer(propertyDef);
    return item;
}

PropertyItem* AddClassCopyItems(PropertyTree* tree, PropertyItem* collection, c_GXFClassCopyDef* classDef) {
    PropertyItem* classItem = AddRow(tree, collection, ClassCopyItem, classDef, nullptr, classDef);
    for (int kind : {SourceClassNameItem, DestClassNameItem, CopyFilterItem})
        AddRow(tree, classItem, kind, classDef, nullptr, classDef);
    PropertyItem* group = AddRow(tree, classItem, PropertyCopyGroup, classDef, nullptr, classDef);
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = classDef->GetPropertyCopyDefCollection();
    for (FdoInt32 i = 0; i < mappings->GetCount(); ++i) {
        FdoPtr<c_GXFPropertyCopyDef> mapping = mappings->GetItem(i);
        AddPropertyCopyItem(tree, group, mapping.p);
    }
    return classItem;
}

void BuildCopyTaskTree(PropertyTree* tree, c_GXFCopyTaskDef* task) {
    tree->clear();
    PropertyItem* root = AddRow(tree, nullptr, CopyTaskDefinition, task, task);
    PropertyItem* source = AddRow(tree, root, SourceConnectionGroup, task, task);
    AddRow(tree, source, SourceProviderItem, task, task);
    AddRow(tree, source, SourceConnStringItem, task, task);
    PropertyItem* dest = AddRow(tree, root, DestConnectionGroup, task, task);
    AddRow(tree, dest, DestProviderItem, task, task);
    AddRow(tree, dest, DestConnStringItem, task, task);
    PropertyItem* collection = AddRow(tree, root, ClassCopyCollection, task, task);
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    for (FdoInt32 i = 0; i < classes->GetCount(); ++i) {
        FdoPtr<c_GXFClassCopyDef> classDef = classes->GetItem(i);
        AddClassCopyItems(tree, collection, classDef.p);
    }
    PropertyItem* attributes = AddRow(tree, root, TaskAttributesGroup, task, task);
    for (int kind : {ExecuteApplySchemaItem, ApplySchemaXmlItem, CreateSpatialContextItem, SpatialContextXmlItem,
                     MagicClassNameItem, MagicDataTypesItem, DeleteDestinationDataItem})
        AddRow(tree, attributes, kind, task, task);
    AddRow(tree, AddRow(tree, root, SdfAttributesGroup, task, task), SdfCreateIfMissingItem, task, task);
    PropertyItem* sdf = root->childItem(root->childCount() - 1);
    AddRow(tree, sdf, SdfOverwriteItem, task, task);
    AddRow(tree, AddRow(tree, root, OracleAttributesGroup, task, task), OracleSridItem, task, task);
    AddRow(tree, AddRow(tree, root, InformixAttributesGroup, task, task), InformixSridItem, task, task);
    root->setExpanded(true);
    source->setExpanded(true);
    dest->setExpanded(true);
}

c_GXFClassCopyDef* ClassDefOfItem(PropertyItem* item) {
    PropertyItem* classItem = item ? item->ancestorOfKind(ClassCopyItem) : nullptr;
    return classItem ? classItem->userPointer<c_GXFClassCopyDef>() : nullptr;
}
