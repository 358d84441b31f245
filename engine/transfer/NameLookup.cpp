// Loose name lookups between plain class names and the owner~table~geometry
// class names of the maker's database providers, and property lookup that
// ignores letter case (those providers may report names in upper case).
#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <string>

namespace {

std::wstring Upper(const wchar_t* text) { return static_cast<FdoString*>(FdoStringP(text).Upper()); }

}  // namespace

bool c_FDO_Api::GetTableNameFromNorvOracleClass(const wchar_t* className, FdoStringP& tableName) {
    std::wstring part = className ? className : L"";
    if (auto tilde = part.find(L'~'); tilde != std::wstring::npos) part = part.substr(tilde + 1);
    if (auto tilde = part.find(L'~'); tilde != std::wstring::npos) part = part.substr(0, tilde);
    tableName = part.c_str();
    return true;
}

FdoClassDefinition* c_FDO_Api::FindNorvClass(FdoFeatureSchemaCollection* schemas, const wchar_t* className,
                                             const wchar_t* geometryName) {
    std::wstring key = L"~" + Upper(className) + L"~";
    if (geometryName && *geometryName) key += geometryName;
    key = Upper(key.c_str());
    for (FdoInt32 s = 0; schemas && s < schemas->GetCount(); s++) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
            FdoPtr<FdoClassDefinition> candidate = classes->GetItem(c);
            if (Upper(candidate->GetName()).find(key) != std::wstring::npos) return candidate.Detach();
        }
    }
    return nullptr;
}

FdoPropertyDefinition* c_FDO_Api::FindPropertyCaseInsensitive(FdoPropertyDefinitionCollection* properties,
                                                              const wchar_t* name) {
    for (FdoInt32 i = 0; properties && i < properties->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> property = properties->GetItem(i);
        if (FdoStringP(property->GetName()).ICompare(name) == 0) return property.Detach();
    }
    return nullptr;
}
