// c_DlgOraFdoViewsTable: the "NorvFdoClass" pane of the Oracle toolbox, on
// the class-mapping table of the Norv.Oracle provider (see
// c_DlgFdoViewsTablePane for the buttons).
#pragma once

#include "dbtoolbox/c_DlgFdoViewsTablePane.h"

class c_DlgOraFdoViewsTable : public c_DlgFdoViewsTablePane {
public:
    c_DlgOraFdoViewsTable(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent);

protected:
    const c_PaneProvider& Provider() const override;
    void MakeColumns() override;
    int ClassNameColumn() const override { return 0; }
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
