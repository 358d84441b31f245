// FeatureWriter: turns FDO property values into OGR features of one class.
//
// Values must be literals or parameters; parameters are looked up in the
// collection the caller passes (the command's own, or one element of an
// insert batch). Identity and read-only properties cannot be given.
// Every row goes through the DataSource's write path, so it lands inside
// the chunked transaction; GDAL warnings raised while writing (a value cut
// to a field's width, a number that does not fit) are errors here, because
// a copy must not lose data silently.
#pragma once

#include <ogrcore/OgrClassMap.h>

namespace ogrcore {

class FeatureWriter {
public:
    explicit FeatureWriter(ClassMap* map);

    // Creates one feature; returns its identity value (feature id + offset).
    FdoInt64 Insert(FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters);
    // Sets the given values on the feature with that id.
    void Update(FdoInt64 fid, FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters);
    void Delete(FdoInt64 fid);

private:
    void Apply(OGRLayerH layer, OGRFeatureH feature, FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters);
    FdoLiteralValue* Resolve(FdoPropertyValue* value, FdoParameterValueCollection* parameters, FdoString* name);

    FdoPtr<ClassMap> m_map;
    FdoPtr<DataSource> m_source;
    std::vector<FdoByte> m_wkb;
};

}  // namespace ogrcore
