// The GeoPackage column behind each FDO type.
//
//   Boolean   BOOLEAN     Int32     MEDIUMINT    Double    REAL
//   Byte      SMALLINT    Int64     INTEGER      Decimal   REAL
//   Int16     SMALLINT    Single    FLOAT        String    TEXT(length)
//   DateTime  TEXT (ISO 8601, see SdfDateTimeText.h)
//   BLOB      BLOB        CLOB      BLOB
//
// Every value reads back bit for bit: Byte needs SMALLINT because
// GeoPackage's TINYINT is signed; a Decimal value is an IEEE double in FDO,
// which REAL holds exactly (precision and scale live in the schema table);
// CLOB bytes go to a BLOB column because a TEXT column would lose embedded
// NUL bytes and text that is not UTF-8. Geometry columns get the one
// geometry type the property allows, or GEOMETRY when it allows several,
// with Z and M as the property says.
#pragma once

#include <Fdo.h>

#include <ogr_core.h>

namespace sdf {

struct SdfColumnType {
    OGRFieldType type;
    OGRFieldSubType subType;
    int width;
};

struct SdfTypeMap {
    static SdfColumnType Column(FdoDataPropertyDefinition* property);
    static OGRwkbGeometryType Geometry(FdoGeometricPropertyDefinition* property);
};

}  // namespace sdf
