#pragma once
// One client connection to a stand-in server, and the calling thread's
// current connection.
//
// Every entry point acts on the calling thread's current connection. A
// connection is current in at most one thread; the others see it dormant and
// must wait until its thread lets go (SET CONNECTION ... DORMANT) before they
// can make it theirs. The statement side reaches everything it needs from
// here: the open database's SQLite handle and logging mode, the transaction
// state, the ANSI implicit-transaction hook, and (through the headers below)
// the sqlca helpers and the request guard every server request runs under.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "engine/Errors.h"
#include "engine/Interrupt.h"

struct sqlite3;

namespace ifxsim {

// How a database records its changes; drives sqlwarn1/2 and the transaction rules.
enum class LogMode {
    None = 0,        // CREATE DATABASE x: no transactions, BEGIN WORK fails with -256
    Buffered = 1,    // WITH BUFFERED LOG
    Unbuffered = 2,  // WITH LOG
    Ansi = 3,        // WITH LOG MODE ANSI: a transaction starts with the first statement
};

inline bool IsLogged(LogMode mode) { return mode != LogMode::None; }

// State the statement side keeps per connection (prepared statements, cursors).
// The connection owns it and tells it about database and transaction changes.
class ConnectionExtension {
public:
    virtual ~ConnectionExtension() = default;
    // The open database's handle is about to close (CLOSE DATABASE, DATABASE,
    // CREATE DATABASE, disconnect): finalize every sqlite3_stmt of it now.
    virtual void databaseClosing() {}
    // A transaction ended (COMMIT or ROLLBACK, explicit or of an ANSI
    // implicit transaction); cursors without hold close here.
    virtual void transactionEnded(bool committed) { (void)committed; }
};

class Database;
struct ConnectionInterruptState;

class Connection {
public:
    Connection(std::string name, std::string server, std::string dataDir, std::string user, int sessionId);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const std::string& name() const { return name_; }
    const std::string& serverName() const { return server_; }
    const std::string& dataDirectory() const { return dataDir_; }
    const std::string& user() const { return user_; }
    int sessionId() const { return sessionId_; }

    // ---- The open database (none until DATABASE / CREATE DATABASE) ----
    bool hasDatabase() const { return database_ != nullptr; }
    sqlite3* db() const;                      // null without a database
    const std::string& databaseName() const;  // empty without a database
    LogMode logMode() const;                  // None without a database
    bool isAnsi() const { return logMode() == LogMode::Ansi; }
    bool isLogged() const { return IsLogged(logMode()); }

    // ---- Transactions ----
    // True while a transaction is open (explicit, or ANSI implicit).
    bool inTransaction() const;
    // Call before running any statement in the database (not for BEGIN,
    // COMMIT, ROLLBACK or the DATABASE family): in an ANSI database it opens
    // the implicit transaction when none is open. Returns 0 or an error code
    // already stored in sqlca.
    int beginImplicitTransaction();

    // ---- Lock waits (SET LOCK MODE TO WAIT [n] | NOT WAIT) ----
    // Seconds to wait for a lock another connection holds: -1 forever, 0 not at all.
    void setLockWait(int seconds) { lockWaitSeconds_ = seconds; }
    int lockWait() const { return lockWaitSeconds_; }

    // ---- The statement side's state ----
    ConnectionExtension* extension() const { return extension_.get(); }
    void setExtension(std::unique_ptr<ConnectionExtension> extension) { extension_ = std::move(extension); }

    // ---- Used by the server side only ----
    Database* database() const { return database_.get(); }
    void attachDatabase(std::unique_ptr<Database> database);
    std::unique_ptr<Database> detachDatabase();  // tells the extension first
    void notifyTransactionEnded(bool committed);
    ConnectionInterruptState& interruptState() { return *interrupt_; }
    bool killed() const { return killed_.load(); }
    void markKilled() { killed_.store(true); }

private:
    std::string name_;
    std::string server_;
    std::string dataDir_;
    std::string user_;
    int sessionId_;
    int lockWaitSeconds_ = 5;
    std::unique_ptr<Database> database_;
    std::unique_ptr<ConnectionExtension> extension_;
    std::unique_ptr<ConnectionInterruptState> interrupt_;
    std::atomic<bool> killed_{false};
};

// The calling thread's current connection, or null.
Connection* CurrentConnection();

}  // namespace ifxsim
