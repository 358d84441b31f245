// Accessors of one class definition. The property mapping collection is
// created with the definition and handed out with a reference added.
#include <GeoxferApi/GXFClassCopyDef.h>

c_GXFClassCopyDef::c_GXFClassCopyDef() : m_PropertyCopyDefs(c_GXFPropertyCopyDefCollection::Create()) {}
c_GXFClassCopyDef::~c_GXFClassCopyDef() = default;
void c_GXFClassCopyDef::Dispose() { delete this; }

const wchar_t* c_GXFClassCopyDef::GetSourceClassName() const { return m_SourceClassName; }
void c_GXFClassCopyDef::SetSourceClassName(const wchar_t* name) { m_SourceClassName = name; }
const wchar_t* c_GXFClassCopyDef::GetDestClassName() const { return m_DestClassName; }
void c_GXFClassCopyDef::SetDestClassName(const wchar_t* name) { m_DestClassName = name; }

c_GXFPropertyCopyDefCollection* c_GXFClassCopyDef::GetPropertyCopyDefCollection() const {
    return FDO_SAFE_ADDREF(m_PropertyCopyDefs.p);
}

const wchar_t* c_GXFClassCopyDef::GetCopyFilter() const { return m_CopyFilter; }
void c_GXFClassCopyDef::SetCopyFilter(const wchar_t* filter) { m_CopyFilter = filter; }
