// FdoISQLDataReader: the rows of an SQL query. Unlike the feature readers it
// speaks of columns, which it describes itself. The same rules hold: no
// conversion between types, test IsNull before a getter, strings borrowed
// until the next ReadNext. The by-index getters default to the by-name ones
// through GetColumnName.
#pragma once

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Enums.h>
#include <Fdo/Expression/LOBValue.h>

class FDO_API FdoISQLDataReader : public FdoIDisposable {
public:
    virtual FdoInt32 GetColumnCount() = 0;
    // Borrowed; throws on a bad index.
    virtual FdoString* GetColumnName(FdoInt32 index) = 0;
    // Throws when there is no such column.
    virtual FdoInt32 GetColumnIndex(FdoString* columnName) = 0;
    virtual FdoDataType GetColumnType(FdoString* columnName) = 0;
    // DataProperty or GeometricProperty.
    virtual FdoPropertyType GetPropertyType(FdoString* columnName) = 0;

    virtual bool GetBoolean(FdoString* columnName) = 0;
    virtual FdoByte GetByte(FdoString* columnName) = 0;
    virtual FdoDateTime GetDateTime(FdoString* columnName) = 0;
    virtual double GetDouble(FdoString* columnName) = 0;
    virtual FdoInt16 GetInt16(FdoString* columnName) = 0;
    virtual FdoInt32 GetInt32(FdoString* columnName) = 0;
    virtual FdoInt64 GetInt64(FdoString* columnName) = 0;
    virtual float GetSingle(FdoString* columnName) = 0;
    virtual FdoString* GetString(FdoString* columnName) = 0;
    // New references.
    virtual FdoLOBValue* GetLOB(FdoString* columnName) = 0;
    virtual bool IsNull(FdoString* columnName) = 0;
    virtual FdoByteArray* GetGeometry(FdoString* columnName) = 0;

    virtual FdoDataType GetColumnType(FdoInt32 index) { return GetColumnType(GetColumnName(index)); }
    virtual FdoPropertyType GetPropertyType(FdoInt32 index) { return GetPropertyType(GetColumnName(index)); }
    virtual bool GetBoolean(FdoInt32 index) { return GetBoolean(GetColumnName(index)); }
    virtual FdoByte GetByte(FdoInt32 index) { return GetByte(GetColumnName(index)); }
    virtual FdoDateTime GetDateTime(FdoInt32 index) { return GetDateTime(GetColumnName(index)); }
    virtual double GetDouble(FdoInt32 index) { return GetDouble(GetColumnName(index)); }
    virtual FdoInt16 GetInt16(FdoInt32 index) { return GetInt16(GetColumnName(index)); }
    virtual FdoInt32 GetInt32(FdoInt32 index) { return GetInt32(GetColumnName(index)); }
    virtual FdoInt64 GetInt64(FdoInt32 index) { return GetInt64(GetColumnName(index)); }
    virtual float GetSingle(FdoInt32 index) { return GetSingle(GetColumnName(index)); }
    virtual FdoString* GetString(FdoInt32 index) { return GetString(GetColumnName(index)); }
    virtual FdoLOBValue* GetLOB(FdoInt32 index) { return GetLOB(GetColumnName(index)); }
    virtual bool IsNull(FdoInt32 index) { return IsNull(GetColumnName(index)); }
    virtual FdoByteArray* GetGeometry(FdoInt32 index) { return GetGeometry(GetColumnName(index)); }

    virtual bool ReadNext() = 0;
    virtual void Close() = 0;
};
