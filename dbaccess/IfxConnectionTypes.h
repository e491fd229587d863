#pragma once
// The enumerations of the connection component and the small rules that go
// with them: the isolation level texts, the statement types that change the
// database, and the names given to the server for connections, prepared
// statements and cursors.
#include <cstdint>
#include <optional>
#include <string>

namespace varnok {

enum TIfxIsolationLevel {
    ilReadUncommitted = 0,
    ilReadCommitted = 1,
    ilSerializable = 2,
    ilUnchanged = 3,
    ilDirtyRead = 4,
    ilCommitedRead = 5,
    ilCursorStability = 6,
    ilRepeatableRead = 7,
};

enum TIfxSafeMode { smConcurent, smPool, smSingle };
enum TIfxTransactionAction { taCommit, taRollback };
enum TIfxTableType {
    ttUserTable,
    ttUserView,
    ttUserPrivSyn,
    ttUserPubSyn,
    ttSysTable,
    ttSysView,
    ttSysPrivSyn,
    ttSysPubSyn,
};
enum TIfxTimeOutStatus { tsEnd = 0, tsBegin = 1, tsTimeOut = 2 };

// The words after "set isolation to"; none for ilUnchanged (nothing is sent).
std::optional<std::string> IsolationLevelText(TIfxIsolationLevel level);

// DATABASE (1), CREATE DATABASE (12) and CLOSE DATABASE (31) leave every
// prepared statement of the connection invalid.
bool ChangesDatabase(int statementType);

// Identities for the names the server sees: unique in the process, never reused.
std::uint32_t NextIfxIdentity();

// "ifxcon$" / "ifxsql_" / "ifxcur_" followed by 8 lowercase hex digits.
std::string ConnectionHandleName(std::uint32_t identity);
std::string StatementHandleName(std::uint32_t identity);
std::string CursorHandleName(std::uint32_t identity);
inline constexpr const char* kConnectionNamePrefix = "ifxcon$";

// The identity in a connection handle name, or none when the name is not ours.
std::optional<std::uint32_t> ConnectionIdentityOf(const char* handleName);

}  // namespace varnok
