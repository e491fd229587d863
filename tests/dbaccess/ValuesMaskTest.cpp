// Numbers and dates through the library's masks: negative values keep their
// minus under masks without a sign position, masks of any length are safe,
// and SMALLFLOAT values show the digits that make them.
#include <gtest/gtest.h>

#include "dbaccess/IfxField.h"
#include "dbaccess/IfxFormatMask.h"
#include "tests/dbaccess/FieldsTestDataSet.h"
#include "tests/dbaccess/ValuesTestLibrary.h"

using namespace varnok;
using varnok::testing::StandInValues;
using varnok::testing::TIfxRowsDataSet;

namespace {

struct TOwnedValue {
    std::unique_ptr<TIfxValue> value;
    std::vector<char> buffer;
    int2 indicator = -1;

    TOwnedValue(const TIfxLibrary& lib, int type, int len)
        : value(CreateIfxValue(lib, type, len, 0, "c")), buffer(value->BufferSize() + 8, 0) {
        value->Bind(buffer.data(), &indicator);
    }
    TIfxValue* operator->() const { return value.get(); }
};

constexpr int kDec16_2 = PRECMAKE(16, 2);

class ValuesMask : public StandInValues {};

}  // namespace

TEST_F(ValuesMask, NegativeNumbersKeepTheirSign) {
    struct Case {
        int type, len;
        const char* value;
        const char* mask;
        const char* text;
    };
    const Case cases[] = {
        {SQLMONEY, kDec16_2, "-1234.5", TIfxMoneyField::kDefaultDisplayFormat, "-$1234.50"},
        {SQLMONEY, kDec16_2, "-1234.5", TIfxMoneyField::kDefaultEditFormat, "-1234.50"},
        {SQLMONEY, kDec16_2, "1234.5", TIfxMoneyField::kDefaultDisplayFormat, "$1234.50"},
        {SQLDECIMAL, kDec16_2, "-1234.5", "(<<<<<<.##)", "(1234.50)"},     // the mask's own sign
        {SQLDECIMAL, kDec16_2, "-1234.5", "-,---,--&.##", "-1,234.50"},
        {SQLDECIMAL, kDec16_2, "-0.001", "<<.##", ".00"},                 // rounds to zero: no sign
        {SQLINT, 4, "-5", "###", " -5"},                                   // the blank gives way
        {SQLINT, 4, "-5", "<<<", "-5"},
        {SQLINT, 4, "5", "###", "  5"},
        {SQLSMINT, 2, "-7", "&&&&", "-0007"},
        {SQLFLOAT, 8, "-2.5", "<<<.##", "-2.50"},
        {SQLINT8, 10, "-42", "<<<<<", "-42"},
    };
    for (const Case& c : cases) {
        TOwnedValue v(lib(), c.type, c.len);
        v->SetAsString(c.value);
        EXPECT_EQ(v->FormattedText(c.mask), c.text) << c.value << " through " << c.mask;
    }
}

TEST_F(ValuesMask, NegativeMoneyEditsBackToItself) {
    TIfxFieldTypes natives;
    natives.SetAllNative(true);
    TIfxRowsDataSet ds(lib(), natives, {{"price", SQLMONEY, kDec16_2}}, {{"-1234.5"}});
    ds.Open();
    auto& money = dynamic_cast<TIfxMoneyField&>(ds.FieldByName("price"));
    EXPECT_EQ(money.DisplayText(), "-$1234.50");
    EXPECT_EQ(money.EditText(), "-1234.50");
    ds.Edit();
    money.SetAsString(money.EditText());   // what a grid editor writes back untouched
    ds.Post();
    EXPECT_EQ(money.AsString(), "-1234.5");
}

TEST_F(ValuesMask, LongMasksFormatWhole) {
    const std::string numberMask(1000, '#');
    TOwnedValue i(lib(), SQLINT, 4);
    i->SetAsInteger(5);
    EXPECT_EQ(i->FormattedText(numberMask), std::string(999, ' ') + "5");
    TOwnedValue f(lib(), SQLFLOAT, 8);
    f->SetAsFloat(5);
    EXPECT_EQ(f->FormattedText(numberMask).size(), 1000u);
    TOwnedValue d(lib(), SQLDECIMAL, kDec16_2);
    d->SetAsString("12.5");
    EXPECT_EQ(d->FormattedText(std::string(600, '<') + ".##"), "12.50");

    std::string dateMask;
    for (int n = 0; n < 200; ++n) dateMask += "yyyy-";
    TOwnedValue date(lib(), SQLDATE, 4);
    date->SetAsDate(1);
    const std::string text = date->FormattedText(dateMask);
    EXPECT_EQ(text.size(), dateMask.size());
    EXPECT_EQ(text.substr(0, 10), "1900-1900-");
}

TEST_F(ValuesMask, SmallFloatShowsItsOwnDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.1", "1.1"}, {"-0.1", "-0.1"}, {"123456.7", "123456.7"}, {"100000000", "100000000"},
        {"3.4028235e38", "3.4028235e+38"}, {"1e-7", "1e-07"}, {"0.5", "0.5"},
    };
    for (auto [in, out] : cases) {
        TOwnedValue v(lib(), SQLSMFLOAT, 4);
        v->SetAsString(in);
        EXPECT_EQ(v->AsString(), out) << in;
    }
    TOwnedValue f(lib(), SQLFLOAT, 8);
    f->SetAsString("1.1");
    EXPECT_EQ(f->AsString(), "1.1");
    f->SetAsFloat(0.1 + 0.2);
    EXPECT_EQ(f->AsString(), "0.3");   // a FLOAT keeps at most 15 digits
}

TEST(FormatMask, SignGoesBeforeTheFirstNonBlank) {
    EXPECT_EQ(KeepNegativeSign("  12", true, "###"), " -12");
    EXPECT_EQ(KeepNegativeSign("12", true, "<<"), "-12");
    EXPECT_EQ(KeepNegativeSign("12", false, "<<"), "12");
    EXPECT_EQ(KeepNegativeSign("12-", true, "<<-"), "12-");
    EXPECT_EQ(KeepNegativeSign("+12", true, "+<<"), "+12");
    EXPECT_EQ(KeepNegativeSign("   ", true, "###"), "   ");
    EXPECT_GE(MaskOutputSize(std::string(5000, '#')), 5001u);
}
