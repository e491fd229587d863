#pragma once
// Transactions on the open database of a connection.
//
// Unlogged databases have none (BEGIN WORK gives -256). Other logged
// databases need BEGIN WORK (-535 when one is open) before COMMIT/ROLLBACK
// WORK (-255 without one). ANSI databases are always in a transaction: the
// first statement after COMMIT or ROLLBACK opens one implicitly, COMMIT and
// ROLLBACK never fail for lack of one, and BEGIN WORK inside an open one is -535.
//
// Each call stores its outcome in sqlca and returns 0 or the error. The
// caller runs it inside its RequestGuard.
namespace ifxsim {

class Connection;

int BeginWork(Connection& connection);
int CommitWork(Connection& connection);
int RollbackWork(Connection& connection);

}  // namespace ifxsim
