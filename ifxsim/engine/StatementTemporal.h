#pragma once
// DATE/DATETIME/INTERVAL expressions as SQLite evaluates them: before the
// literals are rewritten, arithmetic whose operands are temporal becomes a
// call of ifx_temporal() (with each operand's type, found in the statement's
// tables), `n UNITS unit` becomes ifx_units(), EXTEND() ifx_extend(), and
// comparisons between values of different temporal types or qualifiers (or
// with a quoted text or a host value) compare converted values. A host value
// compared with a SMALLFLOAT is taken at SMALLFLOAT precision. The rewritten tokens keep the
// offsets of the tokens they came from, so errors still point into the
// original statement.
#include <optional>
#include <vector>

#include "engine/StatementTranslate.h"

struct sqlite3;

namespace ifxsim::translate {

// The database whose tables type the operands while a statement is
// translated on this thread (set by PREPARE around the translation).
class TypingDatabase {
public:
    explicit TypingDatabase(sqlite3* db);
    ~TypingDatabase();
    TypingDatabase(const TypingDatabase&) = delete;
    TypingDatabase& operator=(const TypingDatabase&) = delete;
    static sqlite3* current();

private:
    sqlite3* previous_;
};

// Returns true and fills `out` when something was rewritten; sets `error`
// (Informix code and offset) on an operation Informix refuses.
bool rewriteTemporal(const std::vector<Token>& t, std::vector<Token>& out, std::optional<TranslateError>& error);

}  // namespace ifxsim::translate
