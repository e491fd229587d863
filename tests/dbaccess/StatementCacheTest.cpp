// The eviction rule of the prepared-statement cache, and the small rules of
// the connection that need no server: isolation texts, handle names,
// parameter blocks, the closed-connection error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxConnectionParams.h"
#include "dbaccess/IfxConnectionTypes.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/StatementCache.h"

using namespace varnok;

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kNow = 46000.0;  // a day number in 2025

// Twenty statements made and last used a minute ago, used twice, cost 10.
std::vector<TStatementUsage> TwentyOrdinaryStatements() {
    return std::vector<TStatementUsage>(20, TStatementUsage{kNow - 60 * kSecond, kNow - 60 * kSecond, 10, 2});
}

}  // namespace

TEST(StatementCacheEviction, ScoreGrowsWithAgeAndCostAndFallsWithUse) {
    const TStatementUsage base{kNow - 10 * kSecond, kNow - 10 * kSecond, 3, 2};
    // (20 s + 1) · (9 + 1) / 4
    EXPECT_NEAR(EvictionScore(base, kNow), 21.0 * 10.0 / 4.0, 1e-6);
    TStatementUsage older = base;
    older.created -= 100 * kSecond;
    TStatementUsage dearer = base;
    dearer.cost = 30;
    TStatementUsage usedMore = base;
    usedMore.uses = 5;
    EXPECT_GT(EvictionScore(older, kNow), EvictionScore(base, kNow));
    EXPECT_GT(EvictionScore(dearer, kNow), EvictionScore(base, kNow));
    EXPECT_LT(EvictionScore(usedMore, kNow), EvictionScore(base, kNow));
}

struct TEvictionCase {
    const char* what;
    size_t changed;          // which of the 21 entries differs from the rest
    TStatementUsage usage;   // its usage
    size_t expected;         // the entry that must go
};

class StatementCacheEvictionChoice : public ::testing::TestWithParam<TEvictionCase> {};

TEST_P(StatementCacheEvictionChoice, TwentyFirstStatementEvictsTheHighestScore) {
    const TEvictionCase& c = GetParam();
    std::vector<TStatementUsage> entries = TwentyOrdinaryStatements();
    // The 21st: just made and used, cost 10, one use.
    entries.push_back({kNow, kNow, 10, 1});
    entries[c.changed] = c.usage;
    EXPECT_EQ(ChooseEviction(entries, kNow), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatementCacheEvictionChoice,
    ::testing::Values(
        // All alike: (121)·101/4 for the twenty, (1)·101/1 for the new one: the first goes on the tie.
        TEvictionCase{"ties go to the earliest", 0, {kNow - 60 * kSecond, kNow - 60 * kSecond, 10, 2}, 0},
        TEvictionCase{"an old idle statement", 7, {kNow - 3600 * kSecond, kNow - 1800 * kSecond, 10, 2}, 7},
        TEvictionCase{"an expensive statement", 12, {kNow - 60 * kSecond, kNow - 60 * kSecond, 1000, 2}, 12},
        TEvictionCase{"a much used old statement stays", 0,
                      {kNow - 3600 * kSecond, kNow - 3600 * kSecond, 10, 1000}, 1},
        TEvictionCase{"the newcomer itself when it is the dearest", 20, {kNow, kNow, 100000, 1}, 20}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(StatementCacheEviction, EmptyCacheIsAProgrammingError) {
    EXPECT_THROW(ChooseEviction({}, kNow), std::logic_error);
}

TEST(ConnectionRules, IsolationLevelTexts) {
    const std::vector<std::pair<TIfxIsolationLevel, const char*>> cases = {
        {ilReadCommitted, "committed read"},     {ilCommitedRead, "committed read"},
        {ilSerializable, "repeatable read"},     {ilRepeatableRead, "repeatable read"},
        {ilCursorStability, "cursor stability"}, {ilReadUncommitted, "dirty read"},
        {ilDirtyRead, "dirty read"},
    };
    for (const auto& [level, text] : cases) {
        ASSERT_TRUE(IsolationLevelText(level).has_value()) << level;
        EXPECT_EQ(*IsolationLevelText(level), text) << level;
    }
    EXPECT_FALSE(IsolationLevelText(ilUnchanged).has_value());
}

TEST(ConnectionRules, StatementTypesThatChangeTheDatabase) {
    for (int type = 0; type < 130; ++type)
        EXPECT_EQ(ChangesDatabase(type), type == 1 || type == 12 || type == 31) << type;
}

TEST(ConnectionRules, HandleNamesAndTheirIdentity) {
    EXPECT_EQ(ConnectionHandleName(0x1a2bu), "ifxcon$00001a2b");
    EXPECT_EQ(StatementHandleName(0xdeadbeefu), "ifxsql_deadbeef");
    EXPECT_EQ(CursorHandleName(7), "ifxcur_00000007");
    EXPECT_EQ(ConnectionIdentityOf("ifxcon$00001a2b"), 0x1a2bu);
    EXPECT_FALSE(ConnectionIdentityOf(nullptr).has_value());
    EXPECT_FALSE(ConnectionIdentityOf("@simsrv").has_value());
    EXPECT_FALSE(ConnectionIdentityOf("ifxcon$").has_value());
    EXPECT_FALSE(ConnectionIdentityOf("ifxcon$12zz").has_value());
    EXPECT_NE(NextIfxIdentity(), NextIfxIdentity());
}

TEST(ConnectionParams, EqualityLooksAtLinesAndPoolOptionsOnly) {
    TIfxParamsRef a = TIfxParamsRef::New();
    TIfxParamsRef b = TIfxParamsRef::New();
    a->Params = {"INFORMIXSERVER=simsrv", "DATABASE=stores"};
    b->Params = a->Params;
    b->IsolationLevel = ilDirtyRead;  // not part of equality
    b->StatementCacheSize = 3;
    EXPECT_TRUE(*a == *b);
    b->PoolOptions.Max = 7;
    EXPECT_FALSE(*a == *b);
    b->PoolOptions = a->PoolOptions;
    b->Params.push_back("WIN32USER=alice");
    EXPECT_FALSE(*a == *b);
}

TEST(ConnectionParams, ReferencesCountAndCopiesAreIndependent) {
    TIfxParamsRef a = TIfxParamsRef::New();
    a->Params = {"DATABASE=one"};
    EXPECT_EQ(a->RefCount(), 1);
    {
        TIfxParamsRef shared = a;
        EXPECT_EQ(a->RefCount(), 2);
        TIfxParamsRef copy = TIfxParamsRef::CopyOf(*a);
        EXPECT_EQ(copy->RefCount(), 1);
        copy->SetValue("database", "two");
        EXPECT_EQ(copy->Value("DATABASE"), "two");
        EXPECT_EQ(a->Value("DATABASE"), "one");
    }
    EXPECT_EQ(a->RefCount(), 1);
    EXPECT_EQ(a->Value("WIN32USER"), "");
}

TEST(ConnectionRules, OperationsOnAClosedConnectionNameTheComponent) {
    TIfxConnection connection;
    connection.SetName("Database");
    try {
        connection.MakeCurrent();
        FAIL() << "no error";
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Database: Cannot perform this operation on a closed connection");
    }
    EXPECT_THROW(connection.GetServerInfo(), EIfxAccessError);
    EXPECT_THROW(connection.InTransaction(), EIfxAccessError);
    EXPECT_NO_THROW(connection.Close());  // closing a closed connection does nothing
}

TEST(ConnectionRules, PropertyDefaults) {
    TIfxConnection c;
    EXPECT_FALSE(c.Connected());
    EXPECT_TRUE(c.KeepConnection());
    EXPECT_EQ(c.IsolationLevel(), ilUnchanged);
    EXPECT_EQ(c.SafeMode(), smConcurent);
    EXPECT_FALSE(c.UseTimeOut());
    EXPECT_EQ(c.TimeOutInterval(), 200u);
    EXPECT_TRUE(c.AnsiAutoCommit());
    EXPECT_TRUE(c.CommitRetain());
    EXPECT_EQ(c.TransactionActionOnClose(), taCommit);
    EXPECT_EQ(c.StatementCacheSize(), 20);
    EXPECT_FALSE(c.ShareCursorStatement());
    EXPECT_FALSE(c.PoolOptions().Enabled);
    EXPECT_EQ(c.PoolOptions().Max, 5);
    EXPECT_EQ(c.PoolOptions().TimeOut, 15000u);
    EXPECT_EQ(c.PoolOptions().LifeTime, 5000u);
    EXPECT_EQ(c.Version(), "2.6.3.62");
    EXPECT_EQ(c.TableTypes().size(), 4u);
}
