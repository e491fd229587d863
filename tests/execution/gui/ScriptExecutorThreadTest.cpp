// The threaded run: the body on a worker thread, every event in the main
// thread through its event loop while the worker waits, the connection
// current in the worker during the run, and the executor freed afterwards.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "execution/ExecutorHandOverQt.h"
#include "execution/ExecutorTestFixture.h"

using namespace executor_test;

namespace {

using TStrings = std::vector<std::string>;

bool InMainThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs the event loop until `done` or 20 s have passed.
void WaitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Wraps every handler of `run` so it also records whether it ran in the main thread.
void RecordThreads(TScriptExecutor& run, std::vector<bool>& mainThread, std::atomic<bool>& ended) {
    auto before = run.OnBeforeScript;
    run.OnBeforeScript = [&, before](TScriptExecutor& e) {
        mainThread.push_back(InMainThread());
        before(e);
    };
    auto statement = run.OnBeforeStatement;
    run.OnBeforeStatement = [&, statement](TScriptExecutor& e, TStatementAction& a) {
        mainThread.push_back(InMainThread());
        statement(e, a);
    };
    auto done = run.OnStatementDone;
    run.OnStatementDone = [&, done](TScriptExecutor& e, std::uint32_t ms, const std::string& r,
                                    std::int32_t c, const std::string& s) {
        mainThread.push_back(InMainThread());
        done(e, ms, r, c, s);
    };
    auto after = run.OnAfterScript;
    run.OnAfterScript = [&, after](TScriptExecutor& e) {
        mainThread.push_back(InMainThread());
        after(e);
        ended = true;
    };
    auto error = run.OnScriptError;
    run.OnScriptError = [&, error](TScriptExecutor& e, const std::exception& x) {
        mainThread.push_back(InMainThread());
        error(e, x);
        ended = true;
    };
}

} // namespace

TEST_F(ExecutorTest, ThreadedRunFiresEveryEventInTheMainThreadWhileTheWorkerHoldsTheConnection) {
    TRunLog log;
    std::vector<bool> mainThread;
    std::atomic<bool> ended{false};
    std::weak_ptr<TScriptExecutor> watch;
    {
        auto run = NewRun(log, std::make_shared<TQtHandOver>());
        RecordThreads(*run, mainThread, ended);
        watch = run;
        run->ExecuteScript("select * from t; delete from t where id = 1");
        // Nothing has run yet: the events wait for the main thread's loop.
    }
    EXPECT_FALSE(watch.expired()); // the running executor keeps itself alive
    WaitFor([&] { return ended && watch.expired(); });
    ASSERT_TRUE(ended);
    EXPECT_EQ(log.events, (TStrings{"BeforeScript", "BeforeStatement", "Done", "BeforeStatement", "Done",
                                    "AfterScript"}));
    EXPECT_EQ(mainThread, std::vector<bool>(6, true));
    // Seen from the main thread the connection is dormant for the whole run
    // (current in the worker) and current again when the run ends.
    EXPECT_EQ(log.currentAtEvent, (TStrings{"", "", "", "", "", connectionName}));
    EXPECT_EQ(log.done.at(0).result, "5 row(s) fetched.");
    EXPECT_EQ(log.done.at(1).result, "1 row(s) deleted.");
    EXPECT_TRUE(watch.expired()); // freed once its thread was done
    EXPECT_EQ(CurrentConnectionName(), connectionName);
    EXPECT_EQ(CountRows(), kRowsOfT - 1);
}

TEST_F(ExecutorTest, ThreadedRunReportsAFailureInTheMainThreadWithTheConnectionBack) {
    TRunLog log;
    std::vector<bool> mainThread;
    std::atomic<bool> ended{false};
    std::weak_ptr<TScriptExecutor> watch;
    {
        auto run = NewRun(log, std::make_shared<TQtHandOver>());
        RecordThreads(*run, mainThread, ended);
        watch = run;
        run->ExecuteScript("delete from t where id = 1;select * from nosuchtable;delete from t where id = 2");
    }
    WaitFor([&] { return ended && watch.expired(); });
    ASSERT_TRUE(ended);
    EXPECT_EQ(log.events.back(), "ScriptError");
    EXPECT_TRUE(log.errorIsQueryError);
    EXPECT_EQ(log.currentAtEvent.back(), connectionName);
    EXPECT_EQ(mainThread, std::vector<bool>(mainThread.size(), true));
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(CountRows(), kRowsOfT - 1);
}

TEST(QtHandOver, RunsWorkInTheMainThreadAndRaisesItsErrorInTheWorker) {
    TQtHandOver handOver;
    std::atomic<bool> finished{false};
    bool ranInMain = false;
    std::string raised;
    std::thread worker([&] {
        handOver.Synchronize([&] { ranInMain = InMainThread(); });
        try {
            handOver.Synchronize([] { throw std::runtime_error("from the handler"); });
        } catch (const std::runtime_error& e) {
            raised = e.what();
        }
        finished = true;
    });
    WaitFor([&] { return finished.load(); });
    worker.join();
    EXPECT_TRUE(ranInMain);
    EXPECT_EQ(raised, "from the handler");
    // Called in the main thread itself it runs at once instead of deadlocking.
    bool direct = false;
    handOver.Synchronize([&] { direct = true; });
    EXPECT_TRUE(direct);
}

TEST(QtHandOver, AnEventWhoseMainObjectIsGoneIsAnErrorNotASilentAnswer) {
    auto* target = new QObject;
    TQtHandOver handOver(target);
    std::atomic<bool> finished{false};
    bool ran = false;
    std::string raised;
    std::thread worker([&] {
        try {
            handOver.Synchronize([&] { ran = true; });
        } catch (const EScriptExecError& e) {
            raised = e.what();
        }
        finished = true;
    });
    // The call waits in the main thread's queue; the object goes before the loop runs it.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    delete target;
    WaitFor([&] { return finished.load(); });
    worker.join();
    EXPECT_FALSE(ran);
    EXPECT_EQ(raised, "The script run could not reach the main thread");
}

TEST(QtHandOver, TheWorkerCountsAsRunningUntilItsBodyHasReturned) {
    TQtHandOver handOver;
    EXPECT_FALSE(handOver.WorkerRunning()); // nothing started
    std::atomic<bool> release{false};
    std::atomic<bool> handedOver{false};
    handOver.Start([&] {
        handOver.Synchronize([&] { handedOver = true; });
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    // Blocked on its hand-over until the main thread runs the event...
    EXPECT_TRUE(handOver.WorkerRunning());
    WaitFor([&] { return handedOver.load(); });
    ASSERT_TRUE(handedOver);
    // ...and still running after it, until the body returns.
    EXPECT_TRUE(handOver.WorkerRunning());
    release = true;
    WaitFor([&] { return !handOver.WorkerRunning(); });
    EXPECT_FALSE(handOver.WorkerRunning());
}
