// FdoFeatureSchema: a named set of classes, the unit that providers
// describe and apply. The schema is where change tracking is driven from:
// AcceptChanges makes the current state the saved one, RejectChanges goes
// back to it.
#pragma once

#include <Fdo/Schema/ClassDefinition.h>

class FDO_API FdoFeatureSchema : public FdoSchemaElement {
public:
    static FdoFeatureSchema* Create();
    static FdoFeatureSchema* Create(FdoString* name, FdoString* description);

    // New reference; the schema owns its classes.
    FdoClassCollection* GetClasses();

    FdoStringP GetQualifiedName() override;

    // Drops deleted elements, marks everything Unchanged and remembers the
    // values; a deleted schema also leaves its schema collection.
    void AcceptChanges();
    // Restores the values remembered by the last AcceptChanges. A schema
    // that never accepted changes has nothing to go back to and is left as is.
    void RejectChanges();

protected:
    FdoFeatureSchema(FdoString* name, FdoString* description);
    ~FdoFeatureSchema() override;

    void AcceptChildChanges() override;
    void RejectChildChanges() override;

private:
    FdoClassCollection* m_classes;
};

typedef FdoPtr<FdoFeatureSchema> FdoFeatureSchemaP;
