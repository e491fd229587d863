#pragma once
// BLOB and CLOB values between rows and the caller: a column holds a reference
// to an object of the hidden store (a 16-byte blob: "IFXSIMLO" + int64 id, a
// blob so that a CLOB column's text affinity leaves it alone). As the stand-in's
// convenience a column may also hold the content itself (a string literal
// into a CLOB or a BLOB).
#include <cstdint>
#include <string>

#include "engine/Values.h"

struct sqlite3_stmt;

namespace ifxsim::lo {

// True when the cell is a reference to a stored object; `id` receives it.
bool IsObjectReference(const CellValue& cell, std::int64_t& id);

// Fetch: writes a handle for the cell into the 72-byte ifx_lo_t of `var`. A
// cell holding content gets a fresh object holding a copy of it (writes
// through that handle do not reach the row). Returns 0 or an Informix error.
int WriteHandle(const CellValue& cell, ifx_sqlvar_t& var);

// Insert/update: binds the ifx_lo_t in `var` as a reference after checking it
// names an existing object of the open database. Returns 0 or an error.
int BindHandle(sqlite3_stmt* stmt, int index, const ifx_sqlvar_t& var);

// The content a cell stands for (the object's bytes for a reference), for
// showing BLOB/CLOB values as text.
std::string ContentText(const CellValue& cell);

}  // namespace ifxsim::lo
