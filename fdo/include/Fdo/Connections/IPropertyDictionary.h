// The property dictionaries: named text settings described well enough for a
// program to build a form for them (required, protected, enumerable, file
// name, ...). Connection properties and data store properties share the
// interface; FdoCommonConnPropDictionary is the usual implementation.
//
// Returned strings and string arrays are borrowed: they stay valid until the
// dictionary changes.
#pragma once

#include <Fdo/Common/IDisposable.h>

class FDO_API FdoIPropertyDictionary : public FdoIDisposable {
public:
    virtual FdoString** GetPropertyNames(FdoInt32& count) = 0;
    // The value, L"" when not set.
    virtual FdoString* GetProperty(FdoString* name) = 0;
    virtual void SetProperty(FdoString* name, FdoString* value) = 0;
    virtual FdoString* GetPropertyDefault(FdoString* name) = 0;
    virtual bool IsPropertyRequired(FdoString* name) = 0;
    // A protected value (a password) should not be shown.
    virtual bool IsPropertyProtected(FdoString* name) = 0;
    virtual bool IsPropertyFileName(FdoString* name) = 0;
    virtual bool IsPropertyFilePath(FdoString* name) = 0;
    virtual bool IsPropertyDatastoreName(FdoString* name) = 0;
    virtual bool IsPropertyEnumerable(FdoString* name) = 0;
    virtual FdoString** EnumeratePropertyValues(FdoString* name, FdoInt32& count) = 0;
    virtual FdoString* GetLocalizedName(FdoString* name) = 0;
};
