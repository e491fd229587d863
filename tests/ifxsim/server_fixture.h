#pragma once
// A throw-away stand-in installation for the server-side tests: a sqlhosts
// file and data directories in a temporary folder, made known to the library
// through its own environment (ifx_putenv), as the access layer does.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ifxesqlc.h"
#include "ifxsim_admin.h"

namespace server_test {

namespace fs = std::filesystem;

inline int SqlCode() { return *fnsqlcode(); }

// sqlwarn0..sqlwarn3 as a four-character text, e.g. "W  W".
inline std::string Warnings()
{
    const sqlca_s* ca = fnsqlca();
    return {ca->sqlwarn.sqlwarn0, ca->sqlwarn.sqlwarn1, ca->sqlwarn.sqlwarn2, ca->sqlwarn.sqlwarn3};
}

inline std::string CurrentName()
{
    const char* name = ifx_getcur_conn_name();
    return name ? name : "<none>";
}

class ServerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        root_ = fs::temp_directory_path() / ("ifxsim-server-" + std::to_string(random()));
        fs::create_directories(root_ / "etc");
        fs::create_directories(root_ / "locked");
        std::ofstream(root_ / "etc" / "sqlhosts")
            << "# stand-in servers for the tests\n"
               "\n"
               "simsrv   onsqlite  localhost  ../data\n"
               "simsrv   onsqlite  localhost  ../shadowed\n"
               "locked   onsqlite  localhost  " << (root_ / "locked").string() << "\n"
               "tcpsrv   onsoctcp  dbhost     9088\n"
               "broken   onsqlite\n";
        std::ofstream(root_ / "locked" / "server.users") << "# users of the locked server\n"
                                                            "alice   secret\n"
                                                            "bob     two words\n";
        Put("INFORMIXSQLHOSTS=" + (root_ / "etc" / "sqlhosts").string());
        Put("INFORMIXSERVER=simsrv");
        Put("WIN32USER=");
        Put("WIN32PASS=");
    }

    void TearDown() override
    {
        // Leave no connection behind for the next test.
        if (ifx_getcur_conn_name())
            sqli_trans_rollback();
        sqli_connect_close(2, nullptr, 0, 0);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    static void Put(const std::string& assignment) { ASSERT_EQ(ifx_putenv(assignment.c_str()), 0); }

    static int Connect(const char* name, const char* dbenv = "@simsrv", const char* user = nullptr,
                       const char* password = nullptr)
    {
        ifx_user_t login{const_cast<char*>(user), const_cast<char*>(password)};
        ifx_conn_t spec{IFX_CONN_TYPE_USER_AUTH, &login};
        sqli_connect_open(ESQLINTVERSION, 0, dbenv, name, user ? &spec : nullptr, 1);
        return SqlCode();
    }

    static int Disconnect(const char* name)
    {
        sqli_connect_close(0, name, 0, 0);
        return SqlCode();
    }

    // Runs a statement through the library's statement path.
    static int Exec(const std::string& sql) { return sqli_exec_immed(sql.c_str()); }

    fs::path DataDir() const { return root_ / "data"; }

    // Lays down a database file in the stand-in's documented format (a
    // SQLite file, application_id 0x49667853, user_version = logging mode
    // 0 none, 1 buffered, 2 unbuffered, 3 ANSI), as a restored backup would.
    void MakeDatabase(const std::string& name, int mode)
    {
        fs::create_directories(DataDir());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((DataDir() / (name + ".db")).string().c_str(), &db), SQLITE_OK);
        const std::string sql = "PRAGMA application_id=" + std::to_string(0x49667853)
                                + "; PRAGMA user_version=" + std::to_string(mode)
                                + "; CREATE TABLE t(a INTEGER)";
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    fs::path root_;
};

}  // namespace server_test
