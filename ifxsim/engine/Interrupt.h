#pragma once
// Requests, interruption and the request callback.
//
// Every server request (opening a database, a transaction verb, every
// statement execute/open/fetch) runs inside a RequestGuard. While one runs:
//   - sqldone() answers -439;
//   - sqlbreak() from any thread cancels it: the SQLite work stops through
//     sqlite3_interrupt and the request fails with -213;
//   - the callback installed with sqlbreakcallback() is called on the
//     requesting thread with 1 at the start, 2 every interval while the
//     request runs (from SQLite's progress handler), and 0 at the end;
//     A write statement inside a transaction is not cut short: SQLite
//     would roll back the whole transaction with it. The break waits for
//     the statement to end; the request then fails with -213 and its
//     savepoint undoes the statement, the transaction stays open;
//   - an administrator's kill (ifxsim_kill_session) stops it as well, and the
//     request fails with -25580; the connection is gone afterwards.
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

struct sqlite3;

namespace ifxsim {

class Connection;

// Per-connection interruption state; shared between the requesting thread
// and the threads that interrupt it.
struct ConnectionInterruptState {
    std::mutex mutex;                    // guards `db` against a concurrent close
    sqlite3* db = nullptr;               // the open database, for sqlite3_interrupt
    std::atomic<int> depth{0};           // nesting of guards on the owning thread
    std::atomic<bool> breakRequested{false};
    // The request callback (sqlbreakcallback): interval in ms, -1 none.
    int callbackInterval = -1;
    void (*callback)(int status) = nullptr;
    std::chrono::steady_clock::time_point lastTick;
    std::chrono::steady_clock::time_point busySince;  // start of the current lock wait
    // Inside a transaction each request runs under a savepoint, so that a
    // break undoes the request's statement only (see Interrupt.cpp).
    std::atomic<sqlite3*> savepointDb{nullptr};
};

// Calls the request callback with `status` when one is installed (never
// lets an exception of the callback through the library).
void NotifyRequestCallback(ConnectionInterruptState& state, int status);

// The connection sqlbreak/sqldone act on when called from `this` thread:
// its current connection, else the one it made dormant last, else the only
// connection that is running a request.
std::shared_ptr<Connection> InterruptTarget();
// True while a request runs on the connection.
bool RequestRunning(Connection& connection);
// Asks the running request of `connection` to stop; false when none runs.
bool RequestBreak(Connection& connection);

class RequestGuard {
public:
    // Starts a request on the calling thread's current connection. When there
    // is none, or the session was killed, ok() is false and sqlca holds the
    // error (-1803, -25580). The caller resets sqlca before, as usual.
    RequestGuard();
    ~RequestGuard();
    RequestGuard(const RequestGuard&) = delete;
    RequestGuard& operator=(const RequestGuard&) = delete;

    bool ok() const { return connection_ != nullptr; }
    Connection& connection() const { return *connection_; }

    // True when sqlbreak or a kill asked this request to stop. Check it when
    // a statement that changes data has finished inside a transaction: a
    // break that came while it ran was held back (see above), and reporting
    // failInterrupted() now makes the request's savepoint undo the statement.
    bool stopRequested() const;
    // For long work outside SQLite: calls the request callback when its
    // interval is due; false when the request should stop.
    bool poll() const;
    // Stores the error of a request that was stopped (-213, or -25580 after a
    // kill) and returns it. Call when SQLite answered SQLITE_INTERRUPT, or
    // any failure while stopRequested() is true (a lock wait that was cut short).
    int failInterrupted() const;

private:
    std::shared_ptr<Connection> connection_;  // kept alive while the request runs
    bool outermost_ = false;
};

// Installs the progress handler and busy handler that serve interruption and
// the callback on a freshly opened database handle of `connection`.
void AttachInterruptHandlers(Connection& connection, sqlite3* db);
void DetachInterruptHandlers(Connection& connection);

}  // namespace ifxsim
