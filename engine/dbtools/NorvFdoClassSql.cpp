// Value parts shared by the Oracle and SQL Server NorvFdoClass statements.
#include "dbtools/NorvFdoClassSql.h"

#include "dbtools/SqlText.h"

namespace gxf::dbtools {

FdoStringP NorvFdoClassInsertValues(const FdoStringP& className, std::initializer_list<const FdoStringP*> values) {
    FdoStringP sql = FdoStringP(L" VALUES ( ") + L" '" + QuoteText(className) + L"' ";
    for (const FdoStringP* v : values) {
        if (v->GetLength() == 0)
            sql += L",NULL";
        else
            sql += FdoStringP(L", UPPER('") + QuoteText(*v) + L"') ";
    }
    return sql + L" ) ";
}

FdoStringP NorvFdoClassUpdateSet(const FdoStringP& className,
                                 std::initializer_list<std::pair<FdoString*, const FdoStringP*>> values) {
    FdoStringP sql = FdoStringP(L" SET ") + L" FDO_CLASS_NAME=" + L" '" + QuoteText(className) + L"' ";
    for (const auto& [label, v] : values) {
        sql += label;
        if (v->GetLength() == 0)
            sql += L"NULL";
        else
            sql += FdoStringP(L"UPPER('") + QuoteText(*v) + L"') ";
    }
    return sql;
}

}  // namespace gxf::dbtools
