#include "schema/c_DlgFdoSchemaManager.h"

#include "app/CMaprailApp.h"
#include "schema/ClassItemRules.h"
#include "schema/ManagerSupport.h"
#include "schema/ConnectionSchemas.h"
#include "schema/SchemaEditing.h"
#include "schema/c_DlgFdoClassManager.h"
#include "schema/c_DlgFdoCopyClassName.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/FDO_MiscUtil.h>

#include <Fdo.h>

#include <GeoxferControls/PropertyTree.h>

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

using GxfControls::CommitDecision;
using GxfControls::EditorKind;
using GxfControls::PropertyItem;
using GxfControls::PropertyTree;

namespace {

const char* const kTitle = "FDO Schema Manager";
const char* const kFilter = "XML files (*.xml)|*.xml|All Files (*.*)|*.*||";
const char* const kIdentityHelp =
    "Columns used to create Identity. Use ',' to separate Columns for mutlicolumn identities.";

QString W(const wchar_t* text) { return QString::fromWCharArray(text ? text : L""); }
std::wstring Wide(const QString& text) { return text.toStdWString(); }

QString Message(FdoException* e) {
    const QString text = W(e->GetExceptionMessage());
    e->Release();
    return text;
}

}  // namespace

c_DlgFdoSchemaManager::c_DlgFdoSchemaManager(CMaprailApp& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_schemas(FdoFeatureSchemaCollection::Create(nullptr)),
      m_tree(new PropertyTree(this)),
      m_applyAsAdd(new QCheckBox(QStringLiteral("Apply as Add (Ignore States)"), this)) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setSizeGripEnabled(true);
    m_applyAsAdd->setChecked(true);
    auto* column = new QVBoxLayout;
    AddTreeButtons<c_DlgFdoSchemaManager>(column, this, m_tree, {
        {"Read from XML...", &c_DlgFdoSchemaManager::OnReadFromXml},
        {"Read FDO Source...", &c_DlgFdoSchemaManager::OnReadFromSource},
        {"Append from XML...", &c_DlgFdoSchemaManager::OnAppendFromXml},
        {"Append from FDO...", &c_DlgFdoSchemaManager::OnAppendFromSource},
        {"Add Schema...", &c_DlgFdoSchemaManager::OnAddSchema},
        {"Delete Schema...", &c_DlgFdoSchemaManager::OnDeleteSchema},
        {"Add Class...", &c_DlgFdoSchemaManager::OnAddClass},
        {"Edit Class...", &c_DlgFdoSchemaManager::OnEditClass},
        {"Copy Class...", &c_DlgFdoSchemaManager::OnCopyClass},
        {"Delete Class...", &c_DlgFdoSchemaManager::OnDeleteClass},
        {"Clear All...", &c_DlgFdoSchemaManager::OnClearAll},
        {"Expand All", nullptr},
        {"Collapse All", nullptr},
        {"Write all to XML...", &c_DlgFdoSchemaManager::OnWriteAllToXml},
        {"Write Selected to XML...", &c_DlgFdoSchemaManager::OnWriteSelectedToXml},
        {"Apply to FDO Source...", &c_DlgFdoSchemaManager::OnApplyToSource},
    });
    column->addWidget(m_applyAsAdd);
    column->addStretch();
    AddColumnButton(column, this, QStringLiteral("Close"), [this] { close(); });
    LayOutManagerWindow(this, m_tree, column, [this](PropertyItem* item, const QString& value, CommitDecision* decision) {
        OnValueCommitted(item, value, decision);
    });
    resize(820, 640);
    Rebuild();
}

c_DlgFdoSchemaManager::~c_DlgFdoSchemaManager() { m_tree->clear(); }

c_DlgFdoSchemaManager* c_DlgFdoSchemaManager::Open(CMaprailApp& app, QWidget* parent) {
    auto* window = new c_DlgFdoSchemaManager(app, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

QPushButton* c_DlgFdoSchemaManager::Button(const QString& text) const { return FindButton(this, text); }

int c_DlgFdoSchemaManager::Ask(const QString& question) {
    return c_UiServices::Get().Message(this, question, QString::fromUtf8(kTitle), c_UiServices::YesNo);
}

void c_DlgFdoSchemaManager::Tell(const QString& text) {
    c_UiServices::Get().Message(this, text, QString::fromUtf8(kTitle));
}

// --- The tree ---

void c_DlgFdoSchemaManager::Rebuild() {
    m_tree->clear();
    PropertyItem* root = m_tree->addGroup(nullptr, QStringLiteral("FDO Schema Collection"));
    root->setKind(CollectionRoot);
    for (FdoInt32 i = 0; i < m_schemas->GetCount(); ++i) {
        FdoPtr<FdoFeatureSchema> schema = m_schemas->GetItem(i);
        AddSchemaNode(schema.p);
    }
    root->setExpanded(true);
}

PropertyItem* c_DlgFdoSchemaManager::AddSchemaNode(FdoFeatureSchema* schema) {
    PropertyItem* root = m_tree->topLevelItem(0);
    PropertyItem* node = m_tree->addGroup(root, W(schema->GetName()));
    node->setKind(SchemaNode);
    node->setUserPointer(schema);
    PropertyItem* attributes = m_tree->addGroup(node, QStringLiteral("Schema Attributes"));
    attributes->setKind(SchemaAttributes);
    attributes->setUserPointer(schema);
    for (const auto& [label, value] : {std::pair{QStringLiteral("Name"), W(schema->GetName())},
                                       std::pair{QStringLiteral("Description"), W(schema->GetDescription())}}) {
        PropertyItem* row = m_tree->addItem(attributes, label, value, QString(), EditorKind::Text);
        row->setKind(SchemaAttribute);
        row->setUserPointer(schema);
    }
    PropertyItem* classes = m_tree->addGroup(node, QStringLiteral("Class Collection"),
                                             QStringLiteral("Collection of FDO classes in Schema"));
    classes->setKind(ClassCollection);
    classes->setUserPointer(schema);
    FdoPtr<FdoClassCollection> members = schema->GetClasses();
    for (FdoInt32 i = 0; i < members->GetCount(); ++i) {
        FdoPtr<FdoClassDefinition> classDef = members->GetItem(i);
        AddClassNode(classes, classDef.p);
    }
    node->setExpanded(true);
    return node;
}

PropertyItem* c_DlgFdoSchemaManager::AddClassNode(PropertyItem* collection, FdoClassDefinition* classDef) {
    PropertyItem* node = m_tree->addGroup(collection, W(classDef->GetName()));
    node->setKind(ClassNode);
    node->setUserPointer(classDef);
    FillClassNode(node);
    return node;
}

void c_DlgFdoSchemaManager::FillClassNode(PropertyItem* node) {
    for (PropertyItem* child : node->childItems()) m_tree->removeItem(child);
    auto* classDef = node->userPointer<FdoClassDefinition>();
    node->setLabel(W(classDef->GetName()));
    PropertyItem* name = m_tree->addItem(node, QStringLiteral("Name"), W(classDef->GetName()), QString(), EditorKind::Text);
    name->setKind(ClassAttribute);
    name->setUserPointer(classDef);
    // The same text as the class manager's row of that name.
    const QString identityLabel = QStringLiteral("Identity Properties");
    PropertyItem* identity = m_tree->addItem(node, identityLabel, ClassAttributeText(classDef, identityLabel),
                                             QString::fromUtf8(kIdentityHelp));
    identity->setKind(ClassAttribute);
    identity->setUserPointer(classDef);
}

PropertyItem* c_DlgFdoSchemaManager::SchemaNodeOf(FdoFeatureSchema* schema) const {
    for (PropertyItem* node : m_tree->findItemsByKind(SchemaNode))
        if (node->userPointer<FdoFeatureSchema>() == schema) return node;
    return nullptr;
}

PropertyItem* c_DlgFdoSchemaManager::ClassCollectionOf(PropertyItem* schemaNode) const {
    for (PropertyItem* child : schemaNode->childItems())
        if (child->kind() == ClassCollection) return child;
    return nullptr;
}

void c_DlgFdoSchemaManager::OnValueCommitted(PropertyItem* item, const QString& value, CommitDecision* decision) {
    try {
        if (item->kind() == SchemaAttribute) {
            auto* schema = item->userPointer<FdoFeatureSchema>();
            if (item->label() == QLatin1String("Description")) {
                schema->SetDescription(Wide(value).c_str());
                return;
            }
            schema->SetName(Wide(value).c_str());
            if (PropertyItem* node = SchemaNodeOf(schema)) node->setLabel(value);
            return;
        }
        if (item->kind() == ClassAttribute && item->label() == QLatin1String("Name")) {
            auto* classDef = item->userPointer<FdoClassDefinition>();
            FdoPtr<FdoFeatureSchema> schema = classDef->GetFeatureSchema();
            if (schema && ClassNameTaken(schema.p, value, classDef)) {
                decision->refuse();
                Tell(QStringLiteral("Error: Duplicated name of Class!"));
                return;
            }
            classDef->SetName(Wide(value).c_str());
            item->parentItem()->setLabel(value);
            return;
        }
    } catch (FdoException* e) {
        // A name another element of the collection already bears.
        decision->refuse();
        Tell(Message(e));
        return;
    }
    decision->refuse();
    Tell(QStringLiteral("Only Schema, Class and Property can be renamed! Select one to be renamed."));
}

// --- Reading and merging ---

void c_DlgFdoSchemaManager::TakeSchemas(FdoFeatureSchemaCollection* read, bool append) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = read;
    if (!append) {
        m_tree->clear();
        m_schemas = FDO_SAFE_ADDREF(schemas.p);
    } else if (c_FDO_Api::AppendSchemaCollection(m_schemas.p, schemas.p, true) != 0) {
        Tell(W(c_FDO_Api::GXF_GetLastError()));
    }
    Rebuild();
}

void c_DlgFdoSchemaManager::OnReadFromXml() {
    const QString path = c_UiServices::Get().OpenFile(this, QString::fromUtf8(kFilter), QStringLiteral("XML"));
    if (!path.isEmpty()) LoadSchemaFile(path);
}

bool c_DlgFdoSchemaManager::LoadSchemaFile(const QString& path) { return ReadXml(path, false); }

void c_DlgFdoSchemaManager::OnAppendFromXml() {
    const QString path = c_UiServices::Get().OpenFile(this, QString::fromUtf8(kFilter), QStringLiteral("XML"));
    if (!path.isEmpty()) ReadXml(path, true);
}

void c_DlgFdoSchemaManager::OnReadFromSource() { ReadSource(false); }

void c_DlgFdoSchemaManager::OnAppendFromSource() { ReadSource(true); }

bool c_DlgFdoSchemaManager::ReadXml(const QString& path, bool append) {
    QString error;
    FdoFeatureSchemaCollection* read = ReadSchemaFile(path, error);
    if (!read) {
        Tell(error);
        return false;
    }
    TakeSchemas(read, append);
    return true;
}

void c_DlgFdoSchemaManager::ReadSource(bool append) {
    const QString name = SelectConnectionName(m_app, this);
    if (name.isEmpty()) return;
    QString error;
    FdoFeatureSchemaCollection* read = nullptr;
    {
        c_WaitCursor wait;
        read = ReadConnectionSchemas(m_app.ConnList(), name, error);
    }
    if (!read) {
        Tell(error);
        return;
    }
    TakeSchemas(read, append);
}

// --- Schemas ---

void c_DlgFdoSchemaManager::OnAddSchema() {
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(Wide(FreeSchemaName(m_schemas.p)).c_str(), L"");
    m_schemas->Add(schema.p);
    m_tree->setCurrentItem(AddSchemaNode(schema.p));
}

void c_DlgFdoSchemaManager::OnDeleteSchema() {
    PropertyItem* node = m_tree->currentItem();
    if (!node || node->kind() != SchemaNode) {
        Tell(QStringLiteral("Select Schema to delete!"));
        return;
    }
    auto* schema = node->userPointer<FdoFeatureSchema>();
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    if (classes->GetCount() > 0 &&
        Ask(QStringLiteral("Schema contains classes! Delete schema ?")) != c_UiServices::AnswerYes)
        return;
    m_tree->removeItem(node);
    m_schemas->Remove(schema);
}

// --- Classes ---

void c_DlgFdoSchemaManager::OnAddClass() {
    PropertyItem* current = m_tree->currentItem();
    PropertyItem* schemaNode = current ? current->ancestorOfKind(SchemaNode) : nullptr;
    if (!schemaNode) {
        Tell(QStringLiteral("Select Schema to add class to!"));
        return;
    }
    auto* schema = schemaNode->userPointer<FdoFeatureSchema>();
    FdoPtr<FdoFeatureClass> fresh = FdoFeatureClass::Create(Wide(FreeClassName(schema)).c_str(), L"");
    c_DlgFdoClassManager manager(this, fresh.p);
    if (manager.exec() != QDialog::Accepted) return;
    FdoPtr<FdoClassDefinition> edited = FDO_SAFE_ADDREF(manager.EditedClass());
    if (ClassNameTaken(schema, W(edited->GetName()))) {
        Tell(QStringLiteral("Error: Duplicated name of Class!"));
        return;
    }
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(edited.p);
    PropertyItem* node = AddClassNode(ClassCollectionOf(schemaNode), edited.p);
    m_tree->setCurrentItem(node);
    node->setExpanded(true);
    m_tree->setFocus();
}

PropertyItem* c_DlgFdoSchemaManager::SelectedClassNode(FdoPtr<FdoFeatureSchema>& schema) {
    PropertyItem* current = m_tree->currentItem();
    PropertyItem* node = current ? current->ancestorOfKind(ClassNode) : nullptr;
    if (!node) {
        Tell(QStringLiteral("Select Class to edit!"));
        return nullptr;
    }
    schema = node->userPointer<FdoClassDefinition>()->GetFeatureSchema();
    if (!schema) {
        Tell(QStringLiteral("Unable to find Schema for selected Class!"));
        return nullptr;
    }
    return node;
}

void c_DlgFdoSchemaManager::OnEditClass() {
    FdoPtr<FdoFeatureSchema> schema;
    PropertyItem* node = SelectedClassNode(schema);
    if (!node) return;
    auto* original = node->userPointer<FdoClassDefinition>();
    c_DlgFdoClassManager manager(this, original);
    if (manager.exec() != QDialog::Accepted) return;
    FdoPtr<FdoClassDefinition> edited = FDO_SAFE_ADDREF(manager.EditedClass());
    if (ClassNameTaken(schema.p, W(edited->GetName()), original)) {
        Tell(QStringLiteral("Error: Duplicated name of Class!"));
        return;
    }
    if (!ReplaceClass(schema.p, original, edited.p)) return;
    node->setUserPointer(edited.p);
    FillClassNode(node);
}

void c_DlgFdoSchemaManager::OnCopyClass() {
    FdoPtr<FdoFeatureSchema> schema;
    PropertyItem* node = SelectedClassNode(schema);
    if (!node) return;
    auto* classDef = node->userPointer<FdoClassDefinition>();
    c_DlgFdoCopyClassName names(this, W(schema->GetName()), W(classDef->GetName()));
    if (names.exec() != QDialog::Accepted) return;
    FdoFeatureSchema* target = nullptr;
    bool created = false;
    switch (CopyClassInto(m_schemas.p, classDef, names.SchemaName(), names.ClassName(), target, created)) {
        case e_CopyClassResult::DuplicateName: Tell(QStringLiteral("Error: Duplicated name of Class!")); return;
        case e_CopyClassResult::Failed: Tell(W(c_FDO_Api::GXF_GetLastError())); return;
        case e_CopyClassResult::Copied: break;
    }
    PropertyItem* targetNode = created ? AddSchemaNode(target) : SchemaNodeOf(target);
    if (!targetNode) {
        Tell(QStringLiteral("Error: Unable to find list item for existing schema!"));
        return;
    }
    if (!created) {
        FdoPtr<FdoClassCollection> classes = target->GetClasses();
        FdoPtr<FdoClassDefinition> copy = classes->GetItem(classes->GetCount() - 1);
        m_tree->setCurrentItem(AddClassNode(ClassCollectionOf(targetNode), copy.p));
    }
}

void c_DlgFdoSchemaManager::OnDeleteClass() {
    const QList<PropertyItem*> selected = m_tree->selectedItemsInSelectionOrder();
    for (PropertyItem* item : selected)
        if (item->kind() != ClassNode) {
            Tell(QStringLiteral("Select only Classes to be delete!"));
            return;
        }
    if (selected.isEmpty()) {
        Tell(QStringLiteral("Select Class to Delete!"));
        return;
    }
    const QString question = selected.size() > 1 ? QStringLiteral("Delete Classes ?") : QStringLiteral("Delete Class ?");
    if (Ask(question) != c_UiServices::AnswerYes) return;
    for (PropertyItem* item : selected) {
        FdoPtr<FdoClassDefinition> classDef = FDO_SAFE_ADDREF(item->userPointer<FdoClassDefinition>());
        FdoPtr<FdoFeatureSchema> schema = classDef->GetFeatureSchema();
        if (!schema) {
            Tell(QStringLiteral("Unable to detect Schema for selected Class!"));
            continue;
        }
        m_tree->removeItem(item);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        classes->Remove(classDef.p);
    }
}

void c_DlgFdoSchemaManager::OnClearAll() {
    if (m_schemas->GetCount() == 0) {
        Tell(QStringLiteral("Schema Collection is already empty!"));
        return;
    }
    if (Ask(QStringLiteral("Delete all Schemas and Classes")) != c_UiServices::AnswerYes) return;
    m_tree->clear();
    m_schemas = FdoFeatureSchemaCollection::Create(nullptr);
    Rebuild();
}

// --- Writing and applying ---

void c_DlgFdoSchemaManager::WriteCollection(FdoFeatureSchemaCollection* schemas) {
    const QString path = c_UiServices::Get().SaveFile(this, QString::fromUtf8(kFilter), QStringLiteral("XML"));
    if (path.isEmpty()) return;
    try {
        schemas->WriteXml(Wide(path).c_str());
    } catch (FdoException* e) {
        Tell(Message(e));
        return;
    }
    if (Ask(QStringLiteral("Schema exported OK. View file?")) == c_UiServices::AnswerYes)
        c_UiServices::Get().OpenDocument(path);
}

void c_DlgFdoSchemaManager::OnWriteAllToXml() { WriteCollection(m_schemas.p); }

void c_DlgFdoSchemaManager::OnWriteSelectedToXml() {
    QList<FdoClassDefinition*> classes;
    for (PropertyItem* item : m_tree->selectedItemsInSelectionOrder())
        if (item->kind() == ClassNode) classes.append(item->userPointer<FdoClassDefinition>());
    FdoPtr<FdoFeatureSchemaCollection> selected = CollectClasses(classes);
    WriteCollection(selected.p);
}

void c_DlgFdoSchemaManager::OnApplyToSource() {
    const QString name = SelectConnectionName(m_app, this);
    c_ConnData record;
    if (name.isEmpty() || !m_app.ConnList().Find(name, record)) return;
    const std::wstring provider = Wide(record.provider), conn = Wide(record.connectionString);
    if (record.provider.contains(QLatin1String("OSGeo.SDF"))) {
        FdoStringP file;
        c_FDO_MiscUtil::ParsePropertyFromString(conn.c_str(), L"File", file);
        const QString path = W(static_cast<const wchar_t*>(file));
        if (!path.isEmpty() && !c_FDO_MiscUtil::FileExists(path.toUtf8().constData()) &&
            Ask(QStringLiteral("You choosed to apply schema against SDF file which doesn't exist.\nDo you wish to "
                               "create SDF file?")) == c_UiServices::AnswerYes) {
            try {
                c_WaitCursor wait;
                c_FDO_Api::CreateSdfFile(Wide(path).c_str());
            } catch (FdoException* e) {
                Tell(Message(e));
                return;
            }
        }
    }
    int rc = 0;
    {
        c_WaitCursor wait;
        rc = c_FDO_Api::GXF_ApplySchemaCollection(provider.c_str(), conn.c_str(), m_applyAsAdd->isChecked(),
                                                  m_schemas.p, 0);
    }
    if (rc == 0)
        Tell(QStringLiteral("Schema Applied OK."));
    else
        Tell(QStringLiteral("Shema Apply Error!\n") + W(c_FDO_Api::GXF_GetLastError()));
}
