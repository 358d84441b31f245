// A two-column tree (label | value) of PropertyItems with groups, in-place
// editing of the values and an info pane below that shows the label and the
// help text of the current item. It knows nothing of what the items stand
// for: a pane builds the rows, tags them (kind, key, pointer) and listens to
// valueCommitted to write an edited value back into its own objects.
//
// Editing: double-click, F2 or Enter on an editable row opens its editor in
// the value column (Enter on a group without an editor opens or closes it).
// Enter, Tab or moving the focus elsewhere commits; Escape cancels; picking
// a choice from a drop-down commits at once; Space on a True/False row
// flips it. Every commit of a changed text emits valueCommitted *before*
// the item shows the new value: the slot may refuse it or replace it
// through the CommitDecision (see CommitDecision.h). During the signal
// item->value() is still the old value. The slot may show
// a message box, and it may even remove or rebuild items: the tree then
// leaves the removed item alone. A commit that leaves the text unchanged
// emits nothing.
//
// Before acting on the values (a "Write to XML..." reached by a shortcut,
// say), call commitPendingEdit() so that a half-typed value is not left out.
//
// Selection is extended (Ctrl/Shift-click); selectedItems() lists the
// selected items from top to bottom; currentItem() is the focused one.
//
// Use: link GeoxferControls, #include <GeoxferControls/PropertyTree.h>.
// Example:
//   auto* tree = new GxfControls::PropertyTree(this);
//   PropertyItem* task = tree->addGroup(nullptr, "Copy Task Definition", "Define Copy Paramateres.");
//   PropertyItem* source = tree->addGroup(task, "Source Connection", "Source Connection Parameters");
//   tree->addItem(source, "Source Provider", provider, "Source provider", EditorKind::Text)->setKind(3);
//   PropertyItem* attrs = tree->addGroup(task, "Copy Task Attributes", "...");
//   tree->addTrueFalseItem(attrs, "Delete Destination Data", false, "If TRUE then ...")
//       ->setChoices({"TRUE", "FALSE"});
//   tree->addDropDownItem(attrs, "Layer Geometry Type", "", {"", "POINT", "LINE", "POLYGON"},
//                         "Enter Layer type to be set or leave blank", /*editable*/ true);
//   source->setExpanded(true);
//   connect(tree, &PropertyTree::valueCommitted, this,
//           [this](PropertyItem* item, const QString&, const QString& value) { apply(item, value); });
//   // Delete the selected classes:
//   for (PropertyItem* item : tree->selectedItems())
//       if (item->kind() != 9) { message("Select only Classes to be delete!"); return; }
#pragma once

#include <GeoxferControls/CommitDecision.h>
#include <GeoxferControls/EditorKind.h>
#include <GeoxferControls/PropertyItem.h>

#include <QWidget>

class QTreeWidget;

namespace GxfControls {

class PropertyTreeView;
class PropertyInfoPane;

class PropertyTree : public QWidget {
    Q_OBJECT
public:
    explicit PropertyTree(QWidget* parent = nullptr);

    // Building. A null parent adds at the top level. Items are appended
    // unless an index is given (-1 appends).
    PropertyItem* addGroup(PropertyItem* parent, const QString& label, const QString& helpText = {},
                           const QString& value = {});
    PropertyItem* addItem(PropertyItem* parent, const QString& label, const QString& value,
                          const QString& helpText = {}, EditorKind editor = EditorKind::ReadOnly);
    PropertyItem* addTrueFalseItem(PropertyItem* parent, const QString& label, bool value,
                                   const QString& helpText = {});
    PropertyItem* addDropDownItem(PropertyItem* parent, const QString& label, const QString& value,
                                  const QStringList& choices, const QString& helpText = {},
                                  bool choicesEditable = false);
    PropertyItem* insertItem(PropertyItem* parent, int index, const QString& label, const QString& value,
                             const QString& helpText = {}, EditorKind editor = EditorKind::ReadOnly);
    // Deletes the item and everything under it; an open editor on it closes
    // without committing.
    void removeItem(PropertyItem* item);
    // Deletes everything under the item (to rebuild a node in place).
    void removeChildren(PropertyItem* item);
    void clear();

    int topLevelItemCount() const;
    PropertyItem* topLevelItem(int index) const;

    // Lookup. A path is the labels from the top level down; at each level the
    // first item with that label is taken. Labels compare exactly (blanks count).
    PropertyItem* findItem(const QStringList& labels) const;
    PropertyItem* findItem(const QString& path, QChar separator = QLatin1Char('/')) const;
    PropertyItem* findItemByKey(const QString& key) const;
    QList<PropertyItem*> findItemsByKind(int kind) const;
    // Every item, depth first, parents before children.
    QList<PropertyItem*> allItems() const;

    // Selection and focus.
    PropertyItem* currentItem() const;
    // Makes the item current and the only selected one, opens its parents
    // and scrolls it into view. (tree->setFocus() then gives it the focus.)
    void setCurrentItem(PropertyItem* item);
    QList<PropertyItem*> selectedItems() const;
    // The same items in the order in which they were selected (the first
    // clicked first), for actions that work through a selection in order.
    QList<PropertyItem*> selectedItemsInSelectionOrder() const;
    void setItemSelected(PropertyItem* item, bool selected);
    void clearSelection();

    void expandAll();
    void collapseAll();

    // Editing from code.
    void editItem(PropertyItem* item);
    bool isEditing() const;
    // Commits an open editor as if the user had pressed Enter.
    void commitPendingEdit();

    // Looks.
    void setHeaderLabels(const QString& label, const QString& value);
    // The label column fits its longest visible label unless given a width
    // here (the user can then drag it).
    void setLabelColumnWidth(int pixels);
    void setInfoPaneVisible(bool visible);
    QString infoTitle() const;
    QString infoText() const;

    // The tree widget itself, for what this class does not wrap (fonts,
    // context menus). Do not add items through it.
    QTreeWidget* treeWidget() const;

signals:
    void valueCommitted(GxfControls::PropertyItem* item, const QString& oldValue, const QString& newValue,
                        GxfControls::CommitDecision* decision);
    void currentItemChanged(GxfControls::PropertyItem* current);
    void itemSelectionChanged();
    // A double-click on a row that has no editor.
    void itemDoubleClicked(GxfControls::PropertyItem* item);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    PropertyItem* attach(PropertyItem* parent, int index, PropertyItem* item);
    void commitValue(PropertyItem* item, const QString& newValue);
    void describe(PropertyItem* item);

    PropertyTreeView* m_view;
    PropertyInfoPane* m_info;
    bool m_committing = false;
};

} // namespace GxfControls
