#include "execution/ExecutorHandOverQt.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <exception>
#include <stdexcept>

#include "execution/ScriptErrors.h"

namespace varnok {

TQtHandOver::TQtHandOver(QObject* mainObject)
    : mainObject_(mainObject ? mainObject : QCoreApplication::instance()) {}

void TQtHandOver::Start(std::function<void()> body) {
    if (!mainObject_) throw EScriptExecError("A threaded script run needs the application object");
    QThread* thread = QThread::create(std::move(body));
    // The thread object lives in the main thread: its deletion (and so the
    // release of the body) runs there after the worker has returned.
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread_ = thread;
    thread->start();
}

bool TQtHandOver::WorkerRunning() const {
    // A deleted thread object has finished: it is deleted only after that.
    const QThread* thread = thread_.data();
    return thread && !thread->isFinished();
}

void TQtHandOver::Synchronize(const std::function<void()>& work) {
    QObject* target = mainObject_.data();
    if (!target) throw EScriptExecError("The main thread's object is gone; the script run cannot report");
    if (QThread::currentThread() == target->thread()) {
        work();
        return;
    }
    // Exceptions must not cross the event loop: catch them in the main thread
    // and raise them again in the worker.
    std::exception_ptr failure;
    bool ran = false;
    const bool queued = QMetaObject::invokeMethod(
        target,
        [&work, &failure, &ran] {
            ran = true;
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    // A target destroyed while the call waited drops the call and lets the
    // worker go on: the run must not carry on as if the event had answered.
    if (!queued || !ran) throw EScriptExecError("The script run could not reach the main thread");
    if (failure) std::rethrow_exception(failure);
}

} // namespace varnok
