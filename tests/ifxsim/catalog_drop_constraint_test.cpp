// ALTER TABLE … DROP CONSTRAINT: the constraint really goes (what it refused
// is accepted), the rows stay, the catalog loses its rows, a dropped key takes
// the references to it along, and an unknown name changes nothing.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class DropConstraint : public StmtFixture {
protected:
    static std::string One(const std::string& sql) {
        const Rows rows = Query(sql);
        return rows.empty() || rows[0].empty() ? std::string() : rows[0][0];
    }
    static std::string Count(const std::string& sql) { return One("select count(*) " + sql); }
};

TEST_F(DropConstraint, EveryKindGoesAndWhatItRefusedIsAccepted) {
    ASSERT_EQ(Exec("create table par (k integer primary key)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into par values (1)"), 0) << Errm();
    struct Case {
        const char* what;
        std::vector<std::string> make;  // the table t (a integer, b char(2)) and its constraint
        const char* type;               // sysconstraints.constrtype of the constraint to drop
        const char* refused;            // an insert the constraint refuses, after (1, 'x') is in
        int code;
    };
    const Case cases[] = {
        {"declared primary key", {"create table t (a integer, b char(2), primary key (a) constraint t_key)"}, "P",
         "insert into t values (1, 'y')", -268},
        {"column primary key, server's name", {"create table t (a integer primary key, b char(2))"}, "P",
         "insert into t values (1, 'y')", -268},
        {"unique, server's name", {"create table t (a integer unique, b char(2))"}, "U",
         "insert into t values (1, 'y')", -268},
        {"distinct pair", {"create table t (a integer, b char(2), distinct (a, b))"}, "U",
         "insert into t values (1, 'x')", -268},
        {"named check", {"create table t (a integer check (a > 0) constraint t_pos, b char(2))"}, "C",
         "insert into t values (-1, 'y')", -530},
        {"table check", {"create table t (a integer, b char(2), check (b <> 'zz'))"}, "C",
         "insert into t values (2, 'zz')", -530},
        {"not null", {"create table t (a integer not null, b char(2))"}, "N", "insert into t values (null, 'y')", -391},
        {"reference", {"create table t (a integer references par constraint t_ref, b char(2))"}, "R",
         "insert into t values (9, 'y')", -525},
        {"unique added, server's name", {"create table t (a integer, b char(2))", "alter table t add constraint unique (a)"},
         "U", "insert into t values (1, 'y')", -239},
        {"primary key added, declared name",
         {"create table t (a integer, b char(2))", "alter table t add constraint primary key (a) constraint t_pk2"}, "P",
         "insert into t values (1, 'y')", -239},
        {"check added", {"create table t (a integer, b char(2))", "alter table t add constraint check (a < 5) constraint t_small"},
         "C", "insert into t values (7, 'y')", -530},
        {"reference added",
         {"create table t (a integer, b char(2))", "alter table t add constraint (foreign key (a) references par)"}, "R",
         "insert into t values (9, 'y')", -525},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Exec("drop table t");
        for (const auto& sql : c.make) ASSERT_EQ(Exec(sql), 0) << sql << ": " << Errm();
        ASSERT_EQ(Exec("insert into t values (1, 'x')"), 0) << Errm();
        ASSERT_EQ(Exec(c.refused), c.code);
        const std::string tabid = One("select tabid from systables where tabname = 't'");
        const Rows constraint = Query("select constrid, trim(constrname), idxname from sysconstraints where tabid = " +
                                      tabid + " and constrtype = '" + c.type + "'");
        ASSERT_EQ(constraint.size(), 1u);
        const std::string& id = constraint[0][0];
        ASSERT_EQ(Exec("alter table t drop constraint " + constraint[0][1]), 0) << Errm();
        // What it refused is accepted now, and the row before it is still there.
        EXPECT_EQ(Exec(c.refused), 0) << Errm();
        EXPECT_EQ(Count("from t"), "2");
        EXPECT_NE(Count("from t where a = 1 and b = 'x'"), "0");
        EXPECT_EQ(One("select tabid from systables where tabname = 't'"), tabid);  // the same table
        EXPECT_EQ(Count("from sysconstraints where constrid = " + id + " or constrname = '" + constraint[0][1] + "'"), "0");
        for (const char* table : {"sysreferences", "syschecks", "syscoldepend"})
            EXPECT_EQ(Count(std::string("from ") + table + " where constrid = " + id), "0") << table;
        if (constraint[0][2] != "<null>")
            EXPECT_EQ(Count("from sysindexes where idxname = '" + constraint[0][2] + "'"), "0");
        EXPECT_EQ(Count("from sysobjstate where objtype = 'C' and name = '" + constraint[0][1] + "'"), "0");
        EXPECT_EQ(One("select ncols from systables where tabid = " + tabid), "2");
    }
}

TEST_F(DropConstraint, AKeyTakesTheReferencesToItAndTheTableKeepsItsIndexesTriggersAndGrants) {
    ASSERT_EQ(Exec("create table parent (id serial, code char(3) not null, note char(5), primary key (id) constraint "
                   "parent_pk, unique (code) constraint parent_code)"),
              0)
        << Errm();
    ASSERT_EQ(Exec("create index parent_note on parent (note)"), 0) << Errm();
    ASSERT_EQ(Exec("grant select on parent to bob"), 0) << Errm();
    ASSERT_EQ(Exec("create table child (pid integer references parent on delete cascade, code char(3) references "
                   "parent (code) constraint child_code, n integer check (n > 0) constraint child_n)"),
              0)
        << Errm();
    ASSERT_EQ(Exec("create table self (id integer primary key, up integer references self (id))"), 0) << Errm();
    for (const char* sql : {"insert into parent (code, note) values ('a', 'one')",
                            "insert into parent (code, note) values ('b', 'two')", "insert into child values (1, 'a', 1)",
                            "insert into child values (2, 'b', 2)", "insert into self values (2, null)",
                            "insert into self values (1, 2)"})
        ASSERT_EQ(Exec(sql), 0) << sql << ": " << Errm();
    const std::string parentTabid = One("select tabid from systables where tabname = 'parent'");
    const std::string referenceToKey =
        One("select constrid from sysconstraints where constrtype = 'R' and constrname <> 'child_code'");

    ASSERT_EQ(Exec("alter table parent drop constraint parent_pk"), 0) << Errm();
    // Informix drops the references to the key with it; the other reference and the check stay.
    EXPECT_EQ(Query("select trim(c.constrname), c.constrtype from sysconstraints c, systables t where c.tabid = t.tabid "
                    "and t.tabname = 'child' and c.constrtype <> 'N' order by 1"),
              (Rows{{"child_code", "R"}, {"child_n", "C"}}));
    EXPECT_EQ(Count("from sysreferences where constrid = " + referenceToKey), "0");
    EXPECT_EQ(Exec("insert into child values (99, 'a', 3)"), 0) << Errm();  // no parent 99: no longer refused
    EXPECT_EQ(Exec("insert into child values (1, 'zz', 3)"), -525);         // child_code still refuses
    EXPECT_EQ(Exec("insert into child values (1, 'a', 0)"), -530);           // and so does the check
    // The parent is the same table with its rows, grants, user index and serial.
    EXPECT_EQ(One("select tabid from systables where tabname = 'parent'"), parentTabid);
    EXPECT_EQ(Query("select id, code, note from parent order by id"), (Rows{{"1", "a  ", "one  "}, {"2", "b  ", "two  "}}));
    EXPECT_EQ(Count("from systabauth where tabid = " + parentTabid + " and grantee = 'bob'"), "1");
    EXPECT_EQ(Count("from sysindexes where idxname = 'parent_note'"), "1");
    EXPECT_EQ(Query("select trim(constrname) from sysconstraints where tabid = " + parentTabid +
                    " and constrtype in ('P', 'U')"),
              (Rows{{"parent_code"}}));
    EXPECT_EQ(Exec("insert into parent (id, code) values (1, 'c')"), 0) << Errm();  // id 1 again
    EXPECT_EQ(Exec("insert into parent (code) values ('d')"), 0) << Errm();
    EXPECT_EQ(One("select id from parent where code = 'd'"), "3");  // the serial goes on
    EXPECT_EQ(Exec("insert into parent (code) values ('a')"), -268);  // parent_code still refuses
    // SERIAL stays NOT NULL; code keeps its own NOT NULL.
    EXPECT_EQ(Query("select colname, coltype from syscolumns where tabid = " + parentTabid + " order by colno"),
              (Rows{{"id", "262"}, {"code", "256"}, {"note", "0"}}));
    // The rows of child are all still there, none cascaded away by the rebuild.
    EXPECT_EQ(Count("from child"), "3");

    // A key column without NOT NULL of its own takes NULL once the key is gone.
    const std::string selfTabid = One("select tabid from systables where tabname = 'self'");
    EXPECT_EQ(One("select coltype from syscolumns where colname = 'id' and tabid = " + selfTabid), "258");
    ASSERT_EQ(Exec("alter table self drop constraint " +
                   One("select trim(constrname) from sysconstraints where constrtype = 'P' and tabid = " + selfTabid)),
              0)
        << Errm();
    EXPECT_EQ(One("select coltype from syscolumns where colname = 'id' and tabid = " + selfTabid), "2");
    EXPECT_EQ(Count("from sysconstraints where tabid = " + selfTabid), "0");  // its self-reference went too
    EXPECT_EQ(Query("select id, up from self order by id"), (Rows{{"1", "2"}, {"2", "<null>"}}));
    EXPECT_EQ(Exec("insert into self values (null, 7)"), 0) << Errm();
}

TEST_F(DropConstraint, AnUnknownNameFailsAndChangesNothing) {
    ASSERT_EQ(Exec("create table a (x integer unique constraint a_x, y integer check (y > 0) constraint a_y)"), 0)
        << Errm();
    ASSERT_EQ(Exec("create table b (z integer unique constraint b_z)"), 0) << Errm();
    struct Case {
        const char* sql;
        int code;
        const char* errm;
        int offset;
    };
    const Case cases[] = {
        {"alter table a drop constraint nosuch", -623, "nosuch", 30},
        {"alter table a drop constraint b_z", -623, "b_z", 30},  // b's constraint, not a's
        {"alter table a drop constraint (a_y, nosuch, a_x)", -623, "nosuch", 36},
        {"alter table nosuch drop constraint a_x", -206, "nosuch", 12},
        {"alter table tmp drop constraint tmp_k", -623, "tmp_k", 32},  // not in the catalog
    };
    ASSERT_EQ(Exec("create temp table tmp (k integer unique constraint tmp_k)"), 0) << Errm();
    for (const Case& c : cases) {
        EXPECT_EQ(Exec(c.sql), c.code) << c.sql;
        EXPECT_EQ(Errm(), c.errm) << c.sql;
        EXPECT_EQ(Ca().sqlerrd[4], c.offset) << c.sql;
    }
    // Nothing went: both constraints still refuse.
    ASSERT_EQ(Exec("insert into a values (1, 1)"), 0) << Errm();
    EXPECT_EQ(Exec("insert into a values (1, 2)"), -268);
    EXPECT_EQ(Exec("insert into a values (2, 0)"), -530);
    EXPECT_EQ(Count("from sysconstraints where constrname in ('a_x', 'a_y', 'b_z')"), "3");
    // A list drops them all at once.
    ASSERT_EQ(Exec("alter table a drop constraint (a_y, a_x)"), 0) << Errm();
    EXPECT_EQ(Exec("insert into a values (1, 0)"), 0) << Errm();
    EXPECT_EQ(Count("from sysconstraints where constrname in ('a_x', 'a_y')"), "0");
}

TEST_F(DropConstraint, RollbackBringsTheConstraintBack) {
    ASSERT_EQ(Exec("create table r (x integer primary key constraint r_pk, y integer check (y > 0) constraint r_y)"), 0)
        << Errm();
    ASSERT_EQ(Exec("insert into r values (1, 1)"), 0) << Errm();
    ASSERT_EQ(Exec("begin work"), 0) << Errm();
    ASSERT_EQ(Exec("alter table r drop constraint (r_pk, r_y)"), 0) << Errm();
    EXPECT_EQ(Exec("insert into r values (1, 0)"), 0) << Errm();
    ASSERT_EQ(Exec("rollback work"), 0) << Errm();
    EXPECT_EQ(Exec("insert into r values (1, 2)"), -268);
    EXPECT_EQ(Exec("insert into r values (2, 0)"), -530);
    EXPECT_EQ(Query("select trim(constrname) from sysconstraints where constrtype in ('P', 'C') order by 1"),
              (Rows{{"r_pk"}, {"r_y"}}));
    EXPECT_EQ(Query("select x, y from r"), (Rows{{"1", "1"}}));
}

}  // namespace
}  // namespace stmt_test
