// Privileges and roles in the catalog: systabauth letters in their places and
// upper case with the grant option, column grants, routine grants, database
// privileges, roles granted, revoked, set and dropped.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class Privileges : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table item (id integer, price decimal(8,2), descr char(10))"), 0) << Errm();
    }
    // The tabauth of one grantee on item ("" when there is no row).
    static std::string Tabauth(const std::string& grantee) {
        const Rows rows = Query("select tabauth from systabauth where tabid = 100 and grantee = '" + grantee + "'");
        return rows.empty() ? std::string() : rows[0][0];
    }
    static Rows Colauth(const std::string& grantee) {
        return Query("select c.colname, a.colauth from syscolauth a, syscolumns c where a.tabid = 100 and "
                     "c.tabid = a.tabid and c.colno = a.colno and a.grantee = '" + grantee + "' order by a.colno");
    }
};

TEST_F(Privileges, TableLettersSitInTheirPlaces) {
    struct Step {
        const char* sql;
        const char* grantee;
        const char* tabauth;
    };
    const Step steps[] = {
        {"grant select on item to bob", "bob", "s--------"},
        {"grant insert, delete on item to bob", "bob", "s--id----"},
        {"grant update on item to bob with grant option", "bob", "sU-id----"},
        {"grant update on item to bob", "bob", "sU-id----"},  // the option is not taken away by a grant
        {"grant index, alter, references on item to bob", "bob", "sU-idxar-"},
        {"revoke insert, alter on item from bob", "bob", "sU--dx-r-"},
        {"grant all on item to carol with grant option", "carol", "SU-IDXAR-"},
        {"grant all privileges on item to \"Dora\"", "Dora", "su-idxar-"},
        {"revoke all on item from carol", "carol", ""},
        {"grant under on item to erin", "erin", "--------n"},
    };
    for (const Step& s : steps) {
        ASSERT_EQ(Exec(s.sql), 0) << s.sql << ": " << Errm();
        EXPECT_EQ(Tabauth(s.grantee), s.tabauth) << s.sql;
    }
    // The grantor is the user who granted; AS names another.
    ASSERT_EQ(Exec("grant select on item to frank as boss"), 0) << Errm();
    EXPECT_EQ(Query("select trim(grantor) from systabauth where grantee = 'frank'"), (Rows{{"boss"}}));
    // The program's grant script query, as sent, sees every row.
    EXPECT_EQ(Query("select grantor, grantee, tabauth from \"informix\".systabauth where tabid = 100").size(),
              std::stoul(Query("select count(*) from systabauth where tabid = 100")[0][0]));
}

TEST_F(Privileges, ColumnGrantsMarkTheTableRow) {
    ASSERT_EQ(Exec("grant select (price, descr), update (price) on item to dave"), 0) << Errm();
    EXPECT_EQ(Tabauth("dave"), "--*------");
    EXPECT_EQ(Colauth("dave"), (Rows{{"price", "su-"}, {"descr", "s--"}}));
    ASSERT_EQ(Exec("grant references (id) on item to dave with grant option"), 0) << Errm();
    EXPECT_EQ(Colauth("dave"), (Rows{{"id", "--R"}, {"price", "su-"}, {"descr", "s--"}}));
    ASSERT_EQ(Exec("revoke select on item from dave"), 0) << Errm();
    EXPECT_EQ(Colauth("dave"), (Rows{{"id", "--R"}, {"price", "-u-"}}));
    EXPECT_EQ(Tabauth("dave"), "--*------");
    ASSERT_EQ(Exec("revoke update, references on item from dave"), 0) << Errm();
    EXPECT_EQ(Colauth("dave"), Rows{});
    EXPECT_EQ(Tabauth("dave"), "");
}

TEST_F(Privileges, BadGrantsAreRefusedAndWriteNothing) {
    ASSERT_EQ(Exec("create role clerks"), 0) << Errm();
    struct Case {
        const char* sql;
        int code;
        const char* errm;
    };
    const Case cases[] = {
        {"grant select on nosuch to bob", -206, "nosuch"},
        {"grant select (id, nocol) on item to bob", -217, "nocol"},
        {"grant insert (id) on item to bob", -201, ""},
        {"grant select on item bob", -201, ""},
        {"grant select on item to clerks with grant option", -19807, ""},
        {"grant connect to clerks", -19806, ""},
        {"grant execute on nosuch to bob", -674, "nosuch"},
        {"grant nosuch_role to bob", -19804, "nosuch_role"},
        {"set role nosuch_role", -19804, "nosuch_role"},
        {"set role clerks", -19805, "clerks"},
        {"create role clerks", -19800, "clerks"},
        {"create role public", -19801, "public"},
        {"drop role nosuch_role", -19804, "nosuch_role"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Exec(c.sql), c.code) << c.sql;
        EXPECT_EQ(Errm(), c.errm) << c.sql;
    }
    EXPECT_EQ(Query("select count(*) from systabauth where grantee in ('bob', 'clerks')"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from syscolauth"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from sysroleauth"), (Rows{{"0"}}));
}

TEST_F(Privileges, RolesAreGrantedSetRevokedAndDropped) {
    std::string me = Query("select user from systables where tabid = 1")[0][0];
    me = me.substr(0, me.find_last_not_of(' ') + 1);
    ASSERT_EQ(Exec("create role clerks"), 0) << Errm();
    ASSERT_EQ(Exec("create role 'Managers'"), 0) << Errm();
    EXPECT_EQ(Query("select trim(username), usertype from sysusers where usertype = 'G' order by 1"),
              (Rows{{"Managers", "G"}, {"clerks", "G"}}));
    EXPECT_EQ(Query("select count(*) from sysroles"), (Rows{{"2"}}));
    ASSERT_EQ(Exec("grant clerks to " + me + ", bob"), 0) << Errm();
    ASSERT_EQ(Exec("grant 'Managers' to " + me + " with grant option"), 0) << Errm();
    ASSERT_EQ(Exec("grant clerks to bob with grant option"), 0) << Errm();
    EXPECT_EQ(Query("select trim(rolename), trim(grantee), is_grantable from sysroleauth where grantee = 'bob'"),
              (Rows{{"clerks", "bob", "Y"}}));
    // The role box's query, as the program sends it: the user's roles in server order.
    Rows roles = Query("Select rolename From \"informix\".sysroleauth Where grantee = user");
    for (auto& row : roles) row[0] = row[0].substr(0, row[0].find_last_not_of(' ') + 1);
    EXPECT_EQ(roles, (Rows{{"clerks"}, {"Managers"}}));
    EXPECT_EQ(Exec("set role clerks"), 0) << Errm();
    EXPECT_EQ(Exec("set role 'Managers'"), 0) << Errm();
    EXPECT_EQ(Exec("set role none"), 0) << Errm();
    ASSERT_EQ(Exec("revoke clerks from " + me), 0) << Errm();
    EXPECT_EQ(Exec("set role clerks"), -19805);
    // Privileges granted to a role go with it.
    ASSERT_EQ(Exec("grant select, update (price) on item to clerks"), 0) << Errm();
    ASSERT_EQ(Exec("grant default role clerks to carol"), 0) << Errm();
    EXPECT_EQ(Query("select usertype, trim(defrole) from sysusers where username = 'carol'"), (Rows{{"C", "clerks"}}));
    ASSERT_EQ(Exec("drop role clerks"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from sysroleauth where rolename = 'clerks' or grantee = 'clerks'"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from systabauth where grantee = 'clerks'"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from syscolauth where grantee = 'clerks'"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select defrole from sysusers where username = 'carol'"), (Rows{{"<null>"}}));
    EXPECT_EQ(Query("select count(*) from sysusers where username = 'clerks'"), (Rows{{"0"}}));
    EXPECT_EQ(Exec("drop role if exists clerks"), 0) << Errm();
}

TEST_F(Privileges, DatabasePrivilegesKeepTheHighestLevel) {
    struct Step {
        const char* sql;
        const char* usertype;  // of bob afterwards; "" = no row
    };
    const Step steps[] = {
        {"grant resource to bob", "R"}, {"grant connect to bob", "R"}, {"grant dba to bob", "D"},
        {"revoke resource from bob", "D"}, {"revoke dba from bob", "C"}, {"grant resource to bob", "R"},
        {"revoke connect from bob", ""},
    };
    for (const Step& s : steps) {
        ASSERT_EQ(Exec(s.sql), 0) << s.sql << ": " << Errm();
        const Rows rows = Query("select usertype from sysusers where username = 'bob'");
        EXPECT_EQ(rows.empty() ? std::string() : rows[0][0], s.usertype) << s.sql;
    }
    ASSERT_EQ(Exec("grant connect to carol, dave"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from sysusers where usertype = 'C' and username in ('carol', 'dave')"),
              (Rows{{"2"}}));
}

TEST_F(Privileges, ExecuteGrantsOnRoutines) {
    ASSERT_EQ(Exec("create procedure p(a integer) update item set id = a; end procedure"), 0) << Errm();
    ASSERT_EQ(Exec("create procedure p(a char(5)) update item set descr = a; end procedure"), 0) << Errm();
    const auto auth = [] {
        return Query("select procid, procauth from sysprocauth where grantee = 'bob' order by procid");
    };
    ASSERT_EQ(Exec("grant execute on procedure p(integer) to bob"), 0) << Errm();
    EXPECT_EQ(auth(), (Rows{{"1", "e"}}));
    ASSERT_EQ(Exec("grant execute on p to bob with grant option"), 0) << Errm();  // every p
    EXPECT_EQ(auth(), (Rows{{"1", "E"}, {"2", "E"}}));
    ASSERT_EQ(Exec("revoke execute on p(char(5)) from bob"), 0) << Errm();
    EXPECT_EQ(auth(), (Rows{{"1", "E"}}));
    ASSERT_EQ(Exec("revoke execute on p from bob"), 0) << Errm();
    EXPECT_EQ(auth(), Rows{});
}

TEST_F(Privileges, PrepareReportsTheTypeAndWritesNothing) {
    struct Case {
        const char* sql;
        int type;
    };
    const Case cases[] = {
        {"grant select on item to bob", 18},  {"revoke select on item from public", 19},
        {"create role clerks", 83},           {"drop role if exists clerks", 84},
        {"set role none", 85},                {"create trigger tr insert on item (delete from item)", 70},
        {"drop trigger if exists tr", 71},    {"grant clerks to bob", 18},
    };
    for (const Case& c : cases) EXPECT_EQ(Prepared(c.sql).type(), c.type) << c.sql;
    EXPECT_EQ(Query("select count(*) from systabauth where grantee = 'bob'"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from sysusers where username = 'clerks'"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from systriggers"), (Rows{{"0"}}));
    // A syntax error is found at PREPARE, with its place.
    EXPECT_EQ(Prepared("grant select on item too bob").type(), -1);
    EXPECT_EQ(SqlCode(), -201);
    EXPECT_EQ(Ca().sqlerrd[4], 21);
}

}  // namespace
}  // namespace stmt_test
