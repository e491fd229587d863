#include "engine/TextFunctions.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/FunctionArgs.h"
#include "engine/TemporalArith.h"
#include "engine/Values.h"
#include "engine/ValuesFunctions.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

// UTF-8 characters: the byte offsets where each starts.
std::vector<std::size_t> characterStarts(const std::string& s) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
    return starts;
}

void lengthFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string s = argText(argv[0]);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(s.size()));
}

void charLengthFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(characterStarts(argText(argv[0])).size()));
}

void octetLengthFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(argText(argv[0]).size()));
}

// LPAD/RPAD(s, n [, pad]): s filled to n characters with pad (blank by
// default), or cut to n when longer.
template <bool Left>
void padFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNullArg(argc, argv)) return sqlite3_result_null(ctx);
    const std::string s = argText(argv[0]);
    const sqlite3_int64 n = sqlite3_value_int64(argv[1]);
    const std::string pad = argc > 2 ? argText(argv[2]) : std::string(" ");
    if (n <= 0) return sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
    const auto starts = characterStarts(s);
    if (static_cast<sqlite3_int64>(starts.size()) >= n) {
        const auto count = static_cast<std::size_t>(n);
        const std::string cut = s.substr(0, count < starts.size() ? starts[count] : s.size());
        return sqlite3_result_text(ctx, cut.c_str(), static_cast<int>(cut.size()), SQLITE_TRANSIENT);
    }
    const auto padStarts = characterStarts(pad);
    if (padStarts.empty()) return sqlite3_result_text(ctx, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    std::string fill;
    for (sqlite3_int64 k = 0, need = n - static_cast<sqlite3_int64>(starts.size()); k < need; ++k) {
        const std::size_t c = static_cast<std::size_t>(k) % padStarts.size();
        const std::size_t end = c + 1 < padStarts.size() ? padStarts[c + 1] : pad.size();
        fill += pad.substr(padStarts[c], end - padStarts[c]);
    }
    const std::string out = Left ? fill + s : s + fill;
    sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

// INITCAP: the first letter of each word upper case, the others lower case.
void initcapFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string s = argText(argv[0]);
    bool start = true;
    for (char& c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) {
            c = static_cast<char>(start ? std::toupper(u) : std::tolower(u));
            start = false;
        } else {
            start = u < 0x80;  // bytes of other characters are left alone
        }
    }
    sqlite3_result_text(ctx, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// A DATE (day number) or DATETIME text as a dtime_t of the tag's type.
int temporalOf(sqlite3_value* v, int tag, dtime_t& out) {
    if (tagCode(tag) == SQLDTIME) return parseDatetimeText(argText(v), tagLength(tag), out);
    int4 day = static_cast<int4>(sqlite3_value_int64(v));
    if (sqlite3_value_type(v) == SQLITE_TEXT && rstrdate(argText(v).data(), &day) != 0)
        return parseDatetimeText(argText(v), TU_DTENCODE(TU_YEAR, TU_DAY), out);
    int2 mdy[3] = {0, 0, 0};
    if (int rc = rjulmdy(day, mdy); rc != 0) return rc;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", mdy[2], mdy[0], mdy[1]);
    out = dtime_t{};
    out.dt_qual = static_cast<int2>(TU_DTENCODE(TU_YEAR, TU_DAY));
    return dtcvasc(text, &out);
}

// ifx_to_char(x [, format], tag)
void toCharFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const int tag = sqlite3_value_int(argv[argc - 1]);
    const bool formatted = argc == 3 && sqlite3_value_type(argv[1]) != SQLITE_NULL;
    if (tagCode(tag) != SQLDATE && tagCode(tag) != SQLDTIME) {
        if (formatted) {  // a number through an rfmtdec mask ("$$#,###.##")
            std::string digits = argText(argv[0]);
            std::string mask = argText(argv[1]);
            dec_t dec{};
            if (int rc = deccvasc(digits.data(), static_cast<mint>(digits.size()), &dec); rc != 0) return failFunction(ctx, rc);
            std::string out(mask.size() + 64, '\0');
            if (int rc = rfmtdec(&dec, mask.data(), out.data()); rc != 0) return failFunction(ctx, rc);
            return sqlite3_result_text(ctx, out.c_str(), -1, SQLITE_TRANSIENT);
        }
        const std::string text = argText(argv[0]);
        return sqlite3_result_text(ctx, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    if (tagCode(tag) == SQLDATE && !formatted) {  // a DATE in the DBDATE form
        char buf[32] = {};
        if (int rc = rdatestr(static_cast<int4>(sqlite3_value_int64(argv[0])), buf); rc != 0) return failFunction(ctx, rc);
        return sqlite3_result_text(ctx, buf, -1, SQLITE_TRANSIENT);
    }
    dtime_t dt{};
    if (int rc = temporalOf(argv[0], tag, dt); rc != 0) return failFunction(ctx, rc);
    std::string format = formatted ? argText(argv[1]) : std::string();
    char buf[512] = {};
    if (int rc = dttofmtasc(&dt, buf, sizeof buf, formatted ? format.data() : nullptr); rc != 0) return failFunction(ctx, rc);
    sqlite3_result_text(ctx, buf, -1, SQLITE_TRANSIENT);
}

// ifx_to_date(text, format): a DATETIME YEAR TO FRACTION(5).
void toDateFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string text = argText(argv[0]);
    std::string format = argc > 1 && sqlite3_value_type(argv[1]) != SQLITE_NULL ? argText(argv[1]) : std::string();
    dtime_t dt{};
    dt.dt_qual = static_cast<int2>(TU_DTENCODE(TU_YEAR, TU_F5));
    if (int rc = dtcvfmtasc(text.data(), format.empty() ? nullptr : format.data(), &dt); rc != 0) return failFunction(ctx, rc);
    char out[64] = {};
    if (int rc = dttoasc(&dt, out); rc != 0) return failFunction(ctx, rc);
    sqlite3_result_text(ctx, out, -1, SQLITE_TRANSIENT);
}

}  // namespace

void registerTextFunctions(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "length", 1, flags, nullptr, &lengthFunction, nullptr, nullptr);
    sqlite3_create_function(db, "char_length", 1, flags, nullptr, &charLengthFunction, nullptr, nullptr);
    sqlite3_create_function(db, "character_length", 1, flags, nullptr, &charLengthFunction, nullptr, nullptr);
    sqlite3_create_function(db, "octet_length", 1, flags, nullptr, &octetLengthFunction, nullptr, nullptr);
    for (int argc : {2, 3}) {
        sqlite3_create_function(db, "lpad", argc, flags, nullptr, &padFunction<true>, nullptr, nullptr);
        sqlite3_create_function(db, "rpad", argc, flags, nullptr, &padFunction<false>, nullptr, nullptr);
        sqlite3_create_function(db, "ifx_to_char", argc, flags, nullptr, &toCharFunction, nullptr, nullptr);
    }
    sqlite3_create_function(db, "initcap", 1, flags, nullptr, &initcapFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_to_date", 1, flags, nullptr, &toDateFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_to_date", 2, flags, nullptr, &toDateFunction, nullptr, nullptr);
}

}  // namespace ifxsim
