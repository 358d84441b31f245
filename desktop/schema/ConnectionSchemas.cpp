#include "schema/ConnectionSchemas.h"

#include "connections/c_ConnList.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

namespace {

QString Message(FdoException* e) {
    const QString text = QString::fromWCharArray(e->GetExceptionMessage());
    e->Release();
    return text;
}

}  // namespace

FdoFeatureSchemaCollection* ReadConnectionSchemas(const c_ConnList& list, const QString& name, QString& error) {
    FdoPtr<FdoIConnection> connection = list.CreateConnection(name);
    if (!connection) {
        error = QStringLiteral("\nUnable to create FDO Connection!");
        return nullptr;
    }
    try {
        connection->Open();
        if (!c_FDO_Api::GetSupportCommand(connection.p, FdoCommandType_DescribeSchema)) {
            connection->Close();
            error = QStringLiteral("\nProvider is not supporting FdoCommandType_DescribeSchema!");
            return nullptr;
        }
        FdoPtr<FdoIDescribeSchema> describe =
            static_cast<FdoIDescribeSchema*>(connection->CreateCommand(FdoCommandType_DescribeSchema));
        FdoPtr<FdoFeatureSchemaCollection> schemas = describe->Execute();
        connection->Close();
        return FDO_SAFE_ADDREF(schemas.p);
    } catch (FdoException* e) {
        error = Message(e);
        try {
            connection->Close();
        } catch (FdoException* again) {
            again->Release();
        }
        return nullptr;
    }
}

