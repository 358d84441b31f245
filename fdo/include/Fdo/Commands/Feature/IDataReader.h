// FdoIDataReader: the rows of an aggregate select, which are computed values
// rather than features, so the reader describes its own columns.
#pragma once

#include <Fdo/Commands/Feature/IReader.h>
#include <Fdo/Common/Enums.h>

class FDO_API FdoIDataReader : public FdoIReader {
public:
    virtual FdoInt32 GetPropertyCount() = 0;
    virtual FdoDataType GetDataType(FdoString* name) = 0;
    virtual FdoPropertyType GetPropertyType(FdoString* name) = 0;

    virtual FdoDataType GetDataType(FdoInt32 index) { return GetDataType(GetPropertyName(index)); }
    virtual FdoPropertyType GetPropertyType(FdoInt32 index) {
        return GetPropertyType(GetPropertyName(index));
    }
};
