// FdoSchemaAttributeDictionary: free-form name/value pairs on a schema
// element. Names are case-sensitive and insertion order is kept, because
// the attributes are written back to files in the order they were read.
#pragma once

#include <Fdo/Common/Exception.h>

#include <utility>
#include <vector>

class FdoSchemaElement;

class FDO_API FdoSchemaAttributeDictionary : public FdoIDisposable {
public:
    // parent (optional, not counted) is marked Modified on every change.
    static FdoSchemaAttributeDictionary* Create(FdoSchemaElement* parent = nullptr) {
        return new FdoSchemaAttributeDictionary(parent);
    }

    FdoInt32 GetCount() const { return static_cast<FdoInt32>(m_entries.size()); }
    // Borrowed array of borrowed names, valid until the dictionary changes.
    FdoString** GetAttributeNames(FdoInt32& length);
    // Borrowed; throws "Schema attribute not found." for an unknown name.
    FdoString* GetAttributeValue(FdoString* name) const;
    // Changes an existing attribute only; throws for an unknown name.
    void SetAttributeValue(FdoString* name, FdoString* value);
    bool ContainsAttribute(FdoString* name) const { return Find(name) >= 0; }
    // Throws "Schema attribute already in dictionary." for a known name.
    void Add(FdoString* name, FdoString* value);
    // Throws "Schema attribute not found." for an unknown name.
    void Remove(FdoString* name);
    void Clear();

protected:
    explicit FdoSchemaAttributeDictionary(FdoSchemaElement* parent) : m_parent(parent) {}
    void Dispose() override { delete this; }

private:
    friend class FdoSchemaElement;
    typedef std::vector<std::pair<FdoStringP, FdoStringP>> Entries;

    FdoInt32 Find(FdoString* name) const;
    void Touch();

    FdoSchemaElement* m_parent;
    Entries m_entries;
    std::vector<FdoString*> m_names;
};
