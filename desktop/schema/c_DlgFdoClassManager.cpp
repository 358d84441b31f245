#include "schema/c_DlgFdoClassManager.h"

#include "schema/ClassItemRules.h"
#include "schema/ManagerSupport.h"
#include "schema/SchemaEditing.h"
#include "schema/c_DlgAddProperty.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <GeoxferControls/PropertyTree.h>

#include <QPushButton>
#include <QVBoxLayout>

using GxfControls::CommitDecision;
using GxfControls::EditorKind;
using GxfControls::PropertyItem;
using GxfControls::PropertyTree;

namespace {

const char* const kTitle = "FDO Class Manager";

QString W(const wchar_t* text) { return QString::fromWCharArray(text ? text : L""); }

PropertyItem* AddAttributeRow(PropertyTree* tree, PropertyItem* parent, const QString& label, const QString& value,
                              int kind) {
    const EditorKind editor = AttributeEditor(label);
    PropertyItem* item = editor == EditorKind::DropDown
                             ? tree->addDropDownItem(parent, label, value, DataTypeNames())
                             : tree->addItem(parent, label, value, QString(), editor);
    if (editor == EditorKind::TrueFalse) item->setChoices({QStringLiteral("True"), QStringLiteral("False")});
    item->setKind(kind);
    return item;
}

}  // namespace

c_DlgFdoClassManager::c_DlgFdoClassManager(QWidget* parent, FdoClassDefinition* classDef)
    : QDialog(parent), m_tree(new PropertyTree(this)) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setSizeGripEnabled(true);
    if (classDef) m_class = c_FDO_Api::DeepCopyFdoClassDefinition(classDef);
    if (!m_class) m_class = FdoFeatureClass::Create(L"New Class", L"");

    auto* column = new QVBoxLayout;
    AddTreeButton(column, this, m_tree, QStringLiteral("OK"), [this] { accept(); });
    AddColumnButton(column, this, QStringLiteral("Cancel"), [this] { reject(); });
    AddTreeButton(column, this, m_tree, QStringLiteral("Add Property..."), [this] { OnAddProperty(); });
    AddTreeButton(column, this, m_tree, QStringLiteral("Delete Property..."), [this] { OnDeleteProperty(); });
    column->addStretch();
    LayOutManagerWindow(this, m_tree, column, [this](PropertyItem* item, const QString& value, CommitDecision* decision) {
        OnValueCommitted(item, value, decision);
    });
    resize(640, 560);
    Build();
}

c_DlgFdoClassManager::~c_DlgFdoClassManager() { m_tree->clear(); }

QPushButton* c_DlgFdoClassManager::Button(const QString& text) const { return FindButton(this, text); }

void c_DlgFdoClassManager::Tell(const QString& text) {
    c_UiServices::Get().Message(this, text, QString::fromUtf8(kTitle));
}

void c_DlgFdoClassManager::Build() {
    m_tree->clear();
    m_root = m_tree->addGroup(nullptr, W(m_class->GetName()), QStringLiteral("FDO Class Name"));
    m_root->setKind(ClassRoot);
    m_attributes = m_tree->addGroup(m_root, QStringLiteral("Class Attributes"));
    m_attributes->setKind(ClassAttributes);
    for (const QString& label : ClassAttributeLabels(m_class.p))
        AddAttributeRow(m_tree, m_attributes, label, ClassAttributeText(m_class.p, label), ClassAttribute);
    m_properties = m_tree->addGroup(m_root, QStringLiteral("Properties"));
    m_properties->setKind(Properties);
    FdoPtr<FdoPropertyDefinitionCollection> properties = m_class->GetProperties();
    for (FdoInt32 i = 0; i < properties->GetCount(); ++i) {
        FdoPtr<FdoPropertyDefinition> property = properties->GetItem(i);
        AddPropertyNode(property.p);
    }
    m_root->setExpanded(true);
    m_attributes->setExpanded(true);
    m_properties->setExpanded(true);
}

PropertyItem* c_DlgFdoClassManager::AddPropertyNode(FdoPropertyDefinition* property) {
    PropertyItem* node = m_tree->addGroup(m_properties, W(property->GetName()));
    node->setKind(Property);
    node->setUserPointer(property);
    for (const QString& label : PropertyAttributeLabels(property))
        AddAttributeRow(m_tree, node, label, PropertyAttributeText(property, label), PropertyAttribute);
    return node;
}

void c_DlgFdoClassManager::RefreshClassRows() {
    m_root->setLabel(W(m_class->GetName()));
    for (PropertyItem* row : m_attributes->childItems()) row->setValue(ClassAttributeText(m_class.p, row->label()));
}

void c_DlgFdoClassManager::RefreshPropertyNode(PropertyItem* node) {
    auto* property = node->userPointer<FdoPropertyDefinition>();
    node->setLabel(W(property->GetName()));
    for (PropertyItem* row : node->childItems()) row->setValue(PropertyAttributeText(property, row->label()));
}

void c_DlgFdoClassManager::OnValueCommitted(PropertyItem* item, const QString& value, CommitDecision* decision) {
    c_ItemEdit edit;
    PropertyItem* node = item->kind() == PropertyAttribute ? item->parentItem() : nullptr;
    if (item->kind() == ClassAttribute)
        edit = ApplyClassAttribute(m_class.p, item->label(), value);
    else if (node)
        edit = ApplyPropertyAttribute(m_class.p, node->userPointer<FdoPropertyDefinition>(), item->label(), value);
    if (!edit.applied) {
        decision->refuse();
        if (!edit.message.isEmpty()) Tell(edit.message);
        return;
    }
    // Show what the class now holds (a rename, a normalised type list).
    if (node) {
        RefreshPropertyNode(node);
        decision->setValue(PropertyAttributeText(node->userPointer<FdoPropertyDefinition>(), item->label()));
    } else {
        decision->setValue(ClassAttributeText(m_class.p, item->label()));
    }
    RefreshClassRows();
}

void c_DlgFdoClassManager::OnAddProperty() {
    c_DlgAddProperty dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString name = dialog.PropertyName();
    if (PropertyNameTaken(m_class.p, name)) {
        Tell(QStringLiteral("Property with that name already exists!"));
        return;
    }
    const std::wstring wide = name.toStdWString();
    FdoPtr<FdoPropertyDefinition> property;
    if (dialog.PropertyType() == 2)
        property = FdoGeometricPropertyDefinition::Create(wide.c_str(), L"");
    else
        property = FdoDataPropertyDefinition::Create(wide.c_str(), L"");
    FdoPtr<FdoPropertyDefinitionCollection> properties = m_class->GetProperties();
    properties->Add(property.p);
    PropertyItem* node = AddPropertyNode(property.p);
    m_tree->setCurrentItem(node);
    node->setExpanded(true);
    m_tree->setFocus();
}

void c_DlgFdoClassManager::OnDeleteProperty() {
    PropertyItem* current = m_tree->currentItem();
    PropertyItem* node = current ? current->ancestorOfKind(Property) : nullptr;
    if (!node) {
        Tell(QStringLiteral("Select Property to delete!"));
        return;
    }
    if (c_UiServices::Get().Message(this, QStringLiteral("Delete Property ?"), QString::fromUtf8(kTitle),
                                    c_UiServices::YesNo) != c_UiServices::AnswerYes)
        return;
    FdoPtr<FdoPropertyDefinition> property = FDO_SAFE_ADDREF(node->userPointer<FdoPropertyDefinition>());
    m_tree->removeItem(node);
    if (property->GetPropertyType() == FdoPropertyType_DataProperty) {
        FdoPtr<FdoDataPropertyDefinitionCollection> identity = m_class->GetIdentityProperties();
        auto* data = static_cast<FdoDataPropertyDefinition*>(property.p);
        if (identity->Contains(data)) identity->Remove(data);
    }
    if (m_class->GetClassType() == FdoClassType_FeatureClass) {
        auto* featureClass = static_cast<FdoFeatureClass*>(m_class.p);
        FdoPtr<FdoGeometricPropertyDefinition> geometry = featureClass->GetGeometryProperty();
        if (geometry.p == property.p) featureClass->SetGeometryProperty(nullptr);
    }
    FdoPtr<FdoPropertyDefinitionCollection> properties = m_class->GetProperties();
    properties->Remove(property.p);
    RefreshClassRows();
}
