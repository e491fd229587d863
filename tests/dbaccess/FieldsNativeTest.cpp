// Native and ordinary fields fed with the library's values: display and edit
// texts, the money defaults, TrimStrings, the large-object captions, the
// field checks, and editing a native field in place.
#include <gtest/gtest.h>

#include <cstring>

#include "dbaccess/IfxField.h"
#include "tests/dbaccess/FieldsTestDataSet.h"
#include "tests/dbaccess/ValuesTestLibrary.h"

using namespace varnok;
using varnok::testing::StandInValues;
using varnok::testing::TColumn;
using varnok::testing::TIfxRowsDataSet;

namespace {

constexpr int kDec16_2 = PRECMAKE(16, 2);

class NativeFields : public StandInValues {
protected:
    TIfxFieldTypes natives;
    TIfxFieldTypes plain;
    void SetUp() override {
        StandInValues::SetUp();
        natives.SetAllNative(true);
    }
};

}  // namespace

TEST_F(NativeFields, Decimal16_2KeepsEveryDigitOnlyWhenNative) {
    const std::vector<TColumn> columns = {{"amount", SQLDECIMAL, kDec16_2}};
    TIfxRowsDataSet native(lib(), natives, columns, {{"99999999999999.99"}});
    native.Open();
    TField& exact = native.FieldByName("amount");
    ASSERT_NE(dynamic_cast<TIfxDecimalField*>(&exact), nullptr);
    EXPECT_EQ(exact.DataType(), TFieldType::ftBCD);
    EXPECT_EQ(exact.Size(), 16 * 256 + 2);
    EXPECT_EQ(exact.DisplayText(), "99999999999999.99");
    EXPECT_EQ(dynamic_cast<TIfxDecimalField&>(exact).Precision(), 16);
    EXPECT_EQ(dynamic_cast<TIfxDecimalField&>(exact).Scale(), 2);

    TIfxRowsDataSet ordinary(lib(), plain, columns, {{"99999999999999.99"}});
    ordinary.Open();
    TField& approx = ordinary.FieldByName("amount");
    EXPECT_NE(dynamic_cast<TFloatField*>(&approx), nullptr);
    EXPECT_EQ(approx.DataType(), TFieldType::ftFloat);
    EXPECT_NEAR(approx.AsFloat(), 99999999999999.99, 0.02);
    EXPECT_NE(approx.DisplayText(), "99999999999999.99");   // a double cannot carry it
}

TEST_F(NativeFields, MoneyShowsThroughTheDefaultFormats) {
    TIfxRowsDataSet ds(lib(), natives, {{"price", SQLMONEY, kDec16_2}}, {{"1234.5"}, {""}});
    ds.Open();
    auto* money = dynamic_cast<TIfxMoneyField*>(&ds.FieldByName("price"));
    ASSERT_NE(money, nullptr);
    EXPECT_EQ(money->DisplayFormat(), "$<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.## @");
    EXPECT_EQ(money->EditFormat(), "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.##");
    EXPECT_EQ(money->DisplayText(), "$1234.50");
    EXPECT_EQ(money->EditText(), "1234.50");
    EXPECT_EQ(money->AsString(), "1234.5");
    EXPECT_EQ(money->Alignment(), TAlignment::taRightJustify);
    ds.Next();
    EXPECT_EQ(money->DisplayText(), "");
    EXPECT_TRUE(money->IsNull());
}

TEST_F(NativeFields, DateOneShowsAsNineteenHundred) {
    TIfxRowsDataSet native(lib(), natives, {{"d", SQLDATE, 4}}, {{"01/01/1900"}});
    native.Open();
    auto* date = dynamic_cast<TIfxDateField*>(&native.FieldByName("d"));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->Value().AsDate(), 1);
    date->SetDisplayFormat("yyyy-mm-dd");
    EXPECT_EQ(date->DisplayText(), "1900-01-01");
    date->SetDisplayFormat("");
    char expected[32] = {};
    lib().rdatestr(1, expected);
    EXPECT_EQ(date->DisplayText(), expected);

    TIfxRowsDataSet ordinary(lib(), plain, {{"d", SQLDATE, 4}}, {{"01/01/1900"}});
    ordinary.Open();
    EXPECT_EQ(ordinary.FieldByName("d").AsString(), "1900-01-01");
    EXPECT_DOUBLE_EQ(ordinary.FieldByName("d").AsDateTime(), EncodeDateTime(1900, 1, 1));
}

TEST_F(NativeFields, DateTimeFieldsTakeTheirUnitsFromTheQualifier) {
    struct Case {
        int qualifier;
        TIfxTimeUnit first, last;
        const char* text;
    };
    for (const Case& c : {Case{TU_DTENCODE(TU_HOUR, TU_SECOND), TIfxTimeUnit::tuHour, TIfxTimeUnit::tuSecond, "10:11:12"},
                          Case{TU_DTENCODE(TU_YEAR, TU_DAY), TIfxTimeUnit::tuYear, TIfxTimeUnit::tuDay, "2024-05-06"},
                          Case{TU_DTENCODE(TU_YEAR, TU_F3), TIfxTimeUnit::tuYear, TIfxTimeUnit::tuFrac3,
                               "2024-05-06 10:11:12.345"}}) {
        TIfxRowsDataSet ds(lib(), natives, {{"t", SQLDTIME, c.qualifier}}, {{c.text}});
        ds.Open();
        auto* field = dynamic_cast<TIfxDateTimeField*>(&ds.FieldByName("t"));
        ASSERT_NE(field, nullptr) << c.text;
        EXPECT_EQ(field->FirstUnit(), c.first) << c.text;
        EXPECT_EQ(field->LastUnit(), c.last) << c.text;
        EXPECT_EQ(field->DisplayText(), c.text);
    }
}

TEST_F(NativeFields, IntervalIsATwentyFiveCharacterStringField) {
    const int qualifier = TU_IENCODE(3, TU_DAY, TU_SECOND);
    for (TIfxFieldTypes* types : {&natives, &plain}) {
        TIfxRowsDataSet ds(lib(), *types, {{"i", SQLINTERVAL, qualifier}}, {{"12 01:02:03"}});
        ds.Open();
        TField& field = ds.FieldByName("i");
        EXPECT_EQ(field.DataType(), TFieldType::ftString);
        EXPECT_EQ(field.Size(), 25);
        EXPECT_NE(field.AsString().find("12 01:02:03"), std::string::npos) << field.AsString();
    }
}

TEST_F(NativeFields, BooleanShowsTOrEmpty) {
    for (TIfxFieldTypes* types : {&natives, &plain}) {
        TIfxRowsDataSet ds(lib(), *types, {{"b", SQLBOOL, 1}}, {{"t"}, {""}, {"f"}});
        ds.Open();
        EXPECT_EQ(ds.FieldByName("b").DisplayText(), "t");
        EXPECT_TRUE(ds.FieldByName("b").AsBoolean());
        ds.Next();
        EXPECT_EQ(ds.FieldByName("b").DisplayText(), "");
        ds.Next();
        EXPECT_EQ(ds.FieldByName("b").DisplayText(), "f");
    }
}

TEST_F(NativeFields, TrimStringsCutsTrailingBlanksOfCharColumns) {
    struct Case {
        TIfxFieldTypes* types;
        bool trim;
        const char* expected;
    };
    for (const Case& c : {Case{&natives, true, "ab"}, Case{&natives, false, "ab        "}, Case{&plain, true, "ab"},
                          Case{&plain, false, "ab        "}}) {
        // A CHAR(10) value arrives blank-padded, as the library delivers it.
        TIfxRowsDataSet ds(lib(), *c.types, {{"c", SQLCHAR, 10}}, {{"ab        "}});
        ds.trimStrings = c.trim;
        ds.Open();
        EXPECT_EQ(ds.FieldByName("c").AsString(), c.expected) << "trim " << c.trim << " native " << (c.types == &natives);
        EXPECT_EQ(ds.FieldByName("c").Size(), 10);
    }
}

TEST_F(NativeFields, NativeSwitchesPickTheClasses) {
    const std::vector<TColumn> columns = {
        {"c", SQLCHAR, 5}, {"v", SQLVCHAR, 20}, {"s", SQLSMINT, 2}, {"i", SQLINT, 4}, {"f", SQLFLOAT, 8},
        {"i8", SQLINT8, 10}, {"d", SQLDATE, 4}, {"b", SQLUDTFIXED, 72, XID_BLOB}, {"k", SQLUDTFIXED, 72, XID_CLOB}};
    TIfxRowsDataSet ds(lib(), natives, columns, {});
    ds.Open();
    EXPECT_NE(dynamic_cast<TIfxCharField*>(&ds.FieldByName("c")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxVarCharField*>(&ds.FieldByName("v")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxSmallIntField*>(&ds.FieldByName("s")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxIntegerField*>(&ds.FieldByName("i")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxFloatField*>(&ds.FieldByName("f")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxInt8Field*>(&ds.FieldByName("i8")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxDateField*>(&ds.FieldByName("d")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxBlobField*>(&ds.FieldByName("b")), nullptr);
    EXPECT_NE(dynamic_cast<TIfxClobField*>(&ds.FieldByName("k")), nullptr);

    TIfxRowsDataSet ordinary(lib(), plain, columns, {});
    ordinary.Open();
    for (int i = 0; i < ordinary.FieldCount(); ++i)
        EXPECT_EQ(dynamic_cast<TIfxNativeField*>(&ordinary.Field(i)), nullptr) << ordinary.Field(i).FieldName();
    EXPECT_EQ(ordinary.FindField("b"), nullptr);   // smart blobs have no ordinary field class
}

TEST_F(NativeFields, LargeObjectCaptions) {
    TIfxRowsDataSet ds(lib(), natives, {{"photo", SQLUDTFIXED, 72, XID_BLOB}, {"memo", SQLUDTFIXED, 72, XID_CLOB}}, {});
    ds.Open();
    // Empty data set: the value is null.
    EXPECT_EQ(ds.FieldByName("photo").DisplayText(), "(IfxBlob)");
    EXPECT_EQ(ds.FieldByName("memo").DisplayText(), "(IfxClob)");
    ds.Insert();
    // A handle arrives: the row's indicator says "not null".
    TField& photo = ds.FieldByName("photo");
    *reinterpret_cast<int2*>(photo.BufferIn(ds.ActiveArea(photo))) = 0;
    EXPECT_EQ(photo.DisplayText(), "(IFXBLOB)");
    EXPECT_EQ(ds.FieldByName("memo").DisplayText(), "(IfxClob)");
}

TEST_F(NativeFields, TextAndByteColumnsBecomeBlobFieldsWithTheirBytes) {
    const std::string bytes("a\0b\nc", 5);
    for (TIfxFieldTypes* types : {&natives, &plain}) {
        TIfxRowsDataSet ds(lib(), *types, {{"t", SQLTEXT, 56}, {"b", SQLBYTES, 56}}, {{bytes, "xyz"}, {"", ""}});
        ds.Open();
        EXPECT_EQ(ds.FieldByName("t").DataType(), TFieldType::ftMemo);
        EXPECT_EQ(ds.FieldByName("b").DataType(), TFieldType::ftBlob);
        EXPECT_EQ(ds.FieldByName("t").AsString(), bytes);
        EXPECT_EQ(ds.FieldByName("b").AsString(), "xyz");
        ds.Next();
        EXPECT_TRUE(ds.FieldByName("t").IsNull());
    }
}

TEST_F(NativeFields, EditingWritesTheLibraryValueInPlace) {
    TIfxRowsDataSet ds(lib(), natives, {{"amount", SQLDECIMAL, kDec16_2}, {"d", SQLDATE, 4}}, {{"1.5", "01/02/2000"}});
    ds.Open();
    TField& amount = ds.FieldByName("amount");
    ds.Edit();
    amount.SetAsString("12345678901234.56");
    EXPECT_EQ(amount.AsString(), "12345678901234.56");
    EXPECT_THROW(amount.SetAsString("12,x"), EIfxError);
    EXPECT_EQ(amount.AsString(), "12345678901234.56");   // a refused text loses nothing
    ds.Cancel();
    EXPECT_EQ(amount.AsString(), "1.5");
    ds.Edit();
    amount.Clear();
    EXPECT_TRUE(amount.IsNull());
    ds.FieldByName("d").SetAsDateTime(EncodeDateTime(2001, 2, 3));
    ds.Post();
    EXPECT_TRUE(amount.IsNull());
    EXPECT_EQ(ds.FieldByName("d").AsDateTime(), EncodeDateTime(2001, 2, 3));
}

TEST_F(NativeFields, TextNeverRaisesButConversionsDo) {
    TIfxRowsDataSet ds(lib(), natives, {{"d", SQLDATE, 4}}, {{"01/02/2000"}});
    ds.Open();
    auto& date = dynamic_cast<TIfxDateField&>(ds.FieldByName("d"));
    // A day number no calendar date has: the library refuses to show it (-1210).
    const int4 farAway = 2000000000;
    ds.Edit();
    std::memcpy(date.Value().Data(), &farAway, sizeof farAway);   // the edit copy's buffer, in place
    std::string direct;
    try {
        (void)date.Value().AsString();
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -1210);
        direct = e.what();
    }
    ASSERT_FALSE(direct.empty());
    EXPECT_EQ(date.DisplayText(), direct);   // shown, not raised
    date.SetDisplayFormat("yyyy-mm-dd");
    EXPECT_NE(date.DisplayText().find("-1210"), std::string::npos);
    try {
        (void)date.AsBoolean();
        FAIL();
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Invalid data conversion 'Boolean'");
    }
}

TEST_F(NativeFields, FieldChecksAtDesign) {
    TFieldDef def;
    def.name = "x";
    def.kind = TFieldType::ftBCD;
    def.sqlType = SQLDECIMAL;
    def.sqlLen = kDec16_2;
    TIfxDecimalField decimal(lib(), def);
    struct Case {
        std::function<void()> run;
        const char* text;
    };
    def.kind = TFieldType::ftString;
    def.sqlType = SQLCHAR;
    def.sqlLen = 4;
    def.size = 4;
    TIfxCharField text(lib(), def);
    def.kind = TFieldType::ftDateTime;
    def.sqlType = SQLDTIME;
    def.sqlLen = TU_DTENCODE(TU_HOUR, TU_SECOND);
    TIfxDateTimeField time(lib(), def);
    const Case cases[] = {
        {[&] { decimal.SetPrecision(0); }, "Invalid field precision 0"},
        {[&] { decimal.SetPrecision(33); }, "Invalid field precision 33"},
        {[&] { decimal.SetScale(17); }, "Invalid field scale 17"},
        {[&] { decimal.SetScale(-1); }, "Invalid field scale -1"},
        {[&] { text.SetSize(0); }, "Invalid field size"},
        {[&] { time.SetFirstUnit(static_cast<TIfxTimeUnit>(11)); }, "Invalid field time unit"},
        {[&] { time.SetFirstUnit(TIfxTimeUnit::tuFrac1); }, "First time unit cannot be lower then last"},
        {[&] { time.SetLastUnit(TIfxTimeUnit::tuDay); }, "First time unit cannot be lower then last"},
    };
    for (const Case& c : cases) {
        try {
            c.run();
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const EIfxAccessError& e) {
            EXPECT_STREQ(e.what(), c.text);
        }
    }
    decimal.SetScale(DECFLOATSCALE);   // a floating decimal is allowed
    EXPECT_EQ(decimal.Scale(), 255);
    EXPECT_EQ(time.FirstUnit(), TIfxTimeUnit::tuHour);   // refused changes keep the units
    EXPECT_EQ(text.Size(), 4);
}

TEST(TimeUnits, CodesBothWays) {
    const std::pair<TIfxTimeUnit, int> table[] = {
        {TIfxTimeUnit::tuYear, TU_YEAR},   {TIfxTimeUnit::tuMonth, TU_MONTH},   {TIfxTimeUnit::tuDay, TU_DAY},
        {TIfxTimeUnit::tuHour, TU_HOUR},   {TIfxTimeUnit::tuMinute, TU_MINUTE}, {TIfxTimeUnit::tuSecond, TU_SECOND},
        {TIfxTimeUnit::tuFrac1, TU_F1},    {TIfxTimeUnit::tuFrac3, TU_F3},      {TIfxTimeUnit::tuFrac5, TU_F5}};
    for (auto [unit, code] : table) {
        EXPECT_EQ(TimeUnitCode(unit), code);
        EXPECT_EQ(TimeUnitOfCode(code), unit);
    }
}
