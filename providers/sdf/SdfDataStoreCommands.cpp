// Creating and destroying SDF files; see SdfDataStoreCommands.h.
#include "SdfDataStoreCommands.h"

namespace sdf {

namespace {

void CheckClosed(SdfConnection* connection, FdoString* what) {
    if (connection->GetConnectionState() != FdoConnectionState_Closed)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The SDF connection must be closed to %ls a data store.", what));
}

}  // namespace

void SdfCreateDataStore::Execute() {
    CheckClosed(m_connection, L"create");
    m_properties->Validate();
    SdfStore::CreateFile(m_properties->GetProperty(L"File"));
}

void SdfDestroyDataStore::Execute() {
    CheckClosed(m_connection, L"destroy");
    m_properties->Validate();
    SdfStore::DestroyFile(m_properties->GetProperty(L"File"));
}

}  // namespace sdf
