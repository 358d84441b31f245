// A copy into an SDF file killed at several moments, from the first rows to
// the end: whatever is left opens in GDAL, passes SQLite's integrity check,
// and has a spatial index that is either complete (one entry per stored
// shape, rtreecheck "ok") or absent; the next writable open through
// OSGeo.SDF builds a missing one (for a table that has rows), after which spatial filters through GDAL
// and through the provider answer as a full scan does.
#include "E2ESupport.h"

#include <Fdo.h>

#include <chrono>
#include <csignal>
#include <set>
#include <thread>

namespace {

namespace fs = std::filesystem;

// A started GXFCmd, killed or waited for.
struct Started {
    pid_t pid = 0;
};

Started StartGXFCmd(const std::vector<std::string>& args) {
    std::vector<std::string> argvText{e2e::GXFCmdPath().string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Started s;
    if (posix_spawn(&s.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) s.pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return s;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::string One(GDALDataset* ds, const std::string& sql) {
    std::string out;
    CPLPushErrorHandler(CPLQuietErrorHandler);
    if (OGRLayer* rows = ds->ExecuteSQL(sql.c_str(), nullptr, nullptr)) {
        if (OGRFeature* f = rows->GetNextFeature()) {
            out = f->GetFieldAsString(0);
            OGRFeature::DestroyFeature(f);
        }
        ds->ReleaseResultSet(rows);
    }
    CPLPopErrorHandler();
    return out;
}

e2e::Dataset OpenForUpdate(const fs::path& file) {
    GDALAllRegister();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    // For update: SQLite rolls back what the killed process left in its journal.
    e2e::Dataset ds(static_cast<GDALDataset*>(
        GDALOpenEx(file.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, nullptr, nullptr, nullptr)));
    CPLPopErrorHandler();
    return ds;
}

// Checks the file as a kill may leave it; true when its index is there.
bool ExpectConsistent(const fs::path& file, const std::string& when) {
    SCOPED_TRACE(when);
    e2e::Dataset ds = OpenForUpdate(file);
    EXPECT_TRUE(ds) << "GDAL cannot open " << file;
    if (!ds) return false;
    EXPECT_EQ(One(ds.get(), "PRAGMA integrity_check"), "ok");
    const bool hasTable = !One(ds.get(), "SELECT name FROM sqlite_master WHERE name = 'lots'").empty();
    const bool indexed = !One(ds.get(), "SELECT name FROM sqlite_master WHERE name = 'rtree_lots_Geometry'").empty();
    const bool registered = !One(ds.get(), "SELECT table_name FROM gpkg_extensions WHERE table_name = 'lots' AND "
                                           "extension_name = 'gpkg_rtree_index'")
                                 .empty();
    EXPECT_EQ(indexed, registered);
    if (hasTable && indexed) {
        EXPECT_EQ(One(ds.get(), "SELECT rtreecheck('rtree_lots_Geometry')"), "ok");
        EXPECT_EQ(One(ds.get(), "SELECT COUNT(*) FROM rtree_lots_Geometry"),
                  One(ds.get(), "SELECT COUNT(*) FROM lots WHERE Geometry NOT NULL AND NOT ST_IsEmpty(Geometry)"));
    }
    return hasTable && indexed;
}

std::set<long long> GdalIds(const fs::path& file, bool window) {
    e2e::Dataset ds = e2e::OpenVector(file);
    std::set<long long> ids;
    if (!ds) return ids;
    OGRLayer* layer = ds->GetLayerByName("lots");
    if (!layer) return ids;
    if (window) layer->SetSpatialFilterRect(200, 100, 1000, 300);
    for (auto& f : *layer) ids.insert(f->GetFID());
    return ids;
}

FdoIConnection* OpenSdf(const fs::path& file, bool readOnly) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> c = manager->CreateConnection(L"OSGeo.SDF");
    FdoStringP text = FdoStringP::Format(L"File=%ls%ls", (FdoString*)FdoStringP(file.string().c_str()),
                                         readOnly ? L";ReadOnly=TRUE" : L"");
    c->SetConnectionString(text);
    c->Open();
    return c.Detach();
}

std::set<long long> SdfIds(const fs::path& file, FdoString* filter) {
    FdoPtr<FdoIConnection> c = OpenSdf(file, true);
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(c->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(L"lots");
    if (filter) select->SetFilter(filter);
    FdoPtr<FdoIFeatureReader> r = select->Execute();
    std::set<long long> ids;
    FdoPtr<FdoClassDefinition> cls = r->GetClassDefinition();
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    FdoPtr<FdoDataPropertyDefinition> id = identity->GetItem(0);
    while (r->ReadNext()) ids.insert(r->GetInt32(id->GetName()));
    r->Close();
    c->Close();
    return ids;
}

// The rows whose square meets the window x 200..1000, y 100..300 (the
// squares are 8 wide, at multiples of 10).
std::set<long long> ExpectedInWindow(const std::set<long long>& all) {
    std::set<long long> in;
    for (long long fid : all) {
        const long long i = fid - 1, x = (i % 200) * 10, y = (i / 200) * 10;
        if (x + 8 >= 200 && x <= 1000 && y + 8 >= 100 && y <= 300) in.insert(fid);
    }
    return in;
}

}  // namespace

TEST(KillCopy, AKilledCopyLeavesAConsistentFileWhoseIndexIsCompleteOrAbsent) {
    const auto dir = geoxfer_test::TempDir("e2e-kill");
    const std::string lots =
        "print \"wkt,name,code\"; for (i = 0; i < 40000; i++) { x = (i % 200) * 10; y = int(i / 200) * 10;"
        " printf \"\\\"POLYGON ((%d %d,%d %d,%d %d,%d %d,%d %d))\\\",lot %d,%d\\n\", x, y, x + 8, y, x + 8, y + 8, x, y + 8,"
        " x, y, i, i % 97 }";
    if (!e2e::ShapeFileFromAwk(dir, "lots", lots, "-oo GEOM_POSSIBLE_NAMES=wkt -oo KEEP_GEOM_COLUMNS=NO"))
        GTEST_SKIP() << "awk or ogr2ogr is not available";

    e2e::CopyTask task;
    task.sourceConn = e2e::ShpConn(dir / "lots.shp");
    task.destConn = e2e::SdfConn(dir / "lots.sdf");
    task.classes = {{"lots", "lots", "", {}}};
    task.sdfOverwrite = true;
    const auto taskFile = e2e::WriteCopyTask(dir / "task.xml", task);

    // One whole run gives the time the kills are spread over.
    const auto start = std::chrono::steady_clock::now();
    auto whole = e2e::RunGXFCmd({"CopyTask", taskFile.string()});
    const double total = Seconds(start);
    ASSERT_EQ(whole.exitCode, 0) << whole.out << whole.err;
    EXPECT_TRUE(ExpectConsistent(dir / "lots.sdf", "after a whole copy"));

    int absent = 0, complete = 0;
    for (double share : {0.15, 0.4, 0.65, 0.85, 0.93, 0.97, 1.0}) {
        fs::remove(dir / "lots.sdf");
        Started run = StartGXFCmd({"CopyTask", taskFile.string()});
        ASSERT_NE(run.pid, 0);
        std::this_thread::sleep_for(std::chrono::duration<double>(share * total));
        kill(run.pid, SIGKILL);
        int status = 0;
        waitpid(run.pid, &status, 0);
        const std::string when = "killed at " + std::to_string(share) + " of " + std::to_string(total) + " s";
        if (!fs::exists(dir / "lots.sdf")) continue;  // killed before the store was made
        const bool indexed = ExpectConsistent(dir / "lots.sdf", when);
        (indexed ? complete : absent)++;
        if (indexed) continue;
        // The next writable open through the provider builds the index.
        {
            FdoPtr<FdoIConnection> c = OpenSdf(dir / "lots.sdf", false);
            c->Close();
        }
        e2e::Dataset ds = e2e::OpenVector(dir / "lots.sdf");
        OGRLayer* lots = ds ? ds->GetLayerByName("lots") : nullptr;
        const bool hasRows = lots && lots->GetFeatureCount() > 0;
        ds.reset();
        if (!lots) continue;
        // An empty table gets its index with its first rows.
        EXPECT_EQ(ExpectConsistent(dir / "lots.sdf", when + ", then opened for writing"), hasRows);
        const std::set<long long> all = GdalIds(dir / "lots.sdf", false);
        const std::set<long long> expected = ExpectedInWindow(all);
        EXPECT_EQ(GdalIds(dir / "lots.sdf", true), expected) << when;
        EXPECT_EQ(SdfIds(dir / "lots.sdf",
                         L"Geometry ENVELOPEINTERSECTS GeomFromText('POLYGON ((200 100, 1000 100, 1000 300, 200 300, "
                         L"200 100))')"),
                  expected)
            << when;
        EXPECT_EQ(SdfIds(dir / "lots.sdf", nullptr), all) << when;
    }
    std::cout << "kills leaving the index absent: " << absent << ", complete: " << complete << "\n";
    fs::remove_all(dir);
}
