// Every catalog statement the workbench sends, in the text it sends: the
// connection's probes, the data set's field and index definitions, the role
// list, the schema browser's lists, detail panes, text pieces and script
// queries. Named parameters go to the server as "?" markers with bound
// values, as the statement layer prepares them; macros appear expanded.
#include "ifxsim/program_text_fixture.h"

namespace stmt_test {
namespace {

// The first column of every row, concatenated as the text-piece reader does.
std::string Pieces(const Rows& rows) {
    std::string text;
    for (const auto& row : rows) text += row.at(0);
    return text;
}

class ProgramQueries : public ProgramTextFixture {
protected:
    void SetUp() override {
        ProgramTextFixture::SetUp();
        for (const char* sql : {
                 "create table customer ("
                 " id serial,"
                 " name varchar(40) not null,"
                 " city char(20) default 'Kyiv',"
                 " balance decimal(16,2) default 0,"
                 " ratio decimal(16),"
                 " born date default today,"
                 " stamp datetime year to fraction(3) default current year to fraction(3),"
                 " span interval day(3) to second,"
                 " creator char(32) default user,"
                 " site char(32) default dbservername,"
                 " note varchar(100,10) default null,"
                 " big int8,"
                 " primary key (id) constraint pk_customer,"
                 " unique (name, city) constraint uq_customer"
                 ") extent size 32 next size 64 lock mode row",
                 "create table orders ("
                 " num serial,"
                 " cust integer,"
                 " amount money(8,2) not null,"
                 " shipped date,"
                 " primary key (num),"
                 " foreign key (cust) references customer (id) on delete cascade constraint fk_cust,"
                 " check (amount > 0 and amount < 1000000 and shipped > '01/01/2000') constraint ck_amount"
                 ")",
                 "create index ix_cust on orders (cust desc, amount)",
                 "create unique cluster index ix_ship on orders (shipped, num)",
                 "create view big_orders (num, cust, amount) as select num, cust, amount from orders where amount > 1000",
                 "create synonym clients for customer",
                 "create private synonym my_clients for customer",
                 "insert into customer (name, city) values ('Ann', 'Lviv')",
                 "insert into customer (name, city) values ('Bob', 'Odesa')",
                 "update statistics medium for table customer (name)",
             })
            ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
        user_ = Trimmed(Query("select owner from systables where tabid = 100").at(0).at(0));
    }
    static constexpr int kCustomer = 100, kOrders = 101, kView = 102, kSynonym = 103, kPrivate = 104;
    std::string user_;
};

// ---- connection probes ----

TEST_F(ProgramQueries, UserNameComesFromTheSessionTable) {
    const Rows sid = Query("select dbinfo('sessionid') from informix.systables where tabid = 1");
    ASSERT_EQ(sid.size(), 1u);
    Params p;
    p.integer(std::stoi(sid[0][0]));
    const Rows name = Query("select username from sysmaster:informix.syssessions where sid = ?", &p);
    EXPECT_EQ(TrimmedRows(name), (Rows{{user_}}));
}

// The connection's three probes go through singleton selects into C host variables.
TEST_F(ProgramQueries, ConnectionProbesAsSingletonSelects) {
    auto slct = [](const char* sql, int inputs, ifx_sqlvar_t* in, ifx_sqlvar_t* out) {
        const char* pieces[] = {sql, nullptr};
        return sqli_slct(ESQLINTVERSION, nullptr, pieces, inputs, in, 1, out, 0, nullptr, nullptr, 0);
    };
    int4 sid = -1;
    ifx_sqlvar_t sidOut{};
    sidOut.sqltype = CINTTYPE;
    sidOut.sqllen = sizeof sid;
    sidOut.sqldata = reinterpret_cast<char*>(&sid);
    ASSERT_EQ(slct("select dbinfo('sessionid') from informix.systables where tabid = 1", 0, nullptr, &sidOut), 0)
        << Errm();
    EXPECT_GT(sid, 0);
    char name[34] = {};
    ifx_sqlvar_t nameOut{};
    nameOut.sqltype = CCHARTYPE;
    nameOut.sqllen = 33;
    nameOut.sqldata = name;
    ASSERT_EQ(slct("select username from sysmaster:informix.syssessions where sid = ?", 1, &sidOut, &nameOut), 0)
        << Errm();
    EXPECT_EQ(Trimmed(name), user_);
    int4 parts = 0;
    ifx_sqlvar_t partsOut{};
    partsOut.sqltype = CINTTYPE;
    partsOut.sqllen = sizeof parts;
    partsOut.sqldata = reinterpret_cast<char*>(&parts);
    ASSERT_EQ(slct("select 1 from informix.systables t, informix.syscolumns c where t.tabname = 'sysindexes' and "
                   "c.tabid = t.tabid and c.colname = 'part16'",
                   0, nullptr, &partsOut),
              0)
        << Errm();
    EXPECT_EQ(parts, 1);
}

// ---- the data set's field and index definitions ----

// "select c.colname, … %colxid colxid … from %"database"informix.syscolumns c … where %"ownerfilter"t.tabname = :tabname …"
std::string FieldDefinitions(const std::string& database, const std::string& colxid, const std::string& ownerFilter) {
    return "select c.colname, c.coltype, c.collength, " + colxid + " colxid, d.type deftype from " + database +
           "informix.syscolumns c, outer " + database + "informix.sysdefaults d where c.tabid = (select nvl(s.btabid, "
           "t.tabid) from " + database + "informix.systables t, outer " + database + "informix.syssyntable s where " +
           ownerFilter + "t.tabname = ? and s.tabid = t.tabid) and d.tabid = c.tabid and d.colno = c.colno";
}

std::string IndexDefinitions(const std::string& database, const std::string& onlineIndices, const std::string& ownerFilter) {
    return "select si.idxname, sc.idxname pkname, si.idxtype, si.part1, si.part2, si.part3, si.part4, si.part5, "
           "si.part6, si.part7, si.part8" + onlineIndices + " from " + database + "informix.sysindexes si, outer " +
           database + "informix.sysconstraints sc where si.tabid = (select nvl(s.btabid, t.tabid) from " + database +
           "informix.systables t, outer " + database + "informix.syssyntable s where " + ownerFilter +
           "t.tabname = ? and s.tabid = t.tabid) and sc.tabid = si.tabid and sc.constrtype = 'P'";
}

const char* const kSixteenParts = ", si.part9, si.part10, si.part11, si.part12, si.part13, si.part14, si.part15, si.part16";

TEST_F(ProgramQueries, FieldDefinitionsInEveryExpansion) {
    const Rows expected = {{"num", "262", "4", "0", "<null>"},
                           {"cust", "2", "4", "0", "<null>"},
                           {"amount", "264", "2050", "0", "<null>"},
                           {"shipped", "7", "4", "0", "<null>"}};
    // %"database" empty or "stmtdb::" (the processor leaves one colon); %colxid "c.extended_id" or "0".
    for (const std::string database : {"", "stmtdb:"})
        for (const std::string colxid : {"c.extended_id", "0"}) {
            Params p;
            p.text("orders");
            EXPECT_EQ(TrimmedRows(Query(FieldDefinitions(database, colxid, ""), &p)), expected)
                << database << " " << colxid;
        }
    // Defaults make a column optional: deftype is the sysdefaults letter.
    Params p;
    p.text("clients");
    Rows rows = TrimmedRows(Query(FieldDefinitions("", "c.extended_id", ""), &p));
    ASSERT_EQ(rows.size(), 12u);
    std::string letters;
    for (const auto& r : rows) letters += r[4] == "<null>" ? "-" : r[4];
    EXPECT_EQ(letters, "--LL-TC-USN-");
    EXPECT_EQ(rows[11], (std::vector<std::string>{"big", "17", "10", "0", "<null>"}));
}

TEST_F(ProgramQueries, IndexDefinitionsWithEightOrSixteenParts) {
    for (const std::string online : {std::string(), std::string(kSixteenParts)}) {
        Params p;
        p.text("orders");
        Rows rows = TrimmedRows(Query(IndexDefinitions("stmtdb:", online, ""), &p));
        ASSERT_EQ(rows.size(), 4u);
        ASSERT_EQ(rows[0].size(), online.empty() ? 11u : 19u);
        std::sort(rows.begin(), rows.end());
        const std::string pk = rows[0][1];
        EXPECT_EQ(pk.substr(0, 4), " 101");  // the primary key's server index
        // idxname, idxtype, part1, part2, part3 of each index; pkname the same on every row
        Rows shape;
        for (const auto& r : rows) {
            EXPECT_EQ(r[1], pk);
            shape.push_back({r[0] == pk ? "<pk>" : r[0].front() == ' ' ? "<fk>" : r[0], r[2], r[3], r[4], r[5]});
        }
        EXPECT_EQ(shape, (Rows{{"<pk>", "U", "1", "0", "0"},
                               {"<fk>", "D", "2", "0", "0"},
                               {"ix_cust", "D", "-2", "3", "0"},
                               {"ix_ship", "U", "4", "1", "0"}}));
    }
    // A table without a primary key: pkname is NULL on every row.
    ASSERT_EQ(Exec("create table loose (a integer, b integer)"), 0) << Errm();
    ASSERT_EQ(Exec("create index ix_loose on loose (b)"), 0) << Errm();
    Params p;
    p.text("loose");
    EXPECT_EQ(TrimmedRows(Query(IndexDefinitions("", "", ""), &p)),
              (Rows{{"ix_loose", "<null>", "D", "2", "0", "0", "0", "0", "0", "0", "0"}}));
}

TEST_F(ProgramQueries, AnsiDatabaseFiltersByOwner) {
    ASSERT_EQ(Exec("create database ansidb with log mode ansi"), 0) << Errm();
    ASSERT_EQ(Exec("create table item (code char(4) not null, qty smallint, primary key (code))"), 0) << Errm();
    // %"ownerfilter" = "t.owner = :owner and "; the owner is the connection's user.
    const std::string filter = "t.owner = ? and ";
    Params p;
    p.text(user_).text("item");
    EXPECT_EQ(TrimmedRows(Query(FieldDefinitions("ansidb:", "c.extended_id", filter), &p)),
              (Rows{{"code", "256", "4", "0", "<null>"}, {"qty", "1", "2", "0", "<null>"}}));
    Params q;
    q.text(user_).text("item");
    const Rows idx = TrimmedRows(Query(IndexDefinitions("ansidb:", kSixteenParts, filter), &q));
    ASSERT_EQ(idx.size(), 1u);
    EXPECT_EQ(idx[0][0], idx[0][1]);  // the primary key's own index
    Params other;
    other.text("somebody").text("item");
    EXPECT_TRUE(Query(FieldDefinitions("", "0", filter), &other).empty());
    // An ANSI database grants nothing to public.
    EXPECT_EQ(Query("select count(*) from systabauth where grantee = 'public'"), (Rows{{"0"}}));
}

// ---- the connection bar's role list ----

TEST_F(ProgramQueries, RoleListRunsForTheCurrentUser) {
    const std::string sql = "Select rolename From \"informix\".sysroleauth Where grantee = user";
    Prepared p(sql);
    ASSERT_NE(p.described(), nullptr) << Errm();
    ASSERT_EQ(p.described()->sqld, 1);
    // Roles come with CREATE ROLE / GRANT role.
    if (Exec("create role clerk") != 0 || Exec("grant clerk to " + user_) != 0 ||
        Query("select count(*) from sysroleauth") == Rows{{"0"}})
        GTEST_SKIP() << "role grants are not recorded by this server yet";
    EXPECT_EQ(TrimmedRows(Query(sql)), (Rows{{"clerk"}}));
}

// ---- object lists ----

TEST_F(ProgramQueries, TableListWithPatternClauseInNameOrder) {
    const std::string base = "select tabname,owner,partnum,tabid,rowsize,ncols,nindexes,nrows,created,tabtype,locklevel,"
                             "npused,fextsize,nextsize from \"informix\".systables WHERE tabtype in ('V','T','S','P')";
    Rows rows = TrimmedRows(Query(base + " and ( tabname matches '*or*' or tabname matches 'cl*' or tabname matches "
                                         "'my_[a-d]*') order by 1"));
    for (auto& r : rows) r.erase(r.begin() + 8);  // created: today
    EXPECT_EQ(rows, (Rows{{"big_orders", user_, "0", "102", "13", "3", "0", "0", "V", "B", "0", "0", "0"},
                          {"clients", user_, "0", "103", "0", "0", "0", "0", "S", "B", "0", "0", "0"},
                          {"my_clients", user_, "0", "104", "0", "0", "0", "0", "P", "B", "0", "0", "0"},
                          {"orders", user_, rows.at(3).at(2), "101", "17", "4", "4", "0", "T", "P", "0", "16", "16"}}));
    // statistics: customer has two rows counted
    Rows customer = TrimmedRows(Query(base + " and ( tabname matches 'customer') order by 1"));
    ASSERT_EQ(customer.size(), 1u);
    EXPECT_EQ(customer[0][7], "2");   // nrows
    EXPECT_EQ(customer[0][10], "R");  // locklevel
    EXPECT_EQ(customer[0][11], "1");  // npused
    EXPECT_EQ(customer[0][12], "32");
    EXPECT_EQ(customer[0][13], "64");
    // UPDATE STATISTICS also counted the index keys: two distinct names under the unique key on (name, city).
    const std::string qIndx9 =
        "select idxname,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique,\n"
        " indexkeyarray_out(indexkeys)\nfrom  \"informix\".sysindices i, outer \"informix\".sysobjstate o\n"
        "where i.tabid=?\nand o.objtype='I'\nand i.owner = o.owner\nand i.idxname = o.name\nand i.tabid = o.tabid";
    Params p;
    p.integer(kCustomer);
    Rows indexes = TrimmedRows(Query(qIndx9, &p));
    std::sort(indexes.begin(), indexes.end(), [](const auto& a, const auto& b) { return a[9] < b[9]; });
    ASSERT_EQ(indexes.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{indexes[0][9], indexes[0][5], indexes[0][6], indexes[0][8]}),
              (std::vector<std::string>{"1 [1]", "1", "1", "2"}));
    EXPECT_EQ((std::vector<std::string>{indexes[1][9], indexes[1][8]}), (std::vector<std::string>{"2 [1], 3 [1]", "2"}));
    // A blank-only token matches nothing.
    EXPECT_TRUE(Query(base + " and ( tabname matches '') order by 1").empty());
}

TEST_F(ProgramQueries, ProcedureListInBothForms) {
    const std::string rich = "select procname, owner, procid, mode, isproc, paramtypes::lvarchar from "
                             "\"informix\".sysprocedures WHERE mode not in ('P','o','r','d','p')  and ( procname "
                             "matches 'add*') order by 1";
    const std::string plain = "select procname, owner, procid, mode from \"informix\".sysprocedures WHERE mode not in "
                              "('P','o','r','d','p')  order by 1";
    Prepared p(rich);
    ASSERT_NE(p.described(), nullptr) << Errm();
    EXPECT_EQ(p.described()->sqld, 6);
    EXPECT_EQ(p.described()->sqlvar[5].sqltype & SQLTYPE, SQLLVARCHAR);
    if (Exec("create procedure add_one(a integer) returning integer; return a + 1; end procedure") != 0)
        GTEST_SKIP() << "routines are not stored by this server yet";
    const Rows rows = TrimmedRows(Query(rich));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "add_one");
    EXPECT_EQ(rows[0][1], user_);
    EXPECT_EQ(rows[0][3], "O");
    EXPECT_EQ(rows[0][5], "integer");
    EXPECT_EQ(TrimmedRows(Query(plain)).size(), 1u);
    // The routine-name lookup of the index key renderer, and the routine script's queries.
    Params id;
    id.integer(std::stoi(rows[0][2]));
    EXPECT_EQ(TrimmedRows(Query("Select procname\nFrom \"informix\".sysprocedures\nwhere   procid = ?\n", &id)),
              (Rows{{"add_one"}}));
    Params body;
    body.integer(std::stoi(rows[0][2]));
    EXPECT_NE(Pieces(Query("Select data,seqno\nFrom \"informix\".sysprocbody\nwhere  datakey = 'T' and  procid = ?\n"
                           "Order By 2", &body)).find("return a + 1;"),
              std::string::npos);
    Params auth;
    auth.integer(std::stoi(rows[0][2]));
    Query("select grantor, grantee, procauth from \"informix\".sysprocauth where procid = ?", &auth);
}

// ---- detail panes ----

const char* const kFields9 =
    "select colname, coltype, collength, a.colno, b.type, b.default,  xdt.name, xdt.owner, sd.constructed, sd.mode\n"
    "from \"informix\".syscolumns a, outer \"informix\".sysdefaults b, outer \"informix\".sysxtdtypes xdt, outer "
    "\"informix\".sysdistrib sd\n"
    "where a.tabid=? and a.tabid = b.tabid and a.colno = b.colno and xdt.extended_id = a.extended_id and a.tabid = "
    "sd.tabid and a.colno = sd.colno and sd.seqno = 1\n"
    "order by a.colno";
const char* const kFields7 =
    "select colname, coltype, collength, a.colno, b.type, b.default,  '', '', sd.constructed, sd.mode\n"
    "from \"informix\".syscolumns a, outer \"informix\".sysdefaults b, outer \"informix\".sysdistrib sd\n"
    "where a.tabid=? and a.tabid = b.tabid and a.colno = b.colno and a.tabid = sd.tabid and a.colno = sd.colno and "
    "sd.seqno = 1\n"
    "order by a.colno";

TEST_F(ProgramQueries, FieldsPaneInBothForms) {
    for (const char* sql : {kFields9, kFields7}) {
        Params p;
        p.integer(kCustomer);
        Rows rows = TrimmedRows(Query(sql, &p));
        ASSERT_EQ(rows.size(), 12u) << sql;
        const std::string today = Query("select today from systables where tabid = 1").at(0).at(0);
        // colname, coltype, collength, colno, deftype, default (after its first blank, as the pane shows it)
        Rows shape;
        for (auto& r : rows) {
            const std::string def = r[5].find(' ') == std::string::npos ? r[5] : r[5].substr(r[5].find(' ') + 1);
            shape.push_back({r[0], r[1], r[2], r[3], r[4], def});
        }
        EXPECT_EQ(shape, (Rows{{"id", "262", "4", "1", "<null>", "<null>"},
                               {"name", "269", "40", "2", "<null>", "<null>"},
                               {"city", "0", "20", "3", "L", "Kyiv"},
                               {"balance", "5", "4098", "4", "L", "0"},
                               {"ratio", "5", "4351", "5", "<null>", "<null>"},
                               {"born", "7", "4", "6", "T", "<null>"},
                               {"stamp", "10", "4365", "7", "C", "<null>"},
                               {"span", "14", "2378", "8", "<null>", "<null>"},
                               {"creator", "0", "32", "9", "U", "<null>"},
                               {"site", "0", "32", "10", "S", "<null>"},
                               {"note", "13", "2660", "11", "N", "<null>"},
                               {"big", "17", "10", "12", "<null>", "<null>"}}))
            << sql;
        // Extended type name and owner: none for built-in types.
        for (const auto& r : rows) EXPECT_EQ(r[6] + "|" + r[7], std::string(sql) == kFields9 ? "<null>|<null>" : "|");
        // The distribution of name only (UPDATE STATISTICS MEDIUM … (name)).
        for (const auto& r : rows) {
            if (r[0] == "name") {
                EXPECT_EQ(r[8], today);  // constructed: a DATE, as older servers keep it
                EXPECT_EQ(r[9], "M");
            } else {
                EXPECT_EQ(r[8] + r[9], "<null><null>") << r[0];
            }
        }
    }
}

// A view's computed columns carry the types DESCRIBE gives them; its conditions are read as Informix writes them.
TEST_F(ProgramQueries, FieldsPaneOfAViewWithComputedColumns) {
    ASSERT_EQ(Exec("create view totals (cust, n, total, seen) as select cust, count(*), sum(amount), today from orders "
                   "where cust matches '1*' group by cust"),
              0)
        << Errm();
    const int tabid = std::stoi(Query("select tabid from systables where tabname = 'totals'").at(0).at(0));
    Params p;
    p.integer(tabid);
    Rows rows = TrimmedRows(Query(kFields9, &p));
    ASSERT_EQ(rows.size(), 4u);
    // The same types and lengths DESCRIBE gives the view's own SELECT.
    Prepared select("select cust, count(*), sum(amount), today from orders where cust matches '1*' group by cust");
    ASSERT_NE(select.described(), nullptr) << Errm();
    ASSERT_EQ(select.described()->sqld, 4);
    const char* const names[] = {"cust", "n", "total", "seen"};
    for (int i = 0; i < 4; ++i) {
        const ifx_sqlvar_t& v = select.described()->sqlvar[i];
        EXPECT_EQ(rows[static_cast<std::size_t>(i)][0], names[i]);
        EXPECT_EQ(std::stoi(rows[static_cast<std::size_t>(i)][1]) % 256, v.sqltype & SQLTYPE) << names[i];
        EXPECT_EQ(rows[static_cast<std::size_t>(i)][2], std::to_string(v.sqllen)) << names[i];
    }
    EXPECT_EQ((std::vector<std::string>{rows[1][1], rows[3][1]}), (std::vector<std::string>{"2", "7"}));  // INTEGER, DATE
}

TEST_F(ProgramQueries, IndexesPaneInBothForms) {
    const std::string qIndx7 =
        "select  idxname ,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique,\n"
        "part1,  part2,   part3,     part4,    part5,\npart6,  part7,   part8,     part9,    part10,\n"
        "part11,part12, part13,    part14,  part15, part16\nfrom \"informix\".sysindexes i,  outer "
        "\"informix\".sysobjstate o\nwhere i.tabid=?\nand o.objtype='I'\nand i.owner = o.owner\nand i.idxname = "
        "o.name\nand i.tabid = o.tabid\n";
    Params p;
    p.integer(kOrders);
    Rows rows = TrimmedRows(Query(qIndx7, &p));
    ASSERT_EQ(rows.size(), 4u);
    std::sort(rows.begin(), rows.end());
    for (const auto& r : rows) {
        EXPECT_EQ(r[1], user_);
        EXPECT_EQ(r[4], "E");
        for (std::size_t k = 12; k < 25; ++k) EXPECT_EQ(r[k], "0");
    }
    EXPECT_EQ(rows[2][0], "ix_cust");
    EXPECT_EQ((std::vector<std::string>{rows[2][2], rows[2][3], rows[2][9], rows[2][10]}),
              (std::vector<std::string>{"D", "", "-2", "3"}));
    EXPECT_EQ(rows[3][0], "ix_ship");
    EXPECT_EQ((std::vector<std::string>{rows[3][2], rows[3][3], rows[3][9], rows[3][10]}),
              (std::vector<std::string>{"U", "C", "4", "1"}));
    const std::string qIndx9 =
        "select idxname,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique,\n"
        " indexkeyarray_out(indexkeys)\nfrom  \"informix\".sysindices i, outer \"informix\".sysobjstate o\n"
        "where i.tabid=?\nand o.objtype='I'\nand i.owner = o.owner\nand i.idxname = o.name\nand i.tabid = o.tabid";
    Params q;
    q.integer(kOrders);
    Rows keys = TrimmedRows(Query(qIndx9, &q));
    std::sort(keys.begin(), keys.end());
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0][9], "1 [1]");
    EXPECT_EQ(keys[1][9], "2 [1]");
    EXPECT_EQ(keys[2][9], "-2 [1], 3 [1]");
    EXPECT_EQ(keys[3][9], "4 [1], 1 [1]");
}

TEST_F(ProgramQueries, ConstraintsPaneWithCheckText) {
    const std::string qCntr =
        "select constrid,constrname, a.owner, constrtype, idxname, state\n"
        "from  \"informix\".sysconstraints a, outer \"informix\".sysobjstate o\n"
        " Where a.tabid = ?\nand o.objtype='C'\nand a.owner = o.owner\nand a.constrname = o.name\nand a.tabid = o.tabid";
    Params p;
    p.integer(kOrders);
    Rows rows = TrimmedRows(Query(qCntr, &p));
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return std::stoi(a[0]) < std::stoi(b[0]); });
    ASSERT_EQ(rows.size(), 4u) << ::testing::PrintToString(rows);
    const auto id = [&](std::size_t n) { return rows[n][0]; };
    EXPECT_EQ(rows, (Rows{{id(0), "n101_" + id(0), user_, "N", "<null>", "E"},
                          {id(1), "u101_" + id(1), user_, "P", " 101_" + id(1), "E"},
                          {id(2), "fk_cust", user_, "R", " 101_" + id(2), "E"},
                          {id(3), "ck_amount", user_, "C", "<null>", "E"}}));
    Params c;
    c.integer(std::stoi(id(2)));
    EXPECT_EQ(TrimmedRows(Query("select owner, tabname, delrule\nFrom \"informix\".systables a, \"informix\".sysreferences b\n"
                                "where tabid = ptabid and  b.constrid = ?", &c)),
              (Rows{{user_, "customer", "C"}}));
    Params k;
    k.integer(std::stoi(id(3)));
    const Rows pieces = Query("Select checktext, seqno\nFrom \"informix\".syschecks\nWhere  constrid = ? and type = 'T'\n"
                              "Order By 2", &k);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0][0].size(), 32u);  // CHAR(32) pieces, blanks kept
    EXPECT_EQ(Trimmed(Pieces(pieces)), "(amount > 0 and amount < 1000000 and shipped > '01/01/2000')");
}

TEST_F(ProgramQueries, TriggersPaneAndItsText) {
    const std::string qTrg = "Select trigid, trigname, t.owner, event, old, new, state\n"
                             "From \"informix\".systriggers t,  outer \"informix\".sysobjstate o\nWhere t.tabid = ?\n"
                             "and o.objtype='T'\nand t.owner = o.owner\nand t.trigname = o.name\nand t.tabid = o.tabid";
    Prepared described(qTrg);
    ASSERT_NE(described.described(), nullptr) << Errm();
    EXPECT_EQ(described.described()->sqld, 7);
    if (Exec("create trigger tr_amount update of amount on orders referencing old as pre new as post "
             "for each row (insert into orders (cust, amount) values (post.cust, 1))") != 0)
        GTEST_SKIP() << "triggers are not stored by this server yet";
    Params p;
    p.integer(kOrders);
    const Rows rows = TrimmedRows(Query(qTrg, &p));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ((std::vector<std::string>(rows[0].begin() + 1, rows[0].end())),
              (std::vector<std::string>{"tr_amount", user_, "U", "pre", "post", "E"}));
    const std::string qTrgHd = "Select data,seqno\nFrom \"informix\".systrigbody \nwhere  datakey = 'D' and  trigid = ?\n"
                               "Order By 2";
    std::string qTrgBd = qTrgHd;
    qTrgBd.replace(qTrgBd.find("'D'"), 3, "'A'");
    Params h;
    h.integer(std::stoi(rows[0][0]));
    Params b;
    b.integer(std::stoi(rows[0][0]));
    const std::string text = Pieces(Query(qTrgHd, &h)) + Pieces(Query(qTrgBd, &b));
    EXPECT_NE(text.find("tr_amount"), std::string::npos);
    EXPECT_NE(text.find("insert into orders"), std::string::npos);
}

TEST_F(ProgramQueries, FragmentsPaneForExpressionAndRoundRobin) {
    ASSERT_EQ(Exec("create table split (a integer, b char(4)) fragment by expression a < 10 in dbs1, "
                   "a >= 10 and a < 100 in dbs2, b in ('x', 'y') in dbs2, remainder in dbs3"),
              0)
        << Errm();
    ASSERT_EQ(Exec("create table spread (a integer) fragment by round robin in dbs1, dbs2"), 0) << Errm();
    const std::string qFrags = "select  fragtype, indexname, strategy, exprtext, dbspace, npused, nrows, evalpos\n"
                               "from  \"informix\".sysfragments  \nwhere tabid =?\norder by fragtype, indexname,  evalpos";
    Params p;
    p.integer(105);
    EXPECT_EQ(TrimmedRows(Query(qFrags, &p)),
              (Rows{{"T", "<null>", "E", "a < 10", "dbs1", "0", "0", "0"},
                    {"T", "<null>", "E", "a >= 10 and a < 100", "dbs2", "0", "0", "1"},
                    {"T", "<null>", "E", "b in ('x', 'y')", "dbs2", "0", "0", "2"},
                    {"T", "<null>", "E", "remainder", "dbs3", "0", "0", "3"}}));
    Params q;
    q.integer(106);
    EXPECT_EQ(TrimmedRows(Query(qFrags, &q)),
              (Rows{{"T", "<null>", "R", "<null>", "dbs1", "0", "0", "0"},
                    {"T", "<null>", "R", "<null>", "dbs2", "0", "0", "1"}}));
    // A table that is not fragmented has no rows; DROP TABLE takes them away.
    Params none;
    none.integer(kOrders);
    EXPECT_TRUE(Query(qFrags, &none).empty());
    ASSERT_EQ(Exec("drop table split"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from sysfragments"), (Rows{{"2"}}));
}

TEST_F(ProgramQueries, DependenciesPaneOfTheCustomerTable) {
    const std::string qDepends =
        "Select 'table' deptype, t.owner, t.tabname \nfrom informix.sysreferences r, informix.sysconstraints c, "
        "informix.systables t\nwhere ptabid=?  and r.constrid=c.constrid  and c.tabid=t.tabid\nunion all\n"
        "Select 'view' deptype, t.owner, t.tabname\nfrom informix.sysdepend d, informix.systables t\n"
        "where d.btabid=?  and d.dtabid = t.tabid\nunion all\nSelect 'synonym' deptype, t.owner, t.tabname\n"
        "from informix.syssyntable s, informix.systables t\nwhere s.btabid= ? and s.tabid = t.tabid";
    Params p;
    p.integer(kCustomer).integer(kCustomer).integer(kCustomer);
    EXPECT_EQ(TrimmedRows(Query(qDepends, &p)),
              (Rows{{"table", user_, "orders"}, {"synonym", user_, "clients"}, {"synonym", user_, "my_clients"}}));
    Params q;
    q.integer(kOrders).integer(kOrders).integer(kOrders);
    EXPECT_EQ(TrimmedRows(Query(qDepends, &q)), (Rows{{"view", user_, "big_orders"}}));
}

TEST_F(ProgramQueries, RowCountOfTheDataPage) {
    const std::string table = "\"" + user_ + "\".customer";
    EXPECT_EQ(Query("Select count(*) nrows from " + table), (Rows{{"2"}}));
    EXPECT_EQ(Query("Select count(*) nrows from " + table + " where city = 'Lviv'"), (Rows{{"1"}}));
}

// ---- script queries ----

TEST_F(ProgramQueries, GrantRowsOfTablesAndViews) {
    const std::string qTabAuth = "select grantor, grantee, tabauth from \"informix\".systabauth where tabid = ?";
    for (const int tabid : {kCustomer, kView}) {
        Params p;
        p.integer(tabid);
        Rows rows = TrimmedRows(Query(qTabAuth, &p));
        std::sort(rows.begin(), rows.end());
        // The owner's own row has no grantor (the script skips it); public gets what the owner granted at creation.
        EXPECT_EQ(rows, (Rows{{"", user_, tabid == kView ? "SU-ID----" : "SU-IDXAR-"},
                              {user_, "public", tabid == kView ? "su-id----" : "su-idx---"}}))
            << tabid;
    }
}

TEST_F(ProgramQueries, ViewTextInItsPieces) {
    Params p;
    p.integer(kView);
    const Rows pieces = Query("Select  viewtext, seqno\nFrom \"informix\".sysviews \nWhere tabid = ?\nOrder By 2\n", &p);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0][0].size(), 64u);
    EXPECT_EQ(pieces[1][1], "1");
    EXPECT_EQ(Trimmed(Pieces(pieces)),
              "create view big_orders (num, cust, amount) as select num, cust, amount from orders where amount > 1000");
}

TEST_F(ProgramQueries, SynonymScriptQueryForBothKinds) {
    const std::string qSynonym = "Select syn.servername, syn.dbname, syn.owner, syn.tabname,\n       st.owner, st.tabname  \n"
                                 "from \"informix\".syssyntable syn, outer \"informix\".systables st \n"
                                 "where syn.tabid = ?\nand syn.btabid = st.tabid\n";
    for (const int tabid : {kSynonym, kPrivate}) {
        Params p;
        p.integer(tabid);
        EXPECT_EQ(TrimmedRows(Query(qSynonym, &p)), (Rows{{"<null>", "<null>", "<null>", "<null>", user_, "customer"}}));
    }
    Params none;
    none.integer(kCustomer);
    EXPECT_TRUE(Query(qSynonym, &none).empty());  // "Synonym not found"
}

}  // namespace
}  // namespace stmt_test
