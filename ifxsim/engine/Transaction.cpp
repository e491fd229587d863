// BEGIN / COMMIT / ROLLBACK WORK on a connection's open database. An
// unlogged database never has a transaction: COMMIT there is -255.
#include <sqlite3.h>

#include "engine/Connection.h"
#include "engine/Transaction.h"

namespace ifxsim {

namespace {

// SQLite refuses a COMMIT while another connection reads or writes the same
// file; the server would report the lock.
int ReportFailure(sqlite3* db, int rc)
{
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        return SetError(-378, {}, -107);
    return SetError(err::kTransactionNotAvailable, sqlite3_errmsg(db));
}

int EndTransaction(Connection& connection, bool commit)
{
    sqlite3* db = connection.db();
    const int rc = sqlite3_exec(db, commit ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return ReportFailure(db, rc);
    connection.notifyTransactionEnded(commit);
    return 0;
}

}  // namespace

int BeginWork(Connection& connection)
{
    if (!connection.hasDatabase())
        return SetError(err::kNoDatabase);
    if (!connection.isLogged())
        return SetError(err::kTransactionNotAvailable);
    if (connection.inTransaction())
        return SetError(err::kAlreadyInTransaction);
    const int rc = sqlite3_exec(connection.db(), "BEGIN", nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? 0 : ReportFailure(connection.db(), rc);
}

int CommitWork(Connection& connection)
{
    if (!connection.hasDatabase())
        return SetError(err::kNoDatabase);
    if (!connection.inTransaction())
        // An ANSI database is always in a transaction, even an empty one.
        return connection.isAnsi() ? 0 : SetError(err::kNotInTransaction);
    return EndTransaction(connection, true);
}

int RollbackWork(Connection& connection)
{
    if (!connection.hasDatabase())
        return SetError(err::kNoDatabase);
    if (!connection.inTransaction())
        return connection.isAnsi() ? 0 : SetError(err::kNotInTransaction);
    return EndTransaction(connection, false);
}

}  // namespace ifxsim
