// SdfStore: one open SDF file, that is a GeoPackage written through GDAL's
// GPKG driver plus the two tables this provider keeps beside the feature
// tables (the feature schema as FDO schema XML, and the spatial contexts).
//
// Feature rows go through an ogrcore DataSource (its chunked insert
// transactions, its readers). A writable store asks the DataSource for its
// update handle at once and runs its own statements (ExecuteSQL on the
// provider's tables, table changes) on that same handle, so the whole file
// is served by one SQLite connection and nothing fights over locks. A
// read-only store reads its tables through a read-only handle of its own.
//
// Feature tables get their spatial index in bulk (SdfSpatialIndex): a
// table is created without one, and every table that has rows but no index
// gets it when a writable store closes, and when a store is opened for
// writing (the file of a copy that was killed before it closed).
//
// Opening checks that the file really is such a store, so an SDF 3 file
// written by another program, another SQLite database or a plain
// GeoPackage is refused with a message saying which it is, never misread.
#pragma once

#include <Fdo.h>
#include <ogrcore/OgrDataSource.h>

#include <functional>
#include <memory>
#include <string>

class GDALDataset;
class OGRLayer;
class OGRFeature;
struct sqlite3;

namespace sdf {

class SdfStore {
public:
    // Creates a new, empty store (with the Default spatial context) and
    // closes it again. Throws FdoCommandException when the file exists or
    // cannot be written.
    static void CreateFile(FdoString* fileName);
    // Opens an existing store; throws FdoConnectionException when the file
    // is missing or is not such a store. The store is read-only when asked
    // or when the file cannot be written.
    static std::unique_ptr<SdfStore> Open(FdoString* fileName, bool readOnly);
    // Deletes the store's file after checking that it is one.
    static void DestroyFile(FdoString* fileName);

    ~SdfStore();
    SdfStore(const SdfStore&) = delete;
    SdfStore& operator=(const SdfStore&) = delete;

    FdoString* GetFileName() const { return m_fileName; }
    bool IsReadOnly() const { return m_readOnly; }
    // Throws "Cannot write to SDF file. Connection is read-only." when so.
    void CheckWritable() const;
    // Borrowed: the feature rows' data source.
    ogrcore::DataSource* Source() const { return m_source; }
    // The handle the provider's own statements run on.
    GDALDataset* Dataset() const;

    // The feature table of a class, or null.
    OGRLayer* FindLayer(FdoString* tableName) const;

    // Runs a statement that returns no rows; throws FdoCommandException
    // naming what failed.
    void Execute(const std::string& sql, FdoString* what) const;
    // Runs a query and calls row for each result row.
    void Query(const std::string& sql, FdoString* what, const std::function<void(OGRFeature&)>& row) const;

    // A transaction for schema and spatial context changes. Rows pending in
    // the DataSource's insert transaction are committed first, and open
    // readers of the file stop reading.
    void BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction();

    // Commits pending rows.
    void Flush();

    // Builds the spatial index of every feature table that has rows and no
    // index, each in one transaction of its own. Throws FdoCommandException naming the
    // table on failure.
    void BuildMissingIndexes();

private:
    SdfStore(FdoString* fileName, bool readOnly);
    static void CheckIsStore(FdoString* fileName, GDALDataset* dataset);
    sqlite3* Sqlite() const;

    FdoStringP m_fileName;
    bool m_readOnly;
    FdoPtr<ogrcore::DataSource> m_source;
    FdoPtr<ogrcore::Dataset> m_handle;
    bool m_inTransaction = false;
};

}  // namespace sdf
