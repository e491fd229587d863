#include "dbaccess/ResourcePool.h"

#include <algorithm>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/PoolCleaner.h"

namespace varnok {

using std::chrono::milliseconds;

// ---- TPoolSemaphore

TPoolSemaphore::TResult TPoolSemaphore::Acquire(milliseconds timeOut) {
    std::unique_lock guard(lock_);
    const bool woke = changed_.wait_for(guard, timeOut, [this] { return deleted_ || count_ > 0; });
    if (deleted_) return TResult::Deleted;
    if (!woke) return TResult::TimedOut;
    --count_;
    return TResult::Acquired;
}

void TPoolSemaphore::ReleaseSlot() {
    {
        std::lock_guard guard(lock_);
        ++count_;
    }
    changed_.notify_one();
}

void TPoolSemaphore::SignalDeletion() {
    {
        std::lock_guard guard(lock_);
        deleted_ = true;
    }
    changed_.notify_all();
}

// ---- TResourcePool

TResourcePool::TResourcePool(const TIfxConnectionParams& params)
    : params_(TIfxParamsRef::CopyOf(params)), slots_(std::max(params.PoolOptions.Max, 1)) {}

TResourcePool::~TResourcePool() {
    SignalDeletion();
    cleaner_.reset();  // joins before the idle list goes
    std::vector<TIdle> idle;
    {
        std::lock_guard guard(lock_);
        idle.swap(idle_);
    }
    // The resources are freed outside the lock: disconnecting talks to the server.
}

void TResourcePool::SignalDeletion() { slots_.SignalDeletion(); }

std::unique_ptr<TPoolItem> TResourcePool::Acquire(const TPoolItemFactory& create,
                                                  const std::function<void(TPoolItem&)>& adopt) {
    switch (slots_.Acquire(milliseconds(Options().TimeOut))) {
        case TPoolSemaphore::TResult::TimedOut:
            throw EResourceException("Cannot allocate a resource from the pool. Timeout expired");
        case TPoolSemaphore::TResult::Deleted:
            throw EResourceException("Cannot allocate a resource from the pool. The pool is being deleted");
        case TPoolSemaphore::TResult::Acquired:
            break;
    }
    std::unique_ptr<TPoolItem> item;
    {
        std::lock_guard guard(lock_);
        if (!idle_.empty()) {
            item = std::move(idle_.front().item);  // the oldest idle one first
            idle_.erase(idle_.begin());
        }
        ++busy_;
    }
    try {
        if (item) {
            if (adopt) adopt(*item);
            item->TakenFromPool();
        } else {
            item = create();
        }
    } catch (...) {
        {
            std::lock_guard guard(lock_);
            --busy_;
        }
        slots_.ReleaseSlot();
        throw;
    }
    return item;
}

void TResourcePool::Release(std::unique_ptr<TPoolItem> item) {
    if (!item) return;
    bool usable = true;
    try {
        item->ReleasedIntoPool();
    } catch (...) {
        usable = false;  // a resource that cannot be restored is not handed out again
    }
    std::unique_ptr<TPoolItem> toFree;
    {
        std::lock_guard guard(lock_);
        --busy_;
        if (!usable) {
            toFree = std::move(item);
        } else {
            idle_.push_back({std::move(item), TPoolClock::now()});
            const int total = static_cast<int>(idle_.size()) + busy_;
            if (total > Options().Min) {
                if (Options().LifeTime > 0) {
                    StartCleanerLocked();
                } else {
                    toFree = std::move(idle_.front().item);
                    idle_.erase(idle_.begin());
                }
            }
        }
    }
    slots_.ReleaseSlot();
    // toFree goes here, outside the lock.
}

void TResourcePool::StartCleanerLocked() {
    if (cleaner_ && cleaner_->Wake()) return;
    cleaner_.reset();  // an ended thread: join it before starting the next
    cleaner_ = std::make_unique<TPoolCleanerThread>(*this);
}

std::optional<milliseconds> TResourcePool::CleanIdle(TPoolClock::time_point now) {
    std::vector<std::unique_ptr<TPoolItem>> toFree;
    std::optional<milliseconds> next;
    {
        std::lock_guard guard(lock_);
        const auto lifeTime = milliseconds(Options().LifeTime);
        const auto maxTime = milliseconds(Options().MaxTime);
        const int min = Options().Min;
        // Oldest first: free what is due, keep at least Min (idle plus busy).
        for (auto it = idle_.begin(); it != idle_.end();) {
            const auto age = now - it->since;
            const int total = static_cast<int>(idle_.size()) + busy_;
            const bool beyondMin = total > min;
            const bool tooOld = Options().MaxTime > 0 && age >= maxTime;
            if ((beyondMin && age >= lifeTime) || tooOld) {
                toFree.push_back(std::move(it->item));
                it = idle_.erase(it);
                continue;
            }
            // Still to wait for: the moment this one becomes due.
            std::optional<milliseconds> due;
            if (beyondMin) due = std::chrono::duration_cast<milliseconds>(lifeTime - age);
            if (Options().MaxTime > 0) {
                const auto maxDue = std::chrono::duration_cast<milliseconds>(maxTime - age);
                due = due ? std::min(*due, maxDue) : maxDue;
            }
            if (due) next = next ? std::min(*next, *due) : *due;
            ++it;
        }
    }
    if (next && *next < milliseconds(1)) next = milliseconds(1);
    return next;  // toFree goes here, outside the lock
}

int TResourcePool::IdleCount() const {
    std::lock_guard guard(lock_);
    return static_cast<int>(idle_.size());
}

int TResourcePool::BusyCount() const {
    std::lock_guard guard(lock_);
    return busy_;
}

// ---- TResourcePools

TResourcePools& TResourcePools::Instance() {
    static TResourcePools pools;
    return pools;
}

std::shared_ptr<TResourcePool> TResourcePools::PoolFor(const TIfxConnectionParams& params) {
    std::lock_guard guard(lock_);
    for (const auto& pool : pools_)
        if (pool->Params() == params) return pool;
    pools_.push_back(std::make_shared<TResourcePool>(params));
    return pools_.back();
}

void TResourcePools::Clear() {
    std::vector<std::shared_ptr<TResourcePool>> pools;
    {
        std::lock_guard guard(lock_);
        pools.swap(pools_);
    }
    for (const auto& pool : pools) pool->SignalDeletion();
}

int TResourcePools::PoolCount() const {
    std::lock_guard guard(lock_);
    return static_cast<int>(pools_.size());
}

}  // namespace varnok
