#pragma once
// TIfxTableName: a table name as the user writes it — "database:owner.table",
// "owner.table" or "table" — split into its parts, and the name rebuilt for
// statement text. The database separator is written doubled when the
// statement's parameter character is ":", so that parameter processing hands
// the server one colon.
#include <string>
#include <string_view>

namespace varnok {

struct TIfxTableName {
    std::string database;
    std::string owner;
    std::string table;

    // Splits at the first ":" (database before it) and the first "." after
    // that (owner between them); every part is trimmed. A doubled colon
    // (the form FullName writes) counts as one.
    static TIfxTableName Split(std::string_view text);

    // database + "::" (when present), owner + "." (when present), table.
    // paramChar: the parameter character of the processor the text goes
    // through; only ":" needs the doubled colon.
    std::string FullName(char paramChar = ':') const;
    // The value of the catalog queries' database macro: database + "::", or empty.
    std::string DatabasePrefix(char paramChar = ':') const;

    bool Empty() const { return table.empty() && owner.empty() && database.empty(); }
};

}  // namespace varnok
