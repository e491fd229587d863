// SERIAL, SERIAL8 and BIGSERIAL: 0 or an omitted value takes the next one, an
// explicit higher value moves the counter, deletes never give values back;
// sqlerrd[1] carries the SERIAL, ifx_getserial8 the 64-bit one, sqlerrd[5]
// the row id, which the rowid column shows.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

std::int64_t Serial8() {
    ifx_int8_t v{};
    ifx_getserial8(&v);
    char buf[32] = {};
    EXPECT_EQ(ifx_int8toasc(&v, buf, 21), 0);
    return std::strtoll(buf, nullptr, 10);
}

TEST_F(StmtFixture, SerialTakesNextValueMovesUpAndNeverReuses) {
    ASSERT_EQ(Exec("create table s (id serial, name char(10))"), 0) << Errm();
    struct Step {
        const char* sql;
        int serial;
    };
    const Step steps[] = {
        {"insert into s values (0, 'a')", 1},
        {"insert into s (name) values ('b')", 2},
        {"insert into s values (10, 'c')", 10},
        {"insert into s values (0, 'd')", 11},
        {"insert into s values (5, 'e')", 5},   // a lower explicit value leaves the counter
        {"insert into s values (0, 'f')", 12},
    };
    for (const auto& step : steps) {
        ASSERT_EQ(Exec(step.sql), 0) << step.sql << " " << Errm();
        EXPECT_EQ(Ca().sqlerrd[1], step.serial) << step.sql;
        EXPECT_EQ(Ca().sqlerrd[2], 1) << step.sql;
    }
    ASSERT_EQ(Exec("delete from s"), 0);
    ASSERT_EQ(Exec("insert into s values (0, 'g')"), 0);
    EXPECT_EQ(Ca().sqlerrd[1], 13);
    EXPECT_EQ(Query("select id, name from s"), (std::vector<std::vector<std::string>>{{"13", "g         "}}));
}

TEST_F(StmtFixture, SerialStartValueIsHonoured) {
    ASSERT_EQ(Exec("create table s100 (id serial(100) primary key, v integer)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into s100 (v) values (1)"), 0) << Errm();
    EXPECT_EQ(Ca().sqlerrd[1], 100);
    ASSERT_EQ(Exec("insert into s100 values (0, 2)"), 0) << Errm();
    EXPECT_EQ(Ca().sqlerrd[1], 101);
}

TEST_F(StmtFixture, Serial8AndBigserialAre64Bit) {
    for (const char* type : {"serial8", "bigserial"}) {
        SCOPED_TRACE(type);
        ASSERT_EQ(Exec(std::string("create table big8 (id ") + type + ", v integer)"), 0) << Errm();
        ASSERT_EQ(Exec("insert into big8 values (0, 1)"), 0) << Errm();
        EXPECT_EQ(Serial8(), 1);
        ASSERT_EQ(Exec("insert into big8 values (5000000000, 2)"), 0) << Errm();
        EXPECT_EQ(Serial8(), 5000000000LL);
        ASSERT_EQ(Exec("insert into big8 (v) values (3)"), 0) << Errm();
        EXPECT_EQ(Serial8(), 5000000001LL);
        EXPECT_EQ(Query("select max(id) from big8"), (std::vector<std::vector<std::string>>{{"5000000001"}}));
        ASSERT_EQ(Exec("drop table big8"), 0) << Errm();
    }
}

TEST_F(StmtFixture, SerialAndSerial8InOneTable) {
    ASSERT_EQ(Exec("create table both8 (a serial, b serial8(7))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into both8 values (0, 0)"), 0) << Errm();
    EXPECT_EQ(Ca().sqlerrd[1], 1);
    EXPECT_EQ(Serial8(), 7);
}

TEST_F(StmtFixture, RowIdOfInsertedRowMatchesTheRowidColumn) {
    ASSERT_EQ(Exec("create table r (v char(3))"), 0);
    std::vector<int> ids;
    for (const char* v : {"'x'", "'y'", "'z'"}) {
        ASSERT_EQ(Exec(std::string("insert into r values (") + v + ")"), 0);
        ids.push_back(Ca().sqlerrd[5]);
    }
    EXPECT_NE(ids[0], ids[1]);
    const auto rows = Query("select rowid, v from r where v = 'y'");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], std::to_string(ids[1]));
    Prepared p("select rowid from r");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, SQLINT);
    EXPECT_STREQ(p.described()->sqlvar[0].sqlname, "rowid");
}

TEST_F(StmtFixture, SerialCountersBelongToTheirTable) {
    ASSERT_EQ(Exec("create table a1 (id serial)"), 0);
    ASSERT_EQ(Exec("create table a2 (id serial)"), 0);
    ASSERT_EQ(Exec("insert into a1 values (50)"), 0);
    ASSERT_EQ(Exec("insert into a2 values (0)"), 0);
    EXPECT_EQ(Ca().sqlerrd[1], 1);
    // A table made again starts again.
    ASSERT_EQ(Exec("drop table a1"), 0);
    ASSERT_EQ(Exec("create table a1 (id serial)"), 0);
    ASSERT_EQ(Exec("insert into a1 values (0)"), 0);
    EXPECT_EQ(Ca().sqlerrd[1], 1);
}

}  // namespace
}  // namespace stmt_test
