// One row of the Oracle NorvFdoClass class-mapping table, as the Oracle
// toolbox edits it, and the collection the listing fills.
//
// Reference-counted like FDO objects: `new` hands the caller the first
// reference and the last Release deletes the record. An empty member means
// "no value" and is written as NULL. Only thirteen of the table's twenty
// columns are mapped; the others are never written by the engine.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/Collection.h>
#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

class GXF_API c_OraNorvFdoClassData : public FdoIDisposable {
public:
    c_OraNorvFdoClassData();
    c_OraNorvFdoClassData(const c_OraNorvFdoClassData& other);
    // Copies the thirteen values; the reference count stays the object's own.
    c_OraNorvFdoClassData& operator=(const c_OraNorvFdoClassData& other);

    // The fixed text "ToString".
    FdoStringP ToString() const;

    FdoStringP m_OraOwner;                 // FDO_ORA_OWNER
    FdoStringP m_OraName;                  // FDO_ORA_NAME
    FdoStringP m_OraGeomColumn;            // FDO_ORA_GEOMCOLUMN
    FdoStringP m_FdoClassName;             // FDO_CLASS_NAME (the row key)
    FdoStringP m_SpatialTableOwner;        // FDO_SPATIALTABLE_OWNER
    FdoStringP m_SpatialTableName;         // FDO_SPATIALTABLE_NAME
    FdoStringP m_SpatialTableGeomColumn;   // FDO_SPATIALTABLE_GEOMCOLUMN
    FdoStringP m_PointXColumn;             // FDO_POINT_X_COLUMN
    FdoStringP m_PointYColumn;             // FDO_POINT_Y_COLUMN
    FdoStringP m_PointZColumn;             // FDO_POINT_Z_COLUMN
    FdoStringP m_LayerGType;               // FDO_LAYER_GTYPE
    FdoStringP m_Identity;                 // FDO_IDENTITY
    FdoStringP m_SequenceName;             // FDO_SEQUENCE_NAME

protected:
    ~c_OraNorvFdoClassData() override;
    void Dispose() override;
};

class GXF_API c_OraNorvFdoClassDataCollection : public FdoCollection<c_OraNorvFdoClassData, FdoException> {
public:
    c_OraNorvFdoClassDataCollection() = default;
    static c_OraNorvFdoClassDataCollection* Create() { return new c_OraNorvFdoClassDataCollection(); }

protected:
    ~c_OraNorvFdoClassDataCollection() override = default;
    void Dispose() override { delete this; }
};
