// The working form of DATETIME and INTERVAL values: qualifiers, the seven
// fields (year, month, day, hour, minute, second, fraction in 1/100000 s) and
// the digits kept in dt_dec / in_dec.
//
// [UNVERIFIED] inner layout: the qualifier's fields written as one decimal
// number, the first field with its own digits (a DATETIME year with four),
// every further field with two, the fraction right of the point
// ("2024-01-02 10:11:12.5" YEAR TO FRACTION(1) is 20240102101112.5). Only
// this library's routines read it.
#pragma once

#include "ifxesqlc.h"

#include <cstdint>

namespace ifxsim {

enum Field { FYear, FMonth, FDay, FHour, FMinute, FSecond, FFraction, FieldCount };

inline constexpr int64_t kFracUnits = 100000;  // fraction held as 1/100000 s

struct Qualifier {
    int start = 0;     // Field index of the first field
    int end = 0;       // Field index of the last field
    int fracDigits = 0;  // 1..5 when end is FFraction
    int firstDigits = 0; // digits of the first field (interval precision)
    int startUnit = 0, endUnit = 0;  // TU_* codes
};

// Decodes a qualifier; false when it is not a valid one for the kind.
bool decodeQualifier(int qual, bool interval, Qualifier &q);
int fieldOfUnit(int unit);  // TU_* -> Field

struct TimeFields {
    bool negative = false;  // intervals only
    int64_t f[FieldCount] = {0, 0, 0, 0, 0, 0, 0};
};

// dec_t digits <-> fields of the qualifier's range (others are zero).
bool fieldsFromDec(const dec_t &dec, const Qualifier &q, bool interval, TimeFields &out);
int fieldsToDec(const TimeFields &t, const Qualifier &q, bool interval, dec_t &out);

// The local date and time now, every field filled.
TimeFields currentFields();

// Fills the fields of `to` that the value of `from` lacks: fields above it from
// the current date and time, fields below it with their lowest value; cuts the
// fraction to `to`'s precision. -1263 when the result is no valid date.
int extendFields(const TimeFields &in, const Qualifier &from, const Qualifier &to, TimeFields &out);

bool isYearMonthClass(const Qualifier &q);  // YEAR/MONTH intervals
// Interval as one signed number: months, or 1/100000 s for day-time ones.
__int128 intervalTotal(const TimeFields &t, const Qualifier &q);
// And back; -1265 when the first field needs more digits than it has.
int intervalFromTotal(__int128 total, const Qualifier &q, TimeFields &out);

// A complete date-time (year to fraction) as 1/100000 s since 0001-01-01 and back.
__int128 absoluteTime(const TimeFields &t);
bool fromAbsoluteTime(__int128 units, TimeFields &out);  // false outside years 1..9999

// Checks the ranges of every field in the qualifier's span (-1263).
int checkDateTimeFields(const TimeFields &t, const Qualifier &q);
int checkIntervalFields(const TimeFields &t, const Qualifier &q);

}  // namespace ifxsim
