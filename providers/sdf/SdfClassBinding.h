// SdfClassBinding: a stored class as the feature commands see it.
//
// ogrcore's readers and writers work on a ClassMap. The SDF class map is
// built over a storage view of the class: inheritance flattened into one
// property list (the table holds them all), DateTime properties declared as
// String (the column holds the ISO text of SdfDateTimeText, which the SDF
// reader and writers convert), and no read-only flags (the SDF commands
// decide what may be written). The binding keeps the real class beside it
// for what callers see.
#pragma once

#include "SdfClassLayout.h"
#include "SdfStore.h"

#include <ogrcore/OgrClassMap.h>

namespace sdf {

class SdfClassBinding : public FdoDisposable {
public:
    // Throws FdoCommandException when the class's table is missing or lacks
    // a column.
    static SdfClassBinding* Create(SdfStore& store, FdoClassDefinition* cls,
                                   const std::vector<FdoStringP>& contexts);

    // New references.
    FdoClassDefinition* GetClass() { return FDO_SAFE_ADDREF(m_class.p); }
    ogrcore::ClassMap* GetMap() { return FDO_SAFE_ADDREF(m_map.p); }
    const SdfClassLayout& Layout() const { return m_layout; }
    FdoString* ClassName() { return m_class->GetName(); }

    // Every property of the class (base classes first), as stored.
    const std::vector<FdoPtr<FdoPropertyDefinition>>& Properties() const { return m_properties; }
    // Borrowed, or null.
    FdoPropertyDefinition* FindProperty(FdoString* name) const;
    bool HasDateTime() const { return m_hasDateTime; }

protected:
    SdfClassBinding() = default;

private:
    FdoPtr<FdoClassDefinition> m_class;
    FdoPtr<ogrcore::ClassMap> m_map;
    SdfClassLayout m_layout;
    std::vector<FdoPtr<FdoPropertyDefinition>> m_properties;
    bool m_hasDateTime = false;
};

}  // namespace sdf
