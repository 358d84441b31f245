// Creating and destroying SDF files; see SdfDataStoreCommands.h.
#include "SdfDataStoreCommands.h"

namespace sdf {

namespace {

FdoCommonDataStorePropDictionary* FileProperties() {
    FdoCommonDataStorePropDictionary* d = FdoCommonDataStorePropDictionary::Create();
    d->AddProperty(L"File", L"", FdoCommonProp_Required | FdoCommonProp_FileName);
    return d;
}

void CheckClosed(SdfConnection* connection, FdoString* what) {
    if (connection->GetConnectionState() != FdoConnectionState_Closed)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The SDF connection must be closed to %ls a data store.", what));
}

}  // namespace

SdfCreateDataStore::SdfCreateDataStore(SdfConnection* c) : SdfCommand(c), m_properties(FileProperties()) {}

void SdfCreateDataStore::Execute() {
    CheckClosed(m_connection, L"create");
    m_properties->Validate();
    SdfStore::CreateFile(m_properties->GetProperty(L"File"));
}

SdfDestroyDataStore::SdfDestroyDataStore(SdfConnection* c) : SdfCommand(c), m_properties(FileProperties()) {}

void SdfDestroyDataStore::Execute() {
    CheckClosed(m_connection, L"destroy");
    m_properties->Validate();
    SdfStore::DestroyFile(m_properties->GetProperty(L"File"));
}

}  // namespace sdf
