// FdoIFilterProcessor: the visitor of the filter tree, the counterpart of
// FdoIExpressionProcessor. filter->Process(this) calls back the function
// for the filter's kind; a translator recurses into operands itself.
#pragma once

#include <Fdo/Filter/GeometricCondition.h>
#include <Fdo/Filter/LogicalOperator.h>
#include <Fdo/Filter/SearchCondition.h>

class FDO_API FdoIFilterProcessor : public FdoIDisposable {
public:
    virtual void ProcessBinaryLogicalOperator(FdoBinaryLogicalOperator& filter) = 0;
    virtual void ProcessUnaryLogicalOperator(FdoUnaryLogicalOperator& filter) = 0;
    virtual void ProcessComparisonCondition(FdoComparisonCondition& filter) = 0;
    virtual void ProcessInCondition(FdoInCondition& filter) = 0;
    virtual void ProcessNullCondition(FdoNullCondition& filter) = 0;
    virtual void ProcessSpatialCondition(FdoSpatialCondition& filter) = 0;
    virtual void ProcessDistanceCondition(FdoDistanceCondition& filter) = 0;

protected:
    FdoIFilterProcessor() = default;
};
