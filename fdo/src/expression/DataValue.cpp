// FdoDataValue factories, literal text and comparison, and the accessors of
// the concrete value classes. Conversions live in DataValueConvert.cpp.
#include <Fdo/Expression/DataValue.h>

#include "expression/LiteralText.h"

#include <cstring>

FdoString* FdoDataValue::ToString() {
    m_toString = IsNull() ? FdoStringP(L"NULL") : ValueText();
    return m_toString;
}

void FdoDataValue::CheckNotNull(FdoString* className) {
    if (IsNull())
        throw FdoExpressionException::Create(FdoStringP::Format(L"%lsValue is null.", className));
}

FdoDataValue* FdoDataValue::Create(FdoDataType dataType) {
    switch (dataType) {
        case FdoDataType_Boolean: return FdoBooleanValue::Create();
        case FdoDataType_Byte: return FdoByteValue::Create();
        case FdoDataType_DateTime: return FdoDateTimeValue::Create();
        case FdoDataType_Decimal: return FdoDecimalValue::Create();
        case FdoDataType_Double: return FdoDoubleValue::Create();
        case FdoDataType_Int16: return FdoInt16Value::Create();
        case FdoDataType_Int32: return FdoInt32Value::Create();
        case FdoDataType_Int64: return FdoInt64Value::Create();
        case FdoDataType_Single: return FdoSingleValue::Create();
        case FdoDataType_String: return FdoStringValue::Create();
        case FdoDataType_BLOB: return FdoBLOBValue::Create();
        case FdoDataType_CLOB: return FdoCLOBValue::Create();
    }
    throw FdoExpressionException::Create(
        FdoStringP::Format(L"Invalid data type %d for a data value.", static_cast<int>(dataType)));
}

FdoDataValue* FdoDataValue::Create(bool value) { return FdoBooleanValue::Create(value); }
FdoDataValue* FdoDataValue::Create(FdoByte value) { return FdoByteValue::Create(value); }
FdoDataValue* FdoDataValue::Create(FdoDateTime value) { return FdoDateTimeValue::Create(value); }
FdoDataValue* FdoDataValue::Create(FdoInt16 value) { return FdoInt16Value::Create(value); }
FdoDataValue* FdoDataValue::Create(FdoInt32 value) { return FdoInt32Value::Create(value); }
FdoDataValue* FdoDataValue::Create(FdoInt64 value) { return FdoInt64Value::Create(value); }
FdoDataValue* FdoDataValue::Create(float value) { return FdoSingleValue::Create(value); }
FdoDataValue* FdoDataValue::Create(FdoString* value) { return FdoStringValue::Create(value); }

FdoDataValue* FdoDataValue::Create(double value, FdoDataType dataType) {
    if (dataType == FdoDataType_Decimal) return FdoDecimalValue::Create(value);
    if (dataType == FdoDataType_Double) return FdoDoubleValue::Create(value);
    throw FdoExpressionException::Create(
        FdoStringP::Format(L"A double value cannot be created as data type %ls; use Decimal or Double.",
                           FdoLiteralText::DataTypeName(dataType)));
}

FdoDataValue* FdoDataValue::Create(FdoByteArray* value, FdoDataType dataType) {
    if (dataType == FdoDataType_BLOB) return FdoBLOBValue::Create(value);
    if (dataType == FdoDataType_CLOB) return FdoCLOBValue::Create(value);
    throw FdoExpressionException::Create(
        FdoStringP::Format(L"A byte array value cannot be created as data type %ls; use BLOB or CLOB.",
                           FdoLiteralText::DataTypeName(dataType)));
}

FdoDataValue* FdoDataValue::Create(FdoByte* value, FdoInt32 length, FdoDataType dataType) {
    if (length < 0 || (!value && length > 0))
        throw FdoExpressionException::Create(
            FdoStringP::Format(L"Invalid byte buffer (length %d) for a LOB value.", length));
    FdoPtr<FdoByteArray> bytes = value ? FdoByteArray::Create(value, length) : nullptr;
    return Create(bytes, dataType);
}

bool FdoDataValue::Equals(FdoDataValue* a, FdoDataValue* b) {
    if (!a || !b) return a == b;
    if (a->GetDataType() != b->GetDataType()) return false;
    if (a->IsNull() || b->IsNull()) return a->IsNull() && b->IsNull();
    switch (a->GetDataType()) {
        case FdoDataType_Boolean:
            return static_cast<FdoBooleanValue*>(a)->GetBoolean() == static_cast<FdoBooleanValue*>(b)->GetBoolean();
        case FdoDataType_Byte:
            return static_cast<FdoByteValue*>(a)->GetByte() == static_cast<FdoByteValue*>(b)->GetByte();
        case FdoDataType_DateTime:
            return static_cast<FdoDateTimeValue*>(a)->GetDateTime() == static_cast<FdoDateTimeValue*>(b)->GetDateTime();
        case FdoDataType_Decimal:
            return static_cast<FdoDecimalValue*>(a)->GetDecimal() == static_cast<FdoDecimalValue*>(b)->GetDecimal();
        case FdoDataType_Double:
            return static_cast<FdoDoubleValue*>(a)->GetDouble() == static_cast<FdoDoubleValue*>(b)->GetDouble();
        case FdoDataType_Int16:
            return static_cast<FdoInt16Value*>(a)->GetInt16() == static_cast<FdoInt16Value*>(b)->GetInt16();
        case FdoDataType_Int32:
            return static_cast<FdoInt32Value*>(a)->GetInt32() == static_cast<FdoInt32Value*>(b)->GetInt32();
        case FdoDataType_Int64:
            return static_cast<FdoInt64Value*>(a)->GetInt64() == static_cast<FdoInt64Value*>(b)->GetInt64();
        case FdoDataType_Single:
            return static_cast<FdoSingleValue*>(a)->GetSingle() == static_cast<FdoSingleValue*>(b)->GetSingle();
        case FdoDataType_String:
            return wcscmp(static_cast<FdoStringValue*>(a)->GetString(), static_cast<FdoStringValue*>(b)->GetString()) == 0;
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: {
            FdoPtr<FdoByteArray> x = static_cast<FdoLOBValue*>(a)->GetData();
            FdoPtr<FdoByteArray> y = static_cast<FdoLOBValue*>(b)->GetData();
            return x->GetCount() == y->GetCount() &&
                   (x->GetCount() == 0 || memcmp(x->GetData(), y->GetData(), static_cast<size_t>(x->GetCount())) == 0);
        }
    }
    return false;
}

// Accessors and literal text of the scalar values.

bool FdoBooleanValue::GetBoolean() { CheckNotNull(L"Boolean"); return m_value; }
FdoStringP FdoBooleanValue::ValueText() { return m_value ? L"TRUE" : L"FALSE"; }

FdoByte FdoByteValue::GetByte() { CheckNotNull(L"Byte"); return m_value; }
FdoStringP FdoByteValue::ValueText() { return FdoStringP::Format(L"%u", static_cast<unsigned>(m_value)); }

FdoDateTime FdoDateTimeValue::GetDateTime() { CheckNotNull(L"DateTime"); return m_value; }
FdoStringP FdoDateTimeValue::ValueText() { return FdoLiteralText::FormatDateTimeLiteral(m_value); }

double FdoDecimalValue::GetDecimal() { CheckNotNull(L"Decimal"); return m_value; }
FdoStringP FdoDecimalValue::ValueText() { return FdoLiteralText::FormatNumber(m_value, 15); }

double FdoDoubleValue::GetDouble() { CheckNotNull(L"Double"); return m_value; }
FdoStringP FdoDoubleValue::ValueText() { return FdoLiteralText::FormatNumber(m_value, 15); }

FdoInt16 FdoInt16Value::GetInt16() { CheckNotNull(L"Int16"); return m_value; }
FdoStringP FdoInt16Value::ValueText() { return FdoStringP::Format(L"%d", static_cast<int>(m_value)); }

FdoInt32 FdoInt32Value::GetInt32() { CheckNotNull(L"Int32"); return m_value; }
FdoStringP FdoInt32Value::ValueText() { return FdoStringP::Format(L"%d", m_value); }

FdoInt64 FdoInt64Value::GetInt64() { CheckNotNull(L"Int64"); return m_value; }
FdoStringP FdoInt64Value::ValueText() { return FdoStringP::Format(L"%lld", static_cast<long long>(m_value)); }

float FdoSingleValue::GetSingle() { CheckNotNull(L"Single"); return m_value; }
FdoStringP FdoSingleValue::ValueText() { return FdoLiteralText::FormatNumber(m_value, 6); }

FdoStringValue* FdoStringValue::Create(FdoString* value) {
    FdoStringValue* v = new FdoStringValue();
    v->SetString(value);
    return v;
}

FdoString* FdoStringValue::GetString() { CheckNotNull(L"String"); return m_value; }

void FdoStringValue::SetString(FdoString* value) {
    m_value = value;
    m_isNull = value == nullptr;
}

void FdoStringValue::SetNull() {
    m_value = FdoStringP();
    m_isNull = true;
}

FdoStringP FdoStringValue::ValueText() { return FdoLiteralText::Quote(m_value, L'\''); }

// LOB values: the value is null exactly when it holds no byte array.

FdoLOBValue::~FdoLOBValue() { FDO_SAFE_RELEASE(m_data); }

FdoByteArray* FdoLOBValue::GetData() {
    CheckNotNull(GetDataType() == FdoDataType_CLOB ? L"CLOB" : L"BLOB");
    return FDO_SAFE_ADDREF(m_data);
}

void FdoLOBValue::SetData(FdoByteArray* value) {
    FDO_SAFE_ADDREF(value);
    FDO_SAFE_RELEASE(m_data);
    m_data = value;
    m_isNull = value == nullptr;
}

void FdoLOBValue::SetNull() { SetData(nullptr); }

FdoStringP FdoLOBValue::ValueText() {
    // A CLOB prints as the string its UTF-8 bytes spell; a BLOB as a hex
    // literal of its bytes.
    if (GetDataType() == FdoDataType_CLOB) {
        std::string utf8(reinterpret_cast<const char*>(m_data->GetData()), static_cast<size_t>(m_data->GetCount()));
        return FdoLiteralText::Quote(FdoStringP(utf8.c_str()), L'\'');
    }
    std::wstring hex = L"X'";
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    for (FdoInt32 i = 0; i < m_data->GetCount(); i++) {
        FdoByte b = (*m_data)[i];
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return FdoStringP(hex + L"'");
}
