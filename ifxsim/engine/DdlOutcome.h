#pragma once
// What a catalog-only statement (routines, triggers, privileges, roles)
// reports when it fails: an Informix code with the text for its %s and the
// place in the statement, or SQLite's own failure while writing the rows.
#include <sqlite3.h>

#include <string>

namespace ifxsim {

struct DdlOutcome {
    int code = 0;          // Informix SQLCODE (negative), 0 when it worked
    std::string errm;      // fills the %s of the message
    int offset = -1;       // byte offset in the statement (sqlerrd[4]), -1 when none
    int sqlite = SQLITE_OK;  // SQLite's error while reading or writing the catalog

    bool ok() const { return code == 0 && sqlite == SQLITE_OK; }
    static DdlOutcome fail(int code, std::string errm = {}, int offset = -1) {
        DdlOutcome o;
        o.code = code;
        o.errm = std::move(errm);
        o.offset = offset;
        return o;
    }
    static DdlOutcome sqliteFailure(int rc) {
        DdlOutcome o;
        o.sqlite = rc;
        return o;
    }
};

// Codes these statements raise.
namespace ddlerr {
constexpr int kSyntax = -201;
constexpr int kNoTable = -206;
constexpr int kNoColumn = -217;
constexpr int kConstraintMissing = -623;   // ALTER TABLE … DROP CONSTRAINT of a name the table lacks
constexpr int kObjectMissing = -634;       // DROP TRIGGER of an unknown trigger
constexpr int kRoutineExists = -673;
constexpr int kRoutineUnresolved = -674;
constexpr int kRoutineNotRunnable = -721;  // the stand-in keeps routines but does not run them
constexpr int kNoTriggeredAction = -729;
constexpr int kReferencingNeedsEachRow = -730;
constexpr int kObjectExists = -743;        // a trigger of that name exists
constexpr int kRoleNameTaken = -19800;
constexpr int kRoleNameInvalid = -19801;
constexpr int kRoleMissing = -19804;
constexpr int kRoleNotGranted = -19805;
constexpr int kRoleDatabasePrivilege = -19806;
constexpr int kRoleGrantOption = -19807;
}  // namespace ddlerr

}  // namespace ifxsim
