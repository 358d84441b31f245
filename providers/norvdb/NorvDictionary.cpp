// The data dictionary: catalog tables, the views over every owner, and
// what a dropped table or view leaves behind; see NorvDictionary.h.
#include "NorvDictionary.h"

#include "NorvDictionarySupport.h"

namespace norvdb {

using namespace detail;

namespace {

const char* kCatalog = R"SQL(
CREATE TABLE IF NOT EXISTS NORV$USERS (USERNAME TEXT PRIMARY KEY, SALT TEXT, HASH TEXT);
CREATE TABLE IF NOT EXISTS NORV$OWNERS (OWNER TEXT PRIMARY KEY, FILE TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS DUAL (DUMMY VARCHAR2(1));
INSERT INTO DUAL SELECT 'X' WHERE NOT EXISTS (SELECT 1 FROM DUAL);
CREATE TABLE IF NOT EXISTS ALL_SDO_GEOM_METADATA (
    OWNER VARCHAR2(32) NOT NULL, TABLE_NAME VARCHAR2(32) NOT NULL, COLUMN_NAME VARCHAR2(1024) NOT NULL,
    DIMINFO SDO_DIM_ARRAY, SRID NUMBER,
    UNIQUE (OWNER, TABLE_NAME, COLUMN_NAME));
CREATE TABLE IF NOT EXISTS NORV$INDEXES (
    INDEX_OWNER TEXT NOT NULL, INDEX_NAME TEXT NOT NULL, TABLE_OWNER TEXT NOT NULL, TABLE_NAME TEXT NOT NULL,
    COLUMN_NAME TEXT NOT NULL, UNIQUENESS TEXT NOT NULL, SPATIAL INTEGER NOT NULL, LAYER_GTYPE TEXT,
    PARAMETERS TEXT, STATUS TEXT NOT NULL, RTREE_QUALITY NUMBER, PHYSICAL_NAME TEXT NOT NULL,
    PRIMARY KEY (INDEX_OWNER, INDEX_NAME));
CREATE TABLE IF NOT EXISTS NORV$CONSTRAINTS (
    OWNER TEXT NOT NULL, CONSTRAINT_NAME TEXT NOT NULL, CONSTRAINT_TYPE TEXT NOT NULL, TABLE_NAME TEXT NOT NULL,
    STATUS TEXT NOT NULL, VALIDATED TEXT NOT NULL, INDEX_NAME TEXT,
    PRIMARY KEY (OWNER, CONSTRAINT_NAME));
CREATE TABLE IF NOT EXISTS NORV$CONS_COLUMNS (
    OWNER TEXT NOT NULL, CONSTRAINT_NAME TEXT NOT NULL, TABLE_NAME TEXT NOT NULL, COLUMN_NAME TEXT NOT NULL,
    POSITION INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS NORV$SPATIAL_CONTEXTS (
    NAME TEXT PRIMARY KEY, DESCRIPTION TEXT, CS_NAME TEXT, WKT TEXT, SRID INTEGER,
    EXTENT_TYPE INTEGER, EXTENT BLOB, XY_TOLERANCE REAL, Z_TOLERANCE REAL);
CREATE VIEW IF NOT EXISTS ALL_INDEXES AS
    SELECT INDEX_OWNER AS OWNER, INDEX_NAME, CASE SPATIAL WHEN 1 THEN 'DOMAIN' ELSE 'NORMAL' END AS INDEX_TYPE,
           TABLE_OWNER, TABLE_NAME, 'TABLE' AS TABLE_TYPE, UNIQUENESS,
           CASE SPATIAL WHEN 1 THEN 'MDSYS' END AS ITYP_OWNER,
           CASE SPATIAL WHEN 1 THEN 'SPATIAL_INDEX' END AS ITYP_NAME, PARAMETERS, 'VALID' AS STATUS,
           CASE SPATIAL WHEN 1 THEN STATUS END AS DOMIDX_STATUS
    FROM NORV$INDEXES;
CREATE VIEW IF NOT EXISTS ALL_IND_COLUMNS AS
    SELECT INDEX_OWNER, INDEX_NAME, TABLE_OWNER, TABLE_NAME, COLUMN_NAME, 1 AS COLUMN_POSITION FROM NORV$INDEXES;
CREATE VIEW IF NOT EXISTS ALL_SDO_INDEX_INFO AS
    SELECT INDEX_OWNER AS SDO_INDEX_OWNER, INDEX_NAME, TABLE_OWNER, TABLE_NAME, COLUMN_NAME,
           'RTREE' AS SDO_INDEX_TYPE, PHYSICAL_NAME AS SDO_INDEX_TABLE, STATUS AS SDO_INDEX_STATUS
    FROM NORV$INDEXES WHERE SPATIAL = 1;
CREATE VIEW IF NOT EXISTS ALL_SDO_INDEX_METADATA AS
    SELECT i.INDEX_OWNER AS SDO_INDEX_OWNER, i.INDEX_NAME AS SDO_INDEX_NAME, 'RTREE' AS SDO_INDEX_TYPE,
           COALESCE(i.LAYER_GTYPE, 'COLLECTION') AS SDO_LAYER_GTYPE,
           CASE WHEN m.SRID IN (4326, 8307, 4269, 8265, 4258, 4283, 8311, 4167) THEN 'TRUE' ELSE 'FALSE' END
               AS SDO_INDEX_GEODETIC,
           i.RTREE_QUALITY AS SDO_RTREE_QUALITY, i.PHYSICAL_NAME AS SDO_INDEX_TABLE, 2 AS SDO_INDEX_DIMS,
           i.TABLE_OWNER AS SDO_TABLE_OWNER, i.TABLE_NAME AS SDO_TABLE_NAME, i.COLUMN_NAME AS SDO_COLUMN_NAME
    FROM NORV$INDEXES i JOIN ALL_SDO_GEOM_METADATA m
      ON m.OWNER = i.TABLE_OWNER AND m.TABLE_NAME = i.TABLE_NAME AND m.COLUMN_NAME = i.COLUMN_NAME
    WHERE i.SPATIAL = 1;
CREATE VIEW IF NOT EXISTS ALL_CONSTRAINTS AS
    SELECT OWNER, CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, STATUS, VALIDATED, INDEX_NAME,
           OWNER AS INDEX_OWNER FROM NORV$CONSTRAINTS;
CREATE VIEW IF NOT EXISTS ALL_CONS_COLUMNS AS
    SELECT OWNER, CONSTRAINT_NAME, TABLE_NAME, COLUMN_NAME, POSITION FROM NORV$CONS_COLUMNS;
)SQL";


}  // namespace

void NorvDictionary::CreateCatalog(NorvDatabase& db) { Exec(db.Handle(), kCatalog); }

void NorvDictionary::CreateSessionViews(NorvDatabase& db) {
    std::string columns, tables, views;
    for (auto& o : db.Owners()) {
        std::string lit = SqlText(o), schema = SqlName(o);
        std::string hidden = " AND m.name NOT LIKE 'sqlite%' AND m.name NOT LIKE 'NORV$%'";
        if (!columns.empty()) {
            columns += " UNION ALL ";
            tables += " UNION ALL ";
            views += " UNION ALL ";
        }
        columns += "SELECT " + lit +
                   " AS OWNER, m.name AS TABLE_NAME, p.name AS COLUMN_NAME, NORV_TYPE_NAME(p.type) AS DATA_TYPE, "
                   "NORV_TYPE_LENGTH(p.type) AS DATA_LENGTH, NORV_TYPE_PRECISION(p.type) AS DATA_PRECISION, "
                   "NORV_TYPE_SCALE(p.type) AS DATA_SCALE, CASE WHEN p.\"notnull\" THEN 'N' ELSE 'Y' END AS NULLABLE, "
                   "p.cid + 1 AS COLUMN_ID FROM " +
                   schema + ".sqlite_master m JOIN pragma_table_info(m.name, " + lit +
                   ") p WHERE m.type IN ('table', 'view')" + hidden;
        tables += "SELECT " + lit + " AS OWNER, m.name AS TABLE_NAME FROM " + schema +
                  ".sqlite_master m WHERE m.type = 'table'" + hidden;
        views += "SELECT " + lit + " AS OWNER, m.name AS VIEW_NAME, length(m.sql) AS TEXT_LENGTH, m.sql AS TEXT FROM " +
                 schema + ".sqlite_master m WHERE m.type = 'view'" + hidden;
    }
    Exec(db.Handle(), "DROP VIEW IF EXISTS temp.ALL_TAB_COLUMNS; DROP VIEW IF EXISTS temp.ALL_TABLES; "
                      "DROP VIEW IF EXISTS temp.ALL_VIEWS; DROP VIEW IF EXISTS temp.USER_SDO_GEOM_METADATA");
    Exec(db.Handle(), "CREATE TEMP VIEW ALL_TAB_COLUMNS AS " + columns);
    Exec(db.Handle(), "CREATE TEMP VIEW ALL_TABLES AS " + tables);
    Exec(db.Handle(), "CREATE TEMP VIEW ALL_VIEWS AS " + views);
    Exec(db.Handle(), "CREATE TEMP VIEW USER_SDO_GEOM_METADATA AS SELECT TABLE_NAME, COLUMN_NAME, DIMINFO, SRID "
                      "FROM main.ALL_SDO_GEOM_METADATA WHERE OWNER = " +
                          SqlText(db.CurrentOwner()));
    std::string me = SqlText(db.CurrentOwner());
    Exec(db.Handle(),
         "CREATE TEMP TRIGGER USER_SDO_GEOM_METADATA_I INSTEAD OF INSERT ON USER_SDO_GEOM_METADATA BEGIN "
         "INSERT INTO ALL_SDO_GEOM_METADATA (OWNER, TABLE_NAME, COLUMN_NAME, DIMINFO, SRID) VALUES (" +
             me + ", NEW.TABLE_NAME, NEW.COLUMN_NAME, NEW.DIMINFO, NEW.SRID); END");
    Exec(db.Handle(),
         "CREATE TEMP TRIGGER USER_SDO_GEOM_METADATA_U INSTEAD OF UPDATE ON USER_SDO_GEOM_METADATA BEGIN "
         "UPDATE ALL_SDO_GEOM_METADATA SET TABLE_NAME = NEW.TABLE_NAME, COLUMN_NAME = NEW.COLUMN_NAME, "
         "DIMINFO = NEW.DIMINFO, SRID = NEW.SRID WHERE OWNER = " +
             me + " AND TABLE_NAME = OLD.TABLE_NAME AND COLUMN_NAME = OLD.COLUMN_NAME; END");
    Exec(db.Handle(),
         "CREATE TEMP TRIGGER USER_SDO_GEOM_METADATA_D INSTEAD OF DELETE ON USER_SDO_GEOM_METADATA BEGIN "
         "DELETE FROM ALL_SDO_GEOM_METADATA WHERE OWNER = " +
             me + " AND TABLE_NAME = OLD.TABLE_NAME AND COLUMN_NAME = OLD.COLUMN_NAME; END");
}

std::string NorvDictionary::ObjectType(NorvDatabase& db, const std::string& owner, const std::string& name) {
    if (!db.HasOwner(owner)) return "";
    auto q = db.Prepare("SELECT type FROM " + SqlName(owner) +
                        ".sqlite_master WHERE name = ? COLLATE NOCASE AND type IN ('table', 'view')");
    q->Bind(1, name);
    try {
        return q->Step() ? q->Text(0) : "";
    } catch (SqliteError& e) {
        throw db.Error(e);
    }
}

std::string NorvDictionary::ColumnType(NorvDatabase& db, const std::string& owner, const std::string& table,
                                       const std::string& column) {
    auto q = db.Prepare("SELECT type FROM pragma_table_info(?, ?) WHERE name = ? COLLATE NOCASE");
    q->Bind(1, table).Bind(2, owner).Bind(3, column);
    try {
        if (!q->Step()) return "";
        std::string t = q->Text(0);
        return t.empty() ? "?" : t;
    } catch (SqliteError& e) {
        throw db.Error(e);
    }
}

void NorvDictionary::ForgetObject(NorvDatabase& db, const ObjectName& object) {
    std::string owner = Owner(db, object);
    std::vector<IndexRow> indexes;
    {
        auto q = db.Prepare("SELECT INDEX_OWNER, INDEX_NAME FROM NORV$INDEXES WHERE TABLE_OWNER = ? AND TABLE_NAME = ?");
        q->Bind(1, owner).Bind(2, object.name);
        while (q->Step()) {
            IndexRow ix;
            if (FindIndex(db, q->Text(0), q->Text(1), ix)) indexes.push_back(ix);
        }
    }
    for (auto& ix : indexes) DropPhysicalIndex(db, ix);
    for (const char* sql : {"DELETE FROM NORV$INDEXES WHERE TABLE_OWNER = ? AND TABLE_NAME = ?",
                            "DELETE FROM NORV$CONSTRAINTS WHERE OWNER = ? AND TABLE_NAME = ?",
                            "DELETE FROM NORV$CONS_COLUMNS WHERE OWNER = ? AND TABLE_NAME = ?",
                            "DELETE FROM main.ALL_SDO_GEOM_METADATA WHERE OWNER = ? AND TABLE_NAME = ?"}) {
        auto del = db.Prepare(sql);
        del->Bind(1, owner).Bind(2, object.name);
        try {
            del->Run();
        } catch (SqliteError& e) {
            throw db.Error(e);
        }
    }
}


}  // namespace norvdb
