#pragma once
// The Informix dialect for the SQL highlighter: reserved and common words of
// Informix SQL and SPL, and its built-in functions. Both lists are blank-
// separated lower-case words, the form the highlighting engine compares with
// (it folds the text to lower case before looking a word up).

namespace varnok {

const char* IfxSqlKeywords();
const char* IfxSqlFunctions();

} // namespace varnok
