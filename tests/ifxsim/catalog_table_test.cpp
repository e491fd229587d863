// The system catalog as the program reads it: rows written by CREATE TABLE
// with keys, defaults and NOT NULL columns, by CREATE INDEX with descending
// parts, and taken away by DROP TABLE.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class CatalogTable : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table parent (code char(4) not null, name varchar(30), primary key (code))"), 0)
            << Errm();
        ASSERT_EQ(Exec("create table orders ("
                       " id serial,"
                       " amount decimal(8,2) not null,"
                       " note varchar(20,4) default 'none',"
                       " code char(4),"
                       " stamp date default today,"
                       " primary key (id) constraint pk_orders,"
                       " unique (note, code),"
                       " foreign key (code) references parent (code) on delete cascade constraint fk_parent"
                       ") lock mode row extent size 32 next size 64"),
                  0)
            << Errm();
        user_ = Query("select username from sysusers where usertype = 'D'").at(0).at(0);
        while (!user_.empty() && user_.back() == ' ') user_.pop_back();
    }
    std::string user_;
};

TEST_F(CatalogTable, NewTablesGetTabidsFrom100WithTheirShape) {
    Rows rows = Query("select tabname, tabid, ncols, nindexes, tabtype, locklevel, fextsize, nextsize, "
                            "created, today from systables where tabid >= 100 order by tabid");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][8], rows[0][9]);  // created today
    for (auto& row : rows) row.resize(8);
    EXPECT_EQ(rows, (Rows{{"parent", "100", "2", "1", "T", "P", "16", "16"},
                          {"orders", "101", "5", "3", "T", "R", "32", "64"}}));
    EXPECT_EQ(Query("select count(*) from systables where tabid = 101 and owner = '" + user_ + "'"), (Rows{{"1"}}));
}

TEST_F(CatalogTable, ColumnsCarryInformixTypeCodesAndLengths) {
    const Rows rows = Query("select colname, colno, coltype, collength from syscolumns where tabid = 101 order by colno");
    EXPECT_EQ(rows, (Rows{{"id", "1", "262", "4"},          // SERIAL always NOT NULL: 6 + 256
                          {"amount", "2", "261", "2050"},   // DECIMAL(8,2) NOT NULL: 8*256+2
                          {"note", "3", "13", "1044"},      // VARCHAR(20,4): 4*256+20
                          {"code", "4", "0", "4"},
                          {"stamp", "5", "7", "4"}}));
}

TEST_F(CatalogTable, ConstraintsAreNamedAsDeclaredOrByTheServer) {
    const Rows rows = Query("select constrname, constrtype, idxname from sysconstraints where tabid = 101 "
                            "order by constrid");
    ASSERT_EQ(rows.size(), 4u);
    const int first = std::stoi(Query("select min(constrid) from sysconstraints where tabid = 101").at(0).at(0));
    const auto id = [&](int n) { return std::to_string(first + n); };
    EXPECT_EQ(rows[0], (std::vector<std::string>{"n101_" + id(0), "N", "<null>"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"pk_orders", "P", " 101_" + id(1)}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"u101_" + id(2), "U", " 101_" + id(2)}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"fk_parent", "R", " 101_" + id(3)}));
    // sysreferences: constrid, primary, ptabid, updrule, delrule, matchtype, pendant
    const std::string pk = Query("select constrid from sysconstraints where tabid = 100 and constrtype = 'P'").at(0).at(0);
    EXPECT_EQ(Query("select * from sysreferences where constrid = " + id(3)),
              (Rows{{id(3), pk, "100", "R", "C", "N", "N"}}));
}

TEST_F(CatalogTable, KeyIndexesListTheirColumns) {
    EXPECT_EQ(Query("select idxtype, clustered, part1, part2, part3 from sysindexes where tabid = 101 order by idxname"),
              (Rows{{"U", " ", "1", "0", "0"}, {"U", " ", "3", "4", "0"}, {"D", " ", "4", "0", "0"}}));
}

TEST_F(CatalogTable, DefaultsKeepTypeLetterAndText) {
    // tabid, colno, type, default, class
    Rows rows = Query("select * from sysdefaults where tabid = 101 order by colno");
    for (auto& row : rows) row[3] = row[3].substr(0, row[3].find_last_not_of(' ') + 1);
    EXPECT_EQ(rows, (Rows{{"101", "3", "L", "none", "T"}, {"101", "5", "T", "<null>", "T"}}));
}

TEST_F(CatalogTable, DescendingIndexPartsAreNegative) {
    ASSERT_EQ(Exec("create unique cluster index ix_orders on orders (amount desc, note)"), 0) << Errm();
    EXPECT_EQ(Query("select idxtype, clustered, part1, part2, part3 from sysindexes where idxname = 'ix_orders'"),
              (Rows{{"U", "C", "-2", "3", "0"}}));
    EXPECT_EQ(Query("select indexkeyarray_out(indexkeys) from sysindices where idxname = 'ix_orders'"),
              (Rows{{"-2 [1], 3 [1]"}}));
    EXPECT_EQ(Query("select nindexes from systables where tabname = 'orders'"), (Rows{{"4"}}));
    ASSERT_EQ(Exec("drop index ix_orders"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from sysindices where idxname = 'ix_orders'"), (Rows{{"0"}}));
}

TEST_F(CatalogTable, DropTableRemovesEveryRow) {
    ASSERT_EQ(Exec("drop table orders"), 0) << Errm();
    const char* const tables[] = {"systables", "syscolumns", "sysindexes", "sysindices", "sysconstraints",
                                  "sysdefaults", "systabauth"};
    for (const char* table : tables)
        EXPECT_EQ(Query(std::string("select count(*) from ") + table + " where tabid = 101"), (Rows{{"0"}})) << table;
    EXPECT_EQ(Query("select count(*) from sysreferences where ptabid = 100"), (Rows{{"0"}}));
}

TEST_F(CatalogTable, RenameAndAlterKeepTabidAndConstraintNames) {
    ASSERT_EQ(Exec("rename table orders to purchases"), 0) << Errm();
    ASSERT_EQ(Exec("alter table purchases add (remark char(10))"), 0) << Errm();
    EXPECT_EQ(Query("select tabid, ncols from systables where tabname = 'purchases'"), (Rows{{"101", "6"}}));
    EXPECT_EQ(Query("select count(*) from systables where tabname = 'orders'"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from sysconstraints where constrname in ('pk_orders', 'fk_parent') and tabid = 101"),
              (Rows{{"2"}}));
}

TEST_F(CatalogTable, OwnerHoldsAllPrivileges) {
    EXPECT_EQ(Query("select trim(grantee), tabauth from systabauth where tabid = 101 order by tabauth"),
              (Rows{{user_, "SU-IDXAR-"}, {"public", "su-idx---"}}));
}

TEST_F(CatalogTable, UpdateStatisticsCountsRows) {
    ASSERT_EQ(Exec("insert into parent values ('A', 'a')"), 0) << Errm();
    ASSERT_EQ(Exec("insert into parent values ('B', 'b')"), 0) << Errm();
    ASSERT_EQ(Exec("update statistics"), 0) << Errm();
    EXPECT_EQ(Query("select nrows from systables where tabname = 'parent'"), (Rows{{"2"}}));
    EXPECT_EQ(Query("select count(*) from sysdistrib"), (Rows{{"0"}}));  // LOW keeps no distribution
}

TEST_F(CatalogTable, UpdateStatisticsForOneTableAndItsDistributions) {
    ASSERT_EQ(Exec("insert into parent values ('A', 'a')"), 0) << Errm();
    ASSERT_EQ(Exec("update statistics high for table parent (name)"), 0) << Errm();
    EXPECT_EQ(Query("select tabname, nrows from systables where tabid >= 100 order by tabid"),
              (Rows{{"parent", "1"}, {"orders", "0"}}));
    EXPECT_EQ(Query("select tabid, colno, seqno, mode, constructed = today from sysdistrib"),
              (Rows{{"100", "2", "1", "H", "1"}}));
    ASSERT_EQ(Exec("update statistics medium for table parent"), 0) << Errm();
    EXPECT_EQ(Query("select colno, mode from sysdistrib order by colno"), (Rows{{"1", "M"}, {"2", "M"}}));
    ASSERT_EQ(Exec("update statistics for table parent drop distributions"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from sysdistrib"), (Rows{{"0"}}));
}

}  // namespace
}  // namespace stmt_test
