// NorvRewriter: turns a statement of the emulated dialect into SQLite's.
//
// It works on tokens (NorvTokenizer), never on the raw text, so quoted
// strings and quoted names pass through untouched. What it rewrites:
//   MINUS -> EXCEPT;  DELETE t WHERE -> DELETE FROM t WHERE;
//   typed placeholders :1<char(4000)> -> :1;
//   MDSYS.X -> X;  VARCHAR2(n BYTE|CHAR) -> VARCHAR2(n) with a width check;
//   NUMBER(*,s) -> NUMBER(38,s);  IDENTITY columns -> INTEGER PRIMARY KEY;
//   TABLE(<query>) in FROM -> the NORV_DIM_ELEMENTS table function;
//   alias.column.SDO_SRID / SDO_GTYPE -> NORV_SDO_SRID / NORV_SDO_GTYPE(alias.column);
//   DROP TABLE t CASCADE CONSTRAINTS / PURGE -> DROP TABLE t;
//   unquoted names upper-cased (Oracle: names are stored upper-case);
//   CREATE/DROP of an unqualified table or view -> qualified with the
//   session's own schema.
// Index and key statements are recognised and described (NorvStatement)
// for the store to carry out. SDO_DIM_ARRAY, SDO_DIM_ELEMENT, SDO_AGGR_MBR,
// SDO_GEOMETRY and UPPER stay as they are: they are SQL functions of the
// store (NorvSqlFunctions).
#pragma once

#include "NorvStatement.h"

#include <Fdo/Common/Std.h>

#include <string>

namespace norvdb {

struct RewriteOptions {
    bool upperCaseNames = true;
    std::string defaultOwner;  // schema of unqualified CREATE/DROP
};

class NorvRewriter {
public:
    // Throws std::invalid_argument for text that cannot be tokenised or a
    // recognised statement that is malformed.
    static NorvStatement Rewrite(const std::string& sql, const RewriteOptions& options);
};

}  // namespace norvdb
