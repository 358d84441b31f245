// A row of the SQL Server NorvFdoClass table as the pane shows it: the nine
// members of c_MssNorvFdoClassData in the order of the pane's columns
// (FDO schema, class name, query, geometry table and column, identity,
// layer geometry type), and the same record in the order of the dialog's
// fields, which put the geometry column before the geometry table and the
// layer type before the identity.
#pragma once

#include <QStringList>

class c_MssNorvFdoClassData;

QStringList MssFdoClassCells(const c_MssNorvFdoClassData& record);
// A new record (the caller's reference) holding the cells.
c_MssNorvFdoClassData* MssFdoClassRecord(const QStringList& cells);

QStringList MssFdoClassFields(const c_MssNorvFdoClassData& record);
c_MssNorvFdoClassData* MssFdoClassRecordFromFields(const QStringList& fields);
