#include "connections/c_DlgFdoSelConn.h"

#include "app/CMaprailApp.h"
#include "connections/ConnectionStateText.h"
#include "connections/SelectorBoxes.h"
#include "ui/c_UiServices.h"

#include <Fdo.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

c_DlgFdoSelConn::c_DlgFdoSelConn(CMaprailApp& app, QWidget* parent) : c_DlgPane(app, parent) {
    m_provider = new QComboBox(this);
    m_connection = new QComboBox(this);
    m_connString = new QLineEdit(this);
    auto* add = new QPushButton(QStringLiteral("New..."), this);
    auto* test = new QPushButton(QStringLiteral("Test..."), this);
    QGridLayout* grid = LayOutConnectionRow(this, m_provider, m_connection, add);
    grid->addWidget(m_connString, 1, 0, 1, 3);
    grid->addWidget(test, 1, 3);
    connect(m_provider, &QComboBox::activated, this, [this](int index) { ChooseProvider(index); });
    connect(m_connection, &QComboBox::activated, this, [this](int index) { ChooseConnection(index); });
    connect(add, &QPushButton::clicked, this, [this] { AddNewConnection(); });
    connect(test, &QPushButton::clicked, this, [this] { TestConnection(); });
    connect(m_connString, &QLineEdit::editingFinished, this, [this] { StoreEditedConnectionString(); });
}

QString c_DlgFdoSelConn::GetConnectionName() const { return m_connection->currentText(); }

void c_DlgFdoSelConn::OnActivate() {
    c_ConnList& list = App().ConnList();
    if (list.GetProviderNames().isEmpty()) list.LoadProviderNames();
    const QString before = m_provider->currentText();
    AddMissingItems(m_provider, list.GetProviderNames());
    if (m_provider->count() == 0) return;
    const c_ConnData current = list.GetCurrent();
    int index = current.provider.isEmpty() ? -1 : FirstStartingWith(m_provider, current.provider);
    if (index < 0 && !before.isEmpty()) index = FirstStartingWith(m_provider, before);
    m_provider->setCurrentIndex(index < 0 ? 0 : index);
    RefillConnections();
}

void c_DlgFdoSelConn::RefillConnections() {
    c_ConnList& list = App().ConnList();
    const QString before = m_connection->currentText();
    FillConnectionNames(m_connection, list, m_provider->currentText());
    if (m_connection->count() > 0) {
        // An empty current name would begin every entry; it names nothing.
        const QString current = list.GetCurrent().name;
        int index = current.isEmpty() ? -1 : FirstStartingWith(m_connection, current);
        if (index < 0 && !before.isEmpty()) index = FirstStartingWith(m_connection, before);
        m_connection->setCurrentIndex(index < 0 ? 0 : index);
    }
    ShowConnectionString();
}

void c_DlgFdoSelConn::ShowConnectionString() {
    c_ConnData record;
    m_connString->setText(App().ConnList().Find(GetConnectionName(), record) ? record.connectionString : QString());
    m_connString->setModified(false);
}

void c_DlgFdoSelConn::ChooseProvider(int index) {
    m_provider->setCurrentIndex(index);
    RefillConnections();
}

void c_DlgFdoSelConn::ChooseConnection(int index) {
    m_connection->setCurrentIndex(index);
    ShowConnectionString();
    App().ConnList().SetCurrentByName(GetConnectionName());
}

void c_DlgFdoSelConn::StoreEditedConnectionString() {
    if (!m_connString->isModified()) return;
    m_connString->setModified(false);
    c_ConnList& list = App().ConnList();
    c_ConnData record;
    if (!list.Find(GetConnectionName(), record)) return;
    record.connectionString = m_connString->text();
    list.Update(record.name, record);
}

void c_DlgFdoSelConn::AddNewConnection() {
    c_ConnList& list = App().ConnList();
    c_ConnData record;
    if (!list.AddNew(this, record)) return;
    const int provider = FirstStartingWith(m_provider, record.provider);
    if (provider >= 0) m_provider->setCurrentIndex(provider);
    m_connection->addItem(record.name);
    m_connection->setCurrentIndex(m_connection->count() - 1);
    ShowConnectionString();
    list.SetCurrent(record);
}

void c_DlgFdoSelConn::TestConnection() {
    App().SetStatusText(QString());
    c_UiServices& ui = c_UiServices::Get();
    const QString title = QStringLiteral("Test Connection");
    c_WaitCursor wait;
    try {
        FdoPtr<FdoIConnection> connection = App().ConnList().CreateConnection(GetConnectionName());
        if (!connection) {
            ui.Message(this, QStringLiteral("Unable to create FDO Connection!"), title);
            return;
        }
        ui.Message(this, OpenAndDescribeState(connection), title);
    } catch (FdoException* e) {
        ui.Message(this, TakeFdoMessage(e));
    }
}
