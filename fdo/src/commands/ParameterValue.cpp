// Parameter value setters.
#include <Fdo/Commands/ParameterValue.h>
#include <Fdo/Expression/DataValue.h>

void FdoParameterValue::SetValue(FdoLiteralValue* value) {
    FDO_SAFE_ADDREF(value);
    FDO_SAFE_RELEASE(m_value);
    m_value = value;
}

void FdoParameterValue::SetValue(FdoString* value) {
    FdoPtr<FdoStringValue> v = FdoStringValue::Create(value);
    SetValue(v.p);
}
