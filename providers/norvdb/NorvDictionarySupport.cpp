// Helpers of the dictionary statements; see NorvDictionarySupport.h.
#include "NorvDictionarySupport.h"

#include <cctype>

namespace norvdb::detail {

std::string Upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::string Owner(NorvDatabase& db, const ObjectName& o) { return o.owner.empty() ? db.CurrentOwner() : o.owner; }

void RequireOwner(NorvDatabase& db, const std::string& owner) {
    if (!db.HasOwner(owner)) throw db.Error(NorvError::NoSuchUser, "user '" + owner + "'");
}

std::string Qualified(const std::string& owner, const std::string& name) { return SqlName(owner) + "." + SqlName(name); }

bool FindIndex(NorvDatabase& db, const std::string& owner, const std::string& name, IndexRow& row) {
    auto q = db.Prepare(
        "SELECT INDEX_OWNER, INDEX_NAME, TABLE_OWNER, TABLE_NAME, COLUMN_NAME, PHYSICAL_NAME, SPATIAL "
        "FROM NORV$INDEXES WHERE INDEX_OWNER = ? AND INDEX_NAME = ?");
    q->Bind(1, owner).Bind(2, name);
    try {
        if (!q->Step()) return false;
    } catch (SqliteError& e) {
        throw db.Error(e);
    }
    row = {q->Text(0), q->Text(1), q->Text(2), q->Text(3), q->Text(4), q->Text(5), q->Int(6) != 0};
    return true;
}

void DropPhysicalIndex(NorvDatabase& db, const IndexRow& ix) {
    if (ix.spatial) {
        for (const char* suffix : {"_I", "_U", "_D"})
            db.Run("DROP TRIGGER IF EXISTS " + Qualified(ix.tableOwner, ix.physical + suffix));
        db.Run("DROP TABLE IF EXISTS " + Qualified(ix.tableOwner, ix.physical));
    } else {
        db.Run("DROP INDEX IF EXISTS " + Qualified(ix.tableOwner, ix.physical));
    }
}

}  // namespace norvdb::detail
