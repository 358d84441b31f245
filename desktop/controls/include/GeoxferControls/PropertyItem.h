// One row of a PropertyTree: a label, a value text, a help text shown in
// the tree's info pane, and how the value is edited in place. A pane tags
// each item with what it stands for: a kind number of its own, a key text,
// and any data or a pointer to the object the row shows.
//
// Items are made by the tree (PropertyTree::addItem, addGroup, ...); the
// tree owns them. Deleting an item (PropertyTree::removeItem) deletes its
// children. Use the setters below rather than QTreeWidgetItem::setText, so
// that the tooltip and editing flags stay right.
//
// Example (a copy task pane):
//   enum Kind { SourceProvider = 3, ClassCopy = 9 };
//   PropertyItem* item = tree->addItem(source, "Source Provider", task->GetSourceProvider(),
//                                      "Source provider", EditorKind::Text);
//   item->setKind(SourceProvider);
//   item->setUserPointer(task);
//   ...
//   if (PropertyItem* classItem = tree->currentItem()->ancestorOfKind(ClassCopy))
//       addProperty(classItem->userPointer<c_GXFClassCopyDef>());
#pragma once

#include <GeoxferControls/EditorKind.h>

#include <QStringList>
#include <QTreeWidgetItem>
#include <QVariant>

namespace GxfControls {

class PropertyItem : public QTreeWidgetItem {
public:
    PropertyItem(const QString& label, const QString& value, const QString& helpText, EditorKind editor);

    QString label() const { return text(0); }
    void setLabel(const QString& label);
    QString value() const { return text(1); }
    void setValue(const QString& value);
    QString helpText() const { return m_helpText; }
    void setHelpText(const QString& helpText) { m_helpText = helpText; }

    EditorKind editorKind() const { return m_editor; }
    void setEditorKind(EditorKind editor);
    // DropDown: the list offered. TrueFalse: the true and the false text, in
    // this order (default "True", "False").
    QStringList choices() const { return m_choices; }
    void setChoices(const QStringList& choices, bool editable = false);
    bool choicesEditable() const { return m_choicesEditable; }

    // TrueFalse items: the value read as a boolean (the true text, compared
    // without regard to case) and set from one.
    bool isTrue() const;
    void setTrue(bool on);

    // Shown in bold; groups made by PropertyTree::addGroup are.
    bool isGroup() const { return m_group; }
    void setGroup(bool group);

    // The pane's own kind number; 0 (the default) means none.
    int kind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    QString userKey() const { return m_userKey; }
    void setUserKey(const QString& key) { m_userKey = key; }
    QVariant userData() const { return m_userData; }
    void setUserData(const QVariant& data) { m_userData = data; }
    void setUserPointer(void* pointer) { m_userPointer = pointer; }
    template <class T> T* userPointer() const { return static_cast<T*>(m_userPointer); }

    PropertyItem* parentItem() const { return static_cast<PropertyItem*>(parent()); }
    PropertyItem* childItem(int index) const { return static_cast<PropertyItem*>(child(index)); }
    QList<PropertyItem*> childItems() const;
    // The labels from the top-level item down to this one.
    QStringList path() const;
    // This item or the nearest item above it with the given kind, or null.
    PropertyItem* ancestorOfKind(int kind);

private:
    void updateFlags();

    QString m_helpText;
    EditorKind m_editor;
    QStringList m_choices;
    bool m_choicesEditable = false;
    bool m_group = false;
    int m_kind = 0;
    QString m_userKey;
    QVariant m_userData;
    void* m_userPointer = nullptr;
};

} // namespace GxfControls
