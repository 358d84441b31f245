// Each write takes the layer from the DataSource's write path, so it lands
// in the open transaction, and counts itself so the source can commit in
// chunks. GDAL warnings during a write mean data would change on disk.
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrFeatureWriter.h>
#include <ogrcore/OgrValues.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace ogrcore {

namespace {

// Numbers must fit the width of fields that have one. A real whose text
// at the field's decimals is too wide still fits when the text cut to the
// width reads back as the same number (only surplus decimals go), which is
// what GDAL stores, warning all the same. Otherwise a real field of a layer
// that can alter its fields (shape files) is widened to the text, up to the
// 254 characters a DBF field holds: other programs write large numbers in
// exponent form into narrow fields, which GDAL can only write in fixed
// notation, and a copy of such a file must keep every digit. Anything else
// would change the value, and is refused.
constexpr int kMaxFieldWidth = 254;

bool WidenRealField(OGRLayerH layer, OGRFieldDefnH fd, int field, int width) {
    if (!layer || width > kMaxFieldWidth || !OGR_L_TestCapability(layer, OLCAlterFieldDefn)) return false;
    OGRFieldDefnH wider = OGR_Fld_Create(OGR_Fld_GetNameRef(fd), OFTReal);
    OGR_Fld_SetWidth(wider, width);
    OGR_Fld_SetPrecision(wider, OGR_Fld_GetPrecision(fd));
    ErrorTrap trap;
    OGRErr err = OGR_L_AlterFieldDefn(layer, field, wider, ALTER_WIDTH_PRECISION_FLAG);
    OGR_Fld_Destroy(wider);
    return err == OGRERR_NONE && OGR_Fld_GetWidth(fd) >= width;
}

// Whether a non-negative number has at most digits digits before the point
// with room to spare for rounding (a quick test that avoids writing it out).
bool FitsDigits(double magnitude, int digits) {
    static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (digits <= 0) return false;
    if (digits >= 16) return magnitude < 1e15;
    return magnitude < kPowers[digits] - 1;
}

void CheckNumberFits(OGRLayerH layer, OGRFeatureH f, int field, FdoString* property) {
    OGRFieldDefnH fd = OGR_F_GetFieldDefnRef(f, field);
    OGRFieldType type = OGR_Fld_GetType(fd);
    int width = OGR_Fld_GetWidth(fd);
    if (width <= 0 || !OGR_F_IsFieldSetAndNotNull(f, field)) return;
    char text[512];
    if (type == OFTInteger || type == OFTInteger64) {
        const long long n = static_cast<long long>(OGR_F_GetFieldAsInteger64(f, field));
        if (FitsDigits(n < 0 ? -static_cast<double>(n) : static_cast<double>(n), width - (n < 0 ? 1 : 0))) return;
        snprintf(text, sizeof text, "%lld", n);
    } else if (type == OFTReal) {
        double v = OGR_F_GetFieldAsDouble(f, field);
        // Most numbers are far from the limit; only those near it are written out.
        const int precision = OGR_Fld_GetPrecision(fd);
        if (FitsDigits(std::fabs(v), width - (v < 0 ? 1 : 0) - (precision > 0 ? precision + 1 : 0) - 1)) return;
        snprintf(text, sizeof text, "%.*f", OGR_Fld_GetPrecision(fd), v);
        int needed = static_cast<int>(strlen(text));
        if (needed > width) {
            std::string cut(text, static_cast<size_t>(width));
            if (cut.find('.') != std::string::npos && std::strtod(cut.c_str(), nullptr) == v) return;
            if (WidenRealField(layer, fd, field, needed)) return;
            // A layer whose fields cannot change (KML, FlatGeobuf) writes
            // numbers as text or binary whatever the width says.
            if (layer && !OGR_L_TestCapability(layer, OLCAlterFieldDefn)) return;
        }
    } else {
        return;
    }
    if (static_cast<int>(strlen(text)) > width)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The value %ls of property '%ls' does not fit in its field of %d characters.",
            static_cast<FdoString*>(Wide(text)), property, width));
}

// GDAL's warnings about numbers that CheckNumberFits has already accepted,
// its note that a real above 2^53 in a field without decimals may have
// lost precision (the field receives every digit of the double it is given
// and reads back as that same double, so nothing the copy holds is lost),
// and its note that a GeoPackage layer declared with a single shape kind
// receives the multi kind the class also allows (stored as it is).
bool OnlyHarmlessWarnings(const ErrorTrap& trap) {
    if (trap.HasFailure()) return false;
    std::string all = trap.Messages();
    auto occurrences = [&](const char* text) {
        size_t count = 0;
        for (size_t pos = 0; (pos = all.find(text, pos)) != std::string::npos; pos++) count++;
        return count;
    };
    size_t messages = 1;
    for (size_t i = 0; (i = all.find("; ", i)) != std::string::npos; i++) messages++;
    return occurrences("not successfully written") + occurrences("Precision loss likely occurred") +
               occurrences("which is not normally allowed by the GeoPackage") ==
           messages;
}

}  // namespace

FdoParameterValue* FindParameter(FdoParameterValueCollection* parameters, FdoString* name, size_t hint) {
    if (!parameters) return nullptr;
    if (hint < static_cast<size_t>(parameters->GetCount())) {
        FdoPtr<FdoParameterValue> at = parameters->GetItem(static_cast<FdoInt32>(hint));
        if (at->GetName() && wcscmp(at->GetName(), name) == 0) return at.p;
    }
    FdoPtr<FdoParameterValue> found = parameters->FindItem(name);
    return found.p;  // the collection keeps it alive
}

FeatureWriter::FeatureWriter(ClassMap* map) : m_map(FDO_SAFE_ADDREF(map)), m_source(map->GetSource()) {}

void FeatureWriter::Bind(FdoPropertyValueCollection* values) {
    m_plan.clear();
    for (FdoInt32 i = 0; i < values->GetCount(); i++) {
        FdoPtr<FdoPropertyValue> pv = values->GetItem(i);
        FdoPtr<FdoIdentifier> id = pv->GetName();
        FdoString* name = id ? id->GetText() : L"";
        Planned planned;
        planned.binding = m_map->Find(name);
        if (planned.binding < 0)
            throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.", name,
                                                                 m_map->ClassName()));
        FdoPtr<FdoValueExpression> expr = pv->GetValue();
        if (auto* parameter = dynamic_cast<FdoParameter*>(expr.p)) planned.parameter = parameter->GetName();
        else if (expr && !dynamic_cast<FdoLiteralValue*>(expr.p))
            throw FdoCommandException::Create(
                FdoStringP::Format(L"The value of property '%ls' must be a literal or a parameter.", name));
        else planned.literal = FDO_SAFE_ADDREF(static_cast<FdoLiteralValue*>(expr.p));
        m_plan.push_back(std::move(planned));
    }
    m_row.resize(m_plan.size());
}

FdoInt64 FeatureWriter::InsertBound(FdoParameterValueCollection* parameters) {
    m_bound.clear();
    for (size_t i = 0; i < m_plan.size(); i++) {
        const Planned& p = m_plan[i];
        if (p.parameter.IsEmpty()) {
            m_bound.push_back({p.binding, p.literal.p});
            continue;
        }
        FdoParameterValue* bound = FindParameter(parameters, p.parameter, i);
        if (!bound)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"The parameter '%ls' of property '%ls' has no value.", (FdoString*)p.parameter,
                (FdoString*)m_map->Bindings()[static_cast<size_t>(p.binding)].name));
        m_row[i] = bound->GetValue();
        m_bound.push_back({p.binding, m_row[i].p});
    }
    return Insert(m_bound);
}

FdoLiteralValue* FeatureWriter::Resolve(FdoPropertyValue* value, FdoParameterValueCollection* parameters,
                                        FdoString* name) {
    FdoPtr<FdoValueExpression> expr = value->GetValue();
    if (!expr) return nullptr;
    if (auto* literal = dynamic_cast<FdoLiteralValue*>(expr.p)) return FDO_SAFE_ADDREF(literal);
    if (auto* parameter = dynamic_cast<FdoParameter*>(expr.p)) {
        FdoPtr<FdoParameterValue> bound = parameters ? parameters->FindItem(parameter->GetName()) : nullptr;
        if (!bound)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"The parameter '%ls' of property '%ls' has no value.", parameter->GetName(), name));
        return bound->GetValue();
    }
    throw FdoCommandException::Create(
        FdoStringP::Format(L"The value of property '%ls' must be a literal or a parameter.", name));
}

void FeatureWriter::Apply(OGRLayerH layer, OGRFeatureH feature, FdoPropertyValueCollection* values,
                          FdoParameterValueCollection* parameters) {
    for (FdoInt32 i = 0; i < values->GetCount(); i++) {
        FdoPtr<FdoPropertyValue> pv = values->GetItem(i);
        FdoPtr<FdoIdentifier> id = pv->GetName();
        FdoString* name = id ? id->GetText() : L"";
        int index = m_map->Find(name);
        if (index < 0)
            throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.", name,
                                                                 m_map->ClassName()));
        FdoPtr<FdoLiteralValue> value = Resolve(pv, parameters, name);
        ApplyOne(layer, feature, m_map->Bindings()[static_cast<size_t>(index)], value);
    }
}

void FeatureWriter::ApplyOne(OGRLayerH layer, OGRFeatureH feature, const PropertyBinding& b, FdoLiteralValue* value) {
    FdoString* name = b.name;
    if (b.readOnly)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The property '%ls' of class '%ls' is read-only.", name, m_map->ClassName()));
    if (b.role == PropertyRole::Geometry) {
        auto* g = dynamic_cast<FdoGeometryValue*>(value);
        if (value && !g)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"Value type to insert, update or retrieve doesn't match the type (Geometry) of property '%ls'.",
                name));
        FdoPtr<FdoByteArray> fgf = g ? g->GetGeometry() : nullptr;
        if (!fgf) {
            OGR_F_SetGeomFieldDirectly(feature, b.field, nullptr);
            return;
        }
        GeometryPtr geometry = GeometryFromFgf(fgf->GetData(), fgf->GetCount(), m_wkb);
        if (GeometryAdapter* adapter = m_map->Adapter()) adapter->BeforeWrite(geometry);
        OGR_F_SetGeomFieldDirectly(feature, b.field, geometry.release());
        return;
    }
    auto* data = dynamic_cast<FdoDataValue*>(value);
    if (value && !data)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"Value type to insert, update or retrieve doesn't match the type (%ls) of property '%ls'.",
            DataTypeName(b.type), name));
    WriteDataValue(feature, b, data);
    CheckNumberFits(layer, feature, b.field, name);
}

void FeatureWriter::BeginRows(size_t count) {
    m_drawnIds.clear();
    m_nextDrawn = 0;
    if (count < 2) return;
    LayerLease lease = m_source->Write(m_map->LayerName());
    const std::string& sequence = m_source->BulkIdSequence(lease.Layer());
    if (sequence.empty()) return;
    m_drawnIds = DrawIds(lease.GetDataset()->Handle(), sequence, count, m_map->ClassName());
    m_bulk.emplace();
}

void FeatureWriter::EndRows() {
    if (m_drawnIds.empty()) return;
    m_drawnIds.clear();
    m_bulk.reset();
    LayerLease lease = m_source->Write(m_map->LayerName());
    EndBulkRows(lease.GetDataset()->Handle(), m_map->ClassName());
}

FdoInt64 FeatureWriter::Create(OGRLayerH layer, OGRFeatureH feature) {
    ErrorTrap trap;
    if (m_nextDrawn < m_drawnIds.size()) OGR_F_SetFID(feature, m_drawnIds[m_nextDrawn++]);
    OGRErr err = OGR_L_CreateFeature(layer, feature);
    if (err != OGRERR_NONE || (!trap.Empty() && !OnlyHarmlessWarnings(trap)))
        throw FdoCommandException::Create(trap.DescribeWithWarnings(
            FdoStringP::Format(L"Inserting a feature into class '%ls' failed", m_map->ClassName())));
    m_source->RowWritten();
    return OGR_F_GetFID(feature) + m_map->FidOffset();
}

FdoInt64 FeatureWriter::Insert(FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters) {
    LayerLease lease = m_source->Write(m_map->LayerName());
    FeaturePtr feature(OGR_F_Create(OGR_L_GetLayerDefn(lease.Layer())));
    Apply(lease.Layer(), feature.get(), values, parameters);
    return Create(lease.Layer(), feature.get());
}

FdoInt64 FeatureWriter::Insert(const std::vector<BoundValue>& values) {
    LayerLease lease = m_source->Write(m_map->LayerName());
    FeaturePtr feature(OGR_F_Create(OGR_L_GetLayerDefn(lease.Layer())));
    for (const BoundValue& v : values)
        ApplyOne(lease.Layer(), feature.get(), m_map->Bindings()[static_cast<size_t>(v.binding)], v.value);
    return Create(lease.Layer(), feature.get());
}

void FeatureWriter::Update(FdoInt64 fid, FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters) {
    LayerLease lease = m_source->Write(m_map->LayerName());
    ErrorTrap trap;
    FeaturePtr feature(OGR_L_GetFeature(lease.Layer(), fid));
    if (!feature)
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Feature %lld of class '%ls' cannot be read for update", static_cast<long long>(fid + m_map->FidOffset()),
            m_map->ClassName())));
    Apply(lease.Layer(), feature.get(), values, parameters);
    if (OGR_L_SetFeature(lease.Layer(), feature.get()) != OGRERR_NONE || (!trap.Empty() && !OnlyHarmlessWarnings(trap)))
        throw FdoCommandException::Create(trap.DescribeWithWarnings(FdoStringP::Format(
            L"Updating feature %lld of class '%ls' failed", static_cast<long long>(fid + m_map->FidOffset()),
            m_map->ClassName())));
    m_source->RowWritten();
}

void FeatureWriter::Delete(FdoInt64 fid) {
    LayerLease lease = m_source->Write(m_map->LayerName());
    ErrorTrap trap;
    if (OGR_L_DeleteFeature(lease.Layer(), fid) != OGRERR_NONE)
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Deleting feature %lld of class '%ls' failed", static_cast<long long>(fid + m_map->FidOffset()),
            m_map->ClassName())));
    m_source->RowWritten();
}

}  // namespace ogrcore
