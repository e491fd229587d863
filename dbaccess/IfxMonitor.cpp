#include "dbaccess/IfxMonitor.h"

namespace varnok {

TIfxCustomMonitor::TIfxCustomMonitor(std::string className) : TIfxComponent(std::move(className)) {}

void TIfxCustomMonitor::SetOnHandleEvent(THandleEvent handler) {
    std::lock_guard guard(lock_);
    onHandleEvent_ = std::move(handler);
}

void TIfxCustomMonitor::SetOnHandleException(THandleException handler) {
    std::lock_guard guard(lock_);
    onHandleException_ = std::move(handler);
}

bool TIfxCustomMonitor::Passes(TIfxMonitorEventType type) const {
    if (handleMode_ == hmNone || !filter_.Contains(type)) return false;
    switch (handleMode_) {
        case hmBoth: return true;
        case hmDesign: return Designing();
        case hmRuntime: return !Designing();
        case hmNone: break;
    }
    return false;
}

void TIfxCustomMonitor::ReportEvent(TIfxMonitorEventType type, std::string_view format,
                                    std::initializer_list<TFormatArg> args) {
    if (!Passes(type)) return;
    Deliver(type, Format(format, args));
}

void TIfxCustomMonitor::ReportEvent(TIfxMonitorEventType type, const std::function<std::string()>& buildMessage) {
    if (!Passes(type)) return;
    Deliver(type, buildMessage());
}

void TIfxCustomMonitor::Deliver(TIfxMonitorEventType type, const std::string& message) {
    std::lock_guard guard(lock_);
    bool handled = false;
    if (onHandleEvent_) onHandleEvent_(*this, type, message, handled);
    if (!handled) HandleEvent(type, message);
}

void TIfxCustomMonitor::ReportException(const std::exception& error) {
    if (!Passes(meError)) return;
    std::lock_guard guard(lock_);
    bool handled = false;
    if (onHandleException_) onHandleException_(*this, error, handled);
    if (!handled) HandleException(error);
}

void TIfxCustomMonitor::HandleException(const std::exception& error) { HandleEvent(meError, error.what()); }

}  // namespace varnok
