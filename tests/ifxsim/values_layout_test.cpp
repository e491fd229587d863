// The public layouts must match the published LP64 offsets and sizes, or the
// access layer would read the library's structures wrongly.
#include "ifxesqlc.h"

#include <gtest/gtest.h>

#include <cstddef>

static_assert(sizeof(ifx_sqlca_t) == 116);
static_assert(offsetof(ifx_sqlca_t, sqlerrm) == 4 && offsetof(ifx_sqlca_t, sqlerrp) == 76);
static_assert(offsetof(ifx_sqlca_t, sqlerrd) == 84 && offsetof(ifx_sqlca_t, sqlwarn) == 108);
static_assert(sizeof(ifx_sqlvar_t) == 120);
static_assert(offsetof(ifx_sqlvar_t, sqllen) == 4 && offsetof(ifx_sqlvar_t, sqldata) == 8);
static_assert(offsetof(ifx_sqlvar_t, sqlind) == 16 && offsetof(ifx_sqlvar_t, sqlname) == 24);
static_assert(offsetof(ifx_sqlvar_t, sqlitype) == 40 && offsetof(ifx_sqlvar_t, sqlidata) == 48);
static_assert(offsetof(ifx_sqlvar_t, sqlxid) == 56 && offsetof(ifx_sqlvar_t, sqltypename) == 64);
static_assert(offsetof(ifx_sqlvar_t, sqlsourcetype) == 76 && offsetof(ifx_sqlvar_t, sqlownername) == 80);
static_assert(offsetof(ifx_sqlvar_t, sqlsourceid) == 88 && offsetof(ifx_sqlvar_t, sqlilongdata) == 96);
static_assert(offsetof(ifx_sqlvar_t, sqlflags) == 104 && offsetof(ifx_sqlvar_t, sqlreserved) == 112);
static_assert(sizeof(ifx_sqlda_t) == 56);
static_assert(offsetof(ifx_sqlda_t, sqlvar) == 8 && offsetof(ifx_sqlda_t, desc_name) == 16);
static_assert(offsetof(ifx_sqlda_t, desc_occ) == 36 && offsetof(ifx_sqlda_t, desc_next) == 40);
static_assert(offsetof(ifx_sqlda_t, reserved) == 48);
static_assert(sizeof(dec_t) == 22 && sizeof(dtime_t) == 24 && sizeof(intrvl_t) == 24);
static_assert(sizeof(ifx_int8_t) == 12);
static_assert(sizeof(loc_t) == 112 && offsetof(loc_t, loc_indicator) == 40);
static_assert(offsetof(loc_t, loc_type) == 44 && offsetof(loc_t, loc_size) == 48);
static_assert(sizeof(ifx_srvinfo_t) == 108 && offsetof(ifx_srvinfo_t, ProdVersion) == 24);
static_assert(sizeof(ifx_lo_t) == 72);

TEST(ValuesLayout, QualifierMacrosGiveThePublishedCodes) {
    struct Case {
        int qualifier;
        int expected;
    } cases[] = {
        {TU_DTENCODE(TU_YEAR, TU_SECOND), 3594}, {TU_DTENCODE(TU_YEAR, TU_MINUTE), 3080},
        {TU_DTENCODE(TU_YEAR, TU_DAY), 2052},    {TU_DTENCODE(TU_YEAR, TU_F5), 4879},
        {TU_DTENCODE(TU_HOUR, TU_SECOND), 1642}, {TU_IENCODE(3, TU_DAY, TU_SECOND), 2378},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.qualifier, c.expected);
    EXPECT_EQ(TU_START(4879), TU_YEAR);
    EXPECT_EQ(TU_END(4879), TU_F5);
    EXPECT_EQ(TU_FLEN(2378), 3);
    EXPECT_EQ(TU_FIELDNO(TU_F3), 8);
    EXPECT_EQ(PRECMAKE(8, 2), 8 * 256 + 2);
    EXPECT_EQ(DECLENGTH(PRECMAKE(16, 2)), 9);
}

TEST(ValuesLayout, TypeNamesAreLowerCase) {
    struct Case {
        int type;
        const char *name;
    } cases[] = {{SQLCHAR, "char"},         {SQLINT, "integer"},       {SQLDECIMAL, "decimal"},
                 {SQLDTIME, "datetime"},    {SQLINTERVAL, "interval"}, {SQLINT8, "int8"},
                 {SQLVCHAR, "varchar"},     {SQLLVARCHAR, "lvarchar"}, {SQLBOOL, "boolean"},
                 {SQLINFXBIGINT, "bigint"}, {SQLSERIAL8, "serial8"},   {SQLSMFLOAT, "smallfloat"}};
    for (const Case &c : cases)
        EXPECT_STREQ(rtypname(c.type), c.name) << c.type;
    // The NOT NULL flag does not change the name.
    EXPECT_STREQ(rtypname(SQLINT | SQLNONULL), "integer");
    EXPECT_STREQ(rtypname(200), "");
}
