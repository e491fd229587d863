#pragma once
// How a script run reaches its threads. The executor's thread body runs on a
// worker; every event it fires runs in the main (user-interface) thread while
// the worker waits. The hand-over hides how that is done, so the run logic
// does not depend on an event loop:
//   - TDirectHandOver runs the body at once in the starting thread and calls
//     the events directly (tests and tools without an event loop);
//   - TQtHandOver (ExecutorHandOverQt.h) runs the body on a QThread and hands
//     each event to the main thread with a blocking queued invocation.
#include <functional>

namespace varnok {

class TExecutorHandOver {
public:
    virtual ~TExecutorHandOver() = default;

    // Runs `body` on the worker. Called once, in the main thread. The
    // hand-over keeps `body` (and whatever it holds) until the worker is done
    // and releases it in the main thread.
    virtual void Start(std::function<void()> body) = 0;

    // Called from the worker: runs `work` in the main thread and returns when
    // it has returned. An exception that escapes `work` is raised again here,
    // in the worker.
    virtual void Synchronize(const std::function<void()>& work) = 0;
};

// The synchronous hand-over: Start returns only when the run is over.
class TDirectHandOver final : public TExecutorHandOver {
public:
    void Start(std::function<void()> body) override { body(); }
    void Synchronize(const std::function<void()>& work) override { work(); }
};

} // namespace varnok
