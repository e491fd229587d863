#pragma once
// The communication area of the calling thread and the helpers every entry
// point uses to report its outcome, plus the message table behind rgetlmsg.
//
// The sqlca belongs to the thread, as in threaded client libraries: two
// threads working on two connections never see each other's outcome.
#include <string_view>

struct sqlca_s;

namespace ifxsim {

// Error codes the server side raises (the statement side uses the table too).
namespace err {
constexpr int kInterrupted = -213;          // Statement interrupted by user.
constexpr int kNotInTransaction = -255;
constexpr int kTransactionNotAvailable = -256;
constexpr int kDatabaseNotFound = -329;
constexpr int kCannotCreateDatabase = -330;
constexpr int kNoDatabase = -349;
constexpr int kBadDatabaseName = -354;
constexpr int kCloseWithTransaction = -377;
constexpr int kDatabaseInUse = -425;
constexpr int kBusy = -439;
constexpr int kAlreadyInTransaction = -535;
constexpr int kCannotConnect = -930;
constexpr int kBadPassword = -951;
constexpr int kInvalidTransactionState = -1800;
constexpr int kConnectionNameInUse = -1802;
constexpr int kNoSuchConnection = -1803;
constexpr int kInvalidConnectionName = -1805;
constexpr int kNothingToDisconnect = -1807;
constexpr int kBadSqlhosts = -25556;
constexpr int kNetworkFailure = -25580;     // the session was ended by the administrator
constexpr int kUnknownServer = -25596;
// ISAM codes
constexpr int kIsamDuplicate = -100;
constexpr int kIsamNoRecord = -111;
}  // namespace err

// The calling thread's communication area (what fnsqlca answers).
sqlca_s& ThreadSqlca();

// Clears the area at the start of a call: code 0, no text, counters 0, no warnings.
void ResetSqlca();

// Stores a failure and returns `code` so callers can `return SetError(...)`.
// `errm` fills the %s of the message (cut to 71 bytes); `isam` goes to
// sqlerrd[1]; `offset` >= 0 goes to sqlerrd[4] (where in the text it failed).
int SetError(int code, std::string_view errm = {}, int isam = 0, int offset = -1);

// Sets sqlwarn<index> (1..7) and sqlwarn0 with it.
void SetWarning(int index);

// The SQLCODE of the calling thread.
int LastSqlCode();

// Short text of a code, "%s" left in place for sqlerrm; null when unknown.
const char* MessageText(int code);

}  // namespace ifxsim
