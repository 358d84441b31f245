// FdoSubSelectExpression: "SELECT(Class, Property[, filter])", the value
// list of an IN condition taken from another class. It is kept and printed;
// evaluating it is left to providers that can run it (the common evaluator
// refuses it).
#pragma once

#include <Fdo/Expression/Identifier.h>

class FdoFilter;

class FDO_API FdoSubSelectExpression : public FdoExpression {
public:
    static FdoSubSelectExpression* Create();
    static FdoSubSelectExpression* Create(FdoIdentifier* className, FdoIdentifier* propertyName,
                                          FdoFilter* filter = nullptr);

    // New references, or null.
    FdoIdentifier* GetFeatureClassName() { return FDO_SAFE_ADDREF(m_className); }
    void SetFeatureClassName(FdoIdentifier* value);
    FdoIdentifier* GetPropertyName() { return FDO_SAFE_ADDREF(m_propertyName); }
    void SetPropertyName(FdoIdentifier* value);
    FdoFilter* GetFilter();
    void SetFilter(FdoFilter* value);

    FdoExpressionItemType GetExpressionType() override {
        return FdoExpressionItemType_SubSelectExpression;
    }
    // "SELECT(Class, Property[, filter])".
    FdoString* ToString() override;

protected:
    FdoSubSelectExpression(FdoIdentifier* className, FdoIdentifier* propertyName, FdoFilter* filter);
    ~FdoSubSelectExpression() override;

private:
    FdoIdentifier* m_className;
    FdoIdentifier* m_propertyName;
    FdoFilter* m_filter;
};
