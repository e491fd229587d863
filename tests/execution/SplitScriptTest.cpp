// The splitter decides what runs: each case lists the statements a script
// must give, with their exact text and 1-based start index.
#include "execution/SplitScript.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace varnok {
namespace {

using Expected = std::vector<std::pair<std::string, std::size_t>>;

struct SplitCase {
    const char* name;
    std::string script;
    Expected statements;
};

std::ostream& operator<<(std::ostream& os, const SplitCase& c) { return os << c.name; }

const std::string kProcBody =
    "create procedure p(a int)\n"
    "  define i int;\n"
    "  if a > 0 then let i = 1; end if;\n"
    "  for i = 1 to 3 let a = a + i; end for;\n"
    "end procedure;";

const std::vector<SplitCase> kCases = {
    {"TwoStatementsBothTerminated", "select 1;select 2;", {{"select 1;", 1}, {"select 2;", 10}}},
    {"SecondWithoutSemicolon", "select 1; select 2", {{"select 1;", 1}, {" select 2", 10}}},
    {"TrailingBlanksAfterLastSemicolonRunNothing", "select 1;  \r\n", {{"select 1;", 1}}},
    {"OnlyBlanksAndComments", "  -- note\n{ brace } /* block */ \r\n", {}},
    {"EmptyScript", "", {}},
    {"DoubleSemicolonKeepsStart", ";;select 1;", {{";;select 1;", 1}}},
    {"SemicolonsBetweenStatements", "select 1;;; select 2;", {{"select 1;", 1}, {";; select 2;", 10}}},
    {"SemicolonInDoubleQuotes", "select \"a;b\" from t; x", {{"select \"a;b\" from t;", 1}, {" x", 21}}},
    {"SemicolonInApostrophes", "select 'a;b';", {{"select 'a;b';", 1}}},
    {"DoubledQuoteClosesAndReopens", "select 'it''s;' ;", {{"select 'it''s;' ;", 1}}},
    {"SemicolonInBraceComment", "select {;} 1;", {{"select {;} 1;", 1}}},
    {"SemicolonInLineComment", "select -- ;\n1;", {{"select -- ;\n1;", 1}}},
    {"LineCommentEndsAtCarriageReturn", "select --x\r;y", {{"select --x\r;", 1}, {"y", 13}}},
    {"SemicolonInBlockComment", "select /* ; */ 1;", {{"select /* ; */ 1;", 1}}},
    {"SingleHyphenIsText", "select 1-1;select 2", {{"select 1-1;", 1}, {"select 2", 12}}},
    {"SingleSlashIsText", "select 4/2;select 2", {{"select 4/2;", 1}, {"select 2", 12}}},
    {"StarAfterBlockCommentIsText", "select /*a*/*;b;", {{"select /*a*/*;", 1}, {"b;", 15}}},
    {"BlockCommentOpenerStarDoesNotClose", "select /*/;*/ 1;", {{"select /*/;*/ 1;", 1}}},
    {"UnclosedQuoteRunsToEnd", "select 1; select ';x", {{"select 1;", 1}, {" select ';x", 10}}},
    {"UnclosedCommentInIdleRunsNothing", "select 1; { select 2;", {{"select 1;", 1}}},
    {"CommentBeforeStatementStaysWithIt", "-- head\nselect 1;", {{"-- head\nselect 1;", 1}}},
    {"CreateTableIsOrdinary", "create table t (a int);select 1;",
     {{"create table t (a int);", 1}, {"select 1;", 24}}},
    {"ProcedureWithEndIfAndEndFor", kProcBody + "select 1;",
     {{kProcBody, 1}, {"select 1;", kProcBody.size() + 1}}},
    {"DbaFunction", "create dba function f() returning int; return 1; end function; x;",
     {{"create dba function f() returning int; return 1; end function;", 1}, {" x;", 63}}},
    {"RepeatedEndStaysInEndState", "create procedure p(); end end procedure; x;",
     {{"create procedure p(); end end procedure;", 1}, {" x;", 41}}},
    {"EndOfOtherKindReturnsToBody", "create function f(); end procedure; end function; x;",
     {{"create function f(); end procedure; end function;", 1}, {" x;", 50}}},
    {"ExternalName", "create procedure p() external name 'lib(p)' language c; x;",
     {{"create procedure p() external name 'lib(p)' language c;", 1}, {" x;", 56}}},
    {"ExternalWaitsForName", "create function f() external; x; name; y;",
     {{"create function f() external; x; name;", 1}, {" y;", 39}}},
    {"UnterminatedRoutineSwallowsRest", "select 1; create procedure p(); let a = 1; select 2;",
     {{"select 1;", 1}, {" create procedure p(); let a = 1; select 2;", 10}}},
    {"UpperCaseRoutine", "CREATE PROCEDURE P(); LET A = 1; END IF; END PROCEDURE; SELECT 1;",
     {{"CREATE PROCEDURE P(); LET A = 1; END IF; END PROCEDURE;", 1}, {" SELECT 1;", 56}}},
    {"MixedCaseRoutine", "Create Dba Function f(); End Function;", {{"Create Dba Function f(); End Function;", 1}}},
    {"WordWithDigitsAndUnderscoreIsOneWord", "create procedure end_x(); end_2; end procedure; y;",
     {{"create procedure end_x(); end_2; end procedure;", 1}, {" y;", 48}}},
    {"WordMustStartWithLetter", "create procedure p(); _end procedure; end procedure; y;",
     {{"create procedure p(); _end procedure;", 1}, {" end procedure;", 38}, {" y;", 53}}},
    {"DigitBeforeLettersSplitsWord", "create 1procedure p; x;", {{"create 1procedure p; x;", 1}}},
    {"QuotedKeywordIsNotAWord", "create procedure p(); 'end procedure'; end procedure; y;",
     {{"create procedure p(); 'end procedure'; end procedure;", 1}, {" y;", 54}}},
    {"CommentedKeywordIsNotAWord", "create function f(); -- end function;\nend function; y;",
     {{"create function f(); -- end function;\nend function;", 1}, {" y;", 52}}},
    {"HighBytesArePassedOver", "select '\xc3\xa9'; select \xc3\xa9;",
     {{"select '\xc3\xa9';", 1}, {" select \xc3\xa9;", 13}}},
    {"NonAsciiBeforeCreateIsNotAWord", "\xc3\xa9 create procedure p(); x; end procedure;",
     {{"\xc3\xa9 create procedure p(); x; end procedure;", 1}}},
};

class SplitScriptCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitScriptCases, GivesStatementsWithTextAndStart) {
    const SplitCase& c = GetParam();
    const auto got = SplitScriptToList(c.script);
    ASSERT_EQ(got.size(), c.statements.size()) << c.script;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(std::string(got[i].Text), c.statements[i].first) << "statement " << i;
        EXPECT_EQ(got[i].StartIndex, c.statements[i].second) << "statement " << i;
        // The start index must point at the text handed over.
        EXPECT_EQ(c.script.compare(got[i].StartIndex - 1, got[i].Text.size(), got[i].Text), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Splitter, SplitScriptCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SplitScriptStop, StopReturnsAtOnceAndRunsNothingMore) {
    std::vector<std::string> seen;
    const bool finished = SplitScript("a; b; c", [&](std::string_view text, std::size_t) {
        seen.emplace_back(text);
        return seen.size() == 2 ? TSplitAction::Stop : TSplitAction::Continue;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(seen, (std::vector<std::string>{"a;", " b;"}));
}

TEST(SplitScriptStop, StopOnLastUnterminatedStatementReportsStop) {
    const bool finished = SplitScript("a; b", [](std::string_view text, std::size_t) {
        return text == " b" ? TSplitAction::Stop : TSplitAction::Continue;
    });
    EXPECT_FALSE(finished);
    EXPECT_TRUE(SplitScript("a; b", [](std::string_view, std::size_t) { return TSplitAction::Continue; }));
}

struct StateCase {
    TSplitState from;
    const char* word;
    TSplitState to;
};

class SplitStateTable : public ::testing::TestWithParam<StateCase> {};

TEST_P(SplitStateTable, WordMovesState) {
    const auto& c = GetParam();
    EXPECT_EQ(NextSplitState(c.from, c.word), c.to) << c.word;
}

using S = TSplitState;
INSTANTIATE_TEST_SUITE_P(
    States, SplitStateTable,
    ::testing::Values(StateCase{S::Idle, "CREATE", S::Create}, StateCase{S::Idle, "select", S::Statement},
                      StateCase{S::Idle, "creat", S::Statement}, StateCase{S::Idle, "createx", S::Statement},
                      StateCase{S::Create, "Function", S::Function}, StateCase{S::Create, "procedure", S::Procedure},
                      StateCase{S::Create, "dba", S::CreateDba}, StateCase{S::Create, "table", S::Statement},
                      StateCase{S::CreateDba, "function", S::Function},
                      StateCase{S::CreateDba, "procedure", S::Procedure},
                      StateCase{S::CreateDba, "dba", S::Statement}, StateCase{S::Procedure, "external", S::External},
                      StateCase{S::Procedure, "END", S::ProcedureEnd}, StateCase{S::Procedure, "let", S::Procedure},
                      StateCase{S::Function, "end", S::FunctionEnd}, StateCase{S::Function, "External", S::External},
                      StateCase{S::External, "name", S::Statement}, StateCase{S::External, "end", S::External},
                      StateCase{S::ProcedureEnd, "procedure", S::Statement},
                      StateCase{S::ProcedureEnd, "end", S::ProcedureEnd},
                      StateCase{S::ProcedureEnd, "function", S::Procedure},
                      StateCase{S::FunctionEnd, "FUNCTION", S::Statement},
                      StateCase{S::FunctionEnd, "end", S::FunctionEnd}, StateCase{S::FunctionEnd, "if", S::Function},
                      StateCase{S::Statement, "create", S::Statement}));

}  // namespace
}  // namespace varnok
