#pragma once
// TIfxCustomMonitor: receives a trace message for every connection, statement
// and cursor step of the layer, and every error. The gate decides what gets
// through: HandleMode (none / design time / run time / both) and the Filter of
// event types. Handlers run under the monitor's lock, because statements may
// report from any thread (the script executor's worker included).
//
// The layer ships only this abstract base: a concrete monitor decides what to
// do with a message by overriding HandleEvent.
#include <exception>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxComponent.h"

namespace varnok {

enum TIfxMonitorHandleMode { hmNone, hmDesign, hmRuntime, hmBoth };
enum TIfxMonitorEventType { meInformation, meWarning, meError };

// A set of event types (the monitor's Filter).
class TIfxMonitorEventTypes {
public:
    TIfxMonitorEventTypes() = default;
    TIfxMonitorEventTypes(std::initializer_list<TIfxMonitorEventType> types) {
        for (TIfxMonitorEventType t : types) Include(t);
    }
    static TIfxMonitorEventTypes All() { return {meInformation, meWarning, meError}; }
    bool Contains(TIfxMonitorEventType t) const { return (bits_ & Bit(t)) != 0; }
    void Include(TIfxMonitorEventType t) { bits_ |= Bit(t); }
    void Exclude(TIfxMonitorEventType t) { bits_ &= ~Bit(t); }
    bool operator==(const TIfxMonitorEventTypes&) const = default;

private:
    static unsigned Bit(TIfxMonitorEventType t) { return 1u << static_cast<unsigned>(t); }
    unsigned bits_ = 0;
};

class TIfxCustomMonitor : public TIfxComponent {
public:
    using THandleEvent =
        std::function<void(TIfxCustomMonitor&, TIfxMonitorEventType, const std::string&, bool& handled)>;
    using THandleException = std::function<void(TIfxCustomMonitor&, const std::exception&, bool& handled)>;

    explicit TIfxCustomMonitor(std::string className = "TIfxCustomMonitor");
    ~TIfxCustomMonitor() override = default;

    TIfxMonitorHandleMode HandleMode() const { return handleMode_; }
    void SetHandleMode(TIfxMonitorHandleMode mode) { handleMode_ = mode; }
    TIfxMonitorEventTypes Filter() const { return filter_; }
    void SetFilter(TIfxMonitorEventTypes filter) { filter_ = filter; }

    // Assigned under the monitor's lock, so a reporting thread never sees half a handler.
    void SetOnHandleEvent(THandleEvent handler);
    void SetOnHandleException(THandleException handler);

    // The gate: mode not hmNone, type in Filter, and the mode fits the moment.
    bool Passes(TIfxMonitorEventType type) const;

    // Formats the message only when the gate passes.
    void ReportEvent(TIfxMonitorEventType type, std::string_view format,
                     std::initializer_list<TFormatArg> args = {});
    // For messages that are costly to build (statement traces): the builder
    // runs only when the gate passes.
    void ReportEvent(TIfxMonitorEventType type, const std::function<std::string()>& buildMessage);
    // Reports an exception (gate of meError); the caller rethrows it in every case.
    void ReportException(const std::exception& error);

protected:
    virtual void HandleEvent(TIfxMonitorEventType type, const std::string& message) = 0;
    // Default: the exception's message as an error event.
    virtual void HandleException(const std::exception& error);

private:
    void Deliver(TIfxMonitorEventType type, const std::string& message);

    TIfxMonitorHandleMode handleMode_ = hmRuntime;
    TIfxMonitorEventTypes filter_ = TIfxMonitorEventTypes::All();
    THandleEvent onHandleEvent_;
    THandleException onHandleException_;
    // Recursive: a handler may report again from the same thread.
    std::recursive_mutex lock_;
};

// Reports to monitor when one is set; for code that holds an optional monitor link.
inline void ReportEventTo(TIfxCustomMonitor* monitor, TIfxMonitorEventType type, std::string_view format,
                          std::initializer_list<TFormatArg> args = {}) {
    if (monitor) monitor->ReportEvent(type, format, args);
}

}  // namespace varnok
