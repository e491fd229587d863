#pragma once
// The threaded hand-over of a script run: the body runs on a QThread of its
// own, events go to the main thread through its event loop and the worker
// blocks until they have run (Qt::BlockingQueuedConnection). The main thread
// must keep running its event loop while a run is under way; the event
// handlers may show modal dialogs.
#include <QPointer>
#include <QThread>

#include "execution/ExecutorHandOver.h"

class QObject;

namespace varnok {

class TQtHandOver final : public TExecutorHandOver {
public:
    // `mainObject` lives in the thread the events must run in; without one the
    // application object is used (so the events run in the main thread).
    explicit TQtHandOver(QObject* mainObject = nullptr);

    // Starts a QThread that runs `body`. The thread object deletes itself
    // (deleteLater, in the main thread) once it has finished, and with it
    // `body` and what `body` holds.
    void Start(std::function<void()> body) override;

    // Called in the main thread itself it just calls `work` (a blocking
    // queued call to one's own thread would never return).
    void Synchronize(const std::function<void()>& work) override;

    // The worker was started and has not yet returned from its body (asked in
    // the main thread). Once false the worker touches nothing of the run any more.
    bool WorkerRunning() const;

private:
    QPointer<QObject> mainObject_;
    QPointer<QThread> thread_; // gone once the finished thread object is deleted
};

} // namespace varnok
