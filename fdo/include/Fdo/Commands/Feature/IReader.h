// FdoIReader: forward-only access to rows of typed values, the base of the
// feature and data readers.
//
// Getters do not convert: the getter must match the value's type, and a
// getter on a null value throws, so callers test IsNull first. Strings are
// borrowed until the next ReadNext or Close. ReadNext must be called before
// the first row. The by-name getters are what a reader implements; the
// by-index getters default to them through GetPropertyName.
#pragma once

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Expression/LOBValue.h>

class FdoIStreamReader;
class FdoIRaster;

class FDO_API FdoIReader : public FdoIDisposable {
public:
    virtual bool GetBoolean(FdoString* name) = 0;
    virtual FdoByte GetByte(FdoString* name) = 0;
    virtual FdoDateTime GetDateTime(FdoString* name) = 0;
    virtual double GetDouble(FdoString* name) = 0;
    virtual FdoInt16 GetInt16(FdoString* name) = 0;
    virtual FdoInt32 GetInt32(FdoString* name) = 0;
    virtual FdoInt64 GetInt64(FdoString* name) = 0;
    virtual float GetSingle(FdoString* name) = 0;
    virtual FdoString* GetString(FdoString* name) = 0;
    // New references.
    virtual FdoLOBValue* GetLOB(FdoString* name) = 0;
    virtual FdoIStreamReader* GetLOBStreamReader(FdoString* name) = 0;
    virtual bool IsNull(FdoString* name) = 0;
    // FGF bytes; new reference.
    virtual FdoByteArray* GetGeometry(FdoString* name) = 0;
    virtual FdoIRaster* GetRaster(FdoString* name) = 0;

    // Borrowed; throws on a bad index.
    virtual FdoString* GetPropertyName(FdoInt32 index) = 0;
    // Throws when the reader has no such property.
    virtual FdoInt32 GetPropertyIndex(FdoString* name) = 0;

    virtual bool GetBoolean(FdoInt32 index) { return GetBoolean(GetPropertyName(index)); }
    virtual FdoByte GetByte(FdoInt32 index) { return GetByte(GetPropertyName(index)); }
    virtual FdoDateTime GetDateTime(FdoInt32 index) { return GetDateTime(GetPropertyName(index)); }
    virtual double GetDouble(FdoInt32 index) { return GetDouble(GetPropertyName(index)); }
    virtual FdoInt16 GetInt16(FdoInt32 index) { return GetInt16(GetPropertyName(index)); }
    virtual FdoInt32 GetInt32(FdoInt32 index) { return GetInt32(GetPropertyName(index)); }
    virtual FdoInt64 GetInt64(FdoInt32 index) { return GetInt64(GetPropertyName(index)); }
    virtual float GetSingle(FdoInt32 index) { return GetSingle(GetPropertyName(index)); }
    virtual FdoString* GetString(FdoInt32 index) { return GetString(GetPropertyName(index)); }
    virtual FdoLOBValue* GetLOB(FdoInt32 index) { return GetLOB(GetPropertyName(index)); }
    virtual FdoIStreamReader* GetLOBStreamReader(FdoInt32 index) {
        return GetLOBStreamReader(GetPropertyName(index));
    }
    virtual bool IsNull(FdoInt32 index) { return IsNull(GetPropertyName(index)); }
    virtual FdoByteArray* GetGeometry(FdoInt32 index) { return GetGeometry(GetPropertyName(index)); }
    virtual FdoIRaster* GetRaster(FdoInt32 index) { return GetRaster(GetPropertyName(index)); }

    virtual bool ReadNext() = 0;
    virtual void Close() = 0;
};
