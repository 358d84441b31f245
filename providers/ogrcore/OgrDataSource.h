// DataSource: one GDAL data source as the commands of a connection share it.
//
// Reading opens the source read-only; the first write reopens it for update,
// so reference data is never opened writable unless something is written.
// A layer's read cursor belongs to one reader at a time: a second reader of
// the same layer gets a private read-only handle, after pending writes have
// been committed and synced so it sees them.
//
// Writes run inside a dataset transaction where the driver has them,
// committed every kChunkRows rows, before any read, on Flush and on Close.
// Drivers without transactions (shape files) write through; Flush syncs
// their headers to disk.
#pragma once

#include <ogrcore/OgrHandles.h>

#include <map>
#include <set>

namespace ogrcore {

class DataSource;

// A layer handed out by a DataSource; move-only, releases its claim on the
// layer's cursor when destroyed.
class LayerLease {
public:
    LayerLease() = default;
    LayerLease(DataSource* owner, Dataset* dataset, OGRLayerH layer, bool claimed);
    LayerLease(LayerLease&& o) noexcept;
    LayerLease& operator=(LayerLease&& o) noexcept;
    LayerLease(const LayerLease&) = delete;
    LayerLease& operator=(const LayerLease&) = delete;
    ~LayerLease();

    OGRLayerH Layer() const { return m_layer; }
    // Borrowed.
    Dataset* GetDataset() const { return m_dataset; }
    explicit operator bool() const { return m_layer != nullptr; }

private:
    void Reset();

    FdoPtr<DataSource> m_owner;
    FdoPtr<Dataset> m_dataset;
    OGRLayerH m_layer = nullptr;
    bool m_claimed = false;
};

class DataSource : public FdoDisposable {
public:
    static constexpr long kChunkRows = 20000;

    // Nothing is opened until the first Read or Write. writable false
    // makes every write throw FdoCommandException naming the path.
    static DataSource* Create(const std::string& path, const std::vector<std::string>& drivers, bool writable,
                              const std::vector<std::string>& openOptions = {});

    const std::string& Path() const { return m_path; }
    bool IsWritable() const { return m_writable; }

    // A layer whose read cursor the caller owns.
    LayerLease Read(const std::string& layerName);
    // The layer in the shared update handle, inside the open transaction.
    LayerLease Write(const std::string& layerName);
    // The shared update handle itself, for creating layers and fields (new reference).
    Dataset* UpdateDataset();
    // Makes a dataset the caller has just created (GDALCreate) the shared
    // update handle: formats written in one pass (GeoJSON, FlatGeobuf, a
    // KML working copy) get their layers and rows through the handle that
    // created the file.
    void AdoptUpdateDataset(Dataset* created);

    // The sequence that can give the ids of rows sent to the layer in bulk
    // (see OgrBulkRows.h), or empty; looked up once per layer of the update handle.
    const std::string& BulkIdSequence(OGRLayerH layer);

    // Counts a row written; commits and opens a new transaction every kChunkRows.
    void RowWritten();
    // Commits the open transaction and syncs the written layers.
    void Flush();
    // Flush, then close every handle this source still holds.
    void Close();

protected:
    DataSource(const std::string& path, const std::vector<std::string>& drivers, bool writable,
               const std::vector<std::string>& openOptions)
        : m_path(path), m_drivers(drivers), m_openOptions(openOptions), m_writable(writable) {}
    ~DataSource() override;

private:
    friend class LayerLease;
    void Unclaim(OGRLayerH layer) { m_busy.erase(layer); }
    // Drops what is known of the layers of a handle let go.
    void ForgetLayers();
    // The update handle, opened on first use (new reference).
    Dataset* OpenUpdate();
    void Begin();
    void Commit();

    std::string m_path;
    std::vector<std::string> m_drivers;
    std::vector<std::string> m_openOptions;
    bool m_writable;
    FdoPtr<Dataset> m_shared;
    std::set<OGRLayerH> m_busy;
    std::set<OGRLayerH> m_written;
    std::map<OGRLayerH, std::string> m_bulkIdSequences;
    bool m_inTransaction = false;
    bool m_dirty = false;
    long m_pendingRows = 0;
};

}  // namespace ogrcore
