// The queries here are plain SQL in the server's own dialect, run on the
// update handle inside its open transaction. A failed statement would abort
// that transaction, so names only ever reach the server as quoted literals
// compared against the catalogs, never as identifiers it must resolve.
#include <ogrcore/OgrBulkRows.h>
#include <ogrcore/OgrError.h>

#include <cstdlib>
#include <cstring>

namespace ogrcore {

namespace {

// A text as an SQL string literal; false for text that should not be
// trusted to one (a backslash means something when the server is set to
// read backslash escapes).
bool Literal(const std::string& text, std::string& literal) {
    if (text.find('\\') != std::string::npos) return false;
    literal = "'";
    for (char c : text) literal += c == '\'' ? std::string("''") : std::string(1, c);
    literal += "'";
    return true;
}

// The first column of every row a query returns, as text; rows of a null
// value give an empty text.
struct Result {
    bool ok = false;
    std::vector<std::string> texts;
};

Result Query(GDALDatasetH dataset, const std::string& sql, ErrorTrap& trap) {
    Result result;
    OGRLayerH rows = GDALDatasetExecuteSQL(dataset, sql.c_str(), nullptr, nullptr);
    if (!rows) return result;
    while (OGRFeatureH f = OGR_L_GetNextFeature(rows)) {
        bool set = OGR_F_IsFieldSetAndNotNull(f, 0);
        result.texts.push_back(set ? OGR_F_GetFieldAsString(f, 0) : "");
        OGR_F_Destroy(f);
    }
    GDALDatasetReleaseResultSet(dataset, rows);
    result.ok = !trap.HasFailure();
    return result;
}

}  // namespace

std::string BulkIdSequence(GDALDatasetH dataset, OGRLayerH layer) {
    GDALDriverH driver = GDALGetDatasetDriver(dataset);
    if (!driver || std::strcmp(GDALGetDriverShortName(driver), "PostgreSQL") != 0) return "";
    const char* fid = OGR_L_GetFIDColumn(layer);
    if (!fid || !*fid) return "";
    // GDAL names a table outside the search path "schema.table"; a visible
    // table whose own name holds a dot is taken first.
    const std::string name = OGR_L_GetName(layer);
    const size_t dot = name.find('.');
    std::string nameLiteral, fidLiteral, schemaLiteral, tableLiteral;
    if (!Literal(name, nameLiteral) || !Literal(fid, fidLiteral)) return "";
    std::string qualified = "false";
    if (dot != std::string::npos) {
        if (!Literal(name.substr(0, dot), schemaLiteral) || !Literal(name.substr(dot + 1), tableLiteral)) return "";
        qualified = "(n.nspname = " + schemaLiteral + " AND c.relname = " + tableLiteral + ")";
    }
    const std::string sql =
        "SELECT pg_get_serial_sequence(quote_ident(n.nspname) || '.' || quote_ident(c.relname), a.attname::text)"
        " FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace"
        " JOIN pg_attribute a ON a.attrelid = c.oid"
        " WHERE c.relkind IN ('r', 'p') AND a.attname = " + fidLiteral + " AND NOT a.attisdropped AND"
        " ((c.relname = " + nameLiteral + " AND pg_table_is_visible(c.oid)) OR " + qualified + ")"
        " ORDER BY (c.relname = " + nameLiteral + ") DESC LIMIT 1";
    ErrorTrap trap;
    Result result = Query(dataset, sql, trap);
    std::string unused;
    if (!result.ok || result.texts.empty() || !Literal(result.texts.front(), unused)) return "";
    return result.texts.front();
}

std::vector<GIntBig> DrawIds(GDALDatasetH dataset, const std::string& sequence, size_t count, FdoString* className) {
    std::string sequenceLiteral;
    Literal(sequence, sequenceLiteral);  // the server's own text: no backslash
    // A statement that does not begin with SELECT goes to the server as it
    // is, in one round trip (GDAL declares, describes and fetches a cursor
    // for a query over a table), and one row of text is cheaper to take in
    // than a row per id.
    const std::string sql = "VALUES (array_to_string(ARRAY(SELECT nextval(" + sequenceLiteral +
                            "::regclass) FROM generate_series(1, " + std::to_string(count) + ")), ','))";
    ErrorTrap trap;
    Result result = Query(dataset, sql, trap);
    std::vector<GIntBig> ids;
    if (result.ok && result.texts.size() == 1) {
        // Text that is not a list of numbers stops the reading short, and
        // the count below fails.
        for (const char* at = result.texts.front().c_str();;) {
            char* end = nullptr;
            const long long id = std::strtoll(at, &end, 10);
            if (end == at) break;
            ids.push_back(id);
            if (*end != ',') break;
            at = end + 1;
        }
    }
    if (ids.size() != count)
        throw FdoCommandException::Create(trap.Describe(
            FdoStringP::Format(L"The feature ids of the rows to insert into class '%ls' cannot be drawn", className)));
    return ids;
}

void EndBulkRows(GDALDatasetH dataset, FdoString* className) {
    ErrorTrap trap;
    GDALFlushCache(dataset);
    if (trap.HasFailure())
        throw FdoCommandException::Create(
            trap.DescribeFirst(FdoStringP::Format(L"Inserting features into class '%ls' failed", className)));
}

}  // namespace ogrcore
