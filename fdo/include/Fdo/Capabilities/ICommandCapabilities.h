// FdoICommandCapabilities: which commands a connection creates and which of
// their optional features it honours. Callers check here before
// CreateCommand instead of catching a failure.
#pragma once

#include <Fdo/Common/IDisposable.h>

class FDO_API FdoICommandCapabilities : public FdoIDisposable {
public:
    // FdoCommandType values (and provider commands from FirstProviderCommand
    // on); the array is borrowed and size receives its length.
    virtual FdoInt32* GetCommands(FdoInt32& size) = 0;
    virtual bool SupportsParameters() = 0;
    virtual bool SupportsTimeout() = 0;
    virtual bool SupportsSelectExpressions() = 0;
    virtual bool SupportsSelectFunctions() = 0;
    virtual bool SupportsSelectDistinct() = 0;
    virtual bool SupportsSelectOrdering() = 0;
    virtual bool SupportsSelectGrouping() = 0;
};
