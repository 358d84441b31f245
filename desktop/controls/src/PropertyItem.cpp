#include <GeoxferControls/PropertyItem.h>

#include "EditorSetup.h"

namespace GxfControls {

PropertyItem::PropertyItem(const QString& label, const QString& value, const QString& helpText,
                           EditorKind editor)
    : QTreeWidgetItem(QStringList{label, value}), m_helpText(helpText), m_editor(editor)
{
    if (editor == EditorKind::TrueFalse)
        m_choices = EditorSetup::defaultTrueFalse();
    setToolTip(0, label);
    setToolTip(1, value);
    updateFlags();
}

void PropertyItem::setLabel(const QString& label)
{
    setText(0, label);
    setToolTip(0, label);
}

void PropertyItem::setValue(const QString& value)
{
    setText(1, value);
    // Long values (connection strings, filters) are cut off in the column.
    setToolTip(1, value);
}

void PropertyItem::setEditorKind(EditorKind editor)
{
    m_editor = editor;
    if (editor == EditorKind::TrueFalse && m_choices.size() != 2)
        m_choices = EditorSetup::defaultTrueFalse();
    updateFlags();
}

void PropertyItem::setChoices(const QStringList& choices, bool editable)
{
    // A True/False item given its own pair says its value in the new words.
    const bool wasTrue = isTrue();
    const bool wasFalse = EditorSetup{m_editor, m_choices, false}.isFalse(value());
    m_choices = choices;
    m_choicesEditable = editable;
    if (m_editor == EditorKind::TrueFalse && (wasTrue || wasFalse))
        setTrue(wasTrue);
}

bool PropertyItem::isTrue() const
{
    return EditorSetup{m_editor, m_choices, false}.isTrue(value());
}

void PropertyItem::setTrue(bool on)
{
    const QStringList pair = EditorSetup{m_editor, m_choices, false}.trueFalseTexts();
    setValue(on ? pair.at(0) : pair.at(1));
}

void PropertyItem::setGroup(bool group)
{
    m_group = group;
    QFont bold = font(0);
    bold.setBold(group);
    setFont(0, bold);
}

QList<PropertyItem*> PropertyItem::childItems() const
{
    QList<PropertyItem*> items;
    for (int i = 0; i < childCount(); ++i)
        items.append(childItem(i));
    return items;
}

QStringList PropertyItem::path() const
{
    QStringList labels;
    for (const PropertyItem* item = this; item; item = item->parentItem())
        labels.prepend(item->label());
    return labels;
}

PropertyItem* PropertyItem::ancestorOfKind(int wanted)
{
    for (PropertyItem* item = this; item; item = item->parentItem())
        if (item->kind() == wanted)
            return item;
    return nullptr;
}

void PropertyItem::updateFlags()
{
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_editor != EditorKind::ReadOnly)
        f |= Qt::ItemIsEditable;
    setFlags(f);
}

} // namespace GxfControls
