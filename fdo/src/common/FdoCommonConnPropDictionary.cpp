// The connection and data store dictionaries: thin shells over the shared
// property table, plus the connection string for the connection dictionary.
#include <FdoCommon/FdoCommonConnPropDictionary.h>
#include <FdoCommon/FdoCommonConnStringParser.h>

#include "common/FdoCommonPropertyTable.h"

#include <vector>

namespace {

FdoException* MakeConnectionException(FdoString* message) { return FdoConnectionException::Create(message); }
FdoException* MakeCommandException(FdoString* message) { return FdoCommandException::Create(message); }

}  // namespace

// ---------------------------------------------------------------------------
// FdoCommonConnPropDictionary

FdoCommonConnPropDictionary* FdoCommonConnPropDictionary::Create() { return new FdoCommonConnPropDictionary(); }

FdoCommonConnPropDictionary::FdoCommonConnPropDictionary()
    : m_table(std::make_unique<FdoCommonPropertyTable>(L"connection property", MakeConnectionException)) {}

FdoCommonConnPropDictionary::~FdoCommonConnPropDictionary() = default;

void FdoCommonConnPropDictionary::AddProperty(FdoString* name, FdoString* defaultValue, FdoInt32 flags,
                                              std::initializer_list<FdoString*> values,
                                              FdoString* localizedName) {
    m_table->Add(name, defaultValue, flags, values, localizedName);
}

FdoString** FdoCommonConnPropDictionary::GetPropertyNames(FdoInt32& count) { return m_table->GetNames(count); }
FdoString* FdoCommonConnPropDictionary::GetProperty(FdoString* name) { return m_table->Get(name).value; }
FdoString* FdoCommonConnPropDictionary::GetPropertyDefault(FdoString* name) {
    return m_table->Get(name).defaultValue;
}
bool FdoCommonConnPropDictionary::IsPropertyRequired(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_Required);
}
bool FdoCommonConnPropDictionary::IsPropertyProtected(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_Protected);
}
bool FdoCommonConnPropDictionary::IsPropertyFileName(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_FileName);
}
bool FdoCommonConnPropDictionary::IsPropertyFilePath(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_FilePath);
}
bool FdoCommonConnPropDictionary::IsPropertyDatastoreName(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_DatastoreName);
}
bool FdoCommonConnPropDictionary::IsPropertyEnumerable(FdoString* name) {
    return !m_table->Get(name).values.empty();
}
FdoString** FdoCommonConnPropDictionary::EnumeratePropertyValues(FdoString* name, FdoInt32& count) {
    return m_table->GetValues(name, count);
}
FdoString* FdoCommonConnPropDictionary::GetLocalizedName(FdoString* name) {
    return m_table->Get(name).localizedName;
}

void FdoCommonConnPropDictionary::CheckUnlocked(FdoString* name) {
    if (!m_locked) return;
    if (!name)
        throw FdoConnectionException::Create(
            L"The connection string cannot be changed while the connection is open.");
    throw FdoConnectionException::Create(FdoStringP::Format(
        L"The connection property '%ls' cannot be changed while the connection is open.", name));
}

void FdoCommonConnPropDictionary::SetProperty(FdoString* name, FdoString* value) {
    CheckUnlocked(name ? name : L"");
    m_table->Set(name, value);
    // Properties set one by one describe the connection from now on: an
    // earlier malformed connection string no longer matters.
    m_suppliedString = FdoStringP();
    m_suppliedValid = true;
    m_firstUnknownName = FdoStringP();
    Rebuild();
}

FdoString* FdoCommonConnPropDictionary::GetConnectionString() { return m_connectionString; }

void FdoCommonConnPropDictionary::SetConnectionString(FdoString* value) {
    CheckUnlocked(nullptr);
    FdoCommonConnStringParser parser(value);

    // Check every pair before changing anything, so a refused value leaves
    // the dictionary as it was.
    struct Assignment {
        FdoCommonPropertyTable::Property* property;
        FdoStringP value;
        bool quoted;
    };
    std::vector<Assignment> assignments;
    FdoStringP firstUnknown;
    for (FdoInt32 i = 0; i < parser.GetCount(); i++) {
        FdoString* name = parser.GetPropertyName(i);
        FdoCommonPropertyTable::Property* p = m_table->Find(name);
        if (!p) {
            if (firstUnknown.IsEmpty()) firstUnknown = name;
            continue;
        }
        FdoStringP raw = parser.GetPropertyValueW(name);
        if (parser.IsPropertyValueQuoted(name)) raw = FdoStringP(L"\"") + raw + L"\"";
        bool quoted = false;
        FdoStringP checked = m_table->Check(*p, raw, quoted);
        assignments.push_back(Assignment{p, checked, quoted});
    }

    m_table->ClearValues();
    for (const Assignment& a : assignments) {
        a.property->value = a.value;
        a.property->quoted = a.quoted;
    }
    m_suppliedString = value;
    m_suppliedValid = parser.IsConnStringValid();
    m_firstUnknownName = firstUnknown;
    Rebuild();
}

void FdoCommonConnPropDictionary::Validate() {
    if (!m_suppliedValid)
        throw FdoConnectionException::Create(
            FdoStringP::Format(L"Invalid connection string '%ls'", (FdoString*)m_suppliedString));
    if (!m_firstUnknownName.IsEmpty())
        throw FdoConnectionException::Create(
            FdoStringP::Format(L"Invalid connection property name '%ls'", (FdoString*)m_firstUnknownName));
    m_table->CheckRequired();
}

void FdoCommonConnPropDictionary::Rebuild() { m_connectionString = m_table->ToConnectionString(); }

// ---------------------------------------------------------------------------
// FdoCommonDataStorePropDictionary

FdoCommonDataStorePropDictionary* FdoCommonDataStorePropDictionary::Create() {
    return new FdoCommonDataStorePropDictionary();
}

FdoCommonDataStorePropDictionary::FdoCommonDataStorePropDictionary()
    : m_table(std::make_unique<FdoCommonPropertyTable>(L"data store property", MakeCommandException)) {}

FdoCommonDataStorePropDictionary::~FdoCommonDataStorePropDictionary() = default;

void FdoCommonDataStorePropDictionary::AddProperty(FdoString* name, FdoString* defaultValue, FdoInt32 flags,
                                                   std::initializer_list<FdoString*> values,
                                                   FdoString* localizedName) {
    m_table->Add(name, defaultValue, flags, values, localizedName);
}

FdoString** FdoCommonDataStorePropDictionary::GetPropertyNames(FdoInt32& count) {
    return m_table->GetNames(count);
}
FdoString* FdoCommonDataStorePropDictionary::GetProperty(FdoString* name) { return m_table->Get(name).value; }
void FdoCommonDataStorePropDictionary::SetProperty(FdoString* name, FdoString* value) {
    m_table->Set(name, value);
}
FdoString* FdoCommonDataStorePropDictionary::GetPropertyDefault(FdoString* name) {
    return m_table->Get(name).defaultValue;
}
bool FdoCommonDataStorePropDictionary::IsPropertyRequired(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_Required);
}
bool FdoCommonDataStorePropDictionary::IsPropertyProtected(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_Protected);
}
bool FdoCommonDataStorePropDictionary::IsPropertyFileName(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_FileName);
}
bool FdoCommonDataStorePropDictionary::IsPropertyFilePath(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_FilePath);
}
bool FdoCommonDataStorePropDictionary::IsPropertyDatastoreName(FdoString* name) {
    return m_table->Get(name).Has(FdoCommonProp_DatastoreName);
}
bool FdoCommonDataStorePropDictionary::IsPropertyEnumerable(FdoString* name) {
    return !m_table->Get(name).values.empty();
}
FdoString** FdoCommonDataStorePropDictionary::EnumeratePropertyValues(FdoString* name, FdoInt32& count) {
    return m_table->GetValues(name, count);
}
FdoString* FdoCommonDataStorePropDictionary::GetLocalizedName(FdoString* name) {
    return m_table->Get(name).localizedName;
}
void FdoCommonDataStorePropDictionary::Validate() { m_table->CheckRequired(); }
