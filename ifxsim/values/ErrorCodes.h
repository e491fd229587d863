// Informix error codes raised by the value conversion and formatting routines.
// The texts belong to the message catalogue (rgetlmsg); only the numbers live here.
#pragma once

namespace ifxsim::err {

inline constexpr int DecOverflow = -1200;      // number too large for a DECIMAL
inline constexpr int DecUnderflow = -1201;     // number too small for a DECIMAL
inline constexpr int DivideByZero = -1202;
inline constexpr int BadYear = -1204;
inline constexpr int BadMonth = -1205;
inline constexpr int BadDay = -1206;
inline constexpr int DoesNotFit = -1207;       // converted value does not fit the space
inline constexpr int BadDateValue = -1210;     // date cannot become month/day/year
inline constexpr int BadDateFormat = -1212;    // format lacks month, day or year
inline constexpr int NonNumeric = -1213;       // character to numeric conversion failed
inline constexpr int IntOverflow = -1215;      // value exceeds INTEGER precision
inline constexpr int BadExponent = -1216;
inline constexpr int BadFormat = -1217;       // format string unusable (too large, missing)
inline constexpr int BadDateText = -1218;      // string to date conversion error
inline constexpr int DtBadConversion = -1260;  // cannot convert between the types
inline constexpr int DtTooManyDigits = -1261;  // first field has too many digits
inline constexpr int DtNonNumeric = -1262;
inline constexpr int DtFieldRange = -1263;     // field out of range, incorrect or missing
inline constexpr int DtExtraChars = -1264;
inline constexpr int DtOverflow = -1265;
inline constexpr int DtIncompatible = -1266;
inline constexpr int DtResultRange = -1267;
inline constexpr int DtBadQualifier = -1268;
inline constexpr int Int8Overflow = -1284;     // value does not fit an INT8

}  // namespace ifxsim::err
