// A client connection: its identity, its open database and its transaction state.
#include <sqlite3.h>

#include "engine/Connection.h"
#include "engine/Database.h"
#include "engine/Session.h"
#include "engine/SessionTable.h"

namespace ifxsim {

Connection::Connection(std::string name, std::string server, std::string dataDir, std::string user, int sessionId)
    : name_(std::move(name)),
      server_(std::move(server)),
      dataDir_(std::move(dataDir)),
      user_(std::move(user)),
      sessionId_(sessionId),
      interrupt_(std::make_unique<ConnectionInterruptState>())
{
}

Connection::~Connection()
{
    // Statements go before the database they run on; an open transaction
    // is rolled back when SQLite closes the handle, as a server does when a
    // session ends without COMMIT.
    if (database_)
        detachDatabase();
    extension_.reset();
    CloseSession(sessionId_);
}

sqlite3* Connection::db() const
{
    return database_ ? database_->handle() : nullptr;
}

const std::string& Connection::databaseName() const
{
    static const std::string none;
    return database_ ? database_->name() : none;
}

LogMode Connection::logMode() const
{
    return database_ ? database_->mode() : LogMode::None;
}

bool Connection::inTransaction() const
{
    return database_ && sqlite3_get_autocommit(database_->handle()) == 0;
}

int Connection::beginImplicitTransaction()
{
    if (!database_ || database_->mode() != LogMode::Ansi || inTransaction())
        return 0;
    char* message = nullptr;
    const int rc = sqlite3_exec(database_->handle(), "BEGIN", nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        return SetError(err::kTransactionNotAvailable);
    return 0;
}

void Connection::attachDatabase(std::unique_ptr<Database> database)
{
    database_ = std::move(database);
    AttachInterruptHandlers(*this, database_->handle());
    RegisterSessionFunctions(database_->handle(), *this);
}

std::unique_ptr<Database> Connection::detachDatabase()
{
    if (extension_)
        extension_->databaseClosing();
    DetachInterruptHandlers(*this);
    return std::move(database_);
}

void Connection::notifyTransactionEnded(bool committed)
{
    if (extension_)
        extension_->transactionEnded(committed);
}

}  // namespace ifxsim
