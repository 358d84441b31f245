// FdoIExpressionProcessor: the visitor of the expression tree. A provider
// that translates expressions (to SQL, to a GDAL attribute filter) or an
// evaluator implements one function per kind of node and calls
// expression->Process(this); each node calls back the function for its
// kind, so no caller needs to switch on types or cast.
#pragma once

#include <Fdo/Expression/BinaryExpression.h>
#include <Fdo/Expression/DataValue.h>
#include <Fdo/Expression/Function.h>
#include <Fdo/Expression/GeometryValue.h>
#include <Fdo/Expression/Identifier.h>
#include <Fdo/Expression/Parameter.h>
#include <Fdo/Expression/SubSelectExpression.h>

class FDO_API FdoIExpressionProcessor : public FdoIDisposable {
public:
    virtual void ProcessBinaryExpression(FdoBinaryExpression& expr) = 0;
    virtual void ProcessUnaryExpression(FdoUnaryExpression& expr) = 0;
    virtual void ProcessFunction(FdoFunction& expr) = 0;
    virtual void ProcessIdentifier(FdoIdentifier& expr) = 0;
    virtual void ProcessComputedIdentifier(FdoComputedIdentifier& expr) = 0;
    virtual void ProcessSubSelectExpression(FdoSubSelectExpression& expr) = 0;
    virtual void ProcessParameter(FdoParameter& expr) = 0;

    virtual void ProcessBooleanValue(FdoBooleanValue& expr) = 0;
    virtual void ProcessByteValue(FdoByteValue& expr) = 0;
    virtual void ProcessDateTimeValue(FdoDateTimeValue& expr) = 0;
    virtual void ProcessDecimalValue(FdoDecimalValue& expr) = 0;
    virtual void ProcessDoubleValue(FdoDoubleValue& expr) = 0;
    virtual void ProcessInt16Value(FdoInt16Value& expr) = 0;
    virtual void ProcessInt32Value(FdoInt32Value& expr) = 0;
    virtual void ProcessInt64Value(FdoInt64Value& expr) = 0;
    virtual void ProcessSingleValue(FdoSingleValue& expr) = 0;
    virtual void ProcessStringValue(FdoStringValue& expr) = 0;
    virtual void ProcessBLOBValue(FdoBLOBValue& expr) = 0;
    virtual void ProcessCLOBValue(FdoCLOBValue& expr) = 0;
    virtual void ProcessGeometryValue(FdoGeometryValue& expr) = 0;

protected:
    FdoIExpressionProcessor() = default;
};
