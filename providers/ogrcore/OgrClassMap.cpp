// Bindings are kept in the order they are made; lookups go through a name
// index that also holds the aliases.
#include <ogrcore/OgrClassMap.h>

namespace ogrcore {

ClassMap* ClassMap::Create(FdoClassDefinition* cls, DataSource* source, const std::string& layerName) {
    return new ClassMap(cls, source, layerName);
}

ClassMap::ClassMap(FdoClassDefinition* cls, DataSource* source, const std::string& layerName)
    : m_class(FDO_SAFE_ADDREF(cls)), m_source(FDO_SAFE_ADDREF(source)), m_layerName(layerName) {}

int ClassMap::Add(PropertyBinding binding) {
    std::wstring key = binding.name.Str();
    if (m_index.count(key))
        throw FdoSchemaException::Create(FdoStringP::Format(L"The property '%ls' of class '%ls' is bound twice.",
                                                            key.c_str(), m_class->GetName()));
    m_bindings.push_back(std::move(binding));
    int index = static_cast<int>(m_bindings.size()) - 1;
    m_index[key] = index;
    return index;
}

void ClassMap::BindData(FdoString* property, int field) {
    FdoPtr<FdoPropertyDefinitionCollection> props = m_class->GetProperties();
    FdoPtr<FdoPropertyDefinition> p = props->FindItem(property);
    auto* data = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
    if (!data)
        throw FdoSchemaException::Create(FdoStringP::Format(L"'%ls' is not a data property of class '%ls'.",
                                                            property, m_class->GetName()));
    PropertyBinding b;
    b.name = property;
    b.role = PropertyRole::Data;
    b.type = data->GetDataType();
    b.field = field;
    b.readOnly = data->GetReadOnly();
    Add(std::move(b));
}

void ClassMap::BindIdentity(FdoString* property, FdoInt64 fidOffset) {
    FdoPtr<FdoPropertyDefinitionCollection> props = m_class->GetProperties();
    FdoPtr<FdoPropertyDefinition> p = props->FindItem(property);
    auto* data = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
    PropertyBinding b;
    b.name = property;
    b.role = PropertyRole::Identity;
    b.type = data ? data->GetDataType() : FdoDataType_Int64;
    b.readOnly = true;
    m_identity = Add(std::move(b));
    m_fidOffset = fidOffset;
}

void ClassMap::BindGeometry(FdoString* property, int geometryField) {
    PropertyBinding b;
    b.name = property;
    b.role = PropertyRole::Geometry;
    b.field = geometryField;
    m_geometry = Add(std::move(b));
}

void ClassMap::AddAlias(FdoString* alias, FdoString* property) {
    int i = Find(property);
    if (i < 0 || !alias || m_index.count(alias)) return;
    m_index[alias] = i;
}

int ClassMap::Find(FdoString* name) const {
    if (!name) return -1;
    auto it = m_index.find(name);
    return it == m_index.end() ? -1 : it->second;
}

}  // namespace ogrcore
