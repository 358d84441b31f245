#include <GeoxferControls/PropertyTree.h>

#include "InPlaceEditDelegate.h"
#include "PropertyInfoPane.h"
#include "PropertyTreeView.h"

#include <QHeaderView>
#include <QPersistentModelIndex>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QVBoxLayout>

namespace GxfControls {

namespace {

InPlaceEditDelegate* delegateOf(const PropertyTreeView* view)
{
    return static_cast<InPlaceEditDelegate*>(view->itemDelegate());
}

void collect(PropertyItem* item, QList<PropertyItem*>& items)
{
    items.append(item);
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->childItem(i), items);
}

} // namespace

PropertyTree::PropertyTree(QWidget* parent)
    : QWidget(parent), m_view(new PropertyTreeView(this)), m_info(new PropertyInfoPane(this))
{
    m_view->setHeaderLabels({tr("Property"), tr("Value")});
    auto* delegate = new InPlaceEditDelegate(
        [this](const QModelIndex& index) {
            const PropertyItem* item = m_view->propertyItem(index);
            if (!item || index.column() != 1)
                return EditorSetup{};
            return EditorSetup{item->editorKind(), item->choices(), item->choicesEditable()};
        },
        [this](const QModelIndex& index, const QString& text) {
            if (PropertyItem* item = m_view->propertyItem(index))
                commitValue(item, text);
        },
        m_view);
    m_view->setItemDelegate(delegate);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_view);
    splitter->addWidget(m_info);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setChildrenCollapsible(false);
    // Sizes scale to the real height: the info pane starts at its minimum.
    splitter->setSizes({1000, m_info->minimumHeight()});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    setFocusProxy(m_view);

    connect(m_view, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        auto* item = static_cast<PropertyItem*>(current);
        describe(item);
        emit currentItemChanged(item);
    });
    connect(m_view, &QTreeWidget::itemSelectionChanged, this, &PropertyTree::itemSelectionChanged);
    connect(m_view, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        auto* property = static_cast<PropertyItem*>(item);
        if (property->editorKind() == EditorKind::ReadOnly)
            emit itemDoubleClicked(property);
    });
    connect(m_view, &PropertyTreeView::flipRequested, this, [this](PropertyItem* item) {
        commitValue(item, EditorSetup{item->editorKind(), item->choices(), false}.flipped(item->value()));
    });
}

PropertyItem* PropertyTree::addGroup(PropertyItem* parent, const QString& label, const QString& helpText,
                                     const QString& value)
{
    PropertyItem* item = attach(parent, -1, new PropertyItem(label, value, helpText, EditorKind::ReadOnly));
    item->setGroup(true);
    return item;
}

PropertyItem* PropertyTree::addItem(PropertyItem* parent, const QString& label, const QString& value,
                                    const QString& helpText, EditorKind editor)
{
    return attach(parent, -1, new PropertyItem(label, value, helpText, editor));
}

PropertyItem* PropertyTree::addTrueFalseItem(PropertyItem* parent, const QString& label, bool value,
                                             const QString& helpText)
{
    PropertyItem* item = addItem(parent, label, QString(), helpText, EditorKind::TrueFalse);
    item->setTrue(value);
    return item;
}

PropertyItem* PropertyTree::addDropDownItem(PropertyItem* parent, const QString& label, const QString& value,
                                            const QStringList& choices, const QString& helpText,
                                            bool choicesEditable)
{
    PropertyItem* item = addItem(parent, label, value, helpText, EditorKind::DropDown);
    item->setChoices(choices, choicesEditable);
    return item;
}

PropertyItem* PropertyTree::insertItem(PropertyItem* parent, int index, const QString& label,
                                       const QString& value, const QString& helpText, EditorKind editor)
{
    return attach(parent, index, new PropertyItem(label, value, helpText, editor));
}

PropertyItem* PropertyTree::attach(PropertyItem* parent, int index, PropertyItem* item)
{
    const int count = parent ? parent->childCount() : m_view->topLevelItemCount();
    if (index < 0 || index > count)
        index = count;
    if (parent)
        parent->insertChild(index, item);
    else
        m_view->insertTopLevelItem(index, item);
    return item;
}

void PropertyTree::removeItem(PropertyItem* item)
{
    delete item;
    describe(currentItem());
}

void PropertyTree::removeChildren(PropertyItem* item)
{
    qDeleteAll(item->takeChildren());
    describe(currentItem());
}

void PropertyTree::clear()
{
    m_view->clear();
    describe(nullptr);
}

int PropertyTree::topLevelItemCount() const
{
    return m_view->topLevelItemCount();
}

PropertyItem* PropertyTree::topLevelItem(int index) const
{
    return static_cast<PropertyItem*>(m_view->topLevelItem(index));
}

PropertyItem* PropertyTree::findItem(const QStringList& labels) const
{
    PropertyItem* found = nullptr;
    for (const QString& label : labels) {
        const int count = found ? found->childCount() : topLevelItemCount();
        PropertyItem* next = nullptr;
        for (int i = 0; i < count && !next; ++i) {
            PropertyItem* candidate = found ? found->childItem(i) : topLevelItem(i);
            if (candidate->label() == label)
                next = candidate;
        }
        if (!next)
            return nullptr;
        found = next;
    }
    return found;
}

PropertyItem* PropertyTree::findItem(const QString& path, QChar separator) const
{
    return findItem(path.split(separator));
}

PropertyItem* PropertyTree::findItemByKey(const QString& key) const
{
    for (PropertyItem* item : allItems())
        if (item->userKey() == key)
            return item;
    return nullptr;
}

QList<PropertyItem*> PropertyTree::findItemsByKind(int kind) const
{
    QList<PropertyItem*> found;
    for (PropertyItem* item : allItems())
        if (item->kind() == kind)
            found.append(item);
    return found;
}

QList<PropertyItem*> PropertyTree::allItems() const
{
    QList<PropertyItem*> items;
    for (int i = 0; i < topLevelItemCount(); ++i)
        collect(topLevelItem(i), items);
    return items;
}

PropertyItem* PropertyTree::currentItem() const
{
    return static_cast<PropertyItem*>(m_view->currentItem());
}

void PropertyTree::setCurrentItem(PropertyItem* item)
{
    // The view leaves the selection alone when the item is current already,
    // so clear it first: afterwards the item is the only one selected.
    m_view->clearSelection();
    m_view->setCurrentItem(item);
    if (item) {
        item->setSelected(true);
        m_view->scrollToItem(item);
    }
}

QList<PropertyItem*> PropertyTree::selectedItems() const
{
    QList<PropertyItem*> selected;
    for (PropertyItem* item : allItems())
        if (item->isSelected())
            selected.append(item);
    return selected;
}

QList<PropertyItem*> PropertyTree::selectedItemsInSelectionOrder() const
{
    // The view keeps its selection as ranges in the order they were made.
    QList<PropertyItem*> selected;
    for (QTreeWidgetItem* item : treeWidget()->selectedItems())
        selected.append(static_cast<PropertyItem*>(item));
    return selected;
}

void PropertyTree::setItemSelected(PropertyItem* item, bool selected)
{
    item->setSelected(selected);
}

void PropertyTree::clearSelection()
{
    m_view->clearSelection();
}

void PropertyTree::expandAll()
{
    m_view->expandAll();
}

void PropertyTree::collapseAll()
{
    m_view->collapseAll();
}

void PropertyTree::editItem(PropertyItem* item)
{
    setCurrentItem(item);
    if (item && item->editorKind() != EditorKind::ReadOnly)
        m_view->editItem(item, 1);
}

bool PropertyTree::isEditing() const
{
    return m_view->isEditing();
}

void PropertyTree::commitPendingEdit()
{
    m_view->commitOpenEditor(delegateOf(m_view)->openEditor());
}

void PropertyTree::setHeaderLabels(const QString& label, const QString& value)
{
    m_view->setHeaderLabels({label, value});
}

void PropertyTree::setLabelColumnWidth(int pixels)
{
    m_view->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_view->setColumnWidth(0, pixels);
}

void PropertyTree::setInfoPaneVisible(bool visible)
{
    m_info->setVisible(visible);
}

QString PropertyTree::infoTitle() const
{
    return m_info->title();
}

QString PropertyTree::infoText() const
{
    return m_info->text();
}

QTreeWidget* PropertyTree::treeWidget() const
{
    return m_view;
}

void PropertyTree::hideEvent(QHideEvent* event)
{
    // A window closed while a value is being typed keeps the value.
    commitPendingEdit();
    QWidget::hideEvent(event);
}

void PropertyTree::commitValue(PropertyItem* item, const QString& newValue)
{
    // A slot that opens a message box takes the focus from the editor, which
    // would commit the same edit a second time.
    if (m_committing)
        return;
    const QString oldValue = item->value();
    if (newValue == oldValue)
        return;
    QScopedValueRollback<bool> guard(m_committing, true);
    const QPersistentModelIndex alive(m_view->valueIndex(item));
    CommitDecision decision(newValue);
    emit valueCommitted(item, oldValue, newValue, &decision);
    if (!alive.isValid() || decision.isRefused())
        return;  // the slot removed the item, or refused the value
    item->setValue(decision.value());
    if (item == currentItem())
        describe(item);
}

void PropertyTree::describe(PropertyItem* item)
{
    if (item)
        m_info->describe(item->label(), item->helpText());
    else
        m_info->describe(QString(), QString());
}

} // namespace GxfControls
