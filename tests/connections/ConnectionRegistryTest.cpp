#include "connections/ConnectionRegistry.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace varnok {
namespace {

TConnectionRegistry Named(const std::vector<std::string>& names) {
    TConnectionRegistry reg;
    for (const auto& n : names) {
        TConnectionsParam r;
        r.Name = n;
        reg.AddConnection(r);
    }
    return reg;
}

std::vector<std::string> Names(const TConnectionRegistry& reg) {
    std::vector<std::string> out;
    for (const auto& r : reg.Records()) out.push_back(r.Name);
    return out;
}

TEST(ConnectionRegistry, NewRecordDefaults) {
    const TConnectionsParam r = NewConnectionRecord();
    EXPECT_EQ(r.Name, "New");
    EXPECT_TRUE(r.Server.empty() && r.DataBase.empty() && r.User.empty() && r.Password.empty() && r.Script.empty());
    EXPECT_TRUE(r.AskPassword);
    EXPECT_EQ(r.Ico, 0);
    EXPECT_EQ(TConnectionRegistry().ViewStyle(), 3);
}

struct MoveCase {
    std::size_t from, to;
    std::vector<std::string> order;
};

class RegistryMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(RegistryMoves, OthersShift) {
    TConnectionRegistry reg = Named({"a", "b", "c", "d"});
    reg.MoveConnection(GetParam().from, GetParam().to);
    EXPECT_EQ(Names(reg), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryMoves,
                         ::testing::Values(MoveCase{0, 1, {"b", "a", "c", "d"}}, MoveCase{3, 2, {"a", "b", "d", "c"}},
                                           MoveCase{0, 3, {"b", "c", "d", "a"}}, MoveCase{3, 0, {"d", "a", "b", "c"}},
                                           MoveCase{2, 2, {"a", "b", "c", "d"}}));

TEST(ConnectionRegistry, DeleteRemovesOnlyThatRecord) {
    TConnectionRegistry reg = Named({"a", "b", "a"});
    reg.DeleteConnection(2);  // names need not be unique: the index decides
    EXPECT_EQ(Names(reg), (std::vector<std::string>{"a", "b"}));
    reg.DeleteConnection(0);
    EXPECT_EQ(Names(reg), (std::vector<std::string>{"b"}));
}

TEST(ConnectionRegistry, IndexPastTheEndIsAnErrorAndChangesNothing) {
    TConnectionRegistry reg = Named({"a", "b"});
    EXPECT_THROW(reg.ConnectionAt(2), std::out_of_range);
    EXPECT_THROW(reg.DeleteConnection(5), std::out_of_range);
    EXPECT_THROW(reg.MoveConnection(1, 2), std::out_of_range);
    EXPECT_THROW(reg.MoveConnection(2, 0), std::out_of_range);
    EXPECT_EQ(Names(reg), (std::vector<std::string>{"a", "b"}));
}

TEST(ConnectionRegistry, ViewStyleOnlyTakesKnownStyles) {
    TConnectionRegistry reg;
    reg.SetViewStyle(0);
    EXPECT_EQ(reg.ViewStyle(), 0);
    reg.SetViewStyle(4);
    EXPECT_EQ(reg.ViewStyle(), 0);
    reg.SetViewStyle(-1);
    EXPECT_EQ(reg.ViewStyle(), 0);
}

}  // namespace
}  // namespace varnok
