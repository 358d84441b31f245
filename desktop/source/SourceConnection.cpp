#include "source/SourceConnection.h"

#include "connections/c_ConnList.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

c_SourceConnection::~c_SourceConnection() {
    if (!m_connection) return;
    try {
        if (m_connection->GetConnectionState() != FdoConnectionState_Closed) m_connection->Close();
    } catch (FdoException* e) {
        e->Release();  // closing is the last step; there is nobody left to tell
    }
    m_connection->Release();
}

bool c_SourceConnection::Open(QWidget* pane, const c_ConnList& list, const QString& name,
                              const QString& noConnectionMessage) {
    m_connection = list.CreateConnection(name);
    if (!m_connection) {
        c_UiServices::Get().Message(pane, noConnectionMessage);
        return false;
    }
    m_connection->Open();
    return true;
}

FdoFeatureSchemaCollection* c_SourceConnection::Describe(QWidget* pane) {
    if (!c_FDO_Api::GetSupportCommand(m_connection, FdoCommandType_DescribeSchema)) {
        c_UiServices::Get().Message(pane, QStringLiteral("\nProvider is not supporting FdoCommandType_DescribeSchema!"));
        return nullptr;
    }
    FdoPtr<FdoIDescribeSchema> describe =
        static_cast<FdoIDescribeSchema*>(m_connection->CreateCommand(FdoCommandType_DescribeSchema));
    return describe->Execute();
}
