// Exported administration entry points (ifxsim_admin.h).
#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "engine/ConnectionRegistry.h"
#include "engine/Session.h"
#include "ifxsim_admin.h"

using namespace ifxsim;

namespace {

using Clock = std::chrono::steady_clock;

// A counting query of a few milliseconds: SQLite work that sqlbreak can stop
// in the middle through sqlite3_interrupt.
constexpr const char* kBusyQuery =
    "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c LIMIT 20000) SELECT count(*) FROM c";

// One round of busy work; false when the request was stopped.
bool BusyRound(const RequestGuard& guard)
{
    sqlite3* db = guard.connection().db();
    if (!db) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return guard.poll();
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, kBusyQuery, -1, &stmt, nullptr) != SQLITE_OK)
        return !guard.stopRequested();
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
    return rc != SQLITE_INTERRUPT && !guard.stopRequested();
}

}  // namespace

int ifxsim_kill_session(int sid)
{
    std::shared_ptr<Connection> connection = FindConnectionBySession(sid);
    if (!connection || connection->killed())
        return -1;
    connection->markKilled();
    CloseSession(sid);  // gone from syssessions at once
    if (!RequestBreak(*connection)) {
        // Idle: its open transaction goes now, so its locks stop holding up
        // the other sessions (a running request ends through the break).
        ConnectionInterruptState& state = connection->interruptState();
        std::lock_guard lock(state.mutex);
        if (state.db && !sqlite3_get_autocommit(state.db))
            sqlite3_exec(state.db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return 0;
}

int ifxsim_current_session(void)
{
    const Connection* connection = CurrentConnection();
    return connection ? connection->sessionId() : -1;
}

int ifxsim_busy_request(int ms)
{
    ResetSqlca();
    RequestGuard guard;
    if (!guard.ok())
        return LastSqlCode();
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < deadline) {
        if (!BusyRound(guard))
            return guard.failInterrupted();
    }
    return 0;
}
