// Accessors of one property mapping; nothing here but stored text.
#include <GeoxferApi/GXFPropertyCopyDef.h>

c_GXFPropertyCopyDef::c_GXFPropertyCopyDef() = default;
c_GXFPropertyCopyDef::~c_GXFPropertyCopyDef() = default;
void c_GXFPropertyCopyDef::Dispose() { delete this; }

const wchar_t* c_GXFPropertyCopyDef::GetSourceProperty() const { return m_SourceProperty; }
void c_GXFPropertyCopyDef::SetSourceProperty(const wchar_t* name) { m_SourceProperty = name; }
const wchar_t* c_GXFPropertyCopyDef::GetDestProperty() const { return m_DestProperty; }
void c_GXFPropertyCopyDef::SetDestProperty(const wchar_t* name) { m_DestProperty = name; }
