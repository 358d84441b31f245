// SdfSchemaMerge: what ApplySchema does to the stored schema and tables.
//
// The work is split in two so that nothing touches the file before every
// check has passed. First the applied schema is merged, by name, into a
// copy of the stored one (element states decide, or, with ignore-states,
// the merge is additive). Then the layouts of the old and new classes are
// compared, which gives the table changes: new concrete classes get tables,
// vanished ones lose them, and columns follow the data properties - also
// the inherited ones, since inheritance is flattened into each table.
// Changes a table cannot follow (a new data type, identity, base class or
// geometry column for an existing class) are refused.
#pragma once

#include "SdfClassLayout.h"

#include <Fdo.h>

#include <vector>

namespace sdf {

struct SdfSchemaPlan {
    // The schema to store (all Unchanged), or null when the schema was deleted.
    FdoPtr<FdoFeatureSchema> schema;
    std::vector<FdoStringP> dropTables;
    std::vector<SdfClassLayout> createTables;
    struct Column {
        FdoStringP table;
        FdoPtr<FdoDataPropertyDefinition> property;
    };
    std::vector<Column> addColumns;
    std::vector<std::pair<FdoStringP, FdoStringP>> dropColumns;  // table, column
};

struct SdfSchemaMerge {
    // stored may be null (a file without schema). contexts: the file's
    // spatial context names. An unnamed applied schema merges its classes
    // into the stored one, leaving its name and description; on a file
    // without schema it stores nothing when it has no classes and is
    // refused when it has some. Throws FdoSchemaException; changes nothing.
    static SdfSchemaPlan Plan(FdoFeatureSchema* stored, FdoFeatureSchema* applied, bool ignoreStates,
                              const std::vector<FdoStringP>& contexts);
};

}  // namespace sdf
