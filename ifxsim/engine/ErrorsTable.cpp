// Every code the stand-in raises, with the Informix short text. "%s" stays
// in the text: the caller fills it from sqlerrm. Codes are looked up by
// magnitude, so -206 and 206 give the same text (ISAM codes come both ways).
#include <cstdlib>
#include <unordered_map>

#include "engine/Errors.h"

namespace ifxsim {

namespace {

struct Message {
    int code;
    const char* text;
};

constexpr Message kMessages[] = {
    // ISAM
    {100, "ISAM error: duplicate value for a record with unique key."},
    {107, "ISAM error: record is locked."},
    {111, "ISAM error: no record found."},
    {113, "ISAM error: the file is locked."},
    {143, "ISAM error: deadlock detected."},
    {154, "ISAM error: Lock Timeout Expired."},
    // SQL
    {201, "A syntax error has occurred."},
    {202, "An illegal character has been found in the statement."},
    {206, "The specified table (%s) is not in the database."},
    {208, "Memory allocation failed during query processing."},
    {213, "Statement interrupted by user."},
    {217, "Column (%s) not found in any table in the query (or SLV is undefined)."},
    {218, "Synonym (%s) not found."},
    {236, "Number of columns in INSERT does not match number of VALUES."},
    {239, "Could not insert new row - duplicate value in a UNIQUE INDEX column (%s)."},
    {240, "Could not delete a row."},
    {243, "Could not position within a table (%s)."},
    {244, "Could not do a physical-order read to fetch next row."},
    {254, "Too many or too few host variables given."},
    {255, "Not in transaction."},
    {256, "Transaction not available."},
    {259, "Cursor not open."},
    {263, "Could not lock row for UPDATE."},
    {267, "The cursor has been previously released and is unavailable."},
    {268, "Unique constraint (%s) violated."},
    {271, "Could not insert new row into the table."},
    {272, "No SELECT permission for %s."},
    {273, "No UPDATE permission for %s."},
    {274, "No DELETE permission for %s."},
    {282, "Found a quote for which there is no matching quote."},
    {284, "A subquery has returned not exactly one row."},
    {292, "An implied insert column (%s) does not accept NULLs."},
    {294, "The column (%s) must be in the GROUP BY list."},
    {310, "Table (%s) already exists in database."},
    {316, "Index (%s) already exists in database."},
    {319, "Index does not exist."},
    {324, "Ambiguous column (%s)."},
    {329, "Database not found or no system permission."},
    {330, "Cannot create or rename the database."},
    {346, "Could not update a row in the table."},
    {349, "Database not selected yet."},
    {354, "Incorrect database or cursor name format."},
    {377, "Must terminate transaction before closing database."},
    {378, "Record currently locked by another user."},
    {387, "No connect permission."},
    {389, "No DBA permission."},
    {391, "Cannot insert a null into column (%s)."},
    {400, "Fetch attempted on unopen cursor."},
    {404, "The cursor or statement is not available."},
    {410, "Prepare statement failed or was not executed."},
    {415, "Data conversion error."},
    {425, "Database is currently opened by another user."},
    {439, "The server is busy with another request on this connection."},
    {481, "Invalid statement name or statement was not prepared."},
    {525, "Failure to satisfy referential constraint %s."},
    {530, "Check constraint (%s) failed."},
    {535, "Already in transaction."},
    {538, "Cursor (%s) has already been declared."},
    {586, "Cursor is already open."},
    {623, "Unable to find CONSTRAINT %s."},
    {634, "Object does not exist."},
    {673, "Another routine (%s) with same signature already exists in database."},
    {674, "Routine (%s) can not be resolved."},
    {721, "SPL routine(%s) is no longer valid."},
    {729, "Trigger has no triggered action."},
    {730, "Cannot specify REFERENCING if trigger does not have FOR EACH ROW."},
    {743, "Object (%s) already exists in database."},
    {746, "%s"},
    {908, "Attempt to connect to database server (%s) failed."},
    {930, "Cannot connect to database server (%s)."},
    {951, "Incorrect password or user %s is not known on the database server."},
    {952, "User (%s)'s password is not correct for the database server."},
    // Conversions
    {1200, "Number is too large for a DECIMAL data type."},
    {1201, "Number is too small for a DECIMAL data type."},
    {1202, "An attempt was made to divide by zero."},
    {1204, "Invalid year in date."},
    {1205, "Invalid month in date."},
    {1206, "Invalid day in date."},
    {1207, "Converted value does not fit into the allotted space."},
    {1210, "Date could not be converted to month/day/year format."},
    {1212, "Date conversion format must contain a month, day, and year component."},
    {1213, "A character to numeric conversion process failed."},
    {1214, "Value too large to fit in a SMALLINT."},
    {1215, "Value exceeds limit of INTEGER precision."},
    {1216, "Illegal exponent."},
    {1217, "The format string is too large."},
    {1218, "String to date conversion error."},
    {1227, "Message file not found."},
    {1228, "Message number not found in message file."},
    {1231, "Cannot seek within message file."},
    {1232, "Message buffer too small."},
    {1260, "It is not possible to convert between the specified types."},
    {1261, "Too many digits in the first field of datetime or interval."},
    {1262, "Non-numeric character in datetime or interval."},
    {1263, "A field in a datetime or interval is out of range, incorrect, or missing."},
    {1264, "Extra characters at the end of a datetime or interval."},
    {1265, "Overflow occurred on a datetime or interval operation."},
    {1266, "Intervals or datetimes are incompatible for the operation."},
    {1267, "The result of a datetime computation is out of range."},
    {1268, "Invalid datetime or interval qualifier."},
    {1284, "Value will not fit in the target integer type."},
    // Connections
    {1800, "Invalid transaction state."},
    {1802, "Connection name in use."},
    {1803, "Connection does not exist."},
    {1805, "Invalid connection name."},
    {1807, "No connection to disconnect."},
    {1811, "Implicit connection not allowed after an explicit connection."},
    {1820, "Host variable type has been changed between fetches."},
    {1821, "Host variable is not large enough for the value."},
    // Smart large objects (the ISAM code says which kind of failure)
    {9810, "Smart-large-object error."},
    {11017, "Connection not open."},
    // Roles
    {19800, "Role name already exists as a user or role."},
    {19801, "Role name cannot be %s."},
    {19804, "Role does not exist."},
    {19805, "No privilege to set to the role."},
    {19806, "Cannot grant database privileges or default role to a role."},
    {19807, "Cannot grant privileges to a role WITH GRANT OPTION."},
    {25555, "Server %s is not listed as a dbserver name in sqlhosts."},
    {25556, "Invalid sqlhosts file format."},
    {25580, "System error occurred in network function."},
    {25582, "Network connection is broken."},
    {25596, "The INFORMIXSERVER value is not listed in the sqlhosts file or the Registry."},
};

const std::unordered_map<int, const char*>& Table()
{
    static const std::unordered_map<int, const char*> table = [] {
        std::unordered_map<int, const char*> map;
        for (const Message& m : kMessages)
            map.emplace(m.code, m.text);
        return map;
    }();
    return table;
}

}  // namespace

const char* MessageText(int code)
{
    const auto& table = Table();
    const auto it = table.find(std::abs(code));
    return it == table.end() ? nullptr : it->second;
}

}  // namespace ifxsim
