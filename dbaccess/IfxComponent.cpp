#include "dbaccess/IfxComponent.h"

#include <algorithm>
#include <mutex>

#include "dbaccess/IfxEvents.h"

namespace varnok {

namespace {

// Links are made and broken on any thread (a connection may be built in a
// worker); one lock for all of them is enough: they change rarely. Never
// destroyed: process-wide components (the default processor) go at exit,
// after a lock of function scope would already be gone.
std::mutex& LinkLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

void EraseOne(std::vector<TIfxComponent*>& list, TIfxComponent* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TIfxComponent::TIfxComponent(std::string className) : className_(std::move(className)) {
    TIfxEvents::AnnounceCreate(*this);
}

TIfxComponent::~TIfxComponent() {
    std::vector<TIfxComponent*> holders;
    {
        std::lock_guard guard(LinkLock());
        holders.swap(holders_);
        for (TIfxComponent* holder : holders) EraseOne(holder->watched_, this);
        for (TIfxComponent* watched : watched_) EraseOne(watched->holders_, this);
        watched_.clear();
    }
    // Outside the lock: a holder may drop or make other links while it forgets this one.
    for (TIfxComponent* holder : holders) {
        try {
            holder->Notification(*this);
        } catch (...) {
        }
    }
    try {
        TIfxEvents::AnnounceDestroy(*this);
    } catch (...) {
        // A destructor must not throw; a failing handler cannot stop the destruction.
    }
}

void TIfxComponent::FreeNotification(TIfxComponent* holder) {
    if (!holder || holder == this) return;
    std::lock_guard guard(LinkLock());
    if (std::find(holders_.begin(), holders_.end(), holder) != holders_.end()) return;
    holders_.push_back(holder);
    holder->watched_.push_back(this);
}

void TIfxComponent::RemoveFreeNotification(TIfxComponent* holder) {
    if (!holder) return;
    std::lock_guard guard(LinkLock());
    ForgetHolder(holder);
}

void TIfxComponent::ForgetHolder(TIfxComponent* holder) {
    EraseOne(holders_, holder);
    EraseOne(holder->watched_, this);
}

}  // namespace varnok
