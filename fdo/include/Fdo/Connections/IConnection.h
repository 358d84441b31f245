// FdoIConnection: one session with one data store. Everything else is reached
// from here: the connection properties through GetConnectionInfo, the
// capabilities, and the commands, which CreateCommand makes from an
// FdoCommandType value and the caller casts to the matching interface
// (FdoISelect for FdoCommandType_Select, ...).
//
// Getters returning objects hand out new references.
#pragma once

#include <Fdo/Capabilities/ICommandCapabilities.h>
#include <Fdo/Capabilities/IConnectionCapabilities.h>
#include <Fdo/Capabilities/IExpressionCapabilities.h>
#include <Fdo/Capabilities/IFilterCapabilities.h>
#include <Fdo/Capabilities/IGeometryCapabilities.h>
#include <Fdo/Capabilities/IRasterCapabilities.h>
#include <Fdo/Capabilities/ISchemaCapabilities.h>
#include <Fdo/Capabilities/ITopologyCapabilities.h>
#include <Fdo/Connections/IConnectionInfo.h>
#include <Fdo/Connections/ITransaction.h>

class FdoICommand;
class FdoIoStream;
class FdoPhysicalSchemaMapping;

class FDO_API FdoIConnection : public FdoIDisposable {
public:
    virtual FdoICommandCapabilities* GetCommandCapabilities() = 0;
    virtual FdoISchemaCapabilities* GetSchemaCapabilities() = 0;
    virtual FdoIConnectionCapabilities* GetConnectionCapabilities() = 0;
    virtual FdoIFilterCapabilities* GetFilterCapabilities() = 0;
    virtual FdoIExpressionCapabilities* GetExpressionCapabilities() = 0;
    virtual FdoIRasterCapabilities* GetRasterCapabilities() = 0;
    virtual FdoITopologyCapabilities* GetTopologyCapabilities() = 0;
    virtual FdoIGeometryCapabilities* GetGeometryCapabilities() = 0;

    // Borrowed; "Name=Value;" pairs.
    virtual FdoString* GetConnectionString() = 0;
    virtual void SetConnectionString(FdoString* value) = 0;
    virtual FdoIConnectionInfo* GetConnectionInfo() = 0;
    virtual FdoConnectionState GetConnectionState() = 0;
    // Milliseconds.
    virtual FdoInt32 GetConnectionTimeout() = 0;
    virtual void SetConnectionTimeout(FdoInt32 value) = 0;

    // Returns the state reached (normally Open).
    virtual FdoConnectionState Open() = 0;
    virtual void Close() = 0;

    virtual FdoITransaction* BeginTransaction() = 0;
    // New reference to an object of the interface matching commandType;
    // throws FdoConnectionException for commands the connection lacks.
    virtual FdoICommand* CreateCommand(FdoInt32 commandType) = 0;
    virtual FdoPhysicalSchemaMapping* CreateSchemaMapping() = 0;
    virtual void SetConfiguration(FdoIoStream* configurationData) = 0;
    virtual void Flush() = 0;
};
