// The attribute conditions of the filter tree: comparison ("l = r",
// "l LIKE r", ...), "p IN (v, ...)" and "p NULL".
#pragma once

#include <Fdo/Expression/ExpressionCollection.h>
#include <Fdo/Expression/Identifier.h>
#include <Fdo/Expression/SubSelectExpression.h>
#include <Fdo/Filter/Filter.h>

class FDO_API FdoSearchCondition : public FdoFilter {
protected:
    FdoSearchCondition() = default;
};

class FDO_API FdoComparisonCondition : public FdoSearchCondition {
public:
    static FdoComparisonCondition* Create();
    static FdoComparisonCondition* Create(FdoExpression* left, FdoComparisonOperations operation,
                                          FdoExpression* right);

    FdoComparisonOperations GetOperation() { return m_operation; }
    void SetOperation(FdoComparisonOperations value) { m_operation = value; }
    // New references, or null.
    FdoExpression* GetLeftExpression() { return FDO_SAFE_ADDREF(m_left); }
    void SetLeftExpression(FdoExpression* value);
    FdoExpression* GetRightExpression() { return FDO_SAFE_ADDREF(m_right); }
    void SetRightExpression(FdoExpression* value);

    void Process(FdoIFilterProcessor* processor) override;

protected:
    FdoComparisonCondition(FdoExpression* left, FdoComparisonOperations operation, FdoExpression* right);
    ~FdoComparisonCondition() override;

private:
    FdoExpression* m_left;
    FdoComparisonOperations m_operation;
    FdoExpression* m_right;
};

// "p IN (v1, v2)" over a value list, or "p IN (SELECT(...))" over a
// sub-select; a condition has one or the other.
class FDO_API FdoInCondition : public FdoSearchCondition {
public:
    static FdoInCondition* Create();
    // Keeps a reference to values (null gives an empty list).
    static FdoInCondition* Create(FdoIdentifier* propertyName, FdoValueExpressionCollection* values);
    static FdoInCondition* Create(FdoString* propertyName, FdoValueExpressionCollection* values);
    static FdoInCondition* Create(FdoIdentifier* propertyName, FdoSubSelectExpression* subSelect);

    // New references, or null.
    FdoIdentifier* GetPropertyName() { return FDO_SAFE_ADDREF(m_property); }
    void SetPropertyName(FdoIdentifier* value);
    // The live value list: edit it in place.
    FdoValueExpressionCollection* GetValues() { return FDO_SAFE_ADDREF(m_values); }
    FdoSubSelectExpression* GetSubSelect() { return FDO_SAFE_ADDREF(m_subSelect); }
    void SetSubSelect(FdoSubSelectExpression* value);

    void Process(FdoIFilterProcessor* processor) override;

protected:
    FdoInCondition(FdoIdentifier* propertyName, FdoValueExpressionCollection* values,
                   FdoSubSelectExpression* subSelect);
    ~FdoInCondition() override;

private:
    FdoIdentifier* m_property;
    FdoValueExpressionCollection* m_values;
    FdoSubSelectExpression* m_subSelect;
};

// "p NULL": true when the property has no value.
class FDO_API FdoNullCondition : public FdoSearchCondition {
public:
    static FdoNullCondition* Create();
    static FdoNullCondition* Create(FdoIdentifier* propertyName);
    static FdoNullCondition* Create(FdoString* propertyName);

    // New reference, or null.
    FdoIdentifier* GetPropertyName() { return FDO_SAFE_ADDREF(m_property); }
    void SetPropertyName(FdoIdentifier* value);

    void Process(FdoIFilterProcessor* processor) override;

protected:
    explicit FdoNullCondition(FdoIdentifier* propertyName);
    ~FdoNullCondition() override;

private:
    FdoIdentifier* m_property;
};
