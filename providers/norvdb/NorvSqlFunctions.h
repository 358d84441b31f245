// NorvSqlFunctions: the SQL functions and table function that give the
// store the spatial vocabulary of the emulated databases.
//
//   SDO_DIM_ELEMENT(name, lb, ub, tol), SDO_DIM_ARRAY(e, ...)
//       dimension arrays, stored as JSON text [["X",-180,180,0.05],...];
//   NORV_DIM_ELEMENTS(diminfo)
//       table function, one row per element: SDO_DIMNAME, SDO_LB, SDO_UB,
//       SDO_TOLERANCE (what TABLE(select diminfo ...) is rewritten to);
//   SDO_GEOMETRY(wkt, srid), SDO_GEOMETRY(gtype, srid, SDO_POINT_TYPE(x, y, z), NULL, NULL)
//       geometry constructors; ST_GEOMFROMTEXT(wkt, srid) for the others;
//   NORV_SDO_SRID(g), NORV_SDO_GTYPE(g)   what g.SDO_SRID / g.SDO_GTYPE read;
//   SDO_AGGR_MBR(g)                        aggregate: the bounding rectangle
//                                          as a polygon (XY, or XYZ when any
//                                          geometry has Z), with the SRID of
//                                          the first geometry;
//   NORV_MINX/MINY/MAXX/MAXY(g)            bounds, for the R-tree triggers;
//   UPPER(text)                            upper case beyond ASCII;
//   NVL(a, b);  NORV_TYPE_NAME / _LENGTH / _PRECISION / _SCALE(decltype)
//       the parts of a declared column type, for the dictionary views.
#pragma once

#include <sqlite3.h>

namespace norvdb {

// Throws SqliteError when a function cannot be registered.
void RegisterSqlFunctions(sqlite3* db);

}  // namespace norvdb
