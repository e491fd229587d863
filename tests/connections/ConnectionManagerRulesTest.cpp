#include "connections/ConnectionManagerRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace varnok {
namespace {

TConnectionRegistry Named(const std::vector<std::string>& names) {
    TConnectionRegistry registry;
    for (const auto& name : names) {
        TConnectionsParam record;
        record.Name = name;
        registry.AddConnection(record);
    }
    return registry;
}

std::vector<std::string> Names(const TConnectionRegistry& registry) {
    std::vector<std::string> out;
    for (const auto& record : registry.Records()) out.push_back(record.Name);
    return out;
}

// ---- The enabling rule ----

struct EnablingCase {
    const char* what;
    TManagerListState state;
    TManagerEnabling expected;
};

void PrintTo(const EnablingCase& c, std::ostream* os) { *os << c.what; }

class ManagerEnablingRule : public ::testing::TestWithParam<EnablingCase> {};

TEST_P(ManagerEnablingRule, FollowsFocusAndSelection) {
    const EnablingCase& c = GetParam();
    EXPECT_EQ(ManagerEnabling(c.state), c.expected) << c.what;
}

// expected: moveUp, moveDown, edit, remove, connect
INSTANTIATE_TEST_SUITE_P(
    Cases, ManagerEnablingRule,
    ::testing::Values(
        EnablingCase{"empty list", {std::nullopt, false, 0}, {false, false, false, false, false}},
        EnablingCase{"rows, none focused or selected", {std::nullopt, false, 3}, {false, false, false, false, false}},
        EnablingCase{"only row", {0, true, 1}, {false, false, true, true, true}},
        EnablingCase{"first of three", {0, true, 3}, {false, true, true, true, true}},
        EnablingCase{"middle of three", {1, true, 3}, {true, true, true, true, true}},
        EnablingCase{"last of three", {2, true, 3}, {true, false, true, true, true}},
        EnablingCase{"focused but not selected", {1, false, 3}, {true, true, false, false, false}},
        EnablingCase{"selected without focus", {std::nullopt, true, 3}, {false, false, true, true, true}},
        EnablingCase{"focus past the end", {5, false, 3}, {false, false, false, false, false}}));

// ---- Move Up / Move Down ----

TEST(ManagerMove, FirstRowDownBecomesSecondAndKeepsFocus) {
    TConnectionRegistry registry = Named({"a", "b", "c"});
    EXPECT_EQ(MoveFocusedConnection(registry, 0, TMoveDirection::Down), std::optional<std::size_t>(1));
    EXPECT_EQ(Names(registry), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(MoveFocusedConnection(registry, 1, TMoveDirection::Down), std::optional<std::size_t>(2));
    EXPECT_EQ(Names(registry), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(MoveFocusedConnection(registry, 2, TMoveDirection::Up), std::optional<std::size_t>(1));
    EXPECT_EQ(Names(registry), (std::vector<std::string>{"b", "a", "c"}));
}

TEST(ManagerMove, ImpossibleMovesChangeNothing) {
    struct Case {
        std::optional<std::size_t> focused;
        TMoveDirection direction;
    };
    for (const Case& c : {Case{2, TMoveDirection::Down}, Case{0, TMoveDirection::Up},
                          Case{std::nullopt, TMoveDirection::Down}, Case{7, TMoveDirection::Up}}) {
        TConnectionRegistry registry = Named({"a", "b", "c"});
        EXPECT_EQ(MoveFocusedConnection(registry, c.focused, c.direction), std::nullopt);
        EXPECT_EQ(Names(registry), (std::vector<std::string>{"a", "b", "c"}));
    }
}

// ---- Type-ahead ----

TEST(ManagerTypeAhead, NamePrefixFoldsOnlyAsciiLetters) {
    struct Case {
        const char* name;
        const char* prefix;
        bool expected;
    };
    const Case cases[] = {
        {"Production", "pro", true},  {"production", "PRODUCTION", true}, {"prod", "prods", false},
        {"a-b", "A-B", true},         {"[x]", "{x", false},               {"@home", "`h", false},
        {"\xC3\x84rger", "\xC3\xA4", false},  // non-ASCII letters are compared exactly
        {"anything", "", true},
    };
    for (const Case& c : cases) EXPECT_EQ(NameStartsWith(c.name, c.prefix), c.expected) << c.name << " / " << c.prefix;
}

TEST(ManagerTypeAhead, SearchesFromStartThenWraps) {
    const TConnectionRegistry registry = Named({"alpha", "beta", "Alpine", "gamma"});
    struct Case {
        const char* text;
        std::size_t start;
        bool wrap;
        std::optional<std::size_t> expected;
    };
    const Case cases[] = {
        {"al", 0, true, 0},  {"al", 1, true, 2},          {"AL", 3, true, 0},
        {"al", 3, false, std::nullopt},                   {"gam", 0, true, 3},  // the last record included
        {"zz", 0, true, std::nullopt},                    {"beta", 9, false, 1},  // start past the end: from 0
        {"alpi", 0, false, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindConnectionByPrefix(registry, c.text, c.start, c.wrap), c.expected)
            << c.text << " from " << c.start;
    EXPECT_EQ(FindConnectionByPrefix(TConnectionRegistry{}, "a", 0, true), std::nullopt);
}

// ---- New / Edit / Delete ----

TEST(ManagerCommands, NewCancelledLeavesRegistryUnchanged) {
    TConnectionRegistry registry = Named({"a"});
    TConnectionsParam seen;
    const auto index = CreateConnection(registry, [&](TConnectionsParam& record) {
        seen = record;
        record.Name = "changed";
        return false;
    });
    EXPECT_EQ(index, std::nullopt);
    EXPECT_EQ(Names(registry), (std::vector<std::string>{"a"}));
    EXPECT_EQ(seen, NewConnectionRecord());  // the editor starts from the defaults
}

TEST(ManagerCommands, EditCancelledKeepsRecordEvenWhenTheEditorTouchedIt) {
    TConnectionRegistry registry = Named({"a", "b"});
    registry.ConnectionAt(1).Password = "secret";
    const TConnectionsParam before = registry.ConnectionAt(1);
    EXPECT_FALSE(EditFocusedConnection(registry, 1, [](TConnectionsParam& record) {
        record.Name = "x";
        record.Password.clear();
        return false;
    }));
    EXPECT_EQ(registry.ConnectionAt(1), before);
}

TEST(ManagerCommands, EditWithoutFocusDoesNotOpenTheEditor) {
    TConnectionRegistry registry = Named({"a"});
    int calls = 0;
    const auto editor = [&](TConnectionsParam&) { ++calls; return true; };
    EXPECT_FALSE(EditFocusedConnection(registry, std::nullopt, editor));
    EXPECT_FALSE(EditFocusedConnection(registry, 1, editor));
    EXPECT_EQ(calls, 0);
}

TEST(ManagerCommands, DeleteWithoutFocusAsksNothing) {
    TConnectionRegistry registry = Named({"a"});
    bool asked = false;
    EXPECT_FALSE(DeleteFocusedConnection(registry, std::nullopt, [&](const std::string&) { return asked = true; }));
    EXPECT_FALSE(asked);
    EXPECT_EQ(registry.ConnectionCount(), 1u);
}

}  // namespace
}  // namespace varnok
