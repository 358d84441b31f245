// One row of the SQL Server NorvFdoClass class-mapping table, as the SQL
// Server toolbox edits it, and the collection the listing fills.
//
// Reference-counted like FDO objects: `new` hands the caller the first
// reference and the last Release deletes the record. An empty member means
// "no value" and is written as NULL. FDO_UNIQUE_ID is numbered by the server
// and not carried here.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/Collection.h>
#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

class GXF_API c_MssNorvFdoClassData : public FdoIDisposable {
public:
    c_MssNorvFdoClassData();
    c_MssNorvFdoClassData(const c_MssNorvFdoClassData& other);
    // Copies the nine values; the reference count stays the object's own.
    c_MssNorvFdoClassData& operator=(const c_MssNorvFdoClassData& other);

    // The fixed text "ToString".
    FdoStringP ToString() const;

    FdoStringP m_FdoSchema;        // FDO_SCHEMA
    FdoStringP m_FdoClassName;     // FDO_CLASS_NAME (the row key)
    FdoStringP m_QuerySchema;      // QUERY_SCHEMA
    FdoStringP m_QueryName;        // QUERY_NAME
    FdoStringP m_GeomTableSchema;  // GEOM_TABLE_SCHEMA
    FdoStringP m_GeomTableName;    // GEOM_TABLE_NAME
    FdoStringP m_GeomColumn;       // GEOM_COLUMN
    FdoStringP m_GeometryType;     // GEOMETRY_TYPE
    FdoStringP m_ClassIdentity;    // CLASSIDENTITY

protected:
    ~c_MssNorvFdoClassData() override;
    void Dispose() override;
};

class GXF_API c_MssNorvFdoClassDataCollection : public FdoCollection<c_MssNorvFdoClassData, FdoException> {
public:
    c_MssNorvFdoClassDataCollection() = default;
    static c_MssNorvFdoClassDataCollection* Create() { return new c_MssNorvFdoClassDataCollection(); }

protected:
    ~c_MssNorvFdoClassDataCollection() override = default;
    void Dispose() override { delete this; }
};
