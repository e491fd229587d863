// The ifxsql tool on a small script: rows in unload format on standard
// output, errors as Informix tools print them, exit status by the first error.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
};

class IfxsqlTool : public ::testing::Test {
protected:
    void SetUp() override {
        tool_ = fs::read_symlink("/proc/self/exe").parent_path() / "ifxsql";
        if (!fs::exists(tool_)) GTEST_SKIP() << "ifxsql is not built beside the tests";
        root_ = fs::temp_directory_path() / ("ifxsql-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "data");
        std::ofstream(root_ / "sqlhosts") << "toolsrv onsqlite localhost data\n";
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    // Runs the tool with `args` on `script`; standard error goes into `out` after standard output.
    Outcome Run(const std::string& args, const std::string& script, bool withStderr = false) {
        const fs::path file = root_ / "script.sql";
        std::ofstream(file) << script;
        const std::string command = "INFORMIXSQLHOSTS='" + (root_ / "sqlhosts").string() +
                                    "' INFORMIXSERVER=toolsrv '" + tool_.string() + "' " + args + " < '" +
                                    file.string() + "'" + (withStderr ? " 2>&1" : " 2>/dev/null");
        Outcome o;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return o;
        std::array<char, 4096> buf{};
        std::size_t n;
        while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) o.out.append(buf.data(), n);
        const int raw = pclose(pipe);
        o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return o;
    }

    fs::path tool_, root_;
};

TEST_F(IfxsqlTool, RunsAScriptAndPrintsRowsInUnloadFormat) {
    const Outcome o = Run("- -",
                          "create database toolsdb with log;\n"
                          "create table item (id serial, name varchar(20), price money(8,2), seen date);\n"
                          "insert into item values (0, 'pipe|name', 12.5, '12/31/1999');\n"
                          "insert into item (name) values ('plain');  -- a comment; with a semicolon\n"
                          "select id, name, price, seen from item order by id;\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "1|pipe\\|name|12.50|12/31/1999|\n2|plain|||\n");
}

// A CLOB prints its text, a BLOB its bytes as hex digits; NULL stays an empty field.
TEST_F(IfxsqlTool, PrintsSmartLargeObjectContent) {
    const Outcome o = Run("- -",
                          "create database lodb with log;\n"
                          "create table doc (id integer, body clob, raw blob);\n"
                          "insert into doc values (1, 'text|with pipe', 'AZ');\n"
                          "insert into doc (id) values (2);\n"
                          "select id, body, raw from doc order by id;\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "1|text\\|with pipe|415A|\n2|||\n");
}

// Braces after SET, MULTISET and LIST hold a collection, not a comment: a
// semicolon or brace quoted inside does not end the statement. Elsewhere
// braces still enclose a comment.
TEST_F(IfxsqlTool, CollectionConstructorsAreNotComments) {
    const Outcome o = Run("- -",
                          "create database colldb with log;\n"
                          "create table kit (k integer, l list(varchar(10) not null), s set(integer not null));\n"
                          "insert into kit values (1, LIST{'a;}b', 'c'}, SET{2, 2});\n"
                          "insert {a comment; with a semicolon} into kit values (2, null, null);\n"
                          "update kit set {new; values} s = SET{3} where k = 2;\n"
                          "select k, l, s from kit order by k;\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "1|LIST{'a;}b','c'}|SET{2}|\n2||SET{3}|\n");
}

TEST_F(IfxsqlTool, StopsAtTheFirstErrorAndReportsIt) {
    ASSERT_EQ(Run("-", "create database toolsdb;\ncreate table t (a int);\n").status, 0);
    const Outcome o = Run("toolsdb -", "insert into t values (1);\nselect * from missing;\nselect a from t;\n", true);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.out.find("  206: The specified table (missing) is not in the database."), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("  111: ISAM error: no record found."), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("Error in line 2"), std::string::npos) << o.out;
    EXPECT_EQ(o.out.find("1|\n"), std::string::npos) << "ran past the error: " << o.out;
}

TEST_F(IfxsqlTool, ContinuesPastErrorsWhenAsked) {
    ASSERT_EQ(Run("-", "create database toolsdb;\ncreate table t (a int);\ninsert into t values (7);\n").status, 0);
    const Outcome o = Run("-c toolsdb", "select * from missing;\nselect a from t;\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "7|\n");
}

TEST_F(IfxsqlTool, LoadAndUnloadFiles) {
    const fs::path in = root_ / "in.unl";
    const fs::path out = root_ / "out.unl";
    std::ofstream(in) << "1|Smith\\|Jones|12.50|01/02/2024|\n2||3.1||\n3|two\\\nlines|0|12/31/1999|\n";
    const Outcome o = Run("-", "create database toolsdb with log;\n"
                               "create table c (id integer, name varchar(30), bal decimal(8,2), d date);\n"
                               "load from '" + in.string() + "' insert into c;\n"
                               "unload to '" + out.string() + "' delimiter ';' select * from c order by id;\n"
                               "select id from c where name is null and d is null;\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "2|\n");  // empty fields load as NULL
    std::ifstream unloaded(out);
    std::stringstream text;
    text << unloaded.rdbuf();
    EXPECT_EQ(text.str(), "1;Smith|Jones;12.50;01/02/2024;\n2;;3.10;;\n3;two\\\nlines;0.00;12/31/1999;\n");
}

// A routine is one statement up to END PROCEDURE / END FUNCTION and its
// DOCUMENT and WITH LISTING IN clauses, whatever ';' its body holds.
TEST_F(IfxsqlTool, RoutineBodiesAreOneStatement) {
    const Outcome o = Run("- -",
                          "create database toolsdb with log;\n"
                          "create table t (a int);\n"
                          "create procedure p(x int)\n  insert into t values (x);\n  update t set a = a + 1;\n"
                          "end procedure;\n"
                          "create function f() returning int;\n  return 1;\nend function\n"
                          "  document 'One; always.', 'The end procedure' with listing in '/tmp/f.lst';\n"
                          "select procname, numargs from sysprocedures order by procid;\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "p|1|\nf|0|\n");
}

TEST_F(IfxsqlTool, UnknownServerFails) {
    const Outcome o = Run("-s nosuchserver -", "select 1 from systables;\n", true);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.out.find("25596"), std::string::npos) << o.out;
}

}  // namespace
