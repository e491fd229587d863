// DECIMAL conversions, arithmetic and rounding through the exported routines.
#include "ifxesqlc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

dec_t parse(const std::string &text) {
    dec_t d;
    std::string copy = text;
    int rc = deccvasc(copy.data(), static_cast<int>(copy.size()), &d);
    EXPECT_EQ(rc, 0) << text;
    return d;
}

// dectoasc into exactly `width` characters; the byte after them must stay.
std::string toText(dec_t d, int width = 60, int right = -1, int *rc = nullptr) {
    std::string buf(static_cast<size_t>(width) + 1, '#');
    int r = dectoasc(&d, buf.data(), width, right);
    if (rc)
        *rc = r;
    EXPECT_EQ(buf[static_cast<size_t>(width)], '#') << "wrote past len";
    buf.resize(static_cast<size_t>(width));
    return buf;
}

std::string trimmed(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string show(const dec_t &d) { return trimmed(toText(d)); }

}  // namespace

TEST(DecimalText, ParsesAndPrintsWithFloatingScale) {
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        {"1.685", "1.685"},   {"  -12.50  ", "-12.5"}, {"+7", "7"},       {"1e3", "1000"},
        {"1.5E-3", "0.0015"}, {"0", "0"},              {"-0.000", "0"},   {".25", "0.25"},
        {"007.0100", "7.01"}, {"123456789.987654321", "123456789.987654321"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(show(parse(c.in)), c.out) << c.in;
}

TEST(DecimalText, BadTextGetsInformixCodes) {
    struct Case {
        const char *in;
        int rc;
    } cases[] = {
        {"abc", -1213}, {"1.2.3", -1213}, {"12 34", -1213}, {"--1", -1213}, {"1x", -1213},
        {"1e", -1216},  {"1e+", -1216},   {"1E-x", -1216},  {"1e200", -1200}, {"-1e200", -1200},
        {"1e-200", -1201},
    };
    for (const Case &c : cases) {
        dec_t d = parse("42");
        std::string copy = c.in;
        EXPECT_EQ(deccvasc(copy.data(), static_cast<int>(copy.size()), &d), c.rc) << c.in;
        EXPECT_EQ(show(d), "42") << "a failed conversion must leave the target alone: " << c.in;
    }
}

TEST(DecimalText, LengthLimitsTheTextAndBlankIsNull) {
    dec_t d;
    char text[] = "12345";
    ASSERT_EQ(deccvasc(text, 3, &d), 0);
    EXPECT_EQ(show(d), "123");
    char blank[] = "   ";
    ASSERT_EQ(deccvasc(blank, 3, &d), 0);
    EXPECT_TRUE(risnull(CDECIMALTYPE, reinterpret_cast<char *>(&d)));
}

TEST(DecimalText, KeepsThirtyTwoDigitsAlignedToDigitPairs) {
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        // 32 digits with the point on a pair boundary fit exactly.
        {"12345678901234567890123456789012", "12345678901234567890123456789012"},
        {"0.12345678901234567890123456789012", "0.12345678901234567890123456789012"},
        // 33 digits with an odd point position keep 31 and round.
        {"123456789012345678901234567890123", "123456789012345678901234567890100"},
        {"9.9999999999999999999999999999999999", "10"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(show(parse(c.in)), c.out) << c.in;
}

TEST(DecimalText, DivisionKeepsFloatingScale) {
    struct Case {
        const char *a, *b, *quotient;
    } cases[] = {
        {"1", "3", "0.33333333333333333333333333333333"},
        {"2", "3", "0.66666666666666666666666666666667"},
        {"10", "3", "3.333333333333333333333333333333"},
        {"1", "8", "0.125"},
        {"-7", "2", "-3.5"},
    };
    for (const Case &c : cases) {
        dec_t a = parse(c.a), b = parse(c.b), q;
        ASSERT_EQ(decdiv(&a, &b, &q), 0);
        EXPECT_EQ(show(q), c.quotient) << c.a << "/" << c.b;
    }
}

TEST(DecimalFormat, DectoascPadsRoundsAndFallsBackToExponentThenStars) {
    struct Case {
        const char *in;
        int width, right;
        const char *out;
        int rc;
    } cases[] = {
        {"1234.5678", 10, 2, "1234.57   ", 0},
        {"1234.5", 10, 3, "1234.500  ", 0},
        {"-0.004", 8, 2, "0.00    ", 0},
        {"1e40", 10, -1, "1e+40     ", 0},
        {"123456789012", 8, -1, "1.23e+11", 0},
        {"0.000000000123", 8, -1, "1.23e-10", 0},
        {"3.14159265358979", 6, -1, "3.1416", 0},
        {"123456", 3, -1, "***", -1},
        {"123456", 6, 0, "123456", 0},
    };
    for (const Case &c : cases) {
        int rc = 99;
        EXPECT_EQ(toText(parse(c.in), c.width, c.right, &rc), c.out) << c.in;
        EXPECT_EQ(rc, c.rc) << c.in;
    }
}

TEST(DecimalFormat, NullPrintsBlanks) {
    dec_t d;
    rsetnull(CDECIMALTYPE, reinterpret_cast<char *>(&d));
    EXPECT_EQ(toText(d, 5), "     ");
}

TEST(DecimalRounding, DecroundAndDectrunc) {
    struct Case {
        const char *in;
        int places;
        const char *rounded, *truncated;
    } cases[] = {
        {"1.685", 2, "1.69", "1.68"},   {"-1.685", 2, "-1.69", "-1.68"}, {"1.684", 2, "1.68", "1.68"},
        {"0.5", 0, "1", "0"},           {"99.995", 2, "100", "99.99"},   {"1234.5", -2, "1200", "1200"},
        {"0.0004", 3, "0", "0"},        {"2.5", 5, "2.5", "2.5"},
    };
    for (const Case &c : cases) {
        dec_t r = parse(c.in), t = parse(c.in);
        decround(&r, c.places);
        dectrunc(&t, c.places);
        EXPECT_EQ(show(r), c.rounded) << c.in;
        EXPECT_EQ(show(t), c.truncated) << c.in;
    }
}

TEST(DecimalArithmetic, AddSubMulCompare) {
    dec_t a = parse("0.1"), b = parse("0.2"), r;
    ASSERT_EQ(decadd(&a, &b, &r), 0);
    EXPECT_EQ(show(r), "0.3");
    ASSERT_EQ(decsub(&a, &b, &r), 0);
    EXPECT_EQ(show(r), "-0.1");
    dec_t c = parse("1.5"), d = parse("-2");
    ASSERT_EQ(decmul(&c, &d, &r), 0);
    EXPECT_EQ(show(r), "-3");
    EXPECT_EQ(deccmp(&a, &b), -1);
    EXPECT_EQ(deccmp(&b, &a), 1);
    dec_t a2 = parse("0.10");
    EXPECT_EQ(deccmp(&a, &a2), 0);
    EXPECT_EQ(deccmp(&d, &a), -1);
    // The result may be one of the operands.
    ASSERT_EQ(decadd(&a, &a, &a), 0);
    EXPECT_EQ(show(a), "0.2");
}

TEST(DecimalArithmetic, ErrorsAndNulls) {
    dec_t one = parse("1"), zero = parse("0"), r = parse("5");
    EXPECT_EQ(decdiv(&one, &zero, &r), -1202);
    EXPECT_EQ(show(r), "5");
    dec_t big = parse("9e125"), hundred = parse("100");
    EXPECT_EQ(decmul(&big, &hundred, &r), -1200);
    dec_t tiny = parse("1e-127"), tenThousand = parse("10000");
    EXPECT_EQ(decdiv(&tiny, &tenThousand, &r), -1201);
    dec_t null;
    rsetnull(CDECIMALTYPE, reinterpret_cast<char *>(&null));
    EXPECT_EQ(deccmp(&null, &one), DECUNKNOWN);
    ASSERT_EQ(decadd(&one, &null, &r), 0);
    EXPECT_TRUE(risnull(CDECIMALTYPE, reinterpret_cast<char *>(&r)));
}

TEST(DecimalNumbers, IntegerAndFloatingConversions) {
    dec_t d;
    ASSERT_EQ(deccvint(-123, &d), 0);
    EXPECT_EQ(show(d), "-123");
    ASSERT_EQ(deccvlong(2147483647, &d), 0);
    EXPECT_EQ(show(d), "2147483647");
    ASSERT_EQ(deccvdbl(0.1, &d), 0);
    EXPECT_EQ(show(d), "0.1");
    ASSERT_EQ(deccvdbl(-1234.5, &d), 0);
    EXPECT_EQ(show(d), "-1234.5");
    EXPECT_EQ(deccvdbl(1e300, &d), -1200);
    EXPECT_EQ(deccvdbl(std::nan(""), &d), -1213);

    struct IntCase {
        const char *in;
        int rc, value;
    } ints[] = {{"2147483647", 0, 2147483647}, {"-12.9", 0, -12}, {"2147483648", -1200, 0}, {"0.99", 0, 0}};
    for (const IntCase &c : ints) {
        dec_t v = parse(c.in);
        mint i = 0;
        int4 l = 0;
        EXPECT_EQ(dectoint(&v, &i), c.rc) << c.in;
        EXPECT_EQ(dectolong(&v, &l), c.rc) << c.in;
        if (c.rc == 0) {
            EXPECT_EQ(i, c.value);
            EXPECT_EQ(l, c.value);
        }
    }
    dec_t v = parse("-1234.5");
    double dbl = 0;
    ASSERT_EQ(dectodbl(&v, &dbl), 0);
    EXPECT_DOUBLE_EQ(dbl, -1234.5);
}

TEST(DecimalPacked, RoundTripsAndSortsBytewise) {
    const char *values[] = {"-1e10", "-123.45", "-0.5", "0", "0.001", "1", "99.99", "123456.789"};
    std::string previous;
    for (const char *text : values) {
        dec_t d = parse(text), back;
        char packed[DECLEN(16, 4)];
        stdecimal(&d, packed, sizeof packed);
        ASSERT_EQ(lddecimal(packed, sizeof packed, &back), 0);
        EXPECT_EQ(show(back), show(d)) << text;
        std::string bytes(packed, sizeof packed);
        if (!previous.empty()) {
            EXPECT_LT(previous, bytes) << text << " should sort after the previous value";
        }
        previous = bytes;
    }
    dec_t null, back = parse("1");
    rsetnull(CDECIMALTYPE, reinterpret_cast<char *>(&null));
    char packed[9];
    stdecimal(&null, packed, sizeof packed);
    ASSERT_EQ(lddecimal(packed, sizeof packed, &back), 0);
    EXPECT_TRUE(risnull(CDECIMALTYPE, reinterpret_cast<char *>(&back)));
}

TEST(HostNumbers, RstoFunctions) {
    mint i = 0;
    char ok[] = " 42 ";
    ASSERT_EQ(rstoi(ok, &i), 0);
    EXPECT_EQ(i, 42);
    char bad[] = "4x2";
    EXPECT_EQ(rstoi(bad, &i), -1213);
    char huge[] = "99999999999";
    EXPECT_EQ(rstoi(huge, &i), -1215);
    mlong l = 0;
    ASSERT_EQ(rstol(huge, &l), 0);
    EXPECT_EQ(l, 99999999999L);
    double d = 0;
    char real[] = "-2.5e2";
    ASSERT_EQ(rstod(real, &d), 0);
    EXPECT_DOUBLE_EQ(d, -250.0);
    char tooLarge[] = "1e400";
    EXPECT_EQ(rstod(tooLarge, &d), -1200);
    EXPECT_DOUBLE_EQ(d, -250.0);
    char blank[] = "";
    ASSERT_EQ(rstoi(blank, &i), 0);
    EXPECT_TRUE(risnull(CINTTYPE, reinterpret_cast<char *>(&i)));
}
