// The insert loop shared by the copies of a copy task: batched through bound
// parameters when the destination offers them, row by row otherwise. The
// property values of the insert are built once; per feature only the values
// change, so memory stays flat however many features flow.
#include "copytask/FeaturePump.h"

#include "copytask/CopyProgress.h"

#include <GeoxferApi/FDO_Api.h>

namespace gxf {

namespace {
// Row mode reports progress this often.
constexpr long kRowReportInterval = 100;
}  // namespace

FeaturePump::FeaturePump(FdoIInsert* insert, std::vector<PropertyPair> pairs, const wchar_t* progressName)
    : m_insert(FDO_SAFE_ADDREF(insert)), m_pairs(std::move(pairs)), m_progressName(progressName) {
    FdoPtr<FdoPropertyValueCollection> values = m_insert->GetPropertyValues();
    for (const PropertyPair& pair : m_pairs) {
        FdoPtr<FdoPropertyValue> value = FdoPropertyValue::Create(static_cast<FdoString*>(pair.destName), nullptr);
        values->Add(value);
        m_values.push_back(value);
    }
}

long FeaturePump::Run(FdoIFeatureReader* reader, int batchSize) {
    ReportCopyProgress(m_progressName, 0, false);
    FdoPtr<FdoBatchParameterValueCollection> batch;
    if (batchSize > 1) batch = m_insert->GetBatchParameterValues();
    const long count = batch ? RunBatched(reader, batch, batchSize) : RunRowByRow(reader);
    ReportCopyProgress(m_progressName, count, true);
    return count;
}

long FeaturePump::RunBatched(FdoIFeatureReader* reader, FdoBatchParameterValueCollection* batch, int batchSize) {
    for (size_t i = 0; i < m_pairs.size(); i++) {
        FdoPtr<FdoParameter> parameter = FdoParameter::Create(m_pairs[i].destName);
        m_values[i]->SetValue(parameter);
    }
    long total = 0;
    int pending = 0;
    while (reader->ReadNext()) {
        FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
        for (const PropertyPair& pair : m_pairs) {
            FdoPtr<FdoLiteralValue> value = ValueOf(reader, pair);
            if (!value && pair.destKind != FdoPropertyType_DataProperty &&
                pair.destKind != FdoPropertyType_GeometricProperty)
                continue;  // other kinds get no value
            FdoPtr<FdoParameterValue> parameterValue = FdoParameterValue::Create(pair.destName, value);
            row->Add(parameterValue);
        }
        batch->Add(row);
        if (++pending == batchSize) {
            ExecuteInsert();
            total += pending;
            pending = 0;
            batch->Clear();
            ReportCopyProgress(m_progressName, total, false);
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
        for (size_t i = 0; i < m_pairs.size(); i++) {
            const PropertyPair& pair = m_pairs[i];
            if (pair.destKind != FdoPropertyType_DataProperty && pair.destKind != FdoPropertyType_GeometricProperty)
                continue;  // other kinds keep what they have: no value
            FdoPtr<FdoLiteralValue> value = ValueOf(reader, pair);
            m_values[i]->SetValue(static_cast<FdoValueExpression*>(value.p));
        }
        ExecuteInsert();
        if (++total % kRowReportInterval == 0) ReportCopyProgress(m_progressName, total, false);
    }
    return total;
}

FdoLiteralValue* FeaturePump::ValueOf(FdoIFeatureReader* reader, const PropertyPair& pair) {
    switch (pair.destKind) {
        case FdoPropertyType_DataProperty:
            return c_FDO_Api::ReaderGetDataPropertyValue(reader, pair.sourceName, pair.sourceType, pair.destType);
        case FdoPropertyType_GeometricProperty: {
            // A feature without a shape is copied without one.
            if (reader->IsNull(pair.sourceName)) return FdoGeometryValue::Create();
            FdoPtr<FdoByteArray> fgf = reader->GetGeometry(static_cast<FdoString*>(pair.sourceName));
            return FdoGeometryValue::Create(fgf);
        }
        default:
            return nullptr;
    }
}

void FeaturePump::ExecuteInsert() {
    // The reader over the inserted rows is not needed.
    FdoPtr<FdoIFeatureReader> inserted = m_insert->Execute();
}

}  // namespace gxf
