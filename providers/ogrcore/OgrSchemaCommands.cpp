// ApplySchema checks every class before it creates anything, so a schema
// refused for one class leaves the data source as it was; creation then
// goes class by class (GDAL has no way to undo a created layer in every
// driver, so a failure part way keeps the layers made before it).
#include <ogrcore/OgrSchemaCommands.h>

#include <ogrcore/OgrConnection.h>

#include <ogrcore/OgrClassChange.h>

namespace ogrprovider {

OgrApplySchema::OgrApplySchema(OgrConnection* connection)
    : ApplySchemaSettings(connection, connection), m_ogr(connection) {}

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
        ogrcore::ClassChange change = ogrcore::ClassChangeFor(cls->GetElementState(), existing, m_ignoreStates);
        if (change == ogrcore::ClassChange::Conflict)
            throw FdoSchemaException::Create(FdoStringP::Format(L"Class '%ls' already exists in '%ls'.",
                                                                cls->GetName(), static_cast<FdoString*>(m_ogr->DataSourceText())));
        if (change == ogrcore::ClassChange::Create) creates.push_back(cls);
        if (change == ogrcore::ClassChange::Remove) deletes.push_back(cls->GetName());
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
    : CreateSpatialContextSettings(0.001, connection, connection), m_ogr(connection) {}

void OgrCreateSpatialContext::Execute() {
    m_ogr->CheckOpen();
    FdoXmlSpatialContext sc = Settings();
    if (sc.name.IsEmpty()) throw FdoCommandException::Create(L"A spatial context needs a name.");
    if (!m_updateExisting && m_ogr->FindContext(sc.name))
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The spatial context '%ls' already exists in '%ls'.", static_cast<FdoString*>(sc.name),
            static_cast<FdoString*>(m_ogr->DataSourceText())));
    ogrcore::SpatialContextInfo info;
    info.name = sc.name;
    info.description = sc.description;
    info.coordinateSystem = sc.coordinateSystem;
    info.wkt = sc.coordinateSystemWkt;
    info.extentType = sc.extentType;
    info.xyTolerance = sc.xyTolerance;
    info.zTolerance = sc.zTolerance;
    if (sc.hasExtent) {
        info.minX = sc.minX, info.minY = sc.minY, info.maxX = sc.maxX, info.maxY = sc.maxY;
    } else {
        info.minX = info.minY = -10000000;
        info.maxX = info.maxY = 10000000;
    }
    m_ogr->AddContext(info);
}

}  // namespace ogrprovider
