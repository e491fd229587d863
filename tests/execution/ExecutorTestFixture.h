#pragma once
// A throw-away stand-in server for the script executor tests: a temporary
// sqlhosts file and data directory, one logged database vk_exec with a table
// t (id integer, name char(20)) of 12 rows, the connection `db` open on it
// and the statement data set `qQueryExec` (packets of 5 rows, parameters
// written "&name") over it. Runs
// record every event they fire in a TRunLog.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/SQLProcessor.h"
#include "execution/ScriptErrors.h"
#include "execution/ScriptExecutor.h"

namespace executor_test {

namespace fs = std::filesystem;
using namespace varnok;

inline constexpr int kPacketRecords = 5;
inline constexpr int kRowsOfT = 12;

// The stand-in beside the test binary, through the process-wide binding.
inline void BindStandIn() {
    LoadIfxClientLibrary(ExecutableFolder() + "/" + kIfxLibraryFileName);
}

// An administration entry point of the stand-in (not part of the binding).
template <typename F> F StandInAdmin(const char* name) {
    void* handle = dlopen((ExecutableFolder() + "/" + kIfxLibraryFileName).c_str(), RTLD_NOW | RTLD_NOLOAD);
    return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
}

// Name of the connection current in the calling thread, "" without one.
inline std::string CurrentConnectionName() {
    const char* name = Ifx().ifx_getcur_conn_name();
    return name ? name : "";
}

// What a run reported, event by event.
struct TRunLog {
    struct TDone {
        std::uint32_t elapsedMs;
        std::string result;
        std::int32_t cost;
        std::string statement;
    };
    std::vector<std::string> events;         // "BeforeScript", "BeforeStatement", "Params", "Done", ...
    std::vector<std::string> currentAtEvent; // connection current in the event's thread
    std::vector<TDone> done;
    std::vector<std::vector<std::string>> paramNames; // per OnStatementParams
    std::string error;                                // message given to OnScriptError
    bool errorIsQueryError = false;
    std::int32_t errorPosition = 0;

    // Decisions of the handlers (none: run every statement).
    std::function<void(TScriptExecutor&, TStatementAction&)> beforeStatement;
    std::function<void(TScriptExecutor&, TStatementAction&, TParamList&)> statementParams;

    void Note(const char* event) {
        events.emplace_back(event);
        currentAtEvent.push_back(CurrentConnectionName());
    }
};

class ExecutorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BindStandIn(); }

    void SetUp() override {
        root_ = fs::temp_directory_path() / ("varnok-executor-" + std::to_string(std::random_device()()));
        fs::create_directories(root_);
        std::ofstream(root_ / "sqlhosts")
            << "simsrv onsqlite localhost " << (root_ / "data").string() << "\n";
        Put("INFORMIXSQLHOSTS=" + (root_ / "sqlhosts").string());
        Put("INFORMIXSERVER=simsrv");
        Put("WIN32USER=alice");
        Put("WIN32PASS=");
        const TIfxLibrary& lib = Ifx();
        lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "vkexecfixture", nullptr, 1);
        ASSERT_EQ(*lib.fnsqlcode(), 0);
        ASSERT_EQ(lib.sqli_exec_immed("create database vk_exec with log"), 0);
        ASSERT_EQ(lib.sqli_exec_immed("create table t (id integer, name char(20))"), 0);
        for (int i = 1; i <= kRowsOfT; ++i) {
            const std::string insert =
                "insert into t values (" + std::to_string(i) + ", 'n" + std::to_string(i) + "')";
            ASSERT_EQ(lib.sqli_exec_immed(insert.c_str()), 0) << insert;
        }
        lib.sqli_connect_close(3, nullptr, 0, 0);
        ASSERT_EQ(*lib.fnsqlcode(), 0);

        db.SetName("Database");
        db.Params() = {"INFORMIXSERVER=simsrv", "WIN32USER=alice", "WIN32PASS=", "DATABASE=vk_exec"};
        db.Open();
        connectionName = db.Resource()->Name();

        qQueryExec = std::make_unique<TIfxQuery>();
        qQueryExec->SetName("qQueryExec");
        qQueryExec->SetConnection(&db);
        qQueryExec->SetPacketRecords(kPacketRecords);
        // The program's processor: parameters are written "&name".
        processor.SetParamChar('&');
        qQueryExec->SetSQLProcessor(&processor);
    }

    void TearDown() override {
        qQueryExec.reset();
        try {
            if (db.Connected()) db.Rollback();
        } catch (...) {
        }
        try {
            db.Close();
        } catch (...) {
        }
        const TIfxLibrary& lib = Ifx();
        lib.sqli_connect_close(2, nullptr, 0, 0);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    static void Put(const std::string& line) { ASSERT_EQ(Ifx().ifx_putenv(line.c_str()), 0); }

    // A run over qQueryExec whose every event is written into `log`.
    std::shared_ptr<TScriptExecutor>
    NewRun(TRunLog& log, std::shared_ptr<TExecutorHandOver> handOver = std::make_shared<TDirectHandOver>()) {
        auto run = TScriptExecutor::Create(*qQueryExec, std::move(handOver));
        run->LogStatements = true;
        run->OnBeforeScript = [&log](TScriptExecutor&) { log.Note("BeforeScript"); };
        run->OnAfterScript = [&log](TScriptExecutor&) { log.Note("AfterScript"); };
        run->OnScriptError = [&log](TScriptExecutor&, const std::exception& error) {
            log.Note("ScriptError");
            log.error = error.what();
            if (const auto* query = dynamic_cast<const EQueryError*>(&error)) {
                log.errorIsQueryError = true;
                log.errorPosition = query->Position;
            }
        };
        run->OnBeforeStatement = [&log](TScriptExecutor& e, TStatementAction& action) {
            log.Note("BeforeStatement");
            if (log.beforeStatement) log.beforeStatement(e, action);
        };
        run->OnStatementParams = [&log](TScriptExecutor& e, TStatementAction& action, TParamList& params) {
            log.Note("Params");
            std::vector<std::string> names;
            for (const auto& p : params)
                names.push_back(p.name);
            log.paramNames.push_back(names);
            if (log.statementParams) log.statementParams(e, action, params);
        };
        run->OnStatementDone = [&log](TScriptExecutor&, std::uint32_t ms, const std::string& result,
                                      std::int32_t cost, const std::string& statement) {
            log.Note("Done");
            log.done.push_back({ms, result, cost, statement});
        };
        return run;
    }

    // Runs `script` to its end with the direct hand-over.
    TRunLog RunScript(const std::string& script, bool checkOnly = false) {
        TRunLog log;
        auto run = NewRun(log);
        run->CheckOnly = checkOnly;
        run->ExecuteScript(script);
        return log;
    }

    // Rows of t, read through the connection (current in this thread).
    int CountRows(const std::string& where = "") {
        TIfxQuery count;
        count.SetConnection(&db);
        count.SetSQLText("select count(*) from t " + where);
        count.Open();
        const int n = count.Field(0).AsInteger();
        count.Close();
        return n;
    }

    fs::path root_;
    TIfxConnection db;
    std::string connectionName;
    TIfxSQLProcessor processor;
    std::unique_ptr<TIfxQuery> qQueryExec;
};

} // namespace executor_test
