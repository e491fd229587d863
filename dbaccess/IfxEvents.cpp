#include "dbaccess/IfxEvents.h"

#include <algorithm>
#include <vector>

namespace varnok {

namespace {

// The process-wide list. Recursive, because a handler may itself create or
// destroy a component (which announces again from the same thread).
struct TEventsRegistry {
    std::recursive_mutex lock;
    std::vector<TIfxEvents*> instances;
};

TEventsRegistry& Registry() {
    static TEventsRegistry registry;
    return registry;
}

}  // namespace

TIfxEvents::TIfxEvents() {
    TEventsRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    r.instances.push_back(this);
}

TIfxEvents::~TIfxEvents() {
    TEventsRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    r.instances.erase(std::remove(r.instances.begin(), r.instances.end(), this), r.instances.end());
}

void TIfxEvents::SetOnObjectCreate(TObjectEvent handler) {
    std::lock_guard guard(Registry().lock);
    onObjectCreate_ = std::move(handler);
}

void TIfxEvents::SetOnObjectDestroy(TObjectEvent handler) {
    std::lock_guard guard(Registry().lock);
    onObjectDestroy_ = std::move(handler);
}

void TIfxEvents::AnnounceCreate(TIfxComponent& component) { Announce(component, true); }
void TIfxEvents::AnnounceDestroy(TIfxComponent& component) { Announce(component, false); }

int TIfxEvents::InstanceCount() {
    TEventsRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    return static_cast<int>(r.instances.size());
}

void TIfxEvents::Announce(TIfxComponent& component, bool created) {
    TEventsRegistry& r = Registry();
    std::lock_guard guard(r.lock);
    // A handler may register or drop instances; walk a snapshot and skip the
    // ones that left meanwhile.
    const std::vector<TIfxEvents*> snapshot = r.instances;
    for (TIfxEvents* events : snapshot) {
        if (std::find(r.instances.begin(), r.instances.end(), events) == r.instances.end()) continue;
        const TObjectEvent& handler = created ? events->onObjectCreate_ : events->onObjectDestroy_;
        if (handler) handler(component);
    }
}

}  // namespace varnok
