// FdoIFeatureReader: the rows of a select or an insert, with the class
// definition that describes them. The pointer form of GetGeometry avoids a
// copy per row: the bytes are borrowed until the next ReadNext or Close.
#pragma once

#include <Fdo/Commands/Feature/IReader.h>
#include <Fdo/Schema/ClassDefinition.h>

class FDO_API FdoIFeatureReader : public FdoIReader {
public:
    // New reference to the class of the current row.
    virtual FdoClassDefinition* GetClassDefinition() = 0;
    // 0 for top-level features, deeper for object property readers.
    virtual FdoInt32 GetDepth() = 0;

    using FdoIReader::GetGeometry;
    virtual const FdoByte* GetGeometry(FdoString* name, FdoInt32* count) = 0;
    virtual const FdoByte* GetGeometry(FdoInt32 index, FdoInt32* count) {
        return GetGeometry(GetPropertyName(index), count);
    }

    // The rows of an object property; new reference.
    virtual FdoIFeatureReader* GetFeatureObject(FdoString* name) = 0;
    virtual FdoIFeatureReader* GetFeatureObject(FdoInt32 index) {
        return GetFeatureObject(GetPropertyName(index));
    }
};
