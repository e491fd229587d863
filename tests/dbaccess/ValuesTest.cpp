// Value objects over the stand-in client library: texts and conversions go
// through the library's routines, nulls read as empty/zero/false, and a
// conversion a type does not offer names what was asked for.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "dbaccess/IfxValue.h"
#include "dbaccess/TextUtils.h"
#include "tests/dbaccess/ValuesTestLibrary.h"

using namespace varnok;
using varnok::testing::StandInValues;

namespace {

// A value object with its own buffer and indicator.
struct TOwnedValue {
    std::unique_ptr<TIfxValue> value;
    std::vector<char> buffer;
    int2 indicator = -1;

    TOwnedValue(const TIfxLibrary& lib, int type, int len, int xid = 0, const std::string& name = "c")
        : value(CreateIfxValue(lib, type, len, xid, name)), buffer(value->BufferSize() + 8, 0) {
        value->Bind(buffer.data(), &indicator);
    }
    TIfxValue* operator->() const { return value.get(); }
};

std::string ConversionError(const std::function<void()>& f) {
    try {
        f();
    } catch (const EIfxAccessError& e) {
        return e.what();
    }
    return "no error";
}

constexpr int kDec16_2 = PRECMAKE(16, 2);
constexpr int kYearToSecond = TU_DTENCODE(TU_YEAR, TU_SECOND);
constexpr int kHourToSecond = TU_DTENCODE(TU_HOUR, TU_SECOND);
constexpr int kDay3ToSecond = TU_IENCODE(3, TU_DAY, TU_SECOND);

}  // namespace

class ValuesText : public StandInValues {};

TEST_F(ValuesText, WrittenTextReadsBackThroughTheLibrary) {
    struct Case {
        int type, len;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {SQLDECIMAL, kDec16_2, "1234.5", "1234.5"},
        {SQLDECIMAL, kDec16_2, "99999999999999.99", "99999999999999.99"},   // more digits than a double keeps
        {SQLDECIMAL, kDec16_2, "-0.01", "-0.01"},
        {SQLMONEY, kDec16_2, "1234.50", "1234.5"},
        {SQLSMINT, 2, "-32767", "-32767"},
        {SQLINT, 4, "2147483647", "2147483647"},
        {SQLSERIAL, 4, "17", "17"},
        {SQLINT8, 10, "-9223372036854775807", "-9223372036854775807"},
        {SQLSERIAL8, 10, "9000000000", "9000000000"},
        {SQLFLOAT, 8, "0.1", "0.1"},
        {SQLSMFLOAT, 4, "0.5", "0.5"},
        {SQLVCHAR, 40, "text", "text"},
        {SQLBOOL, 1, "t", "t"},
        {SQLBOOL, 1, "f", "f"},
        {SQLDTIME, kYearToSecond, "2024-01-02 10:11:12", "2024-01-02 10:11:12"},
        {SQLDTIME, kHourToSecond, "23:59:58", "23:59:58"},
    };
    for (const Case& c : cases) {
        TOwnedValue v(lib(), c.type, c.len);
        v->SetAsString(c.in);
        EXPECT_FALSE(v->IsNull()) << c.in;
        EXPECT_EQ(v->AsString(), c.out) << "type " << c.type << " from " << c.in;
    }
}

TEST_F(ValuesText, CharactersAreCutToTheColumn) {
    TOwnedValue c(lib(), SQLCHAR, 5);
    c->SetAsString("abcdefgh");
    EXPECT_EQ(c->AsString(), "abcde");
    // VARCHAR(40, 10): the minimum sits in the high byte, the maximum decides.
    TOwnedValue v(lib(), SQLVCHAR, (10 << 8) | 40);
    v->SetAsString(std::string(50, 'x'));
    EXPECT_EQ(v->AsString(), std::string(40, 'x'));
}

TEST_F(ValuesText, IntervalTextComesFromIntoasc) {
    TOwnedValue v(lib(), SQLINTERVAL, kDay3ToSecond);
    v->SetAsString("5 10:11:12");
    char expected[64] = {};
    intrvl_t raw = v->AsInterval();
    ASSERT_EQ(lib().intoasc(&raw, expected), 0);
    EXPECT_EQ(v->AsString(), expected);
    EXPECT_NE(v->AsString().find("5 10:11:12"), std::string::npos);
}

TEST_F(ValuesText, DateOneIsTheFirstOfJanuary1900) {
    TOwnedValue d(lib(), SQLDATE, 4);
    d->SetAsDate(1);
    EXPECT_DOUBLE_EQ(d->AsDateTime(), EncodeDateTime(1900, 1, 1));
    EXPECT_EQ(d->FormattedText("yyyy-mm-dd"), "1900-01-01");
    char rdatestrText[32] = {};
    ASSERT_EQ(lib().rdatestr(1, rdatestrText), 0);
    EXPECT_EQ(d->AsString(), rdatestrText);
    d->SetAsDateTime(EncodeDateTime(2000, 3, 1));
    EXPECT_EQ(d->FormattedText("dd.mm.yyyy"), "01.03.2000");
}

TEST_F(ValuesText, DateTimeMovesThroughTDateTime) {
    TOwnedValue full(lib(), SQLDTIME, kYearToSecond);
    full->SetAsDateTime(EncodeDateTime(2024, 2, 29, 13, 14, 15));
    EXPECT_EQ(full->AsString(), "2024-02-29 13:14:15");
    EXPECT_NEAR(full->AsDateTime(), EncodeDateTime(2024, 2, 29, 13, 14, 15), 1e-9);
    TOwnedValue time(lib(), SQLDTIME, kHourToSecond);
    time->SetAsDateTime(EncodeDateTime(2024, 2, 29, 13, 14, 15));   // extended to the column's fields
    EXPECT_EQ(time->AsString(), "13:14:15");
}

TEST_F(ValuesText, MoneyFormatsWithTheDefaultMasks) {
    TOwnedValue m(lib(), SQLMONEY, kDec16_2);
    m->SetAsFloat(1234.5);
    EXPECT_EQ(m->FormattedText("$<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.## @"), "$1234.50");
    EXPECT_EQ(m->FormattedText("<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.##"), "1234.50");
    TOwnedValue i(lib(), SQLINT, 4);
    i->SetAsInteger(1234567);
    EXPECT_EQ(TrimText(i->FormattedText("#,###,###")), "1,234,567");
}

TEST_F(ValuesText, BadTextRaisesTheLibraryError) {
    struct Case {
        int type, len;
        const char* text;
    };
    for (const Case& c : {Case{SQLDECIMAL, kDec16_2, "12x"}, Case{SQLINT8, 10, "abc"}, Case{SQLDATE, 4, "31/31/2020"},
                          Case{SQLDTIME, kYearToSecond, "2024-13-01 00:00:00"}, Case{SQLINT, 4, "1.2.3"}}) {
        TOwnedValue v(lib(), c.type, c.len);
        try {
            v->SetAsString(c.text);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const EIfxError& e) {
            EXPECT_LT(e.SqlCode(), 0) << c.text;
            EXPECT_NE(std::string(e.what()).find("SQL error"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(v->IsNull()) << "a refused text leaves the value as it was: " << c.text;
    }
}

TEST_F(ValuesText, NullReadsAsEmptyZeroFalse) {
    for (int type : {SQLCHAR, SQLSMINT, SQLINT, SQLFLOAT, SQLDECIMAL, SQLMONEY, SQLDATE, SQLINT8, SQLBOOL}) {
        TOwnedValue v(lib(), type, type == SQLDECIMAL || type == SQLMONEY ? kDec16_2 : 10);
        if (type == SQLDATE)
            v->SetAsDate(5);
        else
            v->SetAsString(type == SQLBOOL ? "t" : "1");
        ASSERT_FALSE(v->IsNull()) << type;
        v->SetNull();
        EXPECT_TRUE(v->IsNull()) << type;
        EXPECT_EQ(v->AsString(), "") << type;
        EXPECT_EQ(v->AsFloat(), 0.0) << type;
        EXPECT_FALSE(v->AsBoolean()) << type;
    }
    TIfxNullValue none(lib());
    EXPECT_EQ(none.AsString(), "");
    EXPECT_EQ(none.AsInteger(), 0);
    EXPECT_FALSE(none.AsBoolean());
}

class ValuesConversion : public StandInValues {};

TEST_F(ValuesConversion, NumbersConvertBetweenTypes) {
    TOwnedValue d(lib(), SQLDECIMAL, kDec16_2);
    d->SetAsString("-42.75");
    EXPECT_DOUBLE_EQ(d->AsFloat(), -42.75);
    EXPECT_EQ(d->AsLargeInt(), -42);
    EXPECT_TRUE(d->AsBoolean());
    TOwnedValue i8(lib(), SQLINT8, 10);
    i8->SetAsDecimal(d->AsDecimal());
    EXPECT_EQ(i8->AsString(), "-42");
    i8->SetAsLargeInt(5000000000LL);
    EXPECT_EQ(i8->AsLargeInt(), 5000000000LL);
    EXPECT_DOUBLE_EQ(i8->AsFloat(), 5e9);
    TOwnedValue s(lib(), SQLSMINT, 2);
    s->SetAsDecimal(d->AsDecimal());
    EXPECT_EQ(s->AsInteger(), -42);
    TOwnedValue c(lib(), SQLCHAR, 10);
    c->SetAsDecimal(d->AsDecimal());
    EXPECT_EQ(c->AsString(), "-42.75");
}

TEST_F(ValuesConversion, UnofferedConversionsNameTheirTarget) {
    TOwnedValue date(lib(), SQLDATE, 4);
    date->SetAsDate(10);
    TOwnedValue interval(lib(), SQLINTERVAL, kDay3ToSecond);
    interval->SetAsString("1 00:00:00");
    TOwnedValue boolean(lib(), SQLBOOL, 1);
    TOwnedValue text(lib(), SQLCHAR, 10);
    TOwnedValue small(lib(), SQLSMINT, 2);
    TOwnedValue word(lib(), SQLCHAR, 10);
    word->SetAsString("abc");
    TOwnedValue huge(lib(), SQLFLOAT, 8);
    huge->SetAsFloat(1e300);
    struct Case {
        const char* what;
        std::function<void()> run;
        const char* target;
    };
    const Case cases[] = {
        {"date as float", [&] { (void)date->AsFloat(); }, "Float"},
        {"date as boolean", [&] { (void)date->AsBoolean(); }, "Boolean"},
        {"interval as integer", [&] { (void)interval->AsInteger(); }, "Integer"},
        {"interval as currency", [&] { (void)interval->AsCurrency(); }, "Currencty"},
        {"interval as date-time", [&] { (void)interval->AsDateTime(); }, "DateTime"},
        {"interval as decimal", [&] { (void)interval->AsDecimal(); }, "Decimal"},
        {"date as interval", [&] { (void)date->AsInterval(); }, "Interval"},
        {"write currency to interval", [&] { interval->SetAsCurrency(1.5); }, "Currency"},
        {"write date-time to boolean", [&] { boolean->SetAsDateTime(1.0); }, "DateTime"},
        {"write interval to text", [&] { text->SetAsInterval(interval->AsInterval()); }, "Interval"},
        {"write 40000 to smallint", [&] { small->SetAsInteger(40000); }, "SmallInt"},
        {"write 'maybe' to boolean", [&] { boolean->SetAsString("maybe"); }, "Boolean"},
        // A value the conversion cannot take is named by what the caller asked for.
        {"text as integer", [&] { (void)word->AsInteger(); }, "Integer"},
        {"text as smallint", [&] { (void)word->AsSmallInt(); }, "SmallInt"},
        {"text as currency", [&] { (void)word->AsCurrency(); }, "Currencty"},
        {"text as boolean", [&] { (void)word->AsBoolean(); }, "Boolean"},
        {"huge float as integer", [&] { (void)huge->AsInteger(); }, "Integer"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConversionError(c.run), std::string("Invalid data conversion '") + c.target + "'") << c.what;
}

TEST_F(ValuesConversion, FloatTextUsesShortestGeneralForm) {
    TOwnedValue f(lib(), SQLFLOAT, 8);
    for (auto [v, text] : {std::pair{1.0 / 3.0, "0.333333333333333"}, {1e20, "1e+20"}, {-2.5, "-2.5"}, {100.0, "100"}}) {
        f->SetAsFloat(v);
        EXPECT_EQ(f->AsString(), text);
    }
}

class ValuesTypes : public StandInValues {};

TEST_F(ValuesTypes, ClassOfEachColumnType) {
    struct Case {
        int type, xid;
        const std::type_info& cls;
    };
    const Case cases[] = {
        {SQLCHAR, 0, typeid(TIfxCharValue)},         {SQLVCHAR, 0, typeid(TIfxVarCharValue)},
        {SQLNCHAR, 0, typeid(TIfxNCharValue)},       {SQLNVCHAR, 0, typeid(TIfxNVarCharValue)},
        {SQLLVARCHAR, 0, typeid(TIfxLVarCharValue)}, {SQLUDTVAR, XID_LVARCHAR, typeid(TIfxLVarCharValue)},
        {SQLSMINT, 0, typeid(TIfxSmallIntValue)},    {SQLINT, 0, typeid(TIfxIntegerValue)},
        {SQLSERIAL, 0, typeid(TIfxIntegerValue)},    {SQLFLOAT, 0, typeid(TIfxFloatValue)},
        {SQLSMFLOAT, 0, typeid(TIfxSmallFloatValue)}, {SQLDECIMAL, 0, typeid(TIfxDecimalValue)},
        {SQLMONEY, 0, typeid(TIfxMoneyValue)},       {SQLDATE, 0, typeid(TIfxDateValue)},
        {SQLDTIME, 0, typeid(TIfxDTimeValue)},       {SQLBYTES, 0, typeid(TIfxLocatorValue)},
        {SQLTEXT, 0, typeid(TIfxLocatorValue)},      {SQLINTERVAL, 0, typeid(TIfxIntervalValue)},
        {SQLINT8, 0, typeid(TIfxInt8Value)},         {SQLSERIAL8, 0, typeid(TIfxInt8Value)},
        {SQLBOOL, 0, typeid(TIfxBooleanValue)},      {SQLUDTFIXED, XID_BOOLEAN, typeid(TIfxBooleanValue)},
        {SQLUDTFIXED, XID_BLOB, typeid(TIfxBlobValue)}, {SQLUDTFIXED, XID_CLOB, typeid(TIfxClobValue)},
        {SQLSET, 0, typeid(TIfxOpaqueValue)},        {124, 0, typeid(TIfxOpaqueValue)},
    };
    for (const Case& c : cases) {
        auto v = CreateIfxValue(lib(), c.type, 10, c.xid, "c");
        EXPECT_EQ(typeid(*v), c.cls) << "type " << c.type << " xid " << c.xid;
    }
}

TEST_F(ValuesTypes, UnsupportedTypesAndOldLibrariesAreNamed) {
    try {
        CreateIfxValue(lib(), SQLNULL, 0, 0, "nothing");
        FAIL();
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Unsupported data type 'null'. Field 'nothing'");
    }
    EXPECT_EQ(IfxTypeName(lib(), SQLUDTFIXED, XID_BLOB), "blob");
    EXPECT_EQ(IfxTypeName(lib(), SQLUDTVAR, XID_LVARCHAR), "lvarchar");
    EXPECT_EQ(IfxTypeName(lib(), SQLUDTFIXED, XID_BOOLEAN), "boolean");
    EXPECT_EQ(IfxTypeName(lib(), SQLUDTFIXED, XID_CLOB), "clob");
    EXPECT_EQ(IfxTypeName(lib(), SQLDTIME, 0), "datetime");

    TIfxLibrary old = lib();
    old.ifx_var_freevar = nullptr;
    // Without a holder to free, collections are read as lvarchar text of 2048 bytes.
    auto collection = CreateIfxValue(old, SQLSET, 100, 0, "s");
    EXPECT_EQ(typeid(*collection), typeid(TIfxLVarCharValue));
    EXPECT_EQ(collection->SqlLen(), SIZLVARCHAR);
    try {
        CreateIfxValue(old, 124, 0, 0, "udt");
        FAIL();
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Data type in 'udt' requires Informix 2.80 or later connectivity software");
    }
}

TEST_F(ValuesTypes, OpaqueHolderCarriesItsBytes) {
    TOwnedValue v(lib(), 124, 0);
    v->SetAsString("(1,2)");
    EXPECT_EQ(v->AsString(), "(1,2)");
    v->ReleaseRowResources();
    EXPECT_TRUE(v->IsNull());
}

TEST_F(ValuesTypes, LocatorShowsItsBytes) {
    TOwnedValue v(lib(), SQLTEXT, 0);
    const std::string bytes("line1\nline2\0end", 15);
    v->SetAsBytes(bytes);
    EXPECT_EQ(v->AsString(), bytes);   // as long as the locator says, NULs included
    auto* loc = reinterpret_cast<loc_t*>(v.buffer.data());
    loc->loc_indicator = -1;
    EXPECT_TRUE(v->IsNull());
    EXPECT_EQ(v->AsString(), "");
}
