// One property mapping of a class copy: which source property feeds which
// destination property.
//
// Definitions are reference-counted like FDO objects: `new` hands the caller
// the first reference and the last Release deletes the object, so the
// destructor is not public. The collection holds one reference per item.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/Collection.h>
#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

class GXF_API c_GXFPropertyCopyDef : public FdoIDisposable {
public:
    c_GXFPropertyCopyDef();

    // Getters point into the object's own text; setters copy (null = empty).
    const wchar_t* GetSourceProperty() const;
    void SetSourceProperty(const wchar_t* name);
    const wchar_t* GetDestProperty() const;
    void SetDestProperty(const wchar_t* name);

protected:
    ~c_GXFPropertyCopyDef() override;
    void Dispose() override;

private:
    FdoStringP m_SourceProperty;
    FdoStringP m_DestProperty;
};

class GXF_API c_GXFPropertyCopyDefCollection : public FdoCollection<c_GXFPropertyCopyDef, FdoException> {
public:
    c_GXFPropertyCopyDefCollection() = default;
    static c_GXFPropertyCopyDefCollection* Create() { return new c_GXFPropertyCopyDefCollection(); }

protected:
    ~c_GXFPropertyCopyDefCollection() override = default;
    void Dispose() override { delete this; }
};
