// The one insert loop of the engine: reads every feature a source reader
// yields and inserts it through one insert command, writing each paired
// source property into its destination property. The class copy and the
// copy task both feed it; each works out its own pairs first, because they
// pair by different rules. Internal to the engine.
//
// Values are converted once per feature (the engine's value conversion for
// data properties, FGF bytes for geometry); a null geometry is inserted as a
// null geometry instead of failing the copy. Each source property is bound
// to its reader position on the first row, and the rows of a batch reuse
// their parameter values from batch to batch, so nothing is looked up by
// name and no collection is built per feature. Destination properties of other
// kinds (object, association, raster) are part of the insert but get no value.
//
// With read-ahead on, the source is read and converted on a second thread
// while this one inserts (see RowFeed.h); counts, batches, progress, the
// order of the features and where a failure surfaces stay the same.
#pragma once

#include <Fdo.h>

#include <functional>
#include <utility>
#include <vector>

namespace gxf {

class RowFeed;
struct FeedColumn;

// One source property written into one destination property.
struct PropertyPair {
    FdoStringP sourceName;
    FdoStringP destName;
    FdoPropertyType destKind = FdoPropertyType_DataProperty;
    // Used only when the destination is a data property.
    FdoDataType sourceType = FdoDataType_Boolean;
    FdoDataType destType = FdoDataType_Boolean;
};

// Told how many features are inserted so far: once before the first, after
// every batch execution (every kRowReportInterval rows in row mode), and
// with done set once at the end. Returning false stops the run at that
// point: what was inserted stays, nothing more is inserted (with read-ahead
// on, a few chunks more may have been read).
using InsertProgress = std::function<bool(long inserted, bool done)>;

class FeaturePump {
public:
    // Row mode reports progress this often.
    static constexpr long kRowReportInterval = 100;

    // Adds one property value per pair, named after its destination
    // property, to the insert's property values. An empty progress
    // reports nothing.
    FeaturePump(FdoIInsert* insert, std::vector<PropertyPair> pairs, InsertProgress progress = {});

    // Reads and converts the source on a thread of its own while the
    // caller's thread inserts. Only for a reader of another connection than
    // the insert's: a connection serves one thread at a time.
    void ReadAhead(bool on) { m_readAhead = on; }
    // The source properties that name a feature in CurrentFeature().
    void NameFeaturesBy(FdoDataPropertyDefinitionCollection* identity);

    // Inserts every feature of the reader; returns the number inserted.
    // batchSize > 1 uses the insert's batch parameter values when it offers
    // them, executing once per batchSize rows and once more for the rest;
    // otherwise one execution per feature. The reader is left open; FDO
    // errors propagate, and what was inserted before them stays. A progress
    // that answers false ends the run after the current batch (Stopped()).
    long Run(FdoIFeatureReader* reader, int batchSize);
    // True when the last run ended because its progress said stop.
    bool Stopped() const { return m_stopped; }
    // After a failed run: the source feature being converted or inserted
    // when it failed, as "Name=value, ..." of the naming properties; empty
    // when there are none or the feature could not be told.
    FdoStringP CurrentFeature() const { return m_failedFeature; }

private:
    // The columns of a row: the naming properties, then the written pairs.
    std::vector<FeedColumn> Columns() const;
    FdoStringP FeatureText(const FdoPtr<FdoLiteralValue>* row) const;
    long RunBatched(RowFeed& feed, FdoBatchParameterValueCollection* batch, int batchSize);
    long RunRowByRow(RowFeed& feed);
    void ExecuteInsert();
    // Hands the count to the progress; false when the run is to stop.
    bool Report(long inserted, bool done);

    FdoPtr<FdoIInsert> m_insert;
    std::vector<PropertyPair> m_pairs;
    std::vector<FdoPtr<FdoPropertyValue>> m_values;  // parallel to m_pairs
    std::vector<size_t> m_written;                   // indexes of the pairs that take a value
    std::vector<std::pair<FdoStringP, FdoDataType>> m_naming;
    InsertProgress m_progress;
    bool m_readAhead = false;
    bool m_stopped = false;
    FdoStringP m_failedFeature;
};

}  // namespace gxf
