// The SDF feature reader; see SdfFeatureReader.h.
#include "SdfFeatureReader.h"

#include "SdfDateTimeText.h"

#include <algorithm>

namespace sdf {

namespace {

[[noreturn]] void Mismatch(FdoString* name) {
    throw FdoCommandException::Create(FdoStringP::Format(
        L"Fetching a property value did not match the property type (property '%ls').", name));
}

// True when the filter's text names one of the properties (a conservative
// test: a literal that spells the name only costs the pushdown).
bool Mentions(FdoFilter* filter, const std::vector<FdoStringP>& names) {
    std::wstring text = filter->ToString();
    for (auto& n : names)
        if (text.find(n.Str()) != std::wstring::npos) return true;
    return false;
}

// The top-level AND conjuncts of filter that mention none of names, joined
// again; null when there are none.
FdoFilter* ConjunctsWithout(FdoFilter* filter, const std::vector<FdoStringP>& names) {
    auto* op = dynamic_cast<FdoBinaryLogicalOperator*>(filter);
    if (op && op->GetOperation() == FdoBinaryLogicalOperations_And) {
        FdoPtr<FdoFilter> left = op->GetLeftOperand();
        FdoPtr<FdoFilter> right = op->GetRightOperand();
        FdoPtr<FdoFilter> l = ConjunctsWithout(left, names);
        FdoPtr<FdoFilter> r = ConjunctsWithout(right, names);
        return FdoFilter::Combine(l, FdoBinaryLogicalOperations_And, r);
    }
    return Mentions(filter, names) ? nullptr : FDO_SAFE_ADDREF(filter);
}

}  // namespace

// The reader as the evaluator sees it: every property, selected or not.
class SdfFeatureReader::FullView : public FdoIReader {
public:
    static FullView* Create(SdfFeatureReader* owner) { return new FullView(owner); }

    bool GetBoolean(FdoString* n) override { return GetBoolean(GetPropertyIndex(n)); }
    FdoByte GetByte(FdoString* n) override { return GetByte(GetPropertyIndex(n)); }
    FdoDateTime GetDateTime(FdoString* n) override { return GetDateTime(GetPropertyIndex(n)); }
    double GetDouble(FdoString* n) override { return GetDouble(GetPropertyIndex(n)); }
    FdoInt16 GetInt16(FdoString* n) override { return GetInt16(GetPropertyIndex(n)); }
    FdoInt32 GetInt32(FdoString* n) override { return GetInt32(GetPropertyIndex(n)); }
    FdoInt64 GetInt64(FdoString* n) override { return GetInt64(GetPropertyIndex(n)); }
    float GetSingle(FdoString* n) override { return GetSingle(GetPropertyIndex(n)); }
    FdoString* GetString(FdoString* n) override { return GetString(GetPropertyIndex(n)); }
    FdoLOBValue* GetLOB(FdoString* n) override { return GetLOB(GetPropertyIndex(n)); }
    FdoIStreamReader* GetLOBStreamReader(FdoString*) override { return nullptr; }
    bool IsNull(FdoString* n) override { return IsNull(GetPropertyIndex(n)); }
    FdoByteArray* GetGeometry(FdoString* n) override { return GetGeometry(GetPropertyIndex(n)); }
    FdoIRaster* GetRaster(FdoString*) override { return nullptr; }

    bool GetBoolean(FdoInt32 i) override { return Inner()->GetBoolean(m_owner->Plain(C(i)).inner); }
    FdoByte GetByte(FdoInt32 i) override { return Inner()->GetByte(m_owner->Plain(C(i)).inner); }
    FdoDateTime GetDateTime(FdoInt32 i) override { return m_owner->ReadDateTime(C(i)); }
    double GetDouble(FdoInt32 i) override { return Inner()->GetDouble(m_owner->Plain(C(i)).inner); }
    FdoInt16 GetInt16(FdoInt32 i) override { return Inner()->GetInt16(m_owner->Plain(C(i)).inner); }
    FdoInt32 GetInt32(FdoInt32 i) override { return Inner()->GetInt32(m_owner->Plain(C(i)).inner); }
    FdoInt64 GetInt64(FdoInt32 i) override { return Inner()->GetInt64(m_owner->Plain(C(i)).inner); }
    float GetSingle(FdoInt32 i) override { return Inner()->GetSingle(m_owner->Plain(C(i)).inner); }
    FdoString* GetString(FdoInt32 i) override { return Inner()->GetString(m_owner->Plain(C(i)).inner); }
    FdoLOBValue* GetLOB(FdoInt32 i) override { return Inner()->GetLOB(m_owner->Plain(C(i)).inner); }
    bool IsNull(FdoInt32 i) override { return Inner()->IsNull(C(i).inner); }
    FdoByteArray* GetGeometry(FdoInt32 i) override { return Inner()->GetGeometry(C(i).inner); }

    FdoString* GetPropertyName(FdoInt32 i) override { return C(i).name; }
    FdoInt32 GetPropertyIndex(FdoString* name) override {
        for (size_t i = 0; i < m_owner->m_columns.size(); i++)
            if (m_owner->m_columns[i].name == name) return static_cast<FdoInt32>(i);
        throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.",
                                                             name ? name : L"", m_owner->m_binding->ClassName()));
    }
    bool ReadNext() override { return false; }
    void Close() override {}

protected:
    explicit FullView(SdfFeatureReader* owner) : m_owner(owner) {}
    void Dispose() override { delete this; }

private:
    const Column& C(FdoInt32 i) {
        if (i < 0 || static_cast<size_t>(i) >= m_owner->m_columns.size())
            throw FdoCommandException::Create(L"Item index out of bounds.");
        return m_owner->m_columns[static_cast<size_t>(i)];
    }
    ogrcore::FeatureReader* Inner() { return m_owner->m_inner; }

    SdfFeatureReader* m_owner;  // owns this view
};

SdfFeatureReader* SdfFeatureReader::Create(SdfClassBinding* binding, FdoIdentifierCollection* selectList,
                                           FdoFilter* filter, FdoParameterValueCollection* parameters) {
    FdoPtr<SdfFeatureReader> r = new SdfFeatureReader();
    r->m_binding = FDO_SAFE_ADDREF(binding);
    FdoPtr<FdoClassDefinition> cls = binding->GetClass();

    // Conditions OGR cannot decide here: on DateTime text, and on the key
    // column (OGR's attribute SQL knows it only as FID, which a GeoPackage
    // table with a named key does not).
    std::vector<FdoStringP> heldBack;
    for (auto& p : binding->Properties()) {
        bool isDateTime = p->GetPropertyType() == FdoPropertyType_DataProperty &&
                          static_cast<FdoDataPropertyDefinition*>(p.p)->GetDataType() == FdoDataType_DateTime;
        if (isDateTime) heldBack.push_back(p->GetName());
        r->m_columns.push_back({p->GetName(), -1, isDateTime});
    }
    if (!binding->Layout().fidProperty.IsEmpty()) heldBack.push_back(binding->Layout().fidProperty);

    FdoPtr<FdoFilter> innerFilter = FDO_SAFE_ADDREF(filter);
    if (filter && !heldBack.empty() && Mentions(filter, heldBack)) {
        innerFilter = ConjunctsWithout(filter, heldBack);
        r->m_evaluator = FdoCommonFilterEvaluator::Create(filter, cls, parameters);
        r->m_fullView = FullView::Create(r);
    }
    FdoPtr<ogrcore::ClassMap> map = binding->GetMap();
    r->m_inner = ogrcore::FeatureReader::Create(map, nullptr, innerFilter, parameters);
    for (auto& c : r->m_columns) c.inner = r->m_inner->GetPropertyIndex(c.name);

    if (selectList && selectList->GetCount() > 0) {
        for (FdoInt32 i = 0; i < selectList->GetCount(); i++) {
            FdoPtr<FdoIdentifier> id = selectList->GetItem(i);
            if (id->GetExpressionType() == FdoExpressionItemType_ComputedIdentifier)
                throw FdoCommandException::Create(FdoStringP::Format(
                    L"The SDF provider does not select computed properties ('%ls').", id->GetName()));
            FdoInt32 column = -1;
            for (size_t k = 0; k < r->m_columns.size(); k++)
                if (r->m_columns[k].name == id->GetName()) column = static_cast<FdoInt32>(k);
            if (column < 0)
                throw FdoCommandException::Create(FdoStringP::Format(
                    L"The property '%ls' is not in class '%ls'.", id->GetName(), binding->ClassName()));
            if (std::find(r->m_selected.begin(), r->m_selected.end(), column) == r->m_selected.end())
                r->m_selected.push_back(column);
        }
    } else {
        for (size_t k = 0; k < r->m_columns.size(); k++) r->m_selected.push_back(static_cast<FdoInt32>(k));
    }
    return FDO_SAFE_ADDREF(r.p);
}

SdfFeatureReader::~SdfFeatureReader() = default;

FdoClassDefinition* SdfFeatureReader::GetClassDefinition() {
    if (!m_classCopy) {
        FdoPtr<FdoClassDefinition> cls = m_binding->GetClass();
        m_classCopy = FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(cls);
    }
    return FDO_SAFE_ADDREF(m_classCopy.p);
}

FdoIFeatureReader* SdfFeatureReader::GetFeatureObject(FdoString* name) {
    throw FdoCommandException::Create(
        FdoStringP::Format(L"The SDF provider has no object properties ('%ls').", name ? name : L""));
}

FdoIStreamReader* SdfFeatureReader::GetLOBStreamReader(FdoString* name) {
    throw FdoCommandException::Create(
        FdoStringP::Format(L"The SDF provider reads LOB values whole; use GetLOB ('%ls').", name ? name : L""));
}

FdoIRaster* SdfFeatureReader::GetRaster(FdoString* name) {
    throw FdoCommandException::Create(
        FdoStringP::Format(L"The SDF provider has no raster properties ('%ls').", name ? name : L""));
}

FdoInt32 SdfFeatureReader::Selected(FdoString* name) { return GetPropertyIndex(name); }

const SdfFeatureReader::Column& SdfFeatureReader::At(FdoInt32 index) {
    if (index < 0 || static_cast<size_t>(index) >= m_selected.size())
        throw FdoCommandException::Create(L"Item index out of bounds.");
    return m_columns[static_cast<size_t>(m_selected[static_cast<size_t>(index)])];
}

const SdfFeatureReader::Column& SdfFeatureReader::Plain(const Column& c) {
    if (c.isDateTime) Mismatch(c.name);
    return c;
}

FdoDateTime SdfFeatureReader::ReadDateTime(const Column& c) {
    if (!c.isDateTime) return m_inner->GetDateTime(c.inner);
    FdoString* text = m_inner->GetString(c.inner);
    std::optional<FdoDateTime> value = SdfDateTimeText::Parse(FdoStringP(text));
    if (!value)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The value '%ls' of DateTime property '%ls' of class '%ls' is not a date or time.", text,
            (FdoString*)c.name, m_binding->ClassName()));
    return *value;
}

bool SdfFeatureReader::GetBoolean(FdoInt32 i) { return m_inner->GetBoolean(Plain(At(i)).inner); }
FdoByte SdfFeatureReader::GetByte(FdoInt32 i) { return m_inner->GetByte(Plain(At(i)).inner); }
FdoDateTime SdfFeatureReader::GetDateTime(FdoInt32 i) { return ReadDateTime(At(i)); }
double SdfFeatureReader::GetDouble(FdoInt32 i) { return m_inner->GetDouble(Plain(At(i)).inner); }
FdoInt16 SdfFeatureReader::GetInt16(FdoInt32 i) { return m_inner->GetInt16(Plain(At(i)).inner); }
FdoInt32 SdfFeatureReader::GetInt32(FdoInt32 i) { return m_inner->GetInt32(Plain(At(i)).inner); }
FdoInt64 SdfFeatureReader::GetInt64(FdoInt32 i) { return m_inner->GetInt64(Plain(At(i)).inner); }
float SdfFeatureReader::GetSingle(FdoInt32 i) { return m_inner->GetSingle(Plain(At(i)).inner); }
FdoString* SdfFeatureReader::GetString(FdoInt32 i) { return m_inner->GetString(Plain(At(i)).inner); }
FdoLOBValue* SdfFeatureReader::GetLOB(FdoInt32 i) { return m_inner->GetLOB(Plain(At(i)).inner); }
bool SdfFeatureReader::IsNull(FdoInt32 i) { return m_inner->IsNull(At(i).inner); }
FdoByteArray* SdfFeatureReader::GetGeometry(FdoInt32 i) { return m_inner->GetGeometry(At(i).inner); }
const FdoByte* SdfFeatureReader::GetGeometry(FdoInt32 i, FdoInt32* count) {
    return m_inner->GetGeometry(At(i).inner, count);
}

FdoString* SdfFeatureReader::GetPropertyName(FdoInt32 index) { return At(index).name; }

FdoInt32 SdfFeatureReader::GetPropertyIndex(FdoString* name) {
    for (size_t i = 0; i < m_selected.size(); i++)
        if (m_columns[static_cast<size_t>(m_selected[i])].name == name) return static_cast<FdoInt32>(i);
    throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not selected from class '%ls'.",
                                                         name ? name : L"", m_binding->ClassName()));
}

bool SdfFeatureReader::ReadNext() {
    if (m_closed) return false;
    while (m_inner->ReadNext()) {
        if (!m_evaluator || m_evaluator->IsMatch(m_fullView)) return true;
    }
    return false;
}

void SdfFeatureReader::Close() {
    m_closed = true;
    m_inner->Close();
}

}  // namespace sdf
