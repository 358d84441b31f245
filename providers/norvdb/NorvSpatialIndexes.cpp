// Index statements: plain indexes become SQLite indexes; spatial indexes
// become R-trees of the geometries' bounding boxes, kept current by
// triggers, and are refused on a column without a spatial metadata row, as
// Oracle refuses them. See NorvDictionary.h.
#include "NorvDictionary.h"

#include "NorvDictionarySupport.h"

namespace norvdb {

using namespace detail;

namespace {

const char* kLayerGTypes[] = {"POINT",      "LINE",         "CURVE",      "POLYGON",       "SURFACE",
                              "COLLECTION", "MULTIPOINT",   "MULTILINE",  "MULTICURVE",    "MULTIPOLYGON",
                              "MULTISURFACE", "SOLID",      "MULTISOLID"};


// layer_gtype from "layer_gtype= POINT ..." (other parameters are accepted
// and kept in the dictionary as written). Empty when not given.
std::string LayerGType(NorvDatabase& db, const std::string& parameters) {
    std::string upper = Upper(parameters);
    size_t at = upper.find("LAYER_GTYPE");
    if (at == std::string::npos) return "";
    size_t eq = upper.find('=', at);
    if (eq == std::string::npos) throw db.Error(NorvError::BadParameter, parameters);
    size_t start = upper.find_first_not_of(" \t", eq + 1);
    size_t end = start == std::string::npos ? std::string::npos : upper.find_first_of(" \t,", start);
    std::string value = start == std::string::npos ? "" : upper.substr(start, end - start);
    for (const char* g : kLayerGTypes)
        if (value == g) return value;
    throw db.Error(NorvError::BadParameter, "layer_gtype '" + Trim(value) + "'");
}

void FillRtree(NorvDatabase& db, const IndexRow& ix) {
    std::string rt = Qualified(ix.tableOwner, ix.physical);
    std::string col = SqlName(ix.column);
    db.Run("DELETE FROM " + rt);
    db.Run("INSERT INTO " + rt + " SELECT rowid, NORV_MINX(" + col + "), NORV_MAXX(" + col + "), NORV_MINY(" + col +
           "), NORV_MAXY(" + col + ") FROM " + Qualified(ix.tableOwner, ix.tableName) + " WHERE " + col +
           " IS NOT NULL AND NORV_MINX(" + col + ") IS NOT NULL");
}

void CreateRtree(NorvDatabase& db, const IndexRow& ix) {
    std::string owner = SqlName(ix.tableOwner);
    std::string rt = SqlName(ix.physical);
    std::string table = SqlName(ix.tableName);
    std::string col = SqlName(ix.column);
    std::string values = "NEW.rowid, NORV_MINX(NEW." + col + "), NORV_MAXX(NEW." + col + "), NORV_MINY(NEW." + col +
                         "), NORV_MAXY(NEW." + col + ")";
    std::string when = " WHERE NEW." + col + " IS NOT NULL AND NORV_MINX(NEW." + col + ") IS NOT NULL";
    db.Run("CREATE VIRTUAL TABLE " + owner + "." + rt + " USING rtree(ID, MINX, MAXX, MINY, MAXY)");
    db.Run("CREATE TRIGGER " + owner + "." + SqlName(ix.physical + "_I") + " AFTER INSERT ON " + table +
           " BEGIN INSERT INTO " + rt + " SELECT " + values + when + "; END");
    db.Run("CREATE TRIGGER " + owner + "." + SqlName(ix.physical + "_U") + " AFTER UPDATE ON " + table +
           " BEGIN DELETE FROM " + rt + " WHERE ID = OLD.rowid; INSERT INTO " + rt + " SELECT " + values + when +
           "; END");
    db.Run("CREATE TRIGGER " + owner + "." + SqlName(ix.physical + "_D") + " AFTER DELETE ON " + table +
           " BEGIN DELETE FROM " + rt + " WHERE ID = OLD.rowid; END");
    FillRtree(db, ix);
}

}  // namespace

void NorvDictionary::CreateIndex(NorvDatabase& db, const NorvStatement& st) {
    IndexRow ix;
    ix.indexOwner = Owner(db, st.object);
    ix.indexName = st.object.name;
    ix.tableOwner = Owner(db, st.table);
    ix.tableName = st.table.name;
    ix.spatial = st.spatial;
    RequireOwner(db, ix.indexOwner);
    RequireOwner(db, ix.tableOwner);
    std::string type = ObjectType(db, ix.tableOwner, ix.tableName);
    if (type != "table") throw db.Error(NorvError::NoSuchTable, ix.tableOwner + "." + ix.tableName);
    IndexRow existing;
    if (FindIndex(db, ix.indexOwner, ix.indexName, existing))
        throw db.Error(NorvError::NameInUse, ix.indexOwner + "." + ix.indexName);
    for (auto& c : st.columns) {
        std::string ct = ColumnType(db, ix.tableOwner, ix.tableName, c);
        if (ct.empty()) throw db.Error(NorvError::NoSuchColumn, "\"" + c + "\"");
        if (!ix.column.empty()) ix.column += ",";
        ix.column += c;
    }
    std::string gtype;
    if (ix.spatial) {
        if (st.columns.size() != 1)
            throw db.Error(NorvError::BadParameter, "a spatial index covers exactly one column");
        std::string ct = ColumnType(db, ix.tableOwner, ix.tableName, ix.column);
        if (Trim(Upper(ct.substr(0, ct.find('(')))) != db.Dialect().geometryType)
            throw db.Error(NorvError::BadParameter, "column " + ix.column + " is not of type " + db.Dialect().geometryType);
        auto q = db.Prepare("SELECT 1 FROM main.ALL_SDO_GEOM_METADATA WHERE OWNER = ? AND TABLE_NAME = ? AND "
                            "COLUMN_NAME = ?");
        q->Bind(1, ix.tableOwner).Bind(2, ix.tableName).Bind(3, ix.column);
        bool found;
        try {
            found = q->Step();
        } catch (SqliteError& e) {
            throw db.Error(e);
        }
        if (!found)
            throw db.Error(NorvError::NoSpatialMetadata,
                           "no metadata row for " + ix.tableOwner + "." + ix.tableName + "." + ix.column);
        gtype = LayerGType(db, st.parameters);
        ix.physical = "NORV$RT_" + ix.indexOwner + "_" + ix.indexName;
    } else {
        ix.physical = ix.indexOwner == ix.tableOwner ? ix.indexName : ix.indexOwner + "$" + ix.indexName;
    }
    Atomically(db, [&] {
        if (ix.spatial) {
            CreateRtree(db, ix);
        } else {
            std::string cols;
            for (auto& c : st.columns) cols += (cols.empty() ? "" : ", ") + SqlName(c);
            db.Run(std::string(st.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                   Qualified(ix.tableOwner, ix.physical) + " ON " + SqlName(ix.tableName) + " (" + cols + ")");
        }
        auto add = db.Prepare(
            "INSERT INTO NORV$INDEXES (INDEX_OWNER, INDEX_NAME, TABLE_OWNER, TABLE_NAME, COLUMN_NAME, UNIQUENESS, "
            "SPATIAL, LAYER_GTYPE, PARAMETERS, STATUS, RTREE_QUALITY, PHYSICAL_NAME) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'VALID', ?, ?)");
        add->Bind(1, ix.indexOwner).Bind(2, ix.indexName).Bind(3, ix.tableOwner).Bind(4, ix.tableName);
        add->Bind(5, ix.column).Bind(6, std::string(st.unique ? "UNIQUE" : "NONUNIQUE"));
        add->Bind(7, static_cast<int64_t>(ix.spatial ? 1 : 0));
        if (gtype.empty()) add->BindNull(8);
        else add->Bind(8, gtype);
        if (st.parameters.empty()) add->BindNull(9);
        else add->Bind(9, st.parameters);
        if (ix.spatial) add->Bind(10, 1.0);
        else add->BindNull(10);
        add->Bind(11, ix.physical);
        try {
            add->Run();
        } catch (SqliteError& e) {
            throw db.Error(e);
        }
    });
}

void NorvDictionary::RebuildIndex(NorvDatabase& db, const NorvStatement& st) {
    IndexRow ix;
    std::string owner = Owner(db, st.object);
    if (!FindIndex(db, owner, st.object.name, ix)) throw db.Error(NorvError::NoSuchIndex, owner + "." + st.object.name);
    std::string gtype = ix.spatial ? LayerGType(db, st.parameters) : "";
    Atomically(db, [&] {
        if (ix.spatial) {
            FillRtree(db, ix);
            auto up = db.Prepare("UPDATE NORV$INDEXES SET STATUS = 'VALID', RTREE_QUALITY = 1.0, "
                                 "LAYER_GTYPE = COALESCE(?, LAYER_GTYPE), PARAMETERS = COALESCE(?, PARAMETERS) "
                                 "WHERE INDEX_OWNER = ? AND INDEX_NAME = ?");
            if (gtype.empty()) up->BindNull(1);
            else up->Bind(1, gtype);
            if (st.parameters.empty()) up->BindNull(2);
            else up->Bind(2, st.parameters);
            up->Bind(3, ix.indexOwner).Bind(4, ix.indexName);
            try {
                up->Run();
            } catch (SqliteError& e) {
                throw db.Error(e);
            }
        } else {
            db.Run("REINDEX " + Qualified(ix.tableOwner, ix.physical));
        }
    });
}

void NorvDictionary::DropIndex(NorvDatabase& db, const NorvStatement& st) {
    IndexRow ix;
    std::string owner = Owner(db, st.object);
    if (!FindIndex(db, owner, st.object.name, ix)) throw db.Error(NorvError::NoSuchIndex, owner + "." + st.object.name);
    auto used = db.Prepare("SELECT 1 FROM NORV$CONSTRAINTS WHERE OWNER = ? AND INDEX_NAME = ?");
    used->Bind(1, ix.tableOwner).Bind(2, ix.indexName);
    if (used->Step())
        throw db.Error(NorvError::Other, "ORA-02429: cannot drop index used for enforcement of unique/primary key");
    Atomically(db, [&] {
        DropPhysicalIndex(db, ix);
        auto del = db.Prepare("DELETE FROM NORV$INDEXES WHERE INDEX_OWNER = ? AND INDEX_NAME = ?");
        del->Bind(1, ix.indexOwner).Bind(2, ix.indexName);
        del->Run();
    });
}

}  // namespace norvdb
