// Request guard, progress and busy handlers: interruption and the request callback.
#include <sqlite3.h>
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

int ProgressHandler(void* context)
{
    auto* connection = static_cast<Connection*>(context);
    ConnectionInterruptState& state = connection->interruptState();
    if (state.breakRequested.load() || connection->killed())
        return 1;
    Tick(state);
    // The callback may have asked for the break itself (it runs on this thread).
    return state.breakRequested.load() || connection->killed() ? 1 : 0;
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
        state.lastTick = Clock::now();
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
    std::lock_guard lock(state.mutex);
    if (state.db)
        sqlite3_interrupt(state.db);
    return true;
}

}  // namespace ifxsim
