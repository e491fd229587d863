// Stored routines and triggers in the catalog: the rows CREATE writes (text
// pieces that give back the statement, parameter types, procedure or
// function), the rows DROP removes, the errors, and EXECUTE of a routine.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

// Helpers for the routine and trigger tests.
class CatalogText : public StmtFixture {
protected:
    // The text pieces of one datakey joined in seqno order (CHAR padding of the last piece removed).
    static std::string Pieces(const std::string& table, const std::string& idColumn, const std::string& id,
                              const char* key) {
        std::string text;
        for (const auto& row : Query("select data from " + table + " where " + idColumn + " = " + id +
                                     " and datakey = '" + key + "' order by seqno"))
            text += row[0];
        return Trimmed(text);
    }
    static std::string Me() {
        const auto rows = Query("select user from systables where tabid = 1");
        return rows.empty() ? std::string() : Trimmed(rows[0][0]);
    }
};

std::string LongBody() {
    std::string body;
    for (int i = 0; i < 30; ++i) body += "    let v = v + " + std::to_string(i) + ";  -- Schritt für Schritt\n";
    return body;
}

class Routines : public CatalogText {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table t (n integer, price decimal(8,2))"), 0) << Errm();
    }
};

TEST_F(Routines, CreateWritesTheRowsTheBrowserReads) {
    struct Case {
        std::string text;
        const char* name;
        const char* isproc;
        const char* mode;
        const char* numargs;
        const char* paramtypes;
        const char* iterator;
    };
    const Case cases[] = {
        {"create procedure add_one(p integer)\n    update t set n = n + p;\nend procedure", "add_one", "t", "O", "1",
         "integer", "f"},
        {"create function balance(p_customer int, p_tag char(10), p_rate dec(5,2) default 1.5)\n"
         "    returning money(12,2);\n    define v money(12,2);\n    let v = 0;\n    return v;\nend function",
         "balance", "f", "O", "3", "integer,char(10),decimal(5,2)", "f"},
        {"create dba procedure cleanup() delete from t; end procedure", "cleanup", "t", "D", "0", "", "f"},
        {"create function counter(n integer) returning integer;\n    define v integer;\n    let v = 0;\n" + LongBody() +
             "    return v with resume;\nend function",
         "counter", "f", "O", "1", "integer", "t"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Exec(c.text), 0) << c.text << ": " << Errm();
        const Rows row = Query("select procid, isproc, mode, numargs, paramtypes::lvarchar, iterator, langid, "
                               "trim(owner) from sysprocedures where procname = '" + std::string(c.name) + "'");
        ASSERT_EQ(row.size(), 1u) << c.name;
        EXPECT_EQ(row[0][1], c.isproc) << c.name;
        EXPECT_EQ(row[0][2], c.mode) << c.name;
        EXPECT_EQ(row[0][3], c.numargs) << c.name;
        EXPECT_EQ(row[0][4], c.paramtypes) << c.name;
        EXPECT_EQ(row[0][5], c.iterator) << c.name;
        EXPECT_EQ(row[0][6], "2") << c.name;  // SPL
        EXPECT_EQ(row[0][7], Me()) << c.name;
        EXPECT_EQ(Pieces("sysprocbody", "procid", row[0][0], "T"), c.text) << c.name;
        // In a database that is not ANSI everyone may run it; the owner's own right has no row, so the
        // routine script does not grant the routine to its owner.
        EXPECT_EQ(Query("select trim(grantor), trim(grantee), procauth from sysprocauth where procid = " + row[0][0] +
                        " order by procauth"),
                  (Rows{{Me(), "public", "e"}}))
            << c.name;
    }
    // The long text (with multi-byte characters) is cut into CHAR(256) pieces.
    EXPECT_EQ(Query("select count(*) from sysprocbody p, sysprocedures r where r.procname = 'counter' "
                    "and p.procid = r.procid and p.datakey = 'T'"),
              (Rows{{std::to_string((cases[3].text.size() + 255) / 256)}}));
    // The program's procedure list and routine script queries, as sent.
    EXPECT_EQ(Query("select procname, owner, procid, mode, isproc, paramtypes::lvarchar from \"informix\".sysprocedures "
                    "WHERE mode not in ('P','o','r','d','p')  and ( procname matches 'add*' or procname matches 'bal*') "
                    "order by 1")
                  .size(),
              2u);
    EXPECT_EQ(Query("Select data,seqno\nFrom \"informix\".sysprocbody\nwhere  datakey = 'T' and  procid = 1\nOrder By 2")
                  .size(),
              1u);
    EXPECT_EQ(Query("select grantor, grantee, procauth from \"informix\".sysprocauth where procid = 1").size(), 1u);
}

TEST_F(Routines, DocumentAndReturnTypesHaveTheirOwnRows) {
    ASSERT_EQ(Exec("create function f(a integer) returning integer, char(5); return a, 'x'; end function "
                   "document 'Gives back', 'its argument.' with listing in '/tmp/f.lst'"),
              0)
        << Errm();
    // Each DOCUMENT string is a row of its own.
    EXPECT_EQ(Query("select trim(data) from sysprocbody where datakey = 'D' order by seqno"),
              (Rows{{"Gives back"}, {"its argument."}}));
    EXPECT_EQ(Pieces("sysprocbody", "procid", "1", "R"), "integer,char(5)");
    EXPECT_EQ(Query("select retsize from sysprocedures"), (Rows{{"9"}}));
}

TEST_F(Routines, DropRemovesEveryRowAndNeedsAnUnambiguousName) {
    ASSERT_EQ(Exec("create procedure p(a integer) update t set n = a; end procedure"), 0) << Errm();
    ASSERT_EQ(Exec("create procedure p(a char(5)) update t set n = 0; end procedure"), 0) << Errm();
    ASSERT_EQ(Exec("create function g() returning integer; return 1; end function"), 0) << Errm();
    EXPECT_EQ(Exec("drop procedure p"), -674);  // two routines answer to p
    EXPECT_EQ(Errm(), "p");
    EXPECT_EQ(Exec("drop function p(integer)"), -674);  // p is a procedure
    ASSERT_EQ(Exec("drop procedure p(integer)"), 0) << Errm();
    EXPECT_EQ(Query("select paramtypes::lvarchar from sysprocedures where procname = 'p'"), (Rows{{"char(5)"}}));
    ASSERT_EQ(Exec("drop procedure p"), 0) << Errm();
    ASSERT_EQ(Exec("drop function g"), 0) << Errm();
    for (const char* table : {"sysprocedures", "sysprocbody", "sysprocauth"})
        EXPECT_EQ(Query(std::string("select count(*) from ") + table), (Rows{{"0"}})) << table;
    EXPECT_EQ(Exec("drop procedure p"), -674);
    EXPECT_EQ(Exec("drop procedure if exists p"), 0) << Errm();
}

TEST_F(Routines, ErrorsOfCreateAndExecute) {
    ASSERT_EQ(Exec("create procedure p(a int) update t set n = a; end procedure"), 0) << Errm();
    struct Case {
        const char* sql;
        int code;
        const char* errm;
        int offset;  // -1: not checked
    };
    const Case cases[] = {
        {"create procedure p(b integer) update t set n = b; end procedure", -673, "p", 17},
        {"create procedure q(a int) update t set n = a; end function", -201, "", 50},
        {"create function q() returning int; return 1;", -201, "", -1},
        {"create procedure q(a) end procedure", -201, "", 20},
        {"create procedure q() end procedure extra", -201, "", 35},
        {"execute procedure p(1)", -721, "p", 18},
        {"execute procedure nosuch(1)", -674, "nosuch", 18},
        {"execute function p(1)", -674, "p", 17},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Exec(c.sql), c.code) << c.sql;
        EXPECT_EQ(Errm(), c.errm) << c.sql;
        if (c.offset >= 0) EXPECT_EQ(Ca().sqlerrd[4], c.offset) << c.sql;
    }
    EXPECT_EQ(Exec("create procedure if not exists p(a integer) end procedure"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from sysprocedures"), (Rows{{"1"}}));
    // PREPARE reports the statement type; a routine statement is never run.
    EXPECT_EQ(Prepared("create procedure r() end procedure").type(), 53);
    EXPECT_EQ(Prepared("drop procedure p").type(), 54);
    EXPECT_EQ(Query("select count(*) from sysprocedures where procname = 'r'"), (Rows{{"0"}}));
}

TEST_F(Routines, RolledBackCreateLeavesNoRows) {
    ASSERT_EQ(sqli_trans_begin2(1), 0) << Errm();
    ASSERT_EQ(Exec("create procedure p() update t set n = 1; end procedure"), 0) << Errm();
    ASSERT_EQ(Exec("create trigger tr insert on t for each row (update t set n = 2)"), 0) << Errm();
    ASSERT_EQ(sqli_trans_rollback(), 0) << Errm();
    for (const char* table : {"sysprocedures", "sysprocbody", "sysprocauth", "systriggers", "systrigbody"})
        EXPECT_EQ(Query(std::string("select count(*) from ") + table), (Rows{{"0"}})) << table;
}

class Triggers : public CatalogText {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table orders (order_num serial, ship_date date, note char(20))"), 0) << Errm();
        ASSERT_EQ(Exec("create table audit (note varchar(80))"), 0) << Errm();
        ASSERT_EQ(Exec("create view v_orders as select order_num, ship_date from orders"), 0) << Errm();
    }
};

TEST_F(Triggers, CreateWritesHeaderActionAndState) {
    struct Case {
        std::string header;  // up to the first action
        std::string action;
        const char* name;
        const char* event;
        const char* oldName;
        const char* newName;
        const char* tabname;
        const char* state;
    };
    const Case cases[] = {
        {"create trigger trg_upd update of ship_date, note on orders\n    referencing old as pre new as post\n    ",
         "for each row when (post.ship_date is not null)\n        (insert into audit values ('shipped'))", "trg_upd", "U",
         "pre", "post", "orders", "E"},
        {"create trigger trg_del delete on orders referencing old gone ",
         "for each row (insert into audit values ('gone ' || gone.order_num))", "trg_del", "D", "gone", "<null>",
         "orders", "E"},
        {"create trigger trg_ins insert on orders ", "before (insert into audit values ('before')) "
         "after (insert into audit values ('after')) disabled", "trg_ins", "I", "<null>", "<null>", "orders", "D"},
        {"create trigger trg_sel select on orders ", "for each row (insert into audit values ('read'))", "trg_sel", "S",
         "<null>", "<null>", "orders", "E"},
        {"create trigger trg_v instead of insert on v_orders referencing new as n ",
         "for each row (insert into orders (order_num, ship_date) values (0, n.ship_date))", "trg_v", "i", "<null>",
         "n", "v_orders", "E"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Exec(c.header + c.action), 0) << c.name << ": " << Errm();
        const Rows row = Query("select g.trigid, g.event, g.old, g.new, t.tabname, trim(g.owner) from systriggers g, "
                               "systables t where t.tabid = g.tabid and g.trigname = '" + std::string(c.name) + "'");
        ASSERT_EQ(row.size(), 1u) << c.name;
        EXPECT_EQ(row[0][1], c.event) << c.name;
        EXPECT_EQ(row[0][2], c.oldName) << c.name;
        EXPECT_EQ(row[0][3], c.newName) << c.name;
        EXPECT_EQ(row[0][4], c.tabname) << c.name;
        EXPECT_EQ(row[0][5], Me()) << c.name;
        EXPECT_EQ(Pieces("systrigbody", "trigid", row[0][0], "D"), Trimmed(c.header)) << c.name;
        EXPECT_EQ(Pieces("systrigbody", "trigid", row[0][0], "A"), c.action) << c.name;
        EXPECT_EQ(Query("select state from sysobjstate where objtype = 'T' and name = '" + std::string(c.name) + "'"),
                  (Rows{{c.state}}))
            << c.name;
    }
    // A new shape of the table keeps the triggers' states.
    ASSERT_EQ(Exec("alter table orders add (extra integer)"), 0) << Errm();
    ASSERT_EQ(Exec("create index ix_note on orders (note)"), 0) << Errm();
    EXPECT_EQ(Query("select name, state from sysobjstate where objtype = 'T' and name = 'trg_ins'"),
              (Rows{{"trg_ins", "D"}}));
    // The triggers pane query of the program, as sent.
    EXPECT_EQ(Query("Select trigid, trigname, t.owner, event, old, new, state\nFrom \"informix\".systriggers t,  outer "
                    "\"informix\".sysobjstate o\nWhere t.tabid = 100\nand o.objtype='T'\nand t.owner = o.owner\nand "
                    "t.trigname = o.name\nand t.tabid = o.tabid")
                  .size(),
              4u);
}

TEST_F(Triggers, ErrorsDropAndDropTable) {
    ASSERT_EQ(Exec("create trigger tr insert on orders for each row (insert into audit values ('x'))"), 0) << Errm();
    struct Case {
        const char* sql;
        int code;
        const char* errm;
    };
    const Case cases[] = {
        {"create trigger tr delete on orders for each row (insert into audit values ('y'))", -743, "tr"},
        {"create trigger t2 insert on nosuch for each row (insert into audit values ('y'))", -206, "nosuch"},
        {"create trigger t2 update of nocol on orders for each row (insert into audit values ('y'))", -217, "nocol"},
        {"create trigger t2 insert on v_orders for each row (insert into audit values ('y'))", -206, "v_orders"},
        {"create trigger t2 delete on orders referencing old as o after (insert into audit values ('y'))", -730, ""},
        {"create trigger t2 insert on orders", -729, ""},
        {"create trigger t2 insert on orders for each row", -729, ""},
        {"create trigger t2 merge on orders (insert into audit values ('y'))", -201, ""},
        {"drop trigger nosuch", -634, "nosuch"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Exec(c.sql), c.code) << c.sql;
        EXPECT_EQ(Errm(), c.errm) << c.sql;
    }
    EXPECT_EQ(Query("select count(*) from systriggers"), (Rows{{"1"}}));
    ASSERT_EQ(Exec("drop trigger tr"), 0) << Errm();
    EXPECT_EQ(Exec("drop trigger if exists tr"), 0) << Errm();
    for (const char* sql : {"select count(*) from systriggers", "select count(*) from systrigbody",
                            "select count(*) from sysobjstate where objtype = 'T'"})
        EXPECT_EQ(Query(sql), (Rows{{"0"}})) << sql;
    // Dropping the table drops its triggers; other tables keep theirs.
    ASSERT_EQ(Exec("create trigger tr1 insert on orders for each row (insert into audit values ('x'))"), 0) << Errm();
    ASSERT_EQ(Exec("create trigger tr2 delete on audit after (insert into orders (order_num) values (0))"), 0) << Errm();
    ASSERT_EQ(Exec("create trigger tr3 instead of delete on v_orders for each row (delete from orders)"), 0) << Errm();
    ASSERT_EQ(Exec("drop view v_orders"), 0) << Errm();
    EXPECT_EQ(Query("select trigname from systriggers order by trigid"), (Rows{{"tr1"}, {"tr2"}}));
    ASSERT_EQ(Exec("drop table orders"), 0) << Errm();
    EXPECT_EQ(Query("select trigname from systriggers"), (Rows{{"tr2"}}));
    EXPECT_EQ(Query("select distinct trigid from systrigbody"), (Rows{{"2"}}));
    EXPECT_EQ(Query("select name from sysobjstate where objtype = 'T'"), (Rows{{"tr2"}}));
}

}  // namespace
}  // namespace stmt_test
