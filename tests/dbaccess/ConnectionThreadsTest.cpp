// The connection across threads and while the server works: dormant in one
// thread and current in another, Interrupt, and the request callback.
#include <atomic>
#include <chrono>
#include <thread>

#include "ConnectionTestFixture.h"
#include "dbaccess/IfxExceptions.h"

using namespace connection_test;
using namespace std::chrono_literals;

namespace {

// A table n of 60 rows: four copies cross-joined keep the server busy for a
// while, five for much longer.
void FillNumbers(TIfxConnection& db) {
    db.ExecuteDirect("create table n (i integer)");
    for (int i = 1; i <= 60; ++i) db.ExecuteDirect("insert into n values (" + std::to_string(i) + ")");
}
constexpr const char* kBusyStatement = "select count(*) from n a, n b, n c, n d";
constexpr const char* kEndlessStatement =
    "select count(*) from n a, n b, n c, n d, n e, n f where a.i + b.i + c.i + d.i + e.i + f.i > 0";

}  // namespace

TEST_F(StandInConnection, InterruptWithoutARequestNamesTheComponent) {
    db.Open();
    try {
        db.Interrupt();
        FAIL() << "no error";
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Database: The server is not currently processing an SQL request");
    }
}

TEST_F(StandInConnection, DormantInOneThreadCurrentInAnother) {
    db.Open();
    const std::string name = db.Resource()->Name();
    db.MakeDormant();
    EXPECT_EQ(Ifx().ifx_getcur_conn_name(), nullptr);
    std::string workerError;
    std::string currentInWorker;
    std::thread worker([&] {
        try {
            db.MakeCurrent();
            const char* current = Ifx().ifx_getcur_conn_name();
            currentInWorker = current ? current : "";
            db.ExecuteDirect("insert into t values (5)");
            db.MakeDormant();
        } catch (const std::exception& e) {
            workerError = e.what();
        }
    });
    worker.join();
    EXPECT_EQ(workerError, "");
    EXPECT_EQ(currentInWorker, name);
    db.MakeCurrent();
    EXPECT_EQ(std::string(Ifx().ifx_getcur_conn_name()), name);
    db.Close();
    EXPECT_EQ(CountRows("vk_log"), 1);
}

TEST_F(StandInConnection, InterruptFromAnotherThreadCancelsALongStatement) {
    SetDatabase("vk_nolog");
    db.Open();
    FillNumbers(db);
    std::atomic<bool> done{false};
    std::atomic<bool> accepted{false};
    std::thread interrupter([&] {
        // Until the request is under way Interrupt raises; keep asking.
        while (!done && !accepted) {
            try {
                accepted = db.Interrupt();
            } catch (const EIfxAccessError&) {
                std::this_thread::sleep_for(2ms);
            }
        }
    });
    int code = 0;
    try {
        db.ExecuteDirect(kEndlessStatement);
    } catch (const EIfxError& e) {
        code = e.SqlCode();
    }
    done = true;
    interrupter.join();
    EXPECT_TRUE(accepted);
    EXPECT_EQ(code, -213);
    EXPECT_NO_THROW(db.ExecuteDirect("insert into t values (1)")) << "the connection stays usable";
}

TEST_F(StandInConnection, RequestCallbackSeesBeginTimeOutsAndEnd) {
    SetDatabase("vk_nolog");
    db.Open();
    FillNumbers(db);
    db.Close();
    std::vector<TIfxTimeOutStatus> seen;
    db.OnTimeOut = [&](TIfxTimeOutStatus status) { seen.push_back(status); };
    db.SetTimeOutInterval(10);
    db.SetUseTimeOut(true);
    db.Open();
    seen.clear();  // the connect work's own requests
    db.ExecuteDirect(kBusyStatement);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), tsBegin);
    EXPECT_EQ(seen.back(), tsEnd);
    EXPECT_NE(std::find(seen.begin(), seen.end(), tsTimeOut), seen.end());
}

TEST_F(StandInConnection, TimeOutHandlerMayInterruptTheRequest) {
    SetDatabase("vk_nolog");
    db.Open();
    FillNumbers(db);
    int timeOuts = 0;
    db.OnTimeOut = [&](TIfxTimeOutStatus status) {
        if (status == tsTimeOut && ++timeOuts == 3) db.Interrupt();
    };
    db.SetTimeOutInterval(10);
    db.SetUseTimeOut(true);
    try {
        db.ExecuteDirect(kEndlessStatement);
        FAIL() << "not interrupted";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -213);
    }
    EXPECT_GE(timeOuts, 3);
}

TEST_F(StandInConnection, UseTimeOutReadsFalseAfterClose) {
    db.SetUseTimeOut(true);
    db.Open();
    EXPECT_TRUE(db.UseTimeOut());
    db.Close();
    EXPECT_FALSE(db.UseTimeOut());
    int calls = 0;
    db.OnTimeOut = [&](TIfxTimeOutStatus) { ++calls; };
    db.Open();
    db.ExecuteDirect("insert into t values (1)");
    EXPECT_EQ(calls, 0) << "the callback is not installed on the next connection";
}

TEST_F(StandInConnection, CallbackOnAForeignConnectionReportsAWrongHandle) {
    db.Open();
    db.MakeDormant();
    const TIfxLibrary& lib = Ifx();
    lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "foreign", nullptr, 1);
    ASSERT_EQ(*lib.fnsqlcode(), 0);
    try {
        TIfxConnection::HandleRequestCallback(tsBegin);
        FAIL() << "no error";
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Active connection handle is wrong") << "no component prefix";
    }
    lib.sqli_connect_close(0, "foreign", 0, 0);
}

TEST_F(StandInConnection, FailingTimeOutHandlerFailsTheRequestInsteadOfCrossingTheLibrary) {
    db.OnTimeOut = [](TIfxTimeOutStatus status) {
        if (status == tsBegin) throw std::runtime_error("handler failed");
    };
    db.SetUseTimeOut(true);
    db.Open();
    try {
        db.ExecuteDirect("insert into t values (1)");
        FAIL() << "the handler's failure was lost";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "handler failed");
    }
    db.OnTimeOut = nullptr;
    EXPECT_NO_THROW(db.ExecuteDirect("insert into t values (2)")) << "raised once, then forgotten";
}

TEST_F(StandInConnection, UseTimeOutReadsFalseAfterACloseThatCouldNotRemoveTheCallback) {
    std::vector<std::string> closeErrors;
    db.OnCloseError = [&](const std::exception& e) { closeErrors.push_back(e.what()); };
    db.SetUseTimeOut(true);
    db.Open();
    {
        // Another thread holds the connection: removing the callback fails too.
        TConnectionHeldElsewhere held(db);
        EXPECT_NO_THROW(db.Close());
    }
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(closeErrors.size(), 2u) << "the callback removal and the disconnect both failed";
    EXPECT_FALSE(db.UseTimeOut());
    db.OnCloseError = nullptr;
    int calls = 0;
    db.OnTimeOut = [&](TIfxTimeOutStatus) { ++calls; };
    db.Open();
    db.ExecuteDirect("insert into t values (1)");
    EXPECT_EQ(calls, 0) << "the callback is not installed on the next connection";
}
