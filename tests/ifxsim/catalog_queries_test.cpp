// Catalog queries of the schema browser, sent as the program writes them
// (parameters put in as literals), against tables with keys, a view and a synonym.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

std::string With(std::string sql, const std::string& param, const std::string& value) {
    for (std::size_t at; (at = sql.find(param)) != std::string::npos;) sql.replace(at, param.size(), value);
    return sql;
}

class CatalogQueries : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        for (const char* sql : {
                 "create table maker (id integer, name char(20), primary key (id) constraint pk_maker)",
                 "create table part (id integer, maker integer references maker (id) on delete cascade "
                 "constraint fk_maker, descr varchar(40))",
                 "create view makers as select id, name from maker",
                 "create synonym vendors for maker",
             })
            ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
        owner_ = Trimmed(Query("select owner from systables where tabid = 100").at(0).at(0));
    }
    std::string owner_;
};

TEST_F(CatalogQueries, TableListReadsEveryUserObject) {
    const Rows rows = Query("select tabname,owner,partnum,tabid,rowsize,ncols,nindexes,nrows,created,tabtype,locklevel,"
                            "npused,fextsize,nextsize from \"informix\".systables WHERE tabtype in ('V','T','S','P')");
    // The catalog's own tables are listed too (tabids below 100), as Informix lists them.
    std::vector<std::string> kinds;
    for (const auto& r : rows)
        if (std::stoi(r[3]) >= 100) kinds.push_back(Trimmed(r[0]) + ":" + r[9]);
    EXPECT_EQ(rows.size(), 26u + 4u);
    EXPECT_EQ(kinds, (std::vector<std::string>{"maker:T", "part:T", "makers:V", "vendors:S"}));
}

TEST_F(CatalogQueries, ConstraintsPaneAndItsReference) {
    const std::string qCntr =
        "select constrid,constrname, a.owner, constrtype, idxname, state\n"
        "from  \"informix\".sysconstraints a, outer \"informix\".sysobjstate o\n"
        " Where a.tabid = :t\nand o.objtype='C'\nand a.owner = o.owner\nand a.constrname = o.name\nand a.tabid = o.tabid";
    const Rows rows = TrimmedRows(Query(With(qCntr, ":t", "101")));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "fk_maker");
    EXPECT_EQ(rows[0][3], "R");
    EXPECT_EQ(rows[0][4], " 101_" + rows[0][0]);
    EXPECT_EQ(rows[0][5], "E");
    const std::string qRefCntr = "select owner, tabname, delrule\nFrom \"informix\".systables a, \"informix\".sysreferences b\n"
                                 "where tabid = ptabid and  b.constrid = :c";
    EXPECT_EQ(TrimmedRows(Query(With(qRefCntr, ":c", rows[0][0]))), (Rows{{owner_, "maker", "C"}}));
}

TEST_F(CatalogQueries, DependenciesPaneListsTablesViewsAndSynonyms) {
    const std::string qDepends =
        "Select 'table' deptype, t.owner, t.tabname \nfrom informix.sysreferences r, informix.sysconstraints c, "
        "informix.systables t\nwhere ptabid=:tabid  and r.constrid=c.constrid  and c.tabid=t.tabid\nunion all\n"
        "Select 'view' deptype, t.owner, t.tabname\nfrom informix.sysdepend d, informix.systables t\n"
        "where d.btabid=:tabid  and d.dtabid = t.tabid\nunion all\nSelect 'synonym' deptype, t.owner, t.tabname\n"
        "from informix.syssyntable s, informix.systables t\nwhere s.btabid= :tabid and s.tabid = t.tabid";
    const Rows rows = TrimmedRows(Query(With(qDepends, ":tabid", "100")));
    // deptype is as wide as the widest branch's text, so "synonym" arrives whole.
    EXPECT_EQ(rows, (Rows{{"table", owner_, "part"}, {"view", owner_, "makers"}, {"synonym", owner_, "vendors"}}));
}

TEST_F(CatalogQueries, IndexPaneReadsKeysAsText) {
    const std::string qIndx9 =
        "select idxname,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique,\n"
        " indexkeyarray_out(indexkeys)\nfrom  \"informix\".sysindices i, outer \"informix\".sysobjstate o\n"
        "where i.tabid=:t\nand o.objtype='I'\nand i.owner = o.owner\nand i.idxname = o.name\nand i.tabid = o.tabid";
    ASSERT_EQ(Exec("create index ix_part on part (descr desc, id)"), 0) << Errm();
    Rows rows = TrimmedRows(Query(With(qIndx9, ":t", "101")));
    ASSERT_EQ(rows.size(), 2u);
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a[2] < b[2]; });
    EXPECT_EQ(rows[0][2], "D");  // the foreign key's own index
    EXPECT_EQ(rows[0][9], "2 [1]");
    EXPECT_EQ(rows[1][0], "ix_part");
    EXPECT_EQ(rows[1][4], "E");
    EXPECT_EQ(rows[1][9], "-3 [1], 1 [1]");
}

TEST_F(CatalogQueries, SynonymPaneFindsItsTable) {
    const std::string qSynonym = "Select syn.servername, syn.dbname, syn.owner, syn.tabname,\n       st.owner, st.tabname  \n"
                                 "from \"informix\".syssyntable syn, outer \"informix\".systables st \n"
                                 "where syn.tabid = :tabid\nand syn.btabid = st.tabid\n";
    EXPECT_EQ(TrimmedRows(Query(With(qSynonym, ":tabid", "103"))),
              (Rows{{"<null>", "<null>", "<null>", "<null>", owner_, "maker"}}));
}

TEST_F(CatalogQueries, FieldDefinitionsFollowASynonymToItsTable) {
    const std::string fields =
        "select c.colname, c.coltype, c.collength, c.extended_id colxid, d.type deftype from informix.syscolumns c, "
        "outer informix.sysdefaults d where c.tabid = (select nvl(s.btabid, t.tabid) from informix.systables t, "
        "outer informix.syssyntable s where t.tabname = :tabname and s.tabid = t.tabid) and d.tabid = c.tabid "
        "and d.colno = c.colno";
    const Rows expected = {{"id", "258", "4", "0", "<null>"}, {"name", "0", "20", "0", "<null>"}};
    EXPECT_EQ(TrimmedRows(Query(With(fields, ":tabname", "'maker'"))), expected);
    EXPECT_EQ(TrimmedRows(Query(With(fields, ":tabname", "'vendors'"))), expected);
}

}  // namespace
}  // namespace stmt_test
