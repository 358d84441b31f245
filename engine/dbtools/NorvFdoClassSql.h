// The value parts of the NorvFdoClass INSERT and UPDATE statements, which
// the Oracle and SQL Server tables build alike: the class name keeps its
// case, every other value is wrapped in UPPER(...), and an empty value is
// written as NULL. All values are quoted with QuoteText. Internal.
#pragma once

#include <Fdo.h>

#include <initializer_list>
#include <utility>

namespace gxf::dbtools {

// " VALUES (  'class' " then ",NULL" or ", UPPER('v') " per value, then " ) ".
FdoStringP NorvFdoClassInsertValues(const FdoStringP& className, std::initializer_list<const FdoStringP*> values);

// " SET  FDO_CLASS_NAME= 'class' " then label + "NULL" or label + "UPPER('v') "
// per (label, value) pair; the WHERE clause is the caller's.
FdoStringP NorvFdoClassUpdateSet(const FdoStringP& className,
                                 std::initializer_list<std::pair<FdoString*, const FdoStringP*>> values);

}  // namespace gxf::dbtools
