// Finding one class in described schemas by name, and its geometry: the
// first steps of every copy, schema creation and read test. Internal to the
// engine.
#pragma once

#include "transfer/StoreAccess.h"  // DescribeAllSchemas

#include <Fdo.h>

namespace gxf {

// The classes that FDO's class search finds for the name (a plain or a
// schema-qualified name); new reference, never null.
FdoIDisposableCollection* FindClasses(FdoFeatureSchemaCollection* schemas, FdoString* className);

// The one class found for the name (new reference), or null when none or
// several match.
FdoClassDefinition* FindSingleClass(FdoFeatureSchemaCollection* schemas, FdoString* className);

// The main geometry property of a feature class (new reference), or null.
FdoGeometricPropertyDefinition* MainGeometryOf(FdoClassDefinition* classDef);

}  // namespace gxf
