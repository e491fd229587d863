#pragma once
// Databases of a stand-in server: one SQLite file per database in the
// server's data directory ("<name>.db"), its logging mode kept in the file's
// header (application_id marks a stand-in database, user_version holds the mode).
//
// The operations store their outcome in the calling thread's sqlca and return
// 0 or the (negative) Informix code, so entry points can pass it on.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Connection.h"

struct sqlite3;

namespace ifxsim {

// An open database of one connection; closes its SQLite handle when destroyed.
class Database {
public:
    Database(sqlite3* handle, std::string name, LogMode mode, std::string file, bool exclusive);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return handle_; }
    const std::string& name() const { return name_; }
    LogMode mode() const { return mode_; }
    const std::string& file() const { return file_; }
    bool exclusive() const { return exclusive_; }

private:
    sqlite3* handle_;
    std::string name_;
    LogMode mode_;
    std::string file_;
    bool exclusive_;
};

// Database names as Informix takes them: a letter or '_' first, then letters,
// digits, '_' or '$', at most 128 bytes; folded to lower case. Empty when the
// name is not valid (the caller reports -354).
std::string NormalizeDatabaseName(std::string_view name);

// The file that holds database `name` (already normalised) in `dataDir`.
std::string DatabaseFile(const std::string& dataDir, const std::string& name);

// CREATE DATABASE name [WITH ...]: creates it and makes it the current database.
int CreateDatabase(Connection& connection, std::string_view name, LogMode mode);
// DATABASE name [EXCLUSIVE] / sqli_db_open.
int OpenDatabase(Connection& connection, std::string_view name, bool exclusive);
// CLOSE DATABASE / sqli_db_close: -349 without one, -377 with an open transaction.
int CloseDatabase(Connection& connection);
// DROP DATABASE name: -329 unknown, -425 while any connection has it open.
int DropDatabase(Connection& connection, std::string_view name);

// The sqlwarn flags that follow CONNECT, DATABASE, CREATE DATABASE and SET
// CONNECTION: 1 logged, 2 ANSI, 3 always (the server is Informix, not SE), 0 with them.
void SetDatabaseWarnings(const Connection& connection);

// Names of the databases in a data directory, sorted.
std::vector<std::string> ListDatabases(const std::string& dataDir);

}  // namespace ifxsim
