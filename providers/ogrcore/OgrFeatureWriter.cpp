// Each write takes the layer from the DataSource's write path, so it lands
// in the open transaction, and counts itself so the source can commit in
// chunks. GDAL warnings during a write mean data would change on disk.
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrFeatureWriter.h>
#include <ogrcore/OgrValues.h>

#include <cstdlib>
#include <cstring>

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

void CheckNumberFits(OGRLayerH layer, OGRFeatureH f, int field, FdoString* property) {
    OGRFieldDefnH fd = OGR_F_GetFieldDefnRef(f, field);
    OGRFieldType type = OGR_Fld_GetType(fd);
    int width = OGR_Fld_GetWidth(fd);
    if (width <= 0 || !OGR_F_IsFieldSetAndNotNull(f, field)) return;
    char text[512];
    if (type == OFTInteger || type == OFTInteger64) {
        snprintf(text, sizeof text, "%lld", static_cast<long long>(OGR_F_GetFieldAsInteger64(f, field)));
    } else if (type == OFTReal) {
        double v = OGR_F_GetFieldAsDouble(f, field);
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
// and its note that a real above 2^53 in a field without decimals may have
// lost precision: the field receives every digit of the double it is given
// and reads back as that same double, so nothing the copy holds is lost.
bool OnlyNumberWidthWarnings(const ErrorTrap& trap) {
    if (trap.HasFailure()) return false;
    std::string all = trap.Messages();
    auto occurrences = [&](const char* text) {
        size_t count = 0;
        for (size_t pos = 0; (pos = all.find(text, pos)) != std::string::npos; pos++) count++;
        return count;
    };
    size_t messages = 1;
    for (size_t i = 0; (i = all.find("; ", i)) != std::string::npos; i++) messages++;
    return occurrences("not successfully written") + occurrences("Precision loss likely occurred") == messages;
}

}  // namespace

FeatureWriter::FeatureWriter(ClassMap* map) : m_map(FDO_SAFE_ADDREF(map)), m_source(map->GetSource()) {}

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
        const PropertyBinding& b = m_map->Bindings()[static_cast<size_t>(index)];
        if (b.readOnly)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"The property '%ls' of class '%ls' is read-only.", name, m_map->ClassName()));
        FdoPtr<FdoLiteralValue> value = Resolve(pv, parameters, name);
        if (b.role == PropertyRole::Geometry) {
            auto* g = dynamic_cast<FdoGeometryValue*>(value.p);
            if (value && !g)
                throw FdoCommandException::Create(FdoStringP::Format(
                    L"Value type to insert, update or retrieve doesn't match the type (Geometry) of property '%ls'.",
                    name));
            FdoPtr<FdoByteArray> fgf = g ? g->GetGeometry() : nullptr;
            if (!fgf) {
                OGR_F_SetGeomFieldDirectly(feature, b.field, nullptr);
                continue;
            }
            GeometryPtr geometry = GeometryFromFgf(fgf->GetData(), fgf->GetCount(), m_wkb);
            if (GeometryAdapter* adapter = m_map->Adapter()) adapter->BeforeWrite(geometry);
            OGR_F_SetGeomFieldDirectly(feature, b.field, geometry.release());
            continue;
        }
        auto* data = dynamic_cast<FdoDataValue*>(value.p);
        if (value && !data)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"Value type to insert, update or retrieve doesn't match the type (%ls) of property '%ls'.",
                DataTypeName(b.type), name));
        WriteDataValue(feature, b, data);
        CheckNumberFits(layer, feature, b.field, name);
    }
}

FdoInt64 FeatureWriter::Insert(FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters) {
    LayerLease lease = m_source->Write(m_map->LayerName());
    FeaturePtr feature(OGR_F_Create(OGR_L_GetLayerDefn(lease.Layer())));
    Apply(lease.Layer(), feature.get(), values, parameters);
    ErrorTrap trap;
    OGRErr err = OGR_L_CreateFeature(lease.Layer(), feature.get());
    if (err != OGRERR_NONE || (!trap.Empty() && !OnlyNumberWidthWarnings(trap)))
        throw FdoCommandException::Create(trap.DescribeWithWarnings(
            FdoStringP::Format(L"Inserting a feature into class '%ls' failed", m_map->ClassName())));
    m_source->RowWritten();
    return OGR_F_GetFID(feature.get()) + m_map->FidOffset();
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
    if (OGR_L_SetFeature(lease.Layer(), feature.get()) != OGRERR_NONE || (!trap.Empty() && !OnlyNumberWidthWarnings(trap)))
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
