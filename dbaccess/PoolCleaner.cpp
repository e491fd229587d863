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
        if (stop_) break;
        if (!wait) {
            // Nothing left to wait for, unless a release came in meanwhile.
            if (!woken_) break;
            woken_ = false;
            continue;
        }
        wake_.wait_for(guard, *wait, [this] { return stop_ || woken_; });
        if (stop_) break;
        woken_ = false;
    }
    std::lock_guard guard(lock_);
    finished_ = true;
}

}  // namespace varnok
