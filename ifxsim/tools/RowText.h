#pragma once
// Fetching a query's rows and writing them in unload format ("a|b|c|"):
// values as Informix tools show them, the delimiter, backslash and line
// breaks escaped with a backslash, NULL as an empty field.
#include <ostream>
#include <string>

#include "ifxesqlc.h"

namespace ifxsql {

// The value of one fetched column as text (empty for NULL).
std::string ValueText(const ifx_sqlvar_t& v);

// Declares a cursor on the described statement, fetches every row into
// `out`, and reports "N row(s) unloaded." on standard error. Returns 0 or
// the error left in sqlca.
int PrintRows(ifx_cursor_t* stmt, ifx_sqlda_t* da, std::ostream& out, char delimiter = '|');

}  // namespace ifxsql
