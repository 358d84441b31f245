// Value conversion between OGR features and FDO values.
//
// Reading converts a field to the FDO type its property declares, whatever
// OGR type holds it (shape files keep Int16..Int64 in numeric fields of
// several OGR types, and logical fields as one-character text). Writing
// converts the FDO value to the property's type first, without rounding or
// clamping, then stores it in whatever OGR type the field has. Geometries
// cross as bytes: OGR exports ISO WKB and fdo's converter turns it into FGF,
// into buffers the caller reuses from row to row.
#pragma once

#include <ogrcore/OgrClassMap.h>

namespace ogrcore {

// Whether the bound value of the feature is null (geometry: no geometry).
bool IsNullValue(OGRFeatureH feature, const PropertyBinding& binding, FdoInt64 fidOffset);

// The value of a data or identity property as its FDO type (new
// reference; a null value of that type when unset).
FdoDataValue* ReadDataValue(OGRFeatureH feature, const PropertyBinding& binding, FdoInt64 fidOffset);

// Typed reads of a non-null field; out-of-range numbers throw
// FdoCommandException naming the property.
FdoInt64 ReadInteger(OGRFeatureH feature, const PropertyBinding& binding, FdoInt64 fidOffset);
double ReadReal(OGRFeatureH feature, const PropertyBinding& binding);
bool ReadBoolean(OGRFeatureH feature, const PropertyBinding& binding);
FdoDateTime ReadDateTime(OGRFeatureH feature, const PropertyBinding& binding);

// Text of logical fields: Y y T t 1 are true, N n F f 0 false; anything else is null.
int LogicalFromText(const char* text);  // 1, 0, or -1 for null

// FGF of the feature's geometry into fgf; false when it has none.
bool ReadGeometry(OGRFeatureH feature, int geometryField, std::vector<FdoByte>& wkbScratch,
                          std::vector<FdoByte>& fgf);
// FGF of an OGR geometry.
void GeometryToFgf(OGRGeometryH geometry, std::vector<FdoByte>& wkbScratch, std::vector<FdoByte>& fgf);
// A new OGR geometry from FGF; bad bytes throw FdoException.
GeometryPtr GeometryFromFgf(const FdoByte* fgf, FdoInt32 count, std::vector<FdoByte>& wkbScratch);

// Stores value (null allowed) in the bound field of feature. A value that
// cannot become the property's type throws FdoCommandException naming the
// property and both types.
void WriteDataValue(OGRFeatureH feature, const PropertyBinding& binding, FdoDataValue* value);

// "Int32", "String", ... as FDO names its data types.
FdoString* DataTypeName(FdoDataType type);
// "Point", "MultiCurvePolygon", ... as FDO names its geometry types.
FdoString* GeometryTypeName(FdoGeometryType type);

// The OGR geometry type of a layer for a geometric property: the one type
// its specific geometry types name, or wkbUnknown when they name several,
// with Z and M as the property says. allKinds: MultiGeometry and the curve
// kinds map too (to GeometryCollection, CompoundCurve, CurvePolygon,
// MultiCurve, MultiSurface); otherwise only the point, line and polygon
// kinds do, and the others give wkbUnknown.
OGRwkbGeometryType LayerGeometryType(FdoGeometricPropertyDefinition* geometry, bool allKinds);

}  // namespace ogrcore
