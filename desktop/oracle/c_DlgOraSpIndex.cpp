#include "oracle/c_DlgOraSpIndex.h"

#include "dbtoolbox/DbText.h"
#include "dbtoolbox/c_PaneConnection.h"
#include "oracle/c_DlgOraUpdateSpIndex.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/SpatialIndexData.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

#include <QRadioButton>

using GxfControls::EditableList;

c_DlgOraSpIndex::c_DlgOraSpIndex(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent)
    : c_DlgOraPane(app, selector, parent),
      m_with(new QRadioButton(QStringLiteral("Tables with Spatial Index"), this)),
      m_without(new QRadioButton(QStringLiteral("Spatial Tables without Satial Index"), this)) {
    LayOut({m_with, m_without}, {{QStringLiteral("Create Spatial Index"), [this] { CreateIndex(); }},
                                 {QStringLiteral("Rebuild Spatial Index"), [this] { RebuildIndex(); }},
                                 {QStringLiteral("Drop Spatial Index"), [this] { DropIndex(); }}});
    connect(Table(), &EditableList::rowDoubleClicked, this, [this](int) { CreateIndex(); });
}

void c_DlgOraSpIndex::MakeColumns() {
    Table()->setColumns({QStringLiteral("Owner"), QStringLiteral("Table/View Name"), QStringLiteral("Column Name"),
                         QStringLiteral("Sp.Index Owner"), QStringLiteral("Sp.Index Name"),
                         QStringLiteral("Geometry Type"), QStringLiteral("Geodetic"), QStringLiteral("RTree Quality"),
                         QStringLiteral("Status")},
                        {80, 80, 80, 80, 80, 120, 120, 120, 120});
    m_with->setChecked(true);
}

void c_DlgOraSpIndex::ReadSource() {
    c_PaneConnection session(App(), Selector(), this);
    c_PaneConnection::Run(App(), [&] {
        if (!ObtainConnection(session)) return;
        FdoIConnection* c = session.Connection();
        const FdoStringP schema = FdoText(Schema(c));
        if (m_with->isChecked()) {
            FdoPtr<c_SpatialIndexDataCollection> indexes = c_SpatialIndexDataCollection::Create();
            c_FDO_Api::NorvOracle_GetTablesWithSpatialIndex(c, schema, indexes);
            for (FdoInt32 i = 0; i < indexes->GetCount(); i++) {
                FdoPtr<c_SpatialIndexData> d = indexes->GetItem(i);
                Table()->addRow({QtText(d->m_TableOwner), QtText(d->m_TableName), QtText(d->m_ColumnName),
                                 QtText(d->m_IndexOwner), QtText(d->m_IndexName), QtText(d->m_LayerGType),
                                 QtText(d->m_IndexGeodetic),
                                 d->m_RtreeQualityIsNull ? QString() : FormatG(d->m_RtreeQuality),
                                 QtText(d->m_IndexStatus)});
            }
        } else {
            FdoPtr<FdoStringCollection> found = FdoStringCollection::Create();
            c_FDO_Api::NorvOracle_GetSpatialTablesWithoutSpatialIndex(c, schema, found);
            for (FdoInt32 i = 0; i + 2 < found->GetCount(); i += 3) Table()->addRow(Cells(found, i, 3));
        }
    });
}

void c_DlgOraSpIndex::CreateIndex() {
    const int row = CheckedRow(QStringLiteral("Select one table/view."));
    if (row < 0) return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_DlgOraUpdateSpIndex dialog(App(), this, connection, Table()->cell(row, 0), Table()->cell(row, 1),
                                 Table()->cell(row, 2));
    dialog.exec();
    CloseQuietly(connection);
}

int c_DlgOraSpIndex::IndexedRow(const QString& noIndexText, QString& owner, QString& name) {
    const int row = CheckedRow(QStringLiteral("Select one table/view."));
    if (row < 0) return -1;
    owner = Table()->cell(row, 3);
    name = Table()->cell(row, 4);
    if (!owner.isEmpty() && !name.isEmpty()) return row;
    Show(noIndexText);
    return -1;
}

void c_DlgOraSpIndex::RebuildIndex() {
    QString owner, name;
    if (IndexedRow(QStringLiteral("No index to rebuild!"), owner, name) < 0) return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_DlgOraUpdateSpIndex dialog(App(), this, connection, owner, name);
    dialog.exec();
    CloseQuietly(connection);
}

void c_DlgOraSpIndex::DropIndex() {
    QString owner, name;
    const int row = IndexedRow(QStringLiteral("No index to drop! The table/view has no spatial index."), owner, name);
    if (row < 0) return;
    FdoPtr<FdoIConnection> connection = CreateDialogConnection();
    if (!connection) return;
    c_PaneConnection::Run(App(), [&] {
        connection->Open();
        if (c_FDO_Api::NorvOracle_DropIndex(connection, FdoText(owner), FdoText(name))) {
            Show(QStringLiteral("Index droped!"));
            Table()->removeRow(row);
        } else {
            Show(QStringLiteral("Error: Index is not droped!"));
        }
    });
    CloseQuietly(connection);
}
