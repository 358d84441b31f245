#include "oracle/c_DlgOraFdoViewsTable.h"

#include "dbtoolbox/DbText.h"
#include "oracle/OraFdoClassRow.h"
#include "oracle/c_DlgOraPane.h"
#include "oracle/c_DlgOraUpdateFdoViews.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/OraNorvFdoClassData.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

c_DlgOraFdoViewsTable::c_DlgOraFdoViewsTable(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent)
    : c_DlgFdoViewsTablePane(app, selector, parent, QStringLiteral("Read Oracle Source")) {}

const c_PaneProvider& c_DlgOraFdoViewsTable::Provider() const { return OracleProvider(); }

void c_DlgOraFdoViewsTable::MakeColumns() {
    Table()->setColumns(
        {QStringLiteral("FDO Class Name"), QStringLiteral("Oracle Owner"), QStringLiteral("Oracle Name"),
         QStringLiteral("Oracle Geometry Column"), QStringLiteral("SpatialTable Owner"),
         QStringLiteral("SpatialTable Name"), QStringLiteral("SpatialTable Geometry Name"),
         QStringLiteral("Point X Column"), QStringLiteral("Point Y Column"), QStringLiteral("Point Z Column"),
         QStringLiteral("Layer Geometry Type"), QStringLiteral("Identity"), QStringLiteral("Oracle Sequence")},
        {80, 100, 100, 100, 120, 120, 120, 120, 120, 120, 120, 120, 120});
}

QString c_DlgOraFdoViewsTable::TableNameProperty(FdoIConnection* c) const {
    FdoStringP name;
    c_FDO_Api::NorvOracleProvider_GetProperty_NorvFdoClass(c, name);
    return QtText(name);
}

std::optional<QStringList> c_DlgOraFdoViewsTable::EditRow(const QString& className, const QStringList& cells) {
    FdoPtr<c_OraNorvFdoClassData> record = cells.isEmpty() ? nullptr : OraFdoClassRecord(cells);
    c_DlgOraUpdateFdoViews dialog(this, className, record);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return OraFdoClassCells(*dialog.Record());
}

void c_DlgOraFdoViewsTable::CreateMappingTable(FdoIConnection* c, const QString& table) {
    c_FDO_Api::NorvOracle_CreateNorvFdoClassTable(c, FdoText(table));
}

void c_DlgOraFdoViewsTable::DropMappingTable(FdoIConnection* c, const QString& table) {
    c_FDO_Api::NorvOracle_DropNorvFdoClassTable(c, FdoText(table));
}

QList<QStringList> c_DlgOraFdoViewsTable::ReadMappingRows(FdoIConnection* c, const QString& table) {
    FdoPtr<c_OraNorvFdoClassDataCollection> records = c_OraNorvFdoClassDataCollection::Create();
    c_FDO_Api::NorvOracle_GetNorvFdoClassRecords(c, FdoText(table), records);
    QList<QStringList> rows;
    for (FdoInt32 i = 0; i < records->GetCount(); i++) {
        FdoPtr<c_OraNorvFdoClassData> record = records->GetItem(i);
        rows << OraFdoClassCells(*record);
    }
    return rows;
}

bool c_DlgOraFdoViewsTable::InsertMappingRow(FdoIConnection* c, const QString& table, const QStringList& cells) {
    FdoPtr<c_OraNorvFdoClassData> record = OraFdoClassRecord(cells);
    return c_FDO_Api::NorvOracle_InsertNorvFdoClass(c, FdoText(table), record);
}

bool c_DlgOraFdoViewsTable::UpdateMappingRow(FdoIConnection* c, const QString& table, const QString& className,
                                             const QStringList& cells) {
    FdoPtr<c_OraNorvFdoClassData> record = OraFdoClassRecord(cells);
    return c_FDO_Api::NorvOracle_UpdateNorvFdoClass(c, FdoText(table), FdoText(className), record);
}

bool c_DlgOraFdoViewsTable::DeleteMappingRow(FdoIConnection* c, const QString& table, const QString& className) {
    return c_FDO_Api::NorvOracle_DeleteNorvFdoClass(c, FdoText(table), FdoText(className));
}
