#include "engine/DescribeUnion.h"

#include <string>

#include "engine/DescribeExpr.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

bool isFixedChar(const IfxType& t) { return t.code == SQLCHAR || t.code == SQLNCHAR; }

// The type and nullability one branch gives each of its select-list items;
// empty when its list cannot be lined up (a * that expands).
std::vector<ExprType> branchTypes(sqlite3* db, const std::vector<Token>& branch) {
    std::vector<ExprType> types;
    for (const auto& item : selectList(branch)) {
        if (item.star) return {};
        types.push_back(typeExpression(db, branch, item.begin, item.end));
    }
    return types;
}

}  // namespace

std::vector<std::vector<Token>> laterUnionBranches(const std::vector<Token>& t) {
    std::vector<std::vector<Token>> branches;
    std::size_t start = 0;
    bool inBranch = false;
    int depth = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        if (depth != 0 || !t[i].is("UNION")) continue;
        if (inBranch) branches.emplace_back(t.begin() + static_cast<long>(start), t.begin() + static_cast<long>(i));
        std::size_t next = i + 1;
        if (next < t.size() && (t[next].is("ALL") || t[next].is("DISTINCT"))) ++next;
        start = next;
        inBranch = true;
    }
    if (inBranch && start < t.size()) branches.emplace_back(t.begin() + static_cast<long>(start), t.end());
    return branches;
}

void widenOverUnion(sqlite3* db, const std::vector<Token>& tokens, std::vector<ColumnInfo>& columns) {
    for (const auto& branch : laterUnionBranches(tokens)) {
        const auto types = branchTypes(db, branch);
        if (types.size() != columns.size()) continue;  // SQLite has refused a mismatch already
        for (std::size_t c = 0; c < columns.size(); ++c) {
            ColumnInfo& col = columns[c];
            const IfxType& other = types[c].type;
            if (isFixedChar(col.type) && isFixedChar(other) && other.length > col.type.length) {
                col.type.length = other.length;
                col.type.text = (col.type.code == SQLNCHAR ? "NCHAR(" : "CHAR(") + std::to_string(other.length) + ")";
            }
            col.notNull = col.notNull && types[c].notNull;
        }
    }
}

}  // namespace ifxsim
