// One class of a copy task: source and destination class names, the filter
// that selects the features and the property mappings, in copy order.
//
// Reference-counted like the other definitions: `new` gives the first
// reference, the last Release deletes. The property mappings are the
// definition's own collection; items added through it belong to it.
#pragma once

#include <GeoxferApi/Export.h>
#include <GeoxferApi/GXFPropertyCopyDef.h>

#include <Fdo/Common/Ptr.h>

class GXF_API c_GXFClassCopyDef : public FdoIDisposable {
public:
    c_GXFClassCopyDef();

    const wchar_t* GetSourceClassName() const;
    void SetSourceClassName(const wchar_t* name);
    const wchar_t* GetDestClassName() const;
    void SetDestClassName(const wchar_t* name);

    // The definition's own collection, with a reference added for the caller.
    c_GXFPropertyCopyDefCollection* GetPropertyCopyDefCollection() const;

    const wchar_t* GetCopyFilter() const;
    void SetCopyFilter(const wchar_t* filter);

protected:
    ~c_GXFClassCopyDef() override;
    void Dispose() override;

private:
    FdoStringP m_SourceClassName;
    FdoStringP m_DestClassName;
    FdoPtr<c_GXFPropertyCopyDefCollection> m_PropertyCopyDefs;
    FdoStringP m_CopyFilter;
};

class GXF_API c_GXFClassCopyDefCollection : public FdoCollection<c_GXFClassCopyDef, FdoException> {
public:
    c_GXFClassCopyDefCollection() = default;
    static c_GXFClassCopyDefCollection* Create() { return new c_GXFClassCopyDefCollection(); }

protected:
    ~c_GXFClassCopyDefCollection() override = default;
    void Dispose() override { delete this; }
};
