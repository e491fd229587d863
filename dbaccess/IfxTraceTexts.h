#pragma once
// The trace messages the connection and the statements send to the monitor,
// in one place so that every sender uses the same words. Arguments: the
// connection or statement name first, as each text shows. All are of type
// meInformation except kDatabaseChanged, a meWarning.
namespace varnok::trace {

// Connection
inline constexpr const char* kCreateConnection = "Create the connection to '%s' (handle '%s')";
inline constexpr const char* kOpenDatabase = "%s: Open the database '%s'";
inline constexpr const char* kCloseConnection = "%s: Close the connection";
inline constexpr const char* kTakeFromPool = "Take the connection from the pool (handle '%s')";
inline constexpr const char* kReleaseIntoPool = "%s: Release the connection into the pool";
inline constexpr const char* kServerNotSE = "%s: Server is not Informix SE";
inline constexpr const char* kServerSE = "%s: Server is Informix SE";
inline constexpr const char* kHasTransactions = "%s: Database supports transactions";
inline constexpr const char* kNoTransactions = "%s: Database doesn't support transactions";
inline constexpr const char* kAnsi = "%s: Database is ANSI compliant";
inline constexpr const char* kNotAnsi = "%s: Database is not ANSI compliant";
inline constexpr const char* kSetIsolation = "%s: Set isolation level '%s'";
inline constexpr const char* kBeginTransaction = "%s: Begin Transaction";
inline constexpr const char* kCommitTransaction = "%s: Commit Transaction";
inline constexpr const char* kRollbackTransaction = "%s: Rollback Transaction";
inline constexpr const char* kAutoCommit = "%s: AutoCommit Transaction";
inline constexpr const char* kExecuteDirect = "%s: Execute direct%s%s";  // name, "\r\n", SQL
inline constexpr const char* kDatabaseChanged = "%s: Database has been changed";

// Prepared statements and cursors
inline constexpr const char* kTakeCachedStatement =
    "%s: Take the prepared statement from the cache (handle '%s')%s%s%s";  // name, handle, "\r\n", SQL, "\r\n"
inline constexpr const char* kCreateStatement = "%s: Create the prepared statement (handle '%s')%s%s%s";
inline constexpr const char* kReleaseStatement = "%s: Release the prepared statement (%d reference(s) remain)";
inline constexpr const char* kDeleteStatement = "%s: Delete the prepared statement";
inline constexpr const char* kDeclareCursor = "%s: Declare the cursor (handle '%s')";
inline constexpr const char* kTakeCachedCursor = "%s: Take the cached cursor (handle '%s')";
inline constexpr const char* kCursorStep = "%s: %s";  // "Execute", "Open", "Fetch" or "Close"

}  // namespace varnok::trace
