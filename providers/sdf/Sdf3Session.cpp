// See Sdf3Session.h.
#include "Sdf3Session.h"

#include "Sdf3Commands.h"

#include <FdoCommon/FdoCommonCapabilities.h>
#include <sdf3/Sdf3PageFile.h>

namespace sdf {

bool Sdf3Session::Recognises(FdoString* file) { return file && *file && sdf3::PageFile::IsSdf3File(file); }

Sdf3Session* Sdf3Session::Open(FdoString* file) {
    FdoPtr<Sdf3Session> session = new Sdf3Session();
    try {
        session->m_file = sdf3::Sdf3File::Open(file);
        session->m_schema = std::make_unique<Sdf3Schema>(*session->m_file);
    } catch (FdoException* e) {
        FdoException* wrapped = FdoConnectionException::Create(
            FdoStringP::Format(L"The SDF 3 file '%ls' cannot be opened.", file), e);
        e->Release();
        throw wrapped;
    }
    return session.Detach();
}

Sdf3Session::~Sdf3Session() = default;

FdoException* Sdf3Session::ReadOnlyError() {
    return FdoCommandException::Create(FdoStringP::Format(
        L"The file '%ls' is an SDF 3 file, which this provider reads but does not change. Copy it into a new SDF "
        L"file to work on its data.",
        m_file->Name().c_str()));
}

FdoICommandCapabilities* Sdf3Session::CommandCapabilities() {
    return FdoCommonCommandCapabilities::Create({
        .commands = {FdoCommandType_Select, FdoCommandType_SelectAggregates, FdoCommandType_DescribeSchema,
                     FdoCommandType_GetSchemaNames, FdoCommandType_GetClassNames,
                     FdoCommandType_GetSpatialContexts},
        .parameters = true,
        .selectOrdering = true,
    });
}

FdoICommand* Sdf3Session::CreateCommand(FdoInt32 type, SdfConnection* owner) {
    switch (type) {
        case FdoCommandType_Select: return Sdf3Select::Create(owner, this);
        case FdoCommandType_SelectAggregates: return Sdf3SelectAggregates::Create(owner, this);
        case FdoCommandType_DescribeSchema: return Sdf3DescribeSchema::Create(owner, this);
        case FdoCommandType_GetSchemaNames: return Sdf3GetSchemaNames::Create(owner, this);
        case FdoCommandType_GetClassNames: return Sdf3GetClassNames::Create(owner, this);
        case FdoCommandType_GetSpatialContexts: return Sdf3GetSpatialContexts::Create(owner, this);
        case FdoCommandType_Insert:
        case FdoCommandType_Update:
        case FdoCommandType_Delete:
        case FdoCommandType_ApplySchema:
        case FdoCommandType_CreateSpatialContext:
        case FdoCommandType_CreateDataStore:
        case FdoCommandType_DestroyDataStore: throw ReadOnlyError();
        default: break;
    }
    throw FdoConnectionException::Create(
        FdoStringP::Format(L"The SDF provider does not support the command %d.", static_cast<int>(type)));
}

}  // namespace sdf
