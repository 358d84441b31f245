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
// what GDAL stores, warning all the same; anything else would change.
void CheckNumberFits(OGRFeatureH f, int field, FdoString* property) {
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
        if (static_cast<int>(strlen(text)) > width) {
            std::string cut(text, static_cast<size_t>(width));
            if (cut.find('.') != std::string::npos && std::strtod(cut.c_str(), nullptr) == v) return;
        }
    } else {
        return;
    }
    if (static_cast<int>(strlen(text)) > width)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The value %ls of property '%ls' does not fit in its field of %d characters.",
            static_cast<FdoString*>(Wide(text)), property, width));
}

// GDAL's warning for numbers CheckNumberFits has already accepted.
bool OnlyNumberWidthWarnings(const ErrorTrap& trap) {
    if (trap.HasFailure()) return false;
    std::string all = trap.Messages();
    size_t count = 0, pos = 0;
    while ((pos = all.find("not successfully written", pos)) != std::string::npos) count++, pos++;
    size_t messages = 1;
    for (size_t i = 0; (i = all.find("; ", i)) != std::string::npos; i++) messages++;
    return count == messages;
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

void FeatureWriter::Apply(OGRFeatureH feature, FdoPropertyValueCollection* values,
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
            if (GeometryAdapter* adapter = m_map->Adapter()) adapter->BeforeWrite(geometry.get());
            OGR_F_SetGeomFieldDirectly(feature, b.field, geometry.release());
            continue;
        }
        auto* data = dynamic_cast<FdoDataValue*>(value.p);
        if (value && !data)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"Value type to insert, update or retrieve doesn't match the type (%ls) of property '%ls'.",
                DataTypeName(b.type), name));
        WriteDataValue(feature, b, data);
        CheckNumberFits(feature, b.field, name);
    }
}

FdoInt64 FeatureWriter::Insert(FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters) {
    LayerLease lease = m_source->Write(m_map->LayerName());
    FeaturePtr feature(OGR_F_Create(OGR_L_GetLayerDefn(lease.Layer())));
    Apply(feature.get(), values, parameters);
    ErrorTrap trap;
    OGRErr err = OGR_L_CreateFeature(lease.Layer(), feature.get());
    if (err != OGRERR_NONE || (!trap.Empty() && !OnlyNumberWidthWarnings(trap)))
        throw FdoCommandException::Create(trap.Describe(
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
    Apply(feature.get(), values, parameters);
    if (OGR_L_SetFeature(lease.Layer(), feature.get()) != OGRERR_NONE || (!trap.Empty() && !OnlyNumberWidthWarnings(trap)))
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
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
