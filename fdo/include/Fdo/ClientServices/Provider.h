// FdoProvider and FdoProviderCollection: what the provider registry knows
// about each provider. Entries are immutable; registering a name again
// replaces its entry, so a caller holding the old one keeps consistent text.
// The collection is read-only to callers: only the registry changes it.
#pragma once

#include <Fdo/Common/Exception.h>
#include <Fdo/Common/Ptr.h>

#include <vector>

class FDO_API FdoProvider : public FdoDisposable {
public:
    static FdoProvider* Create(FdoString* name, FdoString* displayName, FdoString* description,
                               FdoString* version, FdoString* fdoVersion, FdoString* libraryPath,
                               bool isManaged);

    // Strings are borrowed. The name carries the version: "OSGeo.SHP.4.2".
    FdoString* GetName() const { return m_name; }
    FdoString* GetDisplayName() const { return m_displayName; }
    FdoString* GetDescription() const { return m_description; }
    FdoString* GetVersion() const { return m_version; }
    FdoString* GetFeatureDataObjectsVersion() const { return m_fdoVersion; }
    // For compiled-in providers, the library that holds the provider's code.
    FdoString* GetLibraryPath() const { return m_libraryPath; }
    bool GetIsManaged() const { return m_isManaged; }

protected:
    FdoProvider(FdoString* name, FdoString* displayName, FdoString* description, FdoString* version,
                FdoString* fdoVersion, FdoString* libraryPath, bool isManaged);

private:
    FdoStringP m_name;
    FdoStringP m_displayName;
    FdoStringP m_description;
    FdoStringP m_version;
    FdoStringP m_fdoVersion;
    FdoStringP m_libraryPath;
    bool m_isManaged;
};

class FDO_API FdoProviderCollection : public FdoDisposable {
public:
    FdoInt32 GetCount() const { return static_cast<FdoInt32>(m_items.size()); }
    // New reference; a bad index throws FdoClientServiceException.
    FdoProvider* GetItem(FdoInt32 index) const;
    // Exact, case-sensitive names.
    bool Contains(FdoString* name) const { return IndexOf(name) >= 0; }
    FdoInt32 IndexOf(FdoString* name) const;

protected:
    friend class FdoProviderRegistry;
    static FdoProviderCollection* Create() { return new FdoProviderCollection(); }
    FdoProviderCollection() = default;
    ~FdoProviderCollection() override;

    // Replaces the entry of the same name, else appends.
    void Put(FdoProvider* provider);
    void RemoveAt(FdoInt32 index);

private:
    std::vector<FdoProvider*> m_items;  // one reference each
};
