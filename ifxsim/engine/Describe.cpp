#include "engine/Describe.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

#include "engine/CatalogDb.h"
#include "engine/CollectionLiterals.h"
#include "engine/DescribeExpr.h"
#include "engine/DescribeUnion.h"

namespace ifxsim {

namespace {

// NOT NULL of a table column behind a result column.
bool columnNotNull(sqlite3* db, sqlite3_stmt* stmt, int i) {
    const char* table = sqlite3_column_table_name(stmt, i);
    const char* origin = sqlite3_column_origin_name(stmt, i);
    if (!table || !origin) return false;
    int notNull = 0;
    if (sqlite3_table_column_metadata(db, sqlite3_column_database_name(stmt, i), table, origin, nullptr, nullptr,
                                      &notNull, nullptr, nullptr) != SQLITE_OK)
        return false;
    return notNull != 0;
}

// The extended id the catalog gave a collection or row column behind a result column.
int complexTypeId(sqlite3* db, sqlite3_stmt* stmt, int i) {
    const char* table = sqlite3_column_table_name(stmt, i);
    const char* origin = sqlite3_column_origin_name(stmt, i);
    if (!table || !origin) return 0;
    return static_cast<int>(catalog::scalar(db,
                                            "SELECT c.extended_id FROM syscolumns c, systables t WHERE t.tabid = c.tabid "
                                            "AND t.tabname = ? COLLATE NOCASE AND c.colname = ? COLLATE NOCASE",
                                            {std::string(table), std::string(origin)}, 0));
}

}  // namespace

std::vector<ColumnInfo> describeColumns(sqlite3* db, sqlite3_stmt* stmt, const std::vector<Token>& tokens,
                                        int hidden) {
    std::vector<ColumnInfo> columns;
    const int n = sqlite3_column_count(stmt) - hidden;
    if (n <= 0) return columns;
    // The select list splits at commas outside brackets: a collection constructor's
    // braces count as brackets (token for token, so positions stay those of `tokens`).
    std::vector<Token> bracketed = tokens;
    for (Token& t : bracketed) {
        if (t.isSymbol("{")) t.text = "(";
        else if (t.isSymbol("}")) t.text = ")";
    }
    const auto items = selectList(bracketed);
    bool starred = false;
    for (const auto& item : items) starred = starred || item.star;
    // Select-list items line up with result columns unless a * expands.
    const bool aligned = !starred && static_cast<int>(items.size()) == n;
    for (int i = 0; i < n; ++i) {
        ColumnInfo col;
        const char* decl = sqlite3_column_decltype(stmt, i);
        const char* name = sqlite3_column_name(stmt, i);
        std::optional<IfxType> declared = decl ? parseTypeDecl(decl) : std::nullopt;
        if (declared) {
            col.type = *declared;
            if (declared->isComplex()) col.type.xid = complexTypeId(db, stmt, i);
            col.notNull = columnNotNull(db, stmt, i) || declared->serial != SerialKind::None;
            col.name = toLowerAscii(name ? name : "");
        } else if (aligned) {
            const auto& item = items[static_cast<std::size_t>(i)];
            ExprType et = typeExpression(db, bracketed, item.begin, item.end);
            col.type = et.type;
            // Collection and row values are described as such, not as text.
            if (auto complex = complexExpressionType(tokens, item.begin, item.end)) col.type = *complex;
            col.notNull = et.notNull;
            col.name = !item.alias.empty() ? item.alias : et.name;
        } else {
            col.type = *parseTypeDecl("VARCHAR(255)");
            col.name = toLowerAscii(name ? name : "");
        }
        if (aligned && !items[static_cast<std::size_t>(i)].alias.empty())
            col.name = items[static_cast<std::size_t>(i)].alias;
        columns.push_back(std::move(col));
    }
    widenOverUnion(db, tokens, columns);
    return columns;
}

ifx_sqlda_t* allocateSqlda(const std::vector<ColumnInfo>& columns) {
    std::size_t names = 0;
    for (const auto& c : columns) names += c.name.size() + 1;
    const std::size_t bytes = sizeof(ifx_sqlda_t) + columns.size() * sizeof(ifx_sqlvar_t) + names;
    auto* block = static_cast<char*>(std::calloc(1, bytes));
    if (!block) return nullptr;
    auto* da = reinterpret_cast<ifx_sqlda_t*>(block);
    auto* vars = reinterpret_cast<ifx_sqlvar_t*>(block + sizeof(ifx_sqlda_t));
    char* text = block + sizeof(ifx_sqlda_t) + columns.size() * sizeof(ifx_sqlvar_t);
    da->sqld = static_cast<int2>(columns.size());
    da->sqlvar = columns.empty() ? nullptr : vars;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnInfo& c = columns[i];
        ifx_sqlvar_t& v = vars[i];
        v.sqltype = static_cast<int2>(c.sqltype());
        v.sqllen = c.type.length;
        v.sqlxid = c.type.xid;
        std::memcpy(text, c.name.c_str(), c.name.size() + 1);
        v.sqlname = text;
        text += c.name.size() + 1;
    }
    return da;
}

}  // namespace ifxsim
