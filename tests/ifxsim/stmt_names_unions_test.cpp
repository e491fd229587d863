// Catalog columns whose names SQLite reserves, read by their qualified names;
// and DESCRIBE of a UNION, whose CHAR columns are as wide as the widest branch.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

class ReservedNames : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        for (const char* sql : {"create table maker (id integer, primary key (id))",
                                "create table part (id integer, maker integer references maker (id), "
                                "note char(10) default 'none')"})
            ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
        makerKey_ = Query("select constrid from sysconstraints where tabid = 100 and constrtype = 'P'").at(0).at(0);
    }
    std::string makerKey_;
};

TEST_F(ReservedNames, QualifiedColumnsNamedAfterSqliteKeywordsAreRead) {
    struct Case {
        std::string sql;
        Rows expected;
    };
    const std::vector<Case> cases = {
        {"select b.default from sysdefaults b where b.tabid = 101", {{"none"}}},
        {"select b.type, b.DEFAULT from informix.sysdefaults b where b.tabid = 101", {{"L", "none"}}},
        {"select sysdefaults.default from sysdefaults where sysdefaults.tabid = 101", {{"none"}}},
        {"select r.primary from sysreferences r", {{makerKey_}}},
        {"select r.ptabid from sysreferences r where r.primary = " + makerKey_, {{"100"}}},
        {"select c.colname from syscolumns c, sysdefaults b where c.tabid = b.tabid and c.colno = b.colno "
         "and b.default is not null",
         {{"note"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(TrimmedRows(Query(c.sql)), c.expected);  // Query also checks prepare, open and fetch
    }
}

TEST_F(ReservedNames, KeywordsStillWorkAsKeywords) {
    // Only a word after a "." is taken for a name: ORDER BY, DEFAULT values, PRIMARY KEY keep their meaning.
    ASSERT_EQ(Exec("create table kept (id integer default 7, primary key (id))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into kept (id) values (3)"), 0) << Errm();
    EXPECT_EQ(Query("select k.id from kept k order by k.id"), (Rows{{"3"}}));
    EXPECT_NE(Exec("insert into kept (id) values (3)"), 0);  // the primary key holds
}

struct UnionCase {
    const char* sql;
    int width;       // sqllen of the first column
    bool notNull;    // SQLNONULL of the first column
    Rows rows;       // trimmed
};

void PrintTo(const UnionCase& c, std::ostream* os) { *os << c.sql; }

class UnionDescribe : public StmtFixture, public ::testing::WithParamInterface<UnionCase> {};

TEST_P(UnionDescribe, ColumnsAreAsWideAsTheWidestBranch) {
    const UnionCase& c = GetParam();
    {
        Prepared p(c.sql);
        ASSERT_NE(p.described(), nullptr) << Errm();
        const ifx_sqlvar_t& v = p.described()->sqlvar[0];
        EXPECT_EQ(v.sqltype & ~SQLNONULL, SQLCHAR);
        EXPECT_EQ(v.sqllen, c.width);
        EXPECT_EQ((v.sqltype & SQLNONULL) != 0, c.notNull);
    }
    EXPECT_EQ(TrimmedRows(Query(c.sql)), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Branches, UnionDescribe,
    ::testing::Values(
        UnionCase{"select 'view' from systables where tabid = 1 union all "
                  "select 'synonym' from systables where tabid = 1",
                  7, false, {{"view"}, {"synonym"}}},
        UnionCase{"select 'synonym' from systables where tabid = 1 union all "
                  "select 'view' from systables where tabid = 1",
                  7, false, {{"synonym"}, {"view"}}},
        UnionCase{"select 'a' k from systables where tabid = 1 union "
                  "select 'abcde' from systables where tabid = 1 union all "
                  "select 'abc' from systables where tabid = 1 order by 1",
                  5, false, {{"a"}, {"abc"}, {"abcde"}}}));

class UnionNullability : public StmtFixture {};

TEST_F(UnionNullability, NotNullOnlyWhenEveryBranchIs) {
    Prepared both("select tabid from systables where tabid = 1 union select tabid from systables where tabid = 2");
    ASSERT_NE(both.described(), nullptr) << Errm();
    EXPECT_NE(both.described()->sqlvar[0].sqltype & SQLNONULL, 0);
    Prepared one("select tabid from systables where tabid = 1 union select 5 from systables where tabid = 2");
    ASSERT_NE(one.described(), nullptr) << Errm();
    EXPECT_EQ(one.described()->sqlvar[0].sqltype & SQLNONULL, 0);
}

}  // namespace
}  // namespace stmt_test
