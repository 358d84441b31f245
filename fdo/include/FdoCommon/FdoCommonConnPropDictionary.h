// The property dictionaries providers share: a provider states its
// properties once, in the order its connection string lists them, and gets
// the whole FdoIPropertyDictionary contract:
//
//     dict->AddProperty(L"File", L"", FdoCommonProp_Required | FdoCommonProp_FileName);
//     dict->AddProperty(L"ReadOnly", L"FALSE", FdoCommonProp_None, {L"FALSE", L"TRUE"});
//
// Names are found ignoring case, and a requested name also finds a property
// whose name it starts with ("file" and "FileName" both find File), an exact
// name winning over a prefix. Defaults are reported, never applied: an unset
// property reads as L"". Enumerable properties take only listed values
// (compared ignoring case); empty is allowed when the property is not
// required. A value written between '"' is kept without them and quoted
// again in the connection string; a '"' inside a value cannot be expressed
// in a connection string and is refused.
//
// The connection dictionary owns the connection string: every SetProperty
// rebuilds it as "Name=Value;" for each non-empty property in definition
// order, and SetConnectionString clears every property before setting those
// the string names. Syntax errors and unknown names in a connection string
// do not throw there: the pairs that could be read are kept, and Validate,
// which a provider calls from Open, reports the problem.
#pragma once

#include <Fdo/Commands/DataStore/IDataStorePropertyDictionary.h>
#include <Fdo/Common/StringP.h>
#include <Fdo/Connections/IConnectionPropertyDictionary.h>

#include <initializer_list>
#include <memory>

enum FdoCommonPropFlags {
    FdoCommonProp_None = 0,
    FdoCommonProp_Required = 1,
    FdoCommonProp_Protected = 2,
    FdoCommonProp_FileName = 4,
    FdoCommonProp_FilePath = 8,
    FdoCommonProp_DatastoreName = 16,
};

class FdoCommonPropertyTable;

class FDO_API FdoCommonConnPropDictionary : public FdoIConnectionPropertyDictionary {
public:
    static FdoCommonConnPropDictionary* Create();

    // Defines a property; flags combine FdoCommonPropFlags; a non-empty value
    // list makes it enumerable; localizedName defaults to name.
    void AddProperty(FdoString* name, FdoString* defaultValue = L"", FdoInt32 flags = FdoCommonProp_None,
                     std::initializer_list<FdoString*> values = {}, FdoString* localizedName = nullptr);

    FdoString** GetPropertyNames(FdoInt32& count) override;
    FdoString* GetProperty(FdoString* name) override;
    void SetProperty(FdoString* name, FdoString* value) override;
    FdoString* GetPropertyDefault(FdoString* name) override;
    bool IsPropertyRequired(FdoString* name) override;
    bool IsPropertyProtected(FdoString* name) override;
    bool IsPropertyFileName(FdoString* name) override;
    bool IsPropertyFilePath(FdoString* name) override;
    bool IsPropertyDatastoreName(FdoString* name) override;
    bool IsPropertyEnumerable(FdoString* name) override;
    FdoString** EnumeratePropertyValues(FdoString* name, FdoInt32& count) override;
    FdoString* GetLocalizedName(FdoString* name) override;

    // Borrowed; rebuilt by every change.
    FdoString* GetConnectionString();
    void SetConnectionString(FdoString* value);
    // Throws FdoConnectionException when the last connection string was
    // malformed or named an undefined property, or when a required property
    // is empty.
    void Validate();
    // While locked (the connection is open) no property may change.
    void SetLocked(bool locked) { m_locked = locked; }
    bool IsLocked() const { return m_locked; }

protected:
    FdoCommonConnPropDictionary();
    ~FdoCommonConnPropDictionary() override;
    void Dispose() override { delete this; }

private:
    void CheckUnlocked(FdoString* name);  // null: the whole string
    void Rebuild();

    std::unique_ptr<FdoCommonPropertyTable> m_table;
    FdoStringP m_connectionString;
    FdoStringP m_suppliedString;
    bool m_suppliedValid = true;
    FdoStringP m_firstUnknownName;
    bool m_locked = false;
};

class FDO_API FdoCommonDataStorePropDictionary : public FdoIDataStorePropertyDictionary {
public:
    static FdoCommonDataStorePropDictionary* Create();

    void AddProperty(FdoString* name, FdoString* defaultValue = L"", FdoInt32 flags = FdoCommonProp_None,
                     std::initializer_list<FdoString*> values = {}, FdoString* localizedName = nullptr);

    FdoString** GetPropertyNames(FdoInt32& count) override;
    FdoString* GetProperty(FdoString* name) override;
    void SetProperty(FdoString* name, FdoString* value) override;
    FdoString* GetPropertyDefault(FdoString* name) override;
    bool IsPropertyRequired(FdoString* name) override;
    bool IsPropertyProtected(FdoString* name) override;
    bool IsPropertyFileName(FdoString* name) override;
    bool IsPropertyFilePath(FdoString* name) override;
    bool IsPropertyDatastoreName(FdoString* name) override;
    bool IsPropertyEnumerable(FdoString* name) override;
    FdoString** EnumeratePropertyValues(FdoString* name, FdoInt32& count) override;
    FdoString* GetLocalizedName(FdoString* name) override;

    // Throws FdoCommandException when a required property is empty.
    void Validate();

protected:
    FdoCommonDataStorePropDictionary();
    ~FdoCommonDataStorePropDictionary() override;
    void Dispose() override { delete this; }

private:
    std::unique_ptr<FdoCommonPropertyTable> m_table;
};
