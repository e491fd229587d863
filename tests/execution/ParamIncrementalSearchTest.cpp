// Incremental search of the Type cell: 499 ms between keys, first match wins.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <vector>

#include "execution/ParamIncrementalSearch.h"
#include "execution/ParamTypeNames.h"

namespace varnok {
namespace {

QStringList TypeNames() {
    QStringList names;
    for (auto name : kParamTypeNames) names << QString::fromUtf8(name.data(), static_cast<int>(name.size()));
    return names;
}

struct Key {
    char key;
    std::uint32_t tick;
    const char* expected;  // nullptr: no entry matches, the cell keeps its text
};

struct SearchCase {
    const char* title;
    std::vector<Key> keys;
};

class ParamIncrementalSearchTable : public ::testing::TestWithParam<SearchCase> {};

TEST_P(ParamIncrementalSearchTable, EachKeyGivesTheFirstEntryStartingWithTheSearchText) {
    TParamIncrementalSearch search;
    const QStringList names = TypeNames();
    for (const Key& key : GetParam().keys) {
        const auto found = search.KeyPress(QChar(key.key), key.tick, names);
        if (key.expected) {
            ASSERT_TRUE(found.has_value()) << "key " << key.key << " at " << key.tick;
            EXPECT_EQ(found->toStdString(), key.expected) << "key " << key.key << " at " << key.tick;
        } else {
            EXPECT_FALSE(found.has_value()) << "key " << key.key << " matched " << found->toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    TypeColumn, ParamIncrementalSearchTable,
    ::testing::Values(SearchCase{"d gives Date", {{'d', 1000, "Date"}}},
                      SearchCase{"D in capitals gives Date", {{'D', 1000, "Date"}}},
                      SearchCase{"d then a quickly stays on Date", {{'d', 1000, "Date"}, {'a', 1100, "Date"}}},
                      SearchCase{"d then t quickly matches nothing", {{'d', 1000, "Date"}, {'t', 1100, nullptr}}},
                      SearchCase{"m after half a second starts afresh",
                                 {{'d', 1000, "Date"}, {'t', 1100, nullptr}, {'m', 1600, "Money"}}},
                      SearchCase{"exactly 499 ms still extends", {{'i', 1000, "Integer"}, {'n', 1499, "Integer"}, {'t', 1998, "Integer"}, {'8', 2497, "Int8"}}},
                      SearchCase{"500 ms restarts", {{'i', 1000, "Integer"}, {'n', 1500, "Null"}}},
                      SearchCase{"first entry in list order wins", {{'i', 10, "Integer"}}},
                      SearchCase{"f gives Float/Decimal", {{'f', 10, "Float/Decimal"}}},
                      SearchCase{"quick keys across the counter wrap",
                                 {{'d', 0xFFFFFF00u, "Date"}, {'a', 0x10u, "Date"}, {'t', 0x50u, "Date"}, {'e', 0x60u, "Date"}, {'t', 0x70u, "DateTime"}}},
                      SearchCase{"no match at all", {{'x', 10, nullptr}}}),
    [](const auto& info) {
        std::string name;
        for (const char* c = info.param.title; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(ParamIncrementalSearch, KeepsTheTypedSearchText) {
    TParamIncrementalSearch search;
    search.KeyPress(QChar('d'), 100, TypeNames());
    search.KeyPress(QChar('t'), 200, TypeNames());
    EXPECT_EQ(search.SearchText().toStdString(), "dt");
    search.Reset();
    EXPECT_TRUE(search.SearchText().isEmpty());
}

}  // namespace
}  // namespace varnok
