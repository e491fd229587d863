#pragma once
// Reading the statements that define stored routines and triggers far enough
// to describe them in the catalog: the routine's name, parameters, return
// types and modifiers; the trigger's table, event, correlation names and the
// split of its text into header and action. Bodies are kept as text, never run.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/DdlOutcome.h"
#include "engine/StatementTokenizer.h"

namespace ifxsim {

// `[database[@server]:][owner.]name` as the catalog keeps it: folded unless quoted.
struct QualifiedName {
    std::string owner;  // empty when not written
    std::string name;
    int offset = -1;    // where the name starts in the statement
};

struct RoutineParam {
    std::string name;
    std::string type;  // lower-case type text: "integer", "char(10)", "decimal(5,2)"
};

// CREATE [DBA] PROCEDURE|FUNCTION … END PROCEDURE|FUNCTION [DOCUMENT …] [WITH LISTING IN …]
struct RoutineDecl {
    bool function = false;  // CREATE FUNCTION (isproc 'f')
    bool dba = false;       // CREATE DBA …: mode 'D'
    bool ifNotExists = false;
    QualifiedName name;
    std::vector<RoutineParam> params;
    std::vector<std::string> returns;  // return types, lower case
    std::string specificName;
    bool notVariant = false;   // WITH (NOT VARIANT)
    bool handlesNulls = true;  // SPL routines take NULL arguments
    bool iterator = false;     // RETURN … WITH RESUME in the body
    std::vector<std::string> documents;  // DOCUMENT 'text', …
    std::string listingFile;             // WITH LISTING IN 'file'
    std::string text;                    // the statement from CREATE to its last word
    std::size_t bodyBytes = 0;           // length of the body text

    // "integer,char(10)": the parameter types as paramtypes shows them.
    std::string paramTypes() const;
};

// DROP PROCEDURE|FUNCTION|ROUTINE [IF EXISTS] name [(types)]
struct RoutineDrop {
    bool procedureOnly = false;  // DROP PROCEDURE matches procedures and functions; FUNCTION only functions
    bool functionOnly = false;
    bool ifExists = false;
    QualifiedName name;
    std::optional<std::string> paramTypes;  // given when the signature is written
};

// CREATE TRIGGER name {INSERT|DELETE|UPDATE [OF cols]|SELECT [OF cols]} ON table
//   [REFERENCING OLD [AS] o NEW [AS] n] actions [ENABLED|DISABLED]
struct TriggerDecl {
    bool ifNotExists = false;
    QualifiedName name;
    QualifiedName table;
    char event = 'I';  // I, D, U, S; lower case for INSTEAD OF
    std::vector<std::string> columns;  // UPDATE OF / SELECT OF columns
    int columnsOffset = -1;
    std::string oldName, newName;
    bool disabled = false;
    std::string header;  // from CREATE up to the first action (blanks before the action included)
    std::string action;  // from the first action to the end
};

struct TriggerDrop {
    bool ifExists = false;
    QualifiedName name;
};

// Each parser reads the tokens of `text` (a trailing ';' already removed);
// on failure `error` says why and where.
std::optional<RoutineDecl> parseCreateRoutine(std::string_view text, const std::vector<Token>& t, DdlOutcome& error);
std::optional<RoutineDrop> parseDropRoutine(const std::vector<Token>& t, DdlOutcome& error);
std::optional<TriggerDecl> parseCreateTrigger(std::string_view text, const std::vector<Token>& t, DdlOutcome& error);
std::optional<TriggerDrop> parseDropTrigger(const std::vector<Token>& t, DdlOutcome& error);
// EXECUTE PROCEDURE|FUNCTION|ROUTINE name(…): the routine's name.
std::optional<QualifiedName> parseExecuteRoutine(const std::vector<Token>& t, DdlOutcome& error);

// Reads a qualified name at t[i]; on success `i` moves past it.
std::optional<QualifiedName> readQualifiedName(const std::vector<Token>& t, std::size_t& i);

// Splits `text` into pieces of `width` bytes (the last one shorter), as the
// catalog's CHAR(n) text columns keep it; a multi-byte character may span two
// pieces, so readers join the bytes before decoding them.
std::vector<std::string> textPieces(std::string_view text, std::size_t width);

}  // namespace ifxsim
