// Where the insert loop takes its rows from. A row is the converted values
// of one source feature, one per column, in column order. The plain feed
// reads and converts on the caller's thread as the loop asks; the read-ahead
// feed does both on a thread of its own, a few hundred rows ahead, so that
// reading the source and inserting into the destination overlap. Either way
// the loop sees the same rows in the same order, and a failure to read or
// convert a feature is thrown at that feature, after every row before it.
// Internal to the engine.
#pragma once

#include <Fdo.h>

#include <memory>
#include <vector>

namespace gxf {

// One value of a row: a data property converted from sourceType to
// destType, or a geometry as FGF bytes (a null geometry stays null).
struct FeedColumn {
    FdoStringP sourceName;
    bool geometry = false;
    FdoDataType sourceType = FdoDataType_Boolean;
    FdoDataType destType = FdoDataType_Boolean;
    // A failure to read a quiet column gives a null value instead of failing
    // the row: such columns only name the feature (its identity).
    bool quiet = false;
};

// Turns the reader's current feature into a row.
class RowConversion {
public:
    explicit RowConversion(std::vector<FeedColumn> columns) : m_columns(std::move(columns)) {}
    size_t Width() const { return m_columns.size(); }
    const FeedColumn& Column(size_t i) const { return m_columns[i]; }
    // Fills row[0 .. Width()) in column order, binding each column to its
    // reader position on the first call; returns about how many bytes the
    // values hold. Throws what the reader or the conversion throws, with the
    // columns before the failing one already filled.
    size_t Convert(FdoIFeatureReader* reader, FdoPtr<FdoLiteralValue>* row);

private:
    void Bind(FdoIFeatureReader* reader);

    std::vector<FeedColumn> m_columns;
    std::vector<FdoInt32> m_index;  // reader position per column, once bound
};

class RowFeed {
public:
    virtual ~RowFeed() = default;
    // The next row (Width() values), or null after the last. Throws, at the
    // feature where it happened, what reading or converting threw.
    virtual const FdoPtr<FdoLiteralValue>* Next() = 0;
    // The row last returned, or the one whose conversion failed (filled up
    // to the failing column); null before the first.
    const FdoPtr<FdoLiteralValue>* Current() const { return m_current; }

protected:
    const FdoPtr<FdoLiteralValue>* m_current = nullptr;
};

// readAhead reads on a thread of its own; the reader must then not be used
// by anyone else until the feed is destroyed, which stops and joins that
// thread. The conversion must outlive the feed.
std::unique_ptr<RowFeed> MakeRowFeed(FdoIFeatureReader* reader, RowConversion& conversion, bool readAhead);

}  // namespace gxf
