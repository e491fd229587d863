#include "engine/CatalogViewColumns.h"

#include <sqlite3.h>

#include <string>

#include "engine/CatalogDb.h"
#include "engine/DescribeExpr.h"
#include "engine/StatementTokenizer.h"

namespace ifxsim::catalog {

std::vector<std::optional<IfxType>> viewColumnTypes(sqlite3* db, long long tabid) {
    std::string text;
    run(db, "SELECT viewtext FROM sysviews WHERE tabid = ? ORDER BY seqno", {std::int64_t{tabid}},
        [&](sqlite3_stmt* s) { text += catalog::text(s, 0); });
    const auto all = StatementTokenizer::tokenize(text);
    std::size_t select = 0;
    while (select < all.size() && !all[select].is("SELECT")) ++select;
    const std::vector<Token> tokens(all.begin() + static_cast<long>(std::min(select, all.size())), all.end());
    std::vector<std::optional<IfxType>> types;
    for (const auto& item : selectList(tokens)) {
        if (item.star) return {};
        types.push_back(typeExpression(db, tokens, item.begin, item.end).type);
    }
    return types;
}

}  // namespace ifxsim::catalog
