// ApplySchema checks every class before it creates anything, so a schema
// refused for one class leaves the data source as it was; creation then
// goes class by class (GDAL has no way to undo a created layer in every
// driver, so a failure part way keeps the layers made before it).
#include "OgrSchemaCommands.h"

#include "OgrConnection.h"

namespace ogrprovider {

OgrApplySchema::OgrApplySchema(OgrConnection* connection)
    : ogrcore::Command<FdoIApplySchema>(connection, connection), m_ogr(connection) {}

void OgrApplySchema::SetPhysicalMapping(FdoPhysicalSchemaMapping* value) {
    if (value)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"Schema mappings are not supported by %ls.", m_ogr->ProviderName()));
}

void OgrApplySchema::Execute() {
    m_ogr->CheckOpen();
    if (!m_schema) throw FdoCommandException::Create(L"ApplySchema has no feature schema to apply.");
    if (!m_ogr->IsWritable())
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The schema cannot be applied: '%ls' is read-only.", static_cast<FdoString*>(m_ogr->DataSourceText())));
    std::vector<FdoPtr<FdoClassDefinition>> creates;
    std::vector<FdoStringP> deletes;
    FdoPtr<FdoClassCollection> classes = m_schema->GetClasses();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        FdoPtr<ogrcore::ClassMap> existing = m_ogr->FindClass(cls->GetName());
        FdoSchemaElementState state = cls->GetElementState();
        if (m_ignoreStates || state == FdoSchemaElementState_Modified) {
            if (!existing) creates.push_back(cls);
        } else if (state == FdoSchemaElementState_Added) {
            if (existing)
                throw FdoSchemaException::Create(FdoStringP::Format(L"Class '%ls' already exists in '%ls'.",
                                                                    cls->GetName(), static_cast<FdoString*>(m_ogr->DataSourceText())));
            creates.push_back(cls);
        } else if (state == FdoSchemaElementState_Deleted && existing) {
            deletes.push_back(cls->GetName());
        }
    }
    for (auto& cls : creates) {
        if (cls->GetClassType() != FdoClassType_FeatureClass && cls->GetClassType() != FdoClassType_Class)
            throw FdoSchemaException::Create(FdoStringP::Format(
                L"Class '%ls' is of a class type %ls does not support.", cls->GetName(), m_ogr->ProviderName()));
        FdoPtr<FdoClassDefinition> base = cls->GetBaseClass();
        if (base)
            throw FdoSchemaException::Create(FdoStringP::Format(
                L"Class '%ls' has a base class: %ls does not support inheritance.", cls->GetName(),
                m_ogr->ProviderName()));
    }
    for (const auto& name : deletes) m_ogr->DeleteClass(name);
    for (auto& cls : creates) m_ogr->CreateClass(cls);
    m_schema->AcceptChanges();
}

OgrCreateSpatialContext::OgrCreateSpatialContext(OgrConnection* connection)
    : ogrcore::Command<FdoICreateSpatialContext>(connection, connection), m_ogr(connection) {}

void OgrCreateSpatialContext::Execute() {
    m_ogr->CheckOpen();
    if (m_name.IsEmpty()) throw FdoCommandException::Create(L"A spatial context needs a name.");
    if (!m_updateExisting && m_ogr->FindContext(m_name))
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The spatial context '%ls' already exists in '%ls'.", static_cast<FdoString*>(m_name),
            static_cast<FdoString*>(m_ogr->DataSourceText())));
    ogrcore::SpatialContextInfo info;
    info.name = m_name;
    info.description = m_description;
    info.coordinateSystem = m_coordinateSystem;
    info.wkt = m_wkt;
    info.extentType = m_extentType;
    info.xyTolerance = m_xyTolerance;
    info.zTolerance = m_zTolerance;
    FdoFgfBounds bounds;
    if (m_extent && m_extent->GetCount() > 0) bounds = FdoFgfBounds::Compute(m_extent->GetData(), m_extent->GetCount());
    if (!bounds.IsEmpty()) {
        info.minX = bounds.minX, info.minY = bounds.minY, info.maxX = bounds.maxX, info.maxY = bounds.maxY;
    } else {
        info.minX = info.minY = -10000000;
        info.maxX = info.maxY = 10000000;
    }
    m_ogr->AddContext(info);
}

}  // namespace ogrprovider
