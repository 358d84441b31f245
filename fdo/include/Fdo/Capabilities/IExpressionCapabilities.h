// FdoIExpressionCapabilities: which kinds of expression a connection
// evaluates and which functions it knows.
#pragma once

#include <Fdo/Capabilities/FunctionDefinition.h>

// The kinds of expression a connection may support.
enum FdoExpressionType {
    FdoExpressionType_Basic = 0,
    FdoExpressionType_Function = 1,
    FdoExpressionType_Parameter = 2,
};

class FDO_API FdoIExpressionCapabilities : public FdoIDisposable {
public:
    // Borrowed array; length receives its size.
    virtual FdoExpressionType* GetExpressionTypes(FdoInt32& length) = 0;
    // New reference; never null.
    virtual FdoFunctionDefinitionCollection* GetFunctions() = 0;
};
