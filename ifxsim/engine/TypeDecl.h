#pragma once
// Informix column types: parsing a declared type ("DECIMAL(8,2)",
// "DATETIME YEAR TO FRACTION(3)", "INTERVAL DAY(3) TO SECOND", "SERIAL8(100)"…)
// into the type code and length that syscolumns and DESCRIBE report, and the
// canonical declared text kept as SQLite's declared column type, from which the
// same information is recovered later.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/StatementTokenizer.h"

namespace ifxsim {

enum class SerialKind { None, Serial, Serial8, BigSerial };

struct IfxType {
    int code = 0;        // SQL type code without flag bits (SQLCHAR, SQLDECIMAL, …)
    int length = 0;      // collength / sqllen encoding (n, p*256+s, qualifier, min*256+max…)
    int xid = 0;         // extended type id of built-in opaque types (boolean 5, blob 10, clob 11)
    std::string text;    // canonical declared text, upper case
    SerialKind serial = SerialKind::None;
    std::int64_t serialStart = 1;  // SERIAL(n): the first value handed out
    // SET/MULTISET/LIST: the one element type; ROW: the field types, named in `fields`.
    std::vector<IfxType> members;
    std::vector<std::string> fields;

    bool isComplex() const;        // SET, MULTISET, LIST, ROW

    bool isCharacter() const;      // CHAR, NCHAR, VARCHAR, NVARCHAR, LVARCHAR, TEXT, CLOB
};

struct TypeDeclError {
    std::size_t offset = 0;  // token where the type went wrong
};

// Parses a type starting at tokens[i]; on success `i` moves past it.
std::optional<IfxType> parseTypeDecl(const std::vector<Token>& tokens, std::size_t& i,
                                     TypeDeclError* error = nullptr);

// Parses a whole declared-type text (what SQLite hands back as the declared type).
std::optional<IfxType> parseTypeDecl(std::string_view text);

// DATETIME/INTERVAL qualifier helpers shared with the value code.
int datetimeQualifier(int first, int last);                 // TU_DTENCODE
int intervalQualifier(int firstDigits, int first, int last);  // TU_IENCODE
std::string qualifierText(int qualifier, bool interval);   // "YEAR TO SECOND", "DAY(3) TO SECOND"

}  // namespace ifxsim
