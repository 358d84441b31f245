// The insert loop behind every feature copy: batched through bound
// parameters when the destination offers them, row by row otherwise. The
// property values of the insert and the list of pairs that take a value are
// built once; per feature the loop only walks those lists and changes
// values, so memory stays flat however many features flow (one batch at
// most). The rows of a batch are a fixed set of parameter value collections
// whose values are replaced in place, one set per position in the batch.
#include "transfer/FeaturePump.h"

#include "transfer/RowFeed.h"

namespace gxf {

namespace {
bool TakesValue(FdoPropertyType kind) {
    return kind == FdoPropertyType_DataProperty || kind == FdoPropertyType_GeometricProperty;
}
}  // namespace

FeaturePump::FeaturePump(FdoIInsert* insert, std::vector<PropertyPair> pairs, InsertProgress progress)
    : m_insert(FDO_SAFE_ADDREF(insert)), m_pairs(std::move(pairs)), m_progress(std::move(progress)) {
    FdoPtr<FdoPropertyValueCollection> values = m_insert->GetPropertyValues();
    for (size_t i = 0; i < m_pairs.size(); i++) {
        FdoPtr<FdoPropertyValue> value =
            FdoPropertyValue::Create(static_cast<FdoString*>(m_pairs[i].destName), nullptr);
        values->Add(value);
        m_values.push_back(value);
        if (TakesValue(m_pairs[i].destKind)) m_written.push_back(i);
    }
}

void FeaturePump::NameFeaturesBy(FdoDataPropertyDefinitionCollection* identity) {
    m_naming.clear();
    for (FdoInt32 i = 0; identity && i < identity->GetCount(); i++) {
        FdoPtr<FdoDataPropertyDefinition> id = identity->GetItem(i);
        m_naming.emplace_back(id->GetName(), id->GetDataType());
    }
}

std::vector<FeedColumn> FeaturePump::Columns() const {
    std::vector<FeedColumn> columns;
    for (const auto& [name, type] : m_naming) columns.push_back({name, false, type, type, true});
    for (size_t i : m_written) {
        const PropertyPair& pair = m_pairs[i];
        columns.push_back({pair.sourceName, pair.destKind == FdoPropertyType_GeometricProperty, pair.sourceType,
                           pair.destType, false});
    }
    return columns;
}

FdoStringP FeaturePump::FeatureText(const FdoPtr<FdoLiteralValue>* row) const {
    if (!row) return L"";
    FdoStringP text;
    for (size_t i = 0; i < m_naming.size(); i++) {
        // A naming value that could not be read leaves the feature unnamed.
        if (!row[i]) return L"";
        auto* value = static_cast<FdoDataValue*>(row[i].p);
        FdoStringP shown = value->IsNull() ? FdoStringP(L"null") : FdoStringP(value->ToString());
        text += (text.IsEmpty() ? L"" : L", ") + m_naming[i].first + L"=" + shown;
    }
    return text;
}

long FeaturePump::Run(FdoIFeatureReader* reader, int batchSize) {
    m_stopped = false;
    m_failedFeature = L"";
    if (!Report(0, false)) return 0;
    FdoPtr<FdoBatchParameterValueCollection> batch;
    if (batchSize > 1) batch = m_insert->GetBatchParameterValues();
    RowConversion conversion(Columns());
    long count = 0;
    {
        std::unique_ptr<RowFeed> feed = MakeRowFeed(reader, conversion, m_readAhead);
        try {
            count = batch ? RunBatched(*feed, batch, batchSize) : RunRowByRow(*feed);
        } catch (...) {
            m_failedFeature = FeatureText(feed->Current());
            throw;
        }
    }  // a read-ahead thread has stopped here: the reader is the caller's again
    if (!m_stopped) Report(count, true);
    return count;
}

long FeaturePump::RunBatched(RowFeed& feed, FdoBatchParameterValueCollection* batch, int batchSize) {
    // Every property value of the insert, whatever its kind, reads its
    // parameter; rows carry values for the pairs that take one.
    for (size_t i = 0; i < m_pairs.size(); i++) {
        FdoPtr<FdoParameter> parameter = FdoParameter::Create(m_pairs[i].destName);
        m_values[i]->SetValue(parameter);
    }
    struct Row {
        FdoPtr<FdoParameterValueCollection> values;
        std::vector<FdoPtr<FdoParameterValue>> items;  // parallel to m_written
    };
    std::vector<Row> rows;
    long total = 0;
    int pending = 0;
    while (const FdoPtr<FdoLiteralValue>* source = feed.Next()) {
        source += m_naming.size();
        if (static_cast<size_t>(pending) == rows.size()) {
            Row fresh;
            fresh.values = FdoParameterValueCollection::Create();
            for (size_t i : m_written) {
                FdoPtr<FdoParameterValue> item = FdoParameterValue::Create(m_pairs[i].destName);
                fresh.values->Add(item);
                fresh.items.push_back(item);
            }
            rows.push_back(std::move(fresh));
        }
        Row& row = rows[static_cast<size_t>(pending)];
        for (size_t w = 0; w < m_written.size(); w++) row.items[w]->SetValue(source[w].p);
        batch->Add(row.values);
        if (++pending == batchSize) {
            ExecuteInsert();
            total += pending;
            pending = 0;
            batch->Clear();
            if (!Report(total, false)) return total;
        }
    }
    if (pending > 0) {
        ExecuteInsert();
        total += pending;
        batch->Clear();
    }
    return total;
}

long FeaturePump::RunRowByRow(RowFeed& feed) {
    long total = 0;
    while (const FdoPtr<FdoLiteralValue>* source = feed.Next()) {
        source += m_naming.size();
        for (size_t w = 0; w < m_written.size(); w++)
            m_values[m_written[w]]->SetValue(static_cast<FdoValueExpression*>(source[w].p));
        ExecuteInsert();
        if (++total % kRowReportInterval == 0 && !Report(total, false)) return total;
    }
    return total;
}

void FeaturePump::ExecuteInsert() {
    // The reader over the inserted rows is not needed.
    FdoPtr<FdoIFeatureReader> inserted = m_insert->Execute();
}

bool FeaturePump::Report(long inserted, bool done) {
    if (m_progress && !m_progress(inserted, done)) m_stopped = true;
    return !m_stopped;
}

}  // namespace gxf
