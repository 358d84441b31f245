// FdoUniqueConstraint: a set of data properties whose combined values must
// be unique within a class. Constraints have no name; the class keeps them
// in an ordinary list.
#pragma once

#include <Fdo/Schema/DataPropertyDefinition.h>

class FDO_API FdoUniqueConstraint : public FdoIDisposable {
public:
    static FdoUniqueConstraint* Create() { return new FdoUniqueConstraint(); }
    // New reference to the live list of member properties.
    FdoDataPropertyDefinitionCollection* GetProperties() { return FDO_SAFE_ADDREF(m_properties.p); }

protected:
    FdoUniqueConstraint() : m_properties(FdoDataPropertyDefinitionCollection::Create(nullptr)) {}
    void Dispose() override { delete this; }

private:
    FdoPtr<FdoDataPropertyDefinitionCollection> m_properties;
};

class FDO_API FdoUniqueConstraintCollection
    : public FdoCollection<FdoUniqueConstraint, FdoSchemaException> {
public:
    static FdoUniqueConstraintCollection* Create() { return new FdoUniqueConstraintCollection(); }

protected:
    FdoUniqueConstraintCollection() = default;
    void Dispose() override { delete this; }
};

typedef FdoPtr<FdoUniqueConstraint> FdoUniqueConstraintP;
