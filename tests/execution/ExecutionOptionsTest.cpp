#include "execution/ExecutionOptions.h"

#include <gtest/gtest.h>

#include "shell/IniFile.h"

namespace varnok {
namespace {

TIniFile Ini(const std::string& text) {
    TIniFile ini;
    ini.LoadFromText(text);
    return ini;
}

TEST(ExecutionOptions, MissingSectionGivesTheDefaults) {
    const TExecutionOptions o = ReadExecutionOptions(Ini(""));
    EXPECT_TRUE(o.warnOfUpdateDeleteWithoutWhere);
    EXPECT_TRUE(o.warnOfLargeQueryCost);
    EXPECT_EQ(o.warnOfLargeQueryCostValue, 10000);
    EXPECT_TRUE(o.warnOfLargeNumberOfRowsRet);
    EXPECT_EQ(o.warnOfLargeNumberOfRowsRetValue, 100000);
    EXPECT_EQ(o.numberRowsFetchAfterOpen, 50);
    EXPECT_EQ(o.paramChar, '&');
}

TEST(ExecutionOptions, StoredValuesAreRead) {
    const TExecutionOptions o = ReadExecutionOptions(Ini("[eOptions]\n"
                                                         "WarnOfUpdateDeleteWithoutWhere=0\n"
                                                         "WarnOfLargeQueryCost=0\n"
                                                         "WarnOfLargeQueryCostValue=250\n"
                                                         "WarnOfLargeNumberOfRowsRet=0\n"
                                                         "WarnOfLargeNumberOfRowsRetValue=7\n"
                                                         "NumberRowsFetchAfterOpen=200\n"
                                                         "ParamChar=:\n"));
    EXPECT_FALSE(o.warnOfUpdateDeleteWithoutWhere);
    EXPECT_FALSE(o.warnOfLargeQueryCost);
    EXPECT_EQ(o.warnOfLargeQueryCostValue, 250);
    EXPECT_FALSE(o.warnOfLargeNumberOfRowsRet);
    EXPECT_EQ(o.warnOfLargeNumberOfRowsRetValue, 7);
    EXPECT_EQ(o.numberRowsFetchAfterOpen, 200);
    EXPECT_EQ(o.paramChar, ':');
}

TEST(ExecutionOptions, NonNumbersReadAsTheirDefaults) {
    const TExecutionOptions o = ReadExecutionOptions(
        Ini("[eOptions]\nWarnOfLargeQueryCostValue=abc\nNumberRowsFetchAfterOpen=\nWarnOfLargeQueryCost=yes\n"));
    EXPECT_EQ(o.warnOfLargeQueryCostValue, 10000);
    EXPECT_EQ(o.numberRowsFetchAfterOpen, 50);
    EXPECT_TRUE(o.warnOfLargeQueryCost);
}

TEST(ExecutionOptions, ParamCharTakesTheFirstUsableCharacter) {
    const struct {
        const char* stored;
        char expected;
    } cases[] = {{"", '&'}, {":", ':'}, {"::", ':'}, {"&&", '&'}, {"@x", '@'},
                 {"a", '&'}, {"7", '&'}, {" ", '&'}, {"_", '&'}, {"\xc3\xa9", '&'}};
    for (const auto& c : cases)
        EXPECT_EQ(ParamCharFromText(c.stored), c.expected) << "stored \"" << c.stored << "\"";
}

TEST(ExecutionOptions, WrittenValuesReadBackUnchanged) {
    TExecutionOptions o;
    o.warnOfUpdateDeleteWithoutWhere = false;
    o.warnOfLargeQueryCostValue = 12;
    o.warnOfLargeNumberOfRowsRet = false;
    o.numberRowsFetchAfterOpen = 3;
    o.paramChar = ':';
    TIniFile ini;
    WriteExecutionOptions(ini, o);
    EXPECT_EQ(ini.ReadString("eOptions", "ParamChar", "?"), ":");
    EXPECT_EQ(ReadExecutionOptions(ini), o);
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

TEST(ExecutionOptions, OwnKeysAreKnownWhateverTheirCase) {
    TIniFile ini;
    WriteExecutionOptions(ini, TExecutionOptions{});
    const auto keys = ini.ReadSectionKeys("eOptions");
    EXPECT_EQ(keys.size(), 7u);
    for (const std::string& key : keys)
        EXPECT_TRUE(IsExecutionOptionKey(key)) << key;
    EXPECT_TRUE(IsExecutionOptionKey("paramchar"));
    for (const char* other : {"SearchPatternToLowerCase", "DropDownLines", "ParamCharX", ""})
        EXPECT_FALSE(IsExecutionOptionKey(other)) << other;
}

}  // namespace
}  // namespace varnok
