// c_DlgMssFdoViewsTable: the "NorvFdoClass" pane of the MS SQL Server
// toolbox, on the class-mapping table of the Norv.MsSqlSpatial provider
// (see c_DlgFdoViewsTablePane for the buttons).
#pragma once

#include "dbtoolbox/c_DlgFdoViewsTablePane.h"

class c_DlgMssFdoViewsTable : public c_DlgFdoViewsTablePane {
public:
    c_DlgMssFdoViewsTable(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent);

protected:
    const c_PaneProvider& Provider() const override;
    void MakeColumns() override;
    int ClassNameColumn() const override { return 1; }
    QString TableNameProperty(FdoIConnection* c) const override;
    std::optional<QStringList> EditRow(const QString& className, const QStringList& cells) override;
    void CreateMappingTable(FdoIConnection* c, const QString& table) override;
    void DropMappingTable(FdoIConnection* c, const QString& table) override;
    QList<QStringList> ReadMappingRows(FdoIConnection* c, const QString& table) override;
    bool InsertMappingRow(FdoIConnection* c, const QString& table, const QStringList& cells) override;
    bool UpdateMappingRow(FdoIConnection* c, const QString& table, const QString& className,
                          const QStringList& cells) override;
    bool DeleteMappingRow(FdoIConnection* c, const QString& table, const QString& className) override;
};
