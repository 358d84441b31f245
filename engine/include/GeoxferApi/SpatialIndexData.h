// One Oracle spatial index as the index listing reports it: the indexed
// column, the index and its state, and what its metadata row says.
//
// Reference-counted: `new` gives the first reference, the last Release
// deletes. An index without a metadata row has empty geometry type,
// geodetic and status members and a null R-tree quality.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/Collection.h>
#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

class GXF_API c_SpatialIndexData : public FdoIDisposable {
public:
    c_SpatialIndexData();

    FdoStringP m_TableOwner;      // TABLE_OWNER
    FdoStringP m_TableName;       // TABLE_NAME
    FdoStringP m_ColumnName;      // COLUMN_NAME
    FdoStringP m_IndexOwner;      // SDO_INDEX_OWNER
    FdoStringP m_IndexName;       // INDEX_NAME
    FdoStringP m_IndexType;       // SDO_INDEX_TYPE
    FdoStringP m_LayerGType;      // SDO_LAYER_GTYPE
    FdoStringP m_IndexGeodetic;   // SDO_INDEX_GEODETIC
    FdoStringP m_IndexStatus;     // SDO_INDEX_STATUS
    bool m_RtreeQualityIsNull = true;  // SDO_RTREE_QUALITY is null
    double m_RtreeQuality = 0;         // SDO_RTREE_QUALITY, 0 when null

protected:
    ~c_SpatialIndexData() override;
    void Dispose() override;
};

class GXF_API c_SpatialIndexDataCollection : public FdoCollection<c_SpatialIndexData, FdoException> {
public:
    c_SpatialIndexDataCollection() = default;
    static c_SpatialIndexDataCollection* Create() { return new c_SpatialIndexDataCollection(); }

protected:
    ~c_SpatialIndexDataCollection() override = default;
    void Dispose() override { delete this; }
};
