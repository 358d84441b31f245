// Connections, provider detection and the file helpers of the engine.
//
// Provider kinds are recognised by substring tests on the name the
// connection reports, never by exact names, so versioned names match.
#include "transfer/Connections.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/FDO_MiscUtil.h>

#include <FdoCommon/FdoCommonConnStringParser.h>

#include <cstdio>

namespace gxf {

FdoIConnection* CreateConnection(const wchar_t* providerName) {
    try {
        FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
        return manager->CreateConnection(providerName);
    } catch (FdoException* e) {
        e->Release();
        return nullptr;
    }
}

bool OpenConnection(FdoIConnection* connection, const wchar_t* connString) {
    connection->SetConnectionString(connString);
    return connection->Open() == FdoConnectionState_Open;
}

FdoStringP ProviderNameOf(FdoIConnection* connection) {
    if (!connection) return FdoStringP();
    FdoPtr<FdoIConnectionInfo> info = connection->GetConnectionInfo();
    return info ? FdoStringP(info->GetProviderName()) : FdoStringP();
}

}  // namespace gxf

bool c_FDO_Api::IsSdfProvider(FdoIConnection* c) { return gxf::ProviderNameOf(c).Upper().Contains(L"OSGEO.SDF"); }
bool c_FDO_Api::IsShpProvider(FdoIConnection* c) { return gxf::ProviderNameOf(c).Upper().Contains(L"OSGEO.SHP"); }
bool c_FDO_Api::IsNorvMssProvider(FdoIConnection* c) {
    return gxf::ProviderNameOf(c).Contains(L"Norv.MsSqlSpatial");
}
bool c_FDO_Api::IsNorvInformixProvider(FdoIConnection* c) {
    return gxf::ProviderNameOf(c).Contains(L"Norv.Informix");
}
bool c_FDO_Api::IsNorvOracleProvider(FdoIConnection* c) { return gxf::ProviderNameOf(c).Contains(L"Norv.Oracle"); }

bool c_FDO_Api::GetSupportCommand(FdoIConnection* connection, FdoCommandType command) {
    FdoPtr<FdoICommandCapabilities> caps = connection->GetCommandCapabilities();
    FdoInt32 size = 0;
    FdoInt32* commands = caps->GetCommands(size);
    for (FdoInt32 i = 0; commands && i < size; i++)
        if (commands[i] == command) return true;
    return false;
}

static bool NorvOracleProperty(FdoIConnection* connection, FdoString* name, FdoStringP& value) {
    if (!c_FDO_Api::IsNorvOracleProvider(connection)) return false;
    FdoPtr<FdoIConnectionInfo> info = connection->GetConnectionInfo();
    FdoPtr<FdoIConnectionPropertyDictionary> dict = info->GetConnectionProperties();
    value = dict->GetProperty(name);
    return true;
}

bool c_FDO_Api::NorvOracleProvider_GetProperty_NorvFdoClass(FdoIConnection* c, FdoStringP& value) {
    return NorvOracleProperty(c, L"NorvFdoClass", value);
}

bool c_FDO_Api::NorvOracleProvider_GetProperty_OracleSchema(FdoIConnection* c, FdoStringP& value) {
    return NorvOracleProperty(c, L"OracleSchema", value);
}

bool c_FDO_MiscUtil::TestConnection(const wchar_t* providerName, const wchar_t* connString, FdoStringP& message) {
    try {
        FdoPtr<FdoIConnection> connection = gxf::CreateConnection(providerName);
        if (!connection) {
            message = L"Unable to Create FDO Connection";
            return false;
        }
        if (!gxf::OpenConnection(connection, connString)) {
            message = L"Unable to Open FDO Connection";
            return false;
        }
        return true;
    } catch (FdoException* e) {
        message = e->GetExceptionMessage();
        e->Release();
        return false;
    }
}

bool c_FDO_MiscUtil::FileExists(const char* path) {
    if (!path) return false;
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

bool c_FDO_MiscUtil::FileDelete(const wchar_t* path) {
    if (!path) return false;
    FdoStringP p(path);
    const char* utf8 = static_cast<const char*>(p);
    if (!FileExists(utf8)) return false;
    // A file that could be read but not deleted is still there: say so.
    return std::remove(utf8) == 0;
}

bool c_FDO_MiscUtil::ParsePropertyFromString(const wchar_t* connString, const wchar_t* propertyName,
                                              FdoStringP& value) {
    FdoCommonConnStringParser parser(connString);
    if (!parser.IsPropertyValueSet(propertyName)) return false;
    FdoString* v = parser.GetPropertyValueW(propertyName);
    if (!v || !*v) return false;  // present without a value
    value = v;
    return true;
}
