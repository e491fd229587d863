// Every Informix column type: what DESCRIBE reports (type code with the NOT
// NULL bit, length or qualifier, extended id) and what comes back from FETCH,
// read with the library's own conversion routines.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

struct ColumnCase {
    const char* declaration;  // column type as written in CREATE TABLE
    int sqltype;              // expected type code, NOT NULL bit included
    int sqllen;
    int xid;
};

inline void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.declaration; }

// A decimal text as the library's own routines render it (deccvasc, then dectoasc).
std::string DecText(const std::string& text) {
    std::string copy = text;
    dec_t dec{};
    EXPECT_EQ(deccvasc(copy.data(), static_cast<mint>(copy.size()), &dec), 0);
    char buf[130] = {};
    EXPECT_EQ(dectoasc(&dec, buf, 127, -1), 0);
    std::string out(buf);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

const ColumnCase kColumns[] = {
    {"CHAR(5) NOT NULL", SQLCHAR | SQLNONULL, 5, 0},
    {"CHARACTER(12)", SQLCHAR, 12, 0},
    {"NCHAR(4)", SQLNCHAR, 4, 0},
    {"VARCHAR(10,2)", SQLVCHAR, 2 * 256 + 10, 0},
    {"CHARACTER VARYING(30)", SQLVCHAR, 30, 0},
    {"NVARCHAR(20)", SQLNVCHAR, 20, 0},
    {"LVARCHAR(300)", SQLLVARCHAR, 300, XID_LVARCHAR},
    {"LVARCHAR", SQLLVARCHAR, 2048, XID_LVARCHAR},
    {"SMALLINT", SQLSMINT, 2, 0},
    {"INTEGER NOT NULL", SQLINT | SQLNONULL, 4, 0},
    {"INT", SQLINT, 4, 0},
    {"INT8", SQLINT8, 10, 0},
    {"BIGINT", SQLINFXBIGINT, 8, 0},
    {"SERIAL", SQLSERIAL | SQLNONULL, 4, 0},
    {"FLOAT", SQLFLOAT, 8, 0},
    {"DOUBLE PRECISION", SQLFLOAT, 8, 0},
    {"SMALLFLOAT", SQLSMFLOAT, 4, 0},
    {"REAL", SQLSMFLOAT, 4, 0},
    {"DECIMAL(8,2) NOT NULL", SQLDECIMAL | SQLNONULL, 8 * 256 + 2, 0},
    {"DECIMAL(10)", SQLDECIMAL, 10 * 256 + 255, 0},
    {"DECIMAL", SQLDECIMAL, 16 * 256 + 255, 0},
    {"NUMERIC(12,4)", SQLDECIMAL, 12 * 256 + 4, 0},
    {"MONEY(8,2)", SQLMONEY, 8 * 256 + 2, 0},
    {"MONEY", SQLMONEY, 16 * 256 + 2, 0},
    {"DATE", SQLDATE, 4, 0},
    {"DATETIME YEAR TO SECOND", SQLDTIME, 3594, 0},
    {"DATETIME YEAR TO MINUTE", SQLDTIME, 3080, 0},
    {"DATETIME YEAR TO DAY", SQLDTIME, 2052, 0},
    {"DATETIME YEAR TO FRACTION(5)", SQLDTIME, 4879, 0},
    {"DATETIME YEAR TO FRACTION", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_F3), 0},
    {"DATETIME HOUR TO SECOND", SQLDTIME, 1642, 0},
    {"INTERVAL DAY(3) TO SECOND", SQLINTERVAL, 2378, 0},
    {"INTERVAL YEAR TO MONTH", SQLINTERVAL, TU_IENCODE(4, TU_YEAR, TU_MONTH), 0},
    {"INTERVAL MINUTE(3) TO MINUTE", SQLINTERVAL, TU_IENCODE(3, TU_MINUTE, TU_MINUTE), 0},
    {"BOOLEAN", SQLBOOL, 1, XID_BOOLEAN},
    {"BYTE", SQLBYTES, 56, 0},
    {"TEXT", SQLTEXT, 56, 0},
    {"BLOB", SQLUDTFIXED, 72, XID_BLOB},
    {"CLOB", SQLUDTFIXED, 72, XID_CLOB},
};

class ColumnTypes : public StmtFixture, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(ColumnTypes, DescribeGivesCodeLengthAndExtendedId) {
    const ColumnCase& c = GetParam();
    ASSERT_EQ(Exec(std::string("create table typed (Col ") + c.declaration + ")"), 0) << c.declaration << " " << Errm();
    Prepared p("select col from typed");
    ASSERT_NE(p.described(), nullptr) << Errm();
    ASSERT_EQ(p.described()->sqld, 1);
    const ifx_sqlvar_t& v = p.described()->sqlvar[0];
    EXPECT_EQ(v.sqltype, c.sqltype) << c.declaration;
    EXPECT_EQ(v.sqllen, c.sqllen) << c.declaration;
    EXPECT_EQ(v.sqlxid, c.xid) << c.declaration;
    EXPECT_STREQ(v.sqlname, "col");  // unquoted names fold to lower case
}

INSTANTIATE_TEST_SUITE_P(EveryType, ColumnTypes, ::testing::ValuesIn(kColumns));

TEST_F(StmtFixture, BadTypesAreSyntaxErrorsAtTheType) {
    const struct { const char* sql; int offset; } cases[] = {
        {"create table bad (a DECIMAL(40,2))", 20},
        {"create table bad (a DATETIME SECOND TO YEAR)", 20},
        {"create table bad (a WIDGET)", 20},
        {"create table bad (a VARCHAR(300))", 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Exec(c.sql), -201) << c.sql;
        EXPECT_EQ(Ca().sqlerrd[4], c.offset) << c.sql;
    }
}

// Values written as SQL literals come back in the library's representations.
TEST_F(StmtFixture, LiteralValuesFetchAsInformixShowsThem) {
    ASSERT_EQ(Exec("create table vals (c_char char(5), c_vc varchar(10), c_nchar nchar(3), c_lv lvarchar(40), "
                   "c_small smallint, c_int integer, c_int8 int8, c_big bigint, c_float float, "
                   "c_sfloat smallfloat, c_dec decimal(8,2), c_decf decimal(16), c_money money(10,2), "
                   "c_date date, c_dt datetime year to second, c_dth datetime hour to minute, "
                   "c_iv interval day(3) to second, c_ivym interval year to month, c_bool boolean)"),
              0) << Errm();
    ASSERT_EQ(Exec("insert into vals values ('ab', \"xyz\", 'n', 'long text', -32767, 2147483647, "
                   "9223372036854775807, -9223372036854775807, 1.25, 2.5, 12.5, 3.14159, 1234.5, "
                   "'01/15/2024', '2024-01-02 10:11:12', '23:59', '5 10:11:12', '2-11', 't')"),
              0) << Errm();
    ASSERT_EQ(Exec("insert into vals (c_int) values (null)"), 0) << Errm();
    const auto rows = Query("select * from vals order by c_int desc");
    ASSERT_EQ(rows.size(), 2u);
    const std::vector<std::string> expected = {
        "ab   ", "xyz", "n  ", "long text", "-32767", "2147483647", "9223372036854775807",
        "-9223372036854775807", "1.25", "2.5", DecText("12.50"), "3.14159", DecText("1234.50"), "01/15/2024",
        "2024-01-02 10:11:12", "23:59", "  5 10:11:12", "   2-11", "t"};
    EXPECT_EQ(rows[0], expected);
    for (const auto& value : rows[1]) EXPECT_EQ(value, "<null>");
}

// Values sent as parameters in the library's representations come back unchanged.
TEST_F(StmtFixture, ParameterValuesRoundTripThroughEveryRepresentation) {
    ASSERT_EQ(Exec("create table pv (c_dec decimal(30,10), c_date date, c_dt datetime year to fraction(3), "
                   "c_iv interval hour to second, c_int8 int8, c_bool boolean, c_byte byte, c_text text, "
                   "c_char char(4))"),
              0) << Errm();
    Params params;
    params.decimal("12345678901234.0123456789")
        .date("02/29/2024")
        .datetime("2024-02-29 23:59:58.123", TU_DTENCODE(TU_YEAR, TU_F3))
        .interval("-12:30:00", TU_IENCODE(2, TU_HOUR, TU_SECOND))
        .int8("-4611686018427387904")
        .boolean(false)
        .bytes(std::string("\x00\x01\xff", 3), SQLBYTES)
        .bytes("a text value", SQLTEXT)
        .text("wxyz");
    ASSERT_EQ(ExecWith("insert into pv values (?, ?, ?, ?, ?, ?, ?, ?, ?)", params), 0) << Errm();
    EXPECT_EQ(Ca().sqlerrd[2], 1);
    const auto rows = Query("select * from pv");
    ASSERT_EQ(rows.size(), 1u);
    const std::vector<std::string> expected = {"12345678901234.0123456789", "02/29/2024", "2024-02-29 23:59:58.123",
                                               "-12:30:00", "-4611686018427387904", "f",
                                               std::string("\x00\x01\xff", 3), "a text value", "wxyz"};
    EXPECT_EQ(rows[0], expected);
}

TEST_F(StmtFixture, NullParametersStoreNulls) {
    ASSERT_EQ(Exec("create table np (a integer, b decimal(5,1), c date)"), 0);
    Params params;
    params.null(SQLINT).null(SQLDECIMAL).null(SQLDATE);
    ASSERT_EQ(ExecWith("insert into np values (?, ?, ?)", params), 0) << Errm();
    const auto rows = Query("select a, b, c from np");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"<null>", "<null>", "<null>"}));
}

struct ExprCase {
    const char* expression;
    int sqltype;
    int sqllen;
    const char* name;
};

inline void PrintTo(const ExprCase& c, std::ostream* os) { *os << c.expression; }

class ExpressionTypes : public StmtFixture, public ::testing::WithParamInterface<ExprCase> {};

TEST_P(ExpressionTypes, ExpressionsAreTypedAndNamed) {
    const ExprCase& c = GetParam();
    ASSERT_EQ(Exec("create table e (i integer, d decimal(8,2), f float, s char(6))"), 0);
    Prepared p(std::string("select ") + c.expression + " from e");
    ASSERT_NE(p.described(), nullptr) << c.expression << " " << Errm();
    const ifx_sqlvar_t& v = p.described()->sqlvar[0];
    EXPECT_EQ(v.sqltype & SQLTYPE, c.sqltype) << c.expression;
    EXPECT_EQ(v.sqllen, c.sqllen) << c.expression;
    EXPECT_STREQ(v.sqlname, c.name) << c.expression;
}

const ExprCase kExpressions[] = {
    {"count(*)", SQLINT, 4, "(count(*))"},
    {"count(*) AS n", SQLINT, 4, "n"},
    {"sum(i)", SQLDECIMAL, 32 * 256 + 255, "(sum)"},
    {"avg(d) average", SQLDECIMAL, 32 * 256 + 255, "average"},
    {"max(d)", SQLDECIMAL, 8 * 256 + 2, "(max)"},
    {"min(s)", SQLCHAR, 6, "(min)"},
    {"i + 1", SQLDECIMAL, 32 * 256 + 255, "(expression)"},
    {"f * 2", SQLFLOAT, 8, "(expression)"},
    {"'abc'", SQLCHAR, 3, "(constant)"},
    {"42", SQLINT, 4, "(constant)"},
    {"today", SQLDATE, 4, "(constant)"},
    {"length(s)", SQLINT, 4, "(expression)"},
    {"e.d", SQLDECIMAL, 8 * 256 + 2, "d"},
};

INSTANTIATE_TEST_SUITE_P(SelectList, ExpressionTypes, ::testing::ValuesIn(kExpressions));

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// A column fetched through an opaque variable-length holder (code 124), as the
// access layer reads user-defined and collection types.
TEST_F(StmtFixture, HolderTypeReceivesTheValue) {
    ASSERT_EQ(Exec("create table h (v lvarchar(100))"), 0);
    ASSERT_EQ(Exec("insert into h values ('held value')"), 0);
    ASSERT_EQ(Exec("insert into h values (null)"), 0);
    Prepared p("select v from h order by v desc");
    ASSERT_NE(p.described(), nullptr);
    void* holder = nullptr;
    ASSERT_EQ(ifx_var_flag(&holder, 1), 0);
    int2 ind = 0;
    ifx_sqlvar_t& v = p.described()->sqlvar[0];
    v.sqltype = CLVCHARPTRTYPE;
    v.sqllen = 0;
    v.sqldata = reinterpret_cast<char*>(&holder);
    v.sqlind = &ind;
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "holder_cursor", CURS_LOCATE_NEWNAME);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0);
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0), 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), 0);
    EXPECT_EQ(ind, 0);
    EXPECT_EQ(ifx_var_getlen(&holder), 10);
    EXPECT_STREQ(static_cast<const char*>(ifx_var_getdata(&holder)), "held value");
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), 0);
    EXPECT_EQ(ind, -1);
    EXPECT_EQ(ifx_var_isnull(&holder), 1);
    sqli_curs_free(ESQLINTVERSION, cursor);
    v.sqldata = nullptr;
    v.sqlind = nullptr;
    ifx_var_freevar(&holder);
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// CREATE TABLE as Informix schema scripts write it: constraint names after
// the constraint, storage clauses, defaults of the temporal types.
TEST_F(StmtFixture, InformixTableDefinitionsAreAccepted) {
    const char* ddl[] = {
        "create table parent (id serial not null, code char(4) not null, primary key (id) constraint pk_parent, "
        "unique (code) constraint u_parent_code) in datadbs extent size 16 next size 16 lock mode row",
        "create table child (id integer, parent_id integer references parent (id) on delete cascade "
        "constraint fk_child, note text in table, amount money(12,2) default 0 not null, "
        "born date default today, stamp datetime year to second default current year to second, "
        "flag boolean default 't', check (amount >= 0) constraint ck_amount) fragment by round robin in dbs1, dbs2",
        "create distinct index child_ix on child (parent_id, id desc) using btree in idxdbs",
    };
    for (const char* sql : ddl) ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
    ASSERT_EQ(Exec("insert into parent (code) values ('A1')"), 0) << Errm();
    ASSERT_EQ(Exec("insert into child (id, parent_id) values (1, 1)"), 0) << Errm();
    const auto rows = Query("select amount, born = today, length(stamp), flag from child");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "0");
    EXPECT_EQ(rows[0][1], "1");
    EXPECT_EQ(rows[0][2], "19");  // YEAR TO SECOND: "YYYY-MM-DD hh:mm:ss"
    EXPECT_EQ(rows[0][3], "t");
    EXPECT_EQ(Exec("insert into child (id, parent_id, amount) values (2, 1, -5)"), -530);
    EXPECT_EQ(Exec("insert into parent (code) values ('A1')"), -268);
    EXPECT_EQ(Exec("delete from parent"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from child"), (std::vector<std::vector<std::string>>{{"0"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// A locator the library allocated for one row is reused or grown for the next.
TEST_F(StmtFixture, LibraryAllocatedLocatorGrowsAcrossFetches) {
    ASSERT_EQ(Exec("create table blobs (k integer, b byte)"), 0);
    const std::string small = "abc";
    const std::string large(5000, 'z');
    Params first;
    first.integer(1).bytes(small, SQLBYTES);
    ASSERT_EQ(ExecWith("insert into blobs values (?, ?)", first), 0) << Errm();
    Params second;
    second.integer(2).bytes(large, SQLBYTES);
    ASSERT_EQ(ExecWith("insert into blobs values (?, ?)", second), 0) << Errm();
    Prepared p("select b from blobs order by k");
    ASSERT_NE(p.described(), nullptr);
    loc_t loc{};
    loc.loc_loctype = LOCMEMORY;
    loc.loc_bufsize = -1;
    int2 ind = 0;
    ifx_sqlvar_t& v = p.described()->sqlvar[0];
    v.sqldata = reinterpret_cast<char*>(&loc);
    v.sqlind = &ind;
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "blob_cursor", CURS_LOCATE_NEWNAME);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0);
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0), 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), 0);
    EXPECT_EQ(std::string(loc.loc_buffer, static_cast<std::size_t>(loc.loc_size)), small);
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), 0);
    EXPECT_EQ(std::string(loc.loc_buffer, static_cast<std::size_t>(loc.loc_size)), large);
    EXPECT_EQ(Ca().sqlwarn.sqlwarn1, ' ');  // nothing was cut
    sqli_curs_free(ESQLINTVERSION, cursor);
    SqlFreeMem(loc.loc_buffer, LOC_BUFFER_FREE);
    v.sqldata = nullptr;
    v.sqlind = nullptr;
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// What is stored fits the declared type: decimals at their scale, text at its length.
TEST_F(StmtFixture, StoredValuesFitTheirColumns) {
    ASSERT_EQ(Exec("create table fit (d decimal(8,2), c char(3), v varchar(4), f decimal(10))"), 0);
    ASSERT_EQ(Exec("insert into fit values (12.345, 'abcdef', 'vwxyz', 1.23456)"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from fit where d = 12.35 and c = 'abc' and v = 'vwxy' and f = 1.23456"),
              (std::vector<std::vector<std::string>>{{"1"}}));
    ASSERT_EQ(Exec("update fit set d = 0.005, v = 'longer text'"), 0) << Errm();
    EXPECT_EQ(Query("select d, v from fit"), (std::vector<std::vector<std::string>>{{"0.01", "long"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// A caller may ask for a column in a C host type instead of its SQL type.
struct HostCase {
    const char* column;
    int ctype;
    int sqllen;            // buffer length for the character types
    const char* expected;  // the buffer read back as text
};

inline void PrintTo(const HostCase& c, std::ostream* os) { *os << c.column << " as " << c.ctype; }

std::string HostText(const HostCase& c, const char* data) {
    switch (c.ctype) {
    case CCHARTYPE: case CSTRINGTYPE: case CVCHARTYPE: return std::string(data);
    case CFIXCHARTYPE: return std::string(data, static_cast<std::size_t>(c.sqllen));
    case CSHORTTYPE: { int2 v; std::memcpy(&v, data, 2); return std::to_string(v); }
    case CINTTYPE: { int v; std::memcpy(&v, data, 4); return std::to_string(v); }
    case CBIGINTTYPE: { bigint v; std::memcpy(&v, data, 8); return std::to_string(v); }
    case CDOUBLETYPE: { double v; std::memcpy(&v, data, 8); return std::to_string(v); }
    case CFLOATTYPE: { float v; std::memcpy(&v, data, 4); return std::to_string(v); }
    case CDATETYPE: { int4 v; std::memcpy(&v, data, 4); char b[32] = {}; rdatestr(v, b); return b; }
    case CDECIMALTYPE: {
        char b[64] = {};
        dectoasc(reinterpret_cast<dec_t*>(const_cast<char*>(data)), b, 40, -1);
        std::string s(b);
        return s.substr(0, s.find(' '));
    }
    case CBOOLTYPE: return std::string(1, data[0]);
    default: return "?";
    }
}

class HostTypes : public StmtFixture, public ::testing::WithParamInterface<HostCase> {};

TEST_P(HostTypes, FetchIntoCHostType) {
    const HostCase& c = GetParam();
    ASSERT_EQ(Exec("create table ht (ch char(6), vc varchar(10), i integer, f float, d date, m money(8,2), b boolean)"),
              0);
    ASSERT_EQ(Exec("insert into ht values ('ab', 'long value', 42, 2.5, '07/04/1976', 19.99, 't')"), 0);
    Prepared p(std::string("select ") + c.column + " from ht");
    ASSERT_NE(p.described(), nullptr);
    char buffer[64];
    std::memset(buffer, 'Z', sizeof buffer);
    int2 ind = 0;
    ifx_sqlvar_t& v = p.described()->sqlvar[0];
    v.sqltype = static_cast<int2>(c.ctype);
    v.sqllen = c.sqllen;
    v.sqldata = buffer;
    v.sqlind = &ind;
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "host_cursor", CURS_LOCATE_NEWNAME);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0);
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0), 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    EXPECT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), 0) << Errm();
    EXPECT_EQ(HostText(c, buffer), c.expected);
    sqli_curs_free(ESQLINTVERSION, cursor);
    v.sqldata = nullptr;
    v.sqlind = nullptr;
}

const HostCase kHostCases[] = {
    {"ch", CCHARTYPE, 7, "ab    "},           // padded to sqllen - 1, then NUL
    {"ch", CFIXCHARTYPE, 6, "ab    "},         // padded, no NUL
    {"ch", CSTRINGTYPE, 7, "ab"},              // trailing blanks dropped
    {"vc", CVCHARTYPE, 11, "long value"},
    {"vc", CCHARTYPE, 5, "long"},              // cut to the buffer, with a warning
    {"i", CINTTYPE, 4, "42"},
    {"i", CSHORTTYPE, 2, "42"},
    {"i", CBIGINTTYPE, 8, "42"},
    {"i", CDOUBLETYPE, 8, "42.000000"},
    {"f", CFLOATTYPE, 4, "2.500000"},
    {"f", CDECIMALTYPE, 22, "2.5"},
    {"d", CDATETYPE, 4, "07/04/1976"},
    {"d", CCHARTYPE, 11, "07/04/1976"},        // a DATE as text follows DBDATE
    {"m", CDECIMALTYPE, 22, "19.99"},
    {"m", CSTRINGTYPE, 20, "19.99"},
    {"b", CBOOLTYPE, 1, "t"},
    {"i", CSTRINGTYPE, 10, "42"},
};

INSTANTIATE_TEST_SUITE_P(CHostTypes, HostTypes, ::testing::ValuesIn(kHostCases));

TEST_F(StmtFixture, CharacterTruncationIsReported) {
    ASSERT_EQ(Exec("create table tr (v varchar(10))"), 0);
    ASSERT_EQ(Exec("insert into tr values ('long value')"), 0);
    Prepared p("select v from tr");
    char buffer[5] = {};
    int2 ind = 0;
    ifx_sqlvar_t& v = p.described()->sqlvar[0];
    v.sqltype = CCHARTYPE;
    v.sqllen = sizeof buffer;
    v.sqldata = buffer;
    v.sqlind = &ind;
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "trunc_cursor", CURS_LOCATE_NEWNAME);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0);
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0), 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), 0);
    EXPECT_STREQ(buffer, "long");
    EXPECT_EQ(ind, 10);  // the full length
    EXPECT_EQ(Ca().sqlwarn.sqlwarn1, 'W');
    sqli_curs_free(ESQLINTVERSION, cursor);
    v.sqldata = nullptr;
    v.sqlind = nullptr;
}

}  // namespace
}  // namespace stmt_test
