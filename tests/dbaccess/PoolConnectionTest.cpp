// Connection pooling with real connections of the stand-in: a closed
// connection goes back to its pool and is taken again, its database is
// restored when a statement changed it, and idle ones beyond Min are freed.
#include "ConnectionTestFixture.h"

using namespace connection_test;

namespace {

class StandInPool : public StandInConnection {
protected:
    void SetUp() override {
        StandInConnection::SetUp();
        TResourcePoolOptions options;
        options.Enabled = true;
        options.Min = 1;
        options.Max = 2;
        options.TimeOut = 1000;
        options.LifeTime = 0;  // beyond Min: freed at once
        db.SetPoolOptions(options);
    }
    void TearDown() override {
        db.Close();
        TResourcePools::Instance().Clear();  // frees the idle connections before the data goes
        StandInConnection::TearDown();
    }
};

}  // namespace

TEST_F(StandInPool, ClosedConnectionIsTakenAgainFromThePool) {
    db.Open();
    const std::string name = db.Resource()->Name();
    db.Close();
    EXPECT_TRUE(monitor.Saw(name + ": Release the connection into the pool"));
    EXPECT_FALSE(monitor.Saw(name + ": Close the connection")) << "kept, not closed";
    EXPECT_EQ(Ifx().ifx_getcur_conn_name(), nullptr) << "dormant while in the pool";
    db.Open();
    EXPECT_EQ(db.Resource()->Name(), name);
    EXPECT_TRUE(monitor.Saw("Take the connection from the pool (handle '" + name + "')"));
    db.ExecuteDirect("insert into t values (1)");
    EXPECT_EQ(CountRows("vk_log"), 1);
}

TEST_F(StandInPool, ReleaseRestoresTheDatabaseOfTheParameters) {
    db.Open();
    db.ExecuteDirect("database vk_nolog");
    EXPECT_FALSE(db.SupportsTransactions());
    db.Close();
    db.Open();
    EXPECT_TRUE(db.SupportsTransactions()) << "vk_log again";
    db.ExecuteDirect("insert into t values (3)");
    EXPECT_EQ(CountRows("vk_log"), 1);
}

TEST_F(StandInPool, IdleConnectionsBeyondMinAreFreed) {
    TIfxConnection second;
    second.SetMonitor(&monitor);
    second.Params() = db.Params();
    second.SetPoolOptions(db.PoolOptions());
    db.Open();
    second.Open();
    const std::string first = db.Resource()->Name();
    const std::string other = second.Resource()->Name();
    EXPECT_NE(first, other);
    second.Close();  // idle 1 + busy 1 > Min: the idle one goes
    db.Close();      // idle 1 = Min: kept
    EXPECT_EQ(TResourcePools::Instance().PoolFor(db.ParamsBlock())->IdleCount(), 1);
    db.Open();
    EXPECT_EQ(db.Resource()->Name(), first);
}
