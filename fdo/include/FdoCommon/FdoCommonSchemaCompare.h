// Structural comparison of two schema collections.
//
// Used to check that a schema survived a trip through a file or a store.
// Schemas, classes and properties are matched by name (order is not
// compared, since copies may reorder properties), identity lists in order.
// The result names the first difference by its element path, e.g.
// "Default:Parcel.Name: length 50 != 40"; it is empty when the two agree.
// Element states, root-class base properties and capabilities missing on
// one side are not compared.
#pragma once

#include <Fdo/Schema/FeatureSchemaCollection.h>

class FDO_API FdoCommonSchemaCompare {
public:
    static FdoStringP Compare(FdoFeatureSchemaCollection* expected, FdoFeatureSchemaCollection* actual);
    static FdoStringP CompareSchemas(FdoFeatureSchema* expected, FdoFeatureSchema* actual);
    static FdoStringP CompareClasses(FdoClassDefinition* expected, FdoClassDefinition* actual);
    static FdoStringP CompareProperties(FdoPropertyDefinition* expected, FdoPropertyDefinition* actual);
};
