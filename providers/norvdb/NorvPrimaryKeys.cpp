// Primary keys: on a table a unique index plus not-null triggers, validated
// at once; on a view only recorded (DISABLE NOVALIDATE), as Oracle keeps a
// declared key of a view. See NorvDictionary.h.
#include "NorvDictionary.h"

#include "NorvDictionarySupport.h"

namespace norvdb {

using namespace detail;

void NorvDictionary::AddPrimaryKey(NorvDatabase& db, const NorvStatement& st) {
    std::string owner = Owner(db, st.table);
    RequireOwner(db, owner);
    const std::string& table = st.table.name;
    std::string type = ObjectType(db, owner, table);
    if (type.empty() || (st.onView && type != "view") || (!st.onView && type != "table"))
        throw db.Error(NorvError::NoSuchTable, owner + "." + table);
    {
        auto pk = db.Prepare("SELECT CONSTRAINT_NAME FROM NORV$CONSTRAINTS WHERE OWNER = ? AND TABLE_NAME = ? AND "
                             "CONSTRAINT_TYPE = 'P'");
        pk->Bind(1, owner).Bind(2, table);
        if (pk->Step()) throw db.Error(NorvError::PrimaryKeyExists, owner + "." + table);
        auto name = db.Prepare("SELECT 1 FROM NORV$CONSTRAINTS WHERE OWNER = ? AND CONSTRAINT_NAME = ?");
        name->Bind(1, owner).Bind(2, st.constraintName);
        if (name->Step()) throw db.Error(NorvError::NameInUse, owner + "." + st.constraintName);
    }
    std::string cols, notNull;
    for (auto& c : st.columns) {
        if (ColumnType(db, owner, table, c).empty()) throw db.Error(NorvError::NoSuchColumn, "\"" + c + "\"");
        cols += (cols.empty() ? "" : ", ") + SqlName(c);
        notNull += (notNull.empty() ? "" : " OR ") + std::string("NEW.") + SqlName(c) + " IS NULL";
    }
    bool enforced = !st.onView && !st.disabled;
    std::string physical = "NORV$PK_" + st.constraintName;
    if (enforced) {
        std::string nulls;
        for (auto& c : st.columns) nulls += (nulls.empty() ? "" : " OR ") + SqlName(c) + " IS NULL";
        auto q = db.Prepare("SELECT 1 FROM " + Qualified(owner, table) + " WHERE " + nulls + " LIMIT 1");
        if (q->Step()) throw db.Error(NorvError::Other, "ORA-01449: column contains NULL values; cannot alter to NOT NULL");
        auto d = db.Prepare("SELECT 1 FROM " + Qualified(owner, table) + " GROUP BY " + cols +
                            " HAVING COUNT(*) > 1 LIMIT 1");
        if (d->Step())
            throw db.Error(NorvError::Other,
                           "ORA-02437: cannot validate (" + owner + "." + st.constraintName + ") - primary key violated");
    }
    Atomically(db, [&] {
        if (enforced) {
            db.Run("CREATE UNIQUE INDEX " + Qualified(owner, physical) + " ON " + SqlName(table) + " (" + cols + ")");
            for (const char* when : {"INSERT", "UPDATE"})
                db.Run("CREATE TRIGGER " + Qualified(owner, physical + "_" + when) + " BEFORE " + when + " ON " +
                       SqlName(table) + " WHEN " + notNull + " BEGIN SELECT RAISE(ABORT, " +
                       SqlText("NOT NULL constraint failed: " + table + " primary key") + "); END");
            auto ix = db.Prepare(
                "INSERT INTO NORV$INDEXES (INDEX_OWNER, INDEX_NAME, TABLE_OWNER, TABLE_NAME, COLUMN_NAME, UNIQUENESS, "
                "SPATIAL, STATUS, PHYSICAL_NAME) VALUES (?, ?, ?, ?, ?, 'UNIQUE', 0, 'VALID', ?)");
            std::string list;
            for (auto& c : st.columns) list += (list.empty() ? "" : ",") + c;
            ix->Bind(1, owner).Bind(2, st.constraintName).Bind(3, owner).Bind(4, table).Bind(5, list).Bind(6, physical);
            ix->Run();
        }
        auto add = db.Prepare("INSERT INTO NORV$CONSTRAINTS (OWNER, CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, "
                              "STATUS, VALIDATED, INDEX_NAME) VALUES (?, ?, 'P', ?, ?, ?, ?)");
        add->Bind(1, owner).Bind(2, st.constraintName).Bind(3, table);
        add->Bind(4, std::string(enforced ? "ENABLED" : "DISABLED"));
        add->Bind(5, std::string(enforced ? "VALIDATED" : "NOT VALIDATED"));
        if (enforced) add->Bind(6, st.constraintName);
        else add->BindNull(6);
        add->Run();
        int64_t pos = 1;
        for (auto& c : st.columns) {
            auto col = db.Prepare("INSERT INTO NORV$CONS_COLUMNS (OWNER, CONSTRAINT_NAME, TABLE_NAME, COLUMN_NAME, "
                                  "POSITION) VALUES (?, ?, ?, ?, ?)");
            col->Bind(1, owner).Bind(2, st.constraintName).Bind(3, table).Bind(4, c).Bind(5, pos++);
            col->Run();
        }
    });
}

void NorvDictionary::DropPrimaryKey(NorvDatabase& db, const NorvStatement& st) {
    std::string owner = Owner(db, st.table);
    RequireOwner(db, owner);
    const std::string& table = st.table.name;
    if (ObjectType(db, owner, table).empty()) throw db.Error(NorvError::NoSuchTable, owner + "." + table);
    auto pk = db.Prepare("SELECT CONSTRAINT_NAME, INDEX_NAME FROM NORV$CONSTRAINTS WHERE OWNER = ? AND "
                         "TABLE_NAME = ? AND CONSTRAINT_TYPE = 'P'");
    pk->Bind(1, owner).Bind(2, table);
    if (!pk->Step()) throw db.Error(NorvError::NoPrimaryKey, owner + "." + table);
    std::string name = pk->Text(0);
    bool enforced = !pk->IsNull(1);
    pk.reset();
    Atomically(db, [&] {
        if (enforced) {
            std::string physical = "NORV$PK_" + name;
            db.Run("DROP INDEX IF EXISTS " + Qualified(owner, physical));
            for (const char* when : {"_INSERT", "_UPDATE"})
                db.Run("DROP TRIGGER IF EXISTS " + Qualified(owner, physical + when));
            auto ix = db.Prepare("DELETE FROM NORV$INDEXES WHERE INDEX_OWNER = ? AND INDEX_NAME = ?");
            ix->Bind(1, owner).Bind(2, name);
            ix->Run();
        }
        for (const char* t : {"NORV$CONSTRAINTS", "NORV$CONS_COLUMNS"}) {
            auto del = db.Prepare(std::string("DELETE FROM ") + t + " WHERE OWNER = ? AND CONSTRAINT_NAME = ?");
            del->Bind(1, owner).Bind(2, name);
            del->Run();
        }
    });
}

}  // namespace norvdb
