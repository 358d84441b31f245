// Accessors of a copy task and the list of its source classes. The XML file
// work lives in CopyTaskXmlWriter.cpp and CopyTaskXmlReader.cpp.
#include <GeoxferApi/GXFCopyTaskDef.h>

#include "copytask/CopyTaskXml.h"

c_GXFCopyTaskDef::c_GXFCopyTaskDef()
    : m_ClassCopyDefs(c_GXFClassCopyDefCollection::Create()),
      m_ExecuteApplySchema(true),
      m_CreateSpatialContext(true),
      m_DeleteDestinationData(false),
      m_MagicDataTypes(true),
      m_MagicClassName(true),
      m_SDF_Attr_CreateIfMissing(true),
      m_SDF_Attr_OverwriteFile(false),
      m_Oracle_Attr_SRID(-1) {}

c_GXFCopyTaskDef::~c_GXFCopyTaskDef() = default;
void c_GXFCopyTaskDef::Dispose() { delete this; }

const wchar_t* c_GXFCopyTaskDef::GetSourceProvider() const { return m_SourceProvider; }
void c_GXFCopyTaskDef::SetSourceProvider(const wchar_t* name) { m_SourceProvider = name; }
const wchar_t* c_GXFCopyTaskDef::GetSourceConnString() const { return m_SourceConnString; }
void c_GXFCopyTaskDef::SetSourceConnString(const wchar_t* connString) { m_SourceConnString = connString; }
const wchar_t* c_GXFCopyTaskDef::GetDestProvider() const { return m_DestProvider; }
void c_GXFCopyTaskDef::SetDestProvider(const wchar_t* name) { m_DestProvider = name; }
const wchar_t* c_GXFCopyTaskDef::GetDestConnString() const { return m_DestConnString; }
void c_GXFCopyTaskDef::SetDestConnString(const wchar_t* connString) { m_DestConnString = connString; }

c_GXFClassCopyDefCollection* c_GXFCopyTaskDef::GetClassCopyDefCollection() const {
    return FDO_SAFE_ADDREF(m_ClassCopyDefs.p);
}

bool c_GXFCopyTaskDef::GetExecuteApplySchema() const { return m_ExecuteApplySchema; }
void c_GXFCopyTaskDef::SetExecuteApplySchema(bool execute) { m_ExecuteApplySchema = execute; }
const wchar_t* c_GXFCopyTaskDef::GetApplySchemaXML() const { return m_ApplySchemaXML; }
void c_GXFCopyTaskDef::SetApplySchemaXML(const wchar_t* fileName) { m_ApplySchemaXML = fileName; }
bool c_GXFCopyTaskDef::GetCreateSpatialContext() const { return m_CreateSpatialContext; }
void c_GXFCopyTaskDef::SetCreateSpatialContext(bool create) { m_CreateSpatialContext = create; }
const wchar_t* c_GXFCopyTaskDef::GetSpatialContextXML() const { return m_SpatialContextXML; }
void c_GXFCopyTaskDef::SetSpatialContextXML(const wchar_t* fileName) { m_SpatialContextXML = fileName; }
bool c_GXFCopyTaskDef::GetDeleteDestinationData() const { return m_DeleteDestinationData; }
void c_GXFCopyTaskDef::SetDeleteDestinationData(bool del) { m_DeleteDestinationData = del; }
bool c_GXFCopyTaskDef::GetMagicDataTypes() const { return m_MagicDataTypes; }
void c_GXFCopyTaskDef::SetMagicDataTypes(bool magic) { m_MagicDataTypes = magic; }
bool c_GXFCopyTaskDef::GetMagicClassName() const { return m_MagicClassName; }
void c_GXFCopyTaskDef::SetMagicClassName(bool magic) { m_MagicClassName = magic; }
bool c_GXFCopyTaskDef::GetSDF_Attr_CreateIfMissing() const { return m_SDF_Attr_CreateIfMissing; }
void c_GXFCopyTaskDef::SetSDF_Attr_CreateIfMissing(bool create) { m_SDF_Attr_CreateIfMissing = create; }
bool c_GXFCopyTaskDef::GetSDF_Attr_OverwriteFile() const { return m_SDF_Attr_OverwriteFile; }
void c_GXFCopyTaskDef::SetSDF_Attr_OverwriteFile(bool overwrite) { m_SDF_Attr_OverwriteFile = overwrite; }
FdoInt32 c_GXFCopyTaskDef::GetOracle_Attr_SRID() const { return m_Oracle_Attr_SRID; }
void c_GXFCopyTaskDef::SetOracle_Attr_SRID(FdoInt32 srid) { m_Oracle_Attr_SRID = srid; }

int c_GXFCopyTaskDef::GetSourceClassesAsString(FdoStringP& classes) const {
    const FdoInt32 count = m_ClassCopyDefs->GetCount();
    for (FdoInt32 i = 0; i < count; i++) {
        FdoPtr<c_GXFClassCopyDef> def = m_ClassCopyDefs->GetItem(i);
        if (i > 0) classes += L",";
        if (def) classes += def->GetSourceClassName();  // a null entry counts as an empty name
    }
    return count;
}

bool c_GXFCopyTaskDef::WriteToXML(const wchar_t* fileName) {
    WriteCopyTaskXml(*this, fileName);
    return true;
}

bool c_GXFCopyTaskDef::ReadFromXML(const wchar_t* fileName) { return ReadCopyTaskXml(*this, fileName); }
