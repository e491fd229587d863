#pragma once
// A throw-away stand-in server for the connection tests: a temporary sqlhosts
// file and data directory made known to the client library through its own
// environment, three databases (logged, unlogged, ANSI) each with a table
// t (id integer), all made with the stand-in's SQL. The library is the real
// libisqlt09a.so beside the test binary, loaded through the binding.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxMonitor.h"

namespace connection_test {

namespace fs = std::filesystem;
using namespace varnok;

class RecordingMonitor : public TIfxCustomMonitor {
public:
    std::vector<std::pair<TIfxMonitorEventType, std::string>> events;
    bool Saw(const std::string& text) const {
        for (const auto& e : events)
            if (e.second == text) return true;
        return false;
    }
    bool SawContaining(const std::string& part) const {
        for (const auto& e : events)
            if (e.second.find(part) != std::string::npos) return true;
        return false;
    }

protected:
    void HandleEvent(TIfxMonitorEventType type, const std::string& message) override {
        events.emplace_back(type, message);
    }
};

// The stand-in beside the test binary through the process-wide binding.
// While the stand-in still lacks entry points the connection never calls
// (the smart-large-object routines), the binding refuses it; the table is
// then filled with what it exports and installed as the process-wide one.
inline void BindStandIn() {
    const std::string path = ExecutableFolder() + "/" + kIfxLibraryFileName;
    UnloadIfxClientLibrary();  // other tests of this binary load partial libraries
    try {
        LoadIfxClientLibrary(path);
        return;
    } catch (const EIfxConnectivityError&) {
    }
    static void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    static TIfxLibrary table;
#define VARNOK_FIND(name) table.name = reinterpret_cast<decltype(table.name)>(dlsym(handle, #name));
    VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_FIND)
    VARNOK_IFX_OPTIONAL_ENTRY_POINTS(VARNOK_FIND)
#undef VARNOK_FIND
    InstallIfxClientTable(table);
}

// Another thread makes the (dormant) connection its current one and holds it
// until this object goes, so the creating thread cannot make it current.
class TConnectionHeldElsewhere {
public:
    explicit TConnectionHeldElsewhere(TIfxConnection& db) {
        db.MakeDormant();
        std::promise<void> held;
        holder_ = std::thread([&db, &held, this] {
            db.Resource()->MakeCurrent();
            held.set_value();
            release_.get_future().wait();
        });
        held.get_future().wait();
    }
    ~TConnectionHeldElsewhere() {
        release_.set_value();
        holder_.join();
    }
    TConnectionHeldElsewhere(const TConnectionHeldElsewhere&) = delete;
    TConnectionHeldElsewhere& operator=(const TConnectionHeldElsewhere&) = delete;

private:
    std::promise<void> release_;
    std::thread holder_;
};

class StandInConnection : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BindStandIn(); }

    void SetUp() override {
        root_ = fs::temp_directory_path() / ("varnok-connection-" + std::to_string(std::random_device()()));
        fs::create_directories(root_);
        std::ofstream(root_ / "sqlhosts") << "# test servers\n"
                                          << "simsrv onsqlite localhost " << (root_ / "data").string() << "\n"
                                          << "other  onsqlite localhost other-data\n";
        Put("INFORMIXSQLHOSTS=" + (root_ / "sqlhosts").string());
        Put("INFORMIXSERVER=simsrv");
        Put("WIN32USER=alice");
        Put("WIN32PASS=");
        const TIfxLibrary& lib = Ifx();
        lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "vkfixture", nullptr, 1);
        ASSERT_EQ(*lib.fnsqlcode(), 0);
        for (const char* sql : {"create database vk_log with log", "create table t (id integer)",
                                "create database vk_nolog", "create table t (id integer)",
                                "create database vk_ansi with log mode ansi", "create table t (id integer)",
                                "commit work"})
            ASSERT_EQ(lib.sqli_exec_immed(sql), 0) << sql;
        lib.sqli_connect_close(3, nullptr, 0, 0);
        ASSERT_EQ(*lib.fnsqlcode(), 0);

        db.SetName("Database");
        db.SetMonitor(&monitor);
        db.Params() = {"INFORMIXSERVER=simsrv", "WIN32USER=alice", "WIN32PASS=", "DATABASE=vk_log"};
    }

    void TearDown() override {
        db.Close();
        const TIfxLibrary& lib = Ifx();
        if (lib.ifx_getcur_conn_name()) lib.sqli_trans_rollback();
        lib.sqli_connect_close(2, nullptr, 0, 0);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    static void Put(const std::string& line) { ASSERT_EQ(Ifx().ifx_putenv(line.c_str()), 0); }

    static std::string Env(const char* name) {
        const char* value = Ifx().ifx_getenv(const_cast<char*>(name));
        return value ? value : "";
    }

    // Rows of t in database, counted through a connection of its own.
    static int CountRows(const std::string& database) {
        const TIfxLibrary& lib = Ifx();
        static int serial = 0;
        const std::string name = "vkcount" + std::to_string(++serial);
        lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", name.c_str(), nullptr, 1);
        EXPECT_EQ(*lib.fnsqlcode(), 0);
        EXPECT_EQ(lib.sqli_db_open(database.c_str(), 0), 0);
        int4 count = -1;
        ifx_sqlvar_t out{};
        out.sqltype = CINTTYPE;
        out.sqllen = sizeof count;
        out.sqldata = reinterpret_cast<char*>(&count);
        const char* pieces[] = {"select count(*) from t", nullptr};
        EXPECT_EQ(lib.sqli_slct(ESQLINTVERSION, nullptr, pieces, 0, nullptr, 1, &out, 0, nullptr, nullptr, 0), 0);
        lib.sqli_trans_rollback();  // an ANSI database opened a transaction for the select
        lib.sqli_connect_close(0, name.c_str(), 0, 0);
        EXPECT_EQ(*lib.fnsqlcode(), 0);
        return count;
    }

    void SetDatabase(const std::string& name) {
        db.Params() = {"INFORMIXSERVER=simsrv", "WIN32USER=alice", "WIN32PASS=", "DATABASE=" + name};
    }

    fs::path root_;
    RecordingMonitor monitor;
    TIfxConnection db;
};

}  // namespace connection_test
