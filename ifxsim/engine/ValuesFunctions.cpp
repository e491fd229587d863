#include "engine/ValuesFunctions.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/CollectionFunctions.h"
#include "engine/ExactNumbers.h"
#include "engine/FunctionArgs.h"
#include "engine/StatementTranslate.h"
#include "engine/TemporalFunctions.h"
#include "engine/TextFunctions.h"
#include "engine/Values.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

// ifx_date(x): day number from a number, a DBDATE text or an ISO YYYY-MM-DD text.
void dateFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: sqlite3_result_null(ctx); return;
    case SQLITE_INTEGER: sqlite3_result_int64(ctx, sqlite3_value_int64(v)); return;
    case SQLITE_FLOAT: sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(std::floor(sqlite3_value_double(v)))); return;
    default: break;
    }
    std::string text = argText(v);
    int4 day = 0;
    if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
        int2 mdy[3] = {static_cast<int2>(std::atoi(text.substr(5, 2).c_str())),
                       static_cast<int2>(std::atoi(text.substr(8, 2).c_str())),
                       static_cast<int2>(std::atoi(text.substr(0, 4).c_str()))};
        if (const int rc = rmdyjul(mdy, &day); rc != 0) return failFunction(ctx, rc);
    } else if (const int rc = rstrdate(text.data(), &day); rc != 0) {
        return failFunction(ctx, rc);
    }
    sqlite3_result_int(ctx, day);
}

// day(x), month(x), year(x), weekday(x) of a DATE (a day number or a date text).
template <int Part>
void datePartFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    (void)argc;
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    int4 day = 0;
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER || sqlite3_value_type(argv[0]) == SQLITE_FLOAT) {
        day = static_cast<int4>(std::floor(sqlite3_value_double(argv[0])));
    } else {
        std::string text = argText(argv[0]);
        if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
            int2 mdy[3] = {static_cast<int2>(std::atoi(text.substr(5, 2).c_str())),
                           static_cast<int2>(std::atoi(text.substr(8, 2).c_str())),
                           static_cast<int2>(std::atoi(text.substr(0, 4).c_str()))};
            if (const int rc = rmdyjul(mdy, &day); rc != 0) return failFunction(ctx, rc);
        } else if (const int rc = rstrdate(text.data(), &day); rc != 0) {
            return failFunction(ctx, rc);
        }
    }
    if (Part == 3) return sqlite3_result_int(ctx, rdayofweek(day));
    int2 mdy[3] = {0, 0, 0};
    if (const int rc = rjulmdy(day, mdy); rc != 0) return failFunction(ctx, rc);
    sqlite3_result_int(ctx, Part == 0 ? mdy[1] : Part == 1 ? mdy[0] : mdy[2]);
}

// ifx_datetime(x, q): the canonical text of a DATETIME with qualifier q.
void datetimeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string text = argText(argv[0]);
    const int qualifier = sqlite3_value_int(argv[1]);
    dtime_t dt{};
    int rc = parseDatetimeText(text, qualifier, dt);
    if (rc != 0) return failFunction(ctx, rc);
    char out[64] = {};
    if ((rc = dttoasc(&dt, out)) != 0) return failFunction(ctx, rc);
    sqlite3_result_text(ctx, out, -1, SQLITE_TRANSIENT);
}

// ifx_interval(x, q): the canonical text of an INTERVAL with qualifier q.
void intervalFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string text = argText(argv[0]);
    intrvl_t iv{};
    iv.in_qual = static_cast<int2>(sqlite3_value_int(argv[1]));
    int rc = incvasc(text.data(), &iv);
    if (rc != 0) return failFunction(ctx, rc);
    char out[64] = {};
    if ((rc = intoasc(&iv, out)) != 0) return failFunction(ctx, rc);
    sqlite3_result_text(ctx, out, -1, SQLITE_TRANSIENT);
}

// ifx_smallfloat(x): x as a SMALLFLOAT holds it (a 4-byte float), so that a
// value compared with a SMALLFLOAT column is taken at the column's precision
// whatever width it was written or stored in; text that is no number is
// Informix's -1213.
void smallFloatFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_value* v = argv[0];
    double d = 0;
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: return sqlite3_result_null(ctx);
    case SQLITE_INTEGER: case SQLITE_FLOAT: d = sqlite3_value_double(v); break;
    default: {
        const std::string text = argText(v);
        const char* begin = text.c_str();
        while (*begin == ' ') ++begin;
        char* end = nullptr;
        d = std::strtod(begin, &end);
        while (end && *end == ' ') ++end;
        if (end == begin || !end || *end != '\0') return failFunction(ctx, -1213);
        break;
    }
    }
    sqlite3_result_double(ctx, static_cast<double>(static_cast<float>(d)));
}

// ifx_divisor(x): x as a real number, so that a quotient keeps its fraction;
// a zero divisor is Informix's -1202.
void divisorFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_value* v = argv[0];
    if (sqlite3_value_type(v) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const double d = sqlite3_value_double(v);
    if (d == 0) return failFunction(ctx, -1202);
    sqlite3_result_double(ctx, d);
}

// One pattern element of MATCHES against one character: '?', a set [abc],
// [a-z], [^…], an escaped character or a plain one. On a hit `next` is the
// element after it.
bool matchOne(const char* p, const char* pe, char v, char escape, const char*& next) {
    if (*p == escape && p + 1 < pe) {
        next = p + 2;
        return p[1] == v;
    }
    if (*p == '?') {
        next = p + 1;
        return true;
    }
    if (*p == '[') {
        const char* q = p + 1;
        const bool negate = q < pe && *q == '^';
        if (negate) ++q;
        bool hit = false;
        for (bool first = true; q < pe && (first || *q != ']'); first = false) {
            if (q + 2 < pe && q[1] == '-' && q[2] != ']') {
                hit = hit || (v >= q[0] && v <= q[2]);
                q += 3;
            } else {
                hit = hit || v == *q;
                ++q;
            }
        }
        if (q >= pe) return false;  // a set without its ']' matches nothing
        next = q + 1;
        return hit != negate;
    }
    next = p + 1;
    return *p == v;
}

// Informix MATCHES: '*' any run, the other elements one character each. The
// last '*' is retried one character further on each miss, so the time stays
// proportional to pattern × value whatever the pattern.
bool matches(const char* p, const char* pe, const char* v, const char* ve, char escape) {
    const char* starP = nullptr;
    const char* starV = nullptr;
    while (v < ve) {
        const char* next = nullptr;
        if (p < pe && *p == '*') {
            starP = ++p;
            starV = v;
        } else if (p < pe && matchOne(p, pe, *v, escape, next)) {
            p = next;
            ++v;
        } else if (starP) {
            p = starP;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pe && *p == '*') ++p;
    return p == pe;
}

// match(pattern, value [, escape]): what SQLite calls for "value MATCH pattern".
void matchFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::string pattern = argText(argv[0]);
    const std::string value = argText(argv[1]);
    char escape = '\\';
    if (argc == 3) {
        const std::string e = argText(argv[2]);
        if (e.size() != 1) return failFunction(ctx, -201);
        escape = e[0];
    }
    sqlite3_result_int(ctx, matches(pattern.data(), pattern.data() + pattern.size(), value.data(),
                                    value.data() + value.size(), escape));
}

std::string ident(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

}  // namespace

void ensureValueFunctions(sqlite3* db) {
    sqlite3_stmt* probe = nullptr;
    const bool present = sqlite3_prepare_v2(db, "SELECT ifx_date(NULL)", -1, &probe, nullptr) == SQLITE_OK;
    sqlite3_finalize(probe);
    if (present) return;
    // Informix compares LIKE patterns case-sensitively; SQLite does not unless told.
    sqlite3_exec(db, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "ifx_date", 1, flags, nullptr, &dateFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_datetime", 2, flags, nullptr, &datetimeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_interval", 2, flags, nullptr, &intervalFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_divisor", 1, flags, nullptr, &divisorFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_smallfloat", 1, flags, nullptr, &smallFloatFunction, nullptr, nullptr);
    sqlite3_create_function(db, "day", 1, flags, nullptr, &datePartFunction<0>, nullptr, nullptr);
    sqlite3_create_function(db, "month", 1, flags, nullptr, &datePartFunction<1>, nullptr, nullptr);
    sqlite3_create_function(db, "year", 1, flags, nullptr, &datePartFunction<2>, nullptr, nullptr);
    sqlite3_create_function(db, "weekday", 1, flags, nullptr, &datePartFunction<3>, nullptr, nullptr);
    sqlite3_create_function(db, "match", 2, flags, nullptr, &matchFunction, nullptr, nullptr);
    sqlite3_create_function(db, "match", 3, flags, nullptr, &matchFunction, nullptr, nullptr);
    registerTemporalFunctions(db);
    registerExactNumberFunctions(db);
    registerTextFunctions(db);
    registerCollectionFunctions(db);
}

int installNormalizers(sqlite3* db, const std::string& table, const std::vector<NormalizedColumn>& columns,
                       bool temporary) {
    std::string sql;
    const std::string trigger = temporary ? "CREATE TEMP TRIGGER " : "CREATE TRIGGER ";
    for (const auto& c : columns) {
        const std::string col = "NEW." + ident(c.column);
        std::string value;
        std::string only;  // the storage classes the rule applies to
        const std::string q = std::to_string(c.qualifier);
        switch (c.code) {
        case SQLDATE: value = "ifx_date(" + col + ")"; break;
        case SQLDTIME: value = "ifx_datetime(" + col + ", " + q + ")"; break;
        case SQLINTERVAL: value = "ifx_interval(" + col + ", " + q + ")"; break;
        case SQLDECIMAL: case SQLMONEY:
            // A fixed scale keeps that many decimals, exactly for long values kept as text blobs.
            value = "ifx_decimal(" + col + ", " + q + ")";
            only = " AND typeof(" + col + ") IN ('real', 'blob')";
            break;
        default:
            // Character columns keep at most their declared length.
            value = "substr(" + col + ", 1, " + q + ")";
            only = " AND typeof(" + col + ") = 'text'";
            break;
        }
        const std::string when = " FOR EACH ROW WHEN " + col + " IS NOT NULL" + only + " AND " + col + " IS NOT " + value;
        const std::string body = " BEGIN UPDATE " + ident(table) + " SET " + ident(c.column) + " = " + value +
                                 " WHERE rowid = NEW.rowid; END;";
        sql += trigger + ident("ifxsim_norm_" + table + "_" + c.column) + " AFTER INSERT ON " + ident(table) + when +
               body;
        sql += trigger + ident("ifxsim_normu_" + table + "_" + c.column) + " AFTER UPDATE OF " + ident(c.column) +
               " ON " + ident(table) + when + body;
    }
    return sql.empty() ? SQLITE_OK : sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

}  // namespace ifxsim
