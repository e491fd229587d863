#pragma once
// SQL functions that carry out Informix DATE/DATETIME/INTERVAL arithmetic on
// the stored forms (day numbers, canonical DATETIME and INTERVAL text). The
// translator calls them with each operand's type as a tag (see TemporalArith.h):
//   ifx_temporal(op, a, tagA, b, tagB, tagResult)  a op b
//   ifx_extend(x, tagX, qualifier)                 EXTEND(x, q1 TO q2)
//   ifx_units(n, unit)                             n UNITS unit
//   ifx_temporal_key(x, tagX)                      a value that compares as Informix
//                                                  compares DATE/DATETIME/INTERVAL values
//                                                  of different qualifiers
struct sqlite3;

namespace ifxsim {

void registerTemporalFunctions(sqlite3* db);

}  // namespace ifxsim
