// What every provider's connection answers alike: its connection string
// (fixed while open), its state, and the refusals of what none of these
// providers offers (timeouts, transactions, configuration files, raster
// and topology). Each connection says only where its properties live,
// whether it is open and the name its refusals give.
#pragma once

#include <Fdo.h>
#include <FdoCommon/FdoCommonConnPropDictionary.h>

namespace providercommon {

class ConnectionBase : public FdoIConnection {
public:
    FdoString* GetConnectionString() override;
    void SetConnectionString(FdoString* value) override;
    FdoConnectionState GetConnectionState() override;
    FdoInt32 GetConnectionTimeout() override { return 0; }
    void SetConnectionTimeout(FdoInt32 value) override;
    FdoITransaction* BeginTransaction() override;
    void SetConfiguration(FdoIoStream* configurationData) override;
    FdoPhysicalSchemaMapping* CreateSchemaMapping() override { return nullptr; }
    FdoIRasterCapabilities* GetRasterCapabilities() override;
    FdoITopologyCapabilities* GetTopologyCapabilities() override;

protected:
    virtual FdoCommonConnPropDictionary* Properties() = 0;
    virtual bool IsOpen() = 0;
    // The provider as its messages name it.
    virtual FdoString* RefusingName() = 0;
};

}  // namespace providercommon
