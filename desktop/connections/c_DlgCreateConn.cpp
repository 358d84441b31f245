// The "New FDO Connection" dialog. Connections made here are opened only by
// "Test Connection" and closed again at once; OK only asks the provider to
// compose the connection string.
#include "connections/c_DlgCreateConn.h"

#include "connections/ConnectionStateText.h"
#include "connections/c_ConnList.h"
#include "ui/c_UiServices.h"

#include <Fdo.h>

#include <QComboBox>

#include <algorithm>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

const QString kShpFilter = QStringLiteral("Shape files (*.shp)|*.shp|All Files (*.*)|*.*||");
const QString kSdfFilter = QStringLiteral("SDF files (*.sdf)|*.sdf|All Files (*.*)|*.*||");
const QString kKmlFilter = QStringLiteral("KML files (*.kml)|*.kml|All Files (*.*)|*.*||");

QString FdoMessage(FdoException* e) {
    const QString text = QString::fromStdWString(e->GetExceptionMessage());
    e->Release();
    return text;
}

// A connection's property dictionary, or null (new reference).
FdoIConnectionPropertyDictionary* DictionaryOf(FdoIConnection* connection) {
    FdoPtr<FdoIConnectionInfo> info = connection ? connection->GetConnectionInfo() : nullptr;
    return info ? info->GetConnectionProperties() : nullptr;
}

FdoIConnection* NewConnection(const QString& provider) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    return manager->CreateConnection(provider.toStdWString().c_str());
}

// The last component of a folder path.
QString LastComponent(QString path) {
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

}  // namespace

c_DlgCreateConn::c_DlgCreateConn(c_ConnList& list, QWidget* parent) : QDialog(parent), m_list(list) {
    setWindowTitle(QStringLiteral("New FDO Connection"));
    m_name = new QLineEdit(this);
    m_provider = new QComboBox(this);
    m_properties = new QTableWidget(0, 2, this);
    m_properties->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    m_properties->setColumnWidth(0, 120);
    m_properties->horizontalHeader()->setStretchLastSection(true);
    m_properties->verticalHeader()->hide();
    m_properties->setShowGrid(true);
    m_properties->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_properties->setMinimumHeight(150);
    m_browseFile = new QPushButton(QStringLiteral("Browse for File..."), this);
    m_browseFolder = new QPushButton(QStringLiteral("Browse for Folder..."), this);
    m_browseFile->hide();
    m_browseFolder->hide();
    auto* test = new QPushButton(QStringLiteral("Test Connection"), this);
    m_testResult = new QLabel(QStringLiteral("Click to Test Connection"), this);
    m_testResult->setWordWrap(true);
    auto* fromShpFile = new QPushButton(QStringLiteral("From SHP File..."), this);
    auto* fromShpFolder = new QPushButton(QStringLiteral("From SHP Folder..."), this);
    auto* fromSdfFile = new QPushButton(QStringLiteral("From SDF File..."), this);
    auto* fromKmlFile = new QPushButton(QStringLiteral("From KML File..."), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Connection Name:"), this), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Provider:"), this), 1, 0);
    grid->addWidget(m_provider, 1, 1, 1, 2);
    grid->addWidget(m_properties, 2, 0, 1, 3);
    auto* browse = new QHBoxLayout;
    browse->addWidget(m_browseFile);
    browse->addWidget(m_browseFolder);
    browse->addStretch();
    grid->addLayout(browse, 3, 0, 1, 3);
    grid->addWidget(test, 4, 0);
    grid->addWidget(m_testResult, 4, 1, 1, 2);
    auto* quick = new QHBoxLayout;
    for (QPushButton* b : {fromShpFile, fromShpFolder, fromSdfFile, fromKmlFile}) quick->addWidget(b);
    grid->addLayout(quick, 5, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    resize(560, 420);

    // The registry is read again for every new dialog.
    m_list.LoadProviderNames();
    m_provider->addItems(m_list.GetProviderNames());
    if (m_provider->count() > 0) ChooseProvider(m_provider->currentText());

    connect(m_provider, &QComboBox::activated, this, [this] { ChooseProvider(m_provider->currentText()); });
    connect(m_browseFile, &QPushButton::clicked, this, [this] { BrowseForFile(); });
    connect(m_browseFolder, &QPushButton::clicked, this, [this] { BrowseForFolder(); });
    connect(test, &QPushButton::clicked, this, [this] { TestConnection(); });
    connect(fromShpFile, &QPushButton::clicked, this,
            [this] { QuickFillFromFile(kShpFilter, QStringLiteral("SHP"), QStringLiteral("OSGeo.SHP"), false); });
    connect(fromShpFolder, &QPushButton::clicked, this, [this] { QuickFillFromShpFolder(); });
    connect(fromSdfFile, &QPushButton::clicked, this,
            [this] { QuickFillFromFile(kSdfFilter, QStringLiteral("SDF"), QStringLiteral("OSGeo.SDF"), true); });
    connect(fromKmlFile, &QPushButton::clicked, this,
            [this] { QuickFillFromFile(kKmlFilter, QStringLiteral("KML"), QStringLiteral("Norv.KML"), false); });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void c_DlgCreateConn::ChooseProvider(const QString& provider) {
    const int index = m_provider->findText(provider);
    if (index >= 0) m_provider->setCurrentIndex(index);
    m_properties->setRowCount(0);
    m_browseFile->setVisible(provider.contains("OSGeo.SHP") || provider.contains("OSGeo.SDF"));
    m_browseFolder->setVisible(provider.contains("OSGeo.SHP"));
    try {
        FdoPtr<FdoIConnection> connection = NewConnection(provider);
        FdoPtr<FdoIConnectionPropertyDictionary> dictionary = DictionaryOf(connection);
        if (!dictionary) return;
        FdoInt32 count = 0;
        FdoString** names = dictionary->GetPropertyNames(count);
        for (FdoInt32 i = 0; i < count; i++) {
            const int row = m_properties->rowCount();
            m_properties->insertRow(row);
            auto* name = new QTableWidgetItem(QString::fromStdWString(names[i]));
            name->setFlags(name->flags() & ~Qt::ItemIsEditable);
            m_properties->setItem(row, 0, name);
            m_properties->setItem(row, 1, new QTableWidgetItem(QString()));
        }
    } catch (FdoException* e) {
        m_testResult->setText(FdoMessage(e));
    }
}

void c_DlgCreateConn::SetPropertyValue(int row, const QString& value) {
    if (row < m_properties->rowCount()) m_properties->item(row, 1)->setText(value);
}

void c_DlgCreateConn::BrowseForFile() {
    const QString provider = m_provider->currentText();
    const bool sdf = !provider.contains("OSGeo.SHP") && provider.contains("OSGeo.SDF");
    const QString path = c_UiServices::Get().OpenFile(this, sdf ? kSdfFilter : kShpFilter,
                                                      sdf ? QStringLiteral("SDF") : QStringLiteral("SHP"));
    if (path.isEmpty()) return;
    SetPropertyValue(0, path);
    if (sdf) SetPropertyValue(1, QStringLiteral("FALSE"));
}

void c_DlgCreateConn::BrowseForFolder() {
    const QString folder = c_UiServices::Get().PickFolder(this, QStringLiteral("Pick a Folder"));
    if (!folder.isEmpty() && m_provider->currentText().contains("OSGeo.SHP")) SetPropertyValue(0, folder);
}

bool c_DlgCreateConn::SelectProviderLike(const QString& providerText) {
    for (int i = 0; i < m_provider->count(); i++) {
        if (m_provider->itemText(i).startsWith(providerText, Qt::CaseInsensitive)) {
            m_provider->setCurrentIndex(i);
            ChooseProvider(m_provider->itemText(i));
            break;
        }
    }
    return m_provider->currentText().contains(providerText);
}

void c_DlgCreateConn::QuickFillFromFile(const QString& filter, const QString& defaultExt, const QString& providerText,
                                        bool sdfReadOnly) {
    const QString path = c_UiServices::Get().OpenFile(this, filter, defaultExt);
    if (path.isEmpty()) return;
    const bool matches = SelectProviderLike(providerText);
    m_name->setText(m_list.MakeUniqueName(QFileInfo(path).completeBaseName()));
    if (!matches) return;
    SetPropertyValue(0, path);
    if (sdfReadOnly) SetPropertyValue(1, QStringLiteral("FALSE"));
}

void c_DlgCreateConn::QuickFillFromShpFolder() {
    const QString folder = c_UiServices::Get().PickFolder(this, QStringLiteral("Pick a Folder"));
    if (folder.isEmpty()) return;
    if (!SelectProviderLike(QStringLiteral("OSGeo.SHP"))) return;
    m_name->setText(m_list.MakeUniqueName(LastComponent(folder)));
    SetPropertyValue(0, folder);
}

FdoIConnection* c_DlgCreateConn::PrepareConnection() const {
    FdoPtr<FdoIConnection> connection = NewConnection(m_provider->currentText());
    FdoPtr<FdoIConnectionPropertyDictionary> dictionary = DictionaryOf(connection);
    if (!dictionary) return nullptr;
    for (int row = 0; row < m_properties->rowCount(); row++) {
        dictionary->SetProperty(m_properties->item(row, 0)->text().toStdWString().c_str(),
                                m_properties->item(row, 1)->text().toStdWString().c_str());
    }
    return connection.Detach();
}

void c_DlgCreateConn::TestConnection() {
    c_WaitCursor wait;
    try {
        FdoPtr<FdoIConnection> connection = PrepareConnection();
        if (!connection) {
            m_testResult->setText(QStringLiteral("Error: Unable to Preaper Connection!"));
            return;
        }
        m_testResult->setText(OpenAndDescribeState(connection));
    } catch (FdoException* e) {
        m_testResult->setText(FdoMessage(e));
    }
}

void c_DlgCreateConn::accept() {
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        c_UiServices::Get().Message(this, QStringLiteral("Eneter Connection Name!"));
        return;
    }
    try {
        FdoPtr<FdoIConnection> connection = PrepareConnection();
        if (!connection) {
            // Nothing to hand back: staying open beats adding a connection
            // without a connection string.
            m_testResult->setText(QStringLiteral("Error: Unable to Preaper Connection!"));
            return;
        }
        m_result = c_ConnData{name, m_provider->currentText(), QString::fromStdWString(connection->GetConnectionString())};
        connection->Close();
    } catch (FdoException* e) {
        m_testResult->setText(FdoMessage(e));
        return;
    }
    QDialog::accept();
}
