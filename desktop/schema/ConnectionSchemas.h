// Reading the schemas of a named connection for the schema manager's
// "Read FDO Source..." and "Append from FDO...": the connection is made from
// the connection list, opened, described and closed within the call.
#pragma once

#include <QString>

class FdoFeatureSchemaCollection;
class c_ConnList;

// The schemas (new reference), or null with the error text ("\nUnable to
// create FDO Connection!", "\nProvider is not supporting
// FdoCommandType_DescribeSchema!" or the FDO message).
FdoFeatureSchemaCollection* ReadConnectionSchemas(const c_ConnList& list, const QString& name, QString& error);
