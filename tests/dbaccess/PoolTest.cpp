// Connection pools without a server: reuse, time-out, deletion and the
// cleaner, on items that only count what happens to them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/ResourcePool.h"

using namespace varnok;
using namespace std::chrono_literals;

namespace {

struct TCounts {
    std::atomic<int> created{0}, taken{0}, released{0}, freed{0};
};

class TCountingItem : public TPoolItem {
public:
    TCountingItem(TCounts& counts, int serial) : counts_(counts), serial(serial) { ++counts_.created; }
    ~TCountingItem() override { ++counts_.freed; }
    void TakenFromPool() override { ++counts_.taken; }
    void ReleasedIntoPool() override { ++counts_.released; }
    int Serial() const { return serial; }

private:
    TCounts& counts_;
    int serial;
};

class PoolTest : public ::testing::Test {
protected:
    TCounts counts;
    std::atomic<int> serial{0};
    TPoolItemFactory factory = [this] { return std::make_unique<TCountingItem>(counts, ++serial); };

    static TIfxParamsRef Options(int min, int max, unsigned timeOut, unsigned lifeTime, unsigned maxTime = 0) {
        TIfxParamsRef params = TIfxParamsRef::New();
        params->Params = {"INFORMIXSERVER=simsrv"};
        params->PoolOptions = {true, min, max, timeOut, lifeTime, maxTime};
        return params;
    }
    static int SerialOf(const std::unique_ptr<TPoolItem>& item) {
        return static_cast<const TCountingItem&>(*item).Serial();
    }
    // Waits (bounded) until condition holds; the cleaner runs on its own thread.
    template <typename F>
    static bool Eventually(F condition) {
        for (int i = 0; i < 400; ++i) {
            if (condition()) return true;
            std::this_thread::sleep_for(5ms);
        }
        return condition();
    }
};

}  // namespace

TEST_F(PoolTest, ReleasedResourceIsReusedOldestFirst) {
    TResourcePool pool(*Options(5, 5, 1000, 0));
    auto first = pool.Acquire(factory);
    auto second = pool.Acquire(factory);
    EXPECT_EQ(counts.created, 2);
    EXPECT_EQ(pool.BusyCount(), 2);
    pool.Release(std::move(second));
    pool.Release(std::move(first));
    EXPECT_EQ(counts.released, 2);
    EXPECT_EQ(pool.IdleCount(), 2);
    auto again = pool.Acquire(factory);
    EXPECT_EQ(SerialOf(again), 2) << "the one idle longest comes first";
    EXPECT_EQ(counts.taken, 1);
    EXPECT_EQ(counts.created, 2) << "no new resource while an idle one exists";
    pool.Release(std::move(again));
}

TEST_F(PoolTest, FullPoolTimesOutWithItsMessage) {
    TResourcePool pool(*Options(1, 1, 50, 0));
    auto only = pool.Acquire(factory);
    try {
        pool.Acquire(factory);
        FAIL() << "no time-out";
    } catch (const EResourceException& e) {
        EXPECT_STREQ(e.what(), "Cannot allocate a resource from the pool. Timeout expired");
    }
    EXPECT_EQ(counts.created, 1);
    pool.Release(std::move(only));
    EXPECT_NO_THROW(pool.Release(pool.Acquire(factory))) << "the slot is free again";
}

TEST_F(PoolTest, WaiterIsToldWhenThePoolIsDeleted) {
    TResourcePool pool(*Options(1, 1, 10000, 0));
    auto only = pool.Acquire(factory);
    std::string message;
    std::thread waiter([&] {
        try {
            pool.Acquire(factory);
        } catch (const EResourceException& e) {
            message = e.what();
        }
    });
    std::this_thread::sleep_for(20ms);
    pool.SignalDeletion();
    waiter.join();
    EXPECT_EQ(message, "Cannot allocate a resource from the pool. The pool is being deleted");
    pool.Release(std::move(only));
}

TEST_F(PoolTest, WithoutLifeTimeResourcesBeyondMinAreFreedAtOnce) {
    TResourcePool pool(*Options(1, 5, 1000, 0));
    auto a = pool.Acquire(factory);
    auto b = pool.Acquire(factory);
    pool.Release(std::move(a));  // idle 1 + busy 1 = 2 > Min: the oldest idle goes
    EXPECT_EQ(pool.IdleCount(), 0);
    EXPECT_EQ(counts.freed, 1);
    pool.Release(std::move(b));  // idle 1 + busy 0 = Min: kept
    EXPECT_EQ(pool.IdleCount(), 1);
    EXPECT_EQ(counts.freed, 1);
}

TEST_F(PoolTest, CleanerFreesIdleResourcesBeyondMinAfterTheirLifeTime) {
    TResourcePool pool(*Options(1, 5, 1000, 40));
    auto a = pool.Acquire(factory);
    auto b = pool.Acquire(factory);
    auto c = pool.Acquire(factory);
    pool.Release(std::move(a));
    pool.Release(std::move(b));
    pool.Release(std::move(c));
    EXPECT_EQ(pool.IdleCount(), 3) << "kept for their life time first";
    EXPECT_TRUE(Eventually([&] { return pool.IdleCount() == 1; }));
    EXPECT_EQ(counts.freed, 2);
}

TEST_F(PoolTest, MaxTimeFreesEvenTheLastIdleResource) {
    TResourcePool pool(*Options(1, 5, 1000, 20, 60));
    auto a = pool.Acquire(factory);
    auto b = pool.Acquire(factory);
    pool.Release(std::move(a));
    pool.Release(std::move(b));
    EXPECT_TRUE(Eventually([&] { return pool.IdleCount() == 0; }));
    EXPECT_EQ(counts.freed, 2);
}

TEST_F(PoolTest, FailedCreationGivesTheSlotBack) {
    TResourcePool pool(*Options(1, 1, 50, 0));
    const TPoolItemFactory failing = []() -> std::unique_ptr<TPoolItem> { throw std::runtime_error("no server"); };
    EXPECT_THROW(pool.Acquire(failing), std::runtime_error);
    EXPECT_EQ(pool.BusyCount(), 0);
    auto item = pool.Acquire(factory);  // would time out if the slot were lost
    pool.Release(std::move(item));
}

TEST(ResourcePools, OnePoolPerEqualParameterBlock) {
    TResourcePools::Instance().Clear();
    TIfxParamsRef a = TIfxParamsRef::New();
    a->Params = {"INFORMIXSERVER=one"};
    TIfxParamsRef sameAsA = TIfxParamsRef::CopyOf(*a);
    sameAsA->IsolationLevel = ilDirtyRead;
    TIfxParamsRef other = TIfxParamsRef::New();
    other->Params = {"INFORMIXSERVER=two"};
    auto p1 = TResourcePools::Instance().PoolFor(*a);
    auto p2 = TResourcePools::Instance().PoolFor(*sameAsA);
    auto p3 = TResourcePools::Instance().PoolFor(*other);
    EXPECT_EQ(p1, p2);
    EXPECT_NE(p1, p3);
    EXPECT_EQ(TResourcePools::Instance().PoolCount(), 2);
    a->Params.push_back("DATABASE=x");  // the pool keeps its own copy
    EXPECT_EQ(p1->Params().Params.size(), 1u);
    TResourcePools::Instance().Clear();
    EXPECT_EQ(TResourcePools::Instance().PoolCount(), 0);
}
