// The one conversion of a source data value to a destination data type.
//
// Every copy path (class copy, copy task runner, read test, data viewer)
// reads data properties through here, so that a value of one provider's type
// lands in another provider's type the same way everywhere. The reader's
// getters never convert, so the getter is chosen from the source type alone
// and the value is then converted here, by a fixed matrix:
//   - a null source gives a null value of the destination type, for any pair;
//   - DateTime, String, BLOB and CLOB only go to their own type; to any other
//     type they give no value (null pointer) and the caller writes nothing;
//   - numbers widen, truncate toward zero or keep their low bits;
//   - every other pair is a conversion error naming both types.
// A floating value that does not fit the integer it is truncated to (or is
// not a number) is refused with the conversion error rather than turned into
// an arbitrary integer.
//
// The same matrix reads a property by name (the public entry point) or by
// its position in the reader (the insert loop, which binds each property to
// its position once per class and so never looks a name up per value).
#include "transfer/ValueConversion.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <cmath>
#include <cstdint>

namespace {

// Names used in the conversion error message only.
FdoString* DataTypeMessageName(FdoDataType type) {
    switch (type) {
        case FdoDataType_Boolean: return L"FdoDataType_Boolean";
        case FdoDataType_Byte: return L"FdoDataType_Byte";
        case FdoDataType_DateTime: return L"FdoDataType_DateTime";
        case FdoDataType_Decimal: return L"FdoDataType_Decimal";
        case FdoDataType_Double: return L"FdoDataType_Double";
        case FdoDataType_Int16: return L"FdoDataType_Int16";
        case FdoDataType_Int32: return L"FdoDataType_Int32";
        case FdoDataType_Int64: return L"FdoDataType_Int64";
        case FdoDataType_Single: return L"FdoDataType_Single";
        case FdoDataType_String: return L"FdoDataType_String";
        case FdoDataType_BLOB: return L"FdoDataType_BLOB";
        case FdoDataType_CLOB: return L"FdoDataType_CLOB";
    }
    return L"Unknown FdoDataType";
}

[[noreturn]] void ThrowCannotConvert(FdoDataType from, FdoDataType to) {
    throw FdoException::Create(FdoStringP::Format(L"Unable to convert data value from %ls to %ls",
                                                  DataTypeMessageName(from), DataTypeMessageName(to)));
}

bool IsKnownType(int type) { return type >= FdoDataType_Boolean && type <= FdoDataType_CLOB; }

// An integer value of the destination type from a 64-bit integer, keeping the
// low bits when the destination is narrower. Null when the destination is
// not an integer type.
FdoDataValue* IntegerValue(FdoInt64 value, FdoDataType to) {
    switch (to) {
        case FdoDataType_Int16: return FdoDataValue::Create(static_cast<FdoInt16>(static_cast<std::uint16_t>(value)));
        case FdoDataType_Int32: return FdoDataValue::Create(static_cast<FdoInt32>(static_cast<std::uint32_t>(value)));
        case FdoDataType_Int64: return FdoDataValue::Create(value);
        default: return nullptr;
    }
}

// Truncation toward zero of a floating value into an integer destination.
// Int16 goes through a 32-bit integer first, whose low 16 bits it keeps.
FdoDataValue* TruncatedValue(double value, FdoDataType from, FdoDataType to) {
    const double t = std::trunc(value);
    if (to == FdoDataType_Int64) {
        // 2^63 is exactly representable; the range is [-2^63, 2^63).
        if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0)) ThrowCannotConvert(from, to);
        return FdoDataValue::Create(static_cast<FdoInt64>(t));
    }
    if (!(t >= -2147483648.0 && t <= 2147483647.0)) ThrowCannotConvert(from, to);
    return IntegerValue(static_cast<FdoInt32>(t), to);
}

bool IsIntegerType(FdoDataType t) {
    return t == FdoDataType_Int16 || t == FdoDataType_Int32 || t == FdoDataType_Int64;
}

template <class Key>
FdoDataValue* SameTypeValue(FdoIReader* reader, Key name, FdoDataType type) {
    switch (type) {
        case FdoDataType_Boolean: return FdoDataValue::Create(reader->GetBoolean(name));
        case FdoDataType_Byte: return FdoDataValue::Create(reader->GetByte(name));
        case FdoDataType_DateTime: return FdoDataValue::Create(reader->GetDateTime(name));
        case FdoDataType_Decimal:
        case FdoDataType_Double: return FdoDataValue::Create(reader->GetDouble(name), type);
        case FdoDataType_Int16: return FdoDataValue::Create(reader->GetInt16(name));
        case FdoDataType_Int32: return FdoDataValue::Create(reader->GetInt32(name));
        case FdoDataType_Int64: return FdoDataValue::Create(reader->GetInt64(name));
        case FdoDataType_Single: return FdoDataValue::Create(reader->GetSingle(name));
        case FdoDataType_String: return FdoDataValue::Create(reader->GetString(name));
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: return reader->GetLOB(name);
    }
    return nullptr;  // not reached: the type was checked by the caller
}

// A value of another type; null pointer for the pairs that give no value.
template <class Key>
FdoDataValue* ConvertedValue(FdoIReader* reader, Key name, FdoDataType from, FdoDataType to) {
    FdoDataValue* result = nullptr;
    switch (from) {
        case FdoDataType_DateTime:
        case FdoDataType_String:
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: return nullptr;  // absent, nothing read
        case FdoDataType_Boolean: {
            const bool v = reader->GetBoolean(name);
            if (to == FdoDataType_Byte) result = FdoDataValue::Create(static_cast<FdoByte>(v ? 1 : 0));
            else if (to == FdoDataType_String) result = FdoDataValue::Create(v ? L"1" : L"0");
            else result = IntegerValue(v ? 1 : 0, to);
            break;
        }
        case FdoDataType_Byte: {
            const FdoByte v = reader->GetByte(name);
            if (to == FdoDataType_Decimal || to == FdoDataType_Double) result = FdoDataValue::Create(double(v), to);
            else result = IntegerValue(v, to);
            break;
        }
        case FdoDataType_Decimal: {
            const double v = reader->GetDouble(name);
            if (to == FdoDataType_Double) result = FdoDataValue::Create(v, to);
            else if (IsIntegerType(to)) result = TruncatedValue(v, from, to);
            break;
        }
        case FdoDataType_Double: {
            const double v = reader->GetDouble(name);
            // Single goes through the double-and-type factory as well; what
            // the library makes of that type is passed on.
            if (to == FdoDataType_Decimal || to == FdoDataType_Single) result = FdoDataValue::Create(v, to);
            else if (IsIntegerType(to)) result = TruncatedValue(v, from, to);
            break;
        }
        case FdoDataType_Int16:
        case FdoDataType_Int32:
        case FdoDataType_Int64: {
            const FdoInt64 v = from == FdoDataType_Int16   ? reader->GetInt16(name)
                               : from == FdoDataType_Int32 ? reader->GetInt32(name)
                                                           : reader->GetInt64(name);
            if (to == FdoDataType_Decimal || to == FdoDataType_Double)
                result = FdoDataValue::Create(static_cast<double>(v), to);
            else result = IntegerValue(v, to);
            break;
        }
        case FdoDataType_Single: {
            const double v = reader->GetSingle(name);
            if (to == FdoDataType_Decimal || to == FdoDataType_Double) result = FdoDataValue::Create(v, to);
            else if (IsIntegerType(to)) result = TruncatedValue(v, from, to);
            break;
        }
    }
    if (!result) ThrowCannotConvert(from, to);
    return result;
}

template <class Key>
FdoDataValue* ReadValue(FdoIReader* reader, Key name, FdoDataType sourceType, FdoDataType destinationType) {
    if (reader->IsNull(name)) return FdoDataValue::Create(destinationType);
    if (!IsKnownType(sourceType))
        throw FdoException::Create(L"c_FDO_Api::ReaderGetDataPropertyValue Unknown FdoDataType!");
    if (sourceType == destinationType) return SameTypeValue(reader, name, sourceType);
    return ConvertedValue(reader, name, sourceType, destinationType);
}

}  // namespace

FdoDataValue* c_FDO_Api::ReaderGetDataPropertyValue(FdoIFeatureReader* reader, const wchar_t* propertyName,
                                                    FdoDataType sourceType, FdoDataType destinationType) {
    return ReadValue<FdoString*>(reader, propertyName, sourceType, destinationType);
}

namespace gxf {

FdoDataValue* ReadDataValueAt(FdoIReader* reader, FdoInt32 index, FdoDataType sourceType,
                              FdoDataType destinationType) {
    return ReadValue<FdoInt32>(reader, index, sourceType, destinationType);
}

}  // namespace gxf
