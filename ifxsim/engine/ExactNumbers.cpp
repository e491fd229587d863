#include "engine/ExactNumbers.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "engine/ValuesFunctions.h"
#include "ifxesqlc.h"
#include "values/BigDec.h"
#include "values/DecimalCodec.h"

namespace ifxsim {

namespace {

constexpr int kRealDigits = 15;  // what a SQLite REAL keeps

void fail(sqlite3_context* ctx, int code) {
    const std::string message = std::string(kFunctionErrorPrefix) + std::to_string(code);
    sqlite3_result_error(ctx, message.c_str(), -1);
}

std::string bytesOf(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string();
}

// A value as an exact decimal: a REAL by the 15 digits it stands for.
int exactOf(sqlite3_value* v, BigDec& out) {
    std::string text;
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: out = BigDec::fromInt(sqlite3_value_int64(v)); return 0;
    case SQLITE_FLOAT: {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.15g", sqlite3_value_double(v));
        text = buf;
        break;
    }
    default: text = bytesOf(v); break;
    }
    std::optional<BigDec> parsed;
    if (int rc = parseNumber(text, parsed); rc != 0) return rc;
    out = parsed.value_or(BigDec{});
    return 0;
}

// An exact decimal back into SQLite: an INTEGER or REAL when that keeps every
// digit, else its text in a BLOB.
void resultExact(sqlite3_context* ctx, const BigDec& value) {
    std::int64_t whole = 0;
    if (value.fracDigitsNeeded() == 0 && value.digits().size() <= 18 && value.toInt64(whole))
        return sqlite3_result_int64(ctx, whole);
    const std::string text = value.toPlain(value.fracDigitsNeeded());
    if (value.digits().size() <= static_cast<std::size_t>(kRealDigits))
        return sqlite3_result_double(ctx, std::strtod(text.c_str(), nullptr));
    sqlite3_result_blob(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

struct SumState {
    bool any = false;
    bool failed = false;
    BigDec total;
};

void sumStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* state = static_cast<SumState*>(sqlite3_aggregate_context(ctx, sizeof(SumState)));
    if (!state || sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
    if (!state->any) new (state) SumState{};
    state->any = true;
    BigDec value;
    if (int rc = exactOf(argv[0], value); rc != 0) {
        state->failed = true;
        return fail(ctx, rc);
    }
    state->total = BigDec::add(state->total, value);
}

void sumFinal(sqlite3_context* ctx) {
    auto* state = static_cast<SumState*>(sqlite3_aggregate_context(ctx, 0));
    if (!state || !state->any) return sqlite3_result_null(ctx);
    if (!state->failed) resultExact(ctx, state->total);
    state->~SumState();
}

void decimalFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL || type == SQLITE_INTEGER) return sqlite3_result_value(ctx, argv[0]);
    BigDec value;
    if (int rc = exactOf(argv[0], value); rc != 0) {
        // Text that is no number is left for the column's own checks.
        return sqlite3_result_value(ctx, argv[0]);
    }
    resultExact(ctx, value.roundedToPlaces(sqlite3_value_int(argv[1])));
}

// ROUND/TRUNC of a DATE by a format: 'YEAR' ('YYYY', 'YY'), 'MONTH' ('MM'),
// 'DAY' ('DD'). ROUND goes to the next year from July, the next month from
// the 16th. -1260 for another format.
int roundDate(sqlite3_int64 day, const std::string& format, bool truncate, sqlite3_int64& out) {
    std::string f;
    for (char c : format)
        if (c != ' ') f += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int2 mdy[3] = {0, 0, 0};
    if (int rc = rjulmdy(static_cast<int4>(day), mdy); rc != 0) return rc;
    int year = mdy[2], month = mdy[0], dd = mdy[1];
    if (f == "DAY" || f == "DD" || f == "DDD" || f == "J") {
        out = day;
        return 0;
    }
    if (f == "YEAR" || f == "YYYY" || f == "YY" || f == "Y" || f == "SYYYY") {
        if (!truncate && month >= 7) ++year;
        month = 1;
        dd = 1;
    } else if (f == "MONTH" || f == "MM" || f == "MON" || f == "RM") {
        if (!truncate && dd >= 16 && ++month > 12) {
            month = 1;
            ++year;
        }
        dd = 1;
    } else {
        return -1260;
    }
    int2 back[3] = {static_cast<int2>(month), static_cast<int2>(dd), static_cast<int2>(year)};
    int4 result = 0;
    if (int rc = rmdyjul(back, &result); rc != 0) return rc;
    out = result;
    return 0;
}

// ROUND(x [, n]) and TRUNC(x [, n]): x to n decimal places (0 by default,
// negative for tens, hundreds…), half away from zero, on the exact digits;
// with a text second argument, a DATE by a format (see roundDate).
template <bool Truncate>
void roundFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (argc == 2 && sqlite3_value_type(argv[1]) == SQLITE_TEXT) {
        if (sqlite3_value_numeric_type(argv[0]) != SQLITE_INTEGER) return fail(ctx, -1260);
        sqlite3_int64 day = 0;
        if (int rc = roundDate(sqlite3_value_int64(argv[0]), bytesOf(argv[1]), Truncate, day); rc != 0)
            return fail(ctx, rc);
        return sqlite3_result_int64(ctx, day);
    }
    BigDec value;
    if (int rc = exactOf(argv[0], value); rc != 0) return fail(ctx, rc);
    const int places = argc == 2 ? sqlite3_value_int(argv[1]) : 0;
    resultExact(ctx, value.roundedToPlaces(places, Truncate));
}

void modFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER && sqlite3_value_numeric_type(argv[1]) == SQLITE_INTEGER) {
        const sqlite3_int64 a = sqlite3_value_int64(argv[0]), b = sqlite3_value_int64(argv[1]);
        if (b == 0) return fail(ctx, -1202);
        return sqlite3_result_int64(ctx, b == -1 ? 0 : a % b);
    }
    const double b = sqlite3_value_double(argv[1]);
    if (b == 0) return fail(ctx, -1202);
    sqlite3_result_double(ctx, std::fmod(sqlite3_value_double(argv[0]), b));
}

}  // namespace

void registerExactNumberFunctions(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "ifx_sum", 1, flags, nullptr, nullptr, &sumStep, &sumFinal);
    sqlite3_create_function(db, "ifx_decimal", 2, flags, nullptr, &decimalFunction, nullptr, nullptr);
    sqlite3_create_function(db, "mod", 2, flags, nullptr, &modFunction, nullptr, nullptr);
    for (int argc : {1, 2}) {
        sqlite3_create_function(db, "round", argc, flags, nullptr, &roundFunction<false>, nullptr, nullptr);
        sqlite3_create_function(db, "trunc", argc, flags, nullptr, &roundFunction<true>, nullptr, nullptr);
    }
}

bool needsExactStorage(std::string_view literal) {
    if (literal.find_first_of("eE") != std::string_view::npos) return false;
    const bool integral = literal.find('.') == std::string_view::npos;
    std::size_t digits = 0, significant = 0;
    bool leading = true;
    for (char c : literal) {
        if (c < '0' || c > '9') continue;
        ++digits;
        if (leading && c == '0') continue;
        leading = false;
        ++significant;
    }
    if (integral) {
        // A whole number SQLite keeps as a 64-bit INTEGER stays one, so that an
        // INT8 or BIGINT of 19 digits compares and sorts with the others.
        if (significant != 19) return significant > 19;
        std::string digitsOnly;
        for (char c : literal)
            if (c >= '0' && c <= '9' && (!digitsOnly.empty() || c != '0')) digitsOnly += c;
        return digitsOnly > "9223372036854775807";
    }
    // Trailing zeros of a fraction carry no digit a REAL would lose.
    std::size_t trailing = 0;
    for (auto it = literal.rbegin(); it != literal.rend() && *it == '0'; ++it) ++trailing;
    (void)digits;
    return significant > trailing && significant - trailing > static_cast<std::size_t>(kRealDigits);
}

std::string exactLiteral(std::string_view literal) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out = "X'";
    for (unsigned char c : literal) {
        out += hex[c >> 4];
        out += hex[c & 0xf];
    }
    return out + "'";
}

}  // namespace ifxsim
