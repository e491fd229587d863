#pragma once
// Moving values between SQLite and the caller's descriptors in the library's
// representations: CHAR blank-padded, VARCHAR NUL-terminated, dec_t for
// DECIMAL/MONEY, int4 day numbers for DATE, dtime_t/intrvl_t, ifx_int8_t,
// bigint, double/float, BOOLEAN 't'/'f', loc_t for BYTE/TEXT.
//
// Storage in SQLite: numbers as SQLite numbers (DECIMAL through NUMERIC
// affinity), DATE as the day number (day 0 = 1899-12-31), DATETIME and
// INTERVAL as their canonical text (dttoasc/intoasc of the column's
// qualifier), BOOLEAN as 't'/'f', BYTE as a blob, TEXT as text.
#include <cstdint>
#include <string>

#include "engine/Describe.h"
#include "ifxesqlc.h"

struct sqlite3_stmt;

namespace ifxsim {

// One value as SQLite holds it; kept by scroll cursors between fetches.
struct CellValue {
    int storage = 5;  // SQLITE_INTEGER 1, SQLITE_FLOAT 2, SQLITE_TEXT 3, SQLITE_BLOB 4, SQLITE_NULL 5
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes;  // text or blob
    bool isNull() const { return storage == 5; }
};

CellValue readCell(sqlite3_stmt* stmt, int column);
// The same into an existing cell, whose text buffer is reused.
void readCellInto(sqlite3_stmt* stmt, int column, CellValue& cell);
// The same while the caller holds the connection's mutex (sqlite3_db_mutex):
// the column's value is read directly, without a lock per call.
void readCellLocked(sqlite3_stmt* stmt, int column, CellValue& cell);

// Writes a value of `column` into `var` (its sqltype says which host
// representation: an SQL type code or a C type code). Returns 0, or a negative
// Informix error (conversion failures), leaving sqlca to the caller.
int writeOutput(const CellValue& cell, const ColumnInfo& column, ifx_sqlvar_t& var);

// Binds the value `var` describes to parameter `index` (1-based). Returns 0 or
// a negative Informix error.
int bindInput(sqlite3_stmt* stmt, int index, const ifx_sqlvar_t& var);

// The value as text the way Informix shows it for the column's type (DATE by
// DBDATE, BOOLEAN t/f, numbers in plain digits).
std::string cellText(const CellValue& cell, const ColumnInfo& column);

// A DATETIME text in the qualifier's form, or in a wider form (a full
// timestamp, CURRENT's YEAR TO FRACTION(3)) cut down to the qualifier.
int parseDatetimeText(const std::string& text, int qualifier, dtime_t& out);

// The C host type that goes with an SQL type code (for rsetnull/risnull).
int hostTypeOf(int sqltype);

}  // namespace ifxsim
