// The store of used parameter values: order, one entry per name, 49 entries.
#include <gtest/gtest.h>

#include <string>

#include "execution/SaveUsedParams.h"

namespace varnok {
namespace {

TEST(SaveUsedParams, RecallOfAnUnknownNameGivesTwoEmptyTexts) {
    TSaveUsedParams store;
    store.Remember("a", "Integer", "5");
    const TUsedParam used = store.Recall("b");
    EXPECT_EQ(used.typeName, "");
    EXPECT_EQ(used.value, "");
}

TEST(SaveUsedParams, TheMostRecentEntryComesFirstAndANameOccursOnce) {
    TSaveUsedParams store;
    store.Remember("a", "Integer", "5");
    store.Remember("b", "String", "x");
    store.Remember("a", "Money", "7.5");
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(store.TypeNames(), (std::vector<std::string>{"Money", "String"}));
    EXPECT_EQ(store.Values(), (std::vector<std::string>{"7.5", "x"}));
    EXPECT_EQ(store.Recall("a").typeName, "Money");
    EXPECT_EQ(store.Recall("a").value, "7.5");
}

TEST(SaveUsedParams, FiftyDistinctNamesKeepTheFortyNineMostRecent) {
    TSaveUsedParams store;
    for (int i = 1; i <= 50; ++i) store.Remember("p" + std::to_string(i), "Integer", std::to_string(i));
    ASSERT_EQ(store.Count(), 49u);
    EXPECT_EQ(store.Names().front(), "p50");
    EXPECT_EQ(store.Names().back(), "p2");
    EXPECT_EQ(store.Recall("p1").value, "");
    EXPECT_EQ(store.Recall("p2").value, "2");
}

TEST(SaveUsedParams, ReusingANameAtTheLimitDropsNothing) {
    TSaveUsedParams store;
    for (int i = 1; i <= 49; ++i) store.Remember("p" + std::to_string(i), "String", "v");
    store.Remember("p1", "String", "again");
    EXPECT_EQ(store.Count(), 49u);
    EXPECT_EQ(store.Names().front(), "p1");
    EXPECT_EQ(store.Recall("p2").value, "v");
}

TEST(SaveUsedParams, ValuesOfATypeListEveryMatchMostRecentFirstWithRepeats) {
    TSaveUsedParams store;
    store.Remember("a", "Integer", "5");
    store.Remember("b", "String", "5");
    store.Remember("c", "Integer", "9");
    store.Remember("d", "Integer", "5");
    EXPECT_EQ(store.ValuesOfType("Integer"), (std::vector<std::string>{"5", "9", "5"}));
    EXPECT_EQ(store.ValuesOfType("String"), (std::vector<std::string>{"5"}));
    EXPECT_TRUE(store.ValuesOfType("Date").empty());
}

}  // namespace
}  // namespace varnok
