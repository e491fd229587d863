// Statements the fuzz test found crashing, hanging or pointing outside the
// text, each with the clean failure it gives now.
#include <string>

#include "ifxsim/fuzz_runner.h"
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

std::string Nested(int depth, const std::string& inner) {
    return std::string(static_cast<std::size_t>(depth), '(') + inner + std::string(static_cast<std::size_t>(depth), ')');
}

struct HostileCase {
    std::string sql;
    int code;     // the SQLCODE expected (0: it runs)
    int offset;   // sqlerrd[4] expected for a failure, -1: not checked
};

class FuzzRegressions : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table orders (order_num serial, order_date date, ship_date date, paid decimal(8,2))"), 0)
            << Errm();
        ASSERT_EQ(Exec("insert into orders (order_date, paid) values (today, 12.5)"), 0) << Errm();
    }
};

TEST_F(FuzzRegressions, HostileStatementsFailCleanly) {
    const HostileCase cases[] = {
        // Thousands of nested parentheses exhausted the stack of the recursive rewriters.
        {"insert into orders (paid) values " + Nested(10000, "1"), -201, 133},
        {"select " + Nested(10000, "order_date + 1") + " from orders", -201, 107},
        {"select " + Nested(101, "order_date + 1") + " from orders", -201, 107},
        {"select set" + std::string(300, '{') + "1" + std::string(300, '}') + " from orders", -201, 110},
        // Nesting within the limit still runs.
        {"select " + Nested(90, "paid + 1") + " from orders", 0, -1},
        // A catalog query cut after WHERE pointed far beyond its end.
        {"select idxname, i.owner, part1, part16 from \"informix\".sysindexes i, outer \"informix\".sysobjstate o "
         "where", -201, 105},
        {"select idxname from \"informix\".sysindexes i, outer \"informix\".sysobjstate o where i.tabid = 100 and",
         -201, 99},
        // An unclosed column list in ALTER TABLE ... ADD looped for ever.
        {"alter table orders add ( remark char ( 10 ym + 8000 units year", -201, -1},
    };
    fuzz_test::Watchdog watchdog(std::chrono::seconds(5), std::chrono::seconds(30));
    for (const HostileCase& c : cases) {
        for (const bool immediate : {false, true}) {
            watchdog.begin(c.sql);
            const fuzz_test::Outcome outcome = fuzz_test::RunStatement(c.sql, immediate);
            EXPECT_FALSE(watchdog.end()) << c.sql.substr(0, 200);
            EXPECT_EQ(fuzz_test::OutcomeProblem(c.sql, outcome), "") << c.sql.substr(0, 200);
            EXPECT_EQ(outcome.code, c.code) << outcome.stage << ": " << c.sql.substr(0, 200);
            if (c.offset >= 0) EXPECT_EQ(outcome.offset, c.offset) << c.sql.substr(0, 200);
        }
    }
}

}  // namespace
}  // namespace stmt_test
