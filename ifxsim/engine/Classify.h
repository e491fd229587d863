#pragma once
// Classifies a statement by its leading words into the Informix statement type
// codes (the values PREPARE reports in the cursor's statement type), and finds
// the object the statement acts on where later steps need it.
#include <string>
#include <string_view>
#include <vector>

#include "engine/StatementTokenizer.h"

namespace ifxsim {

// Informix statement type codes (the published SQ_* values).
enum StatementType : int {
    kStmtUnknownWords = 0,  // no known leading word: a syntax error
    kStmtDatabase = 1, kStmtSelect = 2, kStmtSelectIntoTemp = 3, kStmtUpdate = 4, kStmtDelete = 5,
    kStmtInsert = 6, kStmtUpdateCurrent = 7, kStmtDeleteCurrent = 8, kStmtLoad = 9, kStmtLock = 10,
    kStmtUnlock = 11, kStmtCreateDatabase = 12, kStmtDropDatabase = 13, kStmtCreateTable = 14,
    kStmtDropTable = 15, kStmtCreateIndex = 16, kStmtDropIndex = 17, kStmtGrant = 18, kStmtRevoke = 19,
    kStmtRenameTable = 20, kStmtRenameColumn = 21, kStmtCreateAudit = 22, kStmtStartAudit = 23,
    kStmtStopAudit = 24, kStmtDropAudit = 25, kStmtRecoverTable = 26, kStmtCheckTable = 27,
    kStmtRepairTable = 28, kStmtAlterTable = 29, kStmtUpdateStatistics = 30, kStmtCloseDatabase = 31,
    kStmtDeleteAll = 32, kStmtUpdateAll = 33, kStmtBeginWork = 34, kStmtCommitWork = 35,
    kStmtRollbackWork = 36, kStmtSavepointOld = 37, kStmtStartDatabase = 38, kStmtRollforward = 39,
    kStmtCreateView = 40, kStmtDropView = 41, kStmtDebug = 42, kStmtCreateSynonym = 43,
    kStmtDropSynonym = 44, kStmtCreateTempTable = 45, kStmtSetLockMode = 46, kStmtAlterIndex = 47,
    kStmtSetIsolation = 48, kStmtSetLog = 49, kStmtSetExplain = 50, kStmtCreateSchema = 51,
    kStmtSetOptimization = 52, kStmtCreateRoutine = 53, kStmtDropRoutine = 54, kStmtSetConstraints = 55,
    kStmtExecuteRoutine = 56, kStmtSetDebugFile = 57, kStmtRoutineStatistics = 64,
    kStmtCreateTrigger = 70, kStmtDropTrigger = 71, kStmtUnknown = 72, kStmtSetDataskip = 73,
    kStmtSetPdqPriority = 74, kStmtAlterFragment = 75, kStmtSetObjectMode = 76,
    kStmtStartViolations = 77, kStmtStopViolations = 78, kStmtSetSession = 79,
    kStmtSetSessionAuthorization = 80, kStmtSetTableHigh = 81, kStmtSetExtentSize = 82,
    kStmtCreateRole = 83, kStmtDropRole = 84, kStmtSetRole = 85, kStmtSetDbPassword = 86,
    kStmtRenameDatabase = 87, kStmtCreateDomain = 88, kStmtDropDomain = 89, kStmtCreateRowType = 90,
    kStmtDropRowType = 91, kStmtCreateDistinctType = 92, kStmtCreateCast = 93, kStmtDropCast = 94,
    kStmtCreateOpaqueType = 95, kStmtDropType = 96, kStmtAlterRoutine = 97,
    kStmtCreateAccessMethod = 98, kStmtDropAccessMethod = 99, kStmtAlterAccessMethod = 100,
    kStmtCreateOpclass = 101, kStmtDropOpclass = 102, kStmtCreateConstructor = 103,
    kStmtSetResident = 104, kStmtCreateAggregate = 105, kStmtDropAggregate = 106,
    kStmtCheckIndex = 108, kStmtSetScheduleLevel = 109, kStmtSetEnvironment = 110,
    kStmtSetStatementCache = 115, kStmtRenameIndex = 116, kStmtTruncate = 122,
    kStmtCreateSequence = 124, kStmtDropSequence = 125, kStmtAlterSequence = 126,
    kStmtRenameSequence = 127, kStmtMerge = 128, kStmtSavepoint = 159,
    kStmtReleaseSavepoint = 160, kStmtRollbackToSavepoint = 161, kStmtSelectIntoExternal = 164,
};

struct StatementClass {
    int type = kStmtUnknownWords;
    // Index of the token that names the statement's object (the table of
    // INSERT/UPDATE/DELETE/CREATE TABLE/DROP TABLE, the database of DATABASE…),
    // or -1 when the statement names none.
    int objectToken = -1;
    std::string object;  // that name as written, unquoted, owner/database prefix removed
};

// Classifies the tokens of one statement.
StatementClass classifyStatement(const std::vector<Token>& tokens);

// Convenience for callers holding only the text (unterminated quotes give 0).
StatementClass classifyStatement(std::string_view sql);

// Statements that return rows through a cursor when they have result columns.
inline bool isCursorStatementType(int type) { return type == kStmtSelect || type == kStmtExecuteRoutine; }

}  // namespace ifxsim
