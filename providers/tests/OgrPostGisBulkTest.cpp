// Batched inserts into PostGIS tables made by someone else: the rows are
// streamed in bulk, yet every row still gets, and reports, the id it is
// stored under; a row the server refuses fails the batch that sent it; and
// the look-up of a table's id sequence copes with the names PostgreSQL
// allows. Runs against the loopback server of scripts/postgis.sh.
#include "OgrProviderTestSupport.h"

#include <ogrcore/OgrBulkRows.h>

#include <unistd.h>

namespace {

using namespace ogrptest;

// An update handle on the test server, for setting tables up and looking.
class Server {
public:
    Server() {
        ogrcore::Init();
        m_ds = GDALOpenEx(PostGis().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, nullptr, nullptr, nullptr);
        EXPECT_NE(m_ds, nullptr);
    }
    ~Server() {
        if (m_ds) GDALClose(m_ds);
    }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;
    GDALDatasetH Handle() const { return m_ds; }

    void Run(const std::string& sql) {
        ogrcore::ErrorTrap trap;
        OGRLayerH rows = GDALDatasetExecuteSQL(m_ds, sql.c_str(), nullptr, nullptr);
        if (rows) GDALDatasetReleaseResultSet(m_ds, rows);
        EXPECT_FALSE(trap.HasFailure()) << sql << ": " << trap.Messages();
    }
    // The first column of each row of a query, as text.
    std::vector<std::string> Column(const std::string& sql) {
        std::vector<std::string> out;
        OGRLayerH rows = GDALDatasetExecuteSQL(m_ds, sql.c_str(), nullptr, nullptr);
        if (!rows) return out;
        while (OGRFeatureH f = OGR_L_GetNextFeature(rows)) {
            out.push_back(OGR_F_IsFieldSetAndNotNull(f, 0) ? OGR_F_GetFieldAsString(f, 0) : "null");
            OGR_F_Destroy(f);
        }
        GDALDatasetReleaseResultSet(m_ds, rows);
        return out;
    }

private:
    GDALDatasetH m_ds = nullptr;
};

FdoStringP Writable() { return FdoStringP(L"DataSource=") + FdoStringP(PostGis().c_str()); }

// A table of points with a code that must stay below 1000, made outside
// the provider, as another tool or an earlier session would have made it.
struct BulkTable {
    std::string name = "bulk_" + std::to_string(getpid());
    BulkTable() {
        Server server;
        server.Run("DROP TABLE IF EXISTS " + name);
        server.Run("CREATE TABLE " + name +
                   " (fid serial PRIMARY KEY, code integer CONSTRAINT " + name +
                   "_code_below_1000 CHECK (code < 1000), label varchar(20), geom geometry(Point, 4326))");
    }
    ~BulkTable() { Server().Run("DROP TABLE IF EXISTS " + name); }
};

// An insert of code, label and geometry bound to parameters, and one batch
// of rows for it.
class BatchInsert {
public:
    BatchInsert(FdoIConnection* c, const std::string& table) {
        m_insert = shptest::Command<FdoIInsert>(c, FdoCommandType_Insert);
        m_insert->SetFeatureClassName(FdoStringP(table.c_str()));
        FdoPtr<FdoPropertyValueCollection> values = m_insert->GetPropertyValues();
        for (FdoString* name : {L"code", L"label", L"geom"}) {
            FdoPtr<FdoParameter> parameter = FdoParameter::Create(name);
            FdoPtr<FdoPropertyValue> value = FdoPropertyValue::Create(name, parameter);
            values->Add(value);
        }
    }
    // A row; a null label or an absent point when asked.
    void Add(FdoInt32 code, const wchar_t* label, bool point = true) {
        FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
        FdoPtr<FdoDataValue> codeValue = FdoDataValue::Create(code);
        FdoPtr<FdoDataValue> labelValue = label ? FdoDataValue::Create(label) : FdoDataValue::Create(FdoDataType_String);
        FdoPtr<FdoGeometryValue> geometry = FdoGeometryValue::Create();
        if (point) {
            FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
            double xy[] = {code * 0.001, -code * 0.001};
            FdoPtr<FdoIPoint> p = factory->CreatePoint(FdoDimensionality_XY, xy);
            FdoPtr<FdoByteArray> fgf = factory->GetFgf(p);
            geometry = FdoGeometryValue::Create(fgf);
        }
        FdoPtr<FdoParameterValue> a = FdoParameterValue::Create(L"code", codeValue);
        FdoPtr<FdoParameterValue> b = FdoParameterValue::Create(L"label", labelValue);
        FdoPtr<FdoParameterValue> g = FdoParameterValue::Create(L"geom", geometry);
        row->Add(a);
        row->Add(b);
        row->Add(g);
        FdoPtr<FdoBatchParameterValueCollection> batch = m_insert->GetBatchParameterValues();
        batch->Add(row);
    }
    // Executes the batch; the ids the insert reports, in row order.
    std::vector<long long> Execute() {
        FdoPtr<FdoBatchParameterValueCollection> batch = m_insert->GetBatchParameterValues();
        std::vector<long long> ids;
        try {
            FdoPtr<FdoIFeatureReader> inserted = m_insert->Execute();
            while (inserted->ReadNext()) ids.push_back(inserted->GetInt32(L"fid"));
        } catch (...) {
            batch->Clear();
            throw;
        }
        batch->Clear();
        return ids;
    }
    FdoIInsert* Command() const { return m_insert; }

private:
    FdoPtr<FdoIInsert> m_insert;
};

TEST(OgrPostGisBulk, EveryRowOfABatchReportsTheIdItIsStoredUnder) {
    POSTGIS_OR_SKIP();
    BulkTable table;
    std::vector<long long> ids;
    {
        FdoPtr<FdoIConnection> c = Connect(L"OSGeo.OGR", Writable());
        BatchInsert insert(c, table.name);
        // Text that the bulk format must escape, a null and a missing point.
        for (int i = 0; i < 250; i++) {
            FdoStringP label = i == 8 ? FdoStringP(L"tab\there\\back\nline") : FdoStringP::Format(L"row %d", i);
            insert.Add(i, i == 7 ? nullptr : static_cast<FdoString*>(label), i != 9);
        }
        auto first = insert.Execute();
        ASSERT_EQ(first.size(), 250u);
        ids.insert(ids.end(), first.begin(), first.end());
        // A single row between two batches, as the engine never does but a
        // caller may: its id comes from the same sequence and must not meet
        // the ids of the batches around it.
        FdoPtr<FdoIInsert> single = shptest::Command<FdoIInsert>(c, FdoCommandType_Insert);
        single->SetFeatureClassName(FdoStringP(table.name.c_str()));
        FdoPtr<FdoPropertyValueCollection> values = single->GetPropertyValues();
        FdoPtr<FdoPropertyValue> code = FdoPropertyValue::Create(L"code", FdoPtr<FdoDataValue>(FdoDataValue::Create(250)));
        values->Add(code);
        FdoPtr<FdoIFeatureReader> one = single->Execute();
        ASSERT_TRUE(one->ReadNext());
        ids.push_back(one->GetInt32(L"fid"));
        for (int i = 251; i < 254; i++) insert.Add(i, FdoStringP::Format(L"row %d", i));
        auto last = insert.Execute();
        ASSERT_EQ(last.size(), 3u);
        ids.insert(ids.end(), last.begin(), last.end());
        c->Close();
    }
    for (size_t i = 1; i < ids.size(); i++) EXPECT_LT(ids[i - 1], ids[i]) << "row " << i;

    // Every id names the row that was given it.
    Server server;
    auto stored = server.Column("SELECT fid || ':' || code || ':' || coalesce(label, 'null') || ':' || "
                                "(geom IS NOT NULL) FROM " + table.name + " ORDER BY fid");
    ASSERT_EQ(stored.size(), ids.size());
    for (size_t i = 0; i < ids.size(); i++) {
        std::string label = i == 7 || i == 250 ? "null" : i == 8 ? "tab\there\\back\nline" : "row " + std::to_string(i);
        std::string point = i == 9 || i == 250 ? "false" : "true";
        EXPECT_EQ(stored[i], std::to_string(ids[i]) + ":" + std::to_string(i) + ":" + label + ":" + point) << "row " << i;
    }
    // The sequence has moved past the rows: the next row gets a new id.
    server.Run("INSERT INTO " + table.name + " (code) VALUES (999)");
    auto next = server.Column("SELECT max(fid) FROM " + table.name);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_GT(std::stoll(next[0]), ids.back());
}

TEST(OgrPostGisBulk, ARowTheServerRefusesFailsTheBatchThatSentIt) {
    POSTGIS_OR_SKIP();
    BulkTable table;
    FdoPtr<FdoIConnection> c = Connect(L"OSGeo.OGR", Writable());
    BatchInsert insert(c, table.name);
    for (int i = 0; i < 100; i++) insert.Add(i, L"fine");
    EXPECT_EQ(insert.Execute().size(), 100u);
    for (int i = 0; i < 100; i++) insert.Add(i == 41 ? 5000 : i, L"refused");
    std::string error = ErrorOf([&] { insert.Execute(); });
    EXPECT_NE(error.find("Inserting features into class '" + table.name + "' failed"), std::string::npos) << error;
    // The server's own words, which name the constraint and the row.
    EXPECT_NE(error.find(table.name + "_code_below_1000"), std::string::npos) << error;
    try {
        c->Close();
    } catch (FdoException* e) {
        e->Release();  // the transaction the refusal aborted cannot commit
    }
    Server server;
    EXPECT_EQ(server.Column("SELECT count(*) FROM " + table.name + " WHERE code = 5000"),
              std::vector<std::string>{"0"});
}

TEST(OgrPostGisBulk, TheIdSequenceIsFoundWhateverTheTableIsCalled) {
    POSTGIS_OR_SKIP();
    Server server;
    const std::string schema = "Bulk Schema " + std::to_string(getpid());
    server.Run("DROP SCHEMA IF EXISTS \"" + schema + "\" CASCADE");
    server.Run("CREATE SCHEMA \"" + schema + "\"");
    // A quote, capitals and a dot in the names; a table whose ids come from
    // nowhere (a plain integer key) gets no bulk rows.
    server.Run("CREATE TABLE \"" + schema + "\".\"It's Mixed.Case\" (\"Key Id\" serial PRIMARY KEY, "
               "geom geometry(Point, 4326))");
    server.Run("CREATE TABLE \"" + schema + "\".plain_key (id integer PRIMARY KEY, geom geometry(Point, 4326))");
    {
        GDALDatasetH ds = GDALOpenEx(PostGis().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, nullptr, nullptr, nullptr);
        ASSERT_NE(ds, nullptr);
        OGRLayerH mixed = GDALDatasetGetLayerByName(ds, (schema + ".It's Mixed.Case").c_str());
        ASSERT_NE(mixed, nullptr);
        std::string sequence = ogrcore::BulkIdSequence(ds, mixed);
        EXPECT_NE(sequence.find("Key Id"), std::string::npos) << sequence;
        std::vector<GIntBig> ids = ogrcore::DrawIds(ds, sequence, 5, L"mixed");
        EXPECT_EQ(ids, (std::vector<GIntBig>{1, 2, 3, 4, 5}));
        OGRLayerH plain = GDALDatasetGetLayerByName(ds, (schema + ".plain_key").c_str());
        ASSERT_NE(plain, nullptr);
        EXPECT_EQ(ogrcore::BulkIdSequence(ds, plain), "");
        GDALClose(ds);
    }
    server.Run("DROP SCHEMA \"" + schema + "\" CASCADE");
}

TEST(OgrPostGisBulk, FilesAreNotWrittenInBulk) {
    ogrcore::Init();
    fs::path dir = geoxfer_test::TempDir("bulk-gpkg");
    GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GPKG"), (dir / "t.gpkg").string().c_str(), 0, 0, 0,
                                 GDT_Unknown, nullptr);
    ASSERT_NE(ds, nullptr);
    OGRLayerH layer = GDALDatasetCreateLayer(ds, "t", nullptr, wkbPoint, nullptr);
    EXPECT_EQ(ogrcore::BulkIdSequence(ds, layer), "");
    GDALClose(ds);
}

}  // namespace
