#include "engine/CollectionValues.h"

#include <sqlite3.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "engine/CatalogDb.h"
#include "engine/StatementTranslate.h"
#include "engine/Values.h"
#include "engine/ValuesFunctions.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

constexpr int kCannotConvert = -1260;      // not a value of that type
constexpr int kNotNumeric = -1213;          // an element that is no number
constexpr int kNullElement = -391;          // collections hold no NULL elements
constexpr unsigned kConstructorSubtype = 'C';  // a constructor's result handed to another constructor

// One parsed value: a scalar (its text, quoted or bare) or a collection/row of values.
struct Node {
    std::string keyword;  // SET, MULTISET, LIST, ROW; empty for a scalar
    std::string text;     // scalar: the characters (quotes removed)
    bool quoted = false;
    bool null = false;
    std::vector<Node> items;
};

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s) {}

    std::optional<Node> whole() {
        auto n = value();
        blanks();
        if (!n || at_ != s_.size()) return std::nullopt;
        return n;
    }

private:
    void blanks() {
        while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) ++at_;
    }

    std::optional<Node> value() {
        blanks();
        if (at_ >= s_.size()) return std::nullopt;
        const char c = s_[at_];
        if (c == '\'' || c == '"') return quotedScalar(c);
        std::size_t end = at_;
        while (end < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[end])) || s_[end] == '_')) ++end;
        const std::string word = toUpperAscii(s_.substr(at_, end - at_));
        std::size_t next = end;
        while (next < s_.size() && std::isspace(static_cast<unsigned char>(s_[next]))) ++next;
        const bool collection = (word == "SET" || word == "MULTISET" || word == "LIST") && next < s_.size() && s_[next] == '{';
        const bool row = word == "ROW" && next < s_.size() && s_[next] == '(';
        if (collection || row) {
            at_ = next + 1;
            Node n;
            n.keyword = word;
            return members(n, collection ? '}' : ')');
        }
        // A bare scalar: a number, a word such as NULL, up to the next separator.
        std::size_t stop = at_;
        while (stop < s_.size() && s_[stop] != ',' && s_[stop] != '}' && s_[stop] != ')') ++stop;
        Node n;
        n.text = std::string(s_.substr(at_, stop - at_));
        while (!n.text.empty() && std::isspace(static_cast<unsigned char>(n.text.back()))) n.text.pop_back();
        if (n.text.empty()) return std::nullopt;
        n.null = toUpperAscii(n.text) == "NULL";
        at_ = stop;
        return n;
    }

    std::optional<Node> quotedScalar(char q) {
        Node n;
        n.quoted = true;
        ++at_;
        while (at_ < s_.size()) {
            if (s_[at_] == q) {
                if (at_ + 1 < s_.size() && s_[at_ + 1] == q) { n.text += q; at_ += 2; continue; }
                ++at_;
                return n;
            }
            n.text += s_[at_++];
        }
        return std::nullopt;  // no closing quote
    }

    std::optional<Node> members(Node& n, char close) {
        blanks();
        if (at_ < s_.size() && s_[at_] == close) { ++at_; return n; }
        for (;;) {
            auto item = value();
            if (!item) return std::nullopt;
            n.items.push_back(std::move(*item));
            blanks();
            if (at_ >= s_.size()) return std::nullopt;
            if (s_[at_] == ',') { ++at_; continue; }
            if (s_[at_] != close) return std::nullopt;
            ++at_;
            return n;
        }
    }

    std::string_view s_;
    std::size_t at_ = 0;
};

std::string quote(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string fifteen(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

bool integerText(const std::string& text, long long& out) {
    std::string s = text;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    std::size_t b = 0;
    while (b < s.size() && s[b] == ' ') ++b;
    s = s.substr(b);
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno == 0 && *end == '\0') { out = v; return true; }
    // "12.0" and "1e3" are integers too when they hold no fraction.
    const double d = std::strtod(s.c_str(), &end);
    if (*end != '\0' || std::floor(d) != d || std::fabs(d) > 9.2e18) return false;
    out = static_cast<long long>(d);
    return true;
}

// One scalar element as Informix writes it for the element type.
int scalarText(const Node& n, const IfxType& type, std::string& out) {
    std::string text = n.text;
    switch (type.code) {
    case SQLSMINT: case SQLINT: case SQLINT8: case SQLINFXBIGINT: {
        long long v = 0;
        if (!integerText(text, v)) return kNotNumeric;
        const long long limit = type.code == SQLSMINT ? 32767 : type.code == SQLINT ? 2147483647 : INT64_MAX;
        if (v > limit || v < -limit) return -1215;  // value too large for the type
        out = std::to_string(v);
        return 0;
    }
    case SQLFLOAT: case SQLSMFLOAT: {
        char* end = nullptr;
        const double d = std::strtod(text.c_str(), &end);
        if (end == text.c_str() || *end != '\0') return kNotNumeric;
        out = fifteen(d);
        return 0;
    }
    case SQLDECIMAL: case SQLMONEY: {
        dec_t d{};
        if (int rc = deccvasc(text.data(), static_cast<mint>(text.size()), &d); rc != 0) return rc;
        const int scale = PRECDEC(type.length);
        if (scale != DECFLOATSCALE) decround(&d, scale);
        char buf[160] = {};
        if (dectoasc(&d, buf, 150, scale == DECFLOATSCALE ? -1 : scale) != 0) return kCannotConvert;
        std::string s(buf, 150);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
        out = s;
        return 0;
    }
    case SQLDATE: {
        int4 day = 0;
        long long number = 0;
        if (!n.quoted && integerText(text, number)) {
            day = static_cast<int4>(number);
        } else if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
            int2 mdy[3] = {static_cast<int2>(std::atoi(text.substr(5, 2).c_str())),
                           static_cast<int2>(std::atoi(text.substr(8, 2).c_str())),
                           static_cast<int2>(std::atoi(text.substr(0, 4).c_str()))};
            if (int rc = rmdyjul(mdy, &day); rc != 0) return rc;
        } else if (int rc = rstrdate(text.data(), &day); rc != 0) {
            return rc;
        }
        char buf[32] = {};
        if (int rc = rdatestr(day, buf); rc != 0) return rc;
        out = quote(buf);
        return 0;
    }
    case SQLDTIME: {
        dtime_t dt{};
        if (int rc = parseDatetimeText(text, type.length, dt); rc != 0) return rc;
        char buf[64] = {};
        if (int rc = dttoasc(&dt, buf); rc != 0) return rc;
        out = quote(buf);
        return 0;
    }
    case SQLINTERVAL: {
        intrvl_t iv{};
        iv.in_qual = static_cast<int2>(type.length);
        if (int rc = incvasc(text.data(), &iv); rc != 0) return rc;
        char buf[64] = {};
        if (int rc = intoasc(&iv, buf); rc != 0) return rc;
        out = quote(buf);
        return 0;
    }
    case SQLBOOL: {
        const std::string v = toLowerAscii(text);
        if (v != "t" && v != "f") return kCannotConvert;
        out = quote(v);
        return 0;
    }
    case SQLCHAR: case SQLNCHAR: {
        // CHAR elements are fixed-length, as their columns are.
        const auto n2 = static_cast<std::size_t>(type.length);
        text.resize(n2, ' ');
        out = quote(text);
        return 0;
    }
    case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: {
        const auto max = static_cast<std::size_t>(type.code == SQLLVARCHAR ? type.length : type.length & 0xff);
        if (text.size() > max) text.resize(max);
        out = quote(text);
        return 0;
    }
    default:
        return kCannotConvert;
    }
}

int render(const Node& n, const IfxType& type, std::string& out);

int renderMembers(const Node& n, const IfxType& type, std::string& out) {
    const bool row = type.code == SQLROW;
    if (row ? n.keyword != "ROW" : (n.keyword.empty() || n.keyword == "ROW")) return kCannotConvert;
    if (row && n.items.size() != type.members.size()) return kCannotConvert;
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < n.items.size(); ++i) {
        const IfxType& member = row ? type.members[i] : type.members.front();
        const Node& item = n.items[i];
        std::string text;
        if (item.null) {
            if (!row) return kNullElement;
            text = "NULL";
        } else if (int rc = render(item, member, text); rc != 0) {
            return rc;
        }
        // A SET holds each value once.
        bool duplicate = false;
        if (type.code == SQLSET)
            for (const auto& p : parts) duplicate = duplicate || p == text;
        if (!duplicate) parts.push_back(std::move(text));
    }
    static const char* const names[] = {"SET", "MULTISET", "LIST", "ROW"};
    out = names[type.code - SQLSET];
    out += row ? "(" : "{";
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? "," : "") + parts[i];
    out += row ? ")" : "}";
    return 0;
}

int render(const Node& n, const IfxType& type, std::string& out) {
    if (type.isComplex()) return renderMembers(n, type, out);
    if (!n.keyword.empty()) return kCannotConvert;
    return scalarText(n, type, out);
}

void fail(sqlite3_context* ctx, int code) {
    const std::string message = std::string(kFunctionErrorPrefix) + std::to_string(code);
    sqlite3_result_error(ctx, message.c_str(), -1);
}

std::string textOf(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string();
}

// ifx_collection(value, 'declared type'): the value in the type's stored form.
void collectionFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const auto type = parseTypeDecl(textOf(argv[1]));
    if (!type || !type->isComplex()) return fail(ctx, kCannotConvert);
    const auto r = normalizeCollection(textOf(argv[0]), *type);
    if (r.error) return fail(ctx, r.error);
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
            if (!row) return fail(ctx, kNullElement);
            out += "NULL";
            break;
        case SQLITE_INTEGER: out += std::to_string(sqlite3_value_int64(v)); break;
        case SQLITE_FLOAT: out += fifteen(sqlite3_value_double(v)); break;
        default:
            // A constructor inside a constructor is a member value, not a string.
            if (sqlite3_value_subtype(v) == kConstructorSubtype) out += textOf(v);
            else out += quote(textOf(v));
            break;
        }
    }
    out += row ? ")" : "}";
    sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
    sqlite3_result_subtype(ctx, kConstructorSubtype);
}

std::string ident(const std::string& name) { return catalog::quoteIdent(name); }

// A parsed value written back as text (quoted scalars in single quotes).
std::string nodeText(const Node& n) {
    if (n.keyword.empty()) return n.null ? "NULL" : n.quoted ? quote(n.text) : n.text;
    const bool row = n.keyword == "ROW";
    std::string out = n.keyword + (row ? "(" : "{");
    for (std::size_t i = 0; i < n.items.size(); ++i) out += (i ? "," : "") + nodeText(n.items[i]);
    return out + (row ? ")" : "}");
}

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
    const auto node = Parser(textOf(argv[0])).whole();
    if (!node || node->keyword.empty() || node->keyword == "ROW") return fail(ctx, kCannotConvert);
    std::string json = "[";
    for (std::size_t i = 0; i < node->items.size(); ++i) {
        const Node& item = node->items[i];
        if (i) json += ",";
        if (!item.keyword.empty()) {
            json += jsonString(nodeText(item));
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
                json += fifteen(d);
            else json += jsonString(item.text);
        }
    }
    json += "]";
    sqlite3_result_text(ctx, json.c_str(), static_cast<int>(json.size()), SQLITE_TRANSIENT);
}

}  // namespace

CollectionResult normalizeCollection(std::string_view value, const IfxType& type) {
    CollectionResult r;
    auto node = Parser(value).whole();
    if (!node) {
        r.error = kCannotConvert;
        return r;
    }
    r.error = render(*node, type, r.text);
    if (r.error) r.text.clear();
    return r;
}

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
