#pragma once
// DECIMAL values SQLite cannot hold in a double without losing digits.
// SQLite keeps at most 15 significant digits in a REAL; a DECIMAL with more
// is stored as its exact text in a BLOB (the NUMERIC affinity leaves blobs
// alone), and these functions work on both forms:
//   ifx_sum(x)           SUM, added exactly (0.10 a thousand times is 100)
//   ifx_decimal(x, s)    a fixed-scale column's value rounded to s places
//   mod(a, b)            an integer for integer arguments, -1202 for b = 0
//   round/trunc(x [, n]) on the exact digits; a DATE with a format ('YEAR', 'MONTH', 'DAY')
#include <string>
#include <string_view>

struct sqlite3;

namespace ifxsim {

void registerExactNumberFunctions(sqlite3* db);

// True when a numeric literal as written would lose digits as a REAL (more
// than 15 significant digits, or an integer beyond what a 64-bit INTEGER holds).
bool needsExactStorage(std::string_view literal);

// The literal as a BLOB literal holding its text (X'…').
std::string exactLiteral(std::string_view literal);

}  // namespace ifxsim
