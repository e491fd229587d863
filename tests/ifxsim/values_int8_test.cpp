// INT8 conversions and arithmetic through the exported routines.
#include "ifxesqlc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char *kMax = "9223372036854775807";
constexpr const char *kMin = "-9223372036854775807";

ifx_int8_t parse(const std::string &text, int expectRc = 0) {
    ifx_int8_t v{};
    std::string copy = text;
    EXPECT_EQ(ifx_int8cvasc(copy.data(), static_cast<int>(copy.size()), &v), expectRc) << text;
    return v;
}

std::string show(ifx_int8_t v, int width = 21) {
    std::string buf(static_cast<size_t>(width) + 1, '#');
    ifx_int8toasc(&v, buf.data(), width);
    EXPECT_EQ(buf.back(), '#') << "wrote past len";
    buf.pop_back();
    buf.erase(buf.find_last_not_of(' ') + 1);
    return buf;
}

}  // namespace

TEST(Int8Text, RangeLimitsAndTruncation) {
    struct Case {
        const char *in;
        int rc;
        const char *out;
    } cases[] = {
        {kMax, 0, kMax},
        {kMin, 0, kMin},
        {"9223372036854775808", -1284, nullptr},
        {"-9223372036854775808", -1284, nullptr},
        {"99999999999999999999", -1284, nullptr},
        {"  12.9 ", 0, "12"},
        {"-12.9", 0, "-12"},
        {"1e3", 0, "1000"},
        {"0", 0, "0"},
        {"abc", -1213, nullptr},
        {"1 2", -1213, nullptr},
    };
    for (const Case &c : cases) {
        ifx_int8_t v = parse(c.in, c.rc);
        if (c.out) {
            EXPECT_EQ(show(v), c.out) << c.in;
        }
    }
}

TEST(Int8Text, MagnitudeWordsSignAndNull) {
    ifx_int8_t v = parse("4294967297");  // 2^32 + 1
    EXPECT_EQ(v.data[0], 1u);
    EXPECT_EQ(v.data[1], 1u);
    EXPECT_EQ(v.sign, 1);
    v = parse("-5");
    EXPECT_EQ(v.data[0], 5u);
    EXPECT_EQ(v.sign, -1);
    v = parse("   ");
    EXPECT_EQ(v.sign, 0);
    EXPECT_TRUE(risnull(CINT8TYPE, reinterpret_cast<char *>(&v)));
    EXPECT_EQ(show(v, 4), "");
}

TEST(Int8Text, ToascPadsAndStarsWhenTooNarrow) {
    ifx_int8_t v = parse("-123456");
    std::string buf(9, '#');
    ASSERT_EQ(ifx_int8toasc(&v, buf.data(), 8), 0);
    EXPECT_EQ(buf, "-123456 #");
    EXPECT_EQ(ifx_int8toasc(&v, buf.data(), 5), -1207);
    EXPECT_EQ(buf.substr(0, 5), "*****");
}

TEST(Int8Arithmetic, OverflowDivisionAndCompare) {
    ifx_int8_t max = parse(kMax), min = parse(kMin), one = parse("1"), zero = parse("0"), r{};
    EXPECT_EQ(ifx_int8add(&max, &one, &r), -1284);
    EXPECT_EQ(ifx_int8sub(&min, &one, &r), -1284);  // -2^63 is not an INT8
    ASSERT_EQ(ifx_int8add(&min, &one, &r), 0);
    EXPECT_EQ(show(r), "-9223372036854775806");
    ifx_int8_t two = parse("2"), big = parse("5000000000000000000");
    EXPECT_EQ(ifx_int8mul(&big, &two, &r), -1284);
    ASSERT_EQ(ifx_int8mul(&two, &min, &r), -1284);
    ifx_int8_t seven = parse("-7");
    ASSERT_EQ(ifx_int8div(&seven, &two, &r), 0);
    EXPECT_EQ(show(r), "-3");
    EXPECT_EQ(ifx_int8div(&one, &zero, &r), -1202);
    EXPECT_EQ(ifx_int8cmp(&min, &max), -1);
    EXPECT_EQ(ifx_int8cmp(&max, &min), 1);
    EXPECT_EQ(ifx_int8cmp(&one, &one), 0);
    ifx_int8_t null{};
    EXPECT_EQ(ifx_int8cmp(&null, &one), INT8UNKNOWN);
}

TEST(Int8Numbers, ConversionsToAndFromOtherTypes) {
    ifx_int8_t v{};
    ASSERT_EQ(ifx_int8cvint(-42, &v), 0);
    EXPECT_EQ(show(v), "-42");
    ASSERT_EQ(ifx_int8cvlong(2147483647, &v), 0);
    EXPECT_EQ(show(v), "2147483647");
    ASSERT_EQ(ifx_int8cvdbl(-1234.99, &v), 0);
    EXPECT_EQ(show(v), "-1234");
    EXPECT_EQ(ifx_int8cvdbl(1e19, &v), -1284);
    ASSERT_EQ(ifx_int8cvflt(16777216.0, &v), 0);
    EXPECT_EQ(show(v), "16777216");

    dec_t d;
    char text[] = "-9223372036854775807.75";
    ASSERT_EQ(deccvasc(text, sizeof text - 1, &d), 0);
    ASSERT_EQ(ifx_int8cvdec(&d, &v), 0);
    EXPECT_EQ(show(v), kMin);
    char tooBig[] = "9223372036854775808";
    ASSERT_EQ(deccvasc(tooBig, sizeof tooBig - 1, &d), 0);
    EXPECT_EQ(ifx_int8cvdec(&d, &v), -1284);

    ifx_int8_t max = parse(kMax);
    ASSERT_EQ(ifx_int8todec(&max, &d), 0);
    char out[30] = {};
    ASSERT_EQ(dectoasc(&d, out, 25, 0), 0);
    EXPECT_EQ(std::string(out, 19), kMax);

    mint i = 0;
    int4 l = 0;
    EXPECT_EQ(ifx_int8toint(&max, &i), -1284);
    ifx_int8_t small = parse("-2147483647");
    ASSERT_EQ(ifx_int8toint(&small, &i), 0);
    EXPECT_EQ(i, -2147483647);
    ASSERT_EQ(ifx_int8tolong(&small, &l), 0);
    EXPECT_EQ(l, -2147483647);
    double dbl = 0;
    ASSERT_EQ(ifx_int8todbl(&small, &dbl), 0);
    EXPECT_DOUBLE_EQ(dbl, -2147483647.0);
}
