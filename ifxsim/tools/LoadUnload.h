#pragma once
// dbaccess's file statements:
//   LOAD FROM 'file' [DELIMITER 'c'] INSERT INTO table [(columns)]
//   UNLOAD TO 'file' [DELIMITER 'c'] SELECT …
// in unload format (fields ended by the delimiter, '\' escaping the
// delimiter, a backslash or a line break; an empty field is NULL).
#include <optional>
#include <string>

namespace ifxsql {

// Runs `text` when it is LOAD or UNLOAD: 0, or the error (negative) left in
// sqlca; -1 with a message printed when the file cannot be used. Nothing
// when the text is another statement.
std::optional<int> RunLoadUnload(const std::string& text);

}  // namespace ifxsql
