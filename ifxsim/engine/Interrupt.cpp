// Request guard, progress and busy handlers: interruption and the request callback.
#include <sqlite3.h>
#include <string>
#include <thread>

#include "engine/Connection.h"
#include "engine/ConnectionRegistry.h"

namespace ifxsim {

namespace {

using Clock = std::chrono::steady_clock;

// SQLite calls this every kProgressSteps virtual-machine steps of a running
// statement: often enough to stop within a few milliseconds.
constexpr int kProgressSteps = 1000;
constexpr auto kLockPoll = std::chrono::milliseconds(10);

// Status 2 once per interval while the request runs.
void Tick(ConnectionInterruptState& state)
{
    if (!state.callback || state.callbackInterval < 0)
        return;
    const auto now = Clock::now();
    if (now - state.lastTick >= std::chrono::milliseconds(state.callbackInterval)) {
        state.lastTick = now;
        NotifyRequestCallback(state, 2);
    }
}

constexpr const char* kSavepoint = "ifxsim_request";

// True while a statement that changes data runs on `db`.
bool WriteRunning(sqlite3* db)
{
    for (sqlite3_stmt* stmt = sqlite3_next_stmt(db, nullptr); stmt; stmt = sqlite3_next_stmt(db, stmt))
        if (sqlite3_stmt_busy(stmt) && !sqlite3_stmt_readonly(stmt))
            return true;
    return false;
}

// Whether the running statement should stop now. An interrupted write would
// take the whole transaction with it (SQLite rolls back everything), so
// under a request savepoint a write finishes and the savepoint undoes it.
bool StopNow(Connection& connection, sqlite3* db)
{
    if (connection.killed())
        return true;
    ConnectionInterruptState& state = connection.interruptState();
    if (!state.breakRequested.load())
        return false;
    return state.savepointDb.load() != db || !WriteRunning(db);
}

int ProgressHandler(void* context)
{
    auto* connection = static_cast<Connection*>(context);
    ConnectionInterruptState& state = connection->interruptState();
    sqlite3* db = connection->db();
    if (StopNow(*connection, db))
        return 1;
    Tick(state);
    // The callback may have asked for the break itself (it runs on this thread).
    return StopNow(*connection, db) ? 1 : 0;
}

// Opens the request's savepoint when a transaction is open.
void TakeSavepoint(Connection& connection)
{
    sqlite3* db = connection.db();
    if (!db || sqlite3_get_autocommit(db))
        return;
    const std::string sql = std::string("SAVEPOINT ") + kSavepoint;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK)
        connection.interruptState().savepointDb.store(db);
}

// Ends the request's savepoint; a request that failed with -213 is undone.
void EndSavepoint(Connection& connection)
{
    sqlite3* db = connection.interruptState().savepointDb.exchange(nullptr);
    // A COMMIT, ROLLBACK or another database in the request took it already.
    if (!db || db != connection.db() || sqlite3_get_autocommit(db))
        return;
    if (LastSqlCode() == err::kInterrupted)
        sqlite3_exec(db, (std::string("ROLLBACK TO ") + kSavepoint).c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, (std::string("RELEASE ") + kSavepoint).c_str(), nullptr, nullptr, nullptr);
}

// Waits for a lock another connection holds, as SET LOCK MODE asks; a break
// ends the wait at once.
int BusyHandler(void* context, int attempt)
{
    auto* connection = static_cast<Connection*>(context);
    ConnectionInterruptState& state = connection->interruptState();
    const auto now = Clock::now();
    if (attempt == 0)
        state.busySince = now;
    if (state.breakRequested.load() || connection->killed())
        return 0;
    const int wait = connection->lockWait();
    if (wait == 0)
        return 0;
    if (wait > 0 && now - state.busySince >= std::chrono::seconds(wait))
        return 0;
    std::this_thread::sleep_for(kLockPoll);
    Tick(state);
    return 1;
}

}  // namespace

void NotifyRequestCallback(ConnectionInterruptState& state, int status)
{
    if (!state.callback)
        return;
    try {
        state.callback(status);
    } catch (...) {
        // A throwing callback must not unwind through SQLite or leave the
        // request half done; the request goes on.
    }
}

void AttachInterruptHandlers(Connection& connection, sqlite3* db)
{
    ConnectionInterruptState& state = connection.interruptState();
    {
        std::lock_guard lock(state.mutex);
        state.db = db;
    }
    sqlite3_progress_handler(db, kProgressSteps, &ProgressHandler, &connection);
    sqlite3_busy_handler(db, &BusyHandler, &connection);
}

void DetachInterruptHandlers(Connection& connection)
{
    ConnectionInterruptState& state = connection.interruptState();
    std::lock_guard lock(state.mutex);
    if (state.db) {
        sqlite3_progress_handler(state.db, 0, nullptr, nullptr);
        sqlite3_busy_handler(state.db, nullptr, nullptr);
    }
    state.db = nullptr;
}

RequestGuard::RequestGuard()
{
    std::shared_ptr<Connection> connection = CurrentConnectionShared();
    if (!connection) {
        SetError(err::kNoSuchConnection);
        return;
    }
    if (connection->killed()) {
        // The administrator ended the session: this request fails and the
        // connection is gone.
        UnregisterConnection(connection);
        SetError(err::kNetworkFailure);
        return;
    }
    ConnectionInterruptState& state = connection->interruptState();
    if (state.depth.fetch_add(1) == 0) {
        outermost_ = true;
        state.breakRequested.store(false);
        // Only a callback needs the start time (a fetch is a request too).
        if (state.callback)
            state.lastTick = Clock::now();
        TakeSavepoint(*connection);
        NotifyRequestCallback(state, 1);
    }
    connection_ = std::move(connection);
}

RequestGuard::~RequestGuard()
{
    if (!connection_)
        return;
    ConnectionInterruptState& state = connection_->interruptState();
    if (outermost_) {
        EndSavepoint(*connection_);
        state.breakRequested.store(false);
        state.depth.store(0);
        NotifyRequestCallback(state, 0);
        if (connection_->killed())
            UnregisterConnection(connection_);
    } else {
        state.depth.fetch_sub(1);
    }
}

bool RequestGuard::stopRequested() const
{
    return connection_ && (connection_->interruptState().breakRequested.load() || connection_->killed());
}

bool RequestGuard::poll() const
{
    if (!connection_)
        return false;
    Tick(connection_->interruptState());
    return !stopRequested();
}

int RequestGuard::failInterrupted() const
{
    if (connection_ && connection_->killed())
        return SetError(err::kNetworkFailure);
    return SetError(err::kInterrupted);
}

std::shared_ptr<Connection> InterruptTarget()
{
    if (auto own = LastConnectionOfThread())
        return own;
    std::shared_ptr<Connection> running;
    for (const auto& connection : AllConnections()) {
        if (!RequestRunning(*connection))
            continue;
        if (running)
            return nullptr;  // more than one: no way to tell which is meant
        running = connection;
    }
    return running;
}

bool RequestRunning(Connection& connection)
{
    return connection.interruptState().depth.load() > 0;
}

bool RequestBreak(Connection& connection)
{
    ConnectionInterruptState& state = connection.interruptState();
    if (state.depth.load() == 0)
        return false;
    state.breakRequested.store(true);
    // Under a request savepoint the progress handler decides (a write must
    // not be cut); otherwise stop SQLite at once, wherever it is.
    std::lock_guard lock(state.mutex);
    if (state.db && (connection.killed() || state.savepointDb.load() != state.db))
        sqlite3_interrupt(state.db);
    return true;
}

}  // namespace ifxsim
