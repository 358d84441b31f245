#include "copytask/c_DlgFdoCopyTaskManager.h"

#include "app/CMaprailApp.h"
#include "copytask/CopyTaskItems.h"
#include "copytask/CopyTaskRun.h"
#include "copytask/CopyTaskTree.h"
#include "copytask/c_DlgFdoCopyTaskAddProperty.h"
#include "schema/ManagerSupport.h"
#include "schema/c_DlgFdoSchemaManager.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/FDO_MiscUtil.h>
#include <GeoxferApi/GXFCopyTaskDef.h>
#include <GeoxferApi/GXF_CopyTask_API.h>

#include <Fdo.h>

#include <GeoxferControls/PropertyTree.h>

#include <QPushButton>
#include <QVBoxLayout>

using GxfControls::CommitDecision;
using GxfControls::PropertyItem;
using GxfControls::PropertyTree;

namespace {

const char* const kTitle = "FDO Copy Task Manager";
const char* const kFilter = "XML files (*.xml)|*.xml|All Files (*.*)|*.*||";

QString LastError() { return QString::fromWCharArray(c_FDO_Api::GXF_GetLastError()); }

}  // namespace

c_DlgFdoCopyTaskManager::c_DlgFdoCopyTaskManager(CMaprailApp& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_task(new c_GXFCopyTaskDef()), m_tree(new PropertyTree(this)) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setSizeGripEnabled(true);
    auto* column = new QVBoxLayout;
    AddTreeButtons<c_DlgFdoCopyTaskManager>(column, this, m_tree, {
        {"Read from XML...", &c_DlgFdoCopyTaskManager::OnReadFromXml},
        {"Create from FDO Source...", &c_DlgFdoCopyTaskManager::OnCreateFromSource},
        {"Set FDO Source...", &c_DlgFdoCopyTaskManager::OnSetSource},
        {"Test Source Connection", &c_DlgFdoCopyTaskManager::OnTestSource},
        {"Set FDO Destination...", &c_DlgFdoCopyTaskManager::OnSetDestination},
        {"Test Dest. Connection", &c_DlgFdoCopyTaskManager::OnTestDestination},
        {"Add Class Copy", &c_DlgFdoCopyTaskManager::OnAddClassCopy},
        {"Delete Class Copy...", &c_DlgFdoCopyTaskManager::OnDeleteClassCopy},
        {"Add Property...", &c_DlgFdoCopyTaskManager::OnAddProperty},
        {"Delete Property...", &c_DlgFdoCopyTaskManager::OnDeleteProperty},
        {"Clear All...", &c_DlgFdoCopyTaskManager::OnClearAll},
        {"Expand All", nullptr},
        {"Collapse All", nullptr},
        {"Write to XML...", &c_DlgFdoCopyTaskManager::OnWriteToXml},
        {"Run Copy Task...", &c_DlgFdoCopyTaskManager::OnRunCopyTask},
        {"Schema Manager...", &c_DlgFdoCopyTaskManager::OnSchemaManager},
    });
    column->addStretch();
    AddColumnButton(column, this, QStringLiteral("Close"), [this] { close(); });

    LayOutManagerWindow(this, m_tree, column, [this](PropertyItem* item, const QString& value, CommitDecision* decision) {
        OnValueCommitted(item, value, decision);
    });
    m_tree->setLabelColumnWidth(340);
    resize(860, 620);
    Rebuild();
}

c_DlgFdoCopyTaskManager::~c_DlgFdoCopyTaskManager() {
    // The tree points into the task: empty it before the task goes.
    m_tree->clear();
}

QPushButton* c_DlgFdoCopyTaskManager::Button(const QString& text) const { return FindButton(this, text); }

int c_DlgFdoCopyTaskManager::Ask(const QString& question) {
    return c_UiServices::Get().Message(this, question, QString::fromUtf8(kTitle), c_UiServices::YesNo);
}

void c_DlgFdoCopyTaskManager::Tell(const QString& text) {
    c_UiServices::Get().Message(this, text, QString::fromUtf8(kTitle), c_UiServices::Ok);
}

void c_DlgFdoCopyTaskManager::Rebuild() { BuildCopyTaskTree(m_tree, m_task.p); }

void c_DlgFdoCopyTaskManager::ReplaceTask(c_GXFCopyTaskDef* task) {
    m_tree->clear();
    m_task = task;
    Rebuild();
}

void c_DlgFdoCopyTaskManager::OnReadFromXml() {
    const QString path = c_UiServices::Get().OpenFile(this, QString::fromUtf8(kFilter), QStringLiteral("XML"));
    if (!path.isEmpty()) LoadTaskFile(path);
}

bool c_DlgFdoCopyTaskManager::LoadTaskFile(const QString& path) {
    ReplaceTask(new c_GXFCopyTaskDef());
    bool read = false;
    try {
        read = m_task->ReadFromXML(path.toStdWString().c_str());
    } catch (FdoException* e) {
        e->Release();
    }
    Rebuild();
    if (!read) Tell(QStringLiteral("Error Reading file."));
    return read;
}

void c_DlgFdoCopyTaskManager::OnCreateFromSource() {
    const QString name = SelectConnectionName(m_app, this);
    if (name.isEmpty()) return;
    c_ConnData record;
    if (!m_app.ConnList().Find(name, record)) {
        Tell(QStringLiteral("Unable to find Connection Data!"));
        return;
    }
    int rc = 0;
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    {
        c_WaitCursor wait;
        rc = c_GXF_CopyTask_API::CreateDeafultCopyTask(task.p, record.provider.toStdWString().c_str(),
                                                        record.connectionString.toStdWString().c_str(), nullptr, nullptr);
    }
    if (rc != 0) {
        Tell(QStringLiteral("Error: ") + LastError());
        return;
    }
    ReplaceTask(FDO_SAFE_ADDREF(task.p));
    Tell(QStringLiteral("Default Copy Task created OK"));
}

void c_DlgFdoCopyTaskManager::SetConnection(bool source) {
    const QString name = SelectConnectionName(m_app, this);
    c_ConnData record;
    if (name.isEmpty() || !m_app.ConnList().Find(name, record)) return;
    const std::wstring provider = record.provider.toStdWString(), conn = record.connectionString.toStdWString();
    if (source) {
        m_task->SetSourceProvider(provider.c_str());
        m_task->SetSourceConnString(conn.c_str());
    } else {
        m_task->SetDestProvider(provider.c_str());
        m_task->SetDestConnString(conn.c_str());
    }
    const int providerKind = source ? SourceProviderItem : DestProviderItem;
    const int connKind = source ? SourceConnStringItem : DestConnStringItem;
    for (int kind : {providerKind, connKind})
        for (PropertyItem* item : m_tree->findItemsByKind(kind))
            item->setValue(CopyTaskItemValue(kind, m_task.p, nullptr, nullptr));
}

void c_DlgFdoCopyTaskManager::OnSetSource() { SetConnection(true); }

void c_DlgFdoCopyTaskManager::OnSetDestination() { SetConnection(false); }

void c_DlgFdoCopyTaskManager::TestConnection(bool source) {
    FdoStringP message;
    bool ok = false;
    {
        c_WaitCursor wait;
        ok = source ? c_FDO_MiscUtil::TestConnection(m_task->GetSourceProvider(), m_task->GetSourceConnString(), message)
                    : c_FDO_MiscUtil::TestConnection(m_task->GetDestProvider(), m_task->GetDestConnString(), message);
    }
    const QString what = source ? QStringLiteral("Source") : QStringLiteral("Destination");
    if (ok)
        Tell(what + QStringLiteral(" Connection OK"));
    else
        Tell(what + QStringLiteral(" Connection Error: ") + QString::fromWCharArray(static_cast<const wchar_t*>(message)));
}

void c_DlgFdoCopyTaskManager::OnTestSource() { TestConnection(true); }

void c_DlgFdoCopyTaskManager::OnTestDestination() { TestConnection(false); }

void c_DlgFdoCopyTaskManager::OnAddClassCopy() {
    PropertyItem* current = m_tree->currentItem();
    if (!current || (current->kind() != ClassCopyCollection && current->kind() != CopyTaskDefinition)) {
        Tell(QStringLiteral("Select Copy Class Collection to add Copy Class to!"));
        return;
    }
    PropertyItem* collection = m_tree->findItemsByKind(ClassCopyCollection).value(0);
    FdoPtr<c_GXFClassCopyDef> classDef = new c_GXFClassCopyDef();
    FdoPtr<c_GXFClassCopyDefCollection> classes = m_task->GetClassCopyDefCollection();
    classes->Add(classDef.p);
    PropertyItem* item = AddClassCopyItems(m_tree, collection, classDef.p);
    m_tree->setCurrentItem(item);
}

void c_DlgFdoCopyTaskManager::OnDeleteClassCopy() {
    const QList<PropertyItem*> selected = m_tree->selectedItemsInSelectionOrder();
    for (PropertyItem* item : selected)
        if (item->kind() != ClassCopyItem) {
            Tell(QStringLiteral("Select only Classes to be delete!"));
            return;
        }
    if (selected.isEmpty()) return;
    if (selected.size() > 1 && Ask(QStringLiteral("Delete Classes ?")) != c_UiServices::AnswerYes) return;
    FdoPtr<c_GXFClassCopyDefCollection> classes = m_task->GetClassCopyDefCollection();
    for (PropertyItem* item : selected) {
        if (selected.size() == 1 && Ask(QStringLiteral("Delete Copy Class ?")) != c_UiServices::AnswerYes) return;
        auto* classDef = item->userPointer<c_GXFClassCopyDef>();
        m_tree->removeItem(item);
        const FdoInt32 index = classes->IndexOf(classDef);
        if (index >= 0) classes->RemoveAt(index);
    }
}

void c_DlgFdoCopyTaskManager::OnAddProperty() {
    c_GXFClassCopyDef* classDef = ClassDefOfItem(m_tree->currentItem());
    if (!classDef) {
        Tell(QStringLiteral("Select Copy Class to add Property To!"));
        return;
    }
    c_DlgFdoCopyTaskAddProperty dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    FdoPtr<c_GXFPropertyCopyDef> mapping = new c_GXFPropertyCopyDef();
    mapping->SetSourceProperty(dialog.SourceProperty().toStdWString().c_str());
    mapping->SetDestProperty(dialog.DestProperty().toStdWString().c_str());
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = classDef->GetPropertyCopyDefCollection();
    mappings->Add(mapping.p);
    PropertyItem* classItem = m_tree->currentItem()->ancestorOfKind(ClassCopyItem);
    for (PropertyItem* child : classItem->childItems())
        if (child->kind() == PropertyCopyGroup) {
            m_tree->setCurrentItem(AddPropertyCopyItem(m_tree, child, mapping.p));
            return;
        }
}

void c_DlgFdoCopyTaskManager::OnDeleteProperty() {
    const QList<PropertyItem*> selected = m_tree->selectedItemsInSelectionOrder();
    if (selected.isEmpty()) return;
    for (PropertyItem* item : selected)
        if (item->kind() != PropertyCopyItem) {
            Tell(QStringLiteral("Select Copy Properties to be delete!"));
            return;
        }
    if (selected.size() > 1 && Ask(QStringLiteral("Delete Copy Properties ?")) != c_UiServices::AnswerYes) return;
    for (PropertyItem* item : selected) {
        if (selected.size() == 1 && Ask(QStringLiteral("Delete Copy Property ?")) != c_UiServices::AnswerYes) return;
        auto* mapping = item->userPointer<c_GXFPropertyCopyDef>();
        c_GXFClassCopyDef* classDef = ClassDefOfItem(item);
        m_tree->removeItem(item);
        if (!classDef) continue;
        FdoPtr<c_GXFPropertyCopyDefCollection> mappings = classDef->GetPropertyCopyDefCollection();
        const FdoInt32 index = mappings->IndexOf(mapping);
        if (index >= 0) mappings->RemoveAt(index);
    }
}

void c_DlgFdoCopyTaskManager::OnClearAll() {
    if (Ask(QStringLiteral("Delete Copy Task ?")) != c_UiServices::AnswerYes) return;
    ReplaceTask(new c_GXFCopyTaskDef());
}

void c_DlgFdoCopyTaskManager::OnWriteToXml() {
    const QString path = c_UiServices::Get().SaveFile(this, QString::fromUtf8(kFilter), QStringLiteral("XML"));
    if (path.isEmpty()) return;
    try {
        m_task->WriteToXML(path.toStdWString().c_str());
    } catch (FdoException* e) {
        const QString message = QString::fromWCharArray(e->GetExceptionMessage());
        e->Release();
        Tell(message);
        return;
    }
    if (Ask(QStringLiteral("Copy Task written to XML. View file?")) == c_UiServices::AnswerYes)
        c_UiServices::Get().OpenDocument(path);
}

void c_DlgFdoCopyTaskManager::OnRunCopyTask() {
    c_WaitCursor wait;
    FdoPtr<c_GXFClassCopyDefCollection> classes = m_task->GetClassCopyDefCollection();
    if (classes->GetCount() == 0) {
        Tell(QStringLiteral("No Class Copy defined. Create Class Copy with 'Create from Fdo Source' or with 'Add "
                            "Class Copy'"));
        return;
    }
    c_CopyTaskOutcome outcome;
    c_GXFCopyTaskDef* task = m_task.p;
    c_UiServices::Get().RunLongWork(this, QStringLiteral("Run Copy Task"), [task, &outcome](c_WorkProgress& progress) {
        outcome = RunCopyTaskWithProgress(task, progress);
    });
    if (outcome.resultCode != 0)
        Tell(QStringLiteral("Error: ") + outcome.error);
    else
        Tell(QStringLiteral("Copy finished OK. Copied: %1 records.").arg(outcome.count));
}

void c_DlgFdoCopyTaskManager::OnSchemaManager() { c_DlgFdoSchemaManager::Open(m_app, parentWidget()); }

void c_DlgFdoCopyTaskManager::OnValueCommitted(PropertyItem* item, const QString& value, CommitDecision* decision) {
    const int kind = item->kind();
    if (!IsEditableCopyTaskItem(kind)) {
        decision->refuse();
        return;
    }
    c_GXFClassCopyDef* classDef = ClassDefOfItem(item);
    auto* mapping = kind == PropertyCopyItem ? item->userPointer<c_GXFPropertyCopyDef>() : nullptr;
    ApplyCopyTaskEdit(kind, value, m_task.p, classDef, mapping);
    // The two SRID rows show the one SRID of the task.
    if (kind == OracleSridItem || kind == InformixSridItem) {
        const int other = kind == OracleSridItem ? InformixSridItem : OracleSridItem;
        for (PropertyItem* row : m_tree->findItemsByKind(other))
            row->setValue(CopyTaskSridText(m_task->GetOracle_Attr_SRID()));
    }
}
