#include "oracle/c_DlgOraUpdateSpIndex.h"

#include "app/CMaprailApp.h"
#include "dbtoolbox/DbText.h"
#include "dbtoolbox/PaneButtons.h"
#include "dbtoolbox/c_PaneConnection.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

c_DlgOraUpdateSpIndex::c_DlgOraUpdateSpIndex(CMaprailApp& app, QWidget* parent, FdoIConnection* connection,
                                             bool rebuild)
    : QDialog(parent),
      m_app(app),
      m_connection(FDO_SAFE_ADDREF(connection)),
      m_rebuild(rebuild),
      m_name(new QLineEdit(this)),
      m_type(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Spatial Index"));
    m_type->addItems({QStringLiteral("DEFAULT"), QStringLiteral("POINT"), QStringLiteral("LINE"),
                      QStringLiteral("POLYGON"), QStringLiteral("MULTIPOINT"), QStringLiteral("MULTILINE"),
                      QStringLiteral("MULTIPOLYGON"), QStringLiteral("COLLECTION")});
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Index Name:"), m_name);
    form->addRow(QStringLiteral("Index Layer Geometry Type:"), m_type);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = AddButton(buttons, this, rebuild ? QStringLiteral("Rebuild Index") : QStringLiteral("Create Index"),
                     [this] { Confirm(); });
    AddButton(buttons, this, QStringLiteral("Cancel"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(380, sizeHint().height());
}

c_DlgOraUpdateSpIndex::c_DlgOraUpdateSpIndex(CMaprailApp& app, QWidget* parent, FdoIConnection* connection,
                                             const QString& owner, const QString& table, const QString& column)
    : c_DlgOraUpdateSpIndex(app, parent, connection, false) {
    m_owner = owner;
    m_table = table;
    m_column = column;
    m_name->setText(table + QStringLiteral("_SIND"));
}

c_DlgOraUpdateSpIndex::c_DlgOraUpdateSpIndex(CMaprailApp& app, QWidget* parent, FdoIConnection* connection,
                                             const QString& indexOwner, const QString& indexName)
    : c_DlgOraUpdateSpIndex(app, parent, connection, true) {
    m_owner = indexOwner;
    m_name->setText(indexName);
    m_name->setReadOnly(true);
    m_name->setEnabled(false);
}

c_DlgOraUpdateSpIndex::~c_DlgOraUpdateSpIndex() = default;

void c_DlgOraUpdateSpIndex::Confirm() {
    c_WaitCursor wait;
    m_app.SetStatusText(QString());
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        c_UiServices::Get().Message(this, QStringLiteral("Enter Index Name!"));
        return;
    }
    c_PaneConnection::Run(m_app, [&] {
        OpenIfNeeded(m_connection);
        const QString type = m_type->currentText() == QStringLiteral("DEFAULT") ? QString() : m_type->currentText();
        if (m_rebuild) RebuildIndex(name, type);
        else CreateIndex(name, type);
    });
}

void c_DlgOraUpdateSpIndex::CreateIndex(const QString& name, const QString& type) {
    c_UiServices& ui = c_UiServices::Get();
    FdoStringP foundOwner;
    if (c_FDO_Api::NorvOracle_CheckIndexExists(m_connection, FdoText(m_owner), FdoText(m_table), FdoText(name),
                                               foundOwner)) {
        if (ui.Message(this, QStringLiteral("Index with that name already exists. Delete existing index ?"),
                       QString(), c_UiServices::YesNo) != c_UiServices::AnswerYes)
            return;
        if (!c_FDO_Api::NorvOracle_DropIndex(m_connection, foundOwner, FdoText(name))) {
            ui.Message(this, QStringLiteral("Error DROP existing index!"));
            return;
        }
    }
    if (!c_FDO_Api::NorvOracle_CreateSpatialIndex(m_connection, FdoText(m_owner), FdoText(m_table),
                                                  FdoText(m_column), FdoText(name), FdoText(type))) {
        ui.Message(this, QStringLiteral("Error creating spatial index!"));
        return;
    }
    ui.Message(this, QStringLiteral("Spatial index created!"));
    accept();
}

void c_DlgOraUpdateSpIndex::RebuildIndex(const QString& name, const QString& type) {
    c_UiServices& ui = c_UiServices::Get();
    if (!c_FDO_Api::NorvOracle_RebuildSpatialIndex(m_connection, FdoText(m_owner), FdoText(name), FdoText(type))) {
        ui.Message(this, QStringLiteral("Error rebuild index!"));
        return;
    }
    ui.Message(this, QStringLiteral("Spatial index rebuild OK!"));
    accept();
}
