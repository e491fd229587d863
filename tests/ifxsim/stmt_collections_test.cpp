// Collection and row columns (SET, MULTISET, LIST, unnamed ROW): the catalog
// rows, what DESCRIBE reports, values written as constructors or quoted texts
// and read back as text the way the access layer reads them (LVARCHAR of 2048
// bytes, or the opaque holder of code 124); and CHECK constraints over DATE,
// DATETIME and DECIMAL columns judged by the stored values.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

// Fetches every row's first column the way the access layer reads collection
// and row types: rebound as LVARCHAR text, or through an ifx_var holder.
enum class Binding { LVarChar, Holder };

std::vector<std::string> FetchTexts(const std::string& sql, Binding binding) {
    std::vector<std::string> rows;
    Prepared p(sql);
    EXPECT_NE(p.described(), nullptr) << Errm();
    if (!p.described()) return rows;
    ifx_sqlvar_t& v = p.described()->sqlvar[0];
    int2 ind = 0;
    std::vector<char> text(SIZLVARCHAR + 1);
    void* holder = nullptr;
    if (binding == Binding::LVarChar) {
        v.sqltype = SQLLVARCHAR;
        v.sqllen = SIZLVARCHAR;
        v.sqldata = text.data();
    } else {
        EXPECT_EQ(ifx_var_flag(&holder, 1), 0);
        v.sqltype = CLVCHARPTRTYPE;
        v.sqllen = 0;
        v.sqldata = reinterpret_cast<char*>(&holder);
    }
    v.sqlind = &ind;
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "coll_cursor", CURS_LOCATE_NEWNAME);
    EXPECT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0) << Errm();
    EXPECT_EQ(sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0), 0) << Errm();
    _FetchSpec next{0, FETCH_NEXT, 0};
    while (sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next) == 0) {
        if (ind == -1) rows.emplace_back("<null>");
        else if (binding == Binding::LVarChar) rows.emplace_back(text.data());
        else rows.emplace_back(static_cast<const char*>(ifx_var_getdata(&holder)),
                               static_cast<std::size_t>(ifx_var_getlen(&holder)));
    }
    EXPECT_EQ(SqlCode(), SQLNOTFOUND) << Errm();
    sqli_curs_free(ESQLINTVERSION, cursor);
    v.sqldata = nullptr;
    v.sqlind = nullptr;
    if (holder) ifx_var_freevar(&holder);
    return rows;
}

class Collections : public StmtFixture {
protected:
    // The first value of the first row, "<no row>" without one.
    static std::string Scalar(const std::string& sql) {
        const auto rows = Query(sql);
        return rows.empty() || rows[0].empty() ? "<no row>" : rows[0][0];
    }
};

// ---------------------------------------------------------------- catalog and DESCRIBE

struct ColumnCase {
    const char* declaration;
    int coltype;        // syscolumns.coltype and the DESCRIBE code (NOT NULL bit included)
    int collength;      // syscolumns.collength and sqllen
    const char* xtdName;  // sysxtdtypes.name of its unnamed type
};

inline void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.declaration; }

const ColumnCase kColumnCases[] = {
    {"SET(CHAR(3) NOT NULL)", SQLSET, 2048, "set(char(3) not null)"},
    {"set(integer not null) not null", SQLSET | SQLNONULL, 2048, "set(integer not null)"},
    {"MULTISET(VARCHAR(20) NOT NULL)", SQLMULTISET, 2048, "multiset(varchar(20) not null)"},
    {"LIST(SMALLINT NOT NULL)", SQLLIST, 2048, "list(smallint not null)"},
    {"LIST(DECIMAL(8,2) NOT NULL)", SQLLIST, 2048, "list(decimal(8,2) not null)"},
    {"SET(LIST(INT NOT NULL) NOT NULL)", SQLSET, 2048, "set(list(integer not null) not null)"},
    // A row's length is what its fields take: CHAR(2) 2, VARCHAR(20) 21.
    {"ROW(country CHAR(2), city VARCHAR(20))", SQLROW, 23, "row(country char(2), city varchar(20))"},
    {"ROW(n INTEGER NOT NULL, d DATE)", SQLROW, 8, "row(n integer not null, d date)"},
};

class CollectionColumns : public Collections, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(CollectionColumns, CatalogAndDescribeAgree) {
    const ColumnCase& c = GetParam();
    ASSERT_EQ(Exec(std::string("create table ct (k integer, v ") + c.declaration + ")"), 0) << Errm();
    const auto rows = Query("select c.coltype, c.collength, x.mode, x.name, x.type, c.extended_id "
                            "from syscolumns c, systables t, sysxtdtypes x "
                            "where t.tabname = 'ct' and c.tabid = t.tabid and c.colname = 'v' "
                            "and x.extended_id = c.extended_id");
    ASSERT_EQ(rows.size(), 1u) << "the column names a sysxtdtypes row";
    EXPECT_EQ(rows[0][0], std::to_string(c.coltype));
    EXPECT_EQ(rows[0][1], std::to_string(c.collength));
    EXPECT_EQ(rows[0][2], "C");
    EXPECT_EQ(rows[0][3], c.xtdName);
    EXPECT_EQ(rows[0][4], std::to_string(c.coltype & SQLTYPE));
    EXPECT_GE(std::stoi(rows[0][5]), 2048) << "user types take ids from 2048";

    Prepared p("select v from ct");
    ASSERT_NE(p.described(), nullptr) << Errm();
    EXPECT_EQ(p.described()->sqlvar[0].sqltype, c.coltype);
    EXPECT_EQ(p.described()->sqlvar[0].sqllen, c.collength);
    EXPECT_EQ(std::to_string(p.described()->sqlvar[0].sqlxid), rows[0][5]) << "DESCRIBE gives the catalog's id";
}

INSTANTIATE_TEST_SUITE_P(Declarations, CollectionColumns, ::testing::ValuesIn(kColumnCases));

TEST_F(Collections, CollectionTypesShareTheirRowAndGoWithTheLastColumn) {
    ASSERT_EQ(Exec("create table a1 (s set(integer not null), l list(integer not null))"), 0) << Errm();
    ASSERT_EQ(Exec("create table a2 (s set(integer not null))"), 0) << Errm();
    EXPECT_EQ(Scalar("select count(distinct extended_id) from syscolumns where colname = 's'"), "1");
    EXPECT_EQ(Scalar("select count(*) from sysxtdtypes"), "2");
    ASSERT_EQ(Exec("drop table a1"), 0) << Errm();
    EXPECT_EQ(Scalar("select name from sysxtdtypes"), "set(integer not null)");
    ASSERT_EQ(Exec("drop table a2"), 0) << Errm();
    EXPECT_EQ(Scalar("select count(*) from sysxtdtypes"), "0");
}

TEST_F(Collections, MalformedCollectionTypesAreRefused) {
    for (const char* ddl : {"create table b (s set(integer))",             // elements must be NOT NULL
                            "create table b (s list(serial not null))",    // no SERIAL elements
                            "create table b (r row(a integer, a char(2)))",  // a field name twice
                            "create table b (s multiset(text not null))"}) {
        EXPECT_EQ(Exec(ddl), -201) << ddl;
    }
}

// Collection values computed in a select list are described as collections too,
// so a client reads them whole instead of as a short text.
TEST_F(Collections, ConstructorsAndCastsAreDescribedAsTheirType) {
    ASSERT_EQ(Exec("create table pd (n integer)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into pd values (1)"), 0) << Errm();
    struct Case {
        const char* item;
        int sqltype;
        int sqllen;
        const char* text;
    };
    const Case cases[] = {
        {"SET{'a', 'a'}", SQLSET, 2048, "SET{'a','a'}"},  // a constructor alone does not know it is a SET of what
        {"MULTISET{n}", SQLMULTISET, 2048, "MULTISET{1}"},
        {"LIST{n, n + 1} l", SQLLIST, 2048, "LIST{1,2}"},
        {"ROW(n, 'x')", SQLROW, 2048, "ROW(1,'x')"},
        {"'LIST{1}'::list(integer not null)", SQLLIST, 2048, "LIST{1}"},
        {"cast('ROW(1)' as row(a integer))", SQLROW, 4, "ROW(1)"},
        {"n || 'LIST{1}'", SQLVCHAR, 255, "1LIST{1}"},  // not a collection: text stays text
    };
    for (const Case& c : cases) {
        Prepared p(std::string("select ") + c.item + " from pd");
        ASSERT_NE(p.described(), nullptr) << c.item << ": " << Errm();
        EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, c.sqltype) << c.item;
        EXPECT_EQ(p.described()->sqlvar[0].sqllen, c.sqllen) << c.item;
        EXPECT_EQ(FetchTexts(std::string("select ") + c.item + " from pd", Binding::Holder),
                  std::vector<std::string>{c.text})
            << c.item;
    }
}

// ---------------------------------------------------------------- values in and text out

struct ValueCase {
    const char* type;
    const char* literal;   // as written in the INSERT
    const char* expected;  // the text fetched back
};

inline void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.type << " <- " << c.literal; }

const ValueCase kValueCases[] = {
    {"SET(VARCHAR(10) NOT NULL)", "SET{'a','b'}", "SET{'a','b'}"},
    {"SET(VARCHAR(10) NOT NULL)", "SET{'a','b','a'}", "SET{'a','b'}"},  // a SET holds each value once
    {"SET(INTEGER NOT NULL)", "SET{3, '3', 3.0, 4}", "SET{3,4}"},       // duplicates once converted
    {"MULTISET(INTEGER NOT NULL)", "MULTISET{2,1,2}", "MULTISET{2,1,2}"},
    {"LIST(INTEGER NOT NULL)", "LIST{3,1,2}", "LIST{3,1,2}"},
    {"LIST(INTEGER NOT NULL)", "list{}", "LIST{}"},
    {"LIST(INTEGER NOT NULL)", "'LIST{ 1 , 2 }'", "LIST{1,2}"},
    {"LIST(INTEGER NOT NULL)", "\"LIST{5}\"", "LIST{5}"},
    {"LIST(INTEGER NOT NULL)", "'LIST{7}'::list(integer not null)", "LIST{7}"},
    {"LIST(DECIMAL(6,2) NOT NULL)", "LIST{1.5, '2'}", "LIST{1.50,2.00}"},
    {"SET(CHAR(3) NOT NULL)", "SET{'S'}", "SET{'S  '}"},  // CHAR elements keep their length
    {"LIST(VARCHAR(3) NOT NULL)", "LIST{'abcdef'}", "LIST{'abc'}"},
    {"LIST(VARCHAR(10) NOT NULL)", "LIST{'it''s'}", "LIST{'it''s'}"},
    {"LIST(DATE NOT NULL)", "LIST{'01/15/2024', '2024-02-01'}", "LIST{'01/15/2024','02/01/2024'}"},
    {"LIST(DATETIME YEAR TO MINUTE NOT NULL)", "LIST{'2024-01-02 10:11'}", "LIST{'2024-01-02 10:11'}"},
    {"ROW(country CHAR(2), city VARCHAR(20))", "ROW('US','Paris')", "ROW('US','Paris')"},
    {"ROW(country CHAR(2), city VARCHAR(20))", "\"ROW('FR', 'Lyon')\"", "ROW('FR','Lyon')"},
    {"ROW(country CHAR(2), city VARCHAR(20))", "row('DE', null)", "ROW('DE',NULL)"},
    {"ROW(n INTEGER, d DATE)", "ROW('12', '03/04/2020')", "ROW(12,'03/04/2020')"},
    {"SET(LIST(INTEGER NOT NULL) NOT NULL)", "SET{LIST{1,2}, LIST{1,2}, LIST{3}}", "SET{LIST{1,2},LIST{3}}"},
    {"LIST(ROW(a INTEGER, b CHAR(1)) NOT NULL)", "LIST{ROW(1,'x'), ROW(2,'y')}", "LIST{ROW(1,'x'),ROW(2,'y')}"},
};

class CollectionValues : public Collections, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(CollectionValues, StoredAndReadAsInformixText) {
    const ValueCase& c = GetParam();
    ASSERT_EQ(Exec(std::string("create table cv (v ") + c.type + ")"), 0) << Errm();
    ASSERT_EQ(Exec(std::string("insert into cv values (") + c.literal + ")"), 0) << Errm();
    for (Binding b : {Binding::LVarChar, Binding::Holder}) {
        const auto rows = FetchTexts("select v from cv", b);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], c.expected) << (b == Binding::Holder ? "through the holder" : "as LVARCHAR");
    }
}

INSTANTIATE_TEST_SUITE_P(Literals, CollectionValues, ::testing::ValuesIn(kValueCases));

TEST_F(Collections, CollectionValuesUpdateAndNull) {
    ASSERT_EQ(Exec("create table cu (k integer, s set(varchar(5) not null))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into cu values (1, null)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into cu values (2, SET{'x'})"), 0) << Errm();
    ASSERT_EQ(Exec("update cu set s = SET{'y','y','z'} where k = 2"), 0) << Errm();
    EXPECT_EQ(FetchTexts("select s from cu order by k", Binding::LVarChar),
              (std::vector<std::string>{"<null>", "SET{'y','z'}"}));
    // A constructor in a select list needs no table column.
    EXPECT_EQ(FetchTexts("select LIST{1, 'a'} from cu where k = 1", Binding::Holder),
              (std::vector<std::string>{"LIST{1,'a'}"}));
}

// A column added by ALTER TABLE converts its values as one created with the table.
TEST_F(Collections, AddedCollectionColumnsConvertTheirValues) {
    ASSERT_EQ(Exec("create table ca (k integer)"), 0) << Errm();
    ASSERT_EQ(Exec("alter table ca add (s set(integer not null))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into ca values (1, SET{2, 2, '3'})"), 0) << Errm();
    ASSERT_EQ(Exec("alter table ca add (l list(integer not null))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into ca values (2, SET{1, 1}, LIST{'4'})"), 0) << Errm();
    EXPECT_EQ(FetchTexts("select s from ca order by k", Binding::LVarChar),
              (std::vector<std::string>{"SET{2,3}", "SET{1}"}));
    EXPECT_EQ(FetchTexts("select l from ca where k = 2", Binding::LVarChar), (std::vector<std::string>{"LIST{4}"}));
    EXPECT_EQ(Scalar("select coltype from syscolumns c, systables t where t.tabname = 'ca' and c.tabid = t.tabid "
                     "and c.colname = 'l'"),
              std::to_string(SQLLIST));
}

// "x IN column" asks whether x is an element of the row's collection.
TEST_F(Collections, InSearchesTheCollection) {
    ASSERT_EQ(Exec("create table ci (k char(2), sizes set(char(3) not null), parts list(integer not null), "
                   "origin row(city varchar(10)))"),
              0)
        << Errm();
    ASSERT_EQ(Exec("insert into ci values ('a', SET{'S', 'M'}, LIST{1, 2}, ROW('Oslo'))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into ci values ('b', SET{'L'}, LIST{3}, null)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into ci values ('c', null, LIST{}, null)"), 0) << Errm();
    struct Case {
        const char* where;
        const char* keys;  // the rows that qualify, in order
    };
    const Case cases[] = {
        {"'S' in sizes", "a"},          // CHAR elements match without their padding
        {"'L' in ci.sizes", "b"},       // a qualified column
        {"'S' not in sizes", "b"},      // a NULL collection holds nothing, not even "not S"
        {"2 in parts", "a"},
        {"5 not in parts", "abc"},
        {"k in ('a', 'c') and 3 not in parts", "ac"},  // IN with a list is the ordinary IN
    };
    for (const Case& c : cases) {
        std::string keys;
        for (const auto& row : Query(std::string("select k from ci where ") + c.where + " order by k")) keys += row[0].substr(0, 1);
        EXPECT_EQ(keys, c.keys) << c.where;
    }
    EXPECT_EQ(Exec("select k from ci where 'Oslo' in origin"), -1260) << "a row is no collection";
}

struct RefusedCase {
    const char* type;
    const char* literal;
    int sqlcode;
};

inline void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.type << " <- " << c.literal; }

const RefusedCase kRefusedCases[] = {
    {"LIST(INTEGER NOT NULL)", "LIST{'abc'}", -1213},
    {"LIST(SMALLINT NOT NULL)", "LIST{70000}", -1215},
    {"LIST(INTEGER NOT NULL)", "'LIST{1'", -1260},        // no closing brace
    {"LIST(INTEGER NOT NULL)", "'just text'", -1260},
    {"LIST(INTEGER NOT NULL)", "ROW(1)", -1260},          // a row is no list
    {"SET(INTEGER NOT NULL)", "SET{1, null}", -391},      // no NULL elements
    {"ROW(a INTEGER, b INTEGER)", "ROW(1)", -1260},       // fields missing
    {"LIST(DATE NOT NULL)", "LIST{'13/45/2020'}", -1205},
};

class RefusedCollectionValues : public Collections, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedCollectionValues, StoreNothing) {
    const RefusedCase& c = GetParam();
    ASSERT_EQ(Exec(std::string("create table cr (v ") + c.type + ")"), 0) << Errm();
    EXPECT_EQ(Exec(std::string("insert into cr values (") + c.literal + ")"), c.sqlcode);
    EXPECT_EQ(Scalar("select count(*) from cr"), "0");
}

INSTANTIATE_TEST_SUITE_P(Literals, RefusedCollectionValues, ::testing::ValuesIn(kRefusedCases));

// Outside a collection constructor, braces still enclose a comment.
TEST_F(Collections, BracesAfterUpdateSetStayAComment) {
    ASSERT_EQ(Exec("create table bc (n integer)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into bc {a comment} values (1)"), 0) << Errm();
    ASSERT_EQ(Exec("update bc set {the new value} n = 2"), 0) << Errm();
    EXPECT_EQ(Scalar("select n from bc"), "2");
}

// IN followed by a word is a collection search only in queries and row changes.
TEST_F(Collections, InBeforeAWordElsewhereKeepsItsMeaning) {
    ASSERT_EQ(Exec("create table iw (n integer) in rootdbs"), 0) << Errm();
    ASSERT_EQ(Exec("create index ix_iw on iw (n) in rootdbs"), 0) << Errm();
    ASSERT_EQ(Exec("begin work"), 0) << Errm();
    EXPECT_EQ(Exec("lock table iw in exclusive mode"), 0) << Errm();
    ASSERT_EQ(Exec("commit work"), 0) << Errm();
}

// ---------------------------------------------------------------- CHECK over stored values

struct CheckCase {
    const char* columns;  // column definitions of the table
    const char* check;    // the CHECK condition
    const char* values;   // the row inserted
    bool accepted;
};

inline void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.check << " / " << c.values; }

const CheckCase kCheckCases[] = {
    {"order_date date, ship_date date", "ship_date is null or ship_date >= order_date", "'05/20/2008', '06/01/2008'", true},
    // As texts "01/02/2008" < "12/20/2007"; as dates the order is the other way.
    {"order_date date, ship_date date", "ship_date is null or ship_date >= order_date", "'12/20/2007', '01/02/2008'", true},
    {"order_date date, ship_date date", "ship_date is null or ship_date >= order_date", "'01/02/2008', '12/20/2007'", false},
    {"order_date date, ship_date date", "ship_date is null or ship_date >= order_date", "'01/02/2008', null", true},
    {"order_date date, ship_date date", "ship_date >= order_date", "'2008-01-02', '01/03/2008'", true},
    {"order_date date, ship_date date", "order_date > '12/31/1999'", "'01/01/2000', null", true},
    {"order_date date, ship_date date", "order_date > '12/31/1999'", "'06/30/1999', null", false},
    {"order_date date, ship_date date", "order_date between '01/01/2000' and '12/31/2000'", "'07/04/2000', null", true},
    {"order_date date, ship_date date", "order_date between '01/01/2000' and '12/31/2000'", "'07/04/2001', null", false},
    {"order_date date, ship_date date", "order_date in ('01/01/2000', '02/01/2000')", "'02/01/2000', null", true},
    {"starts datetime year to minute, ends datetime year to minute", "ends > starts",
     "'2024-01-02 9:00', '2024-01-02 10:00'", true},
    {"starts datetime year to minute, ends datetime year to minute", "ends > starts",
     "'2024-01-02 10:00', '2024-01-02 9:30'", false},
    {"price decimal(8,2), cost decimal(8,2)", "price >= cost", "'10.00', '9.5'", true},
    {"price decimal(8,2), cost decimal(8,2)", "price >= cost", "'9.50', '10'", false},
    {"price decimal(8,2), cost decimal(8,2)", "price > 0", "'0.00', null", false},
};

class CheckOverStoredValues : public Collections, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckOverStoredValues, InCreateTable) {
    const CheckCase& c = GetParam();
    ASSERT_EQ(Exec(std::string("create table ck (") + c.columns + ", check (" + c.check + ") constraint ck_rule)"), 0)
        << Errm();
    const int rc = Exec(std::string("insert into ck values (") + c.values + ")");
    if (c.accepted) {
        EXPECT_EQ(rc, 0) << Errm();
    } else {
        EXPECT_EQ(rc, -530);
        EXPECT_EQ(Errm(), "ck_rule") << "the error names the constraint as declared";
    }
}

TEST_P(CheckOverStoredValues, AddedByAlterTable) {
    const CheckCase& c = GetParam();
    ASSERT_EQ(Exec(std::string("create table ck (") + c.columns + ")"), 0) << Errm();
    ASSERT_EQ(Exec(std::string("alter table ck add constraint check (") + c.check + ") constraint ck_added"), 0)
        << Errm();
    const int rc = Exec(std::string("insert into ck values (") + c.values + ")");
    EXPECT_EQ(rc, c.accepted ? 0 : -530) << Errm();
    // The catalog keeps the condition as written.
    EXPECT_EQ(Scalar("select checktext from syschecks k, sysconstraints c where c.constrname = 'ck_added' "
                     "and k.constrid = c.constrid and k.seqno = 0")
                  .substr(0, 6),
              std::string("(") + std::string(c.check).substr(0, 5));
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckOverStoredValues, ::testing::ValuesIn(kCheckCases));

// An UPDATE is checked against the stored value of the column it leaves alone.
TEST_F(Collections, CheckOnUpdateComparesWithTheStoredDate) {
    ASSERT_EQ(Exec("create table cd (order_date date, ship_date date, "
                   "check (ship_date is null or ship_date >= order_date) constraint ck_ship)"),
              0)
        << Errm();
    ASSERT_EQ(Exec("insert into cd values ('12/20/2007', null)"), 0) << Errm();
    EXPECT_EQ(Exec("update cd set ship_date = '01/02/2008'"), 0) << Errm();
    EXPECT_EQ(Exec("update cd set ship_date = '12/01/2007'"), -530);
    EXPECT_EQ(Scalar("select ship_date from cd"), "01/02/2008");
}

}  // namespace
}  // namespace stmt_test
