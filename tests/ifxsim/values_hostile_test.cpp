// The conversion and formatting routines with hostile input: over-long and
// malformed texts, bad qualifiers, values whose fields are out of range,
// tiny output buffers, null pointers where the routines accept them. Every
// call must return 0 or an error code and keep its output inside the buffer
// (the buffers are heap blocks of the documented size, so an overrun is seen
// by the address sanitizer).
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "ifxesqlc.h"

namespace {

// A text in a heap block of exactly its size plus the terminator.
struct Text {
    explicit Text(const std::string& s) : bytes(s.begin(), s.end()) { bytes.push_back('\0'); }
    char* get() { return bytes.data(); }
    mint len() const { return static_cast<mint>(bytes.size() - 1); }
    std::vector<char> bytes;
};

// An output block of `n` bytes; `terminated` says a NUL lies inside it.
struct Out {
    explicit Out(std::size_t n) : bytes(n, '\x7f') {}
    char* get() { return bytes.data(); }
    bool terminated() const { return std::memchr(bytes.data(), '\0', bytes.size()) != nullptr; }
    std::vector<char> bytes;
};

std::vector<std::string> HostileTexts() {
    return {"", " ", "-", "+", ".", "e", "1e", "1e99999", "-1e-99999", "1.2.3", "--1", "0x10", "nan", "inf",
            std::string(10000, '9'), "0." + std::string(5000, '0') + "1", std::string(3000, ' ') + "1",
            "1" + std::string(3000, ' '), "\xff\xfe", std::string("1\0002", 3), "99999999999999999999999",
            "-9223372036854775808", "9223372036854775808", "12/31/99999", "2024-02-30", "13/45/2024",
            "9999-12-31 23:59:59.99999", "0000-00-00 00:00:00", "1-1-1 1:1:1", "2024-01-01 25:61:61",
            std::string(200, '1') + "-01-01", "-5 10:00:00", "999999999 23:59:59.99999", "::::", "/ / /"};
}

std::vector<std::string> HostileFormats() {
    return {"", "#", "&&&&&&&&", "$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$.##", std::string(2000, '#'),
            std::string(500, '<') + "." + std::string(500, '&'), "((((((#", "-,,,,,,,", "mm/dd/yyyy",
            "ddd mmm dd yyyy", std::string(1000, 'm'), "%Y-%m-%d %H:%M:%S%F5", "%%%%%", "%", "%F9%F0%Z%q",
            std::string(1000, '%'), "\xff\xfe%Y"};
}

// Qualifiers: the usual ones, then nonsense (start after end, unknown fields, lengths 0 and 255).
std::vector<int> HostileQualifiers() {
    return {TU_DTENCODE(TU_YEAR, TU_F5), TU_DTENCODE(TU_HOUR, TU_SECOND), TU_IENCODE(9, TU_DAY, TU_F5),
            TU_IENCODE(9, TU_YEAR, TU_MONTH), 0, -1, 0xffff, TU_ENCODE(0, TU_YEAR, TU_DAY),
            TU_ENCODE(255, TU_YEAR, TU_F5), TU_ENCODE(10, TU_SECOND, TU_YEAR), TU_ENCODE(10, 15, 15),
            TU_ENCODE(10, 7, 9), TU_ENCODE(20, TU_F1, TU_F5), TU_ENCODE(4, TU_YEAR, 1)};
}

// Decimals whose fields lie: too many digits, digits above 99, extreme exponents.
std::vector<dec_t> HostileDecimals() {
    std::vector<dec_t> out;
    const int2 exps[] = {0, 1, -64, 63, 127, -128, SHRT_MAX, SHRT_MIN};
    const int2 ndgts[] = {0, 1, 16, 17, 100, -1, SHRT_MAX};
    for (int2 e : exps)
        for (int2 n : ndgts) {
            dec_t d{};
            d.dec_exp = e;
            d.dec_pos = 1;
            d.dec_ndgts = n;
            for (int i = 0; i < DECSIZE; ++i) d.dec_dgts[i] = static_cast<char>(i % 2 ? 99 : 120);
            out.push_back(d);
        }
    dec_t odd{};
    odd.dec_pos = 7;
    odd.dec_ndgts = 3;
    out.push_back(odd);
    return out;
}

bool Sane(mint rc) { return rc <= 0 || rc == 1; }

TEST(ValuesHostile, DecimalTextsAndFormats) {
    for (const std::string& s : HostileTexts()) {
        Text text(s);
        dec_t d{};
        const mint rc = deccvasc(text.get(), text.len(), &d);
        EXPECT_LE(rc, 0) << s.substr(0, 40);
        if (rc != 0) continue;
        for (mint len : {0, 1, 2, 5, 40}) {
            Out out(static_cast<std::size_t>(len) + 1);
            EXPECT_LE(dectoasc(&d, out.get(), len, -1), 0);
            EXPECT_LE(dectoasc(&d, out.get(), len, 5), 0);
        }
        for (const std::string& f : HostileFormats()) {
            Text fmt(f);
            Out out(f.size() + 1);
            EXPECT_LE(rfmtdec(&d, fmt.get(), out.get()), 0) << f.substr(0, 40);
            EXPECT_TRUE(out.terminated());
        }
        double x = 0;
        EXPECT_LE(dectodbl(&d, &x), 0);
        mint i = 0;
        EXPECT_LE(dectoint(&d, &i), 0);
    }
    dec_t d{};
    EXPECT_LE(deccvasc(nullptr, 5, &d), 0);
}

TEST(ValuesHostile, DecimalsWithLyingFields) {
    for (dec_t d : HostileDecimals()) {
        Out out(41);
        EXPECT_LE(dectoasc(&d, out.get(), 40, -1), 0);
        double x = 0;
        EXPECT_LE(dectodbl(&d, &x), 0);
        dec_t r{}, copy = d;
        EXPECT_TRUE(Sane(decadd(&d, &copy, &r)));
        EXPECT_TRUE(Sane(decmul(&d, &copy, &r)));
        EXPECT_TRUE(Sane(decdiv(&d, &copy, &r)));
        (void)deccmp(&d, &copy);
        decround(&d, 5);
        dectrunc(&d, -3);
        Text fmt("-$$$,$$$,$$$.&&&&");
        Out f(fmt.len() + 1);
        EXPECT_LE(rfmtdec(&d, fmt.get(), f.get()), 0);
        ifx_int8_t n8{};
        EXPECT_LE(ifx_int8cvdec(&d, &n8), 0);
    }
}

TEST(ValuesHostile, NumberFormatsOfExtremeValues) {
    const double doubles[] = {0.0, -0.0, DBL_MAX, -DBL_MAX, DBL_MIN, HUGE_VAL, -HUGE_VAL, NAN, 1e300, -1e-300};
    for (const std::string& f : HostileFormats()) {
        Text fmt(f);
        for (double v : doubles) {
            Out out(f.size() + 1);
            EXPECT_LE(rfmtdouble(v, fmt.get(), out.get()), 0) << f.substr(0, 40) << " " << v;
            dec_t d{};
            EXPECT_LE(deccvdbl(v, &d), 0);
            ifx_int8_t n8{};
            EXPECT_LE(ifx_int8cvdbl(v, &n8), 0);
        }
        for (int4 v : {0, -1, INT_MAX, INT_MIN}) {
            Out out(f.size() + 1);
            EXPECT_LE(rfmtlong(v, fmt.get(), out.get()), 0);
        }
    }
}

TEST(ValuesHostile, Int8TextsAndArithmetic) {
    for (const std::string& s : HostileTexts()) {
        Text text(s);
        ifx_int8_t n{};
        if (ifx_int8cvasc(text.get(), text.len(), &n) != 0) continue;
        for (mint len : {1, 2, 10, 21}) {
            Out out(static_cast<std::size_t>(len));
            EXPECT_LE(ifx_int8toasc(&n, out.get(), len), 0);
        }
        ifx_int8_t zero{}, r{};
        ASSERT_EQ(ifx_int8cvint(0, &zero), 0);
        EXPECT_LT(ifx_int8div(&n, &zero, &r), 0);
        EXPECT_TRUE(Sane(ifx_int8mul(&n, &n, &r)));
        EXPECT_TRUE(Sane(ifx_int8add(&n, &n, &r)));
    }
}

TEST(ValuesHostile, DatesFromBadTextsFormatsAndDays) {
    for (const std::string& s : HostileTexts()) {
        Text text(s);
        int4 day = 0;
        EXPECT_LE(rstrdate(text.get(), &day), 0) << s.substr(0, 40);
        for (const std::string& f : HostileFormats()) {
            Text fmt(f), input(s);
            EXPECT_LE(rdefmtdate(&day, fmt.get(), input.get()), 0);
        }
    }
    for (int4 day : {0, -1, 2958464, -693594, 2958465, -693595, INT_MAX, INT_MIN}) {
        Out out(64);
        const mint rc = rdatestr(day, out.get());
        EXPECT_LE(rc, 0) << day;
        if (rc == 0) EXPECT_TRUE(out.terminated()) << day;
        int2 mdy[3] = {};
        EXPECT_LE(rjulmdy(day, mdy), 0);
        for (const std::string& f : HostileFormats()) {
            Text fmt(f);
            Out formatted(f.size() + 64);
            EXPECT_LE(rfmtdate(day, fmt.get(), formatted.get()), 0);
        }
    }
    int2 bad[3] = {13, 32, -5};
    int4 day = 0;
    EXPECT_LT(rmdyjul(bad, &day), 0);
    EXPECT_LT(rfmtdate(0, nullptr, nullptr), 0);
    EXPECT_LT(rdefmtdate(nullptr, nullptr, nullptr), 0);
}

TEST(ValuesHostile, DatetimesAndIntervalsWithBadQualifiers) {
    for (int q : HostileQualifiers()) {
        for (const std::string& s : HostileTexts()) {
            Text text(s);
            dtime_t dt{};
            dt.dt_qual = static_cast<int2>(q);
            const mint drc = dtcvasc(text.get(), &dt);
            EXPECT_LE(drc, 0);
            intrvl_t iv{};
            iv.in_qual = static_cast<int2>(q);
            const mint irc = incvasc(text.get(), &iv);
            EXPECT_LE(irc, 0);
            Out dout(32), iout(32);
            EXPECT_LE(dttoasc(&dt, dout.get()), 0);
            EXPECT_LE(intoasc(&iv, iout.get()), 0);
        }
        for (int q2 : HostileQualifiers()) {
            dtime_t a{}, b{};
            a.dt_qual = static_cast<int2>(q);
            b.dt_qual = static_cast<int2>(q2);
            dtcurrent(&a);
            a.dt_qual = static_cast<int2>(q);
            EXPECT_LE(dtextend(&a, &b), 0);
            intrvl_t i1{}, i2{}, r{};
            i1.in_qual = static_cast<int2>(q);
            i2.in_qual = static_cast<int2>(q2);
            r.in_qual = static_cast<int2>(q2);
            Text one("1");
            (void)incvasc(one.get(), &i1);
            EXPECT_LE(dtsub(&a, &b, &r), 0);
            dtime_t out{};
            out.dt_qual = static_cast<int2>(q2);
            EXPECT_LE(dtaddinv(&a, &i1, &out), 0);
            EXPECT_LE(dtsubinv(&a, &i1, &out), 0);
            EXPECT_LE(invextend(&i1, &i2), 0);
            double ratio = 0;
            EXPECT_LE(invdivinv(&i1, &i2, &ratio), 0);
            for (double f : {0.0, -1.0, 1e300, double(NAN), HUGE_VAL}) {
                EXPECT_LE(invmuldbl(&i1, f, &r), 0);
                EXPECT_LE(invdivdbl(&i1, f, &r), 0);
            }
        }
    }
}

TEST(ValuesHostile, DatetimeFormatsIntoSmallBuffers) {
    dtime_t dt{};
    dt.dt_qual = TU_DTENCODE(TU_YEAR, TU_F5);
    dtcurrent(&dt);
    intrvl_t iv{};
    iv.in_qual = TU_IENCODE(9, TU_DAY, TU_F5);
    Text ivText("123456789 23:59:59.99999");
    ASSERT_EQ(incvasc(ivText.get(), &iv), 0);
    for (const std::string& f : HostileFormats()) {
        for (mint len : {1, 2, 8, 64}) {
            Text fmt(f);
            Out a(static_cast<std::size_t>(len)), b(static_cast<std::size_t>(len));
            EXPECT_LE(dttofmtasc(&dt, a.get(), len, fmt.get()), 0) << f.substr(0, 40) << " " << len;
            EXPECT_LE(intofmtasc(&iv, b.get(), len, fmt.get()), 0) << f.substr(0, 40) << " " << len;
        }
        for (const std::string& s : HostileTexts()) {
            Text fmt(f), input(s);
            dtime_t d{};
            d.dt_qual = TU_DTENCODE(TU_YEAR, TU_SECOND);
            EXPECT_LE(dtcvfmtasc(input.get(), fmt.get(), &d), 0);
            intrvl_t i{};
            i.in_qual = TU_IENCODE(5, TU_HOUR, TU_SECOND);
            EXPECT_LE(incvfmtasc(input.get(), fmt.get(), &i), 0);
        }
    }
}

}  // namespace
