// Shows a copy task in a property tree: items 1 to 29 in the window's order,
// each tagged with its kind and a pointer to what it shows (the task for the
// task rows, the class definition for kinds 9 to 13, the property mapping
// for kind 14). The tree only points at the objects; the window keeps the
// task alive while the tree shows it.
#pragma once

#include <GeoxferControls/PropertyTree.h>

class c_GXFCopyTaskDef;
class c_GXFClassCopyDef;
class c_GXFPropertyCopyDef;

// Clears the tree and adds every row of the task; items 1, 2 and 5 open.
void BuildCopyTaskTree(GxfControls::PropertyTree* tree, c_GXFCopyTaskDef* task);

// Appends the subtree of one class definition (kinds 9 to 13 and a 14 per
// mapping) under the "Class Copy Collection" item; returns the class item.
GxfControls::PropertyItem* AddClassCopyItems(GxfControls::PropertyTree* tree, GxfControls::PropertyItem* collection,
                                             c_GXFClassCopyDef* classDef);

// Appends one mapping row (kind 14) under "Property Copy Definitions".
GxfControls::PropertyItem* AddPropertyCopyItem(GxfControls::PropertyTree* tree, GxfControls::PropertyItem* group,
                                               c_GXFPropertyCopyDef* propertyDef);

// The class definition a row belongs to (kinds 9 to 14), or null.
c_GXFClassCopyDef* ClassDefOfItem(GxfControls::PropertyItem* item);
