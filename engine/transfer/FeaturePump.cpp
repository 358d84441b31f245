// The insert loop behind every feature copy: batched through bound
// parameters when the destination offers them, row by row otherwise. The
// property values of the insert and the list of pairs that take a value are
// built once; per feature the loop only walks those lists and changes
// values, so memory stays flat however many features flow (one batch at
// most). The rows of a batch are a fixed set of parameter value collections
// whose values are replaced in place, one set per position in the batch.
#include "transfer/FeaturePump.h"

#include "transfer/ValueConversion.h"

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

long FeaturePump::Run(FdoIFeatureReader* reader, int batchSize) {
    m_stopped = false;
    if (!Report(0, false)) return 0;
    FdoPtr<FdoBatchParameterValueCollection> batch;
    if (batchSize > 1) batch = m_insert->GetBatchParameterValues();
    const long count = batch ? RunBatched(reader, batch, batchSize) : RunRowByRow(reader);
    if (!m_stopped) Report(count, true);
    return count;
}

long FeaturePump::RunBatched(FdoIFeatureReader* reader, FdoBatchParameterValueCollection* batch, int batchSize) {
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
    while (reader->ReadNext()) {
        if (total == 0 && pending == 0) BindSources(reader);
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
        for (size_t w = 0; w < m_written.size(); w++) {
            FdoPtr<FdoLiteralValue> value = ValueOf(reader, w);
            row.items[w]->SetValue(value);
        }
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

long FeaturePump::RunRowByRow(FdoIFeatureReader* reader) {
    long total = 0;
    while (reader->ReadNext()) {
        if (total == 0) BindSources(reader);
        for (size_t w = 0; w < m_written.size(); w++) {
            FdoPtr<FdoLiteralValue> value = ValueOf(reader, w);
            m_values[m_written[w]]->SetValue(static_cast<FdoValueExpression*>(value.p));
        }
        ExecuteInsert();
        if (++total % kRowReportInterval == 0 && !Report(total, false)) return total;
    }
    return total;
}

void FeaturePump::BindSources(FdoIFeatureReader* reader) {
    m_sourceIndex.clear();
    for (size_t i : m_written) m_sourceIndex.push_back(reader->GetPropertyIndex(m_pairs[i].sourceName));
}

FdoLiteralValue* FeaturePump::ValueOf(FdoIFeatureReader* reader, size_t w) const {
    const PropertyPair& pair = m_pairs[m_written[w]];
    const FdoInt32 index = m_sourceIndex[w];
    if (pair.destKind == FdoPropertyType_DataProperty)
        return ReadDataValueAt(reader, index, pair.sourceType, pair.destType);
    // A feature without a shape is copied without one.
    if (reader->IsNull(index)) return FdoGeometryValue::Create();
    FdoPtr<FdoByteArray> fgf = reader->GetGeometry(index);
    return FdoGeometryValue::Create(fgf);
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
