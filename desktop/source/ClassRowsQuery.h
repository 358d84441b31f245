// The query of the "FDO Query Data" pane, apart from its widgets: one FDO
// select on a class with a filter and an ordering, the features numbered
// from 1 and kept when their number is in the row range, each as a row of
// texts (its number, then one text per property in property order) and,
// for the map beside the table, the FGF bytes of its geometry.
#pragma once

#include <GeoxferToolbox/ToolboxInput.h>

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QVector>

class FdoClassDefinition;
class FdoIConnection;

struct c_ClassRowsQuery {
    QString filter;        // FDO filter text; empty: all features
    QStringList orderBy;   // property names, in order; empty: no ordering
    bool ascending = true;
    ToolboxInput::RowRange range;
};

struct c_ClassRows {
    QStringList headers;          // "RowNo." and the property names
    QList<QStringList> rows;
    QVector<QByteArray> geometries;  // one per row; empty for a null geometry
    bool hasGeometry = false;        // the class has a geometry to draw
};

// Runs the query on an open connection (left open). FDO errors are thrown
// as FdoException*; rows read before an error stay in rows.
void ReadClassRows(FdoIConnection* connection, FdoClassDefinition* classDef, const c_ClassRowsQuery& query,
                   c_ClassRows& result);
