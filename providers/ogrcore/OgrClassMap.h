// ClassMap: how one FDO class sits on one OGR layer.
//
// A provider describes its classes in FDO terms and binds each property to
// where OGR keeps it: a data property to a field, the identity property to
// the feature id (plus an offset: shape files count records from 1, OGR
// from 0), a geometric property to a geometry field. Readers, writers and
// the filter translator work from these bindings only, so they serve any
// provider whose classes fit that pattern. Aliases let a class answer to
// other names for its properties (shape files cut names to 11 characters,
// while the schema that created them still uses the long ones). A geometry
// adapter lets a provider change geometries on their way in and out (a KML
// file holds WGS 84 longitude/latitude whatever system the writer used).
#pragma once

#include <ogrcore/OgrDataSource.h>

#include <unordered_map>

namespace ogrcore {

enum class PropertyRole { Data, Identity, Geometry };

struct PropertyBinding {
    FdoStringP name;
    PropertyRole role = PropertyRole::Data;
    FdoDataType type = FdoDataType_String;  // data and identity properties
    int field = -1;                         // OGR field, or geometry field index
    bool readOnly = false;
};

// Changes geometries in place between OGR and FDO; both calls may throw
// FdoException naming what failed.
class FDO_API GeometryAdapter : public FdoDisposable {
public:
    // After a geometry is read from OGR, before it is turned into FGF.
    virtual void AfterRead(OGRGeometryH geometry) = 0;
    // After a geometry is made from FGF, before OGR writes it.
    virtual void BeforeWrite(OGRGeometryH geometry) = 0;
};

class FDO_API ClassMap : public FdoDisposable {
public:
    // cls is kept (not copied): the provider's live class definition.
    static ClassMap* Create(FdoClassDefinition* cls, DataSource* source, const std::string& layerName);

    // The property must be a data property of cls; its type is taken from there.
    void BindData(FdoString* property, int field);
    void BindIdentity(FdoString* property, FdoInt64 fidOffset);
    void BindGeometry(FdoString* property, int geometryField = 0);
    void AddAlias(FdoString* alias, FdoString* property);
    // Applies to every geometry of the class; null removes it.
    void SetGeometryAdapter(GeometryAdapter* adapter) { m_adapter = FDO_SAFE_ADDREF(adapter); }
    // Borrowed; null when geometries pass unchanged.
    GeometryAdapter* Adapter() const { return m_adapter.p; }

    // New references.
    FdoClassDefinition* GetClass() { return FDO_SAFE_ADDREF(m_class.p); }
    DataSource* GetSource() { return FDO_SAFE_ADDREF(m_source.p); }
    const std::string& LayerName() const { return m_layerName; }
    FdoString* ClassName() { return m_class->GetName(); }

    const std::vector<PropertyBinding>& Bindings() const { return m_bindings; }
    // Index into Bindings() by name or alias, -1 when unknown.
    int Find(FdoString* name) const;
    int IdentityIndex() const { return m_identity; }
    int GeometryIndex() const { return m_geometry; }
    FdoInt64 FidOffset() const { return m_fidOffset; }

protected:
    ClassMap(FdoClassDefinition* cls, DataSource* source, const std::string& layerName);

private:
    int Add(PropertyBinding binding);

    FdoPtr<FdoClassDefinition> m_class;
    FdoPtr<DataSource> m_source;
    std::string m_layerName;
    std::vector<PropertyBinding> m_bindings;
    std::unordered_map<std::wstring, int> m_index;
    int m_identity = -1;
    int m_geometry = -1;
    FdoInt64 m_fidOffset = 0;
    FdoPtr<GeometryAdapter> m_adapter;
};

}  // namespace ogrcore
