// The catalog rows behind the schema browser's table script: user joe's table
// orders with a serial key, a VARCHAR, a DATETIME defaulting to CURRENT and a
// CHAR defaulting to 'N', a user index and a server-named primary key at
// tabid 105 / constrid 12, read back with the browser's own queries; then the
// script itself run again, which must give the same rows.
#include "ifxsim/program_text_fixture.h"

namespace stmt_test {
namespace {

Rows Sorted(Rows rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

const char* const kTableList =
    "select tabname,owner,partnum,tabid,rowsize,ncols,nindexes,nrows,created,tabtype,locklevel,npused,fextsize,"
    "nextsize from \"informix\".systables WHERE tabtype in ('V','T','S','P') and ( tabname matches 'orders') order by 1";
const char* const kFields9 =
    "select colname, coltype, collength, a.colno, b.type, b.default,  xdt.name, xdt.owner, sd.constructed, sd.mode\n"
    "from \"informix\".syscolumns a, outer \"informix\".sysdefaults b, outer \"informix\".sysxtdtypes xdt, outer "
    "\"informix\".sysdistrib sd\n"
    "where a.tabid=? and a.tabid = b.tabid and a.colno = b.colno and xdt.extended_id = a.extended_id and a.tabid = "
    "sd.tabid and a.colno = sd.colno and sd.seqno = 1\n"
    "order by a.colno";
const char* const kIndx9 =
    "select idxname,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique,\n"
    " indexkeyarray_out(indexkeys)\nfrom  \"informix\".sysindices i, outer \"informix\".sysobjstate o\n"
    "where i.tabid=?\nand o.objtype='I'\nand i.owner = o.owner\nand i.idxname = o.name\nand i.tabid = o.tabid";
const char* const kCntr =
    "select constrid,constrname, a.owner, constrtype, idxname, state\n"
    "from  \"informix\".sysconstraints a, outer \"informix\".sysobjstate o\n"
    " Where a.tabid = ?\nand o.objtype='C'\nand a.owner = o.owner\nand a.constrname = o.name\nand a.tabid = o.tabid";
const char* const kRefCntr = "select owner, tabname, delrule\nFrom \"informix\".systables a, \"informix\".sysreferences b\n"
                             "where tabid = ptabid and  b.constrid = ?";
const char* const kTabAuth = "select grantor, grantee, tabauth from \"informix\".systabauth where tabid = ?";
const char* const kSynonym = "Select syn.servername, syn.dbname, syn.owner, syn.tabname,\n       st.owner, st.tabname  \n"
                             "from \"informix\".syssyntable syn, outer \"informix\".systables st \n"
                             "where syn.tabid = ?\nand syn.btabid = st.tabid\n";

class SchemaScript : public ProgramTextFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(ifx_putenv("WIN32USER=joe"), 0);
        ProgramTextFixture::SetUp();
    }
    void TearDown() override {
        StmtFixture::TearDown();
        ifx_putenv("WIN32USER=");
    }

    Rows With(const char* sql, int value) {
        Params p;
        p.integer(value);
        return TrimmedRows(Query(sql, &p));
    }

    // Five tables with eleven NOT NULL constraints before it put orders at tabid 105, its key at constrid 12.
    void MakeOrders() {
        for (const char* sql : {"create table t0 (a integer not null, b integer not null, c integer not null)",
                                "create table t1 (a integer not null, b integer not null)",
                                "create table t2 (a integer not null, b integer not null)",
                                "create table t3 (a integer not null, b integer not null)",
                                "create table t4 (a integer not null, b integer not null)",
                                "create table orders (id serial, name varchar(40), "
                                "created datetime year to second default current year to second, "
                                "status char(1) default 'N', primary key (id))",
                                "create index ix_name on orders (name)"})
            ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
    }

    // Everything the table script is built from, for one table.
    Rows CatalogOf(int tabid) {
        Rows all;
        for (auto r : With(kFields9, tabid)) {
            // the pane shows a literal default after its first blank
            if (r[5].find(' ') != std::string::npos) r[5] = r[5].substr(r[5].find(' ') + 1);
            all.push_back({"field", r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]});
        }
        for (const auto& r : Sorted(With(kIndx9, tabid)))
            all.push_back({"index", r[0], r[1], r[2], r[3], r[4], r[9]});
        for (const auto& r : With(kCntr, tabid)) all.push_back({"constraint", r[1], r[2], r[3], r[4], r[5]});
        for (const auto& r : Sorted(With(kTabAuth, tabid))) all.push_back({"grant", r[0], r[1], r[2]});
        return all;
    }
};

TEST_F(SchemaScript, OrdersAsTheScriptReadsThem) {
    MakeOrders();
    Rows list = TrimmedRows(Query(kTableList));
    ASSERT_EQ(list.size(), 1u);
    // tabname, owner, tabid, ncols, nindexes, tabtype, locklevel, fextsize, nextsize
    EXPECT_EQ((std::vector<std::string>{list[0][0], list[0][1], list[0][3], list[0][5], list[0][6], list[0][9],
                                        list[0][10], list[0][12], list[0][13]}),
              (std::vector<std::string>{"orders", "joe", "105", "4", "2", "T", "P", "16", "16"}));
    EXPECT_EQ(CatalogOf(105),
              (Rows{{"field", "id", "262", "4", "1", "<null>", "<null>", "<null>", "<null>"},
                    {"field", "name", "13", "40", "2", "<null>", "<null>", "<null>", "<null>"},
                    {"field", "created", "10", "3594", "3", "C", "<null>", "<null>", "<null>"},
                    {"field", "status", "0", "1", "4", "L", "N", "<null>", "<null>"},
                    {"index", " 105_12", "joe", "U", "", "E", "1 [1]"},
                    {"index", "ix_name", "joe", "D", "", "E", "2 [1]"},
                    {"constraint", "u105_12", "joe", "P", " 105_12", "E"},
                    {"grant", "", "joe", "SU-IDXAR-"},
                    {"grant", "joe", "public", "su-idx---"}}));
    // The synonym script's row.
    ASSERT_EQ(Exec("create synonym s_orders for orders"), 0) << Errm();
    EXPECT_EQ(With(kSynonym, 106), (Rows{{"<null>", "<null>", "<null>", "<null>", "joe", "orders"}}));
}

// The routine script's rows: joe's procedure add_one(integer), its text and its execute grant to public.
TEST_F(SchemaScript, RoutineScriptRows) {
    ASSERT_EQ(Exec("create procedure add_one(a integer) returning integer; return a + 1; end procedure"), 0) << Errm();
    const Rows list = TrimmedRows(
        Query("select procname, owner, procid, mode, isproc, paramtypes::lvarchar from \"informix\".sysprocedures "
              "WHERE mode not in ('P','o','r','d','p')  and ( procname matches 'add_one') order by 1"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ((std::vector<std::string>{list[0][0], list[0][1], list[0][3], list[0][4], list[0][5]}),
              (std::vector<std::string>{"add_one", "joe", "O", "t", "integer"}));
    const int procid = std::stoi(list[0][2]);
    Params body;
    body.integer(procid);
    std::string text;
    for (const auto& r : Query("Select data,seqno\nFrom \"informix\".sysprocbody\nwhere  datakey = 'T' and  procid = ?\n"
                               "Order By 2", &body))
        text += r[0];
    EXPECT_EQ(Trimmed(text), "create procedure add_one(a integer) returning integer; return a + 1; end procedure");
    const Rows grants = With("select grantor, grantee, procauth from \"informix\".sysprocauth where procid = ?", procid);
    // Exactly the grant the routine script prints: no extra line granting the routine to its owner.
    EXPECT_EQ(grants, (Rows{{"joe", "public", "e"}}));
    EXPECT_EQ(With("Select procname\nFrom \"informix\".sysprocedures\nwhere   procid = ?\n", procid), (Rows{{"add_one"}}));
}

// The script the browser writes for orders, run again, describes the same table.
TEST_F(SchemaScript, TheScriptRebuildsTheSameRows) {
    MakeOrders();
    const Rows before = CatalogOf(105);
    const std::string script[] = {
        "DROP TABLE \"joe\".orders",
        "CREATE TABLE \"joe\".orders(\r\n   id SERIAL NOT NULL,\r\n   name VARCHAR(40),\r\n"
        "   created DATETIME YEAR to SECOND default Current YEAR to SECOND,\r\n   status CHAR(1) default 'N')\r\n"
        "EXTENT SIZE 16 NEXT SIZE 16 LOCK MODE PAGE",
        "CREATE INDEX \"joe\".ix_name ON \"joe\".orders(name)",
        "ALTER TABLE \"joe\".orders ADD CONSTRAINT PRIMARY KEY \r\n   (id) CONSTRAINT \"joe\".u105_12",
        "GRANT select, update, insert, delete, index ON orders TO public AS joe",
    };
    for (const auto& sql : script) ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
    const int tabid = std::stoi(Query("select tabid from systables where tabname = 'orders'").at(0).at(0));
    Rows after = CatalogOf(tabid);
    // The new table's key index has the server's name for its new tabid and constraint id.
    const std::string index = With(kCntr, tabid).at(0).at(4);
    for (auto& r : after)
        for (auto& v : r)
            if (v == index) v = " 105_12";
    EXPECT_EQ(after, before);
    // The key refuses a second row with the same id, as a primary key does.
    ASSERT_EQ(Exec("insert into orders (id, name) values (7, 'a')"), 0) << Errm();
    EXPECT_LT(Exec("insert into orders (id, name) values (7, 'b')"), 0);
}

// A DBA running joe's script makes joe's objects; later changes by the DBA keep joe's keys joe's.
TEST_F(SchemaScript, ObjectsNamedForAnotherOwner) {
    ASSERT_EQ(Exec("create table mine (a integer)"), 0) << Errm();  // joe's own table, tabid 100
    ASSERT_EQ(ifx_putenv("WIN32USER=dba"), 0);
    sqli_connect_open(ESQLINTVERSION, 0, "@stmtsrv", "dbaconn", nullptr, 1);
    ASSERT_EQ(SqlCode(), 0) << Errm();
    ASSERT_EQ(Exec("database stmtdb"), 0) << Errm();
    for (const char* sql : {"CREATE TABLE \"joe\".orders(\r\n   id SERIAL NOT NULL,\r\n   name VARCHAR(40))",
                            "ALTER TABLE \"joe\".orders ADD CONSTRAINT PRIMARY KEY \r\n   (id) CONSTRAINT \"joe\".u101_5",
                            "create view \"joe\".named (id, name) as select o.id, o.name from \"joe\".orders o where o.id > 1",
                            "create synonym \"joe\".s_orders for \"joe\".orders", "create index ix_name on orders (name)"})
        ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
    EXPECT_EQ(TrimmedRows(Query("select tabname, owner, tabtype from systables where tabid > 100 order by tabid")),
              (Rows{{"orders", "joe", "T"}, {"named", "joe", "V"}, {"s_orders", "joe", "S"}}));
    EXPECT_EQ(TrimmedRows(Query("select constrname, owner from sysconstraints where tabid = 101")),
              (Rows{{"u101_5", "joe"}}));
    EXPECT_EQ(TrimmedRows(Query("select count(*) from sysindexes where tabid = 101 and owner = 'joe'")), (Rows{{"2"}}));
    // The view's body was read as a statement: owner prefixes there are fine, and it depends on orders.
    EXPECT_EQ(Query("select btabid, dtabid from sysdepend"), (Rows{{"101", "102"}}));
    // A synonym holds no privileges of its own.
    EXPECT_EQ(Query("select count(*) from systabauth where tabid = 103"), (Rows{{"0"}}));
    sqli_connect_close(0, "dbaconn", 0, 0);
    ifx_putenv("WIN32USER=joe");
}

// Constraints without a name get the server's: a letter for the kind, the tabid and the constraint id;
// key constraints own an index named by a blank, the tabid and the id.
TEST_F(SchemaScript, ServerNamesOfEveryKind) {
    ASSERT_EQ(Exec("create table head (id integer, code char(2), primary key (id), unique (code))"), 0) << Errm();
    ASSERT_EQ(Exec("create table line (n integer not null, head integer references head, check (n > 0))"), 0) << Errm();
    ASSERT_EQ(Exec("alter table line add constraint unique (n)"), 0) << Errm();
    Rows rows;
    for (const int tabid : {100, 101})
        for (const auto& r : With(kCntr, tabid)) rows.push_back({r[3], r[1], r[4]});
    EXPECT_EQ(rows, (Rows{{"P", "u100_1", " 100_1"},
                          {"U", "u100_2", " 100_2"},
                          {"N", "n101_3", "<null>"},
                          {"R", "r101_4", " 101_4"},
                          {"C", "c101_5", "<null>"},
                          {"U", "u101_6", " 101_6"}}));
    // The reference points at the primary key of head.
    EXPECT_EQ(TrimmedRows(Query("select r.constrid, r.primary, r.ptabid, r.delrule from sysreferences r")),
              (Rows{{"4", "1", "100", "R"}}));
}

// Keys, references, checks and storage of the other kinds the script reads.
TEST_F(SchemaScript, KeysReferencesChecksAndStorage) {
    for (const char* sql : {
             "create table region (code char(3) not null, name varchar(30,5))",
             "alter table region add constraint primary key (code) constraint pk_region",
             "alter table region add constraint unique (name)",
             "create table shop (id integer, region char(3) not null, opened date default today, "
             "check (id > 0) constraint ck_id) lock mode row extent size 64 next size 32",
             "alter table shop add constraint (foreign key (region) references region on delete cascade "
             "constraint fk_region)",
             "create cluster index ix_shop on shop (region desc, id)",
         })
        ASSERT_EQ(Exec(sql), 0) << sql << " " << Errm();
    // region: code became a key column (NOT NULL already), the unique key got a server name.
    Rows region = CatalogOf(100);
    ASSERT_EQ(region.size(), 2u + 2u + 3u + 2u);
    EXPECT_EQ(region[0], (std::vector<std::string>{"field", "code", "256", "3", "1", "<null>", "<null>", "<null>", "<null>"}));
    EXPECT_EQ(region[1], (std::vector<std::string>{"field", "name", "13", "1310", "2", "<null>", "<null>", "<null>", "<null>"}));
    const std::string unique = region[6][1];
    EXPECT_EQ(Rows(region.begin() + 2, region.begin() + 7),
              (Rows{{"index", " 100_2", "joe", "U", "", "E", "1 [1]"},
                    {"index", " 100_3", "joe", "U", "", "E", "2 [1]"},
                    {"constraint", "n100_1", "joe", "N", "<null>", "E"},
                    {"constraint", "pk_region", "joe", "P", " 100_2", "E"},
                    {"constraint", "u100_3", "joe", "U", " 100_3", "E"}}));
    // shop: row locks and its extents, the reference with its delete rule, the check text, the clustered index.
    const Rows shop = TrimmedRows(Query("select locklevel, fextsize, nextsize from systables where tabid = 101"));
    EXPECT_EQ(shop, (Rows{{"R", "64", "32"}}));
    const Rows cntr = With(kCntr, 101);
    ASSERT_EQ(cntr.size(), 3u);
    EXPECT_EQ((Rows{{cntr[0][1], cntr[0][3]}, {cntr[1][1], cntr[1][3]}, {cntr[2][1], cntr[2][3]}}),
              (Rows{{"n101_" + cntr[0][0], "N"}, {"ck_id", "C"}, {"fk_region", "R"}}));
    EXPECT_EQ(With(kRefCntr, std::stoi(cntr[2][0])), (Rows{{"joe", "region", "C"}}));
    EXPECT_EQ(TrimmedRows(Query("select r.primary, r.ptabid from sysreferences r")), (Rows{{"2", "100"}}));
    EXPECT_EQ(TrimmedRows(Query("select constrid, colno from syscoldepend where tabid = 101")),
              (Rows{{cntr[0][0], "2"}}));
    EXPECT_EQ(TrimmedRows(Query("select checktext from syschecks where constrid = " + cntr[1][0])), (Rows{{"(id > 0)"}}));
    EXPECT_EQ(TrimmedRows(Query("select idxtype, clustered, part1, part2 from sysindexes where idxname = 'ix_shop'")),
              (Rows{{"D", "C", "-2", "1"}}));
    EXPECT_EQ(With(kIndx9, 101).size(), 2u);  // the reference's own index and ix_shop
    // The reference holds: a shop of an unknown region is refused, a region's delete takes its shops.
    ASSERT_EQ(Exec("insert into region (code, name) values ('N', 'North')"), 0) << Errm();
    ASSERT_EQ(Exec("insert into shop (id, region) values (1, 'N')"), 0) << Errm();
    EXPECT_LT(Exec("insert into shop (id, region) values (2, 'S')"), 0);
    ASSERT_EQ(Exec("delete from region where code = 'N'"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from shop"), (Rows{{"0"}}));
}

}  // namespace
}  // namespace stmt_test
