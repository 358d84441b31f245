// The feature commands; see SdfFeatureCommands.h.
#include "SdfFeatureCommands.h"
#include <FdoCommon/FdoCommonOrderedReader.h>

#include "SdfFeatureReader.h"
#include "SdfIdentityReader.h"
#include "SdfRowValues.h"
#include "SdfSql.h"

#include <ogrcore/OgrFeatureWriter.h>
#include <ogrcore/OgrHandles.h>
#include <ogrcore/OgrReaders.h>
#include <ogrsf_frmts.h>

#include <cwctype>

namespace sdf {

namespace {

bool IsDuplicateKey(FdoException* e) {
    FdoStringP text = e->ToFullString();
    return text.Contains(L"UNIQUE constraint failed") || text.Contains(L"PRIMARY KEY");
}

// Runs write; a failed uniqueness check becomes the duplicate-key error.
template <class F>
auto CheckingKeys(F write) -> decltype(write()) {
    try {
        return write();
    } catch (FdoException* e) {
        if (!IsDuplicateKey(e)) throw;
        FdoException* wrapped = FdoCommandException::Create(
            L"Attempted to insert feature with duplicate key. Key must be unique.", e);
        e->Release();
        throw wrapped;
    }
}

std::vector<FdoInt64> MatchingFids(SdfClassBinding* binding, FdoFilter* filter, FdoParameterValueCollection* params) {
    std::vector<FdoInt64> fids;
    FdoPtr<SdfFeatureReader> reader = SdfFeatureReader::Create(binding, nullptr, filter, params);
    while (reader->ReadNext()) fids.push_back(reader->GetFid());
    reader->Close();
    return fids;
}

}  // namespace

void SdfSelect::SetLockType(FdoLockType value) {
    if (value != FdoLockType_None) throw FdoCommandException::Create(L"The SDF provider does not lock features.");
}

FdoIFeatureReader* SdfSelect::Execute() {
    FdoPtr<SdfClassBinding> binding = m_connection->GetBinding(m_className);
    FdoPtr<FdoIFeatureReader> reader = SdfFeatureReader::Create(binding, m_properties, m_filter, m_parameters);
    if (m_ordering->GetCount() == 0) return reader.Detach();
    return FdoCommonOrderedReader::Create(reader, m_ordering, m_orderingOption);
}

FdoIDataReader* SdfSelectAggregates::Execute() {
    FdoPtr<SdfClassBinding> binding = m_connection->GetBinding(m_className);
    FdoPtr<FdoClassDefinition> cls = binding->GetClass();
    FdoCommonAggregates aggregates = FdoCommonAggregates::Plan(this, cls);
    if (aggregates.NeedsRows(m_filter != nullptr)) {
        FdoPtr<SdfFeatureReader> reader = SdfFeatureReader::Create(binding, nullptr, m_filter, m_parameters);
        while (reader->ReadNext()) aggregates.AddRow(reader);
        reader->Close();
    } else {
        // Counted in SQL: a reader of the class may have set filters on
        // the shared layer object, which OGR's feature count would obey.
        SdfStore& store = m_connection->Store();
        store.Flush();
        OGRLayer* layer = store.FindLayer(binding->ClassName());
        FdoInt64 total = 0;
        store.Query("SELECT COUNT(*) FROM " + SdfSql::Name(ogrcore::Utf8(binding->ClassName())),
                    L"Counting features", [&](OGRFeature& f) { total = f.GetFieldAsInteger64(0); });
        OGREnvelope e;
        FdoFgfBounds extent;
        if (layer && total > 0 && layer->GetGeomType() != wkbNone && layer->GetExtent(&e, TRUE) == OGRERR_NONE) {
            extent.Add(e.MinX, e.MinY);
            extent.Add(e.MaxX, e.MaxY);
        }
        aggregates.SetTotals(total, extent);
    }
    return ogrcore::AggregateReader(aggregates);
}

FdoIFeatureReader* SdfInsert::Execute() {
    SdfStore& store = m_connection->Store();
    store.CheckWritable();
    FdoPtr<SdfClassBinding> binding = m_connection->GetBinding(m_className);
    FdoPtr<ogrcore::ClassMap> map = binding->GetMap();
    const SdfClassLayout& layout = binding->Layout();
    ogrcore::FeatureWriter writer(map);
    std::vector<SdfIdentityReader::Row> rows;
    SdfInsertRows plan(binding, m_values);

    auto insertOne = [&](FdoParameterValueCollection* parameters) {
        SdfIdentityReader::Row identity;
        const std::vector<ogrcore::BoundValue>& values = plan.Row(parameters, identity);
        FdoInt64 fid = CheckingKeys([&] { return writer.Insert(values); });
        for (size_t i = 0; i < layout.identity.size(); i++)
            if (layout.identity[i] == layout.fidProperty)
                identity[i] = FdoInt32Value::Create(static_cast<FdoInt32>(fid));
        rows.push_back(std::move(identity));
    };
    if (m_batch->GetCount() > 0) {
        for (FdoInt32 i = 0; i < m_batch->GetCount(); i++) {
            FdoPtr<FdoParameterValueCollection> parameters = m_batch->GetItem(i);
            insertOne(parameters);
        }
    } else {
        insertOne(m_parameters);
    }
    FdoPtr<FdoClassDefinition> cls = binding->GetClass();
    return SdfIdentityReader::Create(cls, layout.identity, std::move(rows));
}

FdoInt32 SdfUpdate::Execute() {
    SdfStore& store = m_connection->Store();
    store.CheckWritable();
    FdoPtr<SdfClassBinding> binding = m_connection->GetBinding(m_className);
    FdoPtr<FdoPropertyValueCollection> values = SdfRowValues::ForUpdate(binding, m_values, m_parameters);
    std::vector<FdoInt64> fids = MatchingFids(binding, m_filter, m_parameters);
    if (values->GetCount() == 0) return static_cast<FdoInt32>(fids.size());
    FdoPtr<ogrcore::ClassMap> map = binding->GetMap();
    ogrcore::FeatureWriter writer(map);
    for (FdoInt64 fid : fids) CheckingKeys([&] { writer.Update(fid, values, nullptr); });
    return static_cast<FdoInt32>(fids.size());
}

FdoInt32 SdfDelete::Execute() {
    SdfStore& store = m_connection->Store();
    store.CheckWritable();
    FdoPtr<SdfClassBinding> binding = m_connection->GetBinding(m_className);
    std::vector<FdoInt64> fids = MatchingFids(binding, m_filter, m_parameters);
    FdoPtr<ogrcore::ClassMap> map = binding->GetMap();
    ogrcore::FeatureWriter writer(map);
    for (FdoInt64 fid : fids) writer.Delete(fid);
    return static_cast<FdoInt32>(fids.size());
}

}  // namespace sdf
