#pragma once
// The types of Informix arithmetic on DATE, DATETIME and INTERVAL values:
// what `a op b` yields (DATE ± n is a DATE, DATE − DATE a number of days,
// DATETIME − DATETIME an INTERVAL DAY(9) TO its finer end, DATE or DATETIME
// ± INTERVAL a DATETIME, INTERVAL ± INTERVAL, INTERVAL × ÷ number…) and the
// qualifier of `n UNITS unit` and EXTEND. Shared by the translator, which
// turns such operations into calls of the engine's temporal functions, and
// by DESCRIBE, which reports the result's type.
#include <optional>
#include <string>

#include "engine/TypeDecl.h"

namespace ifxsim {

bool isTemporal(const IfxType& t);  // DATE, DATETIME or INTERVAL
bool isNumeric(const IfxType& t);   // integers, DECIMAL/MONEY, FLOAT

IfxType datetimeType(int qualifier);
IfxType intervalType(int qualifier);
IfxType typeNamed(const std::string& declared);  // "INTEGER", "DATE", … (parseTypeDecl of a known text)

// How one binary operation on temporal values is carried out.
enum class TemporalOp {
    None,       // no temporal operand: ordinary arithmetic
    Native,     // DATE ± number, DATE − DATE: SQLite's integer arithmetic already does it
    Function,   // through ifx_temporal()
};

struct TemporalResult {
    TemporalOp how = TemporalOp::None;
    IfxType type;   // the result's type (when how != None)
    int error = 0;  // an Informix error when the operation is not allowed
};

// The result of `a op b` for op one of + - * /.
TemporalResult temporalArithmetic(char op, const IfxType& a, const IfxType& b);

// `n UNITS unit` (unit a TU_* code): an INTERVAL unit(9) TO unit.
IfxType unitsType(int unit);

// A type as one integer for the temporal SQL functions: code << 16 | length.
inline int typeTag(const IfxType& t) { return (t.code << 16) | (t.length & 0xffff); }
inline int tagCode(int tag) { return tag >> 16; }
inline int tagLength(int tag) { return tag & 0xffff; }

}  // namespace ifxsim
