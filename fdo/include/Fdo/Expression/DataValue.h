// FdoDataValue: a typed, possibly null, data value, and its collection.
//
// The static factories pick the concrete class (FdoInt32Value, FdoStringValue,
// ...) from the argument type. Create(type, src, ...) makes a converted copy;
// the conversion rules are listed at the top of DataValueConvert.cpp. The
// concrete classes are declared in DataValues.h and LOBValue.h, which this
// header brings in, so including DataValue.h is enough to use any of them.
#pragma once

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Collection.h>
#include <Fdo/Expression/Expression.h>

class FDO_API FdoDataValue : public FdoLiteralValue {
public:
    // A null value of the given type.
    static FdoDataValue* Create(FdoDataType dataType);
    static FdoDataValue* Create(bool value);
    static FdoDataValue* Create(FdoByte value);
    static FdoDataValue* Create(FdoDateTime value);
    // Decimal or Double only; any other type throws FdoExpressionException.
    static FdoDataValue* Create(double value, FdoDataType dataType);
    static FdoDataValue* Create(FdoInt16 value);
    static FdoDataValue* Create(FdoInt32 value);
    static FdoDataValue* Create(FdoInt64 value);
    static FdoDataValue* Create(float value);
    // A null pointer gives a null string value.
    static FdoDataValue* Create(FdoString* value);
    // BLOB or CLOB only.
    static FdoDataValue* Create(FdoByte* value, FdoInt32 length, FdoDataType dataType);
    static FdoDataValue* Create(FdoByteArray* value, FdoDataType dataType);
    // A copy of src converted to dataType. A value that cannot be converted
    // gives a null value when nullIfIncompatible, else FdoExpressionException.
    // shift allows rounding a fraction away when the target is an integer;
    // truncate clamps a value out of the target's range to its limit.
    static FdoDataValue* Create(FdoDataType dataType, FdoDataValue* src,
                                bool nullIfIncompatible = false, bool shift = true,
                                bool truncate = false);

    // Same type, both null, or both non-null with equal content.
    static bool Equals(FdoDataValue* a, FdoDataValue* b);

    virtual FdoDataType GetDataType() = 0;
    virtual bool IsNull() { return m_isNull; }
    virtual void SetNull() { m_isNull = true; }

    FdoExpressionItemType GetExpressionType() override { return FdoExpressionItemType_DataValue; }
    FdoLiteralValueType GetLiteralValueType() override { return FdoLiteralValueType_Data; }
    // FDO literal text; "NULL" for a null value.
    FdoString* ToString() override;

protected:
    FdoDataValue() = default;
    // The literal text of a non-null value.
    virtual FdoStringP ValueText() = 0;
    // Throws "<Type>Value is null." when null.
    void CheckNotNull(FdoString* className);

    bool m_isNull = true;
};

class FDO_API FdoDataValueCollection : public FdoCollection<FdoDataValue, FdoExpressionException> {
public:
    static FdoDataValueCollection* Create() { return new FdoDataValueCollection(); }

protected:
    FdoDataValueCollection() = default;
    void Dispose() override { delete this; }
};

#include <Fdo/Expression/DataValues.h>
#include <Fdo/Expression/LOBValue.h>
