#pragma once
// Turns one Informix statement into the SQLite statement(s) that do its work.
// This first stage covers what SQLite does not take as written: Informix column
// types in CREATE TABLE / ALTER TABLE ADD, constraint spellings (DISTINCT,
// CONSTRAINT name after the constraint), storage clauses, double-quoted
// strings, RENAME/TRUNCATE/SYNONYM forms, comments. Offsets map back to the
// original text so SQLite's error positions can be reported in it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Classify.h"
#include "engine/StatementTokenizer.h"
#include "engine/TypeDecl.h"
#include "engine/ValuesFunctions.h"

namespace ifxsim {

// A serial column of a table being created, for its counter and triggers.
struct SerialColumn {
    std::string column;
    SerialKind kind = SerialKind::None;
    long long start = 1;
};

struct TranslatedStatement {
    std::string sql;  // what SQLite runs
    // Pairs (offset in `sql`, offset in the original text) at each copied token.
    std::vector<std::pair<std::size_t, std::size_t>> offsets;
    // CREATE TABLE: the table (lower case) and its serial columns.
    std::string table;
    std::vector<SerialColumn> serials;
    std::vector<NormalizedColumn> normalized;  // DATE, DATETIME, INTERVAL columns
    bool temporary = false;
    // SELECT from one table: a last result column `_rowid_` added for
    // sqlerrd[5] after FETCH; it is neither described nor delivered.
    bool rowidColumn = false;

    // Where a position of `sql` lies in the original text.
    std::size_t originalOffset(std::size_t translatedOffset) const;
};

struct TranslateError {
    int code = -201;
    std::size_t offset = 0;
    std::string errm;
};

struct TranslateResult {
    std::optional<TranslatedStatement> statement;
    std::optional<TranslateError> error;
};

// Translates the tokens of `sql` (already classified as `cls`).
TranslateResult translateStatement(std::string_view sql, const std::vector<Token>& tokens, const StatementClass& cls);

// Informix folds unquoted names to lower case; quoted ones keep their spelling.
std::string foldName(const Token& token);

// 'text' with embedded quotes doubled, as SQLite reads a string literal.
std::string sqlQuote(std::string_view text);

}  // namespace ifxsim
