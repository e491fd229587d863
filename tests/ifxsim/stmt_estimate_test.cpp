// PREPARE's estimates: sqlerrd[0] rows and sqlerrd[3] cost from the plan and
// the table sizes.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

class Estimates : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table big (k integer, v integer, t char(20))"), 0);
        ASSERT_EQ(Exec("create unique index big_k on big (k)"), 0);
        ASSERT_EQ(Exec("create table small (k integer, v integer)"), 0);
        ASSERT_EQ(Exec("begin work"), 0) << Errm();
        Params none;
        for (int i = 1; i <= 3000; ++i) {
            Params p;
            p.integer(i).integer(i % 97);
            ASSERT_EQ(ExecWith("insert into big (k, v) values (?, ?)", p), 0) << Errm();
        }
        for (int i = 1; i <= 10; ++i) ASSERT_EQ(Exec("insert into small values (" + std::to_string(i) + ", 1)"), 0);
        ASSERT_EQ(Exec("commit work"), 0);
    }

    struct Figures { int rows; int cost; };
    static Figures Estimate(const std::string& sql) {
        ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, nullptr, sql.c_str(), nullptr, nullptr, -1, 0, 0);
        EXPECT_NE(stmt, nullptr) << sql << " " << Errm();
        Figures f{Ca().sqlerrd[0], Ca().sqlerrd[3]};
        if (stmt) sqli_curs_free(ESQLINTVERSION, stmt);
        return f;
    }
};

TEST_F(Estimates, FullScanCostsMoreThanIndexLookup) {
    const Figures lookup = Estimate("select * from big where k = 1500");
    const Figures scan = Estimate("select * from big where v = 15");
    EXPECT_EQ(lookup.rows, 1);
    EXPECT_GT(scan.cost, lookup.cost * 10);
    EXPECT_GT(scan.rows, lookup.rows);
}

TEST_F(Estimates, BiggerTableScansCostMore) {
    EXPECT_GT(Estimate("select * from big").cost, Estimate("select * from small").cost);
    EXPECT_EQ(Estimate("select * from big").rows, 3000);
}

TEST_F(Estimates, JoinWithoutIndexCostsMoreThanJoinThroughIndex) {
    const Figures indexed = Estimate("select * from small s, big b where b.k = s.k");
    const Figures unindexed = Estimate("select * from small s, big b where b.v = s.v");
    EXPECT_GT(unindexed.cost, indexed.cost);
}

TEST_F(Estimates, ChangesAreEstimatedToo) {
    EXPECT_EQ(Estimate("delete from big where k = 7").rows, 1);
    EXPECT_GE(Estimate("update big set t = 'x'").rows, 3000);
    EXPECT_GT(Estimate("delete from big").cost, Estimate("delete from big where k = 7").cost);
}

}  // namespace
}  // namespace stmt_test
