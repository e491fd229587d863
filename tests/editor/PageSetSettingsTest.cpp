#include "editor/PageSetSettings.h"

#include "shell/IniFile.h"

#include <gtest/gtest.h>

#include <climits>

using namespace varnok;

namespace {

TEST(PageSetSettings, NoSettingsGiveThreeNumberedPagesAtTheBottom) {
    const TIniFile ini;
    const TPageSetSettings s = ReadPageSetSettings(ini);
    EXPECT_EQ(s.sheetPos, 2);
    EXPECT_TRUE(s.wantTab);
    ASSERT_EQ(s.pages.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.pages[size_t(i)].name, std::to_string(i + 1));
        EXPECT_EQ(s.pages[size_t(i)].fontHeight, -17);
    }
}

TEST(PageSetSettings, StoredValuesAreRead) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetPos=1\nSQLSheetCnt=2\nWantTab=0\n"
                     "[SQL1]\nfnHeight=-20\nName=orders\n[SQL2]\nfnHeight=-13\nName=\n");
    const TPageSetSettings s = ReadPageSetSettings(ini);
    EXPECT_EQ(s.sheetPos, 1);
    EXPECT_FALSE(s.wantTab);
    ASSERT_EQ(s.pages.size(), 2u);
    EXPECT_EQ(s.pages[0], (TPageSettings{"orders", -20}));
    EXPECT_EQ(s.pages[1], (TPageSettings{"", -13})); // an empty stored name stays empty
}

TEST(PageSetSettings, MissingOrBadPageKeysTakeTheirDefaults) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetCnt=3\n[SQL2]\nfnHeight=big\n");
    const TPageSetSettings s = ReadPageSetSettings(ini);
    ASSERT_EQ(s.pages.size(), 3u);
    EXPECT_EQ(s.pages[1], (TPageSettings{"2", -17}));
    EXPECT_EQ(s.pages[2], (TPageSettings{"3", -17}));
}

TEST(PageSetSettings, ZeroOrNegativeCountGivesNoPages) {
    for (const char* text : {"[SQL]\nSQLSheetCnt=0\n", "[SQL]\nSQLSheetCnt=-4\n"}) {
        TIniFile ini;
        ini.LoadFromText(text);
        EXPECT_TRUE(ReadPageSetSettings(ini).pages.empty()) << text;
    }
}

TEST(PageSetSettings, CountAboveTheLimitReadsAsTheLimit) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetCnt=2000000000\n[SQL1000]\nName=last\n");
    const TPageSetSettings s = ReadPageSetSettings(ini);
    ASSERT_EQ(s.pages.size(), size_t(kMaxPageCount));
    EXPECT_EQ(s.pages.back().name, "last");
    EXPECT_EQ(StoredPageCount(ini), 2000000000);
}

TEST(PageSetSettings, WriteThenReadGivesTheSameSet) {
    TPageSetSettings s;
    s.sheetPos = 3;
    s.wantTab = false;
    s.pages = {{"", -15}, {"a&b = c", -30}, {"\xD0\xB6\xD1\x83\xD0\xBA", -17}, {"4", 12}};
    TIniFile ini;
    WritePageSetSettings(ini, s);
    TIniFile reread;
    reread.LoadFromText(ini.ToText());
    EXPECT_EQ(ReadPageSetSettings(reread), s);
}

TEST(PageSetSettings, KeysAndSectionsInTheSavedOrder) {
    TPageSetSettings s;
    s.pages = {{"x", -17}, {"y", -18}};
    TIniFile ini;
    WritePageSetSettings(ini, s);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"SQL", "SQL1", "SQL2"}));
    EXPECT_EQ(ini.ReadSectionKeys("SQL"),
              (std::vector<std::string>{"SQLSheetPos", "SQLSheetCnt", "WantTab"}));
    EXPECT_EQ(ini.ReadSectionKeys("SQL2"), (std::vector<std::string>{"fnHeight", "Name"}));
    EXPECT_EQ(ini.ReadString("SQL", "SQLSheetCnt", ""), "2");
    EXPECT_EQ(ini.ReadString("SQL", "WantTab", ""), "1");
    EXPECT_EQ(ini.ReadString("SQL2", "fnHeight", ""), "-18");
}

struct PixelCase {
    int height;
    int pixels;
};

class FontPixelSizeTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(FontPixelSizeTest, MagnitudeWithinBounds) {
    EXPECT_EQ(FontPixelSize(GetParam().height), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Heights, FontPixelSizeTest,
                         ::testing::Values(PixelCase{-17, 17}, PixelCase{-15, 15}, PixelCase{-1, 1},
                                           PixelCase{0, 15}, PixelCase{1, 1}, PixelCase{20, 20},
                                           PixelCase{-5000, kMaxFontPixelSize},
                                           PixelCase{INT_MIN, kMaxFontPixelSize}));

} // namespace
