// FdoParameter: a named placeholder in an expression, bound at execution
// through the command's parameter values.
#pragma once

#include <Fdo/Expression/Expression.h>

class FDO_API FdoParameter : public FdoValueExpression {
public:
    static FdoParameter* Create() { return new FdoParameter(nullptr); }
    static FdoParameter* Create(FdoString* name) { return new FdoParameter(name); }

    FdoString* GetName() { return m_name; }
    void SetName(FdoString* name) { m_name = name; }

    FdoExpressionItemType GetExpressionType() override { return FdoExpressionItemType_Parameter; }
    // ":name", or ":'text'" when the name is not a plain identifier.
    FdoString* ToString() override;

protected:
    explicit FdoParameter(FdoString* name) : m_name(name) {}

private:
    FdoStringP m_name;
};
