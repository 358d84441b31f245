// FdoCommonEnumNames: the names of FDO enumeration values, written once.
//
// A name is FDO's enumerator name without its type prefix ("Int32",
// "MultiPolygon"). Messages, geometry text errors, provider errors and the
// engine's display names all read them from here so that they cannot drift
// apart. Lookups by name ignore letter case and nothing else.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/Std.h>

class FDO_API FdoCommonEnumNames {
public:
    // Null for a value outside the enumeration; callers choose their own
    // text for that case.
    static FdoString* DataType(FdoDataType type);
    // FdoGeometryType_None is "None".
    static FdoString* GeometryType(FdoGeometryType type);

    // False (and value unchanged) when name is null or names no value.
    // "None" is no geometry type here: a list of types never holds it.
    static bool ParseDataType(FdoString* name, FdoDataType& value);
    static bool ParseGeometryType(FdoString* name, FdoGeometryType& value);
};
