// The logical operators of the filter tree: "l AND r", "l OR r", "NOT f".
#pragma once

#include <Fdo/Filter/Filter.h>

class FDO_API FdoLogicalOperator : public FdoFilter {
protected:
    FdoLogicalOperator() = default;
};

class FDO_API FdoBinaryLogicalOperator : public FdoLogicalOperator {
public:
    static FdoBinaryLogicalOperator* Create();
    static FdoBinaryLogicalOperator* Create(FdoFilter* left, FdoBinaryLogicalOperations operation,
                                            FdoFilter* right);

    FdoBinaryLogicalOperations GetOperation() { return m_operation; }
    void SetOperation(FdoBinaryLogicalOperations value) { m_operation = value; }
    // New references, or null.
    FdoFilter* GetLeftOperand() { return FDO_SAFE_ADDREF(m_left); }
    void SetLeftOperand(FdoFilter* value);
    FdoFilter* GetRightOperand() { return FDO_SAFE_ADDREF(m_right); }
    void SetRightOperand(FdoFilter* value);

    void Process(FdoIFilterProcessor* processor) override;

protected:
    FdoBinaryLogicalOperator(FdoFilter* left, FdoBinaryLogicalOperations operation, FdoFilter* right);
    ~FdoBinaryLogicalOperator() override;

private:
    FdoFilter* m_left;
    FdoBinaryLogicalOperations m_operation;
    FdoFilter* m_right;
};

class FDO_API FdoUnaryLogicalOperator : public FdoLogicalOperator {
public:
    static FdoUnaryLogicalOperator* Create();
    static FdoUnaryLogicalOperator* Create(FdoFilter* operand, FdoUnaryLogicalOperations operation);

    FdoUnaryLogicalOperations GetOperation() { return m_operation; }
    void SetOperation(FdoUnaryLogicalOperations value) { m_operation = value; }
    // New reference, or null.
    FdoFilter* GetOperand() { return FDO_SAFE_ADDREF(m_operand); }
    void SetOperand(FdoFilter* value);

    void Process(FdoIFilterProcessor* processor) override;

protected:
    FdoUnaryLogicalOperator(FdoFilter* operand, FdoUnaryLogicalOperations operation);
    ~FdoUnaryLogicalOperator() override;

private:
    FdoFilter* m_operand;
    FdoUnaryLogicalOperations m_operation;
};
