// The operator, function and sub-select nodes of the expression tree, and
// the processor dispatch of every expression kind. Dispatch sits in the
// base class and switches on the item type, so the value classes need no
// visitor code of their own.
#include <Fdo/Expression/IExpressionProcessor.h>
#include <Fdo/Filter/Filter.h>

namespace {

template <class T>
void Replace(T*& slot, T* value) {
    FDO_SAFE_ADDREF(value);
    FDO_SAFE_RELEASE(slot);
    slot = value;
}

}  // namespace

FdoBinaryExpression* FdoBinaryExpression::Create() {
    return new FdoBinaryExpression(nullptr, FdoBinaryOperations_Add, nullptr);
}

FdoBinaryExpression* FdoBinaryExpression::Create(FdoExpression* left, FdoBinaryOperations operation,
                                                 FdoExpression* right) {
    return new FdoBinaryExpression(left, operation, right);
}

FdoBinaryExpression::FdoBinaryExpression(FdoExpression* left, FdoBinaryOperations operation,
                                         FdoExpression* right)
    : m_left(FDO_SAFE_ADDREF(left)), m_operation(operation), m_right(FDO_SAFE_ADDREF(right)) {}

FdoBinaryExpression::~FdoBinaryExpression() {
    FDO_SAFE_RELEASE(m_left);
    FDO_SAFE_RELEASE(m_right);
}

void FdoBinaryExpression::SetLeftExpression(FdoExpression* value) { Replace(m_left, value); }
void FdoBinaryExpression::SetRightExpression(FdoExpression* value) { Replace(m_right, value); }

FdoUnaryExpression* FdoUnaryExpression::Create() {
    return new FdoUnaryExpression(FdoUnaryOperations_Negate, nullptr);
}

FdoUnaryExpression* FdoUnaryExpression::Create(FdoUnaryOperations operation, FdoExpression* expression) {
    return new FdoUnaryExpression(operation, expression);
}

FdoUnaryExpression::FdoUnaryExpression(FdoUnaryOperations operation, FdoExpression* expression)
    : m_operation(operation), m_expression(FDO_SAFE_ADDREF(expression)) {}

FdoUnaryExpression::~FdoUnaryExpression() { FDO_SAFE_RELEASE(m_expression); }

void FdoUnaryExpression::SetExpression(FdoExpression* value) { Replace(m_expression, value); }

FdoFunction* FdoFunction::Create() { return new FdoFunction(nullptr, nullptr); }

FdoFunction* FdoFunction::Create(FdoString* name, FdoExpression** arguments, FdoInt32 count) {
    FdoPtr<FdoExpressionCollection> list = FdoExpressionCollection::Create();
    for (FdoInt32 i = 0; arguments && i < count; i++) list->Add(arguments[i]);
    return new FdoFunction(name, list);
}

FdoFunction* FdoFunction::Create(FdoString* name, FdoExpressionCollection* arguments) {
    return new FdoFunction(name, arguments);
}

FdoFunction::FdoFunction(FdoString* name, FdoExpressionCollection* arguments)
    : m_name(name),
      m_arguments(arguments ? FDO_SAFE_ADDREF(arguments) : FdoExpressionCollection::Create()) {}

FdoFunction::~FdoFunction() { FDO_SAFE_RELEASE(m_arguments); }

FdoSubSelectExpression* FdoSubSelectExpression::Create() {
    return new FdoSubSelectExpression(nullptr, nullptr, nullptr);
}

FdoSubSelectExpression* FdoSubSelectExpression::Create(FdoIdentifier* className, FdoIdentifier* propertyName,
                                                       FdoFilter* filter) {
    return new FdoSubSelectExpression(className, propertyName, filter);
}

FdoSubSelectExpression::FdoSubSelectExpression(FdoIdentifier* className, FdoIdentifier* propertyName,
                                               FdoFilter* filter)
    : m_className(FDO_SAFE_ADDREF(className)),
      m_propertyName(FDO_SAFE_ADDREF(propertyName)),
      m_filter(FDO_SAFE_ADDREF(filter)) {}

FdoSubSelectExpression::~FdoSubSelectExpression() {
    FDO_SAFE_RELEASE(m_className);
    FDO_SAFE_RELEASE(m_propertyName);
    FDO_SAFE_RELEASE(m_filter);
}

void FdoSubSelectExpression::SetFeatureClassName(FdoIdentifier* value) { Replace(m_className, value); }
void FdoSubSelectExpression::SetPropertyName(FdoIdentifier* value) { Replace(m_propertyName, value); }
FdoFilter* FdoSubSelectExpression::GetFilter() { return FDO_SAFE_ADDREF(m_filter); }
void FdoSubSelectExpression::SetFilter(FdoFilter* value) { Replace(m_filter, value); }

void FdoExpression::Process(FdoIExpressionProcessor* p) {
    if (!p) throw FdoExpressionException::Create(L"An expression processor is required.");
    switch (GetExpressionType()) {
        case FdoExpressionItemType_Identifier: return p->ProcessIdentifier(*static_cast<FdoIdentifier*>(this));
        case FdoExpressionItemType_ComputedIdentifier:
            return p->ProcessComputedIdentifier(*static_cast<FdoComputedIdentifier*>(this));
        case FdoExpressionItemType_SubSelectExpression:
            return p->ProcessSubSelectExpression(*static_cast<FdoSubSelectExpression*>(this));
        case FdoExpressionItemType_Parameter: return p->ProcessParameter(*static_cast<FdoParameter*>(this));
        case FdoExpressionItemType_Function: return p->ProcessFunction(*static_cast<FdoFunction*>(this));
        case FdoExpressionItemType_BinaryExpression:
            return p->ProcessBinaryExpression(*static_cast<FdoBinaryExpression*>(this));
        case FdoExpressionItemType_UnaryExpression:
            return p->ProcessUnaryExpression(*static_cast<FdoUnaryExpression*>(this));
        case FdoExpressionItemType_GeometryValue:
            return p->ProcessGeometryValue(*static_cast<FdoGeometryValue*>(this));
        case FdoExpressionItemType_DataValue: break;
    }
    auto* v = static_cast<FdoDataValue*>(this);
    switch (v->GetDataType()) {
        case FdoDataType_Boolean: return p->ProcessBooleanValue(*static_cast<FdoBooleanValue*>(v));
        case FdoDataType_Byte: return p->ProcessByteValue(*static_cast<FdoByteValue*>(v));
        case FdoDataType_DateTime: return p->ProcessDateTimeValue(*static_cast<FdoDateTimeValue*>(v));
        case FdoDataType_Decimal: return p->ProcessDecimalValue(*static_cast<FdoDecimalValue*>(v));
        case FdoDataType_Double: return p->ProcessDoubleValue(*static_cast<FdoDoubleValue*>(v));
        case FdoDataType_Int16: return p->ProcessInt16Value(*static_cast<FdoInt16Value*>(v));
        case FdoDataType_Int32: return p->ProcessInt32Value(*static_cast<FdoInt32Value*>(v));
        case FdoDataType_Int64: return p->ProcessInt64Value(*static_cast<FdoInt64Value*>(v));
        case FdoDataType_Single: return p->ProcessSingleValue(*static_cast<FdoSingleValue*>(v));
        case FdoDataType_String: return p->ProcessStringValue(*static_cast<FdoStringValue*>(v));
        case FdoDataType_BLOB: return p->ProcessBLOBValue(*static_cast<FdoBLOBValue*>(v));
        case FdoDataType_CLOB: return p->ProcessCLOBValue(*static_cast<FdoCLOBValue*>(v));
    }
    throw FdoExpressionException::Create(L"Unknown data value type in expression processing.");
}
