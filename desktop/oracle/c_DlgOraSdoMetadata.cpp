#include "oracle/c_DlgOraSdoMetadata.h"

#include "dbtoolbox/c_PaneConnection.h"
#include "dbtoolbox/DbText.h"
#include "oracle/c_DlgOraUpdateMetadata.h"

#include <GeoxferApi/DimInfoData.h>
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

#include <QRadioButton>

using GxfControls::EditableList;

c_DlgOraSdoMetadata::c_DlgOraSdoMetadata(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent)
    : c_DlgOraPane(app, selector, parent),
      m_with(new QRadioButton(QStringLiteral("Tables/Views with SDO METADATA"), this)),
      m_without(new QRadioButton(QStringLiteral("Spatial Tables/Views without SDO METADATA"), this)) {
    LayOut({m_with, m_without}, {{QStringLiteral("Set SDO Metadata"), [this] { SetMetadata(); }},
                                 {QStringLiteral("Delete SDO Metadata"), [this] { DeleteMetadata(); }}});
    // A click on either radio button reads again.
    connect(m_with, &QRadioButton::clicked, this, [this] { ReadSource(); });
    connect(m_without, &QRadioButton::clicked, this, [this] { ReadSource(); });
    connect(Table(), &EditableList::rowDoubleClicked, this, [this](int) { SetMetadata(); });
}

void c_DlgOraSdoMetadata::MakeColumns() {
    Table()->setColumns({QStringLiteral("Owner"), QStringLiteral("Table/View Name"), QStringLiteral("Column Name"),
                         QStringLiteral("SRID"), QStringLiteral("DIM INFO 1"), QStringLiteral("DIM INFO 2"),
                         QStringLiteral("DIM INFO 3"), QStringLiteral("DIM INFO 4")},
                        {100, 100, 100, 80, 120, 120, 120, 120});
    m_with->setChecked(true);
}

void c_DlgOraSdoMetadata::ReadSource() {
    c_PaneConnection session(App(), Selector(), this);
    c_PaneConnection::Run(App(), [&] {
        if (!ObtainConnection(session)) return;
        FdoIConnection* c = session.Connection();
        const FdoStringP schema = FdoText(Schema(c));
        FdoPtr<FdoStringCollection> found = FdoStringCollection::Create();
        if (!m_without->isChecked()) {
            c_FDO_Api::NorvOracle_GetTablesInSdoMetadata(c, schema, found);
            for (FdoInt32 i = 0; i + 3 < found->GetCount(); i += 4) {
                QStringList cells = Cells(found, i, 4);
                FdoPtr<c_DimInfoDataCollection> dims = c_DimInfoDataCollection::Create();
                long srid = 0;
                c_FDO_Api::NorvOracle_GetMetadataDimInfo(c, found->GetString(i), found->GetString(i + 1),
                                                         found->GetString(i + 2), dims, srid);
                for (FdoInt32 d = 0; d < dims->GetCount() && d < 4; d++) {
                    FdoPtr<c_DimInfoData> dim = dims->GetItem(d);
                    cells << QStringLiteral("%1 [%2 , %3] tol=%4")
                                 .arg(QtText(dim->m_DimName), FormatG(dim->m_LowerBound), FormatG(dim->m_UpperBound),
                                      FormatG(dim->m_Tolerance));
                }
                Table()->addRow(cells);
            }
        } else {
            c_FDO_Api::NorvOracle_GetTablesWithSdoGeometry(c, schema, found);
            for (FdoInt32 i = 0; i + 2 < found->GetCount(); i += 3) Table()->addRow(Cells(found, i, 3));
        }
    });
}

void c_DlgOraSdoMetadata::SetMetadata() {
    const int row = CheckedRow(QStringLiteral("Select one table/view."));
    if (row < 0) return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_DlgOraUpdateMetadata dialog(App(), this, connection, Table()->cell(row, 0), Table()->cell(row, 1),
                                  Table()->cell(row, 2));
    dialog.exec();
    CloseQuietly(connection);
}

void c_DlgOraSdoMetadata::DeleteMetadata() {
    const int row = CheckedRow(QStringLiteral("Select one table/view."));
    if (row < 0) return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_PaneConnection::Run(App(), [&] {
        connection->Open();
        const int deleted = c_FDO_Api::NorvOracle_DeleteSdoMetadata(
            connection, FdoText(Table()->cell(row, 0)), FdoText(Table()->cell(row, 1)), FdoText(Table()->cell(row, 2)));
        CloseQuietly(connection);
        if (deleted > 0) {
            Show(QStringLiteral("SDO Metadata deleted."));
            Table()->removeRow(row);
        } else {
            Show(QStringLiteral("No SDO Metadata to be deleted."));
        }
    });
    CloseQuietly(connection);
}
