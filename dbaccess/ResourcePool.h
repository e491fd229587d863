#pragma once
// Connection pooling (off unless TResourcePoolOptions::Enabled; the program
// never enables it). One process-wide TResourcePools holds a TResourcePool
// per distinct parameter block. A pool hands out at most Max resources (a
// counting semaphore); taking one waits up to TimeOut ms for a free slot or
// for the pool's deletion signal. Released resources stay idle for reuse:
// up to Min without limit, beyond that for LifeTime ms (a TPoolCleanerThread
// frees them), or are freed at once when there is no LifeTime.
//
// The pool knows its resources only as TPoolItem, so its rules can be tried
// without a server.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "dbaccess/IfxConnectionParams.h"

namespace varnok {

class TPoolCleanerThread;

// What a pool holds.
class TPoolItem {
public:
    virtual ~TPoolItem() = default;
    // Taken from the idle list for reuse ("Take the connection from the pool").
    virtual void TakenFromPool() = 0;
    // Put back ("Release the connection into the pool"): restore the database, make dormant.
    virtual void ReleasedIntoPool() = 0;
};

using TPoolItemFactory = std::function<std::unique_ptr<TPoolItem>()>;
using TPoolClock = std::chrono::steady_clock;

// A counting semaphore whose waiters also wake when the pool is being deleted.
class TPoolSemaphore {
public:
    explicit TPoolSemaphore(int count) : count_(count) {}
    enum class TResult { Acquired, TimedOut, Deleted };
    TResult Acquire(std::chrono::milliseconds timeOut);
    void ReleaseSlot();
    void SignalDeletion();

private:
    std::mutex lock_;
    std::condition_variable changed_;
    int count_;
    bool deleted_ = false;
};

class TResourcePool {
public:
    // Keeps its own copy of the parameter block.
    explicit TResourcePool(const TIfxConnectionParams& params);
    // Signals deletion, stops the cleaner, frees the idle resources.
    ~TResourcePool();
    TResourcePool(const TResourcePool&) = delete;
    TResourcePool& operator=(const TResourcePool&) = delete;

    const TIfxConnectionParams& Params() const { return *params_; }
    const TResourcePoolOptions& Options() const { return params_->PoolOptions; }

    // An idle resource (oldest first) or a new one from create; raises
    // EResourceException on time-out or deletion. adopt sees a reused
    // resource before it is told it was taken (its new user's links first).
    std::unique_ptr<TPoolItem> Acquire(const TPoolItemFactory& create,
                                       const std::function<void(TPoolItem&)>& adopt = {});
    // Gives a resource back (it is told first, then kept idle or freed).
    void Release(std::unique_ptr<TPoolItem> item);
    // Wakes every waiter with "The pool is being deleted".
    void SignalDeletion();

    int IdleCount() const;
    int BusyCount() const;

    // For the cleaner: frees what is due and returns how long to wait for
    // the next check, or nothing when nothing is left to wait for.
    std::optional<std::chrono::milliseconds> CleanIdle(TPoolClock::time_point now);

private:
    struct TIdle {
        std::unique_ptr<TPoolItem> item;
        TPoolClock::time_point since;
    };
    void StartCleanerLocked();

    TIfxParamsRef params_;
    TPoolSemaphore slots_;
    mutable std::mutex lock_;  // guards the idle list and the busy count
    std::vector<TIdle> idle_;  // oldest first
    int busy_ = 0;
    std::unique_ptr<TPoolCleanerThread> cleaner_;
};

class TResourcePools {
public:
    // The process-wide pools.
    static TResourcePools& Instance();

    // The pool for params (created on first use; equality of blocks decides).
    // Shared, so a thread waiting in Acquire keeps its pool alive through Clear.
    std::shared_ptr<TResourcePool> PoolFor(const TIfxConnectionParams& params);
    // Removes every pool; waiters are told the pool is being deleted.
    void Clear();
    int PoolCount() const;

private:
    mutable std::mutex lock_;
    std::vector<std::shared_ptr<TResourcePool>> pools_;
};

}  // namespace varnok
