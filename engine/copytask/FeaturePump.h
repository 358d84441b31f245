// The insert loop of a copy: reads every feature a source reader yields and
// inserts it through one insert command, writing each paired source
// property into its destination property. Internal to the engine.
//
// Values are converted once per feature (ReaderGetDataPropertyValue for data
// properties, FGF bytes for geometry); a null geometry is inserted as a null
// geometry instead of failing the copy.
#pragma once

#include <Fdo.h>

#include <vector>

namespace gxf {

// One source property written into one destination property.
struct PropertyPair {
    FdoStringP sourceName;
    FdoStringP destName;
    FdoPropertyType destKind = FdoPropertyType_DataProperty;
    // Used only when the destination is a data property.
    FdoDataType sourceType = FdoDataType_Boolean;
    FdoDataType destType = FdoDataType_Boolean;
};

class FeaturePump {
public:
    // Adds one property value per pair, named after its destination
    // property, to the insert's property values. progressName names the
    // class in progress reports.
    FeaturePump(FdoIInsert* insert, std::vector<PropertyPair> pairs, const wchar_t* progressName);

    // Inserts every feature of the reader; returns the number inserted.
    // batchSize > 1 uses the insert's batch parameter values when it offers
    // them, executing once per batchSize rows; otherwise one execution per
    // feature. FDO errors propagate.
    long Run(FdoIFeatureReader* reader, int batchSize);

private:
    long RunBatched(FdoIFeatureReader* reader, FdoBatchParameterValueCollection* batch, int batchSize);
    long RunRowByRow(FdoIFeatureReader* reader);
    // The current feature's value for the pair (new reference), or null
    // when the destination kind takes no value or conversion gave none.
    FdoLiteralValue* ValueOf(FdoIFeatureReader* reader, const PropertyPair& pair);
    void ExecuteInsert();

    FdoPtr<FdoIInsert> m_insert;
    std::vector<PropertyPair> m_pairs;
    std::vector<FdoPtr<FdoPropertyValue>> m_values;  // parallel to m_pairs
    FdoStringP m_progressName;
};

}  // namespace gxf
