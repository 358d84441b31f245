// FdoFeatureSchemaCollection: the schemas of a data store.
//
// Unlike the other schema collections it does not re-parent its members or
// change their state: the same schema may be gathered into several result
// collections. It remembers itself as the schema's collection (the first
// one only) so that renames and the removal of a deleted schema reach it.
#pragma once

#include <Fdo/Common/Collection.h>
#include <Fdo/Schema/FeatureSchema.h>

class FDO_API FdoFeatureSchemaCollection : public FdoSchemaCollection<FdoFeatureSchema> {
public:
    static FdoFeatureSchemaCollection* Create(FdoSchemaElement* parent) {
        return new FdoFeatureSchemaCollection(parent);
    }

    // The classes named by className (new reference, never null, maybe
    // empty). "Schema:Class" searches that schema only and gives at most one
    // class; "Class" searches every schema and gives every match.
    // Matching is case-sensitive.
    FdoIDisposableCollection* FindClass(FdoString* className);

    // FDO feature schema XML: reads the schemas of a file into this
    // collection, or writes this collection to a file (see FdoXmlSchemaIO).
    void ReadXml(FdoString* fileName);
    void WriteXml(FdoString* fileName);

protected:
    explicit FdoFeatureSchemaCollection(FdoSchemaElement* parent)
        : FdoSchemaCollection<FdoFeatureSchema>(parent, false) {}
    void Dispose() override { delete this; }

    void AdoptItem(FdoFeatureSchema* value) override;
    void ReleaseItem(FdoFeatureSchema* value) override;
};

typedef FdoPtr<FdoFeatureSchemaCollection> FdoFeatureSchemasP;
