// The SDF connection: opening the store, and what commands share; see
// SdfConnection.h.
#include "SdfConnection.h"

#include "SdfDataStoreCommands.h"
#include "SdfFeatureCommands.h"
#include "SdfMetadataTables.h"
#include "SdfSchemaCommands.h"
#include "SdfSpatialContextCommands.h"
#include "Sdf3Session.h"

#include <cwctype>

namespace sdf {

SdfConnection::SdfConnection() : m_info(SdfConnectionInfo::Create()) {}

SdfConnection::~SdfConnection() = default;

FdoCommonConnPropDictionary* SdfConnection::Properties() { return m_info->Properties(); }

FdoConnectionState SdfConnection::Open() {
    if (m_store || m_sdf3) throw FdoConnectionException::Create(L"The SDF connection is already open.");
    FdoCommonConnPropDictionary* props = m_info->Properties();
    props->Validate();
    FdoStringP file = props->GetProperty(L"File");
    FdoStringP readOnly = props->GetProperty(L"ReadOnly");
    bool ro = readOnly.ICompare(L"TRUE") == 0;

    if (Sdf3Session::Recognises(file)) {
        m_sdf3 = Sdf3Session::Open(file);
        m_info->SetOpenFile(file);
        props->SetLocked(true);
        return FdoConnectionState_Open;
    }
    std::unique_ptr<SdfStore> store = SdfStore::Open(file, ro);
    FdoPtr<FdoFeatureSchemaCollection> schemas = SdfSchemaTable::Load(*store);
    std::vector<FdoXmlSpatialContext> contexts = SdfSpatialContextTable::Load(*store);
    m_schema = schemas->GetCount() ? schemas->GetItem(0) : nullptr;
    m_contexts = std::move(contexts);
    m_store = std::move(store);
    m_info->SetOpenFile(file);
    props->SetLocked(true);
    return FdoConnectionState_Open;
}

void SdfConnection::Close() {
    m_sdf3 = nullptr;
    m_bindings.clear();
    m_store.reset();
    m_schema = nullptr;
    m_contexts.clear();
    m_info->SetOpenFile(L"");
    m_info->Properties()->SetLocked(false);
}


FdoICommand* SdfConnection::CreateCommand(FdoInt32 type) {
    switch (type) {
        case FdoCommandType_CreateDataStore: return SdfCreateDataStore::Create(this);
        case FdoCommandType_DestroyDataStore: return SdfDestroyDataStore::Create(this);
        default: break;
    }
    if (m_sdf3) return m_sdf3->CreateCommand(type, this);
    if (!m_store)
        throw FdoConnectionException::Create(L"The SDF connection must be open to create this command.");
    switch (type) {
        case FdoCommandType_Select: return SdfSelect::Create(this);
        case FdoCommandType_SelectAggregates: return SdfSelectAggregates::Create(this);
        case FdoCommandType_Insert: return SdfInsert::Create(this);
        case FdoCommandType_Update: return SdfUpdate::Create(this);
        case FdoCommandType_Delete: return SdfDelete::Create(this);
        case FdoCommandType_DescribeSchema: return SdfDescribeSchema::Create(this);
        case FdoCommandType_GetSchemaNames: return SdfGetSchemaNames::Create(this);
        case FdoCommandType_GetClassNames: return SdfGetClassNames::Create(this);
        case FdoCommandType_ApplySchema: return SdfApplySchema::Create(this);
        case FdoCommandType_GetSpatialContexts: return SdfGetSpatialContexts::Create(this);
        case FdoCommandType_CreateSpatialContext: return SdfCreateSpatialContext::Create(this);
        default: break;
    }
    throw FdoConnectionException::Create(
        FdoStringP::Format(L"The SDF provider does not support the command %d.", static_cast<int>(type)));
}

void SdfConnection::Flush() {
    if (m_store) m_store->Flush();
}

SdfStore& SdfConnection::Store() {
    if (!m_store) throw FdoConnectionException::Create(L"The SDF connection is not open.");
    return *m_store;
}

FdoFeatureSchema* SdfConnection::GetSchema() { return FDO_SAFE_ADDREF(m_schema.p); }

FdoClassDefinition* SdfConnection::FindClass(FdoIdentifier* className) {
    if (!className || !className->GetName() || !*className->GetName())
        throw FdoCommandException::Create(L"The command names no feature class.");
    FdoString* schemaName = className->GetSchemaName();
    FdoClassDefinition* cls = nullptr;
    if (m_schema && (!schemaName || !*schemaName || FdoStringP(schemaName) == m_schema->GetName())) {
        FdoPtr<FdoClassCollection> classes = m_schema->GetClasses();
        cls = classes->FindItem(className->GetName());
    }
    if (!cls)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The SDF file '%ls' has no class '%ls'.", Store().GetFileName(), className->GetText()));
    return cls;
}

std::vector<FdoStringP> SdfConnection::SpatialContextNames() const {
    std::vector<FdoStringP> names;
    for (auto& sc : m_contexts) names.push_back(sc.name);
    return names;
}

void SdfConnection::SetSchema(FdoFeatureSchema* schema) {
    m_bindings.clear();
    m_schema = FDO_SAFE_ADDREF(schema);
}

SdfClassBinding* SdfConnection::GetBinding(FdoIdentifier* className) {
    FdoPtr<FdoClassDefinition> cls = FindClass(className);
    auto it = m_bindings.find(cls->GetName());
    if (it != m_bindings.end()) return FDO_SAFE_ADDREF(it->second.p);
    FdoPtr<SdfClassBinding> binding = SdfClassBinding::Create(Store(), cls, SpatialContextNames());
    m_bindings[cls->GetName()] = binding;
    return FDO_SAFE_ADDREF(binding.p);
}

void SdfConnection::ReloadSpatialContexts() { m_contexts = SdfSpatialContextTable::Load(Store()); }

void SdfConnection::Reopen() {
    FdoStringP file = Store().GetFileName();
    bool readOnly = Store().IsReadOnly();
    m_bindings.clear();
    m_store.reset();
    m_store = SdfStore::Open(file, readOnly);
    FdoPtr<FdoFeatureSchemaCollection> schemas = SdfSchemaTable::Load(*m_store);
    m_schema = schemas->GetCount() ? schemas->GetItem(0) : nullptr;
    m_contexts = SdfSpatialContextTable::Load(*m_store);
}

}  // namespace sdf
