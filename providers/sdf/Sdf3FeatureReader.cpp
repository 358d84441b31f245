// See Sdf3FeatureReader.h.
#include "Sdf3FeatureReader.h"

#include "Sdf3Session.h"

#include <FdoCommon/FdoCommonFilterSplitter.h>
#include <sdf3/Sdf3Error.h>
#include <sdf3/Sdf3RTree.h>

namespace sdf {

namespace {

FdoString* TypeName(FdoDataType t) {
    static FdoString* names[] = {L"Boolean", L"Byte",  L"DateTime", L"Decimal", L"Double", L"Int16",
                                 L"Int32",   L"Int64", L"Single",   L"String",  L"BLOB",   L"CLOB"};
    return t >= 0 && t <= FdoDataType_CLOB ? names[t] : L"unknown";
}

}  // namespace

Sdf3FeatureReader* Sdf3FeatureReader::Create(Sdf3Session* session, FdoIdentifier* className,
                                             FdoIdentifierCollection* selectList, FdoFilter* filter,
                                             FdoParameterValueCollection* parameters) {
    FdoPtr<Sdf3FeatureReader> r = new Sdf3FeatureReader();
    r->m_session = FDO_SAFE_ADDREF(session);
    Sdf3Schema& schema = session->Schema();
    r->m_class = schema.FindClass(className);
    r->m_layout = &schema.Layout(className);
    const auto& slots = r->m_layout->slots;
    r->m_strings.resize(slots.size());
    if (selectList && selectList->GetCount() > 0) {
        for (FdoInt32 i = 0; i < selectList->GetCount(); i++) {
            FdoPtr<FdoIdentifier> id = selectList->GetItem(i);
            size_t slot = 0;
            while (slot < slots.size() && slots[slot].name != id->GetName()) slot++;
            if (slot == slots.size())
                throw FdoCommandException::Create(FdoStringP::Format(L"Class '%ls' has no property '%ls'.",
                                                                     r->m_class->GetName(), id->GetText()));
            r->m_selected.push_back(slot);
        }
    } else {
        for (size_t i = 0; i < slots.size(); i++) r->m_selected.push_back(i);
    }
    sdf3::Sdf3File& file = session->File();
    if (filter) {
        r->m_evaluator = FdoCommonFilterEvaluator::Create(filter, r->m_class, parameters);
        FdoCommonFilterParts parts = FdoCommonFilterSplitter::Split(filter, r->m_class);
        if (parts.hasEnvelope && r->m_layout->hasRTree && parts.envelopeProperty == r->m_layout->indexedGeometry) {
            sdf3::RTree rtree(file.Pages(), r->m_layout->rtreeRoot, L"the spatial index of " +
                                                                        std::wstring(r->m_class->GetName()));
            r->m_candidates = rtree.Search(parts.minX, parts.minY, parts.maxX, parts.maxY);
        }
    }
    if (!r->m_candidates)
        r->m_cursor = std::make_unique<sdf3::BTreeCursor>(file.Pages(), r->m_layout->dataRoot,
                                                          L"the features of " + std::wstring(r->m_class->GetName()));
    return r.Detach();
}

Sdf3FeatureReader::~Sdf3FeatureReader() = default;

bool Sdf3FeatureReader::NextRecord() {
    sdf3::Sdf3File& file = m_session->File();
    for (;;) {
        if (m_candidates) {
            if (m_nextCandidate >= m_candidates->size()) return false;
            m_entry.key = (*m_candidates)[m_nextCandidate++];
            if (!sdf3::FindRow(file.Pages(), m_layout->dataRoot, m_entry.key, L"the features of " +
                                                                                std::wstring(m_class->GetName()),
                               m_entry.payload))
                continue;  // an index entry without its record selects nothing
        } else if (!m_cursor->Next(m_entry)) {
            return false;
        }
        int id = sdf3::FeatureRecord::ClassId(m_entry.payload);
        for (size_t k = 0; k < m_layout->classIds.size(); k++) {
            if (m_layout->classIds[k] != id) continue;
            m_record.Parse(&m_entry.payload, m_layout->slotCounts[k], m_entry.key, file.Name(), m_class->GetName());
            return true;
        }
        if (id < 0 || static_cast<size_t>(id) >= file.Schema().classes.size())
            sdf3::Failf(file.Name(), L"record %lld of class '%ls' has the unknown class id %d",
                        static_cast<long long>(m_entry.key), m_class->GetName(), id);
    }
}

bool Sdf3FeatureReader::ReadNext() {
    if (m_closed) return false;
    m_onRow = false;
    while (NextRecord()) {
        m_onRow = true;
        if (!m_evaluator) return true;
        m_evaluating = true;
        bool match;
        try {
            match = m_evaluator->IsMatch(this);
        } catch (...) {
            m_evaluating = false;
            throw;
        }
        m_evaluating = false;
        if (match) return true;
    }
    m_onRow = false;
    return false;
}

void Sdf3FeatureReader::Close() {
    m_closed = true;
    m_onRow = false;
    m_cursor.reset();
}

FdoInt32 Sdf3FeatureReader::GetPropertyIndex(FdoString* name) {
    const auto& slots = m_layout->slots;
    for (size_t i = 0; i < slots.size(); i++) {
        if (slots[i].name != name) continue;
        if (m_evaluating) return static_cast<FdoInt32>(i);
        for (size_t k = 0; k < m_selected.size(); k++)
            if (m_selected[k] == i) return static_cast<FdoInt32>(k);
    }
    throw FdoCommandException::Create(
        FdoStringP::Format(L"The reader of class '%ls' has no property '%ls'.", m_class->GetName(), name ? name : L""));
}

FdoString* Sdf3FeatureReader::GetPropertyName(FdoInt32 index) {
    size_t count = m_evaluating ? m_layout->slots.size() : m_selected.size();
    if (index < 0 || static_cast<size_t>(index) >= count)
        throw FdoCommandException::Create(FdoStringP::Format(L"The reader has no property number %d.", index));
    return m_layout->slots[m_evaluating ? static_cast<size_t>(index) : m_selected[static_cast<size_t>(index)]].name;
}

size_t Sdf3FeatureReader::Slot(FdoInt32 index) {
    if (!m_onRow) throw FdoCommandException::Create(L"The SDF feature reader is not on a feature; call ReadNext first.");
    GetPropertyName(index);  // checks the index
    return m_evaluating ? static_cast<size_t>(index) : m_selected[static_cast<size_t>(index)];
}

const Sdf3PropertySlot& Sdf3FeatureReader::Typed(size_t slot, FdoDataType type) {
    const Sdf3PropertySlot& s = m_layout->slots[slot];
    if (s.isGeometry || s.type != type)
        throw FdoCommandException::Create(FdoStringP::Format(L"Property '%ls' of class '%ls' is %ls, not %ls.",
                                                             (FdoString*)s.name, m_class->GetName(),
                                                             s.isGeometry ? L"a geometry" : TypeName(s.type),
                                                             TypeName(type)));
    if (!s.autoGenerated && m_record.Size(slot) == 0)
        throw FdoCommandException::Create(FdoStringP::Format(L"Property '%ls' of class '%ls' is null; test IsNull first.",
                                                             (FdoString*)s.name, m_class->GetName()));
    return s;
}

void Sdf3FeatureReader::BadValue(size_t slot, FdoString* what) {
    sdf3::Failf(m_session->File().Name(), L"the value of '%ls' in record %lld of class '%ls' %ls (%zu bytes)",
                (FdoString*)m_layout->slots[slot].name, static_cast<long long>(m_entry.key), m_class->GetName(), what,
                m_record.Size(slot));
}

bool Sdf3FeatureReader::IsNull(FdoInt32 index) {
    size_t slot = Slot(index);
    return !m_layout->slots[slot].autoGenerated && m_record.Size(slot) == 0;
}

FdoDateTime Sdf3FeatureReader::GetDateTime(FdoInt32 index) {
    size_t slot = Slot(index);
    Typed(slot, FdoDataType_DateTime);
    FdoDateTime v;
    if (!sdf3::DecodeDateTime(m_record.Data(slot), m_record.Size(slot), v)) BadValue(slot, L"is no date and time");
    return v;
}

double Sdf3FeatureReader::GetDouble(FdoInt32 index) {
    size_t slot = Slot(index);
    bool decimal = m_layout->slots[slot].type == FdoDataType_Decimal && !m_layout->slots[slot].isGeometry;
    Typed(slot, decimal ? FdoDataType_Decimal : FdoDataType_Double);
    double v = 0;
    if (!sdf3::DecodeFixed(m_record.Data(slot), m_record.Size(slot), v)) BadValue(slot, L"has the wrong size");
    return v;
}

FdoString* Sdf3FeatureReader::GetString(FdoInt32 index) {
    size_t slot = Slot(index);
    Typed(slot, FdoDataType_String);
    if (!sdf3::DecodeString(m_record.Data(slot), m_record.Size(slot), m_strings[slot]))
        BadValue(slot, L"does not end its text");
    return m_strings[slot].c_str();
}

FdoLOBValue* Sdf3FeatureReader::GetLOB(FdoInt32 index) {
    size_t slot = Slot(index);
    bool clob = m_layout->slots[slot].type == FdoDataType_CLOB && !m_layout->slots[slot].isGeometry;
    Typed(slot, clob ? FdoDataType_CLOB : FdoDataType_BLOB);
    FdoPtr<FdoByteArray> bytes =
        FdoByteArray::Create(m_record.Data(slot), static_cast<FdoInt32>(m_record.Size(slot)));
    if (clob) return FdoCLOBValue::Create(bytes);
    return FdoBLOBValue::Create(bytes);
}

const FdoByte* Sdf3FeatureReader::GetGeometry(FdoInt32 index, FdoInt32* count) {
    size_t slot = Slot(index);
    const Sdf3PropertySlot& s = m_layout->slots[slot];
    if (!s.isGeometry)
        throw FdoCommandException::Create(FdoStringP::Format(L"Property '%ls' of class '%ls' is no geometry.",
                                                             (FdoString*)s.name, m_class->GetName()));
    if (m_record.Size(slot) == 0)
        throw FdoCommandException::Create(FdoStringP::Format(L"Property '%ls' of class '%ls' is null; test IsNull first.",
                                                             (FdoString*)s.name, m_class->GetName()));
    size_t n = sdf3::FgfLength(m_record.Data(slot), m_record.Size(slot));
    if (n == 0) BadValue(slot, L"is no FGF geometry");
    if (count) *count = static_cast<FdoInt32>(n);
    return m_record.Data(slot);
}

FdoByteArray* Sdf3FeatureReader::GetGeometry(FdoInt32 index) {
    FdoInt32 n = 0;
    const FdoByte* p = GetGeometry(index, &n);
    return FdoByteArray::Create(p, n);
}

FdoIStreamReader* Sdf3FeatureReader::GetLOBStreamReader(FdoString* /*name*/) {
    throw FdoCommandException::Create(L"The SDF provider reads large objects whole; use GetLOB.");
}

FdoIRaster* Sdf3FeatureReader::GetRaster(FdoString* /*name*/) {
    throw FdoCommandException::Create(L"SDF 3 files hold no raster properties.");
}

FdoIFeatureReader* Sdf3FeatureReader::GetFeatureObject(FdoString* /*name*/) {
    throw FdoCommandException::Create(L"SDF 3 files hold no object properties.");
}

}  // namespace sdf
