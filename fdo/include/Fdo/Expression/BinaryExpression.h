// FdoBinaryExpression (a + b, a - b, a * b, a / b) and FdoUnaryExpression
// (-a): the arithmetic nodes of the expression tree. Add on two strings
// concatenates, which is what "||" in expression text reads as.
#pragma once

#include <Fdo/Expression/Expression.h>

class FDO_API FdoBinaryExpression : public FdoExpression {
public:
    static FdoBinaryExpression* Create();
    static FdoBinaryExpression* Create(FdoExpression* left, FdoBinaryOperations operation,
                                       FdoExpression* right);

    FdoBinaryOperations GetOperation() { return m_operation; }
    void SetOperation(FdoBinaryOperations value) { m_operation = value; }
    // New references, or null.
    FdoExpression* GetLeftExpression() { return FDO_SAFE_ADDREF(m_left); }
    void SetLeftExpression(FdoExpression* value);
    FdoExpression* GetRightExpression() { return FDO_SAFE_ADDREF(m_right); }
    void SetRightExpression(FdoExpression* value);

    FdoExpressionItemType GetExpressionType() override { return FdoExpressionItemType_BinaryExpression; }
    // "A+B" without blanks; operands parenthesised where the text would
    // otherwise group differently.
    FdoString* ToString() override;

protected:
    FdoBinaryExpression(FdoExpression* left, FdoBinaryOperations operation, FdoExpression* right);
    ~FdoBinaryExpression() override;

private:
    FdoExpression* m_left;
    FdoBinaryOperations m_operation;
    FdoExpression* m_right;
};

class FDO_API FdoUnaryExpression : public FdoExpression {
public:
    static FdoUnaryExpression* Create();
    static FdoUnaryExpression* Create(FdoUnaryOperations operation, FdoExpression* expression);

    FdoUnaryOperations GetOperation() { return m_operation; }
    void SetOperation(FdoUnaryOperations value) { m_operation = value; }
    // New reference, or null.
    FdoExpression* GetExpression() { return FDO_SAFE_ADDREF(m_expression); }
    void SetExpression(FdoExpression* value);

    FdoExpressionItemType GetExpressionType() override { return FdoExpressionItemType_UnaryExpression; }
    // "-(e)".
    FdoString* ToString() override;

protected:
    FdoUnaryExpression(FdoUnaryOperations operation, FdoExpression* expression);
    ~FdoUnaryExpression() override;

private:
    FdoUnaryOperations m_operation;
    FdoExpression* m_expression;
};
