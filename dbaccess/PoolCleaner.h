#pragma once
// TPoolCleanerThread: one per pool, started when released resources beyond
// Min are kept for their LifeTime. It waits for the interval the pool
// returns, lets the pool free what is due, and ends when nothing is left to
// wait for. Stopping it (the pool going away) wakes it at once.
#include <condition_variable>
#include <mutex>
#include <thread>

namespace varnok {

class TResourcePool;

class TPoolCleanerThread {
public:
    explicit TPoolCleanerThread(TResourcePool& pool);
    // Stops and joins.
    ~TPoolCleanerThread();
    TPoolCleanerThread(const TPoolCleanerThread&) = delete;
    TPoolCleanerThread& operator=(const TPoolCleanerThread&) = delete;

    bool Finished() const;
    // A resource was released: check again soon. False when the thread has
    // already ended (the pool then starts a new one).
    bool Wake();

private:
    void Run();

    TResourcePool& pool_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool woken_ = false;
    bool finished_ = false;
    std::thread thread_;
};

}  // namespace varnok
