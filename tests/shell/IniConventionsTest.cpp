// Escaped text, tab placement codes, list layouts, history lists and the history rule.
#include <gtest/gtest.h>

#include "shell/IniConventions.h"

using namespace varnok;

namespace {

TIniFile FromText(const std::string& text) {
    TIniFile ini;
    ini.LoadFromText(text);
    return ini;
}

} // namespace

// ---- escaped text ----

struct EscapeCase {
    std::string text;
    std::string escaped;
};

void PrintTo(const EscapeCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.text);
}

class EscapeIniTextCases : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeIniTextCases, Escapes) {
    EXPECT_EQ(EscapeIniText(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Lines, EscapeIniTextCases,
                         ::testing::Values(EscapeCase{"a&b\r\nsay \"hi\" it's", "a&ab&nsay &qhi&q it&ps&n"},
                                           EscapeCase{"", ""}, EscapeCase{"one", "one&n"},
                                           EscapeCase{"one\r\n", "one&n"}, EscapeCase{"a\rb", "a&nb&n"},
                                           EscapeCase{"a\nb", "a&nb&n"}, EscapeCase{"a\n\rb", "a&n&nb&n"},
                                           EscapeCase{"a\r\n\r\nb", "a&n&nb&n"}, EscapeCase{"\n", "&n"},
                                           EscapeCase{"a\r", "a&n"},
                                           EscapeCase{std::string("ab\0cd\nef", 8), "ab&n"},
                                           EscapeCase{std::string("\0x", 2), ""}, EscapeCase{"&&", "&a&a&n"},
                                           EscapeCase{"  indented", "  indented&n"}));

struct UnescapeCase {
    std::string value;
    std::string text;
};

void PrintTo(const UnescapeCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.value);
}

class UnescapeIniTextCases : public ::testing::TestWithParam<UnescapeCase> {};

TEST_P(UnescapeIniTextCases, Unescapes) {
    EXPECT_EQ(UnescapeIniText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UnescapeIniTextCases,
    ::testing::Values(UnescapeCase{"a&ab&nsay &qhi&q it&ps&n", "a&b\r\nsay \"hi\" it's\r\n"},
                      UnescapeCase{"x&zy&", "xy"}, UnescapeCase{"&", ""}, UnescapeCase{"", ""},
                      UnescapeCase{"plain", "plain"}, UnescapeCase{"&&a", "a"}, UnescapeCase{"&A", ""},
                      UnescapeCase{"&n&n", "\r\n\r\n"}));

TEST(EscapedText, RoundTripGivesCrLfAfterEveryLine) {
    const std::string script = "select * from t\nwhere a = 'x&y'\r-- \"done\"";
    EXPECT_EQ(UnescapeIniText(EscapeIniText(script)),
              "select * from t\r\nwhere a = 'x&y'\r\n-- \"done\"\r\n");
}

TEST(EscapedText, EscapedValueIsOneLineTheFileAccepts) {
    TIniFile ini;
    ini.WriteString("Connection0", "Script", EscapeIniText("a\nb\r\nc\rd"));
    const TIniFile back = FromText(ini.ToText());
    EXPECT_EQ(UnescapeIniText(back.ReadString("Connection0", "Script", "")), "a\r\nb\r\nc\r\nd\r\n");
}

// ---- tab placement ----

TEST(TabPlacement, CodesGiveSideOrderAndCaptionDirection) {
    struct Row {
        int code;
        TTabSide side;
        bool reverse;
        bool vertical;
    };
    for (const Row& r : {Row{0, TTabSide::Top, false, false}, Row{1, TTabSide::Left, true, true},
                         Row{2, TTabSide::Bottom, false, false}, Row{3, TTabSide::Right, false, true}}) {
        const auto p = TabPlacementForCode(r.code);
        ASSERT_TRUE(p.has_value()) << r.code;
        EXPECT_EQ(p->side, r.side) << r.code;
        EXPECT_EQ(p->reverseOrder, r.reverse) << r.code;
        EXPECT_EQ(p->verticalCaptions, r.vertical) << r.code;
        EXPECT_EQ(TabPlacementCode(p->side), r.code);
    }
}

TEST(TabPlacement, CodeOutsideTheTableChangesNothing) {
    for (int code : {-1, 4, 100})
        EXPECT_FALSE(TabPlacementForCode(code).has_value()) << code;
}

// ---- list layout ----

TEST(ListLayout, EmptySectionGivesTheDefaults) {
    const TListLayout layout = ReadListLayout(TIniFile(), "LogView", 5);
    EXPECT_EQ(layout.fontName, "Verdana");
    EXPECT_EQ(FormatColorText(layout.fontColor), "clWindowText");
    EXPECT_EQ(layout.fontSize, 8);
    EXPECT_EQ(FormatColorText(layout.color), "clWindow");
    EXPECT_EQ(layout.columnWidths, std::vector<int>(5, 100));
}

TEST(ListLayout, NegativeOrBadWidthReadsAs100) {
    const TIniFile ini = FromText("[TableView]\nColWide0=40\nColWide1=0\nColWide2=-5\nColWide3=wide\n");
    EXPECT_EQ(ReadListLayout(ini, "TableView", 5).columnWidths, (std::vector<int>{40, 0, 100, 100, 100}));
}

TEST(ListLayout, StoredValuesAndBadColoursAreRead) {
    const TIniFile ini =
        FromText("[FieldView]\nfnName=Courier New\nfnColor=$00FF0000\nfnSize=$A\nColor=no colour\n");
    const TListLayout layout = ReadListLayout(ini, "fieldview", 0);
    EXPECT_EQ(layout.fontName, "Courier New");
    EXPECT_EQ(layout.fontColor, TColorText::Rgb(0, 0, 255));
    EXPECT_EQ(layout.fontSize, 10);
    EXPECT_EQ(layout.color.value, kClWindow);
    EXPECT_TRUE(layout.columnWidths.empty());
}

TEST(ListLayout, WrittenKeysInOrderAndReadBack) {
    TListLayout layout;
    layout.fontName = "Liberation Sans";
    layout.fontColor = TColorText::Rgb(1, 2, 3);
    layout.fontSize = 11;
    layout.color = *TColorText::Named("clInfoBk");
    layout.columnWidths = {120, 80, 0};
    TIniFile ini;
    WriteListLayout(ini, "ProcView", layout);
    EXPECT_EQ(ini.ToText(),
              "[ProcView]\nfnName=Liberation Sans\nfnColor=$00030201\nfnSize=11\nColor=clInfoBk\n"
              "ColWide0=120\nColWide1=80\nColWide2=0\n");
    const TListLayout back = ReadListLayout(ini, "ProcView", 3);
    EXPECT_EQ(back.fontName, layout.fontName);
    EXPECT_EQ(back.fontColor, layout.fontColor);
    EXPECT_EQ(back.fontSize, layout.fontSize);
    EXPECT_EQ(back.color, layout.color);
    EXPECT_EQ(back.columnWidths, layout.columnWidths);
}

// ---- history lists ----

TEST(HistoryList, ReadTakesEveryKeyInFileOrder) {
    const TIniFile ini = FromText("[TableWildCards]\nz=sys%\na=cust%\n7=\n");
    EXPECT_EQ(ReadHistoryList(ini, "tablewildcards"), (std::vector<std::string>{"sys%", "cust%", ""}));
    EXPECT_TRUE(ReadHistoryList(ini, "ProcWildCards").empty());
}

TEST(HistoryList, WrittenWithNumberedKeysReplacingTheSection) {
    TIniFile ini = FromText("[uLogins]\nz=old1\na=old2\nq=old3\n");
    const auto entries = ReadHistoryList(ini, "uLogins");
    WriteHistoryList(ini, "uLogins", {entries[0], entries[1]});
    EXPECT_EQ(ini.ToText(), "[uLogins]\n0=old1\n1=old2\n");
}

// ---- history rule ----

struct SortCase {
    std::vector<std::string> items;
    std::string text;
    int limit;
    std::vector<std::string> after;
    std::string result;
};

void PrintTo(const SortCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.items) << " text " << ::testing::PrintToString(c.text) << " limit "
        << c.limit;
}

class SortComboItemsCases : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortComboItemsCases, MovesTheTextToTheTop) {
    SortCase c = GetParam();
    EXPECT_EQ(fSortComboItems(c.items, c.text, c.limit), c.result);
    EXPECT_EQ(c.items, c.after);
}

using V = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    Rule, SortComboItemsCases,
    ::testing::Values(SortCase{{"a", "b", "c"}, "c", 10, {"c", "a", "b"}, "c"},           // moved up
                      SortCase{{"a", "b"}, "new", 10, {"new", "a", "b"}, "new"},          // inserted
                      SortCase{{"x", "a", "x", "b", "x"}, "x", 10, {"x", "a", "b"}, "x"}, // all duplicates go
                      SortCase{{"Abc", "abc"}, "ABC", 10, {"ABC", "Abc", "abc"}, "ABC"},  // case counts
                      SortCase{{"Abc", "abc"}, "abc", 10, {"abc", "Abc"}, "abc"},
                      SortCase{{"a", "b"}, "", 10, {"", "a", "b"}, ""}, // empty text too
                      SortCase{{"a", "b", "c"}, "d", 0, V{}, ""},       // limit 0
                      SortCase{{"a", "b", "c"}, "d", -3, V{}, ""},
                      SortCase{{"a", "b", "c"}, "d", 1, {"d"}, "d"},
                      SortCase{{"a", "b", "c"}, "d", 2, {"d", "a"}, "d"},
                      SortCase{{"a", "b", "c"}, "d", 4, {"d", "a", "b", "c"}, "d"},
                      SortCase{{"a", "b", "c"}, "b", 3, {"b", "a", "c"}, "b"},
                      SortCase{{}, "only", 5, {"only"}, "only"}));

TEST(SortComboItems, TextTakenFromTheListItselfIsSafe) {
    V items{"a", "b", "c"};
    EXPECT_EQ(fSortComboItems(items, items[2], 10), "c");
    EXPECT_EQ(items, (V{"c", "a", "b"}));
}
