#include "oracle/c_DlgOraPKeyColumns.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "dbtoolbox/DbText.h"
#include "dbtoolbox/PaneButtons.h"
#include "dbtoolbox/c_PaneConnection.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>
#include <GeoxferToolbox/ToolboxInput.h>

#include <Fdo.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

c_DlgOraPKeyColumns::c_DlgOraPKeyColumns(CMaprailApp& app, QWidget* parent, FdoIConnection* connection,
                                         const QString& schema, const QString& table, const QString& keyName,
                                         bool viewOnly)
    : QDialog(parent),
      m_app(app),
      m_connection(FDO_SAFE_ADDREF(connection)),
      m_schema(schema),
      m_table(table),
      m_columns(new GxfControls::EditableList(this)),
      m_name(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Primary Key Columns - Geoxfer"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Primary Key Name:"), m_name);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_add = ::AddButton(buttons, this, QStringLiteral("Add Primary Key"), [this] { AddPrimaryKey(); });
    ::AddButton(buttons, this, QStringLiteral("Cancel"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_columns, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(400, 360);

    m_add->setEnabled(!viewOnly);
    ReadColumns(!viewOnly && keyName.isEmpty() ? ToolboxInput::DefaultPrimaryKeyName(table) : keyName);
}

c_DlgOraPKeyColumns::~c_DlgOraPKeyColumns() = default;

QString c_DlgOraPKeyColumns::KeyName() const { return m_name->text(); }

void c_DlgOraPKeyColumns::ReadColumns(const QString& keyName) {
    c_PaneConnection::Run(m_app, [&] {
        OpenIfNeeded(m_connection);
        FdoPtr<FdoStringCollection> found = FdoStringCollection::Create();
        const FdoStringP schema = FdoText(m_schema), table = FdoText(m_table);
        if (c_FDO_Api::NorvOracle_GetTableColumns(m_connection, schema, table, found) <= 0) return;
        m_columns->setCheckable(true);
        m_columns->setFullRowSelection(true);
        m_columns->setColumns({QStringLiteral("Column Name"), QStringLiteral("Data Type")}, {160, 160});
        for (FdoInt32 i = 0; i + 1 < found->GetCount(); i += 2) m_columns->addRow(Cells(found, i, 2));
        m_name->setText(keyName);
        if (keyName.isEmpty()) return;
        FdoPtr<FdoStringCollection> keys = FdoStringCollection::Create();
        c_FDO_Api::NorvOracle_GetPkeyColumns(m_connection, schema, table, keys);
        const QStringList keyColumns = Cells(keys, 0, keys->GetCount());
        for (int r = 0; r < m_columns->rowCount(); r++)
            if (keyColumns.contains(m_columns->cell(r, 0))) m_columns->setRowChecked(r, true);
    });
}

void c_DlgOraPKeyColumns::AddPrimaryKey() {
    c_UiServices& ui = c_UiServices::Get();
    if (m_columns->rowCount() == 0) {
        ui.Message(this, QStringLiteral("Unable to create Primary Key. No Columns"));
        return;
    }
    const QList<int> ticked = m_columns->checkedRows();
    if (ticked.isEmpty()) {
        ui.Message(this, QStringLiteral("You need to select at least one column fro primary key"));
        return;
    }
    FdoPtr<FdoStringCollection> columns = FdoStringCollection::Create();
    for (int r : ticked) columns->Add(FdoText(m_columns->cell(r, 0)));
    try {
        OpenIfNeeded(m_connection);
        c_FDO_Api::NorvOracle_CreatePrimaryKey(m_connection, FdoText(m_schema), FdoText(m_table), columns,
                                               FdoText(m_name->text()));
    } catch (FdoException* e) {
        ui.Message(this, QStringLiteral("Error creating Primary Key!"));
        m_app.SetStatusText(TakeFdoMessage(e));
        return;
    }
    ui.Message(this, QStringLiteral("Primary Key Created!"));
    accept();
}
