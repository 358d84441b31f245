#include "connections/c_DlgFdoSelClass.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "ui/c_UiServices.h"

#include <Fdo.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

c_DlgFdoSelClass::c_DlgFdoSelClass(CMaprailApp& app, QWidget* parent) : c_DlgPane(app, parent) {
    m_provider = new QComboBox(this);
    m_connection = new QComboBox(this);
    m_class = new QComboBox(this);
    auto* add = new QPushButton(QStringLiteral("New..."), this);
    auto* read = new QPushButton(QStringLiteral("Read Schema"), this);
    QGridLayout* grid = LayOutConnectionRow(this, m_provider, m_connection, add);
    grid->addWidget(new QLabel(QStringLiteral("Select Feature:"), this), 1, 0);
    grid->addWidget(m_class, 1, 1, 1, 2);
    grid->addWidget(read, 1, 3);
    connect(m_provider, &QComboBox::activated, this, [this](int index) { ChooseProvider(index); });
    connect(m_connection, &QComboBox::activated, this, [this](int index) { ChooseConnection(index); });
    connect(add, &QPushButton::clicked, this, [this] { AddNewConnection(); });
    connect(read, &QPushButton::clicked, this, [this] { ReadSchema(); });
}

QString c_DlgFdoSelClass::GetConnectionName() const { return m_connection->currentText(); }
QString c_DlgFdoSelClass::GetClassName() const { return m_class->currentText(); }

void c_DlgFdoSelClass::OnActivate() {
    c_ConnList& list = App().ConnList();
    if (list.GetProviderNames().isEmpty()) list.LoadProviderNames();
    // A box that gets its first entries selects the first by itself, so
    // "no provider selected yet" is told by the box having been empty.
    const bool noneSelected = m_provider->count() == 0 || m_provider->currentIndex() < 0;
    AddMissingItems(m_provider, list.GetProviderNames());
    if (noneSelected && m_provider->count() > 0) {
        m_provider->setCurrentIndex(0);
        RefillConnections();
    }
}

void c_DlgFdoSelClass::RefillConnections() {
    FillConnectionNames(m_connection, App().ConnList(), m_provider->currentText());
    if (m_connection->count() > 0) m_connection->setCurrentIndex(0);
}

void c_DlgFdoSelClass::ChooseProvider(int index) {
    m_provider->setCurrentIndex(index);
    RefillConnections();
}

void c_DlgFdoSelClass::ChooseConnection(int index) {
    m_connection->setCurrentIndex(index);
    App().SetStatusText(QString());
    ReadSchema();
}

void c_DlgFdoSelClass::ReadSchema() {
    c_WaitCursor wait;
    c_UiServices& ui = c_UiServices::Get();
    m_class->clear();
    const QString name = GetConnectionName();
    if (name.isEmpty()) {
        m_connection->setFocus();
        ui.Message(this, QStringLiteral("\nSelect or create new FDO connection"));
        return;
    }
    c_ConnList& list = App().ConnList();
    list.SetCurrentByName(name);
    try {
        FdoPtr<FdoIConnection> connection = list.CreateConnection(name);
        if (!connection) {
            ui.Message(this, QStringLiteral("\nUnable to create FDO Connection!"));
            return;
        }
        connection->Open();
        FdoPtr<FdoIDescribeSchema> describe =
            static_cast<FdoIDescribeSchema*>(connection->CreateCommand(FdoCommandType_DescribeSchema));
        FdoPtr<FdoFeatureSchemaCollection> schemas = describe->Execute();
        for (FdoInt32 s = 0; s < schemas->GetCount(); s++) {
            FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(s);
            FdoPtr<FdoClassCollection> classes = schema->GetClasses();
            for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
                FdoPtr<FdoClassDefinition> classDef = classes->GetItem(c);
                m_class->addItem(QString::fromStdWString(classDef->GetQualifiedName().Str()));
            }
        }
        connection->Close();
        if (m_class->count() > 0) m_class->setCurrentIndex(0);
    } catch (FdoException* e) {
        App().SetStatusText(TakeFdoMessage(e));
    }
}

void c_DlgFdoSelClass::AddNewConnection() {
    c_ConnData record;
    if (!App().ConnList().AddNew(this, record)) return;
    for (int i = 0; i < m_provider->count(); i++) {
        if (m_provider->itemText(i).compare(record.provider, Qt::CaseInsensitive) == 0) {
            m_provider->setCurrentIndex(i);
            break;
        }
    }
    RefillConnections();
    const int index = m_connection->findText(record.name);
    if (index >= 0) m_connection->setCurrentIndex(index);
}
