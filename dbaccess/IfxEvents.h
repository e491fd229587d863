#pragma once
// TIfxEvents: lets an application watch components of the access layer come
// and go. Every instance registers itself in one process-wide list guarded by
// a lock; every component announces itself to all registered instances right
// after it is created and right before it is destroyed. Handlers run in the
// thread that creates or destroys the component.
#include <functional>
#include <mutex>

namespace varnok {

class TIfxComponent;

class TIfxEvents {
public:
    using TObjectEvent = std::function<void(TIfxComponent&)>;

    TIfxEvents();
    ~TIfxEvents();
    TIfxEvents(const TIfxEvents&) = delete;
    TIfxEvents& operator=(const TIfxEvents&) = delete;

    // Handlers are swapped under the list lock, so an announcement running in
    // another thread sees either the old or the new handler, never half of one.
    void SetOnObjectCreate(TObjectEvent handler);
    void SetOnObjectDestroy(TObjectEvent handler);

    // Called by TIfxComponent.
    static void AnnounceCreate(TIfxComponent& component);
    static void AnnounceDestroy(TIfxComponent& component);

    // Number of registered instances (for diagnostics and tests).
    static int InstanceCount();

private:
    static void Announce(TIfxComponent& component, bool created);

    TObjectEvent onObjectCreate_;
    TObjectEvent onObjectDestroy_;
};

}  // namespace varnok
