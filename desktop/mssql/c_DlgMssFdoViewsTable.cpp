#include "mssql/c_DlgMssFdoViewsTable.h"

#include "dbtoolbox/DbText.h"
#include "mssql/MssFdoClassRow.h"
#include "mssql/c_DlgMssUpdateFdoViews.h"

#include <GeoxferApi/API_NorvMsSqlSpatial.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

using Mss = c_API_NorvMsSqlSpatial;

c_DlgMssFdoViewsTable::c_DlgMssFdoViewsTable(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent)
    : c_DlgFdoViewsTablePane(app, selector, parent, QStringLiteral("Read MS SQL Server")) {}

const c_PaneProvider& c_DlgMssFdoViewsTable::Provider() const {
    static const c_PaneProvider provider{&Mss::IsNorvMssProvider,
                                         QStringLiteral("Select MS SQL Server connection, using Norv.MsSqlSpatial "
                                                        "provider!")};
    return provider;
}

void c_DlgMssFdoViewsTable::MakeColumns() {
    Table()->setColumns({QStringLiteral("FDO Schema"), QStringLiteral("FDO Class Name"), QStringLiteral("Query Schema"),
                         QStringLiteral("Query Name"), QStringLiteral("Geometry Table Schema"),
                         QStringLiteral("Geometry Table Name"), QStringLiteral("Geometry Column"),
                         QStringLiteral("Identity"), QStringLiteral("Layer Geometry Type")},
                        {80, 80, 100, 100, 120, 120, 120, 120, 120});
}

QString c_DlgMssFdoViewsTable::TableNameProperty(FdoIConnection* c) const {
    FdoStringP name;
    Mss::GetProperty_NorvFdoClass(c, name);
    return QtText(name);
}

std::optional<QStringList> c_DlgMssFdoViewsTable::EditRow(const QString& className, const QStringList& cells) {
    FdoPtr<c_MssNorvFdoClassData> record = cells.isEmpty() ? nullptr : MssFdoClassRecord(cells);
    c_DlgMssUpdateFdoViews dialog(this, className, record);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return MssFdoClassCells(*dialog.Record());
}

void c_DlgMssFdoViewsTable::CreateMappingTable(FdoIConnection* c, const QString& table) {
    Mss::CreateNorvFdoClassTable(c, FdoText(table));
}

void c_DlgMssFdoViewsTable::DropMappingTable(FdoIConnection* c, const QString& table) {
    Mss::DropNorvFdoClassTable(c, FdoText(table));
}

QList<QStringList> c_DlgMssFdoViewsTable::ReadMappingRows(FdoIConnection* c, const QString& table) {
    FdoPtr<c_MssNorvFdoClassDataCollection> records = c_MssNorvFdoClassDataCollection::Create();
    Mss::GetNorvFdoClassRecords(c, FdoText(table), records);
    QList<QStringList> rows;
    for (FdoInt32 i = 0; i < records->GetCount(); i++) {
        FdoPtr<c_MssNorvFdoClassData> record = records->GetItem(i);
        rows << MssFdoClassCells(*record);
    }
    return rows;
}

bool c_DlgMssFdoViewsTable::InsertMappingRow(FdoIConnection* c, const QString& table, const QStringList& cells) {
    FdoPtr<c_MssNorvFdoClassData> record = MssFdoClassRecord(cells);
    return Mss::InsertNorvFdoClass(c, FdoText(table), record);
}

bool c_DlgMssFdoViewsTable::UpdateMappingRow(FdoIConnection* c, const QString& table, const QString& className,
                                             const QStringList& cells) {
    FdoPtr<c_MssNorvFdoClassData> record = MssFdoClassRecord(cells);
    return Mss::UpdateNorvFdoClass(c, FdoText(table), FdoText(className), record);
}

bool c_DlgMssFdoViewsTable::DeleteMappingRow(FdoIConnection* c, const QString& table, const QString& className) {
    return Mss::DeleteNorvFdoClass(c, FdoText(table), FdoText(className));
}
