#pragma once
// Informix character and conversion functions SQLite lacks or answers
// differently: LENGTH (bytes without trailing blanks), CHAR_LENGTH /
// CHARACTER_LENGTH (characters), OCTET_LENGTH, LPAD, RPAD, INITCAP,
// and the engine's ifx_to_char(x [, format], tag) and ifx_to_date(text, format)
// behind TO_CHAR and TO_DATE (format letters %Y %m %d %H %M %S %F … as
// dttofmtasc reads them).
struct sqlite3;

namespace ifxsim {

void registerTextFunctions(sqlite3* db);

}  // namespace ifxsim
