#pragma once
// The Informix types of a view's computed columns (count(*), sums, TODAY, …),
// which SQLite's schema leaves untyped: typed as DESCRIBE types them, from
// the view's SELECT as written.
#include <optional>
#include <vector>

#include "engine/TypeDecl.h"

struct sqlite3;

namespace ifxsim::catalog {

// One entry per select-list item of the view `tabid` (its text from
// sysviews); empty when the list cannot be lined up with the columns (a *).
std::vector<std::optional<IfxType>> viewColumnTypes(sqlite3* db, long long tabid);

}  // namespace ifxsim::catalog
