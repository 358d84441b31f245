// SdfConnection: a session with one SDF file.
//
// The connection holds the open store and what it read from the file's own
// tables at Open: the feature schema and the spatial contexts. Commands
// read these through the connection and, when they change them, write the
// table first and then replace the connection's copy, so the two never
// disagree. DataStore commands work on a closed connection; everything
// else wants it open. A genuine SDF 3 file (FDO's own format) is recognised
// at Open, whatever its name, and read through an Sdf3Session instead:
// while one is open, the commands and capabilities are the session's.
#pragma once

#include "SdfClassBinding.h"
#include "SdfConnectionInfo.h"
#include "SdfStore.h"

#include <Fdo.h>
#include <common/ConnectionBase.h>

#include <map>
#include <memory>
#include <vector>

namespace sdf {

class Sdf3Session;

class SdfConnection : public providercommon::ConnectionBase {
public:
    static SdfConnection* Create() { return new SdfConnection(); }

    FdoICommandCapabilities* GetCommandCapabilities() override;
    FdoISchemaCapabilities* GetSchemaCapabilities() override;
    FdoIConnectionCapabilities* GetConnectionCapabilities() override;
    FdoIFilterCapabilities* GetFilterCapabilities() override;
    FdoIExpressionCapabilities* GetExpressionCapabilities() override;
    FdoIGeometryCapabilities* GetGeometryCapabilities() override;

    FdoIConnectionInfo* GetConnectionInfo() override { return FDO_SAFE_ADDREF(m_info.p); }
    FdoConnectionState Open() override;
    void Close() override;
    FdoICommand* CreateCommand(FdoInt32 commandType) override;
    // Commits the rows pending in the insert transaction.
    void Flush() override;

    // For the commands. Store() throws when the connection is not open.
    SdfStore& Store();
    // The stored schema (new reference), or null when the file has none.
    FdoFeatureSchema* GetSchema();
    // The stored class a command names (new reference); throws
    // FdoCommandException when there is none.
    FdoClassDefinition* FindClass(FdoIdentifier* className);
    // The binding of the class a feature command names (new reference),
    // made once per class and schema.
    SdfClassBinding* GetBinding(FdoIdentifier* className);
    const std::vector<FdoXmlSpatialContext>& SpatialContexts() const { return m_contexts; }
    std::vector<FdoStringP> SpatialContextNames() const;

    // After the file's tables were changed: take the new schema / reread
    // the contexts.
    void SetSchema(FdoFeatureSchema* schema);
    void ReloadSpatialContexts();
    // Drops and reopens the store, after a failed change left GDAL's view
    // of the file in doubt; reloads schema and contexts.
    void Reopen();

protected:
    SdfConnection();
    ~SdfConnection() override;
    void Dispose() override { delete this; }
    FdoCommonConnPropDictionary* Properties() override;
    bool IsOpen() override { return m_store || m_sdf3; }
    FdoString* RefusingName() override { return L"the SDF provider"; }

private:
    FdoPtr<SdfConnectionInfo> m_info;
    std::unique_ptr<SdfStore> m_store;
    FdoPtr<FdoFeatureSchema> m_schema;
    std::vector<FdoXmlSpatialContext> m_contexts;
    std::map<std::wstring, FdoPtr<SdfClassBinding>> m_bindings;
    FdoPtr<Sdf3Session> m_sdf3;  // set instead of m_store for an SDF 3 file
};

}  // namespace sdf
