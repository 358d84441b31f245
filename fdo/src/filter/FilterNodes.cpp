// The nodes of the filter tree: construction, operand replacement with
// exact reference counting, processor dispatch, and FdoFilter::Combine.
#include <Fdo/Filter/IFilterProcessor.h>

namespace {

template <class T>
void Replace(T*& slot, T* value) {
    FDO_SAFE_ADDREF(value);
    FDO_SAFE_RELEASE(slot);
    slot = value;
}

FdoIFilterProcessor* Check(FdoIFilterProcessor* p) {
    if (!p) throw FdoFilterException::Create(L"A filter processor is required.");
    return p;
}

}  // namespace

FdoFilter* FdoFilter::Combine(FdoFilter* left, FdoBinaryLogicalOperations operation, FdoFilter* right) {
    if (!left || !right) return FDO_SAFE_ADDREF(left ? left : right);
    return FdoBinaryLogicalOperator::Create(left, operation, right);
}

FdoFilter* FdoFilter::Combine(FdoString* left, FdoBinaryLogicalOperations operation, FdoString* right) {
    FdoPtr<FdoFilter> l = left ? Parse(left) : nullptr;
    FdoPtr<FdoFilter> r = right ? Parse(right) : nullptr;
    return Combine(l, operation, r);
}

FdoFilter* FdoFilter::Combine(FdoFilter* left, FdoBinaryLogicalOperations operation, FdoString* right) {
    FdoPtr<FdoFilter> r = right ? Parse(right) : nullptr;
    return Combine(left, operation, r);
}

FdoFilter* FdoFilter::Combine(FdoString* left, FdoBinaryLogicalOperations operation, FdoFilter* right) {
    FdoPtr<FdoFilter> l = left ? Parse(left) : nullptr;
    return Combine(l, operation, right);
}

// Logical operators.

FdoBinaryLogicalOperator* FdoBinaryLogicalOperator::Create() {
    return new FdoBinaryLogicalOperator(nullptr, FdoBinaryLogicalOperations_And, nullptr);
}

FdoBinaryLogicalOperator* FdoBinaryLogicalOperator::Create(FdoFilter* left, FdoBinaryLogicalOperations operation,
                                                           FdoFilter* right) {
    return new FdoBinaryLogicalOperator(left, operation, right);
}

FdoBinaryLogicalOperator::FdoBinaryLogicalOperator(FdoFilter* left, FdoBinaryLogicalOperations operation,
                                                   FdoFilter* right)
    : m_left(FDO_SAFE_ADDREF(left)), m_operation(operation), m_right(FDO_SAFE_ADDREF(right)) {}

FdoBinaryLogicalOperator::~FdoBinaryLogicalOperator() {
    FDO_SAFE_RELEASE(m_left);
    FDO_SAFE_RELEASE(m_right);
}

void FdoBinaryLogicalOperator::SetLeftOperand(FdoFilter* value) { Replace(m_left, value); }
void FdoBinaryLogicalOperator::SetRightOperand(FdoFilter* value) { Replace(m_right, value); }
void FdoBinaryLogicalOperator::Process(FdoIFilterProcessor* p) { Check(p)->ProcessBinaryLogicalOperator(*this); }

FdoUnaryLogicalOperator* FdoUnaryLogicalOperator::Create() {
    return new FdoUnaryLogicalOperator(nullptr, FdoUnaryLogicalOperations_Not);
}

FdoUnaryLogicalOperator* FdoUnaryLogicalOperator::Create(FdoFilter* operand, FdoUnaryLogicalOperations operation) {
    return new FdoUnaryLogicalOperator(operand, operation);
}

FdoUnaryLogicalOperator::FdoUnaryLogicalOperator(FdoFilter* operand, FdoUnaryLogicalOperations operation)
    : m_operand(FDO_SAFE_ADDREF(operand)), m_operation(operation) {}

FdoUnaryLogicalOperator::~FdoUnaryLogicalOperator() { FDO_SAFE_RELEASE(m_operand); }

void FdoUnaryLogicalOperator::SetOperand(FdoFilter* value) { Replace(m_operand, value); }
void FdoUnaryLogicalOperator::Process(FdoIFilterProcessor* p) { Check(p)->ProcessUnaryLogicalOperator(*this); }

// Attribute conditions.

FdoComparisonCondition* FdoComparisonCondition::Create() {
    return new FdoComparisonCondition(nullptr, FdoComparisonOperations_EqualTo, nullptr);
}

FdoComparisonCondition* FdoComparisonCondition::Create(FdoExpression* left, FdoComparisonOperations operation,
                                                       FdoExpression* right) {
    return new FdoComparisonCondition(left, operation, right);
}

FdoComparisonCondition::FdoComparisonCondition(FdoExpression* left, FdoComparisonOperations operation,
                                               FdoExpression* right)
    : m_left(FDO_SAFE_ADDREF(left)), m_operation(operation), m_right(FDO_SAFE_ADDREF(right)) {}

FdoComparisonCondition::~FdoComparisonCondition() {
    FDO_SAFE_RELEASE(m_left);
    FDO_SAFE_RELEASE(m_right);
}

void FdoComparisonCondition::SetLeftExpression(FdoExpression* value) { Replace(m_left, value); }
void FdoComparisonCondition::SetRightExpression(FdoExpression* value) { Replace(m_right, value); }
void FdoComparisonCondition::Process(FdoIFilterProcessor* p) { Check(p)->ProcessComparisonCondition(*this); }

FdoInCondition* FdoInCondition::Create() { return new FdoInCondition(nullptr, nullptr, nullptr); }

FdoInCondition* FdoInCondition::Create(FdoIdentifier* propertyName, FdoValueExpressionCollection* values) {
    return new FdoInCondition(propertyName, values, nullptr);
}

FdoInCondition* FdoInCondition::Create(FdoString* propertyName, FdoValueExpressionCollection* values) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(propertyName);
    return new FdoInCondition(id, values, nullptr);
}

FdoInCondition* FdoInCondition::Create(FdoIdentifier* propertyName, FdoSubSelectExpression* subSelect) {
    return new FdoInCondition(propertyName, nullptr, subSelect);
}

FdoInCondition::FdoInCondition(FdoIdentifier* propertyName, FdoValueExpressionCollection* values,
                               FdoSubSelectExpression* subSelect)
    : m_property(FDO_SAFE_ADDREF(propertyName)),
      m_values(values ? FDO_SAFE_ADDREF(values) : FdoValueExpressionCollection::Create()),
      m_subSelect(FDO_SAFE_ADDREF(subSelect)) {}

FdoInCondition::~FdoInCondition() {
    FDO_SAFE_RELEASE(m_property);
    FDO_SAFE_RELEASE(m_values);
    FDO_SAFE_RELEASE(m_subSelect);
}

void FdoInCondition::SetPropertyName(FdoIdentifier* value) { Replace(m_property, value); }
void FdoInCondition::SetSubSelect(FdoSubSelectExpression* value) { Replace(m_subSelect, value); }
void FdoInCondition::Process(FdoIFilterProcessor* p) { Check(p)->ProcessInCondition(*this); }

FdoNullCondition* FdoNullCondition::Create() { return new FdoNullCondition(nullptr); }
FdoNullCondition* FdoNullCondition::Create(FdoIdentifier* propertyName) { return new FdoNullCondition(propertyName); }

FdoNullCondition* FdoNullCondition::Create(FdoString* propertyName) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(propertyName);
    return new FdoNullCondition(id);
}

FdoNullCondition::FdoNullCondition(FdoIdentifier* propertyName) : m_property(FDO_SAFE_ADDREF(propertyName)) {}
FdoNullCondition::~FdoNullCondition() { FDO_SAFE_RELEASE(m_property); }

void FdoNullCondition::SetPropertyName(FdoIdentifier* value) { Replace(m_property, value); }
void FdoNullCondition::Process(FdoIFilterProcessor* p) { Check(p)->ProcessNullCondition(*this); }

// Geometric conditions.

FdoGeometricCondition::FdoGeometricCondition(FdoIdentifier* propertyName, FdoExpression* geometry)
    : m_property(FDO_SAFE_ADDREF(propertyName)), m_geometry(FDO_SAFE_ADDREF(geometry)) {}

FdoGeometricCondition::~FdoGeometricCondition() {
    FDO_SAFE_RELEASE(m_property);
    FDO_SAFE_RELEASE(m_geometry);
}

void FdoGeometricCondition::SetPropertyName(FdoIdentifier* value) { Replace(m_property, value); }
void FdoGeometricCondition::SetGeometry(FdoExpression* value) { Replace(m_geometry, value); }

FdoSpatialCondition* FdoSpatialCondition::Create() {
    return new FdoSpatialCondition(nullptr, FdoSpatialOperations_Intersects, nullptr);
}

FdoSpatialCondition* FdoSpatialCondition::Create(FdoIdentifier* propertyName, FdoSpatialOperations operation,
                                                 FdoExpression* geometry) {
    return new FdoSpatialCondition(propertyName, operation, geometry);
}

FdoSpatialCondition* FdoSpatialCondition::Create(FdoString* propertyName, FdoSpatialOperations operation,
                                                 FdoExpression* geometry) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(propertyName);
    return new FdoSpatialCondition(id, operation, geometry);
}

void FdoSpatialCondition::Process(FdoIFilterProcessor* p) { Check(p)->ProcessSpatialCondition(*this); }

FdoDistanceCondition* FdoDistanceCondition::Create() {
    return new FdoDistanceCondition(nullptr, FdoDistanceOperations_Within, nullptr, 0.0);
}

FdoDistanceCondition* FdoDistanceCondition::Create(FdoIdentifier* propertyName, FdoDistanceOperations operation,
                                                   FdoExpression* geometry, FdoDouble distance) {
    return new FdoDistanceCondition(propertyName, operation, geometry, distance);
}

FdoDistanceCondition* FdoDistanceCondition::Create(FdoString* propertyName, FdoDistanceOperations operation,
                                                   FdoExpression* geometry, FdoDouble distance) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(propertyName);
    return new FdoDistanceCondition(id, operation, geometry, distance);
}

void FdoDistanceCondition::Process(FdoIFilterProcessor* p) { Check(p)->ProcessDistanceCondition(*this); }
