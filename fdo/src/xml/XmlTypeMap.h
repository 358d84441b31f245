// The vocabulary shared by the schema XML reader and writer: data types,
// geometry type tokens and the plain GML geometry types.
//
// Kept as tables in one place so that the writer can only emit what the
// reader maps back; the reader additionally accepts the legacy names.
#pragma once

#include "xml/XmlDom.h"

#include <Fdo/Common/Enums.h>

#include <vector>

namespace FdoXmlTypeMap {

enum class DataTypeLookup { Mapped, Unmapped, NotSimple };

// Data type of a simple type named in the xs or fdo namespace. NotSimple for
// names outside those namespaces (class types, GML types, user simple types).
DataTypeLookup DataTypeFromXml(FdoXmlDom::Ns ns, FdoString* localName, FdoDataType& out);
// The written base, prefixed with xs: or fdo:.
FdoStringP DataTypeToXml(FdoDataType type);

// fdo:geometricTypes: "point curve surface solid" tokens <-> mask. Returns
// false on an unknown token (named in badToken).
bool GeometricTypesFromTokens(FdoString* text, int& mask, FdoStringP& badToken);
// Each token followed by a space.
FdoStringP GeometricTypesToTokens(int mask);

// fdo:geometryTypes tokens <-> specific geometry types.
bool GeometryTypesFromTokens(FdoString* text, std::vector<FdoGeometryType>& out, FdoStringP& badToken);
// In the fixed token order, each followed by a space.
FdoStringP GeometryTypesToTokens(const FdoGeometryType* types, int count);

// A plain GML geometry or geometry property type (PointPropertyType,
// MultiSurfaceType, ...) or geometry element (Point, _Geometry, ...). The
// mask is always set; specific is empty when every type is allowed.
bool GmlGeometry(FdoString* localName, int& mask, std::vector<FdoGeometryType>& specific);

// The specific types FDO derives from a geometric type mask.
std::vector<FdoGeometryType> TypesForMask(int mask);

}  // namespace FdoXmlTypeMap
