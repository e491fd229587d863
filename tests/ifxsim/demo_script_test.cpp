// The demo script builds database "stores" on an empty server through ifxsql,
// at a small size of the large table, and the result holds together: row
// counts, the cascading foreign key, the refused delete of a referenced row,
// the view and the synonyms.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#ifndef VARNOK_DEMO_SCRIPT
#error "VARNOK_DEMO_SCRIPT must name ifxsim/demo/stores_demo.sql"
#endif

namespace {

namespace fs = std::filesystem;

constexpr const char* kSizeLine = "insert into demo_size values (100000);";
constexpr int kSmallSize = 2500;

struct Outcome {
    int status = -1;
    std::string out; // standard output: rows in unload format
    std::string err; // standard error
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One server and its demo database, built once for all tests of the suite.
class DemoScript : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        tool_ = fs::read_symlink("/proc/self/exe").parent_path() / "ifxsql";
        root_ = fs::temp_directory_path() / ("demo-script-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "data");
        std::ofstream(root_ / "sqlhosts") << "demo onsqlite localhost data\n";
        if (!fs::exists(tool_)) return;

        std::string script = ReadFile(VARNOK_DEMO_SCRIPT);
        const auto at = script.find(kSizeLine);
        sizeLineFound_ = at != std::string::npos;
        if (sizeLineFound_)
            script.replace(at, std::string(kSizeLine).size(),
                           "insert into demo_size values (" + std::to_string(kSmallSize) + ");");
        std::ofstream(root_ / "stores_small.sql") << script;
        build_ = Run("- '" + (root_ / "stores_small.sql").string() + "'");
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    void SetUp() override {
        if (!fs::exists(tool_)) GTEST_SKIP() << "ifxsql is not built beside the tests";
        ASSERT_TRUE(sizeLineFound_) << "the size line of the large table is gone from the script";
        ASSERT_EQ(build_.status, 0) << build_.err;
    }

    // Runs ifxsql with `args` (database and script) on server demo.
    static Outcome Run(const std::string& args, const std::string& input = "") {
        const fs::path in = root_ / "stdin.sql", err = root_ / "stderr.txt";
        std::ofstream(in) << input;
        // Varnok runs the script with DBDATE=MDY4/, whatever the user's own setting is.
        const std::string command = "DBDATE=MDY4/ INFORMIXSQLHOSTS='" + (root_ / "sqlhosts").string() +
                                    "' '" + tool_.string() + "' -s demo " + args + " < '" + in.string() +
                                    "' 2> '" + err.string() + "'";
        Outcome o;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return o;
        std::array<char, 4096> buf{};
        std::size_t n;
        while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0)
            o.out.append(buf.data(), n);
        const int raw = pclose(pipe);
        o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        o.err = ReadFile(err);
        return o;
    }
    // The rows a query on stores prints; fails the test when the query fails.
    static std::string Query(const std::string& sql) {
        const Outcome o = Run("stores -", sql);
        EXPECT_EQ(o.status, 0) << sql << "\n" << o.err;
        return o.out;
    }

    static fs::path tool_, root_;
    static bool sizeLineFound_;
    static Outcome build_;
};

fs::path DemoScript::tool_, DemoScript::root_;
bool DemoScript::sizeLineFound_ = false;
Outcome DemoScript::build_;

TEST_F(DemoScript, BuildsWithoutAnyErrorAndLogsTheDatabase) {
    EXPECT_EQ(build_.err.find("Error in line"), std::string::npos) << build_.err;
    // A logged database takes transactions.
    const Outcome o = Run("stores -", "begin work;\nupdate states set sname = sname;\nrollback work;\n");
    EXPECT_EQ(o.status, 0) << o.err;
}

TEST_F(DemoScript, TablesHoldTheirRows) {
    struct Case {
        const char* table;
        int atLeast;
    };
    // The small tables must give the grids something to show; none is empty.
    const Case cases[] = {{"states", 10}, {"call_types", 5}, {"manufacturers", 6}, {"customers", 20},
                          {"stock", 20},  {"orders", 25},    {"items", 30},        {"cust_calls", 10},
                          {"catalog", 8}, {"all_types", 2},  {"region_sales", 4},  {"audit_notes", 1}};
    for (const Case& c : cases) {
        const std::string out = Query(std::string("select count(*) from ") + c.table + ";");
        EXPECT_GE(std::atoi(out.c_str()), c.atLeast) << c.table;
    }
}

TEST_F(DemoScript, LargeTableHasExactlyTheChosenSizeAndDistinctKeys) {
    EXPECT_EQ(
        Query("select count(*), count(distinct entry_num), min(entry_num), max(entry_num) from ledger;"),
        std::to_string(kSmallSize) + "|" + std::to_string(kSmallSize) + "|1|" + std::to_string(kSmallSize) +
            "|\n");
    // Generated values are varied and well-formed: nulls here and there, every kind, real timestamps.
    EXPECT_EQ(Query("select count(*) from ledger where customer_num is null and memo is null;") != "0|\n",
              true);
    EXPECT_EQ(Query("select count(distinct kind) from ledger;"), "4|\n");
    EXPECT_EQ(Query("select count(*) from ledger where posted is null or account not matches "
                    "'AC[0-9][0-9][0-9][0-9]';"),
              "0|\n");
    EXPECT_EQ(Query("select count(*) from ledger where customer_num is not null and customer_num not in "
                    "(select customer_num from customers);"),
              "0|\n");
}

TEST_F(DemoScript, EveryOrderHasOneToFourItemsPricedFromStock) {
    EXPECT_EQ(Query("select count(*) from orders o where not exists (select 1 from items i where i.order_num "
                    "= o.order_num)"
                    " or (select count(*) from items i where i.order_num = o.order_num) > 4;"),
              "0|\n");
    EXPECT_EQ(Query("select count(*) from items i, stock s where s.stock_num = i.stock_num and s.manu_code = "
                    "i.manu_code"
                    " and i.total_price <> i.quantity * s.unit_price;"),
              "0|\n");
}

TEST_F(DemoScript, DeletingAnOrderCascadesToItsItemsOnly) {
    const std::string before = Query("select count(*) from items where order_num <> 1002;");
    ASSERT_NE(Query("select count(*) from items where order_num = 1002;"), "0|\n");
    ASSERT_EQ(Run("stores -", "delete from orders where order_num = 1002;\n").status, 0);
    EXPECT_EQ(Query("select count(*) from items where order_num = 1002;"), "0|\n");
    EXPECT_EQ(Query("select count(*) from items where order_num <> 1002;"), before);
}

TEST_F(DemoScript, ReferencedCustomerCannotBeDeletedAndStaysIntact) {
    const Outcome o = Run("stores -", "delete from customers where customer_num = 101;\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("Error in line 1"), std::string::npos) << o.err;
    EXPECT_EQ(Query("select lname from customers where customer_num = 101;"), "Okafor|\n");
}

TEST_F(DemoScript, ConstraintsRefuseBadRows) {
    struct Case {
        const char* statement;
    };
    const Case cases[] = {
        {"insert into stock values (99, 'ALP', 'free sample', 0, 'each', 'each');"}, // check
        {"insert into items values (9, 1001, 1, 'ALP', 0, 0);"},                     // check
        {
            "insert into customers (customer_num, lname, email) values (0, 'Dup', "
            "'maren@trailhead.example');"},                                 // unique
        {"insert into orders (order_num, customer_num) values (0, 9999);"}, // foreign key
        {"insert into ledger values (0, today, null, 'AC0001', 'X', 1, null, null, null, null);"}, // check
        {"insert into orders (order_num, order_date, customer_num, ship_date) values (0, '03/02/2024', 101, "
         "'03/01/2024');"}, // check over two dates
    };
    for (const Case& c : cases) {
        const Outcome o = Run("stores -", std::string(c.statement) + "\n");
        EXPECT_EQ(o.status, 1) << c.statement << " was accepted";
    }
}

TEST_F(DemoScript, CollectionAndRowColumnsReadBackAsText) {
    EXPECT_EQ(Query("select sizes, parts, tags, origin from gear_kits where kit_code = 'HIKE';"),
              "SET{'S  ','M  ','L  '}|LIST{12,21,24}|MULTISET{'trail','summer','trail'}|ROW('US','Boulder')|\n");
    EXPECT_EQ(Query("select count(*) from gear_kits;"), "4|\n");
    EXPECT_EQ(Query("select c.coltype, c.collength from syscolumns c, systables t where t.tabname = 'gear_kits'"
                    " and c.tabid = t.tabid and c.colno > 1 order by c.colno;"),
              "19|2048|\n21|2048|\n20|2048|\n22|23|\n");
}

TEST_F(DemoScript, ViewAgreesWithItsBaseTables) {
    // The view's total for each customer equals the sum computed directly from items.
    EXPECT_EQ(Query("select count(*) from customer_order_totals v where v.total <> "
                    "(select sum(i.total_price) from orders o, items i where o.customer_num = v.customer_num"
                    " and i.order_num = o.order_num);"),
              "0|\n");
    EXPECT_EQ(
        Query("select count(*) from customer_order_totals;"),
        Query(
            "select count(distinct o.customer_num) from orders o, items i where i.order_num = o.order_num;"));
    EXPECT_EQ(Query("select count(*) from open_orders;"),
              Query("select count(*) from orders where ship_date is null;"));
}

TEST_F(DemoScript, SynonymsReachTheirTables) {
    EXPECT_EQ(Query("select count(*) from clients;"), Query("select count(*) from customers;"));
    EXPECT_EQ(Query("select count(*) from my_ledger;"), std::to_string(kSmallSize) + "|\n");
}

TEST_F(DemoScript, RoutinesTriggersAndGrantsAreInTheCatalogButRoutinesDoNotRun) {
    EXPECT_EQ(Query("select procname, isproc, paramtypes::lvarchar from sysprocedures order by procname;"),
              "customer_balance|f|integer|\nreprice_stock|t|char(3),decimal(5,2)|\n");
    EXPECT_EQ(Query("select trigname, event, old, new from systriggers order by trigname;"),
              "trg_customers_delete|D|gone||\ntrg_orders_ship|U|pre|post|\n");
    EXPECT_EQ(Query("select a.procauth from sysprocauth a, sysprocedures p where a.procid = p.procid"
                    " and p.procname = 'reprice_stock' and a.grantee = 'sales_staff';"),
              "e|\n");
    // select, insert, update on the table, then update on two columns: the column mark is set.
    EXPECT_EQ(Query("select a.tabauth from systabauth a, systables t where t.tabid = a.tabid"
                    " and t.tabname = 'orders' and a.grantee = 'sales_staff';"),
              "su*i-----|\n");
    EXPECT_EQ(Query("select count(*) from syscolauth a, systables t where t.tabid = a.tabid"
                    " and t.tabname = 'orders' and a.grantee = 'sales_staff' and a.colauth = '-u-';"),
              "2|\n");
    const Outcome o = Run("stores -", "execute procedure reprice_stock('ALP', 5);\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("721"), std::string::npos) << o.err;
}

TEST_F(DemoScript, HelperTablesOfTheBuildAreGone) {
    EXPECT_EQ(Run("stores -", "select * from stock_pick;\n").status, 1);
    EXPECT_EQ(Run("stores -", "select * from demo_size;\n").status, 1);
}

TEST_F(DemoScript, RunningItAgainFailsAtOnceAndKeepsTheDatabase) {
    const std::string customers = Query("select count(*) from customers;");
    const Outcome o = Run("- '" + (root_ / "stores_small.sql").string() + "'");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("330"), std::string::npos) << o.err;
    EXPECT_EQ(Query("select count(*) from customers;"), customers);
}

} // namespace
