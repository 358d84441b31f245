// The roots of the expression tree: FdoExpression, FdoValueExpression and
// FdoLiteralValue.
//
// Every expression can print itself as FDO expression text. ToString returns
// text owned by the object, rebuilt on each call, so it stays valid until the
// next ToString or the next change of the object.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/Exception.h>

class FdoIExpressionProcessor;

class FDO_API FdoExpression : public FdoIDisposable {
public:
    // Reads expression text; new reference. Bad text throws
    // FdoExpressionException "String does not represent a valid expression."
    // whose cause tells where and why.
    static FdoExpression* Parse(FdoString* expressionText);

    virtual FdoExpressionItemType GetExpressionType() = 0;
    virtual FdoString* ToString() = 0;
    // Calls the processor function that matches this expression's kind.
    virtual void Process(FdoIExpressionProcessor* processor);

protected:
    FdoExpression() = default;
    void Dispose() override { delete this; }

    // The buffer behind ToString.
    FdoStringP m_toString;
};

// An expression that stands for a value: a literal or a parameter.
class FDO_API FdoValueExpression : public FdoExpression {
protected:
    FdoValueExpression() = default;
};

// A constant value: data (FdoDataValue) or geometry (FdoGeometryValue).
class FDO_API FdoLiteralValue : public FdoValueExpression {
public:
    virtual FdoLiteralValueType GetLiteralValueType() = 0;

protected:
    FdoLiteralValue() = default;
};
