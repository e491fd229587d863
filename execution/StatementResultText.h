#pragma once
// The short text the log shows for a finished statement, chosen by the
// Informix statement type code the prepare returned.
#include <cstdint>
#include <string>
#include <string_view>

namespace varnok {

// Statement type codes the executor itself looks at.
namespace TStmtType {
inline constexpr int Database = 1;
inline constexpr int Select = 2;
inline constexpr int CreateDatabase = 12;
inline constexpr int CloseDatabase = 31;
inline constexpr int DeleteAll = 32;  // DELETE without WHERE
inline constexpr int UpdateAll = 33;  // UPDATE without WHERE
inline constexpr int Savepoint = 37;
inline constexpr int ExecuteProcedure = 56;
}  // namespace TStmtType

// Fixed text of a statement type, or an empty view for the types whose text
// carries a number (2, 3, 4, 5, 6, 9, 32, 33, 37) and for the types that have
// no text at all (0, 65-69, 72, negative codes and codes above 116).
std::string_view FixedStatementText(int type);

// Result text of one statement.
//   type        statement type code
//   processed   rows processed (sqlerrd[2]) — used by INSERT, UPDATE, DELETE,
//               SELECT INTO TEMP and SAVEPOINT
//   allFetched  the data set holds its complete result (SELECT only)
//   count       rows in the data set or its packet size (SELECT only)
std::string StatementResultText(int type, std::int32_t processed, bool allFetched, std::int32_t count);

}  // namespace varnok
