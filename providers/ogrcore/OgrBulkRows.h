// Rows sent to a PostgreSQL table in bulk.
//
// GDAL's PostgreSQL driver sends a row per INSERT round trip, unless it
// made the table itself in the same session, when it streams the rows
// through COPY. A copy's table is made by the schema command on another
// handle, so every row of it would be a round trip: ten times ogr2ogr's
// time. COPY can be asked for, but it reports no feature ids, and an insert
// owes its caller the id of every row. So the rows of a batch get their ids
// from the table's own sequence before they are sent (one query for the
// whole batch), the COPY carries them, and GDAL moves the sequence past
// them when the COPY ends. The COPY ends with the batch, so a row that the
// server refuses fails the insert that sent it.
#pragma once

#include <ogrcore/OgrHandles.h>

#include <cpl_conv.h>

namespace ogrcore {

// The sequence that gives the layer's feature ids, as a name the server
// reads back (schema-qualified where needed); empty when the layer is not a
// PostgreSQL table whose id column draws from one, and rows go one by one.
// A query over the catalogs, which cannot fail on names and so cannot
// abort the open transaction.
std::string BulkIdSequence(GDALDatasetH dataset, OGRLayerH layer);

// count ids drawn from the sequence; throws FdoCommandException naming
// the class when the server does not give them.
std::vector<GIntBig> DrawIds(GDALDatasetH dataset, const std::string& sequence, size_t count, FdoString* className);

// While it lives, the rows the calling thread creates stream through COPY
// (they must carry their ids, see DrawIds); other threads are not touched.
// Held for the rows of one batch, on the thread that inserts them.
class BulkRowsScope {
public:
    BulkRowsScope() : m_setting("PG_USE_COPY", "YES", false) {}

private:
    CPLConfigOptionSetter m_setting;
};

// Ends the streaming of the rows sent so far; a row the server refused
// throws FdoCommandException naming the class and what the server said.
void EndBulkRows(GDALDatasetH dataset, FdoString* className);

}  // namespace ogrcore
