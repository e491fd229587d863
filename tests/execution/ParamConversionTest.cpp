// Value text → typed parameter value, and the errors for texts that do not convert.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "execution/ParamConversion.h"

namespace varnok {
namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

struct ConvertCase {
    const char* title;
    QLocale locale;
    const char* typeName;
    std::string text;
    TParamDataType dataType;
    TParamData expected;
};

std::string CaseName(const char* title) {
    std::string name;
    for (const char* c = title; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

class ParamConversionAccepts : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ParamConversionAccepts, GivesTheTypedValue) {
    const ConvertCase& c = GetParam();
    const TParamConversion result = ConvertParamText(c.typeName, c.text, c.locale);
    ASSERT_TRUE(result.Ok()) << result.error;
    EXPECT_EQ(result.dataType, c.dataType);
    EXPECT_EQ(result.value, c.expected);
}

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Types, ParamConversionAccepts,
    ::testing::Values(
        ConvertCase{"string keeps its text", kUs, "String", " a b ", TParamDataType::String, std::string(" a b ")},
        ConvertCase{"empty string stays a string", kUs, "String", "", TParamDataType::String, std::string()},
        ConvertCase{"interval is a string", kUs, "Interval", "1 12:00", TParamDataType::String, std::string("1 12:00")},
        ConvertCase{"null ignores the text", kUs, "Null", "5", TParamDataType::Unknown, std::monostate{}},
        ConvertCase{"integer", kUs, "Integer", "5", TParamDataType::Integer, std::int32_t{5}},
        ConvertCase{"integer with blanks", kUs, "Integer", " -42 ", TParamDataType::Integer, std::int32_t{-42}},
        ConvertCase{"integer lowest", kUs, "Integer", "-2147483648", TParamDataType::Integer,
                    std::numeric_limits<std::int32_t>::min()},
        ConvertCase{"empty integer is null", kUs, "Integer", "", TParamDataType::Integer, std::monostate{}},
        ConvertCase{"int8 highest", kUs, "Int8", "9223372036854775807", TParamDataType::Int8, kInt64Max},
        ConvertCase{"float with point", kUs, "Float/Decimal", "12.5", TParamDataType::Float, 12.5},
        ConvertCase{"float with German comma", kGerman, "Float/Decimal", "12,5", TParamDataType::Float, 12.5},
        ConvertCase{"money", kUs, "Money", "1250.75", TParamDataType::Currency, TParamCurrency{12507500}},
        ConvertCase{"money negative", kUs, "Money", "-3.5", TParamDataType::Currency, TParamCurrency{-35000}},
        ConvertCase{"money German", kGerman, "Money", "3,5", TParamDataType::Currency, TParamCurrency{35000}},
        ConvertCase{"money fifth decimal rounds up", kUs, "Money", "0.00005", TParamDataType::Currency,
                    TParamCurrency{1}},
        ConvertCase{"money fifth decimal rounds down", kUs, "Money", "0.00004", TParamDataType::Currency,
                    TParamCurrency{0}},
        ConvertCase{"money highest exactly", kUs, "Money", "922337203685477.5807", TParamDataType::Currency,
                    TParamCurrency{kInt64Max}},
        ConvertCase{"empty money is null", kUs, "Money", " ", TParamDataType::Currency, std::monostate{}},
        ConvertCase{"date US", kUs, "Date", "12/9/2026", TParamDataType::Date, TParamDate{2026, 12, 9}},
        ConvertCase{"date German", kGerman, "Date", "09.12.2026", TParamDataType::Date, TParamDate{2026, 12, 9}},
        ConvertCase{"date ISO", kGerman, "Date", "2026-12-09", TParamDataType::Date, TParamDate{2026, 12, 9}},
        ConvertCase{"datetime with seconds", kUs, "DateTime", "12/9/2026 14:30:15", TParamDataType::DateTime,
                    TParamDateTime{{2026, 12, 9}, 14, 30, 15, 0}},
        ConvertCase{"datetime ISO with fraction", kUs, "DateTime", "2026-12-09 07:05:01.250",
                    TParamDataType::DateTime, TParamDateTime{{2026, 12, 9}, 7, 5, 1, 250}},
        ConvertCase{"datetime of a date alone is midnight", kGerman, "DateTime", "09.12.2026",
                    TParamDataType::DateTime, TParamDateTime{{2026, 12, 9}, 0, 0, 0, 0}}),
    [](const auto& info) { return CaseName(info.param.title); });

struct RefuseCase {
    const char* title;
    QLocale locale;
    const char* typeName;
    std::string text;
    std::string error;
};

class ParamConversionRefuses : public ::testing::TestWithParam<RefuseCase> {};

TEST_P(ParamConversionRefuses, SaysWhatWasExpected) {
    const RefuseCase& c = GetParam();
    const TParamConversion result = ConvertParamText(c.typeName, c.text, c.locale);
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.error, c.error);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(result.value));
}

INSTANTIATE_TEST_SUITE_P(
    Types, ParamConversionRefuses,
    ::testing::Values(
        RefuseCase{"integer letters", kUs, "Integer", "abc",
                   "\"abc\" is not a valid Integer value (a whole number from -2147483648 to 2147483647)."},
        RefuseCase{"integer too big", kUs, "Integer", "2147483648",
                   "\"2147483648\" is not a valid Integer value (a whole number from -2147483648 to 2147483647)."},
        RefuseCase{"integer fraction", kUs, "Integer", "1.5",
                   "\"1.5\" is not a valid Integer value (a whole number from -2147483648 to 2147483647)."},
        RefuseCase{"int8 too big", kUs, "Int8", "9223372036854775808",
                   "\"9223372036854775808\" is not a valid Int8 value (a whole number from -9223372036854775808 to "
                   "9223372036854775807)."},
        RefuseCase{"float letters German", kGerman, "Float/Decimal", "x1",
                   "\"x1\" is not a valid Float/Decimal value (for example -12,5)."},
        RefuseCase{"money two points", kUs, "Money", "1.2.3",
                   "\"1.2.3\" is not a valid Money value (for example 1250.75)."},
        RefuseCase{"money over the range", kUs, "Money", "922337203685477.5808",
                   "\"922337203685477.5808\" is not a valid Money value (for example 1250.75)."},
        RefuseCase{"money sign alone", kUs, "Money", "-", "\"-\" is not a valid Money value (for example 1250.75)."},
        RefuseCase{"date two-digit year", kUs, "Date", "12/9/26",
                   "\"12/9/26\" is not a valid Date value (expected M/d/yyyy)."},
        RefuseCase{"date no such day", kGerman, "Date", "30.02.2026",
                   "\"30.02.2026\" is not a valid Date value (expected dd.MM.yyyy)."},
        RefuseCase{"datetime bad hour", kGerman, "DateTime", "09.12.2026 25:00",
                   "\"09.12.2026 25:00\" is not a valid DateTime value (expected dd.MM.yyyy HH:mm)."}),
    [](const auto& info) { return CaseName(info.param.title); });

TEST(ParamConversion, ATypeNameOutsideTheNineIsAnInternalFailure) {
    try {
        ConvertParamText("Blob", "x", kUs);
        FAIL() << "no exception";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Unknown parameter type.");
    }
}

}  // namespace
}  // namespace varnok
