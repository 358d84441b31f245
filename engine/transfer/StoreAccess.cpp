// Connections and schema descriptions for the one-call operations; see
// StoreAccess.h.
#include "transfer/StoreAccess.h"

#include "copytask/LastErrorText.h"
#include "transfer/Connections.h"

#include <GeoxferApi/LastError.h>

namespace gxf {

int Fail(int code, const wchar_t* text) {
    SetLastErrorText(text);
    return code;
}

int FailWithException(FdoException* e) {
    SetLastErrorText(e->GetExceptionMessage());
    e->Release();
    return GXF_Result_FdoException;
}

int OpenStore(StoreRole role, const wchar_t* providerName, const wchar_t* connString,
              FdoPtr<FdoIConnection>& connection) {
    bool source = role == StoreRole::Source;
    connection = CreateConnection(providerName);
    if (!connection)
        return source ? Fail(GXF_Result_CreateSourceConnection, L"Unable to Create Source Connection")
                      : Fail(GXF_Result_CreateDestConnection, L"Unable to Create Destination Connection");
    if (!OpenConnection(connection, connString)) {
        connection = nullptr;
        return source ? Fail(GXF_Result_OpenSourceConnection, L"Unable to Open Source Connection")
                      : Fail(GXF_Result_OpenDestConnection, L"Unable to Open Destination Connection");
    }
    return GXF_Result_OK;
}

void RequireConnection(FdoIConnection* connection, const wchar_t* operation) {
    if (!connection)
        throw FdoException::Create(FdoStringP::Format(L"c_FDO_Api::%ls: no connection was given.", operation));
}

FdoStringP ConnStringValue(const wchar_t* value) {
    FdoStringP text(value);
    if (!text.Contains(L";") || text.Contains(L"\"")) return text;
    return FdoStringP(L"\"") + text + L"\"";
}

FdoFeatureSchemaCollection* DescribeAllSchemas(FdoIConnection* connection) {
    FdoPtr<FdoIDescribeSchema> describe =
        static_cast<FdoIDescribeSchema*>(connection->CreateCommand(FdoCommandType_DescribeSchema));
    return describe->Execute();
}

FdoStringCollection* SplitList(const wchar_t* text) {
    return text ? FdoStringCollection::Create(FdoStringP(text), L",") : FdoStringCollection::Create();
}

}  // namespace gxf
