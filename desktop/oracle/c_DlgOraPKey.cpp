#include "oracle/c_DlgOraPKey.h"

#include "dbtoolbox/DbText.h"
#include "dbtoolbox/c_PaneConnection.h"
#include "oracle/c_DlgOraPKeyColumns.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>
#include <GeoxferToolbox/ToolboxInput.h>

#include <Fdo.h>


using GxfControls::EditableList;

namespace {
constexpr int kKeyCell = 3;

const c_PaneProvider& PKeyOracleProvider() {
    // Both a missing name and a connection that cannot be made say so.
    static const c_PaneProvider provider{
        &c_FDO_Api::IsNorvOracleProvider,
        QStringLiteral("\nYou need to select connection on Oracle, using Norv.Oracle provider!"),
        QStringLiteral("\nUnable to create FDO connection!"), QStringLiteral("\nUnable to create FDO connection!")};
    return provider;
}
}  // namespace

QList<QStringList> ReadPrimaryKeyListing(FdoIConnection* connection, const QString& schema) {
    const ToolboxInput::SqlWithParameter query = ToolboxInput::PrimaryKeyListing(schema);
    FdoPtr<FdoICommand> created = connection->CreateCommand(FdoCommandType_SQLCommand);
    auto* command = dynamic_cast<FdoISQLCommand*>(created.p);
    if (!command) throw FdoException::Create(L"The connection made no SQL command");
    command->SetSQLStatement(FdoText(query.sql));
    if (query.parameter1) {
        FdoPtr<FdoParameterValueCollection> values = command->GetParameterValues();
        if (values) {
            FdoPtr<FdoDataValue> value = FdoDataValue::Create(static_cast<FdoString*>(FdoText(*query.parameter1)));
            FdoPtr<FdoParameterValue> parameter = FdoParameterValue::Create(L"1", value);
            values->Add(parameter);
        }
    }
    FdoPtr<FdoISQLDataReader> reader = command->ExecuteReader();
    QList<QStringList> rows;
    while (reader->ReadNext()) {
        QStringList cells;
        for (FdoInt32 i = 0; i < 4; i++) cells << (reader->IsNull(i) ? QString() : QtText(reader->GetString(i)));
        rows << cells;
    }
    reader->Close();
    return rows;
}

c_DlgOraPKey::c_DlgOraPKey(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent)
    : c_DlgOraPane(app, selector, parent) {
    LayOut({}, {{QStringLiteral("Add Primary Key"), [this] { AddPrimaryKey(); }},
                {QStringLiteral("Delete Primary Key"), [this] { DeletePrimaryKey(); }},
                {QStringLiteral("View Columns in Primary Key"), [this] { ViewKeyColumns(); }}});
    connect(Table(), &EditableList::rowDoubleClicked, this, [this](int) { AddPrimaryKey(); });
}

void c_DlgOraPKey::MakeColumns() {
    Table()->setColumns({QStringLiteral("Schema"), QStringLiteral("Table/View Name"),
                         QStringLiteral("Geometry Column"), QStringLiteral("Primary Key")},
                        {120, 120, 120, 120});
}

void c_DlgOraPKey::ReadSource() {
    c_PaneConnection session(App(), Selector(), this);
    Table()->clearRows();
    c_PaneConnection::Run(App(), [&] {
        if (!session.Obtain(PKeyOracleProvider())) return;
        Table()->addRows(ReadPrimaryKeyListing(session.Connection(), Schema(session.Connection())));
    });
}

void c_DlgOraPKey::AddPrimaryKey() {
    const int row = CheckedRow(QStringLiteral("Select one table/view to add primary key to it."));
    if (row < 0) return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_DlgOraPKeyColumns dialog(App(), this, connection, Table()->cell(row, 0), Table()->cell(row, 1),
                               Table()->cell(row, kKeyCell), false);
    if (dialog.exec() == QDialog::Accepted) Table()->setCell(row, kKeyCell, dialog.KeyName());
    CloseQuietly(connection);
}

int c_DlgOraPKey::KeyedRow(const QString& selectOneText) {
    const int row = CheckedRow(selectOneText);
    if (row < 0 || !Table()->cell(row, kKeyCell).isEmpty()) return row;
    Show(QStringLiteral("Table/View doesn't have Primary Key."));
    return -1;
}

void c_DlgOraPKey::ViewKeyColumns() {
    const int row = KeyedRow(QStringLiteral("Select one table/view to view the columns of its primary key."));
    if (row < 0) return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_DlgOraPKeyColumns dialog(App(), this, connection, Table()->cell(row, 0), Table()->cell(row, 1),
                               Table()->cell(row, kKeyCell), true);
    dialog.exec();
    CloseQuietly(connection);
}

void c_DlgOraPKey::DeletePrimaryKey() {
    const int row = KeyedRow(QStringLiteral("Select one table/view."));
    if (row < 0) return;
    if (c_UiServices::Get().Message(this, QStringLiteral("Delete Primary Key?"), QString(), c_UiServices::YesNo) !=
        c_UiServices::AnswerYes)
        return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_PaneConnection::Run(App(), [&] {
        connection->Open();
        c_FDO_Api::NorvOracle_DropPrimaryKey(connection, FdoText(Table()->cell(row, 0)),
                                             FdoText(Table()->cell(row, 1)));
        CloseQuietly(connection);
        // The row no longer shows a key that is gone.
        Table()->setCell(row, kKeyCell, QString());
        Show(QStringLiteral("Primary Key deleted."));
    });
    CloseQuietly(connection);
}
