// Error texts built from the stand-in client library's own message
// catalogue and communication area: the same rules as ErrorTextTest.cpp,
// now through rgetlmsg and fnsqlca of libisqlt09a.so beside the executable.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dbaccess/IfxCheck.h"
#include "dbaccess/IfxMonitor.h"

using namespace varnok;
namespace fs = std::filesystem;

namespace {

// Only the status entry points and the connect call: enough to produce and
// read a real failure, whatever else the library already exports.
class StandInStatus : public ::testing::Test {
protected:
    struct Closer {
        void operator()(void* h) const {
            if (h) dlclose(h);
        }
    };
    std::unique_ptr<void, Closer> handle;
    TIfxLibrary lib;
    fs::path root;

    template <typename T>
    void Find(T& slot, const char* name) {
        slot = reinterpret_cast<T>(dlsym(handle.get(), name));
        ASSERT_NE(slot, nullptr) << name;
    }

    void SetUp() override {
        const std::string path = ExecutableFolder() + "/libisqlt09a.so";
        handle.reset(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
        ASSERT_NE(handle, nullptr) << dlerror();
        Find(lib.rgetlmsg, "rgetlmsg");
        Find(lib.fnsqlca, "fnsqlca");
        Find(lib.fnsqlcode, "fnsqlcode");
        Find(lib.ifx_putenv, "ifx_putenv");
        Find(lib.sqli_connect_open, "sqli_connect_open");
        Find(lib.sqli_connect_close, "sqli_connect_close");
        Find(lib.sqli_exec_immed, "sqli_exec_immed");

        root = fs::temp_directory_path() / ("varnok-dbaccess-" + std::to_string(std::random_device()()));
        fs::create_directories(root);
        std::ofstream(root / "sqlhosts") << "tcpsrv onsoctcp dbhost 9088\n"
                                         << "simsrv onsqlite localhost " << (root / "data").string() << "\n";
        ASSERT_EQ(lib.ifx_putenv(("INFORMIXSQLHOSTS=" + (root / "sqlhosts").string()).c_str()), 0);
    }

    void TearDown() override {
        lib.sqli_connect_close(2, nullptr, 0, 0);  // all connections of this test
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

class RecordingMonitor : public TIfxCustomMonitor {
public:
    std::vector<std::string> errors;

protected:
    void HandleEvent(TIfxMonitorEventType type, const std::string& message) override {
        if (type == meError) errors.push_back(message);
    }
};

}  // namespace

TEST_F(StandInStatus, CodeTheCatalogueLacksGivesTheFailureText) {
    EXPECT_EQ(IfxErrorText(-31999, 0, "", LibraryMessageSource(lib)),
              "-31999 SQL error: Get SQL error message failure, reason -1228\r\n"
              "Please see Informix error message documentation");
}

TEST_F(StandInStatus, FailedConnectRaisesTheLibrarysErrorAndTellsTheMonitor) {
    lib.sqli_connect_open(ESQLINTVERSION, 0, "@tcpsrv", "ifxcon$00000001", nullptr, 1);
    ASSERT_LT(*lib.fnsqlcode(), 0);
    RecordingMonitor monitor;
    try {
        CheckSqlCode(lib, &monitor);
        FAIL() << "no error raised";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -930);
        EXPECT_EQ(e.IsamCode(), lib.fnsqlca()->sqlerrd[1]);
        EXPECT_STREQ(e.what(), "-930 SQL error: Cannot connect to database server (tcpsrv).");
        ASSERT_EQ(monitor.errors.size(), 1u);
        EXPECT_EQ(monitor.errors[0], e.what());
    }
}

TEST_F(StandInStatus, MissingTableGivesTheSqlAndIsamMessagesOfTheServer) {
    lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "ifxcon$00000002", nullptr, 1);
    CheckSqlCode(lib);
    CheckResult(lib, lib.sqli_exec_immed("create database varnok_errors"));
    const int r = lib.sqli_exec_immed("select * from customer");
    try {
        CheckResult(lib, r);
        FAIL() << "no error raised";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -206);
        EXPECT_EQ(e.IsamCode(), -111);
        EXPECT_STREQ(e.what(),
                     "-206 SQL error: The specified table (customer) is not in the database."
                     "-111 ISAM error: no record found.");
    }
}

TEST_F(StandInStatus, AFailureTheCommunicationAreaDoesNotRecordHasNoIsamPart) {
    lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "ifxcon$00000003", nullptr, 1);
    CheckSqlCode(lib);
    CheckResult(lib, lib.sqli_exec_immed("create database varnok_stale"));
    CheckResult(lib, lib.sqli_exec_immed("create table s (id serial, v integer)"));
    const char* conversion = "-1213 SQL error: A character to numeric conversion process failed.";
    // The area after an INSERT (sqlerrd[1] = the new SERIAL) and after another
    // statement's failure; a conversion routine's -1213 is neither.
    for (const char* statement : {"insert into s (v) values (1)", "select * from customer"}) {
        lib.sqli_exec_immed(statement);
        ASSERT_NE(lib.fnsqlca()->sqlerrd[1], 0) << statement;
        try {
            CheckResult(lib, -1213);
            FAIL() << "no error raised";
        } catch (const EIfxError& e) {
            EXPECT_EQ(e.SqlCode(), -1213);
            EXPECT_EQ(e.IsamCode(), 0) << statement;
            EXPECT_STREQ(e.what(), conversion) << statement;
        }
    }
}

TEST_F(StandInStatus, ResultsOfZeroAndAbovePass) {
    for (int code : {0, 1, 100}) EXPECT_EQ(CheckResult(lib, code), code);
}
