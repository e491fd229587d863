#pragma once
// Typing of select-list expressions that are not plain table columns.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/StatementTokenizer.h"
#include "engine/TypeDecl.h"

struct sqlite3;

namespace ifxsim {

struct SelectItem {
    std::size_t begin = 0, end = 0;  // token range of the expression, alias excluded
    std::string alias;               // folded alias, empty when none
    bool star = false;               // * or t.*
};

// The top-level select list of a SELECT statement; empty for other statements.
std::vector<SelectItem> selectList(const std::vector<Token>& tokens);

struct ExprType {
    IfxType type;
    std::string name;      // "(count(*))", "(sum)", "(expression)", "(constant)", or a column name
    bool notNull = false;
};

// Types tokens[begin, end) of the statement; table columns are looked up in
// the tables the statement's FROM clause names.
ExprType typeExpression(sqlite3* db, const std::vector<Token>& tokens, std::size_t begin, std::size_t end);

}  // namespace ifxsim
