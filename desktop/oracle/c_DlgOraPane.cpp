#include "oracle/c_DlgOraPane.h"

#include "app/CMaprailApp.h"
#include "connections/c_DlgFdoSelConn.h"
#include "dbtoolbox/PaneButtons.h"
#include "dbtoolbox/c_PaneConnection.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

const c_PaneProvider& OracleProvider() {
    static const c_PaneProvider provider{&c_FDO_Api::IsNorvOracleProvider,
                                         QStringLiteral("Select Norv.Oracle connection!")};
    return provider;
}

c_DlgOraPane::c_DlgOraPane(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent)
    : c_DlgPane(app, parent), m_selector(selector), m_table(new GxfControls::EditableList(this)) {}

void c_DlgOraPane::LayOut(const QList<QRadioButton*>& choices, const c_RowButtons& rowButtons) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    AddButton(top, this, QStringLiteral("Read Oracle Source"), [this] { ReadSource(); });
    auto* column = new QVBoxLayout;
    for (QRadioButton* choice : choices) column->addWidget(choice);
    top->addLayout(column);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    auto* bottom = new QHBoxLayout;
    for (const auto& [text, action] : rowButtons) AddButton(bottom, this, text, action);
    bottom->addStretch(1);
    layout->addLayout(bottom);
}

void c_DlgOraPane::OnActivate() {
    if (m_columnsMade) return;
    m_columnsMade = true;
    m_table->setFullRowSelection(true);
    MakeColumns();
}

bool c_DlgOraPane::ObtainConnection(c_PaneConnection& session, bool emptyTable) {
    return session.Obtain(OracleProvider(), [this, emptyTable] {
        if (emptyTable) m_table->clearRows();
    });
}

int c_DlgOraPane::CheckedRow(const QString& selectOneText) {
    if (m_table->rowCount() == 0) {
        Show(QStringLiteral("No tables/views read from Oracle! Click on  'Read Oracle Source' button."));
        return -1;
    }
    const QList<int> rows = m_table->selectedRows();
    if (rows.size() != 1) {
        Show(selectOneText);
        return -1;
    }
    return rows.first();
}

FdoIConnection* c_DlgOraPane::CreateDialogConnection() {
    FdoIConnection* connection = App().ConnList().CreateConnection(m_selector.GetConnectionName());
    if (!connection) Show(QStringLiteral("Unable to create connection"));
    return connection;
}

QString c_DlgOraPane::Schema(FdoIConnection* connection) {
    FdoStringP schema;
    c_FDO_Api::NorvOracleProvider_GetProperty_OracleSchema(connection, schema);
    return QString::fromWCharArray(static_cast<FdoString*>(schema)).toUpper();
}

void c_DlgOraPane::Show(const QString& text) { c_UiServices::Get().Message(this, text); }
