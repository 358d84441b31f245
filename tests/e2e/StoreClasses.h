// Finding a copied class again in the store it went to: database stores
// name it owner~table~geometry, and a database connection also lists the
// tables of other schemas.
#pragma once

#include <Fdo.h>

#include <cwctype>
#include <string>

namespace e2e {

inline bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (towlower(a[i]) != towlower(b[i])) return false;
    return true;
}

// The class of a store that holds the original class: its name, or the
// table part of an owner~table~geometry name, compared without case; empty
// when there is none.
inline std::string ClassNamed(const std::string& provider, const std::string& conn, const std::string& original) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> c = manager->CreateConnection(FdoStringP(provider.c_str()));
    c->SetConnectionString(FdoStringP(conn.c_str()));
    c->Open();
    FdoPtr<FdoIDescribeSchema> describe = static_cast<FdoIDescribeSchema*>(c->CreateCommand(FdoCommandType_DescribeSchema));
    FdoPtr<FdoFeatureSchemaCollection> schemas = describe->Execute();
    const std::wstring wanted = FdoStringP(original.c_str()).Str();
    // The class of that very name first: a database connection also lists
    // the tables of other schemas, as schema~table.
    std::string exact, byTable;
    for (FdoInt32 i = 0; i < schemas->GetCount(); i++) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 k = 0; k < classes->GetCount(); k++) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(k);
            std::wstring name = cls->GetName(), table = name;
            if (size_t a = name.find(L'~'); a != std::wstring::npos) {
                table = name.substr(a + 1);
                table = table.substr(0, table.find(L'~'));
            }
            if (exact.empty() && SameIgnoringCase(name, wanted)) exact = FdoStringP::Utf8FromUnicode(name.c_str());
            if (byTable.empty() && SameIgnoringCase(table, wanted))
                byTable = FdoStringP::Utf8FromUnicode(name.c_str());
        }
    }
    const std::string found = exact.empty() ? byTable : exact;
    c->Close();
    return found;
}

}  // namespace e2e
