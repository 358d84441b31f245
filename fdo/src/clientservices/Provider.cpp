// Provider entries and the registry's read-only list of them.
#include <Fdo/ClientServices/Provider.h>

FdoProvider* FdoProvider::Create(FdoString* name, FdoString* displayName, FdoString* description,
                                 FdoString* version, FdoString* fdoVersion, FdoString* libraryPath,
                                 bool isManaged) {
    return new FdoProvider(name, displayName, description, version, fdoVersion, libraryPath, isManaged);
}

FdoProvider::FdoProvider(FdoString* name, FdoString* displayName, FdoString* description,
                         FdoString* version, FdoString* fdoVersion, FdoString* libraryPath, bool isManaged)
    : m_name(name),
      m_displayName(displayName),
      m_description(description),
      m_version(version),
      m_fdoVersion(fdoVersion),
      m_libraryPath(libraryPath),
      m_isManaged(isManaged) {}

FdoProvider* FdoProviderCollection::GetItem(FdoInt32 index) const {
    if (index < 0 || index >= GetCount())
        throw FdoClientServiceException::Create(L"Item index out of bounds.");
    return FDO_SAFE_ADDREF(m_items[static_cast<size_t>(index)]);
}

FdoInt32 FdoProviderCollection::IndexOf(FdoString* name) const {
    if (!name) return -1;
    for (size_t i = 0; i < m_items.size(); i++)
        if (wcscmp(m_items[i]->GetName(), name) == 0) return static_cast<FdoInt32>(i);
    return -1;
}

FdoProviderCollection::~FdoProviderCollection() {
    for (FdoProvider* p : m_items) p->Release();
}

void FdoProviderCollection::Put(FdoProvider* provider) {
    FdoInt32 i = IndexOf(provider->GetName());
    provider->AddRef();
    if (i < 0) return m_items.push_back(provider);
    FdoProvider*& slot = m_items[static_cast<size_t>(i)];
    slot->Release();
    slot = provider;
}

void FdoProviderCollection::RemoveAt(FdoInt32 index) {
    FdoProvider* p = m_items[static_cast<size_t>(index)];
    m_items.erase(m_items.begin() + index);
    p->Release();
}
