#include "engine/CollectionFunctions.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/CatalogDb.h"
#include "engine/CollectionText.h"
#include "engine/CollectionValues.h"
#include "engine/FunctionArgs.h"
#include "engine/StatementTranslate.h"
#include "engine/ValuesFunctions.h"

namespace ifxsim {

namespace {

using Node = CollectionNode;

constexpr unsigned kConstructorSubtype = 'C';  // a constructor's result handed to another constructor

// ifx_collection(value, 'declared type'): the value in the type's stored form.
void collectionFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const auto type = parseTypeDecl(argText(argv[1]));
    if (!type || !type->isComplex()) return failFunction(ctx, kCollectionNotThatType);
    const auto r = normalizeCollection(argText(argv[0]), *type);
    if (r.error) return failFunction(ctx, r.error);
    sqlite3_result_text(ctx, r.text.c_str(), static_cast<int>(r.text.size()), SQLITE_TRANSIENT);
}

// ifx_set(…), ifx_multiset(…), ifx_list(…), ifx_row(…): the text of the
// constructor SET{…}, MULTISET{…}, LIST{…}, ROW(…) over SQLite values.
void constructorFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const std::string keyword = static_cast<const char*>(sqlite3_user_data(ctx));
    const bool row = keyword == "ROW";
    std::string out = keyword + (row ? "(" : "{");
    for (int i = 0; i < argc; ++i) {
        if (i) out += ",";
        sqlite3_value* v = argv[i];
        switch (sqlite3_value_type(v)) {
        case SQLITE_NULL:
            if (!row) return failFunction(ctx, kCollectionNullElement);
            out += "NULL";
            break;
        case SQLITE_INTEGER: out += std::to_string(sqlite3_value_int64(v)); break;
        case SQLITE_FLOAT: out += fifteenDigits(sqlite3_value_double(v)); break;
        default:
            // A constructor inside a constructor is a member value, not a string.
            if (sqlite3_value_subtype(v) == kConstructorSubtype) out += argText(v);
            else out += quoteElement(argText(v));
            break;
        }
    }
    out += row ? ")" : "}";
    sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
    sqlite3_result_subtype(ctx, kConstructorSubtype);
}

std::string ident(const std::string& name) { return catalog::quoteIdent(name); }

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// ifx_elements(collection): its elements as a JSON array, for "x IN column":
// texts without the blanks that pad CHAR elements, numbers as numbers.
void elementsFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const auto node = parseCollectionText(argText(argv[0]));
    if (!node || node->keyword.empty() || node->keyword == "ROW") return failFunction(ctx, kCollectionNotThatType);
    std::string json = "[";
    for (std::size_t i = 0; i < node->items.size(); ++i) {
        const Node& item = node->items[i];
        if (i) json += ",";
        if (!item.keyword.empty()) {
            json += jsonString(collectionNodeText(item));
        } else if (item.null) {
            json += "null";
        } else if (item.quoted) {
            std::string text = item.text;
            while (!text.empty() && text.back() == ' ') text.pop_back();
            json += jsonString(text);
        } else {
            long long whole = 0;
            char* end = nullptr;
            const double d = std::strtod(item.text.c_str(), &end);
            if (integerText(item.text, whole)) json += std::to_string(whole);
            else if (*end == '\0' && std::isfinite(d) && std::isdigit(static_cast<unsigned char>(item.text.back())))
                json += fifteenDigits(d);
            else json += jsonString(item.text);
        }
    }
    json += "]";
    sqlite3_result_text(ctx, json.c_str(), static_cast<int>(json.size()), SQLITE_TRANSIENT);
}

}  // namespace

void registerCollectionFunctions(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "ifx_collection", 2, flags, nullptr, &collectionFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_elements", 1, flags, nullptr, &elementsFunction, nullptr, nullptr);
    static const char* const keywords[] = {"SET", "MULTISET", "LIST", "ROW"};
    static const char* const names[] = {"ifx_set", "ifx_multiset", "ifx_list", "ifx_row"};
    for (int i = 0; i < 4; ++i)
        sqlite3_create_function(db, names[i], -1, flags, const_cast<char*>(keywords[i]), &constructorFunction, nullptr,
                                nullptr);
}

int installCollectionNormalizers(sqlite3* db, const std::string& table) {
    const bool temporary =
        catalog::scalar(db, "SELECT count(*) FROM sqlite_temp_schema WHERE type = 'table' AND name = ? COLLATE NOCASE",
                        {table}, 0) > 0;
    return installCollectionNormalizers(db, table, temporary);
}

int installCollectionNormalizers(sqlite3* db, const std::string& table, bool temporary) {
    std::vector<std::pair<std::string, std::string>> columns;  // name, declared type
    catalog::run(db, "SELECT name, type FROM pragma_table_info(?)", {table}, [&](sqlite3_stmt* s) {
        const std::string declared = catalog::text(s, 1);
        if (auto type = parseTypeDecl(declared); type && type->isComplex())
            columns.emplace_back(catalog::text(s, 0), declared);
    });
    std::string sql;
    // IF NOT EXISTS: ALTER TABLE … ADD installs the new columns' triggers beside the old ones.
    const std::string trigger = temporary ? "CREATE TEMP TRIGGER IF NOT EXISTS " : "CREATE TRIGGER IF NOT EXISTS ";
    for (const auto& [column, declared] : columns) {
        const std::string col = "NEW." + ident(column);
        const std::string value = "ifx_collection(" + col + ", " + sqlQuote(declared) + ")";
        const std::string when = " FOR EACH ROW WHEN " + col + " IS NOT NULL AND " + col + " IS NOT " + value;
        const std::string body = " BEGIN UPDATE " + ident(table) + " SET " + ident(column) + " = " + value +
                                 " WHERE rowid = NEW.rowid; END;";
        sql += trigger + ident("ifxsim_coll_" + table + "_" + column) + " AFTER INSERT ON " + ident(table) + when + body;
        sql += trigger + ident("ifxsim_collu_" + table + "_" + column) + " AFTER UPDATE OF " + ident(column) + " ON " +
               ident(table) + when + body;
    }
    return sql.empty() ? SQLITE_OK : sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

}  // namespace ifxsim
