#include "dbaccess/PoolCleaner.h"

#include "dbaccess/ResourcePool.h"

namespace varnok {

TPoolCleanerThread::TPoolCleanerThread(TResourcePool& pool) : pool_(pool), thread_([this] { Run(); }) {}

TPoolCleanerThread::~TPoolCleanerThread() {
    {
        std::lock_guard guard(lock_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool TPoolCleanerThread::Finished() const {
    std::lock_guard guard(lock_);
    return finished_;
}

bool TPoolCleanerThread::Wake() {
    std::lock_guard guard(lock_);
    if (finished_) return false;
    woken_ = true;
    wake_.notify_all();
    return true;
}

void TPoolCleanerThread::Run() {
    for (;;) {
        const std::optional<std::chrono::milliseconds> wait = pool_.CleanIdle(TPoolClock::now());
        std::unique_lock guard(lock_);
        // Ending is decided under the lock together with finished_: a Wake
        // that comes later sees the thread finished and the pool starts a new
        // one, instead of being taken by a thread that is already leaving.
        if (stop_ || (!wait && !woken_)) {
            finished_ = true;
            return;
        }
        if (!wait) {  // nothing to wait for, but a release came in meanwhile
            woken_ = false;
            continue;
        }
        wake_.wait_for(guard, *wait, [this] { return stop_ || woken_; });
        if (stop_) {
            finished_ = true;
            return;
        }
        woken_ = false;
    }
}

}  // namespace varnok
