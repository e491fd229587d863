// The command-name lists of the editor toolbars: reading and writing.
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/CommandNameList.h"

using namespace varnok;

namespace {

using Names = std::vector<std::string>;

struct SplitCase {
    const char* what;
    std::string text;
    Names entries; // every entry, empty and unknown ones included
    Names buttons; // what a toolbar takes from it
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.what;
}

class CommandNameListCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandNameListCases, SplitsAndKeepsTheMainListNames) {
    EXPECT_EQ(SplitCommandNameList(GetParam().text), GetParam().entries);
    EXPECT_EQ(ParseToolBarButtons(GetParam().text), GetParam().buttons);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommandNameListCases,
    ::testing::Values(
        SplitCase{"empty text", "", {}, {}},
        SplitCase{"blanks only", "  \t ", {}, {}},
        SplitCase{"a lone comma", ",", {"", ""}, {}},
        SplitCase{"final comma gives an empty entry",
                  "acUndo,acRedo,",
                  {"acUndo", "acRedo", ""},
                  {"acUndo", "acRedo"}},
        SplitCase{"blanks separate like commas",
                  "acUndo acRedo\tacExecute",
                  {"acUndo", "acRedo", "acExecute"},
                  {"acUndo", "acRedo", "acExecute"}},
        SplitCase{"blanks around commas separate once",
                  "  acUndo ,  acRedo , ",
                  {"acUndo", "acRedo"},
                  {"acUndo", "acRedo"}},
        SplitCase{"two commas give an empty entry", "acUndo,,acRedo", {"acUndo", "", "acRedo"},
                  {"acUndo", "acRedo"}},
        SplitCase{"quotes enclose an entry",
                  "\"acUndo\",\"acSeparator\", \"acRedo\"",
                  {"acUndo", "acSeparator", "acRedo"},
                  {"acUndo", "acSeparator", "acRedo"}},
        SplitCase{"a quoted entry keeps its blanks and commas",
                  "\"acUndo acRedo\",\"acExecute,\",acErase",
                  {"acUndo acRedo", "acExecute,", "acErase"},
                  {"acErase"}},
        SplitCase{"a doubled quote inside quotes is one quote", "\"a\"\"b\",acUndo", {"a\"b", "acUndo"},
                  {"acUndo"}},
        SplitCase{"an unclosed quote runs to the end", "acUndo,\"acRedo,acErase", {"acUndo", "acRedo,acErase"},
                  {"acUndo"}},
        SplitCase{"text right after a closing quote starts a new entry", "\"acUndo\"acRedo",
                  {"acUndo", "acRedo"}, {"acUndo", "acRedo"}},
        SplitCase{"unknown names are left out",
                  "acUndo,acNothing,acSQLBar,acUseTab,acLogClear,acRedo",
                  {"acUndo", "acNothing", "acSQLBar", "acUseTab", "acLogClear", "acRedo"},
                  {"acUndo", "acRedo"}},
        SplitCase{"letter case aside, the list's spelling is taken", "ACEXECUTE,acseparator",
                  {"ACEXECUTE", "acseparator"}, {"acExecute", "acSeparator"}},
        SplitCase{"a name may repeat", "acSeparator,acSeparator,acUndo,acUndo",
                  {"acSeparator", "acSeparator", "acUndo", "acUndo"},
                  {"acSeparator", "acSeparator", "acUndo", "acUndo"}}));

TEST(CommandNameList, TheDefaultListsNameOnlyMainListCommands) {
    const Names horizontal = {"acAddPage",    "acOpenFile",      "acSaveFile",         "acErase",
                              "acSeparator",  "acSearch",        "acSearchNext",       "acSearchPrev",
                              "acSearchReplace", "acSeparator", "acEditorFontBigger", "acEditorFontSmaller"};
    const Names vertical = {"acUndo",        "acRedo",                "acExecute",     "acExecuteSelected",
                            "acCheckSyntax", "acCheckSyntaxSelected", "acInterruptSQL"};
    EXPECT_EQ(ParseToolBarButtons(kHToolBarDefaultButtons), horizontal);
    EXPECT_EQ(ParseToolBarButtons(kVToolBarDefaultButtons), vertical);
    EXPECT_FALSE(kHToolBarDefaultLargeIcons);
    EXPECT_TRUE(kVToolBarDefaultLargeIcons);
}

TEST(CommandNameList, WritingPutsACommaAfterEveryNameAndReadsBackTheSame) {
    EXPECT_EQ(WriteCommandNameList({}), "");
    EXPECT_EQ(WriteCommandNameList({"acUndo"}), "acUndo,");
    const Names names = {"acUndo", "acSeparator", "acSeparator", "acExecute"};
    const std::string text = WriteCommandNameList(names);
    EXPECT_EQ(text, "acUndo,acSeparator,acSeparator,acExecute,");
    EXPECT_EQ(ParseToolBarButtons(text), names);
    // The vertical default is itself in the written form.
    EXPECT_EQ(WriteCommandNameList(ParseToolBarButtons(kVToolBarDefaultButtons)), kVToolBarDefaultButtons);
}

TEST(CommandNameList, TheMainListHasEachNameOnceWithTheSeparatorAfterTheFontCommands) {
    const Names& list = MainCommandNames();
    EXPECT_EQ(list.size(), 46u);
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j)
            EXPECT_NE(list[i], list[j]);
    const auto at = [&](const std::string& name) { return std::find(list.begin(), list.end(), name) - list.begin(); };
    EXPECT_EQ(at("acSeparator"), at("acEditorFontSmaller") + 1);
    EXPECT_EQ(at("acUpperCase"), at("acSeparator") + 1);
    EXPECT_EQ(list.front(), "acAddPage");
    EXPECT_EQ(list.back(), "acGetTableNames");
}

} // namespace
