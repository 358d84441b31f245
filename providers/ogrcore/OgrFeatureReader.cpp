// The reader owns a lease on its layer for its whole life, sets the layer's
// filters once, and pulls features until OGR has none left; GDAL errors met
// on the way (a truncated file) end the read with an FdoException naming
// the file and the feature.
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrFeatureReader.h>
#include <ogrcore/OgrFilterPlan.h>

#include "OgrFeatureRow.h"

namespace ogrcore {

// Keeps the layer lease behind a pointer, so the public header needs no lease type.
class LeaseHolder : public FdoDisposable {
public:
    static LeaseHolder* Create(LayerLease lease) { return new LeaseHolder(std::move(lease)); }
    LayerLease lease;

protected:
    explicit LeaseHolder(LayerLease l) : lease(std::move(l)) {}
};

FeatureReader* FeatureReader::Create(ClassMap* map, FdoIdentifierCollection* selectList, FdoFilter* filter,
                                     FdoParameterValueCollection* parameters, bool pushDown) {
    FdoPtr<FeatureReader> r = new FeatureReader();
    r->m_row = FeatureRow::Create(map);
    FdoPtr<FdoClassDefinition> cls = map->GetClass();
    int count = r->m_row->Count();
    r->m_readerIndex.assign(static_cast<size_t>(count), -1);
    if (selectList && selectList->GetCount() > 0) {
        for (FdoInt32 i = 0; i < selectList->GetCount(); i++) {
            FdoPtr<FdoIdentifier> id = selectList->GetItem(i);
            if (id->GetExpressionType() != FdoExpressionItemType_Identifier)
                throw FdoCommandException::Create(FdoStringP::Format(
                    L"The computed property '%ls' cannot be selected: this provider selects stored properties only.",
                    id->GetName()));
            int b = map->Find(id->GetText());
            if (b < 0)
                throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.",
                                                                     id->GetText(), map->ClassName()));
            if (r->m_readerIndex[static_cast<size_t>(b)] >= 0) continue;
            r->m_readerIndex[static_cast<size_t>(b)] = static_cast<int>(r->m_selected.size());
            r->m_selected.push_back(b);
        }
        FdoPtr<FdoIdentifierCollection> names = FdoIdentifierCollection::Create();
        for (int b : r->m_selected) {
            FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(r->m_row->At(b).name);
            names->Add(id);
        }
        FdoPtr<FdoCommonSchemaCopyContext> context = FdoCommonSchemaCopyContext::Create(names);
        r->m_class = FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(cls, context);
    } else {
        for (int b = 0; b < count; b++) {
            r->m_readerIndex[static_cast<size_t>(b)] = b;
            r->m_selected.push_back(b);
        }
        r->m_class = cls;
    }

    FdoPtr<DataSource> source = map->GetSource();
    FdoPtr<LeaseHolder> holder = LeaseHolder::Create(source->Read(map->LayerName()));
    OGRLayerH layer = holder->lease.Layer();
    FilterPlan plan = FilterPlan::Make(filter, map, OGR_L_GetLayerDefn(layer), pushDown);
    {
        ErrorTrap trap;
        if (OGR_L_SetAttributeFilter(layer, plan.attributeFilter.empty() ? nullptr : plan.attributeFilter.c_str()) !=
            OGRERR_NONE) {
            // OGR refused the translation: decide everything row by row instead.
            OGR_L_SetAttributeFilter(layer, nullptr);
            plan = FilterPlan::Make(filter, map, nullptr, false);
        }
        if (plan.hasRect) OGR_L_SetSpatialFilterRect(layer, plan.minX, plan.minY, plan.maxX, plan.maxY);
        else OGR_L_SetSpatialFilter(layer, nullptr);
        OGR_L_ResetReading(layer);
    }
    if (plan.residual) r->m_evaluator = FdoCommonFilterEvaluator::Create(plan.residual, cls, parameters);
    r->m_lease = holder;
    return r.Detach();
}

FeatureReader::~FeatureReader() = default;

bool FeatureReader::ReadNext() {
    if (m_closed || !m_lease) return false;
    OGRLayerH layer = m_lease->lease.Layer();
    for (;;) {
        ErrorTrap trap;
        OGRFeatureH f = OGR_L_GetNextFeature(layer);
        if (trap.HasFailure()) {
            FdoStringP path = Wide(m_lease->lease.GetDataset()->Path().c_str());
            FdoStringP what = f ? FdoStringP::Format(L"Reading feature %lld of class '%ls' from '%ls' failed",
                                                     static_cast<long long>(OGR_F_GetFID(f)), m_class->GetName(),
                                                     static_cast<FdoString*>(path))
                                : FdoStringP::Format(L"Reading class '%ls' from '%ls' failed", m_class->GetName(),
                                                     static_cast<FdoString*>(path));
            if (f) OGR_F_Destroy(f);
            throw FdoCommandException::Create(trap.Describe(what));
        }
        if (!f) {
            m_row->SetFeature(nullptr);
            m_closed = true;
            m_lease = nullptr;
            return false;
        }
        m_row->SetFeature(f);
        if (!m_evaluator || m_evaluator->IsMatch(m_row)) return true;
    }
}

void FeatureReader::Close() {
    m_closed = true;
    m_row->SetFeature(nullptr);
    m_lease = nullptr;
}

FdoInt64 FeatureReader::GetFid() {
    if (!m_row->Feature()) throw FdoCommandException::Create(L"The reader has no current row: call ReadNext first.");
    return OGR_F_GetFID(m_row->Feature());
}

int FeatureReader::Binding(FdoString* name) {
    int b = m_row->Find(name);
    if (b < 0 || m_readerIndex[static_cast<size_t>(b)] < 0)
        throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not selected by this reader.",
                                                             name ? name : L""));
    return b;
}

int FeatureReader::Binding(FdoInt32 index) {
    if (index < 0 || index >= static_cast<FdoInt32>(m_selected.size()))
        throw FdoCommandException::Create(L"Item index out of bounds.");
    return m_selected[static_cast<size_t>(index)];
}

FdoClassDefinition* FeatureReader::GetClassDefinition() { return FDO_SAFE_ADDREF(m_class.p); }

FdoIFeatureReader* FeatureReader::GetFeatureObject(FdoString* name) { return m_row->GetFeatureObject(name); }

bool FeatureReader::GetBoolean(FdoString* name) { return m_row->BooleanAt(Binding(name)); }
FdoByte FeatureReader::GetByte(FdoString* name) { return m_row->ByteAt(Binding(name)); }
FdoDateTime FeatureReader::GetDateTime(FdoString* name) { return m_row->DateTimeAt(Binding(name)); }
double FeatureReader::GetDouble(FdoString* name) { return m_row->DoubleAt(Binding(name)); }
FdoInt16 FeatureReader::GetInt16(FdoString* name) { return m_row->Int16At(Binding(name)); }
FdoInt32 FeatureReader::GetInt32(FdoString* name) { return m_row->Int32At(Binding(name)); }
FdoInt64 FeatureReader::GetInt64(FdoString* name) { return m_row->Int64At(Binding(name)); }
float FeatureReader::GetSingle(FdoString* name) { return m_row->SingleAt(Binding(name)); }
FdoString* FeatureReader::GetString(FdoString* name) { return m_row->StringAt(Binding(name)); }
FdoLOBValue* FeatureReader::GetLOB(FdoString* name) { return m_row->LOBAt(Binding(name)); }
FdoIStreamReader* FeatureReader::GetLOBStreamReader(FdoString* name) { return m_row->GetLOBStreamReader(name); }
bool FeatureReader::IsNull(FdoString* name) { return m_row->IsNullAt(Binding(name)); }
FdoByteArray* FeatureReader::GetGeometry(FdoString* name) { return m_row->GeometryArray(Binding(name)); }
const FdoByte* FeatureReader::GetGeometry(FdoString* name, FdoInt32* count) {
    return m_row->GeometryAt(Binding(name), count);
}
FdoIRaster* FeatureReader::GetRaster(FdoString* name) { return m_row->GetRaster(name); }

bool FeatureReader::GetBoolean(FdoInt32 i) { return m_row->BooleanAt(Binding(i)); }
FdoByte FeatureReader::GetByte(FdoInt32 i) { return m_row->ByteAt(Binding(i)); }
FdoDateTime FeatureReader::GetDateTime(FdoInt32 i) { return m_row->DateTimeAt(Binding(i)); }
double FeatureReader::GetDouble(FdoInt32 i) { return m_row->DoubleAt(Binding(i)); }
FdoInt16 FeatureReader::GetInt16(FdoInt32 i) { return m_row->Int16At(Binding(i)); }
FdoInt32 FeatureReader::GetInt32(FdoInt32 i) { return m_row->Int32At(Binding(i)); }
FdoInt64 FeatureReader::GetInt64(FdoInt32 i) { return m_row->Int64At(Binding(i)); }
float FeatureReader::GetSingle(FdoInt32 i) { return m_row->SingleAt(Binding(i)); }
FdoString* FeatureReader::GetString(FdoInt32 i) { return m_row->StringAt(Binding(i)); }
FdoLOBValue* FeatureReader::GetLOB(FdoInt32 i) { return m_row->LOBAt(Binding(i)); }
bool FeatureReader::IsNull(FdoInt32 i) { return m_row->IsNullAt(Binding(i)); }
FdoByteArray* FeatureReader::GetGeometry(FdoInt32 i) { return m_row->GeometryArray(Binding(i)); }
const FdoByte* FeatureReader::GetGeometry(FdoInt32 i, FdoInt32* count) { return m_row->GeometryAt(Binding(i), count); }

FdoString* FeatureReader::GetPropertyName(FdoInt32 index) { return m_row->At(Binding(index)).name; }

FdoInt32 FeatureReader::GetPropertyIndex(FdoString* name) {
    return m_readerIndex[static_cast<size_t>(Binding(name))];
}

}  // namespace ogrcore
