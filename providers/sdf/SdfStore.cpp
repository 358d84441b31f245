// The GeoPackage file behind a connection; see SdfStore.h.
#include "SdfStore.h"

#include "SdfMetadataTables.h"
#include "SdfSpatialIndex.h"
#include "SdfSql.h"

#include <gdal_priv.h>
#include <ogrcore/OgrError.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace sdf {

namespace {

const std::vector<std::string> kDrivers = {"GPKG"};

std::string Utf8(FdoString* s) { return FdoStringP::Utf8FromUnicode(s ? s : L""); }

bool StartsWithSqliteHeader(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char header[16] = {};
    size_t n = std::fread(header, 1, sizeof header, f);
    std::fclose(f);
    return n == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0;
}

}  // namespace

SdfStore::SdfStore(FdoString* fileName, bool readOnly) : m_fileName(fileName), m_readOnly(readOnly) {}

SdfStore::~SdfStore() {
    try {
        RollbackTransaction();
        // A table left without its index here gets it on the next open.
        if (!m_readOnly && m_source && m_handle) BuildMissingIndexes();
    } catch (FdoException* e) {
        e->Release();
    }
    try {
        m_handle = nullptr;
        if (m_source) m_source->Close();
    } catch (FdoException* e) {
        e->Release();
    }
}

GDALDataset* SdfStore::Dataset() const { return GDALDataset::FromHandle(m_handle->Handle()); }

void SdfStore::CreateFile(FdoString* fileName) {
    ogrcore::Init();
    std::string path = Utf8(fileName);
    if (path.empty()) throw FdoCommandException::Create(L"The SDF file name is empty.");
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        throw FdoCommandException::Create(
            FdoStringP::Format(L"Cannot create the SDF file '%ls': the file exists.", fileName));

    // The file is made under a name of its own and renamed when complete,
    // so a process killed meanwhile never leaves a half-made store behind.
    const std::string partial = path + ".partial";
    std::filesystem::remove(partial, ec);
    ogrcore::ErrorTrap errors;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (!driver) throw FdoCommandException::Create(L"GDAL has no GeoPackage (GPKG) driver.");
    GDALDataset* ds = driver->Create(partial.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (!ds)
        throw FdoCommandException::Create(
            errors.Describe(FdoStringP::Format(L"Cannot create the SDF file '%ls'", fileName)));
    SdfStore store(fileName, false);
    store.m_handle = ogrcore::Dataset::Adopt(GDALDataset::ToHandle(ds), partial, true);
    try {
        store.BeginTransaction();
        SdfSchemaTable::Create(store);
        SdfSpatialContextTable::Create(store);
        SdfSpatialContextTable::Put(store, SdfSpatialContextTable::DefaultContext(), false);
        store.CommitTransaction();
        store.m_handle->Close();
        std::filesystem::rename(partial, path);
    } catch (FdoException*) {
        store.RollbackTransaction();
        store.m_handle = nullptr;
        std::filesystem::remove(partial, ec);
        throw;
    } catch (const std::filesystem::filesystem_error& e) {
        std::filesystem::remove(partial, ec);
        throw FdoCommandException::Create(FdoStringP::Format(L"Cannot create the SDF file '%ls': %ls", fileName,
                                                             (FdoString*)FdoStringP(e.what())));
    }
}

std::unique_ptr<SdfStore> SdfStore::Open(FdoString* fileName, bool readOnly) {
    ogrcore::Init();
    std::string path = Utf8(fileName);
    std::error_code ec;
    if (path.empty()) throw FdoConnectionException::Create(L"The SDF file name is empty.");
    if (!std::filesystem::exists(path, ec))
        throw FdoConnectionException::Create(
            FdoStringP::Format(L"The SDF file '%ls' does not exist.", fileName));
    if (!std::filesystem::is_regular_file(path, ec))
        throw FdoConnectionException::Create(
            FdoStringP::Format(L"The SDF file '%ls' is not a regular file.", fileName));

    // A file this process may not write (or whose folder cannot take
    // SQLite's journal) is opened read-only rather than failing later.
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    if (access(path.c_str(), W_OK) != 0 || access(folder.c_str(), W_OK) != 0) readOnly = true;

    // The file is first looked at read-only, so that a file which is not
    // such a store is never opened for writing.
    std::unique_ptr<SdfStore> store(new SdfStore(fileName, readOnly));
    try {
        store->m_handle = ogrcore::Dataset::Open(path, false, kDrivers);
    } catch (FdoException* e) {
        e->Release();
        if (StartsWithSqliteHeader(path))
            throw FdoConnectionException::Create(FdoStringP::Format(
                L"The file '%ls' is not an SDF file of this provider: it is an SQLite database but "
                L"not a GeoPackage (SDF 3 files written by other programs are not read).",
                fileName));
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The file '%ls' is not an SDF file of this provider: it is not a GeoPackage.", fileName));
    }
    CheckIsStore(fileName, store->Dataset());
    SdfSchemaTable::CheckFormat(*store);

    store->m_source = ogrcore::DataSource::Create(path, kDrivers, !readOnly);
    if (!readOnly) {
        store->m_handle = nullptr;
        store->m_handle = store->m_source->UpdateDataset();
        store->BuildMissingIndexes();
    }
    return store;
}

void SdfStore::CheckIsStore(FdoString* fileName, GDALDataset* ds) {
    ogrcore::ErrorTrap errors;
    int found = 0;
    std::string sql = "SELECT name FROM sqlite_master WHERE type = 'table' AND name IN (" +
                      SdfSql::Text(SdfSchemaTable::kName) + ", " +
                      SdfSql::Text(SdfSpatialContextTable::kName) + ")";
    if (OGRLayer* rows = ds->ExecuteSQL(sql.c_str(), nullptr, nullptr)) {
        found = static_cast<int>(rows->GetFeatureCount(TRUE));
        ds->ReleaseResultSet(rows);
    }
    if (found != 2)
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The file '%ls' is not an SDF file of this provider: it is a GeoPackage without the "
            L"feature schema and spatial context tables.",
            fileName));
}

void SdfStore::DestroyFile(FdoString* fileName) {
    Open(fileName, true).reset();
    std::string path = Utf8(fileName);
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) || ec)
        throw FdoCommandException::Create(FdoStringP::Format(L"Cannot delete the SDF file '%ls': %ls", fileName,
                                                             (FdoString*)FdoStringP(ec.message().c_str())));
    for (const char* suffix : {"-journal", "-wal", "-shm"}) std::filesystem::remove(path + suffix, ec);
}

void SdfStore::CheckWritable() const {
    if (m_readOnly) throw FdoCommandException::Create(L"Cannot write to SDF file. Connection is read-only.");
}

OGRLayer* SdfStore::FindLayer(FdoString* tableName) const {
    ogrcore::ErrorTrap quiet;
    return Dataset()->GetLayerByName(Utf8(tableName).c_str());
}

void SdfStore::Execute(const std::string& sql, FdoString* what) const {
    ogrcore::ErrorTrap errors;
    OGRLayer* result = Dataset()->ExecuteSQL(sql.c_str(), nullptr, nullptr);
    if (result) Dataset()->ReleaseResultSet(result);
    if (errors.HasFailure())
        throw FdoCommandException::Create(errors.Describe(
            FdoStringP::Format(L"%ls in the SDF file '%ls' failed", what, (FdoString*)m_fileName)));
}

void SdfStore::Query(const std::string& sql, FdoString* what,
                     const std::function<void(OGRFeature&)>& row) const {
    ogrcore::ErrorTrap errors;
    GDALDataset* ds = Dataset();
    OGRLayer* result = ds->ExecuteSQL(sql.c_str(), nullptr, nullptr);
    if (!result)
        throw FdoCommandException::Create(errors.Describe(
            FdoStringP::Format(L"%ls in the SDF file '%ls' failed", what, (FdoString*)m_fileName)));
    try {
        while (OGRFeature* f = result->GetNextFeature()) {
            std::unique_ptr<OGRFeature, void (*)(OGRFeature*)> owned(f, OGRFeature::DestroyFeature);
            row(*f);
        }
    } catch (...) {
        ds->ReleaseResultSet(result);
        throw;
    }
    ds->ReleaseResultSet(result);
}

void SdfStore::Flush() {
    if (m_source) m_source->Flush();
}

sqlite3* SdfStore::Sqlite() const {
    auto* db = static_cast<sqlite3*>(Dataset()->GetInternalHandle("SQLITE_HANDLE"));
    if (!db)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"GDAL gives no SQLite handle for the SDF file '%ls'.", (FdoString*)m_fileName));
    return db;
}

void SdfStore::BuildMissingIndexes() {
    CheckWritable();
    Flush();
    struct Column {
        std::string table, geometry, fid;
    };
    std::vector<Column> missing;
    Query("SELECT c.table_name, c.column_name, (SELECT p.name FROM pragma_table_info(c.table_name) p WHERE p.pk = 1) "
          "FROM gpkg_geometry_columns c",
          L"Listing the geometry columns", [&](OGRFeature& f) {
              Column c{f.GetFieldAsString(0), f.GetFieldAsString(1), f.GetFieldAsString(2)};
              if (!c.fid.empty() && !SdfSpatialIndex::Exists(Sqlite(), c.table, c.geometry)) missing.push_back(c);
          });
    // An empty table keeps waiting for its rows: with an index, each row
    // would be added to it one by one.
    std::erase_if(missing, [&](const Column& c) {
        bool empty = true;
        Query("SELECT 1 FROM " + SdfSql::Name(c.table) + " LIMIT 1", L"Looking for rows",
              [&](OGRFeature&) { empty = false; });
        return empty;
    });
    for (const Column& c : missing) {
        BeginTransaction();
        try {
            SdfSpatialIndex::Build(Sqlite(), c.table, c.fid, c.geometry);
        } catch (FdoException*) {
            RollbackTransaction();
            throw;
        }
        CommitTransaction();
    }
}

void SdfStore::BeginTransaction() {
    if (m_inTransaction) return;
    Flush();
    ogrcore::ErrorTrap errors;
    // A table cannot be changed or dropped while a statement of the same
    // connection still reads one: stop every layer's read cursor.
    for (int i = 0; i < Dataset()->GetLayerCount(); i++) Dataset()->GetLayer(i)->ResetReading();
    if (Dataset()->StartTransaction() != OGRERR_NONE)
        throw FdoCommandException::Create(errors.Describe(
            FdoStringP::Format(L"Cannot start a transaction on the SDF file '%ls'", (FdoString*)m_fileName)));
    m_inTransaction = true;
}

void SdfStore::CommitTransaction() {
    if (!m_inTransaction) return;
    m_inTransaction = false;
    ogrcore::ErrorTrap errors;
    if (Dataset()->CommitTransaction() != OGRERR_NONE)
        throw FdoCommandException::Create(errors.Describe(
            FdoStringP::Format(L"Cannot commit to the SDF file '%ls'", (FdoString*)m_fileName)));
}

void SdfStore::RollbackTransaction() {
    if (!m_inTransaction) return;
    m_inTransaction = false;
    ogrcore::ErrorTrap quiet;
    Dataset()->RollbackTransaction();
}

}  // namespace sdf
