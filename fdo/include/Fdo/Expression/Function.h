// FdoFunction: a call "Name(arg, ...)". The expression tree only names the
// function; which names a connection knows is told by its expression
// capabilities, and the common filter evaluator implements a small set.
#pragma once

#include <Fdo/Expression/ExpressionCollection.h>

class FDO_API FdoFunction : public FdoExpression {
public:
    static FdoFunction* Create();
    static FdoFunction* Create(FdoString* name, FdoExpression** arguments, FdoInt32 count);
    // Keeps a reference to the collection (null gives an empty one).
    static FdoFunction* Create(FdoString* name, FdoExpressionCollection* arguments);

    FdoString* GetName() { return m_name; }
    void SetName(FdoString* value) { m_name = value; }
    // New reference to the live argument list: edit it in place.
    FdoExpressionCollection* GetArguments() { return FDO_SAFE_ADDREF(m_arguments); }

    FdoExpressionItemType GetExpressionType() override { return FdoExpressionItemType_Function; }
    // "Name(a, b)".
    FdoString* ToString() override;

protected:
    FdoFunction(FdoString* name, FdoExpressionCollection* arguments);
    ~FdoFunction() override;

private:
    FdoStringP m_name;
    FdoExpressionCollection* m_arguments;
};
