// The scalar data values: one class per FdoDataType except the LOBs.
//
// Create() gives a null value, Create(v) a set one. Getters on a null value
// throw FdoExpressionException "<Type>Value is null.", so callers test IsNull
// first, as with reader getters.
#pragma once

#include <Fdo/Expression/DataValue.h>

class FDO_API FdoBooleanValue : public FdoDataValue {
public:
    static FdoBooleanValue* Create() { return new FdoBooleanValue(); }
    static FdoBooleanValue* Create(bool value) { return new FdoBooleanValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_Boolean; }
    bool GetBoolean();
    void SetBoolean(bool value) { m_value = value; m_isNull = false; }

protected:
    FdoBooleanValue() = default;
    explicit FdoBooleanValue(bool v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    bool m_value = false;
};

class FDO_API FdoByteValue : public FdoDataValue {
public:
    static FdoByteValue* Create() { return new FdoByteValue(); }
    static FdoByteValue* Create(FdoByte value) { return new FdoByteValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_Byte; }
    FdoByte GetByte();
    void SetByte(FdoByte value) { m_value = value; m_isNull = false; }

protected:
    FdoByteValue() = default;
    explicit FdoByteValue(FdoByte v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    FdoByte m_value = 0;
};

class FDO_API FdoDateTimeValue : public FdoDataValue {
public:
    static FdoDateTimeValue* Create() { return new FdoDateTimeValue(); }
    static FdoDateTimeValue* Create(FdoDateTime value) { return new FdoDateTimeValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_DateTime; }
    FdoDateTime GetDateTime();
    void SetDateTime(FdoDateTime value) { m_value = value; m_isNull = false; }

protected:
    FdoDateTimeValue() = default;
    explicit FdoDateTimeValue(FdoDateTime v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    FdoDateTime m_value;
};

// Decimal values are held as doubles.
class FDO_API FdoDecimalValue : public FdoDataValue {
public:
    static FdoDecimalValue* Create() { return new FdoDecimalValue(); }
    static FdoDecimalValue* Create(double value) { return new FdoDecimalValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_Decimal; }
    double GetDecimal();
    void SetDecimal(double value) { m_value = value; m_isNull = false; }

protected:
    FdoDecimalValue() = default;
    explicit FdoDecimalValue(double v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    double m_value = 0.0;
};

class FDO_API FdoDoubleValue : public FdoDataValue {
public:
    static FdoDoubleValue* Create() { return new FdoDoubleValue(); }
    static FdoDoubleValue* Create(double value) { return new FdoDoubleValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_Double; }
    double GetDouble();
    void SetDouble(double value) { m_value = value; m_isNull = false; }

protected:
    FdoDoubleValue() = default;
    explicit FdoDoubleValue(double v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    double m_value = 0.0;
};

class FDO_API FdoInt16Value : public FdoDataValue {
public:
    static FdoInt16Value* Create() { return new FdoInt16Value(); }
    static FdoInt16Value* Create(FdoInt16 value) { return new FdoInt16Value(value); }
    FdoDataType GetDataType() override { return FdoDataType_Int16; }
    FdoInt16 GetInt16();
    void SetInt16(FdoInt16 value) { m_value = value; m_isNull = false; }

protected:
    FdoInt16Value() = default;
    explicit FdoInt16Value(FdoInt16 v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    FdoInt16 m_value = 0;
};

class FDO_API FdoInt32Value : public FdoDataValue {
public:
    static FdoInt32Value* Create() { return new FdoInt32Value(); }
    static FdoInt32Value* Create(FdoInt32 value) { return new FdoInt32Value(value); }
    FdoDataType GetDataType() override { return FdoDataType_Int32; }
    FdoInt32 GetInt32();
    void SetInt32(FdoInt32 value) { m_value = value; m_isNull = false; }

protected:
    FdoInt32Value() = default;
    explicit FdoInt32Value(FdoInt32 v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    FdoInt32 m_value = 0;
};

class FDO_API FdoInt64Value : public FdoDataValue {
public:
    static FdoInt64Value* Create() { return new FdoInt64Value(); }
    static FdoInt64Value* Create(FdoInt64 value) { return new FdoInt64Value(value); }
    FdoDataType GetDataType() override { return FdoDataType_Int64; }
    FdoInt64 GetInt64();
    void SetInt64(FdoInt64 value) { m_value = value; m_isNull = false; }

protected:
    FdoInt64Value() = default;
    explicit FdoInt64Value(FdoInt64 v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    FdoInt64 m_value = 0;
};

class FDO_API FdoSingleValue : public FdoDataValue {
public:
    static FdoSingleValue* Create() { return new FdoSingleValue(); }
    static FdoSingleValue* Create(float value) { return new FdoSingleValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_Single; }
    float GetSingle();
    void SetSingle(float value) { m_value = value; m_isNull = false; }

protected:
    FdoSingleValue() = default;
    explicit FdoSingleValue(float v) : m_value(v) { m_isNull = false; }
    FdoStringP ValueText() override;
    float m_value = 0.0f;
};

class FDO_API FdoStringValue : public FdoDataValue {
public:
    static FdoStringValue* Create() { return new FdoStringValue(); }
    // A null pointer gives a null value.
    static FdoStringValue* Create(FdoString* value);
    FdoDataType GetDataType() override { return FdoDataType_String; }
    // Borrowed; valid until the value changes.
    FdoString* GetString();
    // A null pointer makes the value null.
    void SetString(FdoString* value);
    void SetNull() override;

protected:
    FdoStringValue() = default;
    FdoStringP ValueText() override;
    FdoStringP m_value;
};
