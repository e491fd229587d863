// Field definitions from described columns: kind, size, precision, required,
// and unique names.
#include <gtest/gtest.h>

#include "dbaccess/IfxFieldTypes.h"
#include "ifxesqlc.h"

using namespace varnok;
using F = TFieldType;

namespace {

struct TKindCase {
    const char* what;
    int sqlType, sqlLen, xid;
    bool native;   // all four switches
    F kind;
    int size, precision;
    bool required;
};

constexpr int kDec16_2 = PRECMAKE(16, 2);

// DATETIME kinds are told apart by giving the three properties different kinds.
TIfxFieldTypes& TypesUnderTest(bool native) {
    static TIfxFieldTypes plain, natives;
    TIfxFieldTypes& t = native ? natives : plain;
    t.SetAllNative(native);
    t.SetKind(TIfxTypeProperty::TypeDateTimeOnlyTime, F::ftTime);
    t.SetKind(TIfxTypeProperty::TypeDateTimeOnlyDate, F::ftDate);
    t.SetKind(TIfxTypeProperty::TypeDateTimeFull, F::ftDateTime);
    return t;
}

}  // namespace

class FieldDefinitions : public ::testing::TestWithParam<TKindCase> {};

TEST_P(FieldDefinitions, KindSizePrecisionRequired) {
    const TKindCase& c = GetParam();
    TFieldDefs defs;
    const TFieldDef& def = TypesUnderTest(c.native).AddFieldDef(defs, 1, c.xid, c.sqlLen, c.sqlType, "col");
    EXPECT_EQ(def.kind, c.kind) << FieldTypeName(def.kind);
    EXPECT_EQ(def.size, c.size);
    EXPECT_EQ(def.precision, c.precision);
    EXPECT_EQ(def.required, c.required);
    EXPECT_EQ(def.fieldNo, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, FieldDefinitions,
    ::testing::Values(
        TKindCase{"decimal16_2", SQLDECIMAL, kDec16_2, 0, false, F::ftFloat, 0, 0, false},
        TKindCase{"decimal16_2_native", SQLDECIMAL, kDec16_2, 0, true, F::ftBCD, kDec16_2, 16, false},
        TKindCase{"money_plain", SQLMONEY, kDec16_2, 0, false, F::ftCurrency, 0, 0, false},
        TKindCase{"money_native", SQLMONEY, kDec16_2, 0, true, F::ftCurrency, kDec16_2, 0, false},
        TKindCase{"hour_to_second", SQLDTIME, TU_DTENCODE(TU_HOUR, TU_SECOND), 0, false, F::ftTime, 0, 0, false},
        TKindCase{"year_to_day", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_DAY), 0, false, F::ftDate, 0, 0, false},
        TKindCase{"year_to_fraction3", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_F3), 0, false, F::ftDateTime, 0, 0, false},
        TKindCase{"year_to_fraction3_native", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_F3), 0, true, F::ftDateTime,
                  TU_DTENCODE(TU_YEAR, TU_F3), 0, false},
        TKindCase{"day_to_hour", SQLDTIME, TU_DTENCODE(TU_DAY, TU_HOUR), 0, false, F::ftDateTime, 0, 0, false},
        TKindCase{"interval", SQLINTERVAL, TU_IENCODE(3, TU_DAY, TU_SECOND), 0, false, F::ftString, 25, 0, false},
        TKindCase{"char10_not_null", SQLCHAR | SQLNONULL, 10, 0, false, F::ftFixedChar, 10, 0, true},
        TKindCase{"varchar40_10", SQLVCHAR, (10 << 8) | 40, 0, false, F::ftString, 40, 0, false},
        TKindCase{"nchar", SQLNCHAR, 8, 0, false, F::ftFixedChar, 8, 0, false},
        TKindCase{"lvarchar", SQLLVARCHAR, 500, 0, false, F::ftString, 500, 0, false},
        TKindCase{"lvarchar_by_xid", SQLUDTVAR, 300, XID_LVARCHAR, false, F::ftString, 300, 0, false},
        TKindCase{"serial_not_null", SQLSERIAL | SQLNONULL, 4, 0, false, F::ftInteger, 0, 0, false},
        TKindCase{"serial8_not_null", SQLSERIAL8 | SQLNONULL, 10, 0, false, F::ftLargeint, 0, 0, false},
        TKindCase{"int_not_null", SQLINT | SQLNONULL, 4, 0, false, F::ftInteger, 0, 0, true},
        TKindCase{"boolean", SQLBOOL, 1, 0, false, F::ftBoolean, 0, 0, false},
        TKindCase{"boolean_by_xid", SQLUDTFIXED, 1, XID_BOOLEAN, false, F::ftBoolean, 0, 0, false},
        TKindCase{"blob", SQLUDTFIXED, 72, XID_BLOB, false, F::ftSmartBlob, 0, 0, false},
        TKindCase{"clob", SQLUDTFIXED, 72, XID_CLOB, false, F::ftSmartClob, 0, 0, false},
        TKindCase{"byte", SQLBYTES, 56, 0, false, F::ftBlob, 0, 0, false},
        TKindCase{"text", SQLTEXT, 56, 0, false, F::ftMemo, 0, 0, false},
        TKindCase{"set", SQLSET, 100, 0, false, F::ftTypedBinary, 0, 0, false},
        TKindCase{"udt", SQLUDTVAR, 100, 2050, false, F::ftTypedBinary, 0, 0, false},
        TKindCase{"opaque_holder", 124, 0, 0, false, F::ftTypedBinary, 0, 0, false},
        TKindCase{"null_type", SQLNULL, 0, 0, false, F::ftUnknown, 0, 0, false},
        TKindCase{"bigint", SQLINFXBIGINT, 8, 0, false, F::ftLargeint, 0, 0, false},
        TKindCase{"bigint_not_null", SQLINFXBIGINT | SQLNONULL, 8, 0, true, F::ftLargeint, 0, 0, true},
        TKindCase{"bigserial_not_null", SQLBIGSERIAL | SQLNONULL, 8, 0, false, F::ftLargeint, 0, 0, false},
        TKindCase{"unknown_beyond_table", SQLUNKNOWN, 8, 0, false, F::ftUnknown, 0, 0, false},
        TKindCase{"date", SQLDATE, 4, 0, false, F::ftDate, 0, 0, false},
        TKindCase{"smallfloat", SQLSMFLOAT, 4, 0, false, F::ftFloat, 0, 0, false}),
    [](const ::testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.what); });

TEST(FieldDefinitionsBcd, NonNativeDecimalsGetPrecisionAndScale) {
    TIfxFieldTypes types;
    types.SetKind(TIfxTypeProperty::TypeDecimal, F::ftBCD);
    TFieldDefs defs;
    const TFieldDef& floating = types.AddFieldDef(defs, 1, 0, PRECMAKE(32, 255), SQLDECIMAL, "f");
    EXPECT_EQ(floating.precision, 64);
    EXPECT_EQ(floating.size, 32);
    const TFieldDef& fixed = types.AddFieldDef(defs, 2, 0, PRECMAKE(10, 3), SQLDECIMAL, "d");
    EXPECT_EQ(fixed.precision, 10);
    EXPECT_EQ(fixed.size, 3);
}

TEST(FieldDefinitionsNames, DuplicatesAreNumbered) {
    TIfxFieldTypes types;
    TFieldDefs defs;
    for (const char* name : {"a_1", "a", "a", "A", "b"}) types.AddFieldDef(defs, defs.Count() + 1, 0, 4, SQLINT, name);
    std::vector<std::string> names;
    for (const TFieldDef& d : defs) names.push_back(d.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a_1", "a", "a_2", "A_3", "b"}));
}

TEST(FieldTypesTable, FortyNineEntriesByCode) {
    TIfxFieldTypes types;
    int known = 0, typedBinary = 0;
    for (int code = 0; code < kIfxKindTableSize; ++code) {
        const F kind = types.TableKind(code);
        if (kind != F::ftUnknown) ++known;
        if (kind == F::ftTypedBinary) ++typedBinary;
    }
    // 0–8, 10–23, 40, 41, 43, 45: every listed code has a kind.
    EXPECT_EQ(known, 9 + 14 + 2 + 2);
    EXPECT_EQ(typedBinary, 7);   // 19–23, 40, 41
    EXPECT_EQ(types.TableKind(SQLNULL), F::ftUnknown);
    EXPECT_EQ(types.TableKind(SQLREFSER8), F::ftUnknown);
    types.SetKind(TIfxTypeProperty::TypeVarChar, F::ftWideString);
    EXPECT_EQ(types.TableKind(SQLVCHAR), F::ftWideString);
    EXPECT_EQ(types.ColumnKind(kIfxOpaqueHolderType, 0, 0), types.Kind(TIfxTypeProperty::TypeOpaque));
    // BIGINT and BIGSERIAL lie beyond the table and follow the INT8 and SERIAL8 properties.
    EXPECT_EQ(types.TableKind(SQLINFXBIGINT), F::ftUnknown);
    types.SetKind(TIfxTypeProperty::TypeInt8, F::ftString);
    types.SetKind(TIfxTypeProperty::TypeSerial8, F::ftFloat);
    EXPECT_EQ(types.ColumnKind(SQLINFXBIGINT, 8, 0), F::ftString);
    EXPECT_EQ(types.ColumnKind(SQLBIGSERIAL | SQLNONULL, 8, 0), F::ftFloat);
}

TEST(FieldTypesTable, DefaultsAreSwitchedOffAndShared) {
    TIfxFieldTypes& d = DefaultIfxFieldTypes();
    EXPECT_FALSE(d.NativeCharacter || d.NativeNumeric || d.NativeTime || d.NativeSmartLob);
    EXPECT_EQ(&d, &DefaultIfxFieldTypes());
    EXPECT_EQ(d.ClassName(), "TIfxFieldTypes");
}
