// The shared handle starts read-only and is replaced by an update handle on
// the first write; leases keep whichever handle they were given alive.
#include <ogrcore/OgrBulkRows.h>
#include <ogrcore/OgrDataSource.h>
#include <ogrcore/OgrError.h>

namespace ogrcore {

LayerLease::LayerLease(DataSource* owner, Dataset* dataset, OGRLayerH layer, bool claimed)
    : m_owner(FDO_SAFE_ADDREF(owner)), m_dataset(FDO_SAFE_ADDREF(dataset)), m_layer(layer), m_claimed(claimed) {}

LayerLease::LayerLease(LayerLease&& o) noexcept
    : m_owner(std::move(o.m_owner)), m_dataset(std::move(o.m_dataset)), m_layer(o.m_layer), m_claimed(o.m_claimed) {
    o.m_layer = nullptr;
    o.m_claimed = false;
}

LayerLease& LayerLease::operator=(LayerLease&& o) noexcept {
    if (this != &o) {
        Reset();
        m_owner = std::move(o.m_owner);
        m_dataset = std::move(o.m_dataset);
        m_layer = o.m_layer;
        m_claimed = o.m_claimed;
        o.m_layer = nullptr;
        o.m_claimed = false;
    }
    return *this;
}

LayerLease::~LayerLease() { Reset(); }

void LayerLease::Reset() {
    if (m_claimed && m_owner) m_owner->Unclaim(m_layer);
    m_claimed = false;
    m_layer = nullptr;
    m_dataset = nullptr;
    m_owner = nullptr;
}

DataSource* DataSource::Create(const std::string& path, const std::vector<std::string>& drivers, bool writable,
                               const std::vector<std::string>& openOptions) {
    return new DataSource(path, drivers, writable, openOptions);
}

DataSource::~DataSource() {
    try {
        Close();
    } catch (FdoException* e) {
        e->Release();
    }
}

LayerLease DataSource::Read(const std::string& layerName) {
    if (m_dirty) Flush();
    if (!m_shared) m_shared = Dataset::Open(m_path, false, m_drivers, m_openOptions);
    OGRLayerH layer = m_shared->Layer(layerName);
    if (!m_busy.count(layer)) {
        m_busy.insert(layer);
        OGR_L_ResetReading(layer);
        return LayerLease(this, m_shared, layer, true);
    }
    FdoPtr<Dataset> own = Dataset::Open(m_path, false, m_drivers, m_openOptions);
    return LayerLease(this, own, own->Layer(layerName), false);
}

void DataSource::ForgetLayers() {
    m_busy.clear();
    m_written.clear();
    m_bulkIdSequences.clear();
}

Dataset* DataSource::UpdateDataset() {
    // The caller may create or delete layers, which the look-ups of
    // BulkIdSequence must not outlive.
    FdoPtr<Dataset> ds = OpenUpdate();
    m_bulkIdSequences.clear();
    return FDO_SAFE_ADDREF(ds.p);
}

Dataset* DataSource::OpenUpdate() {
    if (!m_writable)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"'%ls' is read-only.", static_cast<FdoString*>(Wide(m_path.c_str()))));
    if (!m_shared || !m_shared->IsUpdate()) {
        // Readers of the read-only handle keep it; new work goes to the update handle.
        m_shared = Dataset::Open(m_path, true, m_drivers, m_openOptions);
        ForgetLayers();
    }
    return FDO_SAFE_ADDREF(m_shared.p);
}

void DataSource::AdoptUpdateDataset(Dataset* created) {
    if (!m_writable || !created || !created->IsUpdate())
        throw FdoCommandException::Create(FdoStringP::Format(
            L"'%ls' is read-only.", static_cast<FdoString*>(Wide(m_path.c_str()))));
    Flush();
    m_shared = FDO_SAFE_ADDREF(created);
    ForgetLayers();
}

LayerLease DataSource::Write(const std::string& layerName) {
    FdoPtr<Dataset> ds = OpenUpdate();
    OGRLayerH layer = ds->Layer(layerName);
    Begin();
    m_written.insert(layer);
    m_dirty = true;
    return LayerLease(this, ds, layer, false);
}

const std::string& DataSource::BulkIdSequence(OGRLayerH layer) {
    auto known = m_bulkIdSequences.find(layer);
    if (known == m_bulkIdSequences.end())
        known = m_bulkIdSequences.emplace(layer, ogrcore::BulkIdSequence(m_shared->Handle(), layer)).first;
    return known->second;
}

void DataSource::Begin() {
    if (m_inTransaction) return;
    if (GDALDatasetTestCapability(m_shared->Handle(), ODsCTransactions)) {
        ErrorTrap trap;
        if (GDALDatasetStartTransaction(m_shared->Handle(), FALSE) != OGRERR_NONE)
            throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
                L"Cannot start a transaction on '%ls'", static_cast<FdoString*>(Wide(m_path.c_str())))));
        m_inTransaction = true;
    }
}

void DataSource::Commit() {
    if (!m_inTransaction) return;
    m_inTransaction = false;
    m_pendingRows = 0;
    ErrorTrap trap;
    if (GDALDatasetCommitTransaction(m_shared->Handle()) != OGRERR_NONE)
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot commit the rows written to '%ls'", static_cast<FdoString*>(Wide(m_path.c_str())))));
}

void DataSource::RowWritten() {
    if (!m_inTransaction) return;
    if (++m_pendingRows >= kChunkRows) {
        Commit();
        Begin();
    }
}

void DataSource::Flush() {
    if (!m_shared || !m_shared->IsUpdate()) return;
    Commit();
    ErrorTrap trap;
    for (OGRLayerH layer : m_written)
        if (OGR_L_SyncToDisk(layer) != OGRERR_NONE)
            throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
                L"Cannot write '%ls' to disk", static_cast<FdoString*>(Wide(m_path.c_str())))));
    m_dirty = false;
}

void DataSource::Close() {
    if (!m_shared) return;
    FdoPtr<Dataset> ds = m_shared;
    try {
        Flush();
    } catch (FdoException*) {
        m_shared = nullptr;
        ForgetLayers();
        throw;
    }
    m_shared = nullptr;
    ForgetLayers();
    m_dirty = false;
    // Close now unless a reader still holds the handle; it closes it when done.
    if (ds->GetRefCount() == 1) ds->Close();
}

}  // namespace ogrcore
