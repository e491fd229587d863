#pragma once
// SQL functions that bring DATE, DATETIME and INTERVAL values to their stored
// form (day number, canonical text) whatever form they were written in, and
// the triggers that apply them to a table's columns. Without them a date
// inserted as '01/15/2024' would stay text and sort and compare wrongly.
#include <string>
#include <vector>

struct sqlite3;

namespace ifxsim {

// Registers ifx_date(x), ifx_datetime(x, qualifier), ifx_interval(x, qualifier),
// ifx_smallfloat(x) on `db` unless they are there already, and makes LIKE case-sensitive there
// as Informix's is.
void ensureValueFunctions(sqlite3* db);

struct NormalizedColumn {
    std::string column;
    int code = 0;       // SQLDATE, SQLDTIME, SQLINTERVAL, SQLDECIMAL/SQLMONEY or a character type
    int qualifier = 0;  // DATETIME/INTERVAL qualifier, DECIMAL scale, character length
};

// Triggers that normalise those columns after INSERT and UPDATE: temporal
// values to their stored form, fixed-scale decimals rounded to their scale,
// character values cut to their declared length.
int installNormalizers(sqlite3* db, const std::string& table, const std::vector<NormalizedColumn>& columns,
                       bool temporary);

// A function failure carries the Informix code in its message: "ifxsim:-1218".
constexpr const char* kFunctionErrorPrefix = "ifxsim:";

}  // namespace ifxsim
